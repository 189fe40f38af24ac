#include "link/TransferReply.h"

#include "link/SysexProtocol.h"

namespace zd8
{

namespace
{
    // Full-message offsets (0xF0 at offset 0); numbers least significant group first.
    constexpr size_t offCommand = 5;
    constexpr size_t offSub = 6;
    constexpr size_t offNackCode = 7;
    constexpr size_t offType = 8;      // 8..9
    constexpr size_t offId = 10;       // 10..11
    constexpr size_t offOffset = 12;   // 12..14 in a chunk
    constexpr size_t offLength = 15;   // 15..17 in a chunk
    constexpr size_t offTotal = 12;    // 12..14 in an object information
    constexpr size_t offName = 16;     // 16..35 in an object information
    constexpr size_t offChunkData = 18;

    // A chunk ends with two bytes the program does not examine, then F7.
    constexpr size_t chunkTrailerSize = 3;
}

TransferReply TransferReply::parse (const juce::uint8* message, size_t size, bool withoutStart)
{
    TransferReply r;

    if (message == nullptr || size == 0 || message[size - 1] != SysexProtocol::sysexEnd)
        return r;
    if (! withoutStart && message[0] != SysexProtocol::sysexStart)
        return r;

    // From here on everything is in full-message offsets; a copy without its F0 starts
    // one byte later in that numbering.
    const size_t shift = withoutStart ? 1 : 0;
    const size_t fullSize = size + shift;
    auto pointerAt = [message, shift] (size_t offset) { return message + (offset - shift); }; // offset >= 1

    // A field byte: 0 where the message is too short (the final F7 is not a field),
    // and only its low seven bits, so no garbled byte makes a number out of range.
    auto at = [message, shift, fullSize] (size_t offset)
    {
        if (offset < shift)
            return (int) SysexProtocol::sysexStart;
        return offset + 1 < fullSize ? message[offset - shift] & 0x7F : 0;
    };
    auto number14 = [&at] (size_t offset) { return at (offset) + at (offset + 1) * 128; };
    auto number21 = [&at] (size_t offset) { return at (offset) + at (offset + 1) * 128 + at (offset + 2) * 16384; };

    auto raw = [message, size, shift] (size_t offset) { return SysexProtocol::byteAt (message, size, offset - shift); }; // offset >= 1

    // At least the sub-command and the F7 after it.
    if (fullSize < offSub + 2
        || raw (2) != SysexProtocol::family || raw (3) != SysexProtocol::member || raw (offCommand) != SysexProtocol::cmdTransfer)
        return r;

    switch (raw (offSub))
    {
        case SysexProtocol::subChunkData:
        {
            r.kind = Kind::chunk;
            r.type = number14 (offType);
            r.id = number14 (offId);
            r.offset = number21 (offOffset);
            r.length = number21 (offLength);

            if (fullSize >= offChunkData + chunkTrailerSize)
            {
                const size_t end = fullSize - chunkTrailerSize;
                r.data = SysexProtocol::decode7 (pointerAt (offChunkData), end - offChunkData);
            }
            break;
        }

        case SysexProtocol::subAck:
            r.kind = Kind::ack;
            break;

        case SysexProtocol::subNack:
            // Where the code sits is not fixed by the instrument's tables; the byte
            // after the sub-command is the one that carries it.
            r.kind = Kind::nack;
            r.nackCode = at (offNackCode);
            break;

        case SysexProtocol::subInfo:
        {
            r.kind = Kind::info;
            r.type = number14 (offType);
            r.id = number14 (offId);
            r.totalSize = number21 (offTotal);

            // Name characters that are present before the final F7; the rest are blanks.
            const size_t nameEnd = juce::jmin (offName + (size_t) SysexProtocol::infoNameLength, fullSize - 1);
            r.name = nameEnd > offName ? SysexProtocol::nameFromInfo (pointerAt (offName), nameEnd - offName)
                                       : SysexProtocol::nameFromInfo (nullptr, 0);
            break;
        }

        default:
            break;
    }

    return r;
}

} // namespace zd8

#include "sim/InstrumentSysexDecoder.h"

namespace zd8sim
{

namespace
{
constexpr std::uint8_t sysexStart = 0xF0;
constexpr std::uint8_t sysexEnd = 0xF7;

using Decoder = InstrumentSysexDecoder;
using Kind = Decoder::Kind;

// F0, data bytes only, F7 at the end and nowhere else.
bool isWellFramed (const std::uint8_t* data, std::size_t size)
{
    if (data == nullptr || size < 2 || data[0] != sysexStart || data[size - 1] != sysexEnd)
        return false;

    for (std::size_t i = 1; i + 1 < size; ++i)
        if (data[i] >= 0x80)
            return false;

    return true;
}

// The header, then at least a command byte before the F7.
bool hasInstrumentHeader (const std::uint8_t* data, std::size_t size)
{
    return size >= Decoder::headerSize + 2 && data[1] == Decoder::manufacturer && data[2] == Decoder::family
        && data[3] == Decoder::member && data[4] == Decoder::deviceByte;
}

Decoder::Decoded decodeIdentity (const std::uint8_t* data, std::size_t size)
{
    Decoder::Decoded d;
    if (size == Decoder::identityRequestSize && data[3] == Decoder::generalInformation
        && data[4] == Decoder::identityRequest)
        d.kind = Kind::identityRequest;
    return d;
}

Decoder::Decoded decodeInstrument (const std::uint8_t* data, std::size_t size)
{
    Decoder::Decoded d;
    d.command = data[Decoder::commandOffset];

    switch (data[Decoder::commandOffset])
    {
        case Decoder::channelProgramSelectCommand:
            if (size == Decoder::channelProgramSelectSize && data[6] < Decoder::channelCount)
            {
                d.kind = Kind::channelProgramSelect;
                d.channel = data[6];
                d.number = data[7] * 128 + data[8];
            }
            break;

        case Decoder::multiSelectCommand:
            if (size == Decoder::multiSelectSize)
            {
                d.kind = Kind::multiSelect;
                d.number = data[6] * 128 + data[7];
            }
            break;

        case Decoder::channelSelectCommand:
            if (size == Decoder::channelSelectSize && data[6] < Decoder::channelCount)
            {
                d.kind = Kind::channelSelect;
                d.channel = data[6];
            }
            break;

        default:
            d.kind = Kind::otherCommand;
            break;
    }

    return d;
}
} // namespace

InstrumentSysexDecoder::Decoded InstrumentSysexDecoder::decode (const std::uint8_t* data, std::size_t size)
{
    if (! isWellFramed (data, size))
        return {};

    if (data[1] == universalNonRealtime)
        return decodeIdentity (data, size);

    if (hasInstrumentHeader (data, size))
        return decodeInstrument (data, size);

    return {};
}

} // namespace zd8sim

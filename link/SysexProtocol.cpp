#include "link/SysexProtocol.h"

namespace zd8
{

namespace
{
    constexpr juce::uint8 dataMask = 0x7F;
    constexpr int septetBits = 7;

    // Message builders write at their full-message offsets into a block whose first
    // four bytes are placeholders for the header; frameFull then inserts the header.
    constexpr int placeholderSize = 4;

    // Name message: offsets 9..11 hold 0x00, 0x00, 0x11 before the 16 name bytes.
    constexpr juce::uint8 nameMessageMarker = 0x11;

    juce::uint8 dataByte (int value) noexcept
    {
        return (juce::uint8) juce::jlimit (0, 127, value);
    }

    juce::uint8 channelByte (int channel) noexcept
    {
        return (juce::uint8) juce::jlimit (0, 15, channel);
    }

    int clamp14 (int value) noexcept
    {
        return juce::jlimit (0, SysexProtocol::max14Bit, value);
    }

    juce::uint8 lowGroup (int value) noexcept  { return (juce::uint8) (value & dataMask); }
    juce::uint8 highGroup (int value) noexcept { return (juce::uint8) ((value >> septetBits) & dataMask); }
    juce::uint8 topGroup (int value) noexcept  { return (juce::uint8) ((value >> (2 * septetBits)) & dataMask); }

    /** A full-length message buffer: four placeholders, then the bytes given (which
        start at full-message offset 5 after framing). */
    juce::MemoryBlock withPlaceholders (std::initializer_list<juce::uint8> bytes)
    {
        juce::MemoryBlock m ((size_t) placeholderSize, true);
        m.append (bytes.begin(), bytes.size());
        return m;
    }

    void appendByte (juce::MemoryBlock& m, juce::uint8 b)
    {
        m.append (&b, 1);
    }
}

//==============================================================================
juce::MemoryBlock SysexProtocol::frameBody (const void* body, size_t size, juce::uint8 device)
{
    const juce::uint8 header[] = { sysexStart, manufacturer, family, member, device };
    juce::MemoryBlock m (header, sizeof (header));
    if (body != nullptr && size > 0)
        m.append (body, size);
    appendByte (m, sysexEnd);
    return m;
}

juce::MemoryBlock SysexProtocol::frameBody (std::initializer_list<juce::uint8> body, juce::uint8 device)
{
    return frameBody (body.begin(), body.size(), device);
}

juce::MemoryBlock SysexProtocol::frameFull (const juce::MemoryBlock& message, juce::uint8 device)
{
    const juce::uint8 header[] = { sysexStart, manufacturer, family, member, device };
    juce::MemoryBlock m (header, sizeof (header));
    if (message.getSize() > (size_t) placeholderSize)
        m.append (static_cast<const juce::uint8*> (message.getData()) + placeholderSize,
                  message.getSize() - (size_t) placeholderSize);
    return m;
}

//==============================================================================
size_t SysexProtocol::packedSize (size_t size) noexcept
{
    // 8 * size bits, seven per septet, rounded up.
    return (size * 8 + (size_t) septetBits - 1) / (size_t) septetBits;
}

juce::MemoryBlock SysexProtocol::encode7 (const void* data, size_t size)
{
    // The data is one bit stream, least significant bit of the first byte first; each
    // septet carries the next seven bits. A final partial group leaves its high bits
    // in one extra septet.
    if (data == nullptr)
        size = 0;

    const auto* in = static_cast<const juce::uint8*> (data);
    juce::MemoryBlock out (packedSize (size) + 1, false);
    auto* o = static_cast<juce::uint8*> (out.getData());

    juce::uint32 bits = 0;
    int bitCount = 0;
    size_t n = 0;

    for (size_t i = 0; i < size; ++i)
    {
        bits |= (juce::uint32) in[i] << bitCount;
        bitCount += 8;

        while (bitCount >= septetBits)
        {
            o[n++] = (juce::uint8) (bits & dataMask);
            bits >>= septetBits;
            bitCount -= septetBits;
        }
    }

    if (bitCount > 0)
        o[n++] = (juce::uint8) (bits & dataMask);

    jassert (n == packedSize (size));
    o[n] = sysexEnd;
    return out;
}

juce::MemoryBlock SysexProtocol::decode7 (const void* septets, size_t size)
{
    if (septets == nullptr)
        size = 0;

    const auto* in = static_cast<const juce::uint8*> (septets);
    if (size > 0 && in[size - 1] == sysexEnd)
        --size;

    juce::MemoryBlock out (size * (size_t) septetBits / 8, false);
    auto* o = static_cast<juce::uint8*> (out.getData());

    juce::uint32 bits = 0;
    int bitCount = 0;
    size_t n = 0;

    for (size_t i = 0; i < size; ++i)
    {
        bits |= (juce::uint32) (in[i] & dataMask) << bitCount;
        bitCount += septetBits;

        if (bitCount >= 8)
        {
            o[n++] = (juce::uint8) (bits & 0xFF);
            bits >>= 8;
            bitCount -= 8;
        }
    }

    // What is left (fewer than eight bits) is the padding of the last septet.
    jassert (n == out.getSize());
    return out;
}

//==============================================================================
juce::MemoryBlock SysexProtocol::nameField (const juce::String& name)
{
    juce::MemoryBlock field ((size_t) nameLength, false);
    auto* f = static_cast<juce::uint8*> (field.getData());
    auto c = name.getCharPointer();

    for (int i = 0; i < nameLength; ++i)
    {
        const auto code = (juce::uint32) (c.isEmpty() ? blank : c.getAndAdvance());
        f[i] = (code >= (juce::uint32) firstNameCode && code <= (juce::uint32) lastNameCode) ? (juce::uint8) code : blank;
    }

    return field;
}

juce::String SysexProtocol::nameFromInfo (const juce::uint8* chars, size_t size)
{
    if (chars == nullptr)
        size = 0;

    juce::String name;
    name.preallocateBytes ((size_t) infoNameLength * 2);

    for (size_t i = 0; i < (size_t) infoNameLength; ++i)
    {
        const int code = i < size ? chars[i] : blank;
        name += (juce::juce_wchar) (code < firstNameCode ? blank : code);
    }

    return name;
}

//==============================================================================
juce::MemoryBlock SysexProtocol::channelProgramSelect (int channel, int msb, int lsb, juce::uint8 device)
{
    return frameBody ({ cmdChannelProgramSelect, channelByte (channel), dataByte (msb), dataByte (lsb) }, device);
}

juce::MemoryBlock SysexProtocol::multiSelect (int number, juce::uint8 device)
{
    // Most significant group first, as for every command outside the transfer family.
    const int n = clamp14 (number);
    return frameBody ({ cmdMultiSelect, highGroup (n), lowGroup (n) }, device);
}

juce::MemoryBlock SysexProtocol::channelSelect (int channel, juce::uint8 device)
{
    return frameBody ({ cmdChannelSelect, channelByte (channel) }, device);
}

juce::MemoryBlock SysexProtocol::objectInfoRequest (int type, int id, juce::uint8 device)
{
    const int t = clamp14 (type);
    const int i = clamp14 (id);
    return frameFull (withPlaceholders ({ cmdTransfer, subInfoRequest, 0x00,
                                          lowGroup (t), highGroup (t),
                                          lowGroup (i), highGroup (i),
                                          sysexEnd }),
                      device);
}

juce::MemoryBlock SysexProtocol::objectChunkRequest (int type, int id, int offset, int length, juce::uint8 device)
{
    const int t = clamp14 (type);
    const int i = clamp14 (id);
    const int o = juce::jlimit (0, max21Bit, offset);
    const int l = juce::jlimit (0, maxChunkLength, length);
    return frameFull (withPlaceholders ({ cmdTransfer, subChunkRequest, 0x00,
                                          lowGroup (t), highGroup (t),
                                          lowGroup (i), highGroup (i),
                                          lowGroup (o), highGroup (o), topGroup (o),
                                          lowGroup (l), highGroup (l), topGroup (l),
                                          sysexEnd }),
                      device);
}

juce::MemoryBlock SysexProtocol::programDataMessage (int part, int blockType, int mode, const juce::MemoryBlock& data, juce::uint8 device)
{
    auto m = withPlaceholders ({ cmdProgramData, 0x00, 0x00,
                                 dataByte (part), dataByte (blockType), 0x00, dataByte (mode) });
    const auto packed = encode7 (data.getData(), data.getSize());   // ends with F7
    m.append (packed.getData(), packed.getSize());
    return frameFull (m, device);
}

juce::MemoryBlock SysexProtocol::objectNameMessage (int command, int id, int part, const juce::String& name, juce::uint8 device)
{
    if (id < 1)
        return {};

    const int i = clamp14 (id);
    juce::MemoryBlock body;
    const juce::uint8 head[] = { dataByte (command), highGroup (i), lowGroup (i), dataByte (part),
                                 0x00, 0x00, nameMessageMarker };
    body.append (head, sizeof (head));
    const auto field = nameField (name);
    body.append (field.getData(), field.getSize());
    auto m = frameBody (body.getData(), body.getSize(), device);
    jassert (m.getSize() == (size_t) nameMessageSize);
    return m;
}

juce::MemoryBlock SysexProtocol::identityRequest()
{
    const juce::uint8 bytes[] = { sysexStart, universalNonRealtime, allDevices, generalInformation, identityRequestSub, sysexEnd };
    return juce::MemoryBlock (bytes, sizeof (bytes));
}

void SysexProtocol::addControllerAddressed (juce::MidiBuffer& buffer, int midiChannel, const int address[5], int value)
{
    const int channel = juce::jlimit (1, 16, midiChannel);

    for (int k = 0; k < 5; ++k)
        buffer.addEvent (juce::MidiMessage::controllerEvent (channel, addressControllers[k],
                                                             address != nullptr ? (int) dataByte (address[k]) : 0),
                         0);

    // Computed in 64 bits so that an extreme value cannot overflow before the clamp.
    const auto offsetValue = (int) juce::jlimit ((juce::int64) 0, (juce::int64) max14Bit,
                                                 (juce::int64) value + addressedValueOffset);
    buffer.addEvent (juce::MidiMessage::controllerEvent (channel, valueMsbController, highGroup (offsetValue)), 0);
    buffer.addEvent (juce::MidiMessage::controllerEvent (channel, valueLsbController, lowGroup (offsetValue)), 0);
}

juce::String SysexProtocol::nackText (int code)
{
    switch (code)
    {
        case 2:  return "Nack_bad_checksum";
        case 3:  return "Nack_bad_type_or_id";
        case 4:  return "Nack_object_not_found";
        case 6:  return "Nack_object_not_prepared";
        case 7:  return "Nack_size_or_offset_bad";
        case 8:  return "Nack_no_mem_to_process";
        case 9:  return "Nack_object_being_edited";
        case 10: return "Nack_mismatched_type_id";
        default: return {};
    }
}

//==============================================================================
bool SysexProtocol::isInstrumentMessage (const juce::uint8* message, size_t size)
{
    return byteAt (message, size, 2) == family && byteAt (message, size, 3) == member;
}

bool SysexProtocol::isIdentityReply (const juce::uint8* message, size_t size)
{
    return byteAt (message, size, 1) == universalNonRealtime && byteAt (message, size, 3) == generalInformation;
}

int SysexProtocol::byteAt (const juce::uint8* message, size_t size, size_t offset) noexcept
{
    return (message != nullptr && offset < size) ? message[offset] : 0;
}

} // namespace zd8

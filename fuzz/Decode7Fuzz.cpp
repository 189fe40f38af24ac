// 7-bit packing and name fields on arbitrary bytes: never reads outside the input, and
// packing round-trips.
#include "link/SysexProtocol.h"

#include <cstdint>
#include <cstdlib>

using zd8::SysexProtocol;

extern "C" int LLVMFuzzerTestOneInput (const uint8_t* data, size_t size)
{
    // As septets from the instrument.
    const auto decoded = SysexProtocol::decode7 (data, size);
    const size_t septets = (size > 0 && data[size - 1] == SysexProtocol::sysexEnd) ? size - 1 : size;
    if (decoded.getSize() != septets * 7 / 8)
        abort();

    // As data we send: every septet a data byte, F7 last, and back unchanged.
    const auto packed = SysexProtocol::encode7 (data, size);
    if (packed.getSize() != SysexProtocol::packedSize (size) + 1)
        abort();
    const auto* p = static_cast<const juce::uint8*> (packed.getData());
    for (size_t i = 0; i + 1 < packed.getSize(); ++i)
        if (p[i] > 0x7F)
            abort();
    if (p[packed.getSize() - 1] != SysexProtocol::sysexEnd)
        abort();
    if (SysexProtocol::decode7 (packed.getData(), packed.getSize()) != juce::MemoryBlock (data, size))
        abort();

    // Name bytes of an object-information reply, and the same text as a name we send.
    const auto name = SysexProtocol::nameFromInfo (data, size);
    if (name.length() != SysexProtocol::infoNameLength)
        abort();
    const auto field = SysexProtocol::nameField (juce::String::fromUTF8 (reinterpret_cast<const char*> (data), (int) size));
    if (field.getSize() != (size_t) SysexProtocol::nameLength)
        abort();

    return 0;
}

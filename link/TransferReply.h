#pragma once

#include <juce_core/juce_core.h>

namespace zd8
{

/** A reply of the transfer family (command 0x5A), decoded. Numbers are sent least
    significant 7-bit group first. */
struct TransferReply
{
    enum class Kind { none, chunk, ack, nack, info };

    Kind kind = Kind::none;
    int type = 0;
    int id = 0;
    int offset = 0;      // chunk: 21-bit
    int length = 0;      // chunk: 21-bit
    int totalSize = 0;   // info: 21-bit
    int nackCode = 0;    // nack: the byte at offset 7, right after the sub-command (the
                         // instrument's tables leave its place open; the receive loop
                         // treats every Nack alike)
    juce::String name;   // info: offsets 16..35, always 20 characters (see nameFromInfo)
    juce::MemoryBlock data; // chunk: decoded from offset 18 up to the last three bytes

    /** message points at the 0xF0 (a copy without it: pass withoutStart = true).
        kind is none when the message is not a transfer reply (no 0xF0 where one is
        expected, no final 0xF7, not 0x46 0x01 at offsets 2..3, not command 0x5A, or a
        sub-command other than 1, 2, 3, 5). Number fields missing from a short message,
        or covered by the final 0xF7, read as 0; only the low seven bits of each field
        byte count. Never reads outside size. */
    static TransferReply parse (const juce::uint8* message, size_t size, bool withoutStart = false);
};

} // namespace zd8

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
    int nackCode = 0;    // nack: the byte at offset 7
    juce::String name;   // info: offsets 16..35
    juce::MemoryBlock data; // chunk: decoded from offset 18 up to the last three bytes

    /** message points at the 0xF0 (a copy without it: pass withoutStart = true).
        kind is none when the message is not a transfer reply. Never reads outside size. */
    static TransferReply parse (const juce::uint8* message, size_t size, bool withoutStart = false);
};

} // namespace zd8

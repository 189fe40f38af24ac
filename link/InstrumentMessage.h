#pragma once

#include <juce_core/juce_core.h>

namespace zd8
{

/** What a complete incoming instrument system-exclusive message (0xF0 .. 0xF7) means
    while no transfer is running: the dispatch and length rules of the instrument's
    object-data and status messages, as a pure function. The hub applies the result. */
struct InstrumentMessage
{
    enum class Route
    {
        ignore,              // not ours, too short, wrong length, part 32, status reply, unknown command
        identityReply,       // offset 1 = 0x7E, offset 3 = 0x06
        transfer,            // command 0x5A: hand to the transfer engine
        discard,             // valid, decoded and thrown away (0x02/0, 0x05, 0x0B/5, 0x0D)
        programEditBlock,    // 0x02 block type 1: data + blockIndex to the channel's edit buffer
        programChanged,      // 0x02 block types 2 ('#') and 4 ('!'): mark, notify
        programDataReplace,  // 0x02 block type 6 ('$'): data replaces the slot's object data
        masterData,          // 0x04 block types 0..3: data into master block masterBlock
        multiHeader,         // 0x0B block type 0: header (first 20 bytes without 0xF0) + data
        multiBlock1,         // 0x0B block type 1
        multiBlock2          // 0x0B block type 2, with blockIndex
    };

    Route route = Route::ignore;
    int command = 0;
    int objectNumber = 0;  // offsets 6..7, most significant first
    int part = 0;          // offset 8
    int blockType = 0;     // offset 9
    int blockIndex = 0;    // offset 10
    char mark = 0;         // '#', '!' or '$' for the program routes
    int masterBlock = 0;   // master block 1..4 for masterData (also its last-change code)
    juce::MemoryBlock header;  // multiHeader: the first 20 bytes of the message without its 0xF0
    juce::MemoryBlock data;    // decoded object data (0x02 block type 0: its first 120 bytes)

    /** message points at the 0xF0. Never reads outside size bytes. A message that does
        not start with 0xF0 and end with 0xF7 is ignored; the packed data runs from the
        row's data offset up to, not including, the final 0xF7. */
    static InstrumentMessage parse (const juce::uint8* message, size_t size);
};

} // namespace zd8

#pragma once

#include "model/ParameterTable.h"

#include <juce_core/juce_core.h>

#include <optional>
#include <vector>

namespace zd8
{

/** The plug-in's state as a host keeps it in a project (and the Standalone in its
    settings): the bank chunk, then the live section.

    Live section (all numbers big-endian):
      0   14  "ZD8_Live_State"
      14  10  "Version100"
      24   4  length of what follows
      28   2  current Arrangement slot (0..63)
      30   2  window width, 32 2 window height (0: the window's own default)
      34   2  count of values (the table's 2314)
      36  4n  the slots' values, signed 32-bit, slot 0 first

    Behind the bank's 64 records, the section is what any bank-chunk reader ignores: it
    copies everything after the bank's tags over its records and uses the first 64. A
    chunk without a whole section (an older project, a bank file) is a bank alone. */
class ProjectState
{
public:
    static constexpr const char* liveTag = "ZD8_Live_State";
    static constexpr int liveTagSize = 14;
    static constexpr int liveHeaderSize = 28;
    static constexpr int liveFixedSize = 8; // slot, window size, count

    struct Live
    {
        int slot = 0;
        int editorWidth = 0, editorHeight = 0;
        std::vector<int> values;
    };

    static juce::MemoryBlock makeLiveSection (const Live& live);

    /** The live section at data, when it is there whole. Each value is brought into what
        its slot can hold; slots the section lacks keep what table holds now (brought
        into the same range); a slot
        number outside 0..63 reads as 0, a window side outside 100..8192 pixels as 0. */
    static std::optional<Live> readLiveSection (const void* data, size_t size, const ParameterTable& table);
};

} // namespace zd8

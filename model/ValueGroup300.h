#pragma once

#include <juce_core/juce_core.h>

namespace zd8
{

/** Value texts of the description codes 300..399: the enumerated settings of the
    master effects, zones, arpeggiator, riffs and controllers. Pure, any thread.

    A value a code's list leaves out gives empty text, also for the codes whose lists
    only name some values (the instrument never sends those). */
class ValueGroup300
{
public:
    /** Text of value v for code (300..399); a code without a list shows the number. */
    static juce::String format (int code, int v);
};

} // namespace zd8

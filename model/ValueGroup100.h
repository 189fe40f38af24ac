#pragma once

#include <juce_core/juce_core.h>

namespace zd8
{

/** Value texts of the description codes 100..199 (rates, tuning, pan, levels, channel
    and mode switches). Pure, any thread. */
class ValueGroup100
{
public:
    /** Text of value v for code (100..199); an unlisted code shows the number. */
    static juce::String format (int code, int v);
};

} // namespace zd8

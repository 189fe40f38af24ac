#pragma once

#include <juce_core/juce_core.h>

namespace zd8
{

/** Value texts of the description codes 200..299 (tuning, transposition, controller
    assignments). Pure, any thread. */
class ValueGroup200
{
public:
    /** Text of value v for code (200..299); an unlisted code shows the number. */
    static juce::String format (int code, int v);
};

} // namespace zd8

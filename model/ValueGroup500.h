#pragma once

#include <juce_core/juce_core.h>

namespace zd8
{

/** Value texts of the description codes 500..599 (arpeggiator settings).
    Pure, any thread. A value a code's list leaves out gives empty text. */
class ValueGroup500
{
public:
    /** Text of value v for code (500..599); a code without a list shows the number. */
    static juce::String format (int code, int v);
};

} // namespace zd8

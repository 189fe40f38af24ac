#pragma once

#include <juce_core/juce_core.h>

namespace zd8
{

/** The two label tables the parameter slots are named from, by label code. */
class ParameterLabels
{
public:
    /** Program rows (display kind 15); an unknown code gives "Index " + code. */
    static juce::String programRowLabel (int code);
    /** Global slots (display kind 19); an unknown code gives empty text. */
    static juce::String globalLabel (int code);
};

} // namespace zd8

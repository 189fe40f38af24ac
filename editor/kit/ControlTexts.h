#pragma once

#include <juce_core/juce_core.h>

namespace zd8
{

/** Short texts of the controls page. */
class ControlTexts
{
public:
    /** "ON" or "OFF". */
    static juce::String onOff (bool on);
    /** FX routing: 0 "PRG", 1 "POST", 2 "PRE"; any other value gives empty text. */
    static juce::String routing (int value);
};

} // namespace zd8

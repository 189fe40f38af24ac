#pragma once

#include <juce_graphics/juce_graphics.h>

namespace zd8gen
{

/** The turning controls: the 55-frame knob strips and their backing, the four sheets of
    the 36-position large knob and the 35-frame pitch/modulation wheel strip. */
class KnobPictures
{
public:
    /** Draws the picture of that name into g (width x height, transparent to start
        with); false when the name is not one of this family's. */
    static bool draw (const juce::String& name, juce::Graphics& g, int width, int height);

    static constexpr int knobFrames = 55;
    static constexpr int knobSize = 46;
    static constexpr int knobPitch = 47;
    static constexpr int bigKnobFramesPerSheet = 9;
    static constexpr int bigKnobSize = 100;
    static constexpr int bigKnobPitch = 101;
    static constexpr int wheelFrames = 35;
    static constexpr int wheelWidth = 65;
    static constexpr int wheelPitch = 68;

private:
    static void knobFrame (juce::Graphics&, juce::Rectangle<float> cell, float position, juce::Colour arc);
    static void knobBack (juce::Graphics&, juce::Rectangle<float> cell);
    static void bigKnobFrame (juce::Graphics&, juce::Rectangle<float> cell, int position);
    static void wheelFrame (juce::Graphics&, juce::Rectangle<float> cell, float position);
};

} // namespace zd8gen

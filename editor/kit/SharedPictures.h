#pragma once

#include <juce_graphics/juce_graphics.h>

namespace zd8
{

/** The pictures that many widgets show at once, decoded once and kept: the knob
    strips and their backing, value bars, switches, slider parts, lamps and the value
    tag. The editor holds one per process, shared through
    juce::SharedResourcePointer<SharedPictures>. Message thread only. */
class SharedPictures
{
public:
    enum Picture
    {
        knobStripA,
        knobStripB,
        knobBack,
        valueBar,
        valueBarCap,
        switchOff,
        switchOn,
        sliderTrack,
        sliderThumb,
        lampOff,
        lampOn,
        valueTag,
        numPictures
    };

    static constexpr int knobCell = 46;       // a knob frame is 46x46
    static constexpr int knobPitch = 47;      // frames sit 47 px apart in a strip
    static constexpr int maxKnobFrame = 54;
    static constexpr int knobLift = 14;       // the knob is drawn this far above its y

    SharedPictures();

    const juce::Image& get (Picture which) const noexcept { return pictures[which]; }

    /** Draws knob frame (0..54, clamped) of strip 0 or 1 after its backing, 46 x scale
        pixels square with its top left at (scale * x, y - 14 * scale). */
    void drawKnob (juce::Graphics& g, int frame, int strip, int x, int y, float scale) const;

private:
    juce::Image pictures[numPictures];

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (SharedPictures)
};

} // namespace zd8

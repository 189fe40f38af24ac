#pragma once

#include <juce_graphics/juce_graphics.h>

namespace zd8gen
{

/** The channel monitor of the controls page (background, slider marker, level strips,
    wheel marker) and the keyboard strip of the multi page's zones. */
class MonitorPictures
{
public:
    /** Draws the picture of that name into g (width x height, transparent to start
        with); false when the name is not one of this family's. */
    static bool draw (const juce::String& name, juce::Graphics& g, int width, int height);

    static constexpr int levelStrips = 11;
    static constexpr int levelStripWidth = 3;

private:
    static void monitorBack (juce::Graphics&, juce::Rectangle<float>);
    static void levels (juce::Graphics&, int height);
    static void zoneKeys (juce::Graphics&, int width, int height);
};

} // namespace zd8gen

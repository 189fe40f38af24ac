#pragma once

#include <juce_graphics/juce_graphics.h>

namespace zd8gen
{

/** The main window's logo, top bar and wooden side panel, the panel painter's edges,
    corners, texture and overlay, and the backgrounds of the object display and list. */
class PanelPictures
{
public:
    /** Draws the picture of that name into g (width x height, transparent to start
        with); false when the name is not one of this family's. */
    static bool draw (const juce::String& name, juce::Graphics& g, int width, int height);

    /** The product name set in the logo's lettering, fitted into an area (also used
        by the About picture). */
    static void logoText (juce::Graphics&, juce::Rectangle<float> area);

private:
    static void topBar (juce::Graphics&, int width, int height);
    static void wood (juce::Graphics&, int width, int height);
    static void edge (juce::Graphics&, int width, int height, bool horizontal, bool lit);
    static void corner (juce::Graphics&, int size, bool right, bool bottom);
    static void texture (juce::Graphics&, int width, int height);
    static void overlay (juce::Graphics&, int width, int height);
    static void lcdBack (juce::Graphics&, int width, int height);
    static void listBack (juce::Graphics&, int width, int height);
    static void scrollThumb (juce::Graphics&, int width, int height);
};

} // namespace zd8gen

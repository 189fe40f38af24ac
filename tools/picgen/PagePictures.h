#pragma once

#include <juce_graphics/juce_graphics.h>

namespace zd8gen
{

/** Whole-page pictures: the program page's two backgrounds (standard and organ layout)
    and the About panel's product picture. */
class PagePictures
{
public:
    /** Draws the picture of that name into g (width x height, transparent to start
        with); false when the name is not one of this family's. */
    static bool draw (const juce::String& name, juce::Graphics& g, int width, int height);

private:
    static void pageBase (juce::Graphics&, int width, int height);
    static void section (juce::Graphics&, juce::Rectangle<float> area, const juce::String& caption, bool captionAbove);
    static void standardPage (juce::Graphics&, int width, int height);
    static void organPage (juce::Graphics&, int width, int height);
    static void about (juce::Graphics&, int width, int height);
};

} // namespace zd8gen

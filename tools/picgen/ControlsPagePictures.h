#pragma once

#include <juce_graphics/juce_graphics.h>

namespace zd8gen
{

/** The controls page: its 950x420 front panel (without texts: the page prints the
    label sets onto it), the plate that sits behind each label and the small "TW7"
    badge that marks the organ labels. */
class ControlsPagePictures
{
public:
    /** Draws the picture of that name into g (width x height, transparent to start
        with); false when the name is not one of this family's. */
    static bool draw (const juce::String& name, juce::Graphics& g, int width, int height);

private:
    static void panel (juce::Graphics&, int width, int height);
    static void labelPlate (juce::Graphics&, int width, int height);
    static void organBadge (juce::Graphics&, int width, int height);
};

} // namespace zd8gen

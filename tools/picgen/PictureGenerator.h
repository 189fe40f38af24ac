#pragma once

#include <juce_graphics/juce_graphics.h>

namespace zd8gen
{

/** Draws the editor's pictures by catalogue name and packs them: one zip of PNGs for
    the build to embed, or a contact sheet for the documentation. */
class PictureGenerator
{
public:
    /** The picture of catalogue size width x height, drawn scale times as dense (an
        image of width * scale x height * scale); an invalid image when no family draws
        that name. */
    static juce::Image render (const juce::String& name, int width, int height, int scale = 1);

    /** Every catalogue picture as "<name>.png" and, twice as dense, "<name>@2x.png" in
        one zip archive. Returns an error text, empty on success. */
    static juce::String writeZip (const juce::File& zip);

    /** A contact sheet of small versions of every picture, as PNG. */
    static juce::String writeContactSheet (const juce::File& png);

    /** Every catalogue picture, at both densities, as its own PNG in a folder (for
        looking at them). */
    static juce::String writeFolder (const juce::File& folder);
};

} // namespace zd8gen

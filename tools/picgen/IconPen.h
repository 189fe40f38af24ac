#pragma once

#include <juce_graphics/juce_graphics.h>

namespace zd8gen
{

/** Draws the category icons: every icon is drawn in a 100 x 50 design space that the
    pen maps into the target box; stroke widths are in design units too. */
class IconPen
{
public:
    IconPen (juce::Graphics&, juce::Rectangle<float> box);

    void fill (const juce::Path&, juce::Colour) const;
    void stroke (const juce::Path&, float width, juce::Colour) const;
    void rect (float x, float y, float w, float h, juce::Colour, float corner = 0.0f) const;
    void line (float x1, float y1, float x2, float y2, float width, juce::Colour) const;
    void circle (float cx, float cy, float r, juce::Colour) const;

    /** A keyboard of white keys with the black keys between, its top edge in the accent;
        reversed swaps the colours like a combo organ's keys. */
    void keyboard (float x, float y, float w, float h, int whiteKeys, bool reversed = false) const;

    // Icon palette
    static juce::Colour ink() { return juce::Colour (0xffe2e2e2); }
    static juce::Colour dim() { return juce::Colour (0xff6a6a6a); }
    static juce::Colour dark() { return juce::Colour (0xff0d0d0d); }

private:
    juce::Graphics& g;
    juce::AffineTransform transform;
    float scale;
};

} // namespace zd8gen

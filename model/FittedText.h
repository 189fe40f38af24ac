#pragma once

#include <juce_graphics/juce_graphics.h>

namespace zd8
{

/** One line of text made to fit a width without losing a letter to the edge: drawn at
    the largest size from the preferred one down to a legible minimum at which the whole
    text fits, or else at the minimum, cut after the last whole character that leaves
    room for an ellipsis. Sizes are font heights in pixels; widths are measured with the
    font that draws the text. Message thread (fonts). */
class FittedText
{
public:
    static constexpr float sizeStep = 0.5f;
    static const juce::String ellipsis;

    juce::String text;
    float size = 0.0f;

    bool isShortened() const noexcept { return text.endsWith (ellipsis); }

    /** The fitted form of s for an area width px wide. */
    static FittedText fit (const juce::String& s, const juce::String& typeface, float preferredSize,
                           float minimumSize, float width);

    /** Width of s in the typeface at size (pixels). */
    static float widthOf (const juce::String& s, const juce::String& typeface, float size);

    /** Draws the fitted text in area with the current colour. */
    void draw (juce::Graphics& g, const juce::String& typeface, juce::Rectangle<int> area,
               juce::Justification justification) const;
};

} // namespace zd8

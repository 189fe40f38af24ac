#pragma once

#include <juce_graphics/juce_graphics.h>

namespace zd8gen
{

/** The palette and the drawing helpers that every picture family shares, so that the
    whole kit reads as one dark, stage-friendly look. */
class PictureKit
{
public:
    // Palette (ARGB)
    static constexpr juce::uint32 panel = 0xff191919;
    static constexpr juce::uint32 panelDeep = 0xff121212;
    static constexpr juce::uint32 panelLift = 0xff2a2a2a;
    static constexpr juce::uint32 edgeLight = 0xff4a4a4a;
    static constexpr juce::uint32 edgeDark = 0xff060606;
    static constexpr juce::uint32 amber = 0xffd0a304;
    static constexpr juce::uint32 amberLight = 0xffe6c86c;
    static constexpr juce::uint32 blue = 0xff3c9ad8;
    static constexpr juce::uint32 blueLight = 0xff8cc8f0;
    static constexpr juce::uint32 textGrey = 0xffb8b8b8;

    static juce::Colour c (juce::uint32 argb) { return juce::Colour (argb); }

    /** Bold or plain sans-serif font of the given height in pixels. */
    static juce::Font font (float height, bool bold = false);

    /** Vertical gradient fill of a (rounded) rectangle. */
    static void fillGradient (juce::Graphics&, juce::Rectangle<float> area, juce::Colour top, juce::Colour bottom,
                              float corner = 0.0f);

    /** A raised box: gradient body, light upper and dark lower edge. */
    static void raisedBox (juce::Graphics&, juce::Rectangle<float> area, juce::Colour top, juce::Colour bottom,
                           float corner);

    /** A recessed well: dark body with an inner shadow at the top and a light lower lip. */
    static void recessedBox (juce::Graphics&, juce::Rectangle<float> area, float corner);

    /** Fine horizontal brushing over an area (deterministic for a seed). */
    static void brush (juce::Graphics&, juce::Rectangle<int> area, int seed, float strength);

    /** A glowing round lamp. */
    static void glow (juce::Graphics&, juce::Point<float> centre, float radius, juce::Colour colour);

    /** Point at an angle in radians, clockwise from twelve o'clock. */
    static juce::Point<float> polar (juce::Point<float> centre, float radius, float angle);
};

} // namespace zd8gen

#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

namespace zd8
{

/** The editor's look: the panel painter that draws bars and frames from the edge,
    corner, texture and overlay pictures (decoded on first use), and the look of the
    framework's pop-up menus (black background, white text, grey highlight) and of the
    tooltips (the menus' black and white, a grey rim, Arial 13).
    One is shared by every page of every editor in the process through
    juce::SharedResourcePointer<ZD8LookAndFeel>. Message thread only. */
class ZD8LookAndFeel : public juce::LookAndFeel_V4
{
public:
    static constexpr int edge = 7;              // edge strips are 7 px thick
    static constexpr int corner = 20;
    static constexpr int textureInset = 5;
    static constexpr int textureMaxWidth = 1009;
    static constexpr int textureStep = 114;     // taller panels repeat the texture every 114 px

    ZD8LookAndFeel();

    /** A panel of width x height at (0, 0): the texture from (5, 5) over the inside (at
        most 1009 wide, repeated downwards every 114 px on panels taller than 113),
        edges and corners around it, then the overlay stretched over the panel at the
        tint's opacity. */
    void paintBar (juce::Graphics& g, int width, int height, juce::Colour tint);

    /** A dark frame with 20-pixel rounded corners (rim and body from the palette) and
        the edge pictures, rendered off-screen first and then drawn at (x, y); where g
        draws at more than one device pixel per pixel, drawn straight at (x, y). */
    void paintFrame (juce::Graphics& g, int x, int y, int width, int height);

    /** A picture on a black field of its size, centred on (x, y), scaled. */
    void paintCentred (juce::Graphics& g, const juce::Image& picture, int x, int y, float scale = 1.0f);

    // Pop-up menus.
    juce::Font getPopupMenuFont() override;

    // Tooltips.
    static constexpr float tooltipTextSize = 13.0f;
    static constexpr int tooltipMaxWidth = 400;
    juce::Rectangle<int> getTooltipBounds (const juce::String& text, juce::Point<int> screenPosition,
                                           juce::Rectangle<int> parentArea) override;
    void drawTooltip (juce::Graphics&, const juce::String& text, int width, int height) override;

private:
    void loadPictures();
    void drawEdges (juce::Graphics& g, int width, int height) const;

    bool loaded = false;
    juce::Image edgeTop, edgeBottom, edgeLeft, edgeRight;
    juce::Image cornerTopLeft, cornerTopRight, cornerBottomLeft, cornerBottomRight;
    juce::Image texture, overlay;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (ZD8LookAndFeel)
};

} // namespace zd8

#include "editor/kit/ZD8LookAndFeel.h"

#include "editor/kit/Palette.h"
#include "editor/kit/PictureDraw.h"
#include "editor/kit/Pictures.h"

namespace zd8
{

namespace
{
    const juce::Colour frameRim (Palette::pageFill);
    const juce::Colour frameBody (Palette::frameBody);
    const juce::Colour menuBackground (Palette::menuBackground);
    const juce::Colour menuText (Palette::textWhite);
    const juce::Colour menuHighlight (Palette::menuHighlight);
    const juce::Colour tooltipRim (Palette::textDim);

    constexpr int tooltipPadX = 8, tooltipHeight = 22, tooltipOffset = 12;

    void drawStretched (juce::Graphics& g, const juce::Image& picture, int x, int y, int w, int h)
    {
        if (w > 0 && h > 0)
            PictureDraw::draw (g, picture, { x, y, w, h }, picture.getBounds());
    }
}

ZD8LookAndFeel::ZD8LookAndFeel()
{
    setColour (juce::PopupMenu::backgroundColourId, menuBackground);
    setColour (juce::PopupMenu::textColourId, menuText);
    setColour (juce::PopupMenu::headerTextColourId, menuText);
    setColour (juce::PopupMenu::highlightedBackgroundColourId, menuHighlight);
    setColour (juce::PopupMenu::highlightedTextColourId, menuText);
    setColour (juce::TooltipWindow::backgroundColourId, menuBackground);
    setColour (juce::TooltipWindow::textColourId, menuText);
    setColour (juce::TooltipWindow::outlineColourId, tooltipRim);
}

void ZD8LookAndFeel::loadPictures()
{
    if (loaded)
        return;
    loaded = true;
    edgeTop = Pictures::get ("edge_top");
    edgeBottom = Pictures::get ("edge_bottom");
    edgeLeft = Pictures::get ("edge_left");
    edgeRight = Pictures::get ("edge_right");
    cornerTopLeft = Pictures::get ("corner_top_left");
    cornerTopRight = Pictures::get ("corner_top_right");
    cornerBottomLeft = Pictures::get ("corner_bottom_left");
    cornerBottomRight = Pictures::get ("corner_bottom_right");
    texture = Pictures::get ("texture");
    overlay = Pictures::get ("overlay");
}

void ZD8LookAndFeel::drawEdges (juce::Graphics& g, int width, int height) const
{
    const int along = width - 2 * corner, down = height - 2 * corner;
    drawStretched (g, edgeTop, corner, 0, along, edge);
    drawStretched (g, edgeBottom, corner, height - edge, along, edge);
    drawStretched (g, edgeLeft, 0, corner, edge, down);
    drawStretched (g, edgeRight, width - edge, corner, edge, down);

    PictureDraw::drawAt (g, cornerTopLeft, 0, 0);
    PictureDraw::drawAt (g, cornerTopRight, width - corner, 0);
    PictureDraw::drawAt (g, cornerBottomLeft, 0, height - corner);
    PictureDraw::drawAt (g, cornerBottomRight, width - corner, height - corner);
}

void ZD8LookAndFeel::paintBar (juce::Graphics& g, int width, int height, juce::Colour tint)
{
    if (width <= 0 || height <= 0)
        return;
    loadPictures();

    const int w = juce::jmin (width - 2 * textureInset, textureMaxWidth);
    const int h = height - 2 * textureInset;
    if (w > 0 && h > 0)
    {
        // One texture tile is 114 px high: short bars show its top part, taller ones repeat it.
        const int step = height > textureStep - 1 ? textureStep : h;
        for (int y = 0; y < h; y += step)
        {
            const int rows = juce::jmin (step, h - y, texture.getHeight());
            PictureDraw::draw (g, texture, { textureInset, textureInset + y, w, rows }, { 0, 0, w, rows });
        }
    }

    drawEdges (g, width, height);

    g.setColour (tint);
    PictureDraw::draw (g, overlay, { 0, 0, width, height }, overlay.getBounds());
}

void ZD8LookAndFeel::paintFrame (juce::Graphics& g, int x, int y, int width, int height)
{
    if (width <= 0 || height <= 0)
        return;
    loadPictures();

    auto draw = [this, width, height] (juce::Graphics& fg)
    {
        fg.setColour (frameRim);
        fg.fillRoundedRectangle (0.0f, 0.0f, (float) width, (float) height, (float) corner);
        fg.setColour (frameBody);
        fg.fillRoundedRectangle ((float) edge, (float) edge, (float) (width - 2 * edge), (float) (height - 2 * edge),
                                 (float) (corner - edge));
        drawEdges (fg, width, height);
    };

    // Where a frame pixel covers more than one device pixel (a scaled window, a
    // high-density display) it is drawn straight onto the page: the off-screen copy is
    // made for every call anyway, and drawn back between device pixels (at 150 %) it
    // would come out blurred. The rim is then as sharp as the display allows and the
    // edges come from their double-density pictures.
    if (PictureDraw::pixelScale (g) > 1.0f)
    {
        const juce::Graphics::ScopedSaveState state (g);
        g.setOrigin ({ x, y });
        draw (g);
        return;
    }
    juce::Image frame (juce::Image::ARGB, width, height, true);
    {
        juce::Graphics fg (frame);
        draw (fg);
    }
    g.drawImageAt (frame, x, y);
}

void ZD8LookAndFeel::paintCentred (juce::Graphics& g, const juce::Image& picture, int x, int y, float scale)
{
    if (! picture.isValid() || scale <= 0.0f)
        return;
    const auto area = juce::Rectangle<float> (picture.getWidth() * scale, picture.getHeight() * scale)
                          .withCentre ({ (float) x, (float) y });
    g.setColour (juce::Colours::black);
    g.fillRect (area);
    PictureDraw::draw (g, picture, area);
}

juce::Font ZD8LookAndFeel::getPopupMenuFont()
{
    return juce::Font ("Arial", 14.0f, juce::Font::plain);
}

juce::Rectangle<int> ZD8LookAndFeel::getTooltipBounds (const juce::String& text, juce::Point<int> screenPosition,
                                                      juce::Rectangle<int> parentArea)
{
    const juce::Font font ("Arial", tooltipTextSize, juce::Font::plain);
    const int w = juce::jmin (tooltipMaxWidth, font.getStringWidth (text) + 2 * tooltipPadX);
    // Below and right of the pointer, kept inside the area (left of or above it near the edges).
    const int x = screenPosition.x + w + tooltipOffset > parentArea.getRight() ? screenPosition.x - w - 4
                                                                              : screenPosition.x + tooltipOffset;
    const int y = screenPosition.y + tooltipHeight + tooltipOffset > parentArea.getBottom()
                      ? screenPosition.y - tooltipHeight - 6
                      : screenPosition.y + tooltipOffset;
    return juce::Rectangle<int> (x, y, w, tooltipHeight).constrainedWithin (parentArea);
}

void ZD8LookAndFeel::drawTooltip (juce::Graphics& g, const juce::String& text, int width, int height)
{
    const juce::Rectangle<float> area (0.0f, 0.0f, (float) width, (float) height);
    g.setColour (findColour (juce::TooltipWindow::backgroundColourId));
    g.fillRect (area);
    g.setColour (findColour (juce::TooltipWindow::outlineColourId));
    g.drawRect (area, 1.0f);
    g.setColour (findColour (juce::TooltipWindow::textColourId));
    g.setFont (juce::Font ("Arial", tooltipTextSize, juce::Font::plain));
    g.drawText (text, area.reduced ((float) tooltipPadX, 0.0f), juce::Justification::centredLeft, true);
}

} // namespace zd8

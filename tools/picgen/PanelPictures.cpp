#include "tools/picgen/PanelPictures.h"

#include "tools/picgen/PictureKit.h"

#include <cmath>

namespace zd8gen
{

namespace
{
    using K = PictureKit;
    constexpr float cornerRadius = 12.0f;
}

bool PanelPictures::draw (const juce::String& name, juce::Graphics& g, int width, int height)
{
    if (name == "logo")
        logoText (g, { 0.0f, 0.0f, (float) width, (float) height });
    else if (name == "top_bar")
        topBar (g, width, height);
    else if (name == "wood_side")
        wood (g, width, height);
    else if (name == "edge_top" || name == "edge_bottom")
        edge (g, width, height, true, name.endsWith ("top"));
    else if (name == "edge_left" || name == "edge_right")
        edge (g, width, height, false, name.endsWith ("left"));
    else if (name.startsWith ("corner_"))
        corner (g, width, name.contains ("right"), name.contains ("bottom"));
    else if (name == "texture")
        texture (g, width, height);
    else if (name == "overlay")
        overlay (g, width, height);
    else if (name == "lcd_back")
        lcdBack (g, width, height);
    else if (name == "list_back")
        listBack (g, width, height);
    else if (name == "scroll_thumb")
        scrollThumb (g, width, height);
    else
        return false;
    return true;
}

void PanelPictures::logoText (juce::Graphics& g, juce::Rectangle<float> area)
{
    // "BRISVANE" in brushed silver, "ZD8" in the amber accent, scaled together to fill the
    // area's width with a little air.
    const juce::String brand ("BRISVANE"), model ("ZD8");
    auto font = K::font (100.0f, true).withExtraKerningFactor (0.06f);
    const float gap = 0.35f * font.getHeight();
    const float natural = font.getStringWidthFloat (brand) + gap + font.getStringWidthFloat (model);
    const float scale = juce::jmin ((area.getWidth() - 8.0f) / natural, area.getHeight() * 0.95f / font.getAscent());
    font = font.withHeight (font.getHeight() * scale);
    const float baseline = area.getCentreY() + font.getAscent() * 0.36f;

    juce::GlyphArrangement brandGlyphs, modelGlyphs;
    brandGlyphs.addLineOfText (font, brand, area.getX() + 4.0f, baseline);
    modelGlyphs.addLineOfText (font, model, area.getX() + 4.0f + font.getStringWidthFloat (brand) + gap * scale, baseline);
    juce::Path brandPath, modelPath;
    brandGlyphs.createPath (brandPath);
    modelGlyphs.createPath (modelPath);

    const auto top = brandPath.getBounds().getY(), bottom = brandPath.getBounds().getBottom();
    g.setColour (juce::Colours::black.withAlpha (0.7f));
    g.fillPath (brandPath, juce::AffineTransform::translation (1.5f, 2.0f));
    g.fillPath (modelPath, juce::AffineTransform::translation (1.5f, 2.0f));

    juce::ColourGradient silver (K::c (0xfff4f4f4), 0.0f, top, K::c (0xff8e8e8e), 0.0f, bottom, false);
    silver.addColour (0.5, K::c (0xffd0d0d0));
    silver.addColour (0.55, K::c (0xffa8a8a8));
    g.setGradientFill (silver);
    g.fillPath (brandPath);

    juce::ColourGradient gold (K::c (K::amberLight), 0.0f, top, K::c (0xffa07a00), 0.0f, bottom, false);
    gold.addColour (0.5, K::c (K::amber));
    g.setGradientFill (gold);
    g.fillPath (modelPath);
}

void PanelPictures::topBar (juce::Graphics& g, int width, int height)
{
    const juce::Rectangle<float> all (0.0f, 0.0f, (float) width, (float) height);
    K::fillGradient (g, all, K::c (0xff2c2c2c), K::c (0xff121212));
    K::brush (g, { 0, 0, width, height }, 7, 0.08f);
    g.setColour (juce::Colours::white.withAlpha (0.12f));
    g.fillRect (0, 0, width, 1);
    g.setColour (juce::Colours::black);
    g.fillRect (0, height - 3, width, 3);
    juce::ColourGradient line (K::c (K::amber).withAlpha (0.0f), 0.0f, 0.0f, K::c (K::amber).withAlpha (0.0f), (float) width, 0.0f,
                               false);
    line.addColour (0.5, K::c (K::amber));
    g.setGradientFill (line);
    g.fillRect (0, height - 2, width, 1);
}

void PanelPictures::wood (juce::Graphics& g, int width, int height)
{
    // Warm rosewood: vertical grain lines that wander slowly, a few darker streaks and
    // a rounded edge light. Seeded, so every build draws the same board.
    g.fillAll (K::c (0xff5a2e17));
    juce::Random random (1460);
    for (int i = 0; i < 26; ++i)
    {
        const float x0 = random.nextFloat() * (float) width;
        const float amplitude = 0.4f + random.nextFloat() * 1.4f;
        const float period = 90.0f + random.nextFloat() * 260.0f;
        const float phase = random.nextFloat() * 6.28f;
        const bool dark = random.nextBool();
        g.setColour (dark ? K::c (0xff2e1407).withAlpha (0.25f + random.nextFloat() * 0.35f)
                          : K::c (0xffa0603a).withAlpha (0.12f + random.nextFloat() * 0.2f));
        const float thickness = 0.5f + random.nextFloat() * 1.2f;
        juce::Path grain;
        grain.startNewSubPath (x0, 0.0f);
        for (int y = 4; y <= height; y += 4)
            grain.lineTo (x0 + amplitude * std::sin ((float) y / period * 6.28f + phase), (float) y);
        g.strokePath (grain, juce::PathStrokeType (thickness));
    }
    g.setGradientFill (juce::ColourGradient (juce::Colours::black.withAlpha (0.45f), 0.0f, 0.0f, juce::Colours::transparentBlack,
                                             (float) width * 0.5f, 0.0f, false));
    g.fillRect (0, 0, width / 2, height);
    g.setGradientFill (juce::ColourGradient (juce::Colours::transparentBlack, (float) width * 0.5f, 0.0f,
                                             juce::Colours::black.withAlpha (0.55f), (float) width, 0.0f, false));
    g.fillRect (width / 2, 0, width - width / 2, height);
    g.setColour (juce::Colours::white.withAlpha (0.10f));
    g.fillRect (3, 0, 1, height);
}

void PanelPictures::edge (juce::Graphics& g, int width, int height, bool horizontal, bool lit)
{
    // Seven rows across the edge, from the outside in: a dark outline, a bevel line (light
    // on the top and left edges, dark on the others) and the panel colour.
    const int depth = horizontal ? height : width;
    for (int i = 0; i < depth; ++i)
    {
        juce::Colour colour = K::c (K::panel);
        if (i == 0)
            colour = K::c (K::edgeDark);
        else if (i == 1)
            colour = lit ? K::c (0xff484848) : K::c (0xff0c0c0c);
        else if (i == 2)
            colour = lit ? K::c (0xff303030) : K::c (0xff131313);
        else
            colour = K::c (K::panel).interpolatedWith (K::c (lit ? 0xff262626 : 0xff151515), (float) (depth - i) / (float) depth);
        const int pos = lit ? i : depth - 1 - i;
        g.setColour (colour);
        if (horizontal)
            g.fillRect (0, pos, width, 1);
        else
            g.fillRect (pos, 0, 1, height);
    }
}

void PanelPictures::corner (juce::Graphics& g, int size, bool right, bool bottom)
{
    // A quarter of a rounded panel, the rest transparent; the bevel matches the edges.
    const float s = (float) size;
    const juce::Rectangle<float> panelRect (right ? -2.0f * s : 0.0f, bottom ? -2.0f * s : 0.0f, 3.0f * s, 3.0f * s);
    g.setColour (K::c (K::panel));
    g.fillRoundedRectangle (panelRect, cornerRadius);
    const bool lit = ! right && ! bottom;
    g.setColour (lit ? K::c (0xff484848) : (right && bottom ? K::c (0xff0c0c0c) : K::c (0xff2c2c2c)));
    g.drawRoundedRectangle (panelRect.reduced (1.5f), cornerRadius - 1.5f, 1.0f);
    g.setColour (K::c (K::edgeDark));
    g.drawRoundedRectangle (panelRect.reduced (0.5f), cornerRadius, 1.0f);
}

void PanelPictures::texture (juce::Graphics& g, int width, int height)
{
    // Brushed dark metal. The panel painter tiles it vertically every 114 pixels, so it
    // has no vertical gradient; the grain is horizontal streaks of varying length.
    g.fillAll (K::c (0xff1b1b1b));
    juce::Random random (29565);
    for (int i = 0; i < 1300; ++i)
    {
        const float y = (float) random.nextInt (height);
        const float x = random.nextFloat() * (float) width;
        const float length = 20.0f + random.nextFloat() * 180.0f;
        const bool light = random.nextBool();
        g.setColour ((light ? juce::Colours::white : juce::Colours::black).withAlpha (0.015f + random.nextFloat() * 0.035f));
        g.fillRect (x, y, length, 1.0f);
        if (x + length > (float) width) // wrap, so the texture also tiles sideways
            g.fillRect (x - (float) width, y, length, 1.0f);
    }
}

void PanelPictures::overlay (juce::Graphics& g, int width, int height)
{
    // A soft light from above and slightly left, and a gentle shade toward the bottom.
    const float w = (float) width, h = (float) height;
    juce::ColourGradient sheen (juce::Colours::white.withAlpha (0.10f), w * 0.3f, 0.0f, juce::Colours::white.withAlpha (0.0f),
                                w * 0.3f, h * 0.45f, false);
    g.setGradientFill (sheen);
    g.fillRect (0.0f, 0.0f, w, h * 0.45f);
    juce::ColourGradient spot (juce::Colours::white.withAlpha (0.05f), w * 0.25f, h * 0.1f, juce::Colours::white.withAlpha (0.0f),
                               w * 0.75f, h * 0.1f, true);
    g.setGradientFill (spot);
    g.fillRect (0.0f, 0.0f, w, h);
    juce::ColourGradient shade (juce::Colours::black.withAlpha (0.0f), 0.0f, h * 0.6f, juce::Colours::black.withAlpha (0.25f),
                                0.0f, h, false);
    g.setGradientFill (shade);
    g.fillRect (0.0f, h * 0.6f, w, h * 0.4f);
}

void PanelPictures::lcdBack (juce::Graphics& g, int width, int height)
{
    const juce::Rectangle<float> all (0.0f, 0.0f, (float) width, (float) height);
    K::fillGradient (g, all, K::c (0xff1c2229), K::c (0xff0b0d10));
    // Glass reflection over the upper half
    g.setGradientFill (juce::ColourGradient (juce::Colours::white.withAlpha (0.07f), 0.0f, 0.0f,
                                             juce::Colours::white.withAlpha (0.0f), 0.0f, all.getHeight() * 0.5f, false));
    g.fillRect (all.withHeight (all.getHeight() * 0.5f));
    g.setColour (K::c (K::blue).withAlpha (0.25f));
    g.fillRect (6.0f, 21.0f, all.getWidth() - 12.0f, 1.0f);
    g.setColour (K::c (K::amber));
    g.fillRect (0.0f, 0.0f, 3.0f, all.getHeight());
    g.setColour (juce::Colours::black);
    g.drawRect (all, 1.0f);
}

void PanelPictures::listBack (juce::Graphics& g, int width, int height)
{
    // Shown stretched behind the rows at 90 % and once more over them at 20 %, so it is
    // kept dark and calm: no pattern that would fight with the text.
    const juce::Rectangle<float> all (0.0f, 0.0f, (float) width, (float) height);
    K::fillGradient (g, all, K::c (0xff202020), K::c (0xff0e0e0e));
    g.setGradientFill (juce::ColourGradient (K::c (K::blue).withAlpha (0.06f), 0.0f, 0.0f, K::c (K::blue).withAlpha (0.0f),
                                             all.getWidth(), 0.0f, false));
    g.fillRect (all);
    g.setColour (juce::Colours::white.withAlpha (0.06f));
    g.fillRect (0.0f, 0.0f, all.getWidth(), 1.0f);
}

void PanelPictures::scrollThumb (juce::Graphics& g, int width, int height)
{
    const auto body = juce::Rectangle<float> (0.0f, 0.0f, (float) width, (float) height).reduced (2.0f, 1.0f);
    K::raisedBox (g, body, K::c (0xff4a4a4a), K::c (0xff242424), 4.0f);
    g.setColour (K::c (K::amber));
    for (int i = -1; i <= 1; ++i)
        g.fillRect (body.getX() + 5.0f, body.getCentreY() + (float) i * 5.0f - 0.5f, body.getWidth() - 10.0f, 1.5f);
}

} // namespace zd8gen

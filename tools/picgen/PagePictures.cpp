#include "tools/picgen/PagePictures.h"

#include "tools/picgen/PanelPictures.h"
#include "tools/picgen/PictureKit.h"

namespace zd8gen
{

namespace
{
    using K = PictureKit;

    // Organ layout: drawbar columns and the switch row above them (page pixels).
    constexpr float drawbarX0 = 360.0f, drawbarStep = 66.0f, drawbarY = 212.0f;
    constexpr float switchY = 130.0f;
    constexpr int drawbarCount = 9;

    void bracketCaption (juce::Graphics& g, float x1, float x2, float y, const juce::String& caption)
    {
        g.setColour (K::c (K::amber).withAlpha (0.8f));
        g.setFont (K::font (12.0f, true));
        const float textWidth = g.getCurrentFont().getStringWidthFloat (caption) + 16.0f;
        const float cx = (x1 + x2) * 0.5f;
        g.drawText (caption, juce::Rectangle<float> (cx - textWidth * 0.5f, y - 7.0f, textWidth, 14.0f), juce::Justification::centred);
        g.setColour (K::c (K::amber).withAlpha (0.45f));
        g.fillRect (x1, y, cx - textWidth * 0.5f - x1, 1.0f);
        g.fillRect (cx + textWidth * 0.5f, y, x2 - cx - textWidth * 0.5f, 1.0f);
        g.fillRect (x1, y, 1.0f, 5.0f);
        g.fillRect (x2 - 1.0f, y, 1.0f, 5.0f);
    }
}

bool PagePictures::draw (const juce::String& name, juce::Graphics& g, int width, int height)
{
    if (name == "program_back_standard")
        standardPage (g, width, height);
    else if (name == "program_back_organ")
        organPage (g, width, height);
    else if (name == "about")
        about (g, width, height);
    else
        return false;
    return true;
}

void PagePictures::pageBase (juce::Graphics& g, int width, int height)
{
    g.fillAll (K::c (K::panel));
    K::brush (g, { 0, 0, width, height }, 584, 0.035f);
    g.setGradientFill (juce::ColourGradient (juce::Colours::white.withAlpha (0.04f), 0.0f, 0.0f,
                                             juce::Colours::transparentWhite, 0.0f, (float) height * 0.5f, false));
    g.fillAll();
}

void PagePictures::section (juce::Graphics& g, juce::Rectangle<float> area, const juce::String& caption, bool captionAbove)
{
    // A slightly sunken area. Its caption sits in its top right corner, or above its
    // left end where controls fill the corner.
    K::fillGradient (g, area, K::c (0xff141414), K::c (0xff1a1a1a), 6.0f);
    g.setColour (juce::Colours::black.withAlpha (0.8f));
    g.drawRoundedRectangle (area.reduced (0.5f), 6.0f, 1.0f);
    g.setColour (juce::Colours::white.withAlpha (0.06f));
    g.drawLine (area.getX() + 6.0f, area.getBottom() + 0.5f, area.getRight() - 6.0f, area.getBottom() + 0.5f, 1.0f);
    if (caption.isEmpty())
        return;
    g.setFont (K::font (10.0f, true));
    if (captionAbove)
    {
        const juce::Rectangle<float> text (area.getX() + 4.0f, area.getY() - 13.0f, 200.0f, 12.0f);
        g.setColour (K::c (0xff8a8a8a));
        g.drawText (caption, text, juce::Justification::centredLeft);
        g.setColour (K::c (K::amber).withAlpha (0.6f));
        g.fillRect (area.getX() + 6.0f, area.getY(), g.getCurrentFont().getStringWidthFloat (caption), 2.0f);
    }
    else
    {
        g.setColour (K::c (0xff6a6a6a));
        g.drawText (caption, area.reduced (8.0f, 3.0f).withHeight (12.0f), juce::Justification::topRight);
    }
}

void PagePictures::standardPage (juce::Graphics& g, int width, int height)
{
    pageBase (g, width, height);
    // Mix (level and pan) and effects (insert above, the two aux sends below, side by
    // side) around the header controls
    section (g, { 306.0f, 4.0f, 160.0f, 196.0f }, "MIX", false);
    section (g, { 472.0f, 4.0f, 330.0f, 196.0f }, "EFFECTS", false);
    g.setColour (K::c (K::amber).withAlpha (0.5f));
    g.fillRect (480.0f, 58.0f, 314.0f, 1.0f);
    g.setColour (juce::Colours::black.withAlpha (0.6f));
    g.fillRect (636.0f, 66.0f, 1.0f, 126.0f);
    g.setColour (juce::Colours::white.withAlpha (0.05f));
    g.fillRect (637.0f, 66.0f, 1.0f, 126.0f);
    // Controller grid: rows of 74 x 80 places from y 230
    section (g, { 10.0f, 222.0f, (float) width - 20.0f, (float) height - 224.0f }, "CONTROLLERS", true);
}

void PagePictures::organPage (juce::Graphics& g, int width, int height)
{
    pageBase (g, width, height);
    // Header column at the left; one deck for the top row of controls, the switches and
    // the drawbars; the grid of further controllers below
    section (g, { 4.0f, 190.0f, 240.0f, 300.0f }, "CHANNEL", true);
    const juce::Rectangle<float> deck (drawbarX0 - 22.0f, 24.0f, drawbarStep * drawbarCount + 10.0f, 372.0f);
    section (g, deck, "TW7", false);

    // Drawbar slots: a dark slot per drawbar under where the bar slides, with a scale
    for (int i = 0; i < drawbarCount; ++i)
    {
        const float x = drawbarX0 + drawbarStep * (float) i;
        K::recessedBox (g, { x + 4.0f, drawbarY - 2.0f, 27.0f, 180.0f }, 4.0f);
        g.setColour (K::c (0xff3a3a3a));
        for (int n = 0; n <= 8; ++n)
            g.fillRect (x - 4.0f, drawbarY + 20.0f + (float) n * 18.0f, 5.0f, 1.0f);
    }

    // Captions over the switch groups: chorus/vibrato (on, depth) and percussion
    // (on/off, loud/soft, decay, pitch), between the top row and the switches
    const float y = switchY - 9.0f;
    auto switchX = [] (int i) { return drawbarX0 - 10.0f + drawbarStep * (float) i; };
    bracketCaption (g, switchX (2) - 4.0f, switchX (3) + 56.0f, y, "Chorus / Vibrato");
    bracketCaption (g, switchX (4) - 4.0f, switchX (7) + 56.0f, y, "Percussion");

    section (g, { 300.0f, 410.0f, (float) width - 310.0f, (float) height - 412.0f }, "CONTROLLERS", true);
}

void PagePictures::about (juce::Graphics& g, int width, int height)
{
    const juce::Rectangle<float> all (0.0f, 0.0f, (float) width, (float) height);
    // Stage-lit backdrop
    K::fillGradient (g, all, K::c (0xff1c1c1c), K::c (0xff070707), 10.0f);
    juce::ColourGradient spot (K::c (K::amber).withAlpha (0.22f), all.getCentreX(), 150.0f, K::c (K::amber).withAlpha (0.0f),
                               all.getCentreX() + 260.0f, 150.0f, true);
    g.setGradientFill (spot);
    g.fillRoundedRectangle (all, 10.0f);

    PanelPictures::logoText (g, { 40.0f, 30.0f, 420.0f, 48.0f });
    g.setColour (K::c (K::textGrey));
    g.setFont (K::font (13.0f, true).withExtraKerningFactor (0.4f));
    g.drawText ("STAGE PIANO EDITOR", juce::Rectangle<float> (0.0f, 84.0f, all.getWidth(), 18.0f), juce::Justification::centred);

    // The instrument, seen from the front and a little above: a slim body with a
    // control panel, keyboard, wheels and legs.
    const juce::Rectangle<float> top (40.0f, 168.0f, 420.0f, 36.0f);
    juce::Path lid;
    lid.addQuadrilateral (top.getX() + 14.0f, top.getY(), top.getRight() - 14.0f, top.getY(), top.getRight(), top.getBottom(),
                          top.getX(), top.getBottom());
    g.setGradientFill (juce::ColourGradient (K::c (0xff3a3a3a), 0.0f, top.getY(), K::c (0xff1e1e1e), 0.0f, top.getBottom(), false));
    g.fillPath (lid);
    g.setColour (juce::Colours::white.withAlpha (0.18f));
    g.drawLine (top.getX() + 14.0f, top.getY() + 0.5f, top.getRight() - 14.0f, top.getY() + 0.5f);
    // Panel: display, knobs, buttons
    g.setColour (K::c (0xff0b0d10));
    g.fillRoundedRectangle (200.0f, 176.0f, 90.0f, 20.0f, 2.0f);
    g.setColour (K::c (K::amberLight));
    g.setFont (K::font (10.0f, true));
    g.drawText ("ZD8", juce::Rectangle<float> (204.0f, 178.0f, 82.0f, 16.0f), juce::Justification::centred);
    for (int i = 0; i < 5; ++i)
    {
        const float cx = 82.0f + (float) i * 22.0f;
        g.setColour (juce::Colours::black);
        g.fillEllipse (cx - 7.0f, 179.0f, 14.0f, 14.0f);
        g.setColour (K::c (0xff5a5a5a));
        g.fillEllipse (cx - 5.5f, 180.5f, 11.0f, 11.0f);
        g.setColour (i % 2 == 0 ? K::c (K::amber) : K::c (K::blue));
        g.drawLine (cx, 186.0f, cx + 3.0f * (float) ((i % 3) - 1), 182.0f, 1.5f);
    }
    for (int i = 0; i < 8; ++i)
    {
        g.setColour (i == 2 ? K::c (K::amberLight) : K::c (0xff4a4a4a));
        g.fillRoundedRectangle (306.0f + (float) i * 17.0f, 182.0f, 12.0f, 7.0f, 1.5f);
    }
    // Front body and keyboard
    const juce::Rectangle<float> body (40.0f, 204.0f, 420.0f, 56.0f);
    K::fillGradient (g, body, K::c (0xff2a2a2a), K::c (0xff101010), 3.0f);
    const juce::Rectangle<float> keys (86.0f, 208.0f, 364.0f, 44.0f);
    const int whiteKeys = 36;
    const float kw = keys.getWidth() / (float) whiteKeys;
    for (int i = 0; i < whiteKeys; ++i)
        K::fillGradient (g, { keys.getX() + (float) i * kw + 0.5f, keys.getY(), kw - 1.0f, keys.getHeight() },
                         K::c (0xffdcdcdc), K::c (0xfff8f8f8), 1.0f);
    static const bool hasBlack[] = { true, true, false, true, true, true, false };
    for (int i = 0; i < whiteKeys - 1; ++i)
        if (hasBlack[i % 7])
            K::fillGradient (g, { keys.getX() + ((float) i + 0.66f) * kw, keys.getY(), kw * 0.68f, keys.getHeight() * 0.6f },
                             K::c (0xff2a2a2a), K::c (0xff050505), 1.0f);
    // Wheels
    for (int i = 0; i < 2; ++i)
    {
        const juce::Rectangle<float> wheel (50.0f + (float) i * 16.0f, 212.0f, 10.0f, 36.0f);
        g.setColour (juce::Colours::black);
        g.fillRoundedRectangle (wheel.expanded (2.0f), 3.0f);
        K::fillGradient (g, wheel, K::c (0xff1a1a1a), K::c (0xff3a3a3a), 2.0f);
        g.setColour (K::c (K::amber));
        g.fillRect (wheel.getX(), wheel.getCentreY() - 1.0f, wheel.getWidth(), 2.0f);
    }
    // Wooden end cheeks and a stand
    g.setColour (K::c (0xff5a2e17));
    g.fillRoundedRectangle (34.0f, 166.0f, 8.0f, 96.0f, 3.0f);
    g.fillRoundedRectangle (458.0f, 166.0f, 8.0f, 96.0f, 3.0f);
    g.setColour (K::c (0xff2a2a2a));
    for (float x : { 110.0f, 390.0f })
    {
        g.drawLine (x - 30.0f, 262.0f, x + 30.0f, 330.0f, 5.0f);
        g.drawLine (x + 30.0f, 262.0f, x - 30.0f, 330.0f, 5.0f);
    }
    // Floor light
    juce::ColourGradient floor (juce::Colours::white.withAlpha (0.08f), all.getCentreX(), 334.0f,
                                juce::Colours::transparentWhite, all.getCentreX() + 230.0f, 334.0f, true);
    g.setGradientFill (floor);
    g.fillEllipse (20.0f, 322.0f, 460.0f, 24.0f);

    g.setColour (K::c (0xff6a6a6a));
    g.setFont (K::font (11.0f));
    g.drawText ("Editor, librarian and live control", juce::Rectangle<float> (0.0f, 348.0f, all.getWidth(), 16.0f),
                juce::Justification::centred);
    g.setColour (K::c (0xff303030));
    g.drawRoundedRectangle (all.reduced (0.5f), 10.0f, 1.0f);
}

} // namespace zd8gen

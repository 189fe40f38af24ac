#include "tools/picgen/ControlPictures.h"

#include "tools/picgen/PictureKit.h"

namespace zd8gen
{

namespace
{
    using K = PictureKit;

    enum LampState { lampOff, lampOn, lampPressed };
    enum WindowButton { minimise, maximise, closeWindow };
}

bool ControlPictures::draw (const juce::String& name, juce::Graphics& g, int width, int height)
{
    const juce::Rectangle<float> all (0.0f, 0.0f, (float) width, (float) height);

    if (name == "value_bar" || name == "value_box_tall" || name == "field_box")
        valueBox (g, all, false);
    else if (name == "value_bar_cap" || name == "value_box_tall_cap")
        valueBox (g, all, true);
    else if (name == "switch_off" || name == "switch_on")
        toggleSwitch (g, all, name.endsWith ("on"));
    else if (name == "button_off" || name == "button_on")
        pushButton (g, all, name.endsWith ("on"));
    else if (name.startsWith ("lib_button_"))
        libraryButton (g, all, name.contains ("cap"), name.endsWith ("lit"));
    else if (name == "slider_track")
        sliderTrack (g, all);
    else if (name == "slider_thumb")
        sliderThumb (g, all);
    else if (name.startsWith ("drawbar_"))
        drawbar (g, all, name.getTrailingIntValue());
    else if (name.startsWith ("lamp_"))
        lamp (g, all, name.endsWith ("off") ? lampOff : name.endsWith ("on") ? lampOn : lampPressed);
    else if (name.startsWith ("check_"))
        checkBox (g, all, name.endsWith ("off") ? lampOff : name.endsWith ("on") ? lampOn : lampPressed);
    else if (name == "value_tag")
    {
        K::fillGradient (g, all, K::c (0xff2c2c2c), K::c (0xff1a1a1a), 2.0f);
        g.setColour (K::c (K::amber).withAlpha (0.8f));
        g.fillRect (1.0f, 1.0f, 2.0f, all.getHeight() - 2.0f);
        g.setColour (juce::Colours::black);
        g.drawRoundedRectangle (all.reduced (0.5f), 2.0f, 1.0f);
    }
    else if (name == "menu_button" || name == "menu_button_pressed")
        menuButton (g, all, name.endsWith ("pressed"));
    else if (name == "window_buttons")
    {
        for (int row = 0; row < 2; ++row)
            for (int b = 0; b < 3; ++b)
                windowButton (g, { b * 18.0f, row * 15.0f, 18.0f, 15.0f }, b, row == 1);
    }
    else if (name == "window_close")
        windowButton (g, all, closeWindow, false);
    else
        return false;
    return true;
}

void ControlPictures::valueBox (juce::Graphics& g, juce::Rectangle<float> area, bool cap)
{
    // The bar and its cap join seamlessly: the cap carries the rounded right end and a
    // small amber tick that says "this opens a choice".
    g.setGradientFill (juce::ColourGradient (K::c (0xff0a0a0a), 0.0f, area.getY(), K::c (0xff1b1b1b), 0.0f, area.getBottom(),
                                             false));
    if (cap)
    {
        juce::Path p;
        p.addRoundedRectangle (area.getX() - 4.0f, area.getY(), area.getWidth() + 3.0f, area.getHeight(), 3.0f);
        g.fillPath (p);
        g.setColour (juce::Colours::black);
        g.strokePath (p, juce::PathStrokeType (1.0f));
        juce::Path tick;
        const float cx = area.getCentreX() - 1.0f, cy = area.getCentreY();
        tick.addTriangle (cx - 3.0f, cy - 2.0f, cx + 3.0f, cy - 2.0f, cx, cy + 2.0f);
        g.setColour (K::c (K::amber));
        g.fillPath (tick);
    }
    else
    {
        g.fillRect (area);
        g.setColour (juce::Colours::black);
        g.drawLine (area.getX(), area.getY() + 0.5f, area.getRight(), area.getY() + 0.5f);
        g.drawLine (area.getX() + 0.5f, area.getY(), area.getX() + 0.5f, area.getBottom());
        g.setColour (juce::Colours::white.withAlpha (0.09f));
        g.drawLine (area.getX(), area.getBottom() - 0.5f, area.getRight(), area.getBottom() - 0.5f);
        g.setColour (juce::Colours::black.withAlpha (0.35f));
        g.fillRect (area.getX() + 1.0f, area.getY() + 1.0f, area.getWidth(), 2.0f);
    }
}

void ControlPictures::toggleSwitch (juce::Graphics& g, juce::Rectangle<float> area, bool on)
{
    // A slide switch: dark slot, a lever that sits left (off) or right and lit (on)
    K::recessedBox (g, area, 3.0f);
    auto lever = area.reduced (1.5f).withWidth (area.getWidth() * 0.55f);
    if (on)
        lever.setX (area.getRight() - 1.5f - lever.getWidth());
    K::raisedBox (g, lever, K::c (on ? K::amberLight : 0xff6a6a6a), K::c (on ? K::amber : 0xff303030), 2.0f);
    g.setColour (juce::Colours::black.withAlpha (0.4f));
    g.drawLine (lever.getCentreX(), lever.getY() + 2.0f, lever.getCentreX(), lever.getBottom() - 2.0f, 1.0f);
}

void ControlPictures::pushButton (juce::Graphics& g, juce::Rectangle<float> area, bool on)
{
    const auto body = area.reduced (1.0f);
    K::raisedBox (g, body, K::c (on ? 0xff3c3c3c : 0xff353535), K::c (on ? 0xff202020 : 0xff1a1a1a), 4.0f);
    // LED strip across the top edge
    const auto led = juce::Rectangle<float> (body.getWidth() * 0.5f, 3.0f).withCentre ({ body.getCentreX(), body.getY() + 5.0f });
    g.setColour (juce::Colours::black);
    g.fillRoundedRectangle (led.expanded (1.0f), 1.5f);
    g.setColour (on ? K::c (K::amberLight) : K::c (0xff3a3020));
    g.fillRoundedRectangle (led, 1.0f);
    if (on)
    {
        g.setColour (K::c (K::amber).withAlpha (0.3f));
        g.fillRoundedRectangle (led.expanded (3.0f, 2.0f), 3.0f);
    }
}

void ControlPictures::libraryButton (juce::Graphics& g, juce::Rectangle<float> area, bool cap, bool lit)
{
    // Drawn at twice the size it is shown. The body is stretched to any width, so it
    // carries nothing that would show the stretch: a raised bar with its rounded left
    // end, open to the right. The cap closes it with the rounded right end and an amber
    // edge light; the two meet without a seam.
    const juce::Colour top = K::c (lit ? 0xff4a4a4a : 0xff353535), bottom = K::c (lit ? 0xff262626 : 0xff1a1a1a);
    const float corner = 8.0f;
    const auto bar = area.reduced (0.0f, 2.0f);
    {
        const juce::Graphics::ScopedSaveState keep (g);
        g.reduceClipRegion (area.toNearestInt());
        const auto shape = cap ? bar.withLeft (bar.getX() - 2.0f * corner).withTrimmedRight (1.0f)
                               : bar.withTrimmedLeft (1.0f).withRight (bar.getRight() + 2.0f * corner);
        K::raisedBox (g, shape, top, bottom, corner);
    }
    if (cap)
    {
        const juce::Rectangle<float> light (area.getRight() - 5.0f, bar.getY() + 10.0f, 2.0f, bar.getHeight() - 20.0f);
        g.setColour (K::c (lit ? K::amberLight : K::amber));
        g.fillRoundedRectangle (light, 1.0f);
    }
}

void ControlPictures::sliderTrack (juce::Graphics& g, juce::Rectangle<float> area)
{
    // Scale ticks either side of a narrow slot
    const float cx = area.getCentreX();
    for (int i = 0; i <= 10; ++i)
    {
        const float y = 20.0f + (float) i * (area.getHeight() - 40.0f) / 10.0f;
        const float len = i % 5 == 0 ? 6.0f : 3.5f;
        g.setColour (K::c (i % 5 == 0 ? 0xff8a8a8a : 0xff555555));
        g.fillRect (area.getX() + 1.0f, y, len, 1.0f);
        g.fillRect (area.getRight() - 1.0f - len, y, len, 1.0f);
    }
    const juce::Rectangle<float> slot (cx - 2.5f, area.getY() + 8.0f, 5.0f, area.getHeight() - 16.0f);
    K::recessedBox (g, slot, 2.0f);
    g.setColour (K::c (K::amber).withAlpha (0.25f));
    g.fillRect (slot.reduced (2.0f, 3.0f).withTrimmedLeft (0.5f));
}

void ControlPictures::sliderThumb (juce::Graphics& g, juce::Rectangle<float> area)
{
    const auto cap = area.reduced (1.0f, 1.0f);
    g.setColour (juce::Colours::black.withAlpha (0.5f));
    g.fillRoundedRectangle (cap.translated (0.0f, 1.0f), 2.5f);
    juce::ColourGradient body (K::c (0xff5a5a5a), 0.0f, cap.getY(), K::c (0xff1e1e1e), 0.0f, cap.getBottom(), false);
    body.addColour (0.48, K::c (0xff2e2e2e));
    body.addColour (0.52, K::c (0xff444444));
    g.setGradientFill (body);
    g.fillRoundedRectangle (cap, 2.5f);
    g.setColour (juce::Colours::black.withAlpha (0.5f));
    for (int i = -3; i <= 3; ++i)
        if (i != 0)
            g.fillRect (cap.getX() + 2.0f, cap.getCentreY() + (float) i * 4.0f, cap.getWidth() - 4.0f, 1.0f);
    g.setColour (K::c (0xfff0f0f0));
    g.fillRect (cap.getX() + 1.0f, cap.getCentreY() - 1.0f, cap.getWidth() - 2.0f, 2.0f);
    g.setColour (juce::Colours::black);
    g.drawRoundedRectangle (cap, 2.5f, 1.0f);
}

void ControlPictures::drawbar (juce::Graphics& g, juce::Rectangle<float> area, int kind)
{
    // kind 1 brown, 2 white, 3 black: the colours of an organ's drawbar caps. The rod is
    // above the cap and carries the scale with 8 next to the cap: a higher value slides
    // the bar up, so the number at the slot's edge reads the value.
    const juce::Colour capTop = kind == 1 ? K::c (0xff8a4b25) : kind == 2 ? K::c (0xfff2efe6) : K::c (0xff3a3a3a);
    const juce::Colour capBottom = kind == 1 ? K::c (0xff4a2410) : kind == 2 ? K::c (0xffb8b3a6) : K::c (0xff0c0c0c);
    const juce::Colour digits = kind == 2 ? K::c (0xff202020) : K::c (0xffe8e0cc);

    const float cx = area.getCentreX();
    const juce::Rectangle<float> rod (cx - 7.0f, area.getY(), 14.0f, area.getHeight() - 38.0f);
    g.setGradientFill (juce::ColourGradient (capBottom.darker (0.3f), rod.getX(), 0.0f, capTop, cx, 0.0f, true));
    g.fillRect (rod);
    g.setFont (K::font (8.5f, true));
    for (int n = 1; n <= 8; ++n)
    {
        const float y = rod.getBottom() - (float) n * 11.0f - 2.0f;
        g.setColour (digits);
        g.drawText (juce::String (9 - n), juce::Rectangle<float> (rod.getX(), y, rod.getWidth(), 10.0f), juce::Justification::centred);
        g.setColour (digits.withAlpha (0.35f));
        g.fillRect (rod.getX() + 2.0f, y + 10.5f, rod.getWidth() - 4.0f, 0.6f);
    }

    // The cap: a rounded block with a light crown
    const juce::Rectangle<float> cap (area.getX() + 2.0f, area.getBottom() - 40.0f, area.getWidth() - 4.0f, 38.0f);
    g.setColour (juce::Colours::black.withAlpha (0.6f));
    g.fillRoundedRectangle (cap.translated (0.0f, 1.5f), 6.0f);
    g.setGradientFill (juce::ColourGradient (capTop.brighter (0.15f), cx, cap.getY(), capBottom, cx, cap.getBottom(), false));
    g.fillRoundedRectangle (cap, 6.0f);
    g.setColour (juce::Colours::white.withAlpha (0.25f));
    g.fillRoundedRectangle (cap.reduced (4.0f, 3.0f).withHeight (5.0f), 2.5f);
    g.setColour (juce::Colours::black.withAlpha (0.7f));
    g.drawRoundedRectangle (cap.reduced (0.5f), 6.0f, 1.0f);
}

void ControlPictures::lamp (juce::Graphics& g, juce::Rectangle<float> area, int state)
{
    K::recessedBox (g, area, 2.0f);
    const auto led = area.reduced (3.0f, 3.0f);
    if (state == lampOff)
    {
        K::fillGradient (g, led, K::c (0xff3a2e12), K::c (0xff1e1808), 1.5f);
        return;
    }
    const auto colour = state == lampOn ? K::c (K::amberLight) : K::c (K::amber).darker (0.25f);
    K::fillGradient (g, led, colour.brighter (0.4f), colour, 1.5f);
    g.setColour (colour.withAlpha (0.35f));
    g.drawRoundedRectangle (led.expanded (1.0f), 2.0f, 1.5f);
}

void ControlPictures::checkBox (juce::Graphics& g, juce::Rectangle<float> area, int state)
{
    // An 11-pixel square box on the left; the label sits beside it in the widget.
    const juce::Rectangle<float> box (area.getX() + 0.5f, area.getY() + 0.5f, area.getHeight() - 1.0f, area.getHeight() - 1.0f);
    K::recessedBox (g, box, 2.0f);
    if (state == lampPressed)
    {
        g.setColour (K::c (K::blueLight).withAlpha (0.7f));
        g.drawRoundedRectangle (box, 2.0f, 1.0f);
    }
    if (state != lampOff)
    {
        juce::Path tick;
        tick.startNewSubPath (box.getX() + 2.5f, box.getCentreY());
        tick.lineTo (box.getX() + 4.5f, box.getBottom() - 2.5f);
        tick.lineTo (box.getRight() - 2.0f, box.getY() + 2.0f);
        g.setColour (state == lampOn ? K::c (K::amberLight) : K::c (K::amber));
        g.strokePath (tick, juce::PathStrokeType (1.8f, juce::PathStrokeType::curved, juce::PathStrokeType::rounded));
    }
    // A short lit bar beside the box says "on" at a glance from a distance
    g.setColour (state == lampOff ? K::c (0xff2a2a2a) : K::c (K::amber).withAlpha (state == lampOn ? 1.0f : 0.6f));
    g.fillRoundedRectangle (area.getX() + 13.0f, area.getCentreY() - 1.5f, 6.0f, 3.0f, 1.0f);
}

void ControlPictures::menuButton (juce::Graphics& g, juce::Rectangle<float> area, bool pressed)
{
    const auto body = area.reduced (0.5f);
    if (pressed)
        K::fillGradient (g, body, K::c (0xff8e8e8e), K::c (0xffb4b4b4), 3.0f);
    else
        K::fillGradient (g, body, K::c (0xffe4e4e4), K::c (0xffa8a8a8), 3.0f);
    g.setColour (pressed ? K::c (K::amber) : K::c (0xff2a2a2a));
    g.drawRoundedRectangle (body, 3.0f, 1.0f);
}

void ControlPictures::windowButton (juce::Graphics& g, juce::Rectangle<float> area, int kind, bool highlighted)
{
    const auto body = area.reduced (1.0f);
    K::fillGradient (g, body, K::c (highlighted ? 0xff444444 : 0xff2a2a2a), K::c (highlighted ? 0xff2a2a2a : 0xff161616), 3.0f);
    const auto glyph = body.reduced (4.5f, 3.5f);
    g.setColour (highlighted ? (kind == closeWindow ? K::c (0xffff6a4a) : K::c (K::amberLight)) : K::c (0xffb0b0b0));
    if (kind == minimise)
        g.fillRect (glyph.getX(), glyph.getBottom() - 1.5f, glyph.getWidth(), 1.5f);
    else if (kind == maximise)
        g.drawRect (glyph, 1.2f);
    else
    {
        g.drawLine (glyph.getX(), glyph.getY(), glyph.getRight(), glyph.getBottom(), 1.4f);
        g.drawLine (glyph.getX(), glyph.getBottom(), glyph.getRight(), glyph.getY(), 1.4f);
    }
}

} // namespace zd8gen

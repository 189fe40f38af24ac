#include "tools/picgen/KnobPictures.h"

#include "tools/picgen/PictureKit.h"

#include <cmath>

namespace zd8gen
{

namespace
{
    using K = PictureKit;
    constexpr float pi = juce::MathConstants<float>::pi;

    // The small knob sweeps from about seven o'clock to about five o'clock.
    constexpr float sweepStart = -0.8f * pi;
    constexpr float sweepEnd = 0.8f * pi;

    juce::Path arcPath (juce::Point<float> centre, float radius, float from, float to)
    {
        juce::Path p;
        p.addCentredArc (centre.x, centre.y, radius, radius, 0.0f, from, to, true);
        return p;
    }
}

bool KnobPictures::draw (const juce::String& name, juce::Graphics& g, int width, int height)
{
    if (name == "knob_strip_a" || name == "knob_strip_b")
    {
        const auto arc = K::c (name.endsWith ("a") ? K::amber : K::blue);
        for (int f = 0; f < knobFrames; ++f)
            knobFrame (g, { (float) (f * knobPitch), 0.0f, (float) knobSize, (float) knobSize }, (float) f / (knobFrames - 1),
                       arc);
        return true;
    }
    if (name == "knob_back")
    {
        knobBack (g, { 0.0f, 0.0f, (float) width, (float) height });
        return true;
    }
    if (name.startsWith ("bigknob_"))
    {
        const int sheet = name.getTrailingIntValue();
        for (int i = 0; i < bigKnobFramesPerSheet; ++i)
            bigKnobFrame (g, { (float) (i * bigKnobPitch), 0.0f, (float) bigKnobSize, (float) bigKnobSize },
                          sheet * bigKnobFramesPerSheet + i);
        return true;
    }
    if (name == "wheel_strip")
    {
        for (int f = 0; f < wheelFrames; ++f)
            wheelFrame (g, { (float) (f * wheelPitch), 0.0f, (float) wheelWidth, (float) height },
                        (float) f / (wheelFrames - 1));
        return true;
    }
    return false;
}

void KnobPictures::knobBack (juce::Graphics& g, juce::Rectangle<float> cell)
{
    const auto centre = cell.getCentre();
    // Soft drop shadow and the dim ring that the arc lights up.
    juce::ColourGradient shadow (juce::Colours::black.withAlpha (0.6f), centre.x, centre.y + 2.0f,
                                 juce::Colours::transparentBlack, centre.x + 23.0f, centre.y + 2.0f, true);
    g.setGradientFill (shadow);
    g.fillEllipse (cell.reduced (0.5f).translated (0.0f, 1.0f));
    g.setColour (K::c (0xff0d0d0d));
    g.strokePath (arcPath (centre, 19.5f, sweepStart, sweepEnd), juce::PathStrokeType (3.0f, juce::PathStrokeType::curved,
                                                                                        juce::PathStrokeType::rounded));
}

void KnobPictures::knobFrame (juce::Graphics& g, juce::Rectangle<float> cell, float position, juce::Colour arc)
{
    const auto centre = cell.getCentre();
    const float angle = sweepStart + position * (sweepEnd - sweepStart);
    const juce::PathStrokeType ring (3.0f, juce::PathStrokeType::curved, juce::PathStrokeType::rounded);

    // Track and value arc
    g.setColour (K::c (0xff0b0b0b));
    g.strokePath (arcPath (centre, 19.5f, sweepStart, sweepEnd), ring);
    g.setColour (K::c (0xff303030));
    g.strokePath (arcPath (centre, 19.5f, sweepStart, sweepEnd), juce::PathStrokeType (1.0f));
    if (position > 0.0f)
    {
        g.setColour (arc.withAlpha (0.35f));
        g.strokePath (arcPath (centre, 19.5f, sweepStart, angle), juce::PathStrokeType (5.0f, juce::PathStrokeType::curved,
                                                                                      juce::PathStrokeType::rounded));
        g.setColour (arc);
        g.strokePath (arcPath (centre, 19.5f, sweepStart, angle), ring);
    }
    else
    {
        g.setColour (arc.withAlpha (0.6f));
        g.fillEllipse (juce::Rectangle<float> (3.0f, 3.0f).withCentre (K::polar (centre, 19.5f, sweepStart)));
    }

    // Body: a dark cap with a lit rim, light from above
    const auto body = juce::Rectangle<float> (30.0f, 30.0f).withCentre (centre);
    g.setColour (juce::Colours::black.withAlpha (0.7f));
    g.fillEllipse (body.expanded (1.5f).translated (0.0f, 1.5f));
    g.setGradientFill (juce::ColourGradient (K::c (0xff5a5a5a), centre.x, body.getY(), K::c (0xff141414), centre.x,
                                             body.getBottom(), false));
    g.fillEllipse (body);
    const auto cap = body.reduced (3.0f);
    g.setGradientFill (juce::ColourGradient (K::c (0xff3a3a3a), centre.x, cap.getY(), K::c (0xff1c1c1c), centre.x,
                                             cap.getBottom(), false));
    g.fillEllipse (cap);
    g.setColour (juce::Colours::white.withAlpha (0.07f));
    g.drawEllipse (cap.reduced (2.0f), 1.0f);

    // Pointer
    juce::Path pointer;
    pointer.startNewSubPath (K::polar (centre, 5.0f, angle));
    pointer.lineTo (K::polar (centre, 13.5f, angle));
    g.setColour (juce::Colours::black.withAlpha (0.6f));
    g.strokePath (pointer, juce::PathStrokeType (3.5f, juce::PathStrokeType::curved, juce::PathStrokeType::rounded));
    g.setColour (K::c (0xfff2f2f2));
    g.strokePath (pointer, juce::PathStrokeType (2.0f, juce::PathStrokeType::curved, juce::PathStrokeType::rounded));
}

void KnobPictures::bigKnobFrame (juce::Graphics& g, juce::Rectangle<float> cell, int position)
{
    const auto centre = cell.getCentre();
    // Position 0 points straight down; the positions run clockwise on the screen, ten
    // degrees apart (down, left, up, right).
    const float angle = pi + (float) position * (2.0f * pi / 36.0f);

    // Scale of 36 dots around the dial, the current one lit
    for (int i = 0; i < 36; ++i)
    {
        const float a = pi + (float) i * (2.0f * pi / 36.0f);
        const bool lit = i == position;
        const float r = lit ? 2.6f : (i % 9 == 0 ? 1.8f : 1.1f);
        g.setColour (lit ? K::c (K::amberLight) : K::c (i % 9 == 0 ? 0xff8a8a8a : 0xff555555));
        g.fillEllipse (juce::Rectangle<float> (r * 2.0f, r * 2.0f).withCentre (K::polar (centre, 46.0f, a)));
    }

    // Knurled outer skirt
    const auto skirt = juce::Rectangle<float> (80.0f, 80.0f).withCentre (centre);
    g.setColour (juce::Colours::black.withAlpha (0.6f));
    g.fillEllipse (skirt.expanded (2.0f).translated (0.0f, 2.5f));
    g.setGradientFill (juce::ColourGradient (K::c (0xff4c4c4c), centre.x, skirt.getY(), K::c (0xff0e0e0e), centre.x,
                                             skirt.getBottom(), false));
    g.fillEllipse (skirt);
    g.setColour (juce::Colours::black.withAlpha (0.45f));
    for (int i = 0; i < 48; ++i)
    {
        const float a = angle + (float) i * (2.0f * pi / 48.0f);
        g.drawLine (juce::Line<float> (K::polar (centre, 35.0f, a), K::polar (centre, 39.5f, a)), 1.2f);
    }

    // Cap with a brushed top and the pointer
    const auto cap = skirt.reduced (8.0f);
    g.setGradientFill (juce::ColourGradient (K::c (0xff5e5e5e), cap.getX(), cap.getY(), K::c (0xff1a1a1a), cap.getRight(),
                                             cap.getBottom(), false));
    g.fillEllipse (cap);
    g.setGradientFill (juce::ColourGradient (K::c (0xff343434), centre.x, cap.getY(), K::c (0xff222222), centre.x,
                                             cap.getBottom(), false));
    g.fillEllipse (cap.reduced (3.0f));
    for (int r = 6; r < 28; r += 3)
    {
        g.setColour (juce::Colours::white.withAlpha (r % 2 == 0 ? 0.025f : 0.04f));
        g.drawEllipse (juce::Rectangle<float> ((float) r * 2.0f, (float) r * 2.0f).withCentre (centre), 0.8f);
    }
    juce::Path pointer;
    pointer.startNewSubPath (K::polar (centre, 12.0f, angle));
    pointer.lineTo (K::polar (centre, 28.0f, angle));
    g.setColour (K::c (K::amber).withAlpha (0.35f));
    g.strokePath (pointer, juce::PathStrokeType (6.0f, juce::PathStrokeType::curved, juce::PathStrokeType::rounded));
    g.setColour (K::c (K::amberLight));
    g.strokePath (pointer, juce::PathStrokeType (3.0f, juce::PathStrokeType::curved, juce::PathStrokeType::rounded));
}

void KnobPictures::wheelFrame (juce::Graphics& g, juce::Rectangle<float> cell, float position)
{
    // Housing: a recessed slot the wheel turns in
    const auto slot = cell.reduced (4.0f, 2.0f);
    K::fillGradient (g, slot, K::c (0xff050505), K::c (0xff101010), 8.0f);
    g.setColour (juce::Colours::white.withAlpha (0.12f));
    g.drawRoundedRectangle (slot.reduced (0.5f), 8.0f, 1.0f);

    // The wheel seen edge-on: a cylinder whose ribs move through it as it turns. Position
    // 0 is the wheel pulled fully back, 1 pushed fully forward (the ribs travel upward).
    const auto wheel = slot.reduced (6.0f, 8.0f);
    const float cx = wheel.getCentreX();
    const float halfHeight = wheel.getHeight() * 0.5f;
    const float cy = wheel.getCentreY();
    juce::ColourGradient shade (K::c (0xff060606), cx, wheel.getY(), K::c (0xff060606), cx, wheel.getBottom(), false);
    shade.addColour (0.5, K::c (0xff3e3e3e));
    shade.addColour (0.3, K::c (0xff2a2a2a));
    shade.addColour (0.7, K::c (0xff1e1e1e));
    g.setGradientFill (shade);
    g.fillRoundedRectangle (wheel, 4.0f);

    const float turn = (position - 0.5f) * 1.6f; // radians either side of the centre
    const float ribStep = pi / 28.0f;
    for (int i = -40; i <= 40; ++i)
    {
        const float a = (float) i * ribStep - turn;
        if (std::abs (a) >= pi * 0.5f - 0.02f)
            continue;
        const float y = cy + halfHeight * std::sin (a);
        const float light = std::cos (a);
        g.setColour (juce::Colours::black.withAlpha (0.75f));
        g.fillRect (wheel.getX() + 2.0f, y, wheel.getWidth() - 4.0f, 1.3f * light + 0.4f);
        g.setColour (juce::Colours::white.withAlpha (0.10f * light));
        g.fillRect (wheel.getX() + 2.0f, y + 1.4f * light, wheel.getWidth() - 4.0f, 1.0f);
    }

    // The centre mark on the wheel, at the middle when the wheel rests at its centre
    const float markAngle = -turn;
    if (std::abs (markAngle) < pi * 0.5f)
    {
        const float y = cy + halfHeight * std::sin (markAngle);
        const float h = 6.0f * std::cos (markAngle) + 1.0f;
        g.setColour (K::c (K::amber).withAlpha (0.4f));
        g.fillRect (wheel.getX() + 1.0f, y - h * 0.5f - 1.0f, wheel.getWidth() - 2.0f, h + 2.0f);
        g.setColour (K::c (K::amberLight));
        g.fillRect (wheel.getX() + 2.0f, y - h * 0.5f, wheel.getWidth() - 4.0f, h);
    }

    // Edge shading of the rim
    g.setGradientFill (juce::ColourGradient (juce::Colours::black.withAlpha (0.5f), wheel.getX(), cy,
                                             juce::Colours::transparentBlack, wheel.getX() + 10.0f, cy, false));
    g.fillRect (wheel.withWidth (10.0f));
    g.setGradientFill (juce::ColourGradient (juce::Colours::transparentBlack, wheel.getRight() - 10.0f, cy,
                                             juce::Colours::black.withAlpha (0.5f), wheel.getRight(), cy, false));
    g.fillRect (wheel.withTrimmedLeft (wheel.getWidth() - 10.0f));
}

} // namespace zd8gen

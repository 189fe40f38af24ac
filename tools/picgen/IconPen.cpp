#include "tools/picgen/IconPen.h"

#include "tools/picgen/PictureKit.h"

namespace zd8gen
{

IconPen::IconPen (juce::Graphics& graphics, juce::Rectangle<float> box)
    : g (graphics), scale (juce::jmin (box.getWidth() / 100.0f, box.getHeight() / 50.0f))
{
    transform = juce::AffineTransform::scale (scale).translated (box.getCentreX() - 50.0f * scale, box.getCentreY() - 25.0f * scale);
}

void IconPen::fill (const juce::Path& p, juce::Colour c) const
{
    g.setColour (c);
    g.fillPath (p, transform);
}

void IconPen::stroke (const juce::Path& p, float width, juce::Colour c) const
{
    g.setColour (c);
    g.strokePath (p, juce::PathStrokeType (juce::jmax (0.8f, width * scale), juce::PathStrokeType::curved, juce::PathStrokeType::rounded),
                  transform);
}

void IconPen::rect (float x, float y, float w, float h, juce::Colour c, float corner) const
{
    juce::Path p;
    p.addRoundedRectangle (x, y, w, h, corner);
    fill (p, c);
}

void IconPen::line (float x1, float y1, float x2, float y2, float width, juce::Colour c) const
{
    juce::Path p;
    p.startNewSubPath (x1, y1);
    p.lineTo (x2, y2);
    stroke (p, width, c);
}

void IconPen::circle (float cx, float cy, float r, juce::Colour c) const
{
    juce::Path p;
    p.addEllipse (cx - r, cy - r, 2.0f * r, 2.0f * r);
    fill (p, c);
}

void IconPen::keyboard (float x, float y, float w, float h, int whiteKeys, bool reversed) const
{
    const float kw = w / (float) whiteKeys;
    rect (x, y, w, h, reversed ? dark() : ink(), 1.0f);
    for (int i = 1; i < whiteKeys; ++i)
        line (x + kw * (float) i, y + 0.5f, x + kw * (float) i, y + h - 0.5f, 0.7f, reversed ? dim() : dark());
    static const bool hasBlack[] = { true, true, false, true, true, true, false };
    for (int i = 0; i < whiteKeys - 1; ++i)
        if (hasBlack[i % 7])
            rect (x + kw * ((float) i + 0.68f), y, kw * 0.64f, h * 0.6f, reversed ? ink() : dark());
    rect (x, y, w, h * 0.07f, PictureKit::c (PictureKit::amber));
}

} // namespace zd8gen

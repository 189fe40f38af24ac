#include "tools/picgen/PictureKit.h"

#include <cmath>

namespace zd8gen
{

juce::Font PictureKit::font (float height, bool bold)
{
    return juce::Font (juce::Font::getDefaultSansSerifFontName(), height, bold ? juce::Font::bold : juce::Font::plain);
}

void PictureKit::fillGradient (juce::Graphics& g, juce::Rectangle<float> area, juce::Colour top, juce::Colour bottom,
                               float corner)
{
    g.setGradientFill (juce::ColourGradient (top, area.getX(), area.getY(), bottom, area.getX(), area.getBottom(), false));
    if (corner > 0.0f)
        g.fillRoundedRectangle (area, corner);
    else
        g.fillRect (area);
}

void PictureKit::raisedBox (juce::Graphics& g, juce::Rectangle<float> area, juce::Colour top, juce::Colour bottom,
                            float corner)
{
    fillGradient (g, area, top, bottom, corner);
    g.setColour (juce::Colours::black.withAlpha (0.8f));
    g.drawRoundedRectangle (area.reduced (0.5f), corner, 1.0f);
    g.setColour (juce::Colours::white.withAlpha (0.16f));
    g.drawLine (area.getX() + corner, area.getY() + 1.5f, area.getRight() - corner, area.getY() + 1.5f, 1.0f);
}

void PictureKit::recessedBox (juce::Graphics& g, juce::Rectangle<float> area, float corner)
{
    fillGradient (g, area, c (0xff070707), c (0xff141414), corner);
    g.setColour (juce::Colours::white.withAlpha (0.10f));
    g.drawLine (area.getX() + corner, area.getBottom() - 0.5f, area.getRight() - corner, area.getBottom() - 0.5f, 1.0f);
    g.setColour (juce::Colours::black);
    g.drawRoundedRectangle (area.reduced (0.5f), corner, 1.0f);
}

void PictureKit::brush (juce::Graphics& g, juce::Rectangle<int> area, int seed, float strength)
{
    juce::Random random (seed);
    for (int y = area.getY(); y < area.getBottom(); ++y)
    {
        const float v = random.nextFloat();
        g.setColour ((v > 0.5f ? juce::Colours::white : juce::Colours::black).withAlpha (strength * std::abs (v - 0.5f)));
        g.fillRect (area.getX(), y, area.getWidth(), 1);
    }
}

void PictureKit::glow (juce::Graphics& g, juce::Point<float> centre, float radius, juce::Colour colour)
{
    juce::ColourGradient halo (colour.withAlpha (0.55f), centre.x, centre.y, colour.withAlpha (0.0f), centre.x + radius * 2.0f,
                               centre.y, true);
    g.setGradientFill (halo);
    g.fillEllipse (centre.x - radius * 2.0f, centre.y - radius * 2.0f, radius * 4.0f, radius * 4.0f);
    juce::ColourGradient core (colour.brighter (0.8f), centre.x, centre.y, colour, centre.x + radius, centre.y, true);
    g.setGradientFill (core);
    g.fillEllipse (centre.x - radius, centre.y - radius, radius * 2.0f, radius * 2.0f);
}

juce::Point<float> PictureKit::polar (juce::Point<float> centre, float radius, float angle)
{
    return { centre.x + radius * std::sin (angle), centre.y - radius * std::cos (angle) };
}

} // namespace zd8gen

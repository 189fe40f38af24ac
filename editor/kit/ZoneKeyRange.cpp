#include "editor/kit/ZoneKeyRange.h"

#include "editor/kit/Palette.h"
#include "editor/kit/PictureDraw.h"
#include "editor/kit/Pictures.h"

namespace zd8
{

namespace
{
    // Left edge of each key within its octave; white keys are 5 px wide.
    constexpr int octaveOffsets[12] = { 0, 4, 5, 9, 10, 15, 19, 20, 24, 25, 29, 30 };
    constexpr int octaveWidth = 35;
    // Pointer pixels per key when dragging: the strip's width over the key range.
    constexpr double pixelsPerKey = (double) ZoneKeyRange::stripWidth / ZoneKeyRange::highestKey;

    const juce::Colour background (Palette::zoneKeysBackground);
    const juce::Colour outsideZone (Palette::zoneKeysOutside);
}

ZoneKeyRange::ZoneKeyRange()
{
    keys = Pictures::get ("zone_keys");
    setSize (stripWidth, stripHeight);
}

int ZoneKeyRange::keyX (int key) noexcept
{
    key = juce::jlimit (0, highestKey + 1, key);
    return octaveWidth * (key / 12) + octaveOffsets[key % 12];
}

void ZoneKeyRange::setZone (int newLow, int newHigh)
{
    newLow = juce::jlimit (0, highestKey, newLow);
    newHigh = juce::jlimit (newLow, highestKey, newHigh);
    if (newLow == low && newHigh == high)
        return;
    low = newLow;
    high = newHigh;
    repaint();
}

void ZoneKeyRange::setScale (float factor)
{
    if (factor <= 0.0f)
        return;
    scale = factor;
    setSize (juce::roundToInt (stripWidth * scale), juce::roundToInt (stripHeight * scale));
    repaint();
}

void ZoneKeyRange::paint (juce::Graphics& g)
{
    g.fillAll (background);
    PictureDraw::draw (g, keys, getLocalBounds().toFloat());

    const float left = (float) keyX (low) * scale;
    const float right = (float) keyX (high + 1) * scale;
    const float h = stripHeight * scale;
    g.setColour (outsideZone);
    if (left > 0.0f)
        g.fillRect (0.0f, 0.0f, left, h);
    if (right < (float) getWidth())
        g.fillRect (right, 0.0f, (float) getWidth() - right, h);
}

void ZoneKeyRange::mouseDown (const juce::MouseEvent& e)
{
    if (pressesOnly)
    {
        sendChangeMessage();
        return;
    }
    pressX = e.x;
    pressHigh = high;
    dragging = true;
}

void ZoneKeyRange::mouseDrag (const juce::MouseEvent& e)
{
    if (! dragging)
        return;
    // Whole keys only (truncated toward zero): a drag shorter than a key moves nothing.
    const int moved = (int) ((pressX - e.x) / (pixelsPerKey * scale));
    int newHigh = pressHigh - moved;
    if (newHigh == high)
        return;
    const int span = high - low;
    newHigh = juce::jlimit (span, highestKey, newHigh);
    if (newHigh == high)
        return;
    high = newHigh;
    low = newHigh - span;
    repaint();
    sendChangeMessage();
}

void ZoneKeyRange::mouseUp (const juce::MouseEvent& e)
{
    dragging = false;
    if (getLocalBounds().contains (e.getPosition()))
        sendChangeMessage();
}

} // namespace zd8

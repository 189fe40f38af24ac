#include "editor/kit/ChannelMonitor.h"

#include "editor/kit/Palette.h"
#include "editor/kit/Pictures.h"

namespace zd8
{

namespace
{
    constexpr int levelThresholds[] = { 2, 15, 29, 43, 57, 71, 85, 99, 113 };
    constexpr int levelWidth = 3, levelHeight = 42, levelY = 18;
    constexpr int wheelMarkerWidth = 13;
    const juce::Colour numberColour (Palette::textDim);
}

ChannelMonitor::ChannelMonitor (int ch) : channel (juce::jlimit (0, 15, ch))
{
    entries[pitchEntry] = 64;
    background = Pictures::get ("monitor_back");
    sliderMarker = Pictures::get ("monitor_slider");
    levels = Pictures::get ("monitor_levels");
    wheelMarker = Pictures::get ("monitor_wheel");
    setPageScale (1.0f);
}

void ChannelMonitor::setPageScale (float pageScale)
{
    if (pageScale <= 0.0f)
        return;
    scale = pageScale / 2.0f;
    setSize (juce::roundToInt (460 * scale), juce::roundToInt (160 * scale));
    repaint();
}

int ChannelMonitor::getEntry (int entry) const noexcept
{
    return entry >= 0 && entry < numEntries ? entries[entry] : 0;
}

void ChannelMonitor::setEntry (int entry, int value)
{
    if (entry < 0 || entry >= numEntries)
        return;
    entries[entry] = (juce::uint8) juce::jlimit (0, 127, value);
    const auto area = entryArea (entry);
    if (! area.isEmpty())
        repaint (area);
}

int ChannelMonitor::levelStrip (int value) noexcept
{
    if (value >= 127)
        return 10;
    int reached = 0;
    for (int t : levelThresholds)
        if (value >= t)
            ++reached;
    return reached;
}

float ChannelMonitor::sliderMarkerY (int value) const noexcept
{
    return 102.0f * scale - 68.0f * scale * (float) value / 127.0f;
}

float ChannelMonitor::wheelX (int entry) const noexcept
{
    return (entry == pitchEntry ? 31.0f : 60.0f) * scale;
}

float ChannelMonitor::wheelMarkerY (int value) const noexcept
{
    return 121.0f * scale - 60.0f * scale * (float) value / 127.0f;
}

juce::Rectangle<int> ChannelMonitor::entryArea (int entry) const noexcept
{
    // The whole column an entry's marker can travel in, so the old position is cleared too.
    if (entry >= 0 && entry < numSliders)
        return { sliderX (entry), 0, levelWidth + 7 + 1, getHeight() };
    if (entry == pitchEntry || entry == modulationEntry)
        return juce::Rectangle<float> (wheelX (entry), 0.0f, (float) wheelMarkerWidth, (float) getHeight())
            .getSmallestIntegerContainer();
    return {};
}

void ChannelMonitor::paint (juce::Graphics& g)
{
    g.drawImage (background, getLocalBounds().toFloat(), juce::RectanglePlacement::stretchToFit);

    g.setColour (numberColour);
    g.setFont (juce::Font ("Arial", 24.0f * scale, juce::Font::plain));
    g.drawSingleLineText (juce::String (channel + 1), juce::roundToInt (12 * scale),
                          juce::roundToInt (20 * scale) + juce::roundToInt (g.getCurrentFont().getAscent()));

    for (int i = 0; i < numSliders; ++i)
    {
        const int x = sliderX (i);
        g.drawImageAt (sliderMarker, x, juce::roundToInt (sliderMarkerY (entries[i])));
        g.drawImage (levels, x + 7, levelY, levelWidth, levelHeight, levelStrip (entries[i]) * levelWidth, 0,
                     levelWidth, levelHeight);
    }

    for (int entry : { pitchEntry, modulationEntry })
        g.drawImageAt (wheelMarker, juce::roundToInt (wheelX (entry)), juce::roundToInt (wheelMarkerY (entries[entry])));
}

void ChannelMonitor::mouseDown (const juce::MouseEvent&)
{
    sendChangeMessage();
}

} // namespace zd8

#include "editor/kit/ChannelMonitor.h"

#include "editor/kit/Palette.h"
#include "editor/kit/PictureDraw.h"
#include "editor/kit/Pictures.h"

namespace zd8
{

namespace
{
    constexpr int levelThresholds[] = { 2, 15, 29, 43, 57, 71, 85, 99, 113 };

    // Geometry in the background picture's pixels (the monitor at page scale 1.0, 230x80).
    // Slider i's marker rides its track at x = sliderX + sliderStep * i; its level strip
    // stands beside it.
    constexpr float sliderX = 47.0f, sliderStep = 14.0f;
    constexpr float markerWidth = 6.0f, markerHeight = 15.0f;
    constexpr float markerLowest = 51.0f, markerTravel = 34.0f;   // top edge at 0 and its rise at 127
    constexpr float levelDx = 7.0f, levelY = 18.0f, levelWidth = 3.0f, levelHeight = 42.0f;
    constexpr float columnWidth = levelDx + levelWidth;
    constexpr float pitchWheelX = 15.5f, modWheelX = 30.0f;
    constexpr float wheelMarkerWidth = 13.0f, wheelMarkerHeight = 17.0f;
    constexpr float wheelLowest = 60.5f, wheelTravel = 30.0f;
    constexpr float numberX = 6.0f, numberY = 10.0f, numberSize = 12.0f;
    constexpr int levelStripPixels = 3;   // one strip's width in the strip sheet

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

juce::Rectangle<float> ChannelMonitor::scaled (float x, float y, float w, float h) const noexcept
{
    const float f = 2.0f * scale;   // picture pixels to monitor pixels
    return { x * f, y * f, w * f, h * f };
}

juce::Rectangle<float> ChannelMonitor::sliderMarkerArea (int i) const noexcept
{
    if (i < 0 || i >= numSliders)
        return {};
    return scaled (sliderX + sliderStep * (float) i, markerLowest - markerTravel * (float) entries[i] / 127.0f,
                   markerWidth, markerHeight);
}

juce::Rectangle<float> ChannelMonitor::levelStripArea (int i) const noexcept
{
    if (i < 0 || i >= numSliders)
        return {};
    return scaled (sliderX + sliderStep * (float) i + levelDx, levelY, levelWidth, levelHeight);
}

juce::Rectangle<float> ChannelMonitor::wheelMarkerArea (int entry) const noexcept
{
    if (entry != pitchEntry && entry != modulationEntry)
        return {};
    return scaled (entry == pitchEntry ? pitchWheelX : modWheelX,
                   wheelLowest - wheelTravel * (float) entries[entry] / 127.0f, wheelMarkerWidth, wheelMarkerHeight);
}

float ChannelMonitor::numberHeight() const noexcept
{
    return juce::jmax (smallestNumberHeight, numberSize * 2.0f * scale);
}

juce::Rectangle<int> ChannelMonitor::entryArea (int entry) const noexcept
{
    // The whole column an entry's marker can travel in, so the old position is cleared too.
    if (entry >= 0 && entry < numSliders)
        return scaled (sliderX + sliderStep * (float) entry, 0.0f, columnWidth, 80.0f).getSmallestIntegerContainer()
            .getIntersection (getLocalBounds());
    if (entry == pitchEntry || entry == modulationEntry)
        return scaled (entry == pitchEntry ? pitchWheelX : modWheelX, 0.0f, wheelMarkerWidth, 80.0f)
            .getSmallestIntegerContainer().getIntersection (getLocalBounds());
    return {};
}

void ChannelMonitor::paint (juce::Graphics& g)
{
    PictureDraw::draw (g, background, getLocalBounds().toFloat());

    g.setColour (numberColour);
    g.setFont (juce::Font ("Arial", numberHeight(), juce::Font::plain));
    const auto numberAt = scaled (numberX, numberY, 0.0f, 0.0f).getPosition();
    g.drawSingleLineText (juce::String (channel + 1), juce::roundToInt (numberAt.x),
                          juce::roundToInt (numberAt.y + g.getCurrentFont().getAscent()));

    for (int i = 0; i < numSliders; ++i)
    {
        const auto d = levelStripArea (i).toNearestInt();
        PictureDraw::draw (g, levels, { d.getX(), d.getY(), juce::jmax (1, d.getWidth()), d.getHeight() },
                           { levelStrip (entries[i]) * levelStripPixels, 0, levelStripPixels, levels.getHeight() });
    }
    for (int i = 0; i < numSliders; ++i)
        PictureDraw::draw (g, sliderMarker, sliderMarkerArea (i));

    for (int entry : { pitchEntry, modulationEntry })
        PictureDraw::draw (g, wheelMarker, wheelMarkerArea (entry));
}

void ChannelMonitor::mouseDown (const juce::MouseEvent&)
{
    sendChangeMessage();
}

} // namespace zd8

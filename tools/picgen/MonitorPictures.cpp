#include "tools/picgen/MonitorPictures.h"

#include "tools/picgen/PictureKit.h"

namespace zd8gen
{

namespace
{
    using K = PictureKit;

    // Monitor geometry in the picture's own pixels, which are the monitor's at page
    // scale 1.0 (ChannelMonitor draws its markers in the same pixels): slider i's 6-pixel
    // marker at x = 47 + 14 i travels with its top from 17 to 51 (15 high), its 3x42
    // level strip stands 7 pixels right of the marker's left edge from y 18; the 13x17
    // wheel markers at x 15.5 and 30 travel with their tops from 30.5 to 60.5.
    constexpr int sliderCount = 9;
    constexpr float sliderX0 = 47.0f, sliderStep = 14.0f, markerWidth = 6.0f;
    constexpr float sliderTop = 17.0f, sliderBottom = 66.0f;
    constexpr float levelDx = 7.0f, levelTop = 18.0f, levelBottom = 60.0f, levelWidth = 3.0f;
    constexpr float wheelX[] = { 15.5f, 30.0f };
    constexpr float wheelWidth = 13.0f, wheelTop = 30.0f, wheelBottom = 78.0f;
}

bool MonitorPictures::draw (const juce::String& name, juce::Graphics& g, int width, int height)
{
    const juce::Rectangle<float> all (0.0f, 0.0f, (float) width, (float) height);
    if (name == "monitor_back")
        monitorBack (g, all);
    else if (name == "monitor_slider")
    {
        K::raisedBox (g, all.reduced (0.5f), K::c (0xfff0f0f0), K::c (0xff9a9a9a), 1.0f);
        g.setColour (K::c (K::amber));
        g.fillRect (0.5f, all.getCentreY() - 1.0f, all.getWidth() - 1.0f, 2.0f);
    }
    else if (name == "monitor_levels")
        levels (g, height);
    else if (name == "monitor_wheel")
    {
        K::raisedBox (g, all.reduced (0.5f), K::c (0xff5a5a5a), K::c (0xff222222), 2.0f);
        g.setColour (K::c (K::amberLight));
        g.fillRect (1.5f, all.getCentreY() - 1.0f, all.getWidth() - 3.0f, 2.0f);
    }
    else if (name == "zone_keys")
        zoneKeys (g, width, height);
    else
        return false;
    return true;
}

void MonitorPictures::monitorBack (juce::Graphics& g, juce::Rectangle<float> area)
{
    K::fillGradient (g, area, K::c (0xff242424), K::c (0xff141414), 5.0f);
    K::brush (g, area.reduced (2.0f).toNearestInt(), 31, 0.05f);
    g.setColour (juce::Colours::black);
    g.drawRoundedRectangle (area.reduced (0.5f), 5.0f, 1.0f);
    g.setColour (juce::Colours::white.withAlpha (0.08f));
    g.drawLine (5.0f, 1.5f, area.getRight() - 5.0f, 1.5f);

    // Slider slots (marker travel) with the level strip windows beside them
    for (int i = 0; i < sliderCount; ++i)
    {
        const float x = sliderX0 + sliderStep * (float) i;
        K::recessedBox (g, { x + markerWidth / 2.0f - 1.5f, sliderTop, 3.0f, sliderBottom - sliderTop }, 1.0f);
        K::recessedBox (g, { x + levelDx - 0.5f, levelTop - 0.5f, levelWidth + 1.0f, levelBottom - levelTop + 1.0f }, 0.5f);
    }
    // Wheel slots, under the middle of their markers
    for (float x : wheelX)
        K::recessedBox (g, { x + wheelWidth / 2.0f - 2.5f, wheelTop, 5.0f, wheelBottom - wheelTop }, 2.0f);

    g.setColour (K::c (K::amber).withAlpha (0.7f));
    g.setFont (K::font (7.0f, true));
    g.drawText ("SLIDERS", juce::Rectangle<float> (sliderX0, 70.0f, sliderStep * sliderCount - 4.0f, 8.0f),
                juce::Justification::centred);
}

void MonitorPictures::levels (juce::Graphics& g, int height)
{
    // Strip e lights e of ten segments from the bottom; the top two are amber.
    constexpr int segments = 10;
    const float segment = (float) height / segments;
    for (int e = 0; e < levelStrips; ++e)
    {
        const float x = (float) (e * levelStripWidth);
        for (int s = 0; s < segments; ++s)
        {
            const bool lit = s < e;
            const float y = (float) height - (float) (s + 1) * segment;
            const auto colour = s >= 8 ? K::c (K::amberLight) : K::c (K::blueLight);
            g.setColour (lit ? colour : colour.withAlpha (0.12f));
            g.fillRect (x, y + 0.5f, (float) levelStripWidth, segment - 1.0f);
        }
    }
}

void MonitorPictures::zoneKeys (juce::Graphics& g, int width, int height)
{
    // Octaves 35 pixels wide: seven white keys of 5 pixels, black keys at 4, 9, 19, 24, 29.
    g.fillAll (K::c (0xff101010));
    const float blackKeyX[] = { 4.0f, 9.0f, 19.0f, 24.0f, 29.0f };
    for (int x = 0; x < width; x += 5)
    {
        K::fillGradient (g, { (float) x, 0.0f, 4.0f, (float) height }, K::c (0xffd8d8d8), K::c (0xfff6f6f6));
    }
    for (int octave = 0; octave * 35 < width; ++octave)
        for (float bx : blackKeyX)
        {
            const float x = (float) (octave * 35) + bx - 0.5f;
            if (x + 3.0f <= (float) width)
                K::fillGradient (g, { x, 0.0f, 3.0f, (float) height * 0.62f }, K::c (0xff2a2a2a), K::c (0xff050505));
        }
    g.setColour (K::c (K::amber).withAlpha (0.7f));
    g.fillRect (0, 0, width, 1);
}

} // namespace zd8gen

#include "tools/picgen/ControlsPagePictures.h"

#include "tools/picgen/PictureKit.h"

namespace zd8gen
{

namespace
{
    using K = PictureKit;

    // Panel geometry, shared with the page's layout: column i starts at 56 + 66 * i,
    // knobs at y 46, slider tracks (28 wide) centred in 40 from y 126, buttons at 330,
    // the channel block at (700, 60) in 56 x 36 steps.
    constexpr float columnX0 = 56.0f, columnStep = 66.0f;
    constexpr int columns = 9;
    constexpr float knobY = 46.0f, sliderY = 126.0f, buttonY = 330.0f;
    constexpr float channelX = 700.0f, channelY = 60.0f;
    constexpr float dividerX = 676.0f;

    void screw (juce::Graphics& g, float cx, float cy)
    {
        g.setColour (juce::Colours::black.withAlpha (0.7f));
        g.fillEllipse (cx - 4.5f, cy - 4.0f, 9.0f, 9.0f);
        K::fillGradient (g, { cx - 4.0f, cy - 4.0f, 8.0f, 8.0f }, K::c (0xff5a5a5a), K::c (0xff262626), 4.0f);
        g.setColour (K::c (0xff141414));
        g.drawLine (cx - 2.5f, cy + 1.5f, cx + 2.5f, cy - 1.5f, 1.2f);
    }
}

bool ControlsPagePictures::draw (const juce::String& name, juce::Graphics& g, int width, int height)
{
    if (name == "controls_panel")
        panel (g, width, height);
    else if (name == "controls_label_plate")
        labelPlate (g, width, height);
    else if (name == "controls_tw7_badge")
        organBadge (g, width, height);
    else
        return false;
    return true;
}

void ControlsPagePictures::panel (juce::Graphics& g, int width, int height)
{
    const juce::Rectangle<float> all (0.0f, 0.0f, (float) width, (float) height);

    // Metal front plate with rounded corners, brushed, lit from above
    K::fillGradient (g, all, K::c (0xff2b2b2d), K::c (0xff19191a), 10.0f);
    {
        const juce::Graphics::ScopedSaveState s (g);
        juce::Path outline;
        outline.addRoundedRectangle (all, 10.0f);
        g.reduceClipRegion (outline);
        K::brush (g, { 0, 0, width, height }, 950, 0.05f);
    }
    g.setColour (juce::Colours::white.withAlpha (0.14f));
    g.drawLine (10.0f, 1.5f, (float) width - 10.0f, 1.5f, 1.0f);
    g.setColour (juce::Colours::black);
    g.drawRoundedRectangle (all.reduced (0.5f), 10.0f, 1.0f);
    for (auto p : { juce::Point<float> (14.0f, 14.0f), juce::Point<float> ((float) width - 14.0f, 14.0f),
                    juce::Point<float> (14.0f, (float) height - 14.0f), juce::Point<float> ((float) width - 14.0f, (float) height - 14.0f) })
        screw (g, p.x, p.y);

    // One lane per column, knob, slider and button stacked in it
    for (int i = 0; i < columns; ++i)
    {
        const float x = columnX0 + columnStep * (float) i;
        const juce::Rectangle<float> lane (x + 3.0f, 42.0f, columnStep - 6.0f, 330.0f);
        K::fillGradient (g, lane, K::c (0xff202022), K::c (0xff1b1b1c), 5.0f);
        g.setColour (juce::Colours::black.withAlpha (0.55f));
        g.drawRoundedRectangle (lane.reduced (0.5f), 5.0f, 1.0f);
        g.setColour (juce::Colours::white.withAlpha (0.05f));
        g.drawLine (lane.getX() + 5.0f, lane.getBottom() + 0.5f, lane.getRight() - 5.0f, lane.getBottom() + 0.5f, 1.0f);

        // A ring of dots around the knob marks its travel (seven o'clock to five)
        const juce::Point<float> centre (x + 33.0f, knobY + 24.0f);
        for (int n = 0; n <= 10; ++n)
        {
            const float angle = juce::MathConstants<float>::pi * (-0.75f + 1.5f * (float) n / 10.0f);
            const auto dot = K::polar (centre, 27.5f, angle);
            g.setColour (n == 0 || n == 10 ? K::c (K::amber).withAlpha (0.7f) : K::c (0xff5c5c5c));
            g.fillEllipse (dot.x - 1.0f, dot.y - 1.0f, 2.0f, 2.0f);
        }

        // Scale beside the slider groove: eleven ticks, long ones at 0, 5 and 10
        const float trackLeft = x + 14.0f + 6.0f;
        for (int n = 0; n <= 10; ++n)
        {
            const float y = sliderY + 13.0f + 137.0f * (float) n / 10.0f;
            const bool major = n % 5 == 0;
            g.setColour (major ? K::c (0xff7a7a7a) : K::c (0xff4a4a4a));
            g.fillRect (trackLeft - (major ? 9.0f : 6.0f), y, major ? 6.0f : 4.0f, 1.0f);
            g.fillRect (trackLeft + 30.0f, y, major ? 6.0f : 4.0f, 1.0f);
        }

        // Well under the button
        K::recessedBox (g, { x + 9.0f, buttonY - 3.0f, 48.0f, 36.0f }, 4.0f);
    }

    // The channel side: divider, then the well of the channel buttons
    g.setColour (juce::Colours::black.withAlpha (0.7f));
    g.fillRect (dividerX, 24.0f, 1.0f, (float) height - 48.0f);
    g.setColour (juce::Colours::white.withAlpha (0.06f));
    g.fillRect (dividerX + 1.0f, 24.0f, 1.0f, (float) height - 48.0f);
    K::recessedBox (g, { channelX - 6.0f, channelY - 6.0f, 4.0f * 56.0f + 6.0f, 4.0f * 36.0f + 12.0f }, 6.0f);
    g.setColour (K::c (K::amber).withAlpha (0.6f));
    g.fillRect (channelX, 56.0f - 4.0f, 40.0f, 2.0f);

    // A strip along the bottom edge: the monitors below the panel belong to it
    g.setColour (juce::Colours::black.withAlpha (0.6f));
    g.fillRect (24.0f, (float) height - 30.0f, (float) width - 48.0f, 1.0f);
    g.setColour (juce::Colours::white.withAlpha (0.05f));
    g.fillRect (24.0f, (float) height - 29.0f, (float) width - 48.0f, 1.0f);
}

void ControlsPagePictures::labelPlate (juce::Graphics& g, int width, int height)
{
    const juce::Rectangle<float> area (2.0f, 0.5f, (float) width - 4.0f, (float) height - 1.0f);
    K::fillGradient (g, area, K::c (0xff101011), K::c (0xff17171a), 3.0f);
    g.setColour (juce::Colours::black.withAlpha (0.9f));
    g.drawRoundedRectangle (area, 3.0f, 1.0f);
    g.setColour (juce::Colours::white.withAlpha (0.07f));
    g.drawLine (area.getX() + 3.0f, area.getBottom() + 0.25f, area.getRight() - 3.0f, area.getBottom() + 0.25f, 1.0f);
}

void ControlsPagePictures::organBadge (juce::Graphics& g, int width, int height)
{
    const juce::Rectangle<float> area (0.5f, 0.5f, (float) width - 1.0f, (float) height - 1.0f);
    K::fillGradient (g, area, K::c (K::amberLight), K::c (K::amber), 3.0f);
    g.setColour (K::c (0xff3a2c00));
    g.drawRoundedRectangle (area, 3.0f, 1.0f);
    g.setColour (K::c (0xff1a1400));
    g.setFont (K::font ((float) height - 3.0f, true));
    g.drawText ("TW7", area, juce::Justification::centred);
}

} // namespace zd8gen

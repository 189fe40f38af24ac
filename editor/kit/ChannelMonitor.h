#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

namespace zd8
{

/** One channel's monitor on the controls page: the levels of the channel's nine
    sliders and the positions of its pitch and modulation wheels. Thirteen one-byte
    entries: 0..8 the sliders, 11 the pitch wheel (starts at 64), 12 the modulation
    wheel; 9 and 10 are kept but not shown. Its scale is half its page's, so at page
    scale 1.0 it is 230x80, its background picture's own size; everything it draws is
    placed in that picture's pixels and scaled with the monitor, so a shrunken monitor
    shows all it shows at full size. A press sends the change message (the page then
    selects the channel). Message thread only. */
class ChannelMonitor : public juce::Component, public juce::ChangeBroadcaster
{
public:
    static constexpr int numEntries = 13;
    static constexpr int numSliders = 9;
    static constexpr int pitchEntry = 11;
    static constexpr int modulationEntry = 12;
    /** The channel number never gets smaller than this (pixels), however far the
        monitor shrinks. */
    static constexpr float smallestNumberHeight = 11.0f;

    explicit ChannelMonitor (int channel);

    int getChannel() const noexcept { return channel; }

    /** Entry 0..12, value clamped to 0..127; repaints only that entry's part. */
    void setEntry (int entry, int value);
    int getEntry (int entry) const noexcept;

    /** Page scale; the monitor uses half of it and resizes to 460x160 times that. */
    void setPageScale (float pageScale);
    float getScale() const noexcept { return scale; }

    /** The part of the monitor an entry's drawing occupies (empty for entries 9, 10). */
    juce::Rectangle<int> entryArea (int entry) const noexcept;
    /** Where slider i's marker is drawn for its current value (monitor pixels). */
    juce::Rectangle<float> sliderMarkerArea (int slider) const noexcept;
    /** Where slider i's level strip is drawn. */
    juce::Rectangle<float> levelStripArea (int slider) const noexcept;
    /** Where a wheel's marker (pitchEntry or modulationEntry) is drawn for its value. */
    juce::Rectangle<float> wheelMarkerArea (int entry) const noexcept;
    /** The channel number's font height in pixels. */
    float numberHeight() const noexcept;
    /** Level strip 0..10 shown for a slider value: 10 at 127, else the number of the
        thresholds 2, 15, 29, 43, 57, 71, 85, 99, 113 reached. */
    static int levelStrip (int value) noexcept;

    void paint (juce::Graphics&) override;
    void mouseDown (const juce::MouseEvent&) override;

private:
    /** A rectangle in the background picture's pixels, at the monitor's size. */
    juce::Rectangle<float> scaled (float x, float y, float w, float h) const noexcept;

    int channel;
    juce::uint8 entries[numEntries] = {};
    float scale = 0.5f;
    juce::Image background, sliderMarker, levels, wheelMarker;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (ChannelMonitor)
};

} // namespace zd8

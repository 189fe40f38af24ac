#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

namespace zd8
{

/** The keyboard strip of a multi zone (341x14): the zone's key range bright, the rest
    darkened. Dragging moves the whole zone sideways, keeping its span, within keys
    0..127; each move and the release inside the strip send the change message, and
    the owner reads the new low and high key. With the presses-only flag a press only
    sends the change message. Message thread only. */
class ZoneKeyRange : public juce::Component, public juce::ChangeBroadcaster
{
public:
    static constexpr int stripWidth = 341;
    static constexpr int stripHeight = 14;
    static constexpr int highestKey = 127;
    static constexpr int keyRangeMode = 2;

    ZoneKeyRange();

    /** The owner's zone (clamped to 0..127, low not above high); no change message. */
    void setZone (int low, int high);
    int getLow() const noexcept { return low; }
    int getHigh() const noexcept { return high; }

    void setPressesOnly (bool on) noexcept { pressesOnly = on; }
    bool isPressesOnly() const noexcept { return pressesOnly; }
    bool isDragging() const noexcept { return dragging; }
    int getMode() const noexcept { return mode; }

    /** Resizes to 341x14 times the factor; key positions scale with it. */
    void setScale (float factor);

    /** Left edge of key k (0..128) at scale 1: 35 px per octave. */
    static int keyX (int key) noexcept;

    void paint (juce::Graphics&) override;
    void mouseDown (const juce::MouseEvent&) override;
    void mouseDrag (const juce::MouseEvent&) override;
    void mouseUp (const juce::MouseEvent&) override;

private:
    int mode = keyRangeMode;
    int low = 0, high = highestKey;
    bool dragging = false, pressesOnly = false;
    int pressX = 0, pressHigh = 0;
    float scale = 1.0f;
    juce::Image keys;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (ZoneKeyRange)
};

} // namespace zd8

#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

namespace zd8
{

/** Pitch or modulation wheel of the keyboard panel, 0..127, drawn from a strip of 35
    frames of 65x260 (68 px apart) scaled into the widget. Dragging moves it one step
    per pixel (up is more), the mouse wheel by one; a spring wheel returns to its rest
    position (64) on release; a double-click returns it to its rest (64 for a spring
    wheel, 0 for the other). User changes send the change message. Its tooltip names it
    and shows its value. Message thread only. */
class WheelControl : public juce::Component, public juce::ChangeBroadcaster, public juce::TooltipClient
{
public:
    static constexpr int maximum = 127;
    static constexpr int restValue = (maximum + 1) / 2;   // pitch-bend centre 64 * 128 = 8192
    static constexpr int numFrames = 35;

    explicit WheelControl (bool springBack = false);

    /** The owner's value (incoming MIDI): clamped, shown, no change message. */
    void setValue (int v);
    int getValue() const noexcept { return value; }
    bool springsBack() const noexcept { return spring; }
    void setSpringBack (bool on) noexcept { spring = on; }

    /** The strip frame shown for a value: value * 34 / 127, rounded down. */
    static int frameFor (int value) noexcept;
    int getFrame() const noexcept { return frameFor (value); }

    void paint (juce::Graphics&) override;
    void mouseDown (const juce::MouseEvent&) override;
    void mouseDrag (const juce::MouseEvent&) override;
    void mouseUp (const juce::MouseEvent&) override;
    void mouseWheelMove (const juce::MouseEvent&, const juce::MouseWheelDetails&) override;
    void mouseDoubleClick (const juce::MouseEvent&) override;

    /** The value a double-click returns the wheel to. */
    int getDefaultValue() const noexcept { return spring ? restValue : 0; }
    /** "Pitch wheel: 64" or "Modulation wheel: 0". */
    juce::String getTooltip() override;

private:
    void userSet (int v);

    bool spring;
    int value;
    int pressY = 0, pressValue = 0;
    juce::Image strip;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (WheelControl)
};

} // namespace zd8

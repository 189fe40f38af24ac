#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

namespace zd8
{

/** Horizontal slider of the latency section: a track filled up to the value, a thumb,
    and the value with " ms". A press or drag sets the value from the pointer's x, the
    mouse wheel steps it by one; a double-click returns it to its default; user changes
    send the change message. Its tooltip names it and shows its value.
    Message thread only. */
class RateSlider : public juce::Component, public juce::ChangeBroadcaster, public juce::TooltipClient
{
public:
    static constexpr int defaultMaximum = 2000;   // milliseconds: the engine's largest delay

    RateSlider();

    void setRange (int minimum, int maximum);
    /** The owner's value: clamped and shown, no change message. */
    void setValue (int v);
    int getValue() const noexcept { return value; }
    int getMinimum() const noexcept { return minimum; }
    int getMaximum() const noexcept { return maximum; }
    /** "12 ms". */
    juce::String getText() const { return juce::String (value) + " ms"; }

    /** The value under a pointer x (the track spans the left part of the slider). */
    int valueAt (int x) const noexcept;

    void paint (juce::Graphics&) override;
    void mouseDown (const juce::MouseEvent&) override;
    void mouseDrag (const juce::MouseEvent&) override;
    void mouseWheelMove (const juce::MouseEvent&, const juce::MouseWheelDetails&) override;
    void mouseDoubleClick (const juce::MouseEvent&) override;

    /** The value a double-click returns to (limited to the range); 0 ms unless set. */
    void setDefaultValue (int v) noexcept { defaultValue = v; }
    int getDefaultValue() const noexcept { return juce::jlimit (minimum, maximum, defaultValue); }
    /** What the tooltip calls the slider ("Delay" unless set). */
    void setTooltipName (const juce::String& n) { tooltipName = n; }
    /** "Delay: 12 ms". */
    juce::String getTooltip() override;

private:
    juce::Rectangle<int> trackArea() const noexcept;
    void userSet (int v);

    int minimum = 0, maximum = defaultMaximum, value = 0;
    int defaultValue = 0;
    juce::String tooltipName { "Delay" };
    bool tracking = false;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (RateSlider)
};

} // namespace zd8

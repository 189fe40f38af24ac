#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

namespace zd8
{

/** A channel's level meter on the mixer page: a 3-pixel bar, 107 pixels high at the
    loudest, on the palette's note meter background. The owner sets a peak (a note's
    velocity); a 60 ms timer then lowers it by 8 per tick until it falls below 5, when
    it becomes 0 and the timer stops. Message thread only. */
class NoteMeter : public juce::Component, private juce::Timer
{
public:
    static constexpr int barHeight = 107;
    static constexpr int tickMs = 60;
    static constexpr int fallPerTick = 8;
    static constexpr int stopBelow = 5;

    NoteMeter();
    ~NoteMeter() override;

    /** Peak 0..127 (clamped); starts the fall. */
    void setPeak (int peak);
    int getPeak() const noexcept { return peak; }
    bool isFalling() const noexcept { return isTimerRunning(); }

    /** One step of the fall; the timer calls it every 60 ms. */
    void tick();

    /** Top of the lit bar, in pixels from the widget's top. */
    float barTop() const noexcept { return (float) barHeight - (float) peak * 0.8359375f; }

    void paint (juce::Graphics&) override;

private:
    void timerCallback() override { tick(); }

    int peak = 0;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (NoteMeter)
};

} // namespace zd8

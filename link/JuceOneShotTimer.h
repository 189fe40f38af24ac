#pragma once

#include "link/OneShotTimer.h"

#include <juce_events/juce_events.h>

namespace zd8
{

/** OneShotTimer on juce::Timer: ticks on the message thread. */
class JuceOneShotTimer : public OneShotTimer, private juce::Timer
{
public:
    ~JuceOneShotTimer() override { juce::Timer::stopTimer(); }

    void start (int periodMs) override { juce::Timer::startTimer (periodMs); }
    void stop() override { juce::Timer::stopTimer(); }
    bool isRunning() const override { return juce::Timer::isTimerRunning(); }

private:
    void timerCallback() override
    {
        if (onTick)
            onTick();
    }
};

} // namespace zd8

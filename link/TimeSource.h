#pragma once

namespace zd8
{

/** Milliseconds since system start (juce::Time::getMillisecondCounterHiRes for the
    real thing). Tests pass a manual one so that timings are exact. Any thread. */
class TimeSource
{
public:
    virtual ~TimeSource() = default;
    virtual double nowMs() const = 0;

    /** The system's high-resolution millisecond counter. */
    static TimeSource& system();
};

} // namespace zd8

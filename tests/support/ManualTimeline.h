#pragma once

#include "link/TimeSource.h"
#include "link/TimerFactory.h"

#include <memory>
#include <mutex>
#include <vector>

namespace zd8test
{

/** A clock that only moves when the test says so, and timers that fire as it moves:
    advance (150) fires every timer that falls due in those 150 ms, in time order, with
    the clock set to each timer's due time while its tick runs. */
class ManualTimeline : public zd8::TimeSource, public zd8::TimerFactory
{
public:
    explicit ManualTimeline (double startMs = 1000.0);
    ~ManualTimeline() override;

    double nowMs() const override;
    std::unique_ptr<zd8::OneShotTimer> createTimer() override;

    void advance (double ms);
    void setNow (double ms);

private:
    class Timer;
    friend class Timer;

    mutable std::recursive_mutex lock;
    double now;
    std::vector<Timer*> timers;
};

} // namespace zd8test

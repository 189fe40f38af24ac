#include "support/ManualTimeline.h"

#include <algorithm>
#include <limits>

namespace zd8test
{

class ManualTimeline::Timer : public zd8::OneShotTimer
{
public:
    explicit Timer (ManualTimeline& t) : timeline (t)
    {
        std::lock_guard<std::recursive_mutex> g (timeline.lock);
        timeline.timers.push_back (this);
    }

    ~Timer() override
    {
        std::lock_guard<std::recursive_mutex> g (timeline.lock);
        auto& v = timeline.timers;
        v.erase (std::remove (v.begin(), v.end(), this), v.end());
    }

    void start (int periodMs) override
    {
        std::lock_guard<std::recursive_mutex> g (timeline.lock);
        period = periodMs;
        due = timeline.now + periodMs;
        running = true;
    }

    void stop() override
    {
        std::lock_guard<std::recursive_mutex> g (timeline.lock);
        running = false;
    }

    bool isRunning() const override
    {
        std::lock_guard<std::recursive_mutex> g (timeline.lock);
        return running;
    }

    ManualTimeline& timeline;
    bool running = false;
    int period = 0;
    double due = 0;
};

ManualTimeline::ManualTimeline (double startMs) : now (startMs) {}
ManualTimeline::~ManualTimeline() = default;

double ManualTimeline::nowMs() const
{
    std::lock_guard<std::recursive_mutex> g (lock);
    return now;
}

std::unique_ptr<zd8::OneShotTimer> ManualTimeline::createTimer()
{
    return std::make_unique<Timer> (*this);
}

void ManualTimeline::setNow (double ms)
{
    std::lock_guard<std::recursive_mutex> g (lock);
    now = ms;
}

void ManualTimeline::advance (double ms)
{
    std::unique_lock<std::recursive_mutex> g (lock);
    const double end = now + ms;

    for (;;)
    {
        Timer* next = nullptr;
        for (auto* t : timers)
            if (t->running && t->due <= end && (next == nullptr || t->due < next->due))
                next = t;

        if (next == nullptr)
            break;

        now = next->due;
        next->due += std::max (1, next->period); // keeps ticking until stopped, like juce::Timer
        if (next->onTick)
            next->onTick();
    }

    now = end;
}

} // namespace zd8test

#pragma once

#include "link/OneShotTimer.h"

#include <memory>

namespace zd8
{

/** Makes timers: juce::Timer based ones in the product, manual ones in tests. */
class TimerFactory
{
public:
    virtual ~TimerFactory() = default;
    virtual std::unique_ptr<OneShotTimer> createTimer() = 0;

    /** Timers on the JUCE message thread. */
    static TimerFactory& system();
};

} // namespace zd8

#pragma once

#include <functional>

namespace zd8
{

/** A restartable timer whose tick runs on the message thread. The owner decides in
    onTick whether to stop it (juce::Timer semantics: it keeps ticking until stopped). */
class OneShotTimer
{
public:
    virtual ~OneShotTimer() = default;

    /** Starts, or restarts from now, with the given period. */
    virtual void start (int periodMs) = 0;
    virtual void stop() = 0;
    virtual bool isRunning() const = 0;

    std::function<void()> onTick;
};

} // namespace zd8

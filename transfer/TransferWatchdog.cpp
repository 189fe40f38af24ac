#include "transfer/TransferWatchdog.h"

#include <algorithm>

namespace zd8
{

TransferWatchdog::TransferWatchdog (TimerFactory& timers) : timer (timers.createTimer())
{
    timer->onTick = [this] { timedOut(); };
}

TransferWatchdog::~TransferWatchdog()
{
    timer->stop();
}

void TransferWatchdog::setTimeout (int ms) noexcept
{
    timeoutMs = std::max (1, ms);
}

void TransferWatchdog::setTries (int count) noexcept
{
    tries = std::max (1, count);
}

void TransferWatchdog::watch()
{
    currentTry = 1;
    watching = true;
    timer->start (timeoutMs);
}

void TransferWatchdog::stop()
{
    watching = false;
    currentTry = 0;
    timer->stop();
}

void TransferWatchdog::timedOut()
{
    if (! watching)
    {
        timer->stop();
        return;
    }

    if (currentTry < tries)
    {
        ++currentTry;
        timer->start (timeoutMs);   // from the re-send on
        if (onResend)
            onResend();
        return;
    }

    stop();
    if (onGiveUp)
        onGiveUp();
}

} // namespace zd8

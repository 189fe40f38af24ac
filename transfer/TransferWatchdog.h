#pragma once

#include "link/TimerFactory.h"

#include <functional>
#include <memory>

namespace zd8
{

/** The time-out of one outstanding transfer request: if no answer comes within the
    time-out, onResend is called to send the request again, up to two more times;
    after the last try goes unanswered, onGiveUp is called once and the watchdog stops.

    Message thread: the timer ticks there, and watch/stop are called from the reply
    handling that runs there too. */
class TransferWatchdog
{
public:
    static constexpr int defaultTimeoutMs = 2000;
    static constexpr int defaultTries = 3;   // the request itself and two re-sends

    explicit TransferWatchdog (TimerFactory& timers);
    ~TransferWatchdog();

    /** Time-out per try in milliseconds (at least 1); takes effect with the next try. */
    void setTimeout (int ms) noexcept;
    int getTimeout() const noexcept { return timeoutMs; }
    /** Tries per request, the first send included (at least 1). */
    void setTries (int count) noexcept;
    int getTries() const noexcept { return tries; }

    /** A new request went out: first try, time-out from now. */
    void watch();
    /** The request was answered, or the transfer ended: nothing is re-sent. */
    void stop();

    bool isWatching() const noexcept { return watching; }
    /** 1 for the first send, 2 and 3 for the re-sends; 0 when not watching. */
    int getTry() const noexcept { return watching ? currentTry : 0; }

    std::function<void()> onResend;
    std::function<void()> onGiveUp;

private:
    void timedOut();

    std::unique_ptr<OneShotTimer> timer;
    int timeoutMs = defaultTimeoutMs;
    int tries = defaultTries;
    int currentTry = 0;
    bool watching = false;
};

} // namespace zd8

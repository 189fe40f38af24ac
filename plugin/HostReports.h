#pragma once

#include "plugin/HostReporter.h"

#include <juce_events/juce_events.h>

#include <mutex>
#include <utility>
#include <vector>

namespace zd8
{

/** Slot changes the host must hear of, told one of two ways:
    - queued (queue): the changes wait under a lock of their own; the signal broadcasts on
      the message thread, where the processor takes them and reports each one;
    - at once (reportNow): every registered reporter (the processor) is told on the
      calling thread.

    Threads: queue and reportNow from any thread; take, the signal's listeners and the
    reporters' registration on the message thread. The reporter list is guarded by the
    hub lock, which the owner shares with the host-bound MIDI buffer; it is held only to
    copy or change the list, never while a reporter runs. */
class HostReports
{
public:
    /** What taking a queued change does. */
    enum class How
    {
        /** Runs the host write rule with the value, then tells the host. */
        writeRule,
        /** The value is kept already: only tells the host. */
        tellOnly,
        /** The value is kept already: tells the host, and sends the slot to the
            instrument behind its channel's program select. */
        tellAndSend
    };

    struct Change
    {
        int slot, value;
        How how;
    };

    explicit HostReports (juce::CriticalSection& hubLock);

    void queue (int slot, int value, How how = How::writeRule);
    /** Appends the queued changes, in order, to out and empties the queue. */
    void take (std::vector<Change>& out);
    /** Broadcasts (asynchronously, on the message thread) that the queue is not empty. */
    juce::ChangeBroadcaster& getSignal() noexcept { return signal; }

    void reportNow (int slot, int value);
    void addReporter (HostReporter* reporter);
    void removeReporter (HostReporter* reporter);

private:
    juce::CriticalSection& hubLock;

    std::mutex queueLock;
    std::vector<Change> pending;
    juce::ChangeBroadcaster signal;

    juce::Array<HostReporter*> reporters;   // under the hub lock
};

} // namespace zd8

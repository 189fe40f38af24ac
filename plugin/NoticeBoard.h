#pragma once

#include "plugin/Notice.h"
#include "plugin/NoticeQueue.h"
#include "plugin/StateListenerList.h"

#include <vector>

namespace zd8
{

/** What the engine tells the window: notice words and slot words (see Notice) on two
    lock-free queues, and the state listeners called after each one.

    Threads: any thread posts, the audio thread included (the queues never lock or
    allocate, and the listener list takes no lock on a call); the message thread drains
    (one reader) and adds and removes listeners. */
class NoticeBoard
{
public:
    /** Any thread: queues the notice as a notice word, or as a slot word when it is a
        slot notice, then calls the listeners with the notice word (0 for a slot
        notice). */
    void post (const Notice& notice);

    /** Any thread: a notice word as it is, for callers that already hold one. */
    void postWord (juce::uint32 word);

    /** Message thread. */
    void drainNotices (std::vector<juce::uint32>& out) { notices.drainInto (out); }
    void drainSlotNotices (std::vector<juce::uint64>& out) { slotNotices.drainInto (out); }

    /** Message thread. */
    void addListener (StateListener* listener) { listeners.add (listener); }
    void removeListener (StateListener* listener) { listeners.remove (listener); }

private:
    NoticeQueue<juce::uint32> notices;
    NoticeQueue<juce::uint64> slotNotices;
    StateListenerList listeners;
};

} // namespace zd8

#pragma once

#include "link/BoundedMpmcQueue.h"

#include <atomic>
#include <vector>

namespace zd8
{

/** A fixed-capacity queue of notices that any thread may append to and the message
    thread drains. Appending takes no lock and never allocates (the audio thread
    appends): it is a BoundedMpmcQueue.

    When nobody drains (no editor open) the oldest entries give way, so that memory
    stays bounded and a drain sees the latest changes: an append to a full queue
    takes out the oldest entry and tries once more. Should another thread take the
    freed place first, the new entry is the one lost: the appender never waits or
    spins on others. overflowed() counts every entry lost either way. Each thread's
    own entries keep their order. */
template <typename T>
class NoticeQueue
{
public:
    explicit NoticeQueue (size_t capacity = 8192) : items (capacity) {}

    /** Any thread. */
    void push (T value) noexcept
    {
        if (items.tryPush (value))
            return;

        T oldest;
        if (items.tryPop (oldest))
            dropped.fetch_add (1, std::memory_order_relaxed);
        if (! items.tryPush (value))
            dropped.fetch_add (1, std::memory_order_relaxed);
    }

    /** Appends everything queued to out, in order, and empties the queue. Entries
        appended meanwhile may or may not be taken; at most one queue's worth is taken
        per call, so a busy writer cannot keep the drain going. */
    void drainInto (std::vector<T>& out)
    {
        out.reserve (out.size() + items.sizeHint());
        T value;
        for (size_t n = items.capacity(); n > 0 && items.tryPop (value); --n)
            out.push_back (value);
    }

    size_t size() const noexcept { return items.sizeHint(); }

    size_t overflowed() const noexcept { return dropped.load (std::memory_order_relaxed); }

private:
    BoundedMpmcQueue<T> items;
    std::atomic<size_t> dropped { 0 };
};

} // namespace zd8

#pragma once

#include "link/LockWatch.h"

#include <juce_core/juce_core.h>

#include <vector>

namespace zd8
{

/** A fixed-capacity queue of notices that any thread may append to and the message
    thread drains. Appending never allocates (the audio thread appends); the lock is
    held for a few instructions. When nobody drains (no editor open) the oldest
    entries give way, so memory stays bounded; overflowed() counts them. */
template <typename T>
class NoticeQueue
{
public:
    explicit NoticeQueue (size_t capacity = 8192) : items (capacity) {}

    void push (T value) noexcept
    {
        LockWatch::taken ("notice queue lock");
        const juce::SpinLock::ScopedLockType g (lock);
        if (count == items.size())
        {
            head = (head + 1) % items.size();
            --count;
            ++dropped;
        }
        items[(head + count) % items.size()] = value;
        ++count;
    }

    /** Appends everything queued to out, in order, and empties the queue. */
    void drainInto (std::vector<T>& out)
    {
        const juce::SpinLock::ScopedLockType g (lock);
        out.reserve (out.size() + count);
        for (size_t i = 0; i < count; ++i)
            out.push_back (items[(head + i) % items.size()]);
        head = 0;
        count = 0;
    }

    size_t size() const noexcept
    {
        const juce::SpinLock::ScopedLockType g (lock);
        return count;
    }

    size_t overflowed() const noexcept
    {
        const juce::SpinLock::ScopedLockType g (lock);
        return dropped;
    }

private:
    mutable juce::SpinLock lock;
    std::vector<T> items;
    size_t head = 0, count = 0, dropped = 0;
};

} // namespace zd8

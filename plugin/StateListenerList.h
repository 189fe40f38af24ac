#pragma once

#include "plugin/StateListener.h"

#include <juce_core/juce_core.h>

#include <array>
#include <atomic>
#include <mutex>
#include <thread>

namespace zd8
{

/** The hub's registered stateListeners, callable from any thread (the audio thread
    included) without a lock.

    The list is a fixed array of atomic pointers in registration order; calls run from
    the last registered to the first. Adding and removing (message thread) serialise
    on a lock of their own that callers never take. A caller counts itself in for the
    length of its call on one of two counters; removal takes the listener out, points
    new callers at the other counter and waits until the old one has drained, so a
    removed listener is never called after remove() returns, and a steady stream of
    calls cannot keep remove() waiting. Taking a listener out shifts the later ones
    down one place; a call running meanwhile may call one of those twice, never
    skips one (listeners only record that work is pending, so twice is harmless).
    Removing a listener from inside its own call would wait forever. */
class StateListenerList
{
public:
    static constexpr int capacity = 16;

    /** Message thread. Ignored when present or when the list is full. */
    void add (StateListener* listener)
    {
        if (listener == nullptr)
            return;

        std::lock_guard<std::mutex> g (changeLock);
        if (indexOf (listener) >= 0 || used == capacity)
        {
            jassert (indexOf (listener) >= 0); // more listeners than the list holds
            return;
        }
        slots[(size_t) used++].store (listener);
    }

    /** Message thread. Returns once no call can reach the listener any more. */
    void remove (StateListener* listener)
    {
        std::lock_guard<std::mutex> g (changeLock);
        const int index = indexOf (listener);
        if (index < 0)
            return;

        for (int i = index; i + 1 < used; ++i)
            slots[(size_t) i].store (slots[(size_t) i + 1].load());
        slots[(size_t) --used].store (nullptr);

        const int old = generation.load();
        generation.store (1 - old);
        while (inFlight[(size_t) old].load() != 0)
            std::this_thread::yield();
    }

    /** Any thread: never locks, never allocates. */
    void call (int code) noexcept
    {
        int g;
        for (;;)
        {
            g = generation.load();
            inFlight[(size_t) g].fetch_add (1);
            if (generation.load() == g)
                break;
            inFlight[(size_t) g].fetch_sub (1); // a removal switched counters meanwhile
        }

        for (int i = capacity; --i >= 0;)
            if (auto* l = slots[(size_t) i].load())
                l->stateChanged (code);

        inFlight[(size_t) g].fetch_sub (1);
    }

private:
    int indexOf (StateListener* listener) const
    {
        for (int i = 0; i < used; ++i)
            if (slots[(size_t) i].load() == listener)
                return i;
        return -1;
    }

    std::array<std::atomic<StateListener*>, capacity> slots {};
    int used = 0; // changeLock
    std::mutex changeLock;
    std::atomic<int> generation { 0 };
    std::array<std::atomic<int>, 2> inFlight {};
};

} // namespace zd8

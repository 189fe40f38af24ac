#pragma once

#include <atomic>

namespace zd8
{

/** A seam for tests that check which locks a thread takes (the audio thread may take
    only the block lock and the hub lock). Code that takes a lock which the audio
    thread can reach calls taken() with the lock's name just before taking it. With no
    hook installed that is one relaxed atomic load; the product never installs one.

    Only locks announced here are seen: locks inside JUCE, the standard library or the
    C library are not. Any thread. */
class LockWatch
{
public:
    /** Called on the thread that is about to take the lock; must not allocate or lock. */
    using Hook = void (*) (const char* lockName) noexcept;

    static void setHook (Hook hook) noexcept { current.store (hook, std::memory_order_release); }

    static void taken (const char* lockName) noexcept
    {
        if (auto hook = current.load (std::memory_order_relaxed))
            hook (lockName);
    }

    static constexpr const char* blockLock = "block lock";
    static constexpr const char* hubLock = "hub lock";

private:
    inline static std::atomic<Hook> current { nullptr };
};

} // namespace zd8

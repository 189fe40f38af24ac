#pragma once

#include <juce_core/juce_core.h>

#include <atomic>
#include <memory>
#include <vector>

namespace zd8
{

/** Some hosts hand every value the plug-in reported back to it as a write, blocks
    later; values reported just before a state call (a program the host set first)
    then arrive after the state was restored and would undo it. After a restore each
    slot the restore changed remembers the 0..1 value the host had heard before it:
    the first host write to that slot that equals it, while the first windowMs of audio
    after the restore are processed, is that echo, and is dropped. The window counts
    processed audio, not time: such a host passes its echoes on with the blocks it runs,
    which may start long after the state call (a big project still loading). A write of
    what the slot holds changes nothing and leaves the guard as it is; any other write
    to the slot, and any write after the window, counts.

    Threads: arm on the host's state-call thread; isStaleEcho on any thread and
    blockProcessed on the audio thread: atomics only, no locks, no allocation. */
class StaleEchoGuard
{
public:
    /** Long: a report made on the host's own thread just before its state call can wait
        in the framework's cache for seconds before the host hears it and echoes it
        (Ardour with VST3: 2.5 s of audio after opening a small project). */
    static constexpr double windowMs = 30000.0;

    explicit StaleEchoGuard (int numSlots);

    /** heardBefore and nowHeld: each slot's 0..1 view before and after the restore. */
    void arm (const std::vector<float>& heardBefore, const std::vector<float>& nowHeld);

    /** True when this write of x, to a slot whose 0..1 view is now held, is the late
        echo of a value heard before the restore. */
    bool isStaleEcho (int slot, float x, float held) noexcept;

    /** A block of ms milliseconds of audio went through the plug-in. */
    void blockProcessed (double ms) noexcept;

private:
    int numSlots;
    std::unique_ptr<std::atomic<float>[]> stale; // NaN: nothing to drop
    std::atomic<double> remainingMs { 0.0 };

    JUCE_DECLARE_NON_COPYABLE (StaleEchoGuard)
};

} // namespace zd8

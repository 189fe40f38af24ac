#pragma once

#include <atomic>
#include <cstddef>
#include <memory>
#include <type_traits>

namespace zd8
{

/** A fixed-capacity queue of small trivially copyable values that any number of
    threads may push to and pop from at once without a lock and without allocating
    (the audio thread pushes). juce::AbstractFifo serves one writer and one reader
    only; the MIDI send queue and the notice queues have several writers.

    Each cell carries a sequence number that says whose turn it is: a writer claims
    the next position with one compare-and-swap, writes the value and publishes it by
    moving the cell's sequence on; a reader does the same from the other end. Neither
    side ever waits for the other: a full queue makes tryPush fail, an empty one (or
    an oldest entry that its writer has claimed but not yet published) makes tryPop
    fail. Values come out in the order their positions were claimed, so each
    thread's own values keep their order. */
template <typename T>
class BoundedMpmcQueue
{
    static_assert (std::is_trivially_copyable_v<T>, "values are copied byte for byte between threads");

public:
    /** The capacity is minimumCapacity rounded up to a power of two (at least 2). */
    explicit BoundedMpmcQueue (size_t minimumCapacity)
    {
        size_t size = 2;
        while (size < minimumCapacity)
            size <<= 1;

        mask = size - 1;
        cells = std::make_unique<Cell[]> (size);
        for (size_t i = 0; i < size; ++i)
            cells[i].sequence.store (i, std::memory_order_relaxed);
    }

    /** Any thread. false when the queue is full; never blocks, never allocates. */
    bool tryPush (const T& value) noexcept
    {
        auto pos = pushPos.load (std::memory_order_relaxed);
        for (;;)
        {
            auto& cell = cells[pos & mask];
            const auto seq = cell.sequence.load (std::memory_order_acquire);
            const auto diff = (std::ptrdiff_t) (seq - pos);

            if (diff == 0)
            {
                if (pushPos.compare_exchange_weak (pos, pos + 1, std::memory_order_relaxed))
                {
                    cell.value = value;
                    cell.sequence.store (pos + 1, std::memory_order_release);
                    return true;
                }
            }
            else if (diff < 0)
            {
                return false; // the cell a lap behind has not been read yet: full
            }
            else
            {
                pos = pushPos.load (std::memory_order_relaxed);
            }
        }
    }

    /** Any thread. false when nothing is ready to be read; never blocks. */
    bool tryPop (T& value) noexcept
    {
        auto pos = popPos.load (std::memory_order_relaxed);
        for (;;)
        {
            auto& cell = cells[pos & mask];
            const auto seq = cell.sequence.load (std::memory_order_acquire);
            const auto diff = (std::ptrdiff_t) (seq - (pos + 1));

            if (diff == 0)
            {
                if (popPos.compare_exchange_weak (pos, pos + 1, std::memory_order_relaxed))
                {
                    value = cell.value;
                    cell.sequence.store (pos + mask + 1, std::memory_order_release);
                    return true;
                }
            }
            else if (diff < 0)
            {
                return false;
            }
            else
            {
                pos = popPos.load (std::memory_order_relaxed);
            }
        }
    }

    size_t capacity() const noexcept { return mask + 1; }

    /** Values pushed and not yet popped; only a hint while other threads work. */
    size_t sizeHint() const noexcept
    {
        const auto pushed = pushPos.load (std::memory_order_acquire);
        const auto popped = popPos.load (std::memory_order_acquire);
        return pushed > popped ? pushed - popped : 0;
    }

    /** How many pushes have claimed a position so far / how many pops have taken one.
        Once pops() reaches a value pushes() had, every value pushed before has been
        popped. */
    size_t pushes() const noexcept { return pushPos.load (std::memory_order_acquire); }
    size_t pops() const noexcept { return popPos.load (std::memory_order_acquire); }

private:
    struct Cell
    {
        std::atomic<size_t> sequence { 0 };
        T value {};
    };

    std::unique_ptr<Cell[]> cells;
    size_t mask = 0;
    // Apart, so that writers and readers do not fight over one cache line.
    alignas (64) std::atomic<size_t> pushPos { 0 };
    alignas (64) std::atomic<size_t> popPos { 0 };

    BoundedMpmcQueue (const BoundedMpmcQueue&) = delete;
    BoundedMpmcQueue& operator= (const BoundedMpmcQueue&) = delete;
};

} // namespace zd8

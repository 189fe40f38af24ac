#pragma once

namespace zd8test
{

/** Counts heap allocations made on the calling thread while counting is on. Every
    test executable's operator new / new[] go through it; in builds without a
    sanitizer malloc, calloc and realloc do too (JUCE's HeapBlock, hence MidiBuffer,
    grows with realloc). Under AddressSanitizer or ThreadSanitizer the C allocator
    belongs to the sanitizer, so only operator new is counted there. */
class AllocationCounter
{
public:
    /** Starts counting on this thread from 0; stops in the destructor. */
    AllocationCounter() noexcept;
    ~AllocationCounter();

    long count() const noexcept;

    /** Whether malloc and friends are counted in this build. */
    static bool seesMalloc() noexcept;

    AllocationCounter (const AllocationCounter&) = delete;
    AllocationCounter& operator= (const AllocationCounter&) = delete;
};

} // namespace zd8test

// Replaces the global allocation functions of every test executable (this file is in
// the shared test support library) so that a test can count what one thread
// allocates. Outside a counting scope the only cost is one thread_local check.

#include "support/AllocationCounter.h"

#include <cstddef>
#include <cstdlib>
#include <new>

#if defined(__has_feature)
  #if __has_feature(address_sanitizer) || __has_feature(thread_sanitizer) || __has_feature(memory_sanitizer)
    #define ZD8_SANITIZED_ALLOCATOR 1
  #endif
#endif
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
  #define ZD8_SANITIZED_ALLOCATOR 1
#endif
#if ! defined(ZD8_SANITIZED_ALLOCATOR) && defined(__GLIBC__)
  #define ZD8_COUNTS_MALLOC 1
#endif

namespace
{
    thread_local bool counting = false;
    thread_local long allocations = 0;

    inline void noteAllocation() noexcept
    {
        if (counting)
            ++allocations;
    }

    // When malloc itself counts, operator new is counted there.
    inline void noteNew() noexcept
    {
#if ! defined(ZD8_COUNTS_MALLOC)
        noteAllocation();
#endif
    }

    void* allocate (std::size_t size)
    {
        noteNew();
        if (void* p = std::malloc (size == 0 ? 1 : size))
            return p;
        throw std::bad_alloc();
    }
}

void* operator new (std::size_t size) { return allocate (size); }
void* operator new[] (std::size_t size) { return allocate (size); }
void* operator new (std::size_t size, const std::nothrow_t&) noexcept
{
    noteNew();
    return std::malloc (size == 0 ? 1 : size);
}
void* operator new[] (std::size_t size, const std::nothrow_t&) noexcept
{
    noteNew();
    return std::malloc (size == 0 ? 1 : size);
}
void operator delete (void* p) noexcept { std::free (p); }
void operator delete[] (void* p) noexcept { std::free (p); }
void operator delete (void* p, std::size_t) noexcept { std::free (p); }
void operator delete[] (void* p, std::size_t) noexcept { std::free (p); }
void operator delete (void* p, const std::nothrow_t&) noexcept { std::free (p); }
void operator delete[] (void* p, const std::nothrow_t&) noexcept { std::free (p); }

#if defined(ZD8_COUNTS_MALLOC)
// glibc's own entry points; ours count and forward to them.
extern "C" void* __libc_malloc (std::size_t);
extern "C" void* __libc_calloc (std::size_t, std::size_t);
extern "C" void* __libc_realloc (void*, std::size_t);

extern "C" void* malloc (std::size_t size)
{
    noteAllocation();
    return __libc_malloc (size);
}

extern "C" void* calloc (std::size_t n, std::size_t size)
{
    noteAllocation();
    return __libc_calloc (n, size);
}

extern "C" void* realloc (void* p, std::size_t size)
{
    noteAllocation();
    return __libc_realloc (p, size);
}
#endif

namespace zd8test
{

AllocationCounter::AllocationCounter() noexcept
{
    allocations = 0;
    counting = true;
}

AllocationCounter::~AllocationCounter()
{
    counting = false;
}

long AllocationCounter::count() const noexcept
{
    return allocations;
}

bool AllocationCounter::seesMalloc() noexcept
{
#if defined(ZD8_COUNTS_MALLOC)
    return true;
#else
    return false;
#endif
}

} // namespace zd8test

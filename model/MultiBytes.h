#pragma once

#include <cstddef>
#include <cstdint>

namespace zd8
{

/** Read-only view of multi bytes (a record, a zone or the common area) with
    bounds-checked big-endian reads.

    Positions are 64-bit because the walk adds 32-bit counts and 16-bit lengths taken
    from the data itself: a position may lie far past the end, and every read there
    (or before the start) yields 0 instead of touching memory. */
class MultiBytes
{
public:
    MultiBytes() = default;
    MultiBytes (const void* data, size_t size) noexcept
        : bytes (static_cast<const std::uint8_t*> (data)), count (data != nullptr ? size : 0) {}

    size_t size() const noexcept { return count; }

    bool contains (std::int64_t position, std::int64_t length = 1) const noexcept
    {
        return position >= 0 && length >= 0 && position <= (std::int64_t) count
               && length <= (std::int64_t) count - position;
    }

    int u8 (std::int64_t position) const noexcept
    {
        return contains (position) ? (int) bytes[position] : 0;
    }

    int s8 (std::int64_t position) const noexcept { return (int) (std::int8_t) (std::uint8_t) u8 (position); }

    /** Both bytes must lie inside; a number cut by the end reads as 0. */
    int u16 (std::int64_t position) const noexcept
    {
        return contains (position, 2) ? (int) bytes[position] << 8 | (int) bytes[position + 1] : 0;
    }

    int s16 (std::int64_t position) const noexcept { return (int) (std::int16_t) (std::uint16_t) u16 (position); }

    std::uint32_t u32 (std::int64_t position) const noexcept
    {
        if (! contains (position, 4))
            return 0;
        return (std::uint32_t) bytes[position] << 24 | (std::uint32_t) bytes[position + 1] << 16
               | (std::uint32_t) bytes[position + 2] << 8 | (std::uint32_t) bytes[position + 3];
    }

    /** 32-bit values handed to the pages keep their bit pattern as a signed int. */
    int s32 (std::int64_t position) const noexcept { return (int) u32 (position); }

private:
    const std::uint8_t* bytes = nullptr;
    size_t count = 0;
};

} // namespace zd8

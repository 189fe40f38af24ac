#pragma once

#include <cstddef>

namespace zd8
{

/** One value and its text, as the value lists are written down. */
struct ValueEntry
{
    int value;
    const char* text;
};

/** A value list turned, at compile time, into an array indexed by value - First, so a
    lookup is one bounds check and one load. Values the list leaves out read as nullptr.

    Built as a constexpr object: no initialisation at run time and nothing shared that
    changes, so it may be read from any thread. */
template <int First, int Last>
class TextTable
{
public:
    static_assert (First <= Last, "empty value range");

    template <size_t N>
    constexpr explicit TextTable (const ValueEntry (&entries)[N])
    {
        for (size_t i = 0; i < N; ++i)
            if (entries[i].value >= First && entries[i].value <= Last)
                texts[entries[i].value - First] = entries[i].text;
    }

    /** The text of value v, or nullptr when v is outside First..Last or not listed. */
    constexpr const char* at (int v) const noexcept
    {
        if (v < First || v > Last)
            return nullptr;
        return texts[v - First];
    }

private:
    const char* texts[size_t (Last - First + 1)] {};
};

/** Text of index v in a plain list starting at value 0, or nullptr outside it. */
template <size_t N>
constexpr const char* listText (const char* const (&texts)[N], int v) noexcept
{
    return v >= 0 && size_t (v) < N ? texts[v] : nullptr;
}

} // namespace zd8

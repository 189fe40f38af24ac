#pragma once

#include <juce_core/juce_core.h>

namespace zd8
{

/** The texts of the values First..Last, made once by a function and then handed out as
    copies of the same juce::String: a text read this way costs no allocation, only the
    string's reference count.

    Meant to be held as a function's static (made on first use, thread-safe), then only
    read, from any thread. */
template <int First, int Last>
class SharedTexts
{
public:
    static_assert (First <= Last, "empty value range");

    template <typename MakeText>
    explicit SharedTexts (MakeText make)
    {
        for (int v = First; v <= Last; ++v)
            texts[v - First] = make (v);
    }

    /** The text of v, or nullptr outside First..Last. */
    const juce::String* at (int v) const noexcept
    {
        return v < First || v > Last ? nullptr : &texts[v - First];
    }

private:
    juce::String texts[Last - First + 1];
};

} // namespace zd8

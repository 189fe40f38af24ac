#pragma once

#include "model/SharedTexts.h"

#include <juce_core/juce_core.h>

#include <cstddef>
#include <cstdint>

namespace zd8
{

/** A value text assembled on the stack and turned into a juce::String once, so that a
    formatted value costs one allocation however many pieces it has.

    Numbers are taken as 64-bit so that a scale applied to any 32-bit value (a product,
    an offset, a negation) cannot overflow. Appending beyond the capacity drops the
    excess; it never writes outside the buffer. Every text here is ASCII except object
    names, which are appended as UTF-8. */
class ValueText
{
public:
    static constexpr size_t capacity = 96;

    ValueText& text (const char* s) noexcept
    {
        while (*s != 0 && length < capacity)
            buffer[length++] = *s++;
        return *this;
    }

    ValueText& bytes (const char* s, size_t count) noexcept
    {
        for (size_t i = 0; i < count && length < capacity; ++i)
            buffer[length++] = s[i];
        return *this;
    }

    /** The number in decimal, "-" when negative, no leading zeros. */
    ValueText& number (int64_t n) noexcept
    {
        if (n < 0)
            text ("-");
        return digits (magnitude (n));
    }

    /** units counts steps of 10^-decimals; every decimal is written (5 units at two
        decimals gives "0.05"). */
    ValueText& fixed (int64_t units, int decimals) noexcept
    {
        return decimal (units, decimals, false);
    }

    /** As fixed, without trailing zeros and without the point when nothing follows it
        (10 units at one decimal gives "1", 5 gives "0.5"). */
    ValueText& shortDecimal (int64_t units, int decimals) noexcept
    {
        return decimal (units, decimals, true);
    }

    size_t size() const noexcept { return length; }

    juce::String toString() const
    {
        if (length == 0)
            return {};
        return juce::String (juce::CharPointer_UTF8 (buffer), juce::CharPointer_UTF8 (buffer + length));
    }

    /** Shorthands for the most common shapes. */
    static juce::String ofNumber (int64_t n)
    {
        // Most slots hold small numbers: their texts are made once and shared.
        if (n >= firstSharedNumber && n <= lastSharedNumber)
            return *sharedNumbers().at (int (n));
        return ValueText().number (n).toString();
    }
    static juce::String ofNumber (int64_t n, const char* suffix) { return ValueText().number (n).text (suffix).toString(); }
    static juce::String ofText (const char* prefix, int64_t n) { return ValueText().text (prefix).number (n).toString(); }

private:
    static constexpr int firstSharedNumber = -128;
    static constexpr int lastSharedNumber = 1023;

    static const SharedTexts<firstSharedNumber, lastSharedNumber>& sharedNumbers()
    {
        static const SharedTexts<firstSharedNumber, lastSharedNumber> numbers ([] (int v) { return ValueText().number (v).toString(); });
        return numbers;
    }

    static uint64_t magnitude (int64_t n) noexcept
    {
        return n < 0 ? uint64_t (0) - uint64_t (n) : uint64_t (n);
    }

    ValueText& digits (uint64_t m) noexcept
    {
        char reversed[20];
        int count = 0;
        do
        {
            reversed[count++] = char ('0' + m % 10);
            m /= 10;
        } while (m != 0);
        while (count > 0 && length < capacity)
            buffer[length++] = reversed[--count];
        return *this;
    }

    ValueText& decimal (int64_t units, int decimals, bool dropTrailingZeros) noexcept
    {
        decimals = juce::jlimit (0, 18, decimals);
        uint64_t scale = 1;
        for (int i = 0; i < decimals; ++i)
            scale *= 10;

        const auto m = magnitude (units);
        auto fraction = m % scale;
        int fractionDigits = decimals;
        if (dropTrailingZeros)
            while (fractionDigits > 0 && fraction % 10 == 0)
            {
                fraction /= 10;
                --fractionDigits;
            }

        if (units < 0)
            text ("-");
        digits (m / scale);
        if (fractionDigits > 0)
        {
            text (".");
            char f[20];
            for (int i = fractionDigits - 1; i >= 0; --i)
            {
                f[i] = char ('0' + fraction % 10);
                fraction /= 10;
            }
            bytes (f, size_t (fractionDigits));
        }
        return *this;
    }

    char buffer[capacity];
    size_t length = 0;
};

} // namespace zd8

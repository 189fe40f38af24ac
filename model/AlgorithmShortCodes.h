#pragma once

#include <juce_core/juce_core.h>

#include <array>

namespace zd8
{

/** The instrument's four-character short codes of its effect algorithms, by algorithm
    ID 0..1500 ("Rvrb", "Dly ", "EQ  " ...); IDs without an algorithm hold four blanks.

    The table is built once, on first use (thread-safe), and never changes. */
class AlgorithmShortCodes
{
public:
    static constexpr int entryCount = 1501;
    static constexpr int codeLength = 4;
    static constexpr int tableSize = entryCount * codeLength; // 6004 bytes

    using Table = std::array<char, tableSize>;

    /** The whole table, entry i at bytes 4i..4i+3, blank-padded, no terminators. */
    static const Table& table() noexcept;

    /** The four characters of the entry (trailing blanks kept); empty text for an ID
        outside 0..1500. */
    static juce::String shortCode (int algorithmId);

    /** Entry of an ID in a copy of the table; four blanks outside 0..1500. */
    static std::array<char, codeLength> entry (const Table& table, int algorithmId) noexcept;
};

} // namespace zd8

#pragma once

#include <juce_core/juce_core.h>

#include <vector>

namespace zd8
{

/** A list of named, controller-assignable parameters, in the byte layout that programs
    (their virtual parameter name list) and FX chains (their parameter name list) share.
    All numbers are big-endian.

    List:  bytes 0..1 list identifier, bytes 2..3 entry count P, then P entries.
    Entry: bytes 0..1 not interpreted, 2..3 parameter ID, 4..5 value (shown as -1 when
           128 or more), 6..7 name length n, then n name bytes; the next entry follows.

    The parser is a pure function and never reads outside the bytes it is given. */
class ParameterNameList
{
public:
    static constexpr size_t headerSize = 4;
    static constexpr size_t entryHeaderSize = 8;
    /** Data shorter than this gives an empty list (the instrument's own rule: a list
        with no entries, or one short entry, is not shown). */
    static constexpr size_t minimumSize = 20;
    /** The decoded list keeps at most this many entries. */
    static constexpr int maxEntries = 39;
    /** Values from this upward are shown as -1. */
    static constexpr int valueLimit = 128;
    /** A first name byte below this (as a signed byte) is a marker, not a character. */
    static constexpr int nameMarkerLimit = 15;

    struct Entry
    {
        int id = 0;
        int value = 0;
        juce::String name;

        bool operator== (const Entry& other) const { return id == other.id && value == other.value && name == other.name; }
    };

    int identifier = 0;
    std::vector<Entry> entries;

    int size() const noexcept { return (int) entries.size(); }
    bool isEmpty() const noexcept { return entries.empty(); }
    /** First entry with this parameter ID, or nullptr. */
    const Entry* find (int parameterId) const noexcept;

    /** Decodes a list. Data shorter than minimumSize gives an empty list (identifier 0).
        Entries are read with their full 16-bit count and name lengths while they lie
        inside the data; an entry cut short by the end keeps the name bytes present and
        ends the list. A list this process decoded before is handed out as a copy of
        that decoding (same entries, the names sharing their text). */
    static ParameterNameList parse (const void* data, size_t size);
    static ParameterNameList parse (const juce::MemoryBlock& data) { return parse (data.getData(), data.getSize()); }

    /** Length in bytes of the list starting at data, measured the instrument's way: the
        low byte of the entry count and the low byte of each name length, so 4 when the
        count is 0, else 4 + sum of (8 + n). Bytes beyond size read as 0, so the result
        may exceed size for a list cut short. */
    static size_t measure (const void* data, size_t size) noexcept;

    /** Text of an entry's name bytes: a first byte below nameMarkerLimit (as a signed
        byte, so 0x00..0x0E and 0x80..0xFF) is dropped; of the rest, bytes 1..127 become
        characters and the others are skipped. */
    static juce::String nameText (const juce::uint8* name, size_t length);
};

} // namespace zd8

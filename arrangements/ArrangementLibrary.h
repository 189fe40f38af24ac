#pragma once

#include <juce_core/juce_core.h>

#include <cstdint>
#include <vector>

namespace zd8
{

/** The library of named Arrangements behind the library panel, kept in list order, and
    its file (.zd8arrlib).

    An entry is normally 627 bytes: a 300-byte name area (the name one byte per
    character, at most 256, zero bytes to the end; bytes 256..299 always zero) and an
    Arrangement chunk. Entries read from a file keep whatever length the file gave them.

    File: a count, then per entry its length and its bytes. Counts and lengths are
    10-byte numbers, base 128, least significant digit first.

    Message thread only. */
class ArrangementLibrary
{
public:
    static constexpr int nameAreaSize = 300;
    static constexpr int maxNameLength = 256;
    static constexpr int entrySize = 627; // name area + Arrangement chunk
    static constexpr int numberSize = 10;
    static constexpr const char* defaultEntryName = "Untitled";

    ArrangementLibrary() = default;

    /** The three default entries ("EDM", "Hip Hop", "Rock"), modified flag clear. */
    void fillDefaults();

    int getNumEntries() const { return (int) entries.size(); }
    bool isEmpty() const { return entries.empty(); }

    /** The name shown in the list: bytes 0..255 of the name area without the bytes
        0..13 and 128..255, blanks trimmed at both ends. Empty for an entry shorter than
        the name area or an index outside the list. */
    juce::String getShownName (int index) const;

    /** The entry as held (normally 627 bytes); empty outside the list. */
    juce::MemoryBlock getEntry (int index) const;
    /** Bytes 300..626 of the entry (fewer when the entry is shorter): what APPLY gives
        the processor's Arrangement chunk reader. */
    juce::MemoryBlock getChunk (int index) const;
    /** The 300-byte record of the entry's chunk when that chunk begins with the
        Arrangement tag and holds a whole record; otherwise empty (no preview). */
    juce::MemoryBlock getRecord (int index) const;

    /** Appends a 627-byte entry: the name (empty gives "Untitled"; at most 256
        characters, low 8 bits of each code) and the chunk (327 bytes; shorter is
        zero-filled, longer cut). Sets the modified flag. */
    void addEntry (const juce::String& name, const void* chunk, size_t size);
    /** Sets the modified flag when the entry existed. */
    void removeEntry (int index);
    /** Replaces bytes 0..255 of the name area with a non-empty name, zero-filled.
        False, and nothing changed, for an empty name, an index outside the list or an
        entry shorter than the name area. */
    bool renameEntry (int index, const juce::String& name);
    /** Moves an entry to another place in the list order. */
    void moveEntry (int from, int to);
    /** Removes every entry and sets the modified flag. */
    void clear();

    bool isModified() const { return modified; }
    void setModified (bool isModified) { modified = isModified; }

    /** The 10-byte base-128 form of a number (0..2^70-1 fits; larger values keep
        their low 70 bits). */
    static void encodeNumber (std::uint64_t value, juce::uint8* dest);
    /** The value of up to 10 bytes (bytes past size count as 0); values beyond 64 bits
        saturate. */
    static std::uint64_t decodeNumber (const juce::uint8* bytes, size_t size);

    /** Count and entries in list order. */
    juce::MemoryBlock toBytes() const;
    /** Reads library bytes as the file reader does (below), without the file. */
    void fromBytes (const void* data, size_t size);

    /** False, and nothing changed, when the file does not exist. Otherwise the entries
        are replaced when the file has at least 12 bytes and a count above 0 (they stay
        otherwise), the modified flag is cleared and the result is true.
        Entries are read while their length field begins inside the data; an entry
        that runs past the end is zero-filled up to 627 bytes, or kept at what the data
        holds when its length says more. So a hostile count or length never makes the
        reader allocate or loop beyond the size of the file. */
    bool loadLibraryFile (const juce::File& file);
    /** Writes count and entries and clears the modified flag; an empty library writes
        nothing (false). */
    bool saveLibraryFile (const juce::File& file);

private:
    static juce::MemoryBlock makeEntry (const juce::String& name, const void* chunk, size_t size);
    static void putName (juce::MemoryBlock& entry, const juce::String& name);

    std::vector<juce::MemoryBlock> entries;
    bool modified = false;
};

} // namespace zd8

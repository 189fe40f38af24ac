#include "arrangements/ArrangementLibrary.h"

#include "arrangements/ArrangementFiles.h"
#include "link/SafeFileWriter.h"

#include <limits>

namespace zd8
{

namespace
{
    // A file needs its count and at least part of a first length to hold anything.
    constexpr size_t shortestLibraryFile = 12;

    // Record fields the default entries fill (big-endian numbers).
    constexpr int channelProgramOffset = 24;
    constexpr int multiOffset = 56;
    constexpr int playingModeOffset = 58;
    constexpr int programMode = 1;
    constexpr int defaultMulti = 1;

    struct DefaultEntry
    {
        const char* name;
        int programs[16];
    };

    // Every default entry was made from a bank whose current slot was "EDM", so that is
    // the name inside each chunk; only the name area is shown.
    constexpr const char* defaultRecordName = "EDM";
    constexpr DefaultEntry defaultEntries[] = {
        { "EDM", { 36, 522, 617, 570, 523, 621, 515, 490, 811, 910, 505, 987, 871, 496, 602, 564 } },
        { "Hip Hop", { 45, 858, 611, 608, 503, 286, 713, 820, 498, 869, 910, 23, 867, 105, 274, 931 } },
        { "Rock", { 8, 54, 847, 821, 825, 145, 713, 92, 47, 869, 932, 943, 990, 409, 257, 573 } },
    };

    bool isShownByte (juce::uint8 b) { return b > 13 && b < 128; }
}

void ArrangementLibrary::encodeNumber (std::uint64_t value, juce::uint8* dest)
{
    for (int i = 0; i < numberSize; ++i)
    {
        dest[i] = (juce::uint8) (value & 0x7F);
        value >>= 7;
    }
}

std::uint64_t ArrangementLibrary::decodeNumber (const juce::uint8* bytes, size_t size)
{
    // Most significant digit first, so that overflow can be caught before it happens.
    // Hostile files may hold digits above 127: they are taken at face value.
    constexpr auto maxValue = std::numeric_limits<std::uint64_t>::max();
    std::uint64_t value = 0;
    for (int i = numberSize - 1; i >= 0; --i)
    {
        const std::uint64_t digit = (size_t) i < size ? bytes[i] : 0;
        if (value > (maxValue - digit) / 128)
            return maxValue;
        value = value * 128 + digit;
    }
    return value;
}

void ArrangementLibrary::putName (juce::MemoryBlock& entry, const juce::String& name)
{
    // Bytes 0..255: one byte per character (low 8 bits of its code), then zeros.
    juce::uint8 area[maxNameLength] = {};
    int i = 0;
    for (auto p = name.getCharPointer(); ! p.isEmpty() && i < maxNameLength; ++i)
        area[i] = (juce::uint8) (p.getAndAdvance() & 0xFF);
    entry.copyFrom (area, 0, sizeof (area));
}

juce::MemoryBlock ArrangementLibrary::makeEntry (const juce::String& name, const void* chunk, size_t size)
{
    juce::MemoryBlock entry ((size_t) entrySize, true);
    putName (entry, name.isEmpty() ? juce::String (defaultEntryName) : name);
    if (chunk != nullptr)
        entry.copyFrom (chunk, nameAreaSize, juce::jmin (size, (size_t) ArrangementFiles::arrangementChunkSize));
    return entry;
}

void ArrangementLibrary::fillDefaults()
{
    entries.clear();
    for (auto& d : defaultEntries)
    {
        juce::uint8 record[ArrangementBank::recordSize] = {};
        memset (record, ' ', (size_t) ArrangementBank::nameLength);
        memcpy (record, defaultRecordName, strlen (defaultRecordName));
        for (int c = 0; c < 16; ++c)
        {
            record[channelProgramOffset + 2 * c] = (juce::uint8) (d.programs[c] >> 8);
            record[channelProgramOffset + 2 * c + 1] = (juce::uint8) (d.programs[c] & 0xFF);
        }
        record[multiOffset] = (juce::uint8) (defaultMulti >> 8);
        record[multiOffset + 1] = (juce::uint8) (defaultMulti & 0xFF);
        record[playingModeOffset] = (juce::uint8) programMode;

        const auto chunk = ArrangementFiles::makeArrangementChunk (record, sizeof (record));
        entries.push_back (makeEntry (d.name, chunk.getData(), chunk.getSize()));
    }
    modified = false;
}

juce::String ArrangementLibrary::getShownName (int index) const
{
    if (! juce::isPositiveAndBelow (index, getNumEntries()))
        return {};
    const auto& entry = entries[(size_t) index];
    if (entry.getSize() < (size_t) nameAreaSize)
        return {};

    juce::String name;
    auto* bytes = static_cast<const juce::uint8*> (entry.getData());
    for (int i = 0; i < maxNameLength; ++i)
        if (isShownByte (bytes[i]))
            name += juce::String::charToString ((juce::juce_wchar) bytes[i]);
    return name.trim();
}

juce::MemoryBlock ArrangementLibrary::getEntry (int index) const
{
    if (! juce::isPositiveAndBelow (index, getNumEntries()))
        return {};
    return entries[(size_t) index];
}

juce::MemoryBlock ArrangementLibrary::getChunk (int index) const
{
    if (! juce::isPositiveAndBelow (index, getNumEntries()))
        return {};
    const auto& entry = entries[(size_t) index];
    if (entry.getSize() <= (size_t) nameAreaSize)
        return {};
    const auto end = juce::jmin (entry.getSize(), (size_t) entrySize);
    return { static_cast<const juce::uint8*> (entry.getData()) + nameAreaSize, end - (size_t) nameAreaSize };
}

juce::MemoryBlock ArrangementLibrary::getRecord (int index) const
{
    const auto chunk = getChunk (index);
    if (chunk.getSize() < (size_t) ArrangementFiles::arrangementChunkSize
        || memcmp (chunk.getData(), ArrangementFiles::arrangementTag, (size_t) ArrangementFiles::arrangementTagSize) != 0)
        return {};
    return { static_cast<const juce::uint8*> (chunk.getData()) + ArrangementFiles::arrangementHeaderSize, (size_t) ArrangementBank::recordSize };
}

void ArrangementLibrary::addEntry (const juce::String& name, const void* chunk, size_t size)
{
    entries.push_back (makeEntry (name, chunk, size));
    modified = true;
}

void ArrangementLibrary::removeEntry (int index)
{
    if (! juce::isPositiveAndBelow (index, getNumEntries()))
        return;
    entries.erase (entries.begin() + index);
    modified = true;
}

bool ArrangementLibrary::renameEntry (int index, const juce::String& name)
{
    if (name.isEmpty() || ! juce::isPositiveAndBelow (index, getNumEntries()))
        return false;
    auto& entry = entries[(size_t) index];
    if (entry.getSize() < (size_t) nameAreaSize)
        return false;
    putName (entry, name);
    modified = true;
    return true;
}

void ArrangementLibrary::moveEntry (int from, int to)
{
    if (! juce::isPositiveAndBelow (from, getNumEntries()) || ! juce::isPositiveAndBelow (to, getNumEntries()) || from == to)
        return;
    auto entry = std::move (entries[(size_t) from]);
    entries.erase (entries.begin() + from);
    entries.insert (entries.begin() + to, std::move (entry));
    modified = true;
}

void ArrangementLibrary::clear()
{
    entries.clear();
    modified = true;
}

juce::MemoryBlock ArrangementLibrary::toBytes() const
{
    juce::MemoryBlock bytes;
    juce::uint8 number[numberSize];
    encodeNumber (entries.size(), number);
    bytes.append (number, sizeof (number));
    for (auto& entry : entries)
    {
        encodeNumber (entry.getSize(), number);
        bytes.append (number, sizeof (number));
        bytes.append (entry.getData(), entry.getSize());
    }
    return bytes;
}

void ArrangementLibrary::fromBytes (const void* data, size_t size)
{
    modified = false;

    auto* bytes = static_cast<const juce::uint8*> (data);
    if (bytes == nullptr || size < shortestLibraryFile)
        return;
    const auto count = decodeNumber (bytes, size);
    if (count == 0)
        return;

    entries.clear();
    // Each entry moves the position on by at least its 10-byte length, so the loop ends
    // within size / 10 rounds whatever the count says.
    size_t pos = (size_t) numberSize;
    for (std::uint64_t i = 0; i < count && pos < size; ++i)
    {
        const auto length = decodeNumber (bytes + pos, size - pos);
        const size_t start = pos + (size_t) numberSize;
        const size_t available = start < size ? size - start : 0;

        if (length <= available)
        {
            entries.emplace_back (bytes + start, (size_t) length);
            pos = start + (size_t) length;
            continue;
        }

        // The entry reaches past the end: what is there, zero-filled, but never more
        // than a written entry's size beyond what the data itself holds.
        const auto kept = (size_t) juce::jmin (length, (std::uint64_t) juce::jmax (available, (size_t) entrySize));
        juce::MemoryBlock entry (kept, true);
        if (available > 0)
            entry.copyFrom (bytes + start, 0, available);
        entries.push_back (std::move (entry));
        break;
    }
}

bool ArrangementLibrary::loadLibraryFile (const juce::File& file)
{
    if (! file.existsAsFile())
        return false;
    juce::MemoryBlock data;
    file.loadFileAsData (data);
    fromBytes (data.getData(), data.getSize());
    return true;
}

bool ArrangementLibrary::saveLibraryFile (const juce::File& file)
{
    if (entries.empty())
        return false;
    if (! SafeFileWriter::write (file, toBytes()))
        return false;
    modified = false;
    return true;
}

} // namespace zd8

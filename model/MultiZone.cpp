#include "model/MultiZone.h"

#include <cstring>

namespace zd8
{

namespace
{
    using Walk = MultiZoneWalk;

    enum class Width { signedByte, byte, word, longWord };

    int read (const MultiBytes& b, std::int64_t position, Width width) noexcept
    {
        switch (width)
        {
            case Width::signedByte: return b.s8 (position);
            case Width::byte: return b.u8 (position);
            case Width::word: return b.u16 (position);
            case Width::longWord: return b.s32 (position);
        }
        return 0;
    }

    struct Field { int number, offset; Width width; };

    // Zone header (type 43): signed bytes unless the width says otherwise.
    constexpr Field headerFields[] = {
        { 2, 2, Width::signedByte },  { 3, 3, Width::signedByte },  { 4, 5, Width::signedByte },
        { 5, 6, Width::signedByte },  { 11, 11, Width::word },      { 12, 13, Width::signedByte },
        { 13, 14, Width::signedByte }, { 14, 15, Width::signedByte }, { 17, 18, Width::signedByte },
        { 18, 19, Width::signedByte }, { 19, 20, Width::signedByte }, { 21, 21, Width::word },
        { 22, 23, Width::signedByte }, { 31, 27, Width::word },      { 33, 29, Width::word },
        { 34, 31, Width::signedByte }, { 35, 32, Width::signedByte }, { 36, 33, Width::signedByte },
        { 37, 34, Width::signedByte }, { 38, 35, Width::signedByte },
    };

    // Header numbers that read the tail, offsets from T.
    constexpr Field headerTailFields[] = {
        { MultiZone::numberTailByte11, 56, Width::signedByte },
        { MultiZone::numberTailByte15, 60, Width::signedByte },
        { MultiZone::numberProgram, Walk::tailProgram, Width::word },
        { MultiZone::numberTailByte2, 47, Width::signedByte },
    };

    // Tail (type 35), offsets from T.
    constexpr int tailSettingsFirst = 262;
    constexpr int tailSettingsLast = 271;
    constexpr int tailSettingsOffset = 7;
    constexpr int tailTempoOffset = 19;
    constexpr int tailTempoBeats = 292;
    constexpr Field tailFields[] = {
        { 257, 2, Width::byte },      { 260, 3, Width::longWord },  { 272, 17, Width::byte },
        { 274, 17, Width::byte },     { 273, 18, Width::byte },     { 275, 18, Width::byte },
        { 276, tailTempoOffset, Width::word }, { 278, 23, Width::byte }, { 281, 27, Width::longWord },
        { 285, 31, Width::longWord }, { 288, 33, Width::byte },     { 290, 34, Width::word },
        { 291, 36, Width::word },
    };

    // List A entries (n = 10 * entry + field), offsets from the entry.
    constexpr int listAFieldsPerEntry = 10;
    constexpr Field listAFields[] = {
        { 0, 4, Width::word }, { 2, 14, Width::word }, { 3, 16, Width::word }, { 4, 21, Width::byte },
        { 5, 23, Width::byte }, { 6, 18, Width::byte }, { 7, 3, Width::byte },
    };

    // List B entries (n = 100 * entry + field), store and edit-message offsets from the
    // entry; an edit-message offset below 0 reads 0.
    constexpr int listBFieldsPerEntry = 100;
    constexpr int listBRunFirst = 10, listBRunLast = 17;
    constexpr int listBRunStore = 46, listBRunEdit = 42;
    struct ListBField { int number, storeOffset; Width storeWidth; int editOffset; Width editWidth; };
    constexpr ListBField listBFields[] = {
        { 0, 5, Width::word, 5, Width::word },    { 2, 25, Width::word, -1, Width::word },
        { 3, 27, Width::word, 26, Width::byte },  { 4, 33, Width::byte, 29, Width::byte },
        { 5, 35, Width::byte, 31, Width::byte },  { 6, 3, Width::byte, 3, Width::byte },
        { 7, 4, Width::byte, 4, Width::byte },    { 8, 54, Width::byte, 50, Width::byte },
        { 9, 55, Width::byte, 51, Width::byte },  { 18, 45, Width::byte, 41, Width::byte },
        { 19, 54, Width::byte, 50, Width::byte },
    };

    // Section S (type 470), offsets from value field 1 (P + 1); all single bytes but the
    // tempo (hundredths of a BPM, 16-bit).
    constexpr int sectionTempoOffset = 16;
    constexpr int sectionTempo = 17, sectionTempoHundredths = 18;
    constexpr Field sectionFields[] = {
        { 1, 13, Width::byte },  { 2, 15, Width::byte },  { 3, 37, Width::byte },  { 4, 39, Width::byte },
        { 5, 5, Width::byte },   { 6, 4, Width::byte },   { 7, 7, Width::byte },   { 8, 23, Width::byte },
        { 9, 41, Width::byte },  { 11, 8, Width::byte },  { 12, 21, Width::byte }, { 13, 22, Width::byte },
        { 14, 26, Width::byte }, { 15, 45, Width::byte }, { 16, 6, Width::byte },  { 19, 18, Width::byte },
        { 20, 19, Width::byte }, { 21, 11, Width::byte },
        { sectionTempo, sectionTempoOffset, Width::word },
    };

    constexpr int hundredths = 100;

    template <typename Table>
    const Field* find (const Table& table, int number) noexcept
    {
        for (const auto& f : table)
            if (f.number == number)
                return &f;
        return nullptr;
    }

    /** Entry k of a list: its position when it starts inside the bytes, else -1 (an
        entry past the end, or past the count, reads as 0). */
    std::int64_t entryAt (const std::vector<std::int64_t>& entries, std::uint32_t count, int k) noexcept
    {
        if (k < 0 || (std::uint32_t) k >= count || (size_t) k >= entries.size())
            return -1;
        return entries[(size_t) k];
    }
}

bool MultiZone::isZoneType (int type) noexcept
{
    switch (type)
    {
        case typeListA1: case typeListA2: case typeListA3: case typeListA4:
        case typeTail:
        case typeListB1: case typeListB2: case typeListB3:
        case typeHeader:
        case typeSection:
            return true;
        default:
            return false;
    }
}

void MultiZone::setData (const juce::MemoryBlock& bytesIn, int newLayout, bool reorder)
{
    data = bytesIn;
    layout = newLayout == Walk::storeLayout ? Walk::storeLayout : Walk::editMessageLayout;
    parts = {};
    decoded = data.getSize() >= Walk::minimumWalkSize;
    reordered = false;
    if (! decoded)
        return;

    parts = Walk::walkZone (bytes(), 0, layout, true);
    if (reorder && parts.reorder)
    {
        Walk::applyReorder (static_cast<std::uint8_t*> (data.getData()), data.getSize(), parts);
        reordered = true;
    }
}

void MultiZone::clear()
{
    *this = MultiZone();
}

int MultiZone::headerField (int number) const noexcept
{
    if (const auto* f = find (headerFields, number))
        return read (bytes(), f->offset, f->width);
    if (const auto* f = find (headerTailFields, number))
        return decoded ? read (bytes(), parts.tail + f->offset, f->width) : 0;
    return 0;
}

int MultiZone::tailField (int number) const noexcept
{
    if (! decoded)
        return 0;
    const auto b = bytes();
    const auto t = parts.tail;

    if (number >= tailSettingsFirst && number <= tailSettingsLast)
        return b.u8 (t + tailSettingsOffset + number - tailSettingsFirst);
    if (number == tailTempoBeats)
    {
        const int value = b.u16 (t + tailTempoOffset);
        return value < slowTempo ? defaultTailTempo : value / hundredths;
    }
    if (const auto* f = find (tailFields, number))
        return read (b, t + f->offset, f->width);
    return 0;
}

int MultiZone::listAField (int number) const noexcept
{
    if (! decoded || number < 0)
        return 0;
    const auto entry = entryAt (parts.listAEntries, parts.listACount, number / listAFieldsPerEntry);
    const auto* f = find (listAFields, number % listAFieldsPerEntry);
    return entry < 0 || f == nullptr ? 0 : read (bytes(), entry + f->offset, f->width);
}

int MultiZone::listBField (int number) const noexcept
{
    if (! decoded || number < 0)
        return 0;
    const auto entry = entryAt (parts.listBEntries, parts.listBCount, number / listBFieldsPerEntry);
    if (entry < 0)
        return 0;

    const int field = number % listBFieldsPerEntry;
    const bool store = layout == Walk::storeLayout;
    if (field >= listBRunFirst && field <= listBRunLast)
        return bytes().u8 (entry + (store ? listBRunStore : listBRunEdit) + field - listBRunFirst);

    for (const auto& f : listBFields)
        if (f.number == field)
        {
            const int offset = store ? f.storeOffset : f.editOffset;
            return offset < 0 ? 0 : read (bytes(), entry + offset, store ? f.storeWidth : f.editWidth);
        }
    return 0;
}

int MultiZone::sectionField (int number) const noexcept
{
    if (! decoded)
        return 0;
    const auto f1 = parts.sectionStart + Walk::sectionFieldOffset;
    if (number == sectionTempoHundredths)
        return bytes().u16 (f1 + sectionTempoOffset) % hundredths;
    if (const auto* f = find (sectionFields, number))
        return read (bytes(), f1 + f->offset, f->width);
    return 0;
}

int MultiZone::parameter (int type, int number) const noexcept
{
    switch (type)
    {
        case typeListA1: case typeListA2: case typeListA3: case typeListA4: return listAField (number);
        case typeTail: return tailField (number);
        case typeListB1: case typeListB2: case typeListB3: return listBField (number);
        case typeHeader: return headerField (number);
        case typeSection: return sectionField (number);
        default: return 0;
    }
}

int MultiZone::tempo() const noexcept
{
    return sectionField (sectionTempo);
}

int MultiZone::tempoParameter (int number) const noexcept
{
    const int t = tempo();
    const bool slow = t / hundredths < slowTempo;
    switch (number)
    {
        case tempoBeats: return slow ? slowTempo - 1 : t / hundredths;
        case tempoSlow: return slow ? 1 : 0;
        case tempoHundredths: return t % hundredths;
        default: return 0;
    }
}

bool MultiZone::setByte (int position, int value)
{
    if (! bytes().contains (position))
        return false;
    static_cast<std::uint8_t*> (data.getData())[position] = (std::uint8_t) value;
    return true;
}

bool MultiZone::setProgram (int program)
{
    const auto at = parts.tail + Walk::tailProgram;
    if (! decoded || ! bytes().contains (at, 2))
        return false;
    auto* p = static_cast<std::uint8_t*> (data.getData());
    p[at] = (std::uint8_t) ((program >> 8) & 0xFF);
    p[at + 1] = (std::uint8_t) (program & 0xFF);
    return true;
}

} // namespace zd8

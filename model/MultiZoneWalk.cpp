#include "model/MultiZoneWalk.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace zd8
{

namespace
{
    // Section S, first form (byte 42 is 1).
    constexpr int formMarkOffset = 42;
    constexpr int formOneMark = 1;
    constexpr int formOneIndex = 52;        // i
    constexpr int formOneSkip = 58;         // byte at P + i + 58
    constexpr int formOneBase = 64;
    constexpr int formOneSecondBase = 10;
    constexpr int formOneEndBack = 4;

    // Section S, second form: an optional skip, then three sized sub-blocks.
    constexpr int formTwoSkipFlag = 49;     // signed byte > 0: skip the 16-bit length at 51
    constexpr int formTwoSkipLength = 51;
    constexpr int formTwoStart = 52;
    constexpr int formTwoSubBlocks = 3;
    constexpr int subBlockFlag = 3;         // signed byte > 0: the block has a body
    constexpr int subBlockLength = 5;       // 16-bit body length
    constexpr int subBlockBase = 6;

    /** Steps over count entries from position, an entry being shortSize bytes when its
        byte at markOffset is 255 and longSize otherwise. Entries that start past the
        end read as long ones: they are added up without a loop. */
    std::int64_t stepEntries (const MultiBytes& bytes, std::int64_t position, std::uint32_t count,
                              int markOffset, int shortSize, int longSize,
                              std::vector<std::int64_t>* entries)
    {
        for (std::uint32_t k = 0; k < count; ++k)
        {
            if (! bytes.contains (position))
                return position + (std::int64_t) longSize * (std::int64_t) (count - k);
            if (entries != nullptr)
                entries->push_back (position);
            position += bytes.u8 (position + markOffset) == MultiZoneWalk::byteMark ? shortSize : longSize;
        }
        return position;
    }
}

int MultiZoneWalk::typedBlockSize (std::uint32_t type) noexcept
{
    static constexpr std::array<int, 5> sizes { 10, 12, 21, 39, 9 };
    return type < sizes.size() ? sizes[type] : 6;
}

std::int64_t MultiZoneWalk::sectionEnd (const MultiBytes& bytes, std::int64_t p) noexcept
{
    if (bytes.u8 (p + formMarkOffset) == formOneMark)
    {
        const int i = bytes.u8 (p + formOneIndex);
        const std::int64_t p1 = p + i + bytes.u8 (p + i + formOneSkip) + formOneBase;
        const std::int64_t p2 = p1 + formOneSecondBase + bytes.u8 (p1);
        return p2 - formOneEndBack + bytes.u8 (p2);
    }

    std::int64_t q = p + formTwoStart;
    if (bytes.s8 (p + formTwoSkipFlag) > 0)
        q += bytes.u16 (p + formTwoSkipLength);
    for (int k = 0; k < formTwoSubBlocks; ++k)
        q += subBlockBase + (bytes.s8 (q + subBlockFlag) > 0 ? bytes.u16 (q + subBlockLength) : 0);
    return q;
}

MultiZoneWalk::ZoneParts MultiZoneWalk::walkZone (const MultiBytes& bytes, std::int64_t start, int layout, bool keepEntries)
{
    ZoneParts z;
    z.start = start;

    z.listACount = bytes.u32 (start + listACountOffset);
    z.listAStart = start + listAStartOffset;
    std::int64_t a = stepEntries (bytes, z.listAStart, z.listACount, listAShortMark, listAShortSize, listALongSize,
                                  keepEntries ? &z.listAEntries : nullptr);

    z.listBCount = bytes.u32 (a + listBCountAfterA);
    z.listBStart = a + listBStartAfterA;
    const int longB = layout == storeLayout ? listBStoreSize : listBEditMessageSize;
    std::int64_t b = stepEntries (bytes, z.listBStart, z.listBCount, listBShortMark, listBShortSize, longB,
                                  keepEntries ? &z.listBEntries : nullptr);

    for (int k = 0; k < typedBlockCount; ++k)
        b += typedBlockSize (bytes.u32 (b + typedBlockTypeOffset));

    z.sectionStart = b + sectionAfterBlocks;
    z.tail = sectionEnd (bytes, z.sectionStart);
    z.end = z.tail + tailEndBase + (std::int64_t) tailEntrySize * bytes.u16 (z.tail + tailCount);

    const std::int64_t reorderEnd = z.tail + tailEntries + tailReorderSpan;
    z.reorder = bytes.u8 (z.tail + tailReorderFlag) == 1 && reorderEnd <= z.end
                && bytes.contains (z.tail + tailEntries, tailReorderSpan);
    return z;
}

void MultiZoneWalk::applyReorder (std::uint8_t* bytes, size_t size, const ZoneParts& parts) noexcept
{
    const std::int64_t at = parts.tail + tailEntries;
    if (! parts.reorder || bytes == nullptr || ! MultiBytes (bytes, size).contains (at, tailReorderSpan))
        return;
    std::uint8_t old[tailReorderSpan];
    std::memcpy (old, bytes + at, tailReorderSpan);
    std::memcpy (bytes + at, old + tailEntrySize, tailReorderSpan - tailEntrySize);
    std::memcpy (bytes + at + tailReorderSpan - tailEntrySize, old, tailEntrySize);
}

std::vector<MultiZoneWalk::ZoneSpan> MultiZoneWalk::walkRecord (const MultiBytes& record)
{
    std::vector<ZoneSpan> spans;
    if (record.size() < minimumWalkSize)
        return spans;

    const int count = std::min (record.u8 (storeZoneCountOffset), maxZones);
    std::int64_t a = commonSize;
    for (int z = 0; z < count && record.contains (a); ++z)
    {
        ZoneSpan span;
        span.parts = walkZone (record, a, storeLayout, false);
        span.start = a;
        span.length = span.parts.end - a;
        span.reorder = span.parts.reorder;
        spans.push_back (span);
        a = span.parts.end;
    }
    return spans;
}

} // namespace zd8

#include "model/MultiZoneWalk.h"

#include "MultiTestBytes.h"

#include <gtest/gtest.h>

#include <chrono>

using zd8::MultiBytes;
using zd8::MultiZoneWalk;
using namespace multitest;

namespace
{
    MultiBytes view (const Bytes& b) { return { b.b.data(), b.b.size() }; }

    struct ZoneCase
    {
        const char* name;
        Bytes bytes;
        int layout;
        std::vector<std::int64_t> listA, listB;
        std::int64_t listBStart, section, tail, end;
        bool reorder;
    };
}

TEST (MultiZoneWalk, PartsOfHandBuiltZonesInBothSectionForms)
{
    const ZoneCase cases[] = {
        { "second form, store layout", zoneOne (1), MultiZoneWalk::storeLayout,
          { 43, 46 }, { 107, 111 }, 107, 385, 1065, 1133, true },
        { "second form, edit-message layout", zoneOne (1, -4), MultiZoneWalk::editMessageLayout,
          { 43, 46 }, { 107, 111 }, 107, 381, 1061, 1129, true },
        { "first form", zoneTwo (2), MultiZoneWalk::storeLayout,
          {}, { 51 }, 51, 260, 900, 1116, false },
    };

    for (const auto& c : cases)
    {
        SCOPED_TRACE (c.name);
        const auto parts = MultiZoneWalk::walkZone (view (c.bytes), 0, c.layout, true);
        EXPECT_EQ (parts.listAStart, 43);
        EXPECT_EQ (parts.listAEntries, c.listA);
        EXPECT_EQ (parts.listACount, c.listA.size());
        EXPECT_EQ (parts.listBStart, c.listBStart);
        EXPECT_EQ (parts.listBEntries, c.listB);
        EXPECT_EQ (parts.sectionStart, c.section);
        EXPECT_EQ (parts.tail, c.tail);
        EXPECT_EQ (parts.end, c.end);
        EXPECT_EQ (parts.end, (std::int64_t) c.bytes.b.size());
        EXPECT_EQ (parts.reorder, c.reorder);
    }
}

TEST (MultiZoneWalk, TypedBlockSizes)
{
    const std::pair<std::uint32_t, int> cases[] = { { 0, 10 }, { 1, 12 }, { 2, 21 }, { 3, 39 }, { 4, 9 },
                                                     { 5, 6 },  { 255, 6 }, { 0xFFFFFFFFu, 6 } };
    for (const auto& c : cases)
        EXPECT_EQ (MultiZoneWalk::typedBlockSize (c.first), c.second) << c.first;
}

TEST (MultiZoneWalk, ReorderMovesTheFirstTailEntryBehindTheNextTwo)
{
    auto z = zoneOne (1);
    const auto parts = MultiZoneWalk::walkZone (view (z), 0, MultiZoneWalk::storeLayout, false);
    MultiZoneWalk::applyReorder (z.b.data(), z.b.size(), parts);
    const std::vector<std::uint8_t> expected { 0xB0, 0xB1, 0xB2, 0xB3, 0xC0, 0xC1, 0xC2, 0xC3, 0xA0, 0x01, 0xA2, 0xA3 };
    EXPECT_EQ (std::vector<std::uint8_t> (z.b.begin() + 1119, z.b.begin() + 1131), expected);
}

TEST (MultiZoneWalk, ReorderNeedsThreeEntriesInsideTheZone)
{
    // Flag set but only two entries: the 12 bytes would reach into what follows the
    // zone (here still inside the bytes).
    auto z = zoneOne (1);
    z.put16 (1117, 2);
    const auto parts = MultiZoneWalk::walkZone (view (z), 0, MultiZoneWalk::storeLayout, false);
    EXPECT_EQ (parts.end, 1129);
    EXPECT_FALSE (parts.reorder);
}

TEST (MultiZoneWalk, RecordWithFourZonesStartsEachZoneAtThePreviousEnd)
{
    const auto r = record ({ zoneOne (1), zoneTwo (2), zoneOne (3), zoneTwo (4) }, 4);
    const auto spans = MultiZoneWalk::walkRecord (view (r));

    const std::int64_t starts[] = { 462, 1595, 2711, 3844 };
    const std::int64_t lengths[] = { 1133, 1116, 1133, 1116 };
    ASSERT_EQ (spans.size(), 4u);
    for (size_t z = 0; z < 4; ++z)
    {
        EXPECT_EQ (spans[z].start, starts[z]) << z;
        EXPECT_EQ (spans[z].length, lengths[z]) << z;
        EXPECT_EQ (r.b[(size_t) spans[z].start + 3], z + 1) << "zone number in the header";
        EXPECT_EQ (spans[z].reorder, z % 2 == 0) << z;
    }
}

TEST (MultiZoneWalk, RecordEdges)
{
    struct Case
    {
        const char* name;
        Bytes bytes;
        std::vector<std::int64_t> starts;
    };

    auto shortRecord = record ({ zoneOne (1) }, 1);
    shortRecord.b.resize (999);

    auto cut = record ({ zoneOne (1), zoneTwo (2) }, 2);
    cut.b.resize (1600);                                 // zone 2 starts at 1595 and is cut

    auto tooMany = record ({ zoneOne (1), zoneTwo (2) }, 200);   // count above 16

    const Case cases[] = {
        { "shorter than 1000 bytes: not walked", shortRecord, {} },
        { "zone count 0", record ({ zoneOne (1) }, 0), {} },
        { "a zone cut by the end is still found", cut, { 462, 1595 } },
        { "count above 16: the walk stops where the record ends", tooMany, { 462, 1595, 2711 } },
    };

    for (const auto& c : cases)
    {
        SCOPED_TRACE (c.name);
        std::vector<std::int64_t> starts;
        for (const auto& span : MultiZoneWalk::walkRecord (view (c.bytes)))
            starts.push_back (span.start);
        EXPECT_EQ (starts, c.starts);
    }
}

TEST (MultiZoneWalk, HugeCountsAreAddedUpNotLoopedOver)
{
    // Every count at its maximum: list A, list B, the section's lengths, the tail count.
    Bytes z (2000);
    for (auto& byte : z.b)
        byte = 0xFF;
    z.put8 (46, 0);   // the first list A entry is a long one

    const auto started = std::chrono::steady_clock::now();
    const auto parts = MultiZoneWalk::walkZone (view (z), 0, MultiZoneWalk::storeLayout, true);
    EXPECT_LT (std::chrono::steady_clock::now() - started, std::chrono::milliseconds (200));

    EXPECT_EQ (parts.listACount, 0xFFFFFFFFu);
    EXPECT_GT (parts.end, (std::int64_t) 50 * 0xFFFFFFFFll);
    EXPECT_LE (parts.listAEntries.size(), z.b.size());
    EXPECT_TRUE (parts.listBEntries.empty());
}

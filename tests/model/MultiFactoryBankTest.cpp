// Every multi of our own built-in bank walks cleanly: each zone lies inside its record,
// decodes inside its own bytes, carries its number and a sensible key range, and plays
// a program the built-in program bank holds.
#include "model/BuiltInBanks.h"
#include "model/MultiZoneWalk.h"
#include "model/MultiEditBuffer.h"
#include "model/ProgramStore.h"
#include "model/MultiStore.h"

#include <gtest/gtest.h>

#include <set>

using namespace zd8;

namespace
{
    struct Banks
    {
        MultiStore multis;
        ProgramStore programs;

        Banks()
        {
            multis.buildIndex (ObjectStore::typeMulti, BuiltInBanks::builtInBank (ObjectStore::typeMulti),
                               BuiltInBanks::multiHighestId);
            programs.buildIndex (ObjectStore::typeProgram, BuiltInBanks::builtInBank (ObjectStore::typeProgram),
                                 BuiltInBanks::programHighestId);
        }
    };

    const Banks& banks()
    {
        static const Banks b;
        return b;
    }
}

TEST (MultiFactoryBank, MultisAtTheirIdsWithTheTemplateNames)
{
    std::vector<int> expected;
    for (int id = 1; id <= 50; ++id)
        expected.push_back (id);
    for (int id = 2044; id <= 2047; ++id)
        expected.push_back (id);
    EXPECT_EQ (banks().multis.listIds (ObjectStore::listPresent, 0), expected);

    const std::pair<int, const char*> templates[] = { { 2044, "Split Default" }, { 2045, "Layer Default" },
                                                      { 2046, "ZD8 Control" }, { 2047, "Clear Multi" } };
    for (const auto& t : templates)
        EXPECT_EQ (banks().multis.recordName (t.first).trimEnd(), t.second);

    std::set<juce::String> names;
    for (int id : expected)
        names.insert (banks().multis.recordName (id));
    EXPECT_EQ (names.size(), expected.size()) << "every multi has a name of its own";
}

TEST (MultiFactoryBank, EveryZoneOfEveryMultiLiesInsideItsRecord)
{
    const auto& b = banks();
    std::set<int> zoneCounts;
    int firstForm = 0, secondForm = 0, reordered = 0;

    for (int id : b.multis.listIds (ObjectStore::listPresent, 0))
    {
        SCOPED_TRACE (id);
        const auto record = b.multis.readRecord (id);
        const MultiBytes bytes (record.getData(), record.getSize());
        ASSERT_GE (record.getSize(), MultiZoneWalk::minimumWalkSize);
        EXPECT_EQ (juce::String (static_cast<const char*> (record.getData()) + 20, 3), "ZD7");

        const int count = bytes.u8 (MultiZoneWalk::storeZoneCountOffset);
        ASSERT_GE (count, 1);
        ASSERT_LE (count, 16);
        zoneCounts.insert (count);

        const auto spans = MultiZoneWalk::walkRecord (bytes);
        ASSERT_EQ ((int) spans.size(), count);
        std::int64_t expectedStart = MultiZoneWalk::commonSize;
        for (size_t z = 0; z < spans.size(); ++z)
        {
            SCOPED_TRACE (z);
            const auto& span = spans[z];
            EXPECT_EQ (span.start, expectedStart);
            EXPECT_GE (span.length, (std::int64_t) MultiZoneWalk::minimumWalkSize);
            ASSERT_LE (span.start + span.length, (std::int64_t) record.getSize());
            expectedStart = span.start + span.length;

            // The same walk inside the zone's own bytes ends exactly at its end, and
            // every part lies inside it.
            const MultiBytes zone (static_cast<const char*> (record.getData()) + span.start, (size_t) span.length);
            const auto parts = MultiZoneWalk::walkZone (zone, 0, MultiZoneWalk::storeLayout, true);
            EXPECT_EQ (parts.end, span.length);
            EXPECT_EQ (parts.listAEntries.size(), parts.listACount);
            EXPECT_EQ (parts.listBEntries.size(), parts.listBCount);
            EXPECT_LT (parts.sectionStart + 46, parts.tail);
            EXPECT_LE (parts.tail + 56, parts.end);
            (zone.u8 (parts.sectionStart + 42) == 1 ? firstForm : secondForm)++;
            reordered += span.reorder ? 1 : 0;

            EXPECT_EQ (zone.u8 (MultiZoneWalk::headerZoneNumber), (int) z + 1);
            const int low = zone.u8 (MultiZoneWalk::headerLowKey), high = zone.u8 (MultiZoneWalk::headerHighKey);
            EXPECT_LE (low, high);
            EXPECT_LE (high, 127);
            const int program = zone.u16 (parts.tail + MultiZoneWalk::tailProgram);
            EXPECT_TRUE (b.programs.isPresent (program)) << "program " << program;
        }
    }

    EXPECT_EQ (zoneCounts.size(), 16u) << "zone counts 1..16 all occur";
    EXPECT_GT (firstForm, 0);
    EXPECT_GT (secondForm, 0);
    EXPECT_GT (reordered, 0);
}

TEST (MultiFactoryBank, LoadedIntoTheEditObjectEveryZoneDecodes)
{
    const auto& b = banks();
    MultiEditBuffer multi;
    for (int id : b.multis.listIds (ObjectStore::listPresent, 0))
    {
        SCOPED_TRACE (id);
        b.multis.loadMulti (id, multi);
        const int count = multi.zoneCount();
        const int bpm = multi.multiParameter (MultiZone::typeTempo, 0, MultiZone::tempoBeats);
        EXPECT_GE (bpm, 20);
        EXPECT_LE (bpm, 300);
        for (int z = 0; z < 16; ++z)
        {
            const auto zone = multi.getZone (z);
            EXPECT_EQ (zone.isDecoded(), z < count) << z;
            if (z < count)
            {
                EXPECT_EQ (multi.multiParameter (MultiZone::typeHeader, z, 3), z + 1);
                EXPECT_EQ (multi.multiParameter (MultiZone::typeHeader, z, 2), 2) << "status: playing";
                EXPECT_TRUE (b.programs.isPresent (multi.multiParameter (MultiZone::typeHeader, z, MultiZone::numberProgram)));
            }
        }
    }
}

#include "model/MultiEditBuffer.h"

#include "MultiTestBytes.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

using zd8::MultiZoneWalk;
using zd8::MultiEditBuffer;
using namespace multitest;

namespace
{
    struct Row
    {
        int type, zone, number, expected;
    };

    void expectRows (const MultiEditBuffer& multi, const std::vector<Row>& rows)
    {
        for (const auto& r : rows)
            EXPECT_EQ (multi.multiParameter (r.type, r.zone, r.number), r.expected)
                << "type " << r.type << " zone " << r.zone << " number " << r.number;
    }

    struct ChangeCounter : juce::ChangeListener
    {
        int count = 0;
        void changeListenerCallback (juce::ChangeBroadcaster*) override { ++count; }
    };

    /** Loads record and counts broadcasts of the calls that follow. */
    struct Fixture
    {
        MultiEditBuffer multi;
        ChangeCounter counter;

        explicit Fixture (const Bytes& r)
        {
            multi.loadRecord (r.block());
            multi.addChangeListener (&counter);
        }
        ~Fixture() { multi.removeChangeListener (&counter); }

        int broadcasts()
        {
            multi.dispatchPendingMessages();
            const int n = counter.count;
            counter.count = 0;
            return n;
        }
    };

    juce::MemoryBlock filled (size_t size, int value)
    {
        juce::MemoryBlock b (size);
        b.fillWith ((juce::uint8) value);
        return b;
    }

    Bytes twoZones() { return record ({ zoneOne (1), zoneTwo (2) }, 2); }
}

TEST (MultiEditBuffer, ZoneParametersOfALoadedRecord)
{
    MultiEditBuffer multi;
    multi.loadRecord (twoZones().block());

    expectRows (multi, {
        // Header (signed bytes, 16-bit where noted), and the tail fields it reaches.
        { 43, 0, 2, 2 }, { 43, 0, 3, 1 }, { 43, 0, 4, -16 }, { 43, 0, 5, 7 }, { 43, 0, 11, 0x1234 },
        { 43, 0, 12, 1 }, { 43, 0, 13, 2 }, { 43, 0, 14, 3 }, { 43, 0, 17, 36 }, { 43, 0, 18, 59 },
        { 43, 0, 19, -127 }, { 43, 0, 21, 500 }, { 43, 0, 22, 9 }, { 43, 0, 31, 65535 }, { 43, 0, 33, 7 },
        { 43, 0, 34, 31 }, { 43, 0, 38, 35 }, { 43, 0, 93, 321 }, { 43, 0, 95, -2 },
        { 43, 0, 26, -78 }, { 43, 0, 28, -62 },   // read after the tail entries were reordered
        { 43, 0, 1, 0 }, { 43, 0, 99, 0 },
        { 43, 1, 2, 1 }, { 43, 1, 3, 2 }, { 43, 1, 17, 60 }, { 43, 1, 18, 96 }, { 43, 1, 93, 1136 },

        // List A: entry 1 follows the 3-byte entry 0 at once.
        { 7, 0, 10, 1000 }, { 7, 0, 12, 2000 }, { 7, 0, 13, 3000 }, { 7, 0, 14, 21 }, { 7, 0, 15, 23 },
        { 7, 0, 16, 18 }, { 7, 0, 17, 77 }, { 7, 0, 7, 255 }, { 7, 0, 11, 0 }, { 7, 0, 20, 0 }, { 7, 0, -1, 0 },
        { 37, 0, 10, 1000 }, { 70, 0, 10, 1000 }, { 441, 0, 10, 1000 }, { 7, 1, 0, 0 },

        // List B (store layout): entry 1 follows the 4-byte entry 0.
        { 39, 0, 100, 4242 }, { 39, 0, 102, 25 }, { 39, 0, 103, 2727 }, { 39, 0, 104, 33 },
        { 39, 0, 105, 35 }, { 39, 0, 106, 3 }, { 39, 0, 107, 4 }, { 39, 0, 108, 54 }, { 39, 0, 109, 55 },
        { 39, 0, 110, 10 }, { 39, 0, 117, 17 }, { 39, 0, 118, 18 }, { 39, 0, 119, 54 }, { 39, 0, 7, 255 },
        { 39, 0, 101, 0 }, { 39, 0, 120, 0 }, { 39, 0, 200, 0 }, { 41, 0, 100, 4242 }, { 111, 0, 100, 4242 },

        // Section S from value field 1.
        { 470, 0, 1, 13 }, { 470, 0, 2, 15 }, { 470, 0, 3, 37 }, { 470, 0, 4, 39 }, { 470, 0, 5, 5 },
        { 470, 0, 6, 4 }, { 470, 0, 7, 7 }, { 470, 0, 8, 23 }, { 470, 0, 9, 0 }, { 470, 0, 11, 8 },
        { 470, 0, 12, 21 }, { 470, 0, 13, 22 }, { 470, 0, 14, 26 }, { 470, 0, 15, 45 }, { 470, 0, 16, 6 },
        { 470, 0, 17, 1250 }, { 470, 0, 18, 50 }, { 470, 0, 19, 18 }, { 470, 0, 20, 19 }, { 470, 0, 21, 11 },
        { 470, 0, 10, 0 },
        { 470, 1, 9, 1 }, { 470, 1, 17, 12000 }, { 470, 1, 18, 0 },

        // Tail.
        { 35, 0, 257, 2 }, { 35, 0, 260, 0x01020304 }, { 35, 0, 262, 70 }, { 35, 0, 271, 79 },
        { 35, 0, 272, 17 }, { 35, 0, 274, 17 }, { 35, 0, 273, 18 }, { 35, 0, 275, 18 }, { 35, 0, 276, 15 },
        { 35, 0, 278, 23 }, { 35, 0, 281, (int) 0x80000001u }, { 35, 0, 285, 0x2101 }, { 35, 0, 288, 33 },
        { 35, 0, 290, 0x0122 }, { 35, 0, 291, 291 }, { 35, 0, 292, 120 }, { 35, 0, 258, 0 },

        // Tempo of zone 0, whatever zone is asked.
        { 4, 0, 100, 19 }, { 4, 5, 101, 1 }, { 4, 0, 102, 50 }, { 4, 0, 103, 0 },

        // Zones without data, zones outside the sixteen, unknown types.
        { 43, 2, 3, 0 }, { 43, 16, 3, 0 }, { 43, -1, 3, 0 }, { 470, 99, 17, 0 }, { 5, 0, 3, 0 }, { 0, 0, 0, 0 },
    });
}

TEST (MultiEditBuffer, CommonParametersInTheStoreLayout)
{
    MultiEditBuffer multi;
    multi.loadRecord (twoZones().block());

    EXPECT_EQ (multi.zoneCount(), 2);
    expectRows (multi, {
        { 3, 0, 26, 26 }, { 3, 0, 36, 36 }, { 3, 0, 15, 38 }, { 3, 0, 16, 39 }, { 3, 0, 22, 46 },
        { 3, 0, 24, 48 }, { 3, 0, 29, 0 }, { 3, 0, 33, 0 }, { 3, 0, 38, 0 },
        { 13, 0, 0, 15 }, { 13, 0, 1, 0 }, { 13, 0, 2, 3 }, { 13, 0, 16, 0 }, { 13, 0, -1, 0 },
        { 17, 0, 0, -2 }, { 17, 0, 1, 300 }, { 23, 0, 0, -300 }, { 19, 0, 0, 99 }, { 19, 0, 15, 15 },
        { 25, 0, 0, 88 }, { 19, 0, 100, 0 },
        { 15, 0, 3000, 15 }, { 21, 0, 3001, 0 }, { 46, 0, 3100, 99 }, { 15, 0, 3115, 15 }, { 15, 0, 3116, 0 },
        { 15, 0, 3200, 88 }, { 15, 0, 3300, -2 }, { 15, 0, 3400, -300 }, { 15, 0, 3162, 1234 },
        { 15, 0, 3164, 4321 }, { 15, 0, 3167, 1 }, { 15, 0, 3171, 7 }, { 15, 0, 3173, 9 },
        { 15, 0, 3174, 12 }, { 15, 0, 3175, 13 }, { 15, 0, 2999, 0 }, { 15, 0, 3416, 0 },
        { 27, 0, 0, 1 }, { 29, 0, 0, 7 }, { 31, 0, 0, 3 }, { 33, 0, 0, 9 },
        { 271, 0, 0, 12 }, { 272, 0, 0, 1234 }, { 311, 0, 0, 13 }, { 312, 0, 0, 4321 },
    });
}

TEST (MultiEditBuffer, CommonParametersInTheEditMessageLayout)
{
    // Per-zone values 18 bytes earlier, G, H and the single bytes further forward; F of
    // zones 0..2 shares its bytes with G, H and byte 301's place there.
    Bytes c (462);
    for (int k = 26; k <= 48; ++k)
        c.put8 ((size_t) k, k);
    c.put8 (49, 2);
    c.put8 (52, 10);
    c.put8 (68, 5);
    c.put16 (84, 0xFFFE);
    c.put16 (116, 0xFED4);
    c.put8 (181, 99);
    c.put16 (212, 0x0458);
    c.put16 (214, 0x10E1);
    const int singles[][2] = { { 217, 1 }, { 219, 3 }, { 221, 7 }, { 223, 9 }, { 224, 12 }, { 225, 13 } };
    for (const auto& v : singles)
        c.put8 ((size_t) v[0], v[1]);

    MultiEditBuffer multi;
    multi.setCommonData (c.block(), MultiZoneWalk::editMessageLayout);

    EXPECT_EQ (multi.zoneCount(), 2);
    expectRows (multi, {
        { 3, 0, 26, 26 }, { 3, 0, 15, 38 }, { 13, 0, 0, 15 }, { 17, 0, 0, -2 }, { 23, 0, 0, -300 },
        { 19, 0, 0, 99 }, { 25, 0, 0, 0x58 }, { 25, 0, 1, 0xE1 }, { 25, 0, 2, 1 },
        { 272, 0, 0, 0x0458 }, { 312, 0, 0, 0x10E1 },
        { 27, 0, 0, 1 }, { 31, 0, 0, 3 }, { 29, 0, 0, 7 }, { 33, 0, 0, 9 }, { 271, 0, 0, 12 }, { 311, 0, 0, 13 },
    });
}

TEST (MultiEditBuffer, ListBInTheEditMessageLayout)
{
    // The same zone bytes read with the edit-message offsets (and 153-byte entries).
    zd8::MultiZone zone;
    zone.setData (zoneOne (1, -4).block(), MultiZoneWalk::editMessageLayout);
    ASSERT_TRUE (zone.isDecoded());

    const std::pair<int, int> rows[] = { { 100, 4242 }, { 102, 0 }, { 103, 25 }, { 104, 0 }, { 106, 3 },
                                         { 107, 4 }, { 110, 0 }, { 113, 18 }, { 114, 10 }, { 117, 13 },
                                         { 118, 0 }, { 108, 14 } };
    for (const auto& r : rows)
        EXPECT_EQ (zone.parameter (39, r.first), r.second) << r.first;

    // The tail moved with the shorter entry.
    EXPECT_EQ (zone.parameter (43, 93), 321);
    EXPECT_EQ (zone.parameter (470, 17), 1250);
}

TEST (MultiEditBuffer, TempoOfZoneZero)
{
    const std::pair<int, std::array<int, 3>> cases[] = {
        { 1250, { 19, 1, 50 } }, { 12000, { 120, 0, 0 } }, { 1999, { 19, 1, 99 } },
        { 2000, { 20, 0, 0 } },  { 0, { 19, 1, 0 } },      { 65535, { 655, 0, 35 } },
    };
    for (const auto& c : cases)
    {
        auto r = twoZones();
        r.put16 (462 + 402, c.first);
        MultiEditBuffer multi;
        multi.loadRecord (r.block());
        for (int k = 0; k < 3; ++k)
            EXPECT_EQ (multi.multiParameter (4, 0, 100 + k), c.second[(size_t) k]) << c.first << " number " << 100 + k;
    }
}

TEST (MultiEditBuffer, TailTempoInBeatsPerMinute)
{
    const std::pair<int, int> cases[] = { { 15, 120 }, { 19, 120 }, { 20, 0 }, { 12000, 120 }, { 12345, 123 } };
    for (const auto& c : cases)
    {
        auto r = twoZones();
        r.put16 (462 + 1084, c.first);
        MultiEditBuffer multi;
        multi.loadRecord (r.block());
        EXPECT_EQ (multi.multiParameter (35, 0, 292), c.second) << c.first;
        EXPECT_EQ (multi.multiParameter (35, 0, 276), c.first);
    }
}

TEST (MultiEditBuffer, LoadReordersTheRecordAndTheZoneOnce)
{
    const auto source = twoZones();
    MultiEditBuffer multi;
    multi.loadRecord (source.block());

    const auto kept = multi.getRecord();
    ASSERT_EQ (kept.getSize(), source.b.size());
    const auto* k = static_cast<const std::uint8_t*> (kept.getData());
    const std::vector<std::uint8_t> reordered { 0xB0, 0xB1, 0xB2, 0xB3, 0xC0, 0xC1, 0xC2, 0xC3, 0xA0, 0x01, 0xA2, 0xA3 };
    EXPECT_EQ (std::vector<std::uint8_t> (k + 462 + 1119, k + 462 + 1131), reordered);

    const std::int64_t starts[] = { 462, 1595 }, lengths[] = { 1133, 1116 };
    for (int z = 0; z < 2; ++z)
    {
        const auto zone = multi.getZone (z);
        EXPECT_EQ (multi.getZoneStart (z), starts[z]);
        EXPECT_EQ (multi.getZoneLength (z), lengths[z]);
        EXPECT_EQ (multi.getZoneReordered (z), z == 0);
        ASSERT_EQ ((std::int64_t) zone.getData().getSize(), lengths[z]);
        EXPECT_EQ (std::memcmp (zone.getData().getData(), k + starts[z], (size_t) lengths[z]), 0) << z;
    }
    for (int z = 2; z < 16; ++z)
        EXPECT_EQ (multi.getZone (z).getData().getSize(), 0u);

    // Bytes outside the common part and the zones are kept as they came.
    EXPECT_EQ (k[2711], 0x55);
}

TEST (MultiEditBuffer, ShortRecordsAndZonesAreKeptButNotDecoded)
{
    auto shortRecord = twoZones();
    shortRecord.b.resize (999);
    MultiEditBuffer multi;
    multi.loadRecord (shortRecord.block());
    EXPECT_EQ (multi.getZone (0).getData().getSize(), 0u);
    EXPECT_EQ (multi.multiParameter (43, 0, 3), 0);
    EXPECT_EQ (multi.zoneCount(), 2);

    // A 999-byte zone from the instrument: the header reads, nothing behind it does.
    multi.loadRecord (twoZones().block());
    auto zone = zoneOne (1);
    zone.b.resize (999);
    multi.multiBlock2 (0, zone.block());
    EXPECT_EQ (multi.multiParameter (43, 0, 17), 36);
    EXPECT_FALSE (multi.getZone (0).isDecoded());
    for (const auto& r : std::vector<Row> { { 43, 0, 93, 0 }, { 43, 0, 26, 0 }, { 7, 0, 10, 0 }, { 39, 0, 100, 0 },
                                            { 470, 0, 17, 0 }, { 35, 0, 257, 0 } })
        EXPECT_EQ (multi.multiParameter (r.type, r.zone, r.number), r.expected) << r.type << "/" << r.number;
}

TEST (MultiEditBuffer, NamePartFromTheInstrument)
{
    Fixture f (twoZones());

    juce::MemoryBlock header ("Night\0Garden ABCDEFG", 20);
    auto data = filled (45, 3);   // byte 67 (the zone count) becomes 3
    f.multi.multiHeader (header, data);
    EXPECT_EQ (f.broadcasts(), 1);
    EXPECT_EQ (f.multi.getLastChange(), MultiEditBuffer::changedNamePart);

    const auto common = f.multi.getCommon().getData();
    EXPECT_EQ (juce::String (static_cast<const char*> (common.getData()), 5), "Night");
    for (int k = 5; k < 20; ++k)
        EXPECT_EQ (common[k], 0) << k;
    EXPECT_EQ (common[20], 'Z');
    EXPECT_EQ (common[23], 3);
    EXPECT_EQ (f.multi.zoneCount(), 3);

    // Data of another length leaves bytes 23..67 alone; a short header counts as zeros.
    f.multi.multiHeader (juce::MemoryBlock ("Ab", 2), filled (44, 9));
    EXPECT_EQ (f.broadcasts(), 1);
    const auto after = f.multi.getCommon().getData();
    EXPECT_EQ (after[0], 'A');
    EXPECT_EQ (after[2], 0);
    EXPECT_EQ (after[23], 3);
}

TEST (MultiEditBuffer, CommonRestFromTheInstrument)
{
    struct Case
    {
        const char* name;
        int layout;
        size_t size;
        int first, last;   // where the copy lands (or would land)
        bool copied;
    };
    const Case cases[] = {
        { "store layout, 394 bytes to 68..461", MultiZoneWalk::storeLayout, 394, 68, 461, true },
        { "store layout, 319 bytes", MultiZoneWalk::storeLayout, 319, 68, 386, false },
        { "store layout, 395 bytes", MultiZoneWalk::storeLayout, 395, 68, 461, false },
        { "edit-message layout, 319 bytes to 50..368", MultiZoneWalk::editMessageLayout, 319, 50, 368, true },
        { "edit-message layout, 394 bytes", MultiZoneWalk::editMessageLayout, 394, 50, 443, false },
        { "empty", MultiZoneWalk::storeLayout, 0, 68, 68, false },
    };

    for (const auto& c : cases)
    {
        SCOPED_TRACE (c.name);
        Fixture f (twoZones());
        f.multi.setCommonData (storeCommon (2).block(), c.layout);
        f.broadcasts();
        f.multi.multiBlock1 (filled (c.size, 0x42));

        EXPECT_EQ (f.broadcasts(), 1);
        EXPECT_EQ (f.multi.getLastChange(), MultiEditBuffer::changedCommonRest);
        const auto common = f.multi.getCommon().getData();
        ASSERT_EQ (common.getSize(), 462u);
        EXPECT_EQ (common[c.first] == 0x42, c.copied);
        EXPECT_EQ (common[c.last] == 0x42, c.copied);
        EXPECT_NE (common[c.first - 1], 0x42);
        if (c.last + 1 < 462)
        {
            EXPECT_NE (common[c.last + 1], 0x42);
        }
    }
}

TEST (MultiEditBuffer, ZoneFromTheInstrument)
{
    struct Case
    {
        int zone;
        bool taken;
    };
    // Zone count 2: zones 0..3 (count + 1) are taken, others ignored.
    const Case cases[] = { { 0, true }, { 2, true }, { 3, true }, { 4, false }, { 15, false },
                           { 16, false }, { -1, false } };

    for (const auto& c : cases)
    {
        SCOPED_TRACE (c.zone);
        Fixture f (twoZones());
        f.multi.multiBlock2 (1, zoneOne (9).block());    // a known last change first
        f.broadcasts();

        f.multi.multiBlock2 (c.zone, zoneTwo (7).block());
        EXPECT_EQ (f.broadcasts(), c.taken ? 1 : 0);
        EXPECT_EQ (f.multi.getLastChange(), c.taken ? c.zone : 1);
        if (c.taken)
        {
            EXPECT_EQ (f.multi.multiParameter (43, c.zone, 3), 7);
            EXPECT_EQ (f.multi.multiParameter (43, c.zone, 93), 1136);
        }
    }

    // The zone's own copy gets its tail entries reordered.
    MultiEditBuffer multi;
    multi.loadRecord (twoZones().block());
    multi.multiBlock2 (1, zoneOne (2).block());
    EXPECT_TRUE (multi.getZone (1).wasReordered());
    EXPECT_EQ (multi.multiParameter (43, 1, 26), -78);
    EXPECT_EQ (multi.getLastChange(), 1);
}

TEST (MultiEditBuffer, LocalZoneEdits)
{
    Fixture f (twoZones());
    EXPECT_TRUE (f.multi.setZoneKeyRange (1, 40, 70));
    EXPECT_TRUE (f.multi.setZoneProgram (1, 777));
    EXPECT_EQ (f.broadcasts(), 1);   // coalesced
    EXPECT_EQ (f.multi.getLastChange(), 1);
    EXPECT_EQ (f.multi.multiParameter (43, 1, 17), 40);
    EXPECT_EQ (f.multi.multiParameter (43, 1, 18), 70);
    EXPECT_EQ (f.multi.multiParameter (43, 1, 93), 777);

    EXPECT_FALSE (f.multi.setZoneKeyRange (5, 1, 2));    // no data
    EXPECT_FALSE (f.multi.setZoneProgram (16, 1));
    EXPECT_EQ (f.broadcasts(), 0);
}

TEST (MultiEditBuffer, InstrumentThreadWritesWhileTheMessageThreadReads)
{
    MultiEditBuffer multi;
    multi.loadRecord (twoZones().block());
    const auto one = zoneOne (1).block(), two = zoneTwo (1).block();

    std::atomic<bool> done { false };
    std::thread midi ([&] {
        for (int k = 0; k < 2000; ++k)
        {
            multi.multiBlock2 (0, (k & 1) ? one : two);
            multi.multiHeader (juce::MemoryBlock ("Name", 4), filled (45, 2));
        }
        done = true;
    });

    while (! done)
    {
        const int program = multi.multiParameter (43, 0, 93);
        EXPECT_TRUE (program == 321 || program == 1136) << program;
        EXPECT_GT (multi.getZone (0).getData().getSize(), 1000u);
    }
    midi.join();
    multi.dispatchPendingMessages();
}

#include "model/ObjectStore.h"

#include <gtest/gtest.h>

#include <climits>
#include <numeric>
#include <string>

using namespace zd8;

namespace
{
juce::MemoryBlock bytes (const std::string& s)
{
    return { s.data(), s.size() };
}

std::string text (const juce::MemoryBlock& block)
{
    return block.isEmpty() ? std::string() : std::string (static_cast<const char*> (block.getData()), block.getSize());
}

// A program bank written out by hand, byte by byte as the layout gives it:
//   ID 1  40 bytes, "Grand Piano", category 1 (PIANO) at byte 30
//   ID 2  empty slot (tags back to back)
//   ID 3  31 bytes, name holding 0xA0 and 0x00, category 6 (PAD)
//   ID 4  32 bytes, category 0
//   ID 5  30 bytes; indexed with highest ID 4 it is the slot past the last
const std::string grandPiano = std::string ("Grand Piano         ZD7") + std::string (7, '\0') + "\x01\x02" + "abcdefgh";
const std::string softPad = std::string ("Soft\xA0Pad") + '\0' + std::string (11, ' ') + "ZD7" + std::string (7, '\0') + "\x06";
const std::string initProgram = std::string ("Init Program        ZD7") + std::string (7, '\0') + '\0' + "\x03";
const std::string beyond = std::string ("Past The End        ZD7") + std::string (7, '\0');

const std::string handBank = std::string ("Prog*Bank>")
                             + "Prog*Dat*>0001Prog_Dat*>" + grandPiano + "<Prog_Dat*<Prog*Dat*0001"
                             + "Prog*Dat*>0002Prog_Dat*><Prog_Dat*<Prog*Dat*0002"
                             + "Prog*Dat*>0003Prog_Dat*>" + softPad + "<Prog_Dat*<Prog*Dat*0003"
                             + "Prog*Dat*>0004Prog_Dat*>" + initProgram + "<Prog_Dat*<Prog*Dat*0004"
                             + "Prog*Dat*>0005Prog_Dat*>" + beyond + "<Prog_Dat*<Prog*Dat*0005"
                             + "<Prog*Bank";

struct HandStore : public ObjectStore
{
    HandStore() { buildIndex (typeProgram, bytes (handBank), 4); }
};

/** Every ID's offset and length, to compare a store edited in place with the same
    bytes indexed afresh. */
std::vector<std::pair<int, int>> layoutOf (const ObjectStore& store)
{
    std::vector<std::pair<int, int>> layout;
    for (int id = 0; id <= store.getSlotCount() + 1; ++id)
        layout.emplace_back (store.recordOffset (id), store.recordLength (id));
    return layout;
}

void expectSameAsReindexed (const ObjectStore& store)
{
    ObjectStore fresh;
    fresh.buildIndex (store.getTypeCode(), store.getBlock(), store.getSlotCount() - 1);
    EXPECT_EQ (layoutOf (store), layoutOf (fresh));
}

std::string keymap (const char* digits, const std::string& content)
{
    return std::string ("KeyM*Dat*>") + digits + content + "<KeyM*Dat*" + digits;
}

const std::string thirty (30, 'K');
} // namespace

TEST (ObjectStore, RecordsWrittenIntoAnEmptyBankGiveTheHandBuiltBank)
{
    // The bank the store writes and the one written out by hand above are the same
    // bytes: the hand-built fixture has the layout the store gives.
    ObjectStore store;
    store.buildIndex (ObjectStore::typeProgram, ObjectStore::emptyBank (ObjectStore::typeProgram, 5), 5);
    store.replaceRecord (1, bytes (grandPiano));
    store.replaceRecord (3, bytes (softPad));
    store.replaceRecord (4, bytes (initProgram));
    store.replaceRecord (5, bytes (beyond));
    EXPECT_EQ (text (store.getBlock()), handBank);
}

TEST (ObjectStore, CategoryBytesFrom128ShowTheirValue)
{
    // A main category byte past the named ones shows as its number, the byte's own
    // value (0..255), never as a negative one.
    ObjectStore store;
    store.buildIndex (ObjectStore::typeProgram, ObjectStore::emptyBank (ObjectStore::typeProgram, 5), 5);
    const struct
    {
        char byte;
        std::string shown;
    } cases[] = { { '\x01', "PIANO" }, { '\x7f', "127" }, { '\x80', "128" }, { '\xc8', "200" }, { '\xff', "255" } };
    for (const auto& c : cases)
    {
        SCOPED_TRACE (c.shown);
        auto record = grandPiano;
        record[30] = c.byte;
        store.replaceRecord (1, bytes (record));
        EXPECT_EQ (store.categoryName (1).toStdString(), c.shown);
    }
}

TEST (ObjectStore, RecordQueriesOnTheHandBuiltBank)
{
    const HandStore store;
    EXPECT_EQ (store.getSlotCount(), 5);
    EXPECT_EQ (store.getIndexedSize(), 393);
    EXPECT_EQ (store.getCategoryOffset(), 30);
    EXPECT_EQ (store.getSubCategoryOffset(), 31);

    struct Case
    {
        int id, length, offset;
        std::string name, category;
        std::string record;
    };
    const Case cases[] = {
        { -1, 0, -1, "", "", "" },
        { 0, 0, -1, "", "", "" },
        { 1, 40, 34, "Grand Piano         ", "PIANO", grandPiano },
        { 2, 0, -1, "", "", "" },                                 // empty slot
        { 3, 31, 170, "SoftPad           ", "PAD", softPad },    // 0xA0 and 0x00 left out
        { 4, 32, 249, "Init Program        ", "-----------", initProgram },
        { 5, 0, -1, "", "", "" },                                 // past the highest ID
        { 6, 0, -1, "", "", "" },
        { INT_MAX, 0, -1, "", "", "" },
    };

    for (const auto& c : cases)
    {
        SCOPED_TRACE (c.id);
        EXPECT_EQ (store.recordLength (c.id), c.length);
        EXPECT_EQ (store.recordOffset (c.id), c.offset);
        EXPECT_EQ (store.recordName (c.id).toStdString(), c.name);
        EXPECT_EQ (store.categoryName (c.id).toStdString(), c.category);
        EXPECT_EQ (text (store.readRecord (c.id)), c.record);
        EXPECT_EQ (store.isPresent (c.id), c.length > ObjectStore::nameLength);
    }
}

TEST (ObjectStore, ListModesOnTheHandBuiltBank)
{
    const HandStore store;

    struct Case
    {
        int mode, argument;
        std::vector<int> ids;
    };
    const Case cases[] = {
        { ObjectStore::listEvery, 0, { 1, 2, 3, 4, 5 } },
        { ObjectStore::listEvery, 77, { 1, 2, 3, 4, 5 } },
        { ObjectStore::listRange, ObjectStore::rangeFactory, { 1, 3, 4 } },
        { ObjectStore::listRange, ObjectStore::rangeUser, {} },
        { ObjectStore::listRange, ObjectStore::rangeUserSlots, {} },
        { ObjectStore::listRange, 2, {} },
        { ObjectStore::listCategory, 1, { 1 } },
        { ObjectStore::listCategory, 6, { 3 } },
        { ObjectStore::listCategory, 0, { 0, 2, 4 } }, // empty slots read as category 0
        { ObjectStore::listCategory, 5, {} },          // ID 5 lies past the searched range
        { ObjectStore::listPresent, 0, { 1, 3, 4 } },
        { 3, 0, {} },
        { -1, 0, {} },
        { 5, 0, {} },
    };

    for (const auto& c : cases)
    {
        SCOPED_TRACE (testing::Message() << "mode " << c.mode << " argument " << c.argument);
        EXPECT_EQ (store.listIds (c.mode, c.argument), c.ids);
    }
}

TEST (ObjectStore, ByteReadsStayInsideTheBlock)
{
    const HandStore store;
    const int blockSize = (int) store.getBlock().getSize();

    EXPECT_EQ (store.byteAt (1, 30), 1);
    EXPECT_EQ (store.byteAt (1, 31), 2);
    EXPECT_EQ (store.byteAt (3, 4), 0xA0);
    EXPECT_EQ (text (store.readBytes (1, 20, 3)), "ZD7");
    EXPECT_EQ (text (store.readBytes (1, 32, 8)), "abcdefgh");

    struct Case
    {
        const char* what;
        int id, position, length;
    };
    const Case outside[] = {
        { "negative position", 1, -1, 4 },
        { "zero length", 1, 0, 0 },
        { "negative length", 1, 0, -4 },
        { "past the block", 4, blockSize - 249 - 2, 4 },
        { "huge position and length", 1, INT_MAX, INT_MAX },
        { "slot past the highest ID", 5, 0, 4 },
        { "ID outside the index", 9, 0, 4 },
        { "negative ID", -3, 0, 4 },
    };
    for (const auto& c : outside)
    {
        SCOPED_TRACE (c.what);
        EXPECT_TRUE (store.readBytes (c.id, c.position, c.length).isEmpty());
    }

    struct At
    {
        int id, position;
    };
    for (const auto& c : { At { 1, -1 }, At { 1, INT_MAX }, At { 4, blockSize - 249 }, At { 5, 0 }, At { 9, 0 }, At { -3, 0 } })
    {
        SCOPED_TRACE (testing::Message() << "ID " << c.id << " position " << c.position);
        EXPECT_EQ (store.byteAt (c.id, c.position), 0);
    }

    // An empty slot spans 48 bytes of tags: enough for readBytes (which then reads the
    // tags that follow), not for byteAt.
    EXPECT_EQ (text (store.readBytes (2, 0, 5)), "<Prog");
    EXPECT_EQ (store.byteAt (2, 0), 0);
    EXPECT_EQ (store.byteAt (4, blockSize - 249 - 1), 'k'); // the last byte of the bank tag
}

TEST (ObjectStore, DamagedTagsLeaveOnlyTheAffectedIdsWithoutRecords)
{
    const auto k1 = keymap ("0001", thirty), k2 = keymap ("0002", thirty), k3 = keymap ("0003", thirty), k4 = keymap ("0004", thirty);

    struct Case
    {
        const char* what;
        std::string block;
        std::vector<int> lengths; // IDs 1..3, indexed with highest ID 3
    };
    const Case cases[] = {
        { "intact", k1 + k2 + k3 + k4, { 30, 30, 30 } },
        { "garbage before and after", "xx<KeyM*Dat*>" + k1 + k2 + k3 + k4 + "KeyM*Dat*>", { 30, 30, 30 } },
        { "tag of ID 2 missing: ID 1 has no end", k1 + k3 + k4, { 0, 0, 30 } },
        { "ID 2 before ID 1: not found after it", k2 + k1 + k3 + k4, { 0, 0, 30 } },
        { "non-digit in the ID", k1 + k2 + keymap ("00x3", thirty) + k4, { 30, 0, 0 } },
        { "open tag cut at the end of the block", k1 + k2 + k3 + "KeyM*Dat*>00", { 30, 30, 0 } },
        { "ID 1 twice: the first one counts", k1 + k1 + k2 + k3 + k4, { 30 + 28 + 30, 30, 30 } },
        { "no tags at all", std::string (500, 'K'), { 0, 0, 0 } },
        { "empty block", "", { 0, 0, 0 } },
        { "wrong stem", "Prog*Dat*>0001" + thirty + k2 + k3 + k4, { 0, 30, 30 } },
    };

    for (const auto& c : cases)
    {
        SCOPED_TRACE (c.what);
        ObjectStore store;
        store.buildIndex (ObjectStore::typeKeymap, bytes (c.block), 3);
        for (int id = 1; id <= 3; ++id)
            EXPECT_EQ (store.recordLength (id), c.lengths[(size_t) id - 1]) << "ID " << id;
        EXPECT_EQ (store.recordLength (4), 0);
    }
}

TEST (ObjectStore, ReplacingShiftsEveryLaterRecordAndKeepsItsName)
{
    const std::string name = "Longer Grand        ";
    const std::string data (60, '\x11');

    struct Case
    {
        const char* what;
        int id;
        std::string prefix, data;
        int newLength;
    };
    const Case cases[] = {
        { "longer, with a name prefix", 1, name, data, 80 },
        { "shorter", 1, "", std::string (22, 'a'), 22 },
        { "same length", 3, "", std::string (31, 'b'), 31 },
        { "into an empty slot", 2, name, "xyz", 23 },
        { "to nothing", 4, "", "", 0 },
    };

    for (const auto& c : cases)
    {
        SCOPED_TRACE (c.what);
        HandStore store;
        const auto before = layoutOf (store);

        store.replaceRecord (c.id, c.data.data(), c.data.size(), c.prefix.data(), c.prefix.size());

        EXPECT_EQ (store.recordLength (c.id), c.newLength);
        EXPECT_EQ (text (store.readBytes (c.id, 0, c.newLength)), c.prefix + c.data);
        EXPECT_EQ ((int) store.getBlock().getSize(), 393 + c.newLength - before[(size_t) c.id].second);
        const HandStore original;
        for (int id = 1; id <= 4; ++id)
        {
            if (id != c.id)
            {
                EXPECT_EQ (store.recordName (id), original.recordName (id)) << "ID " << id;
            }
        }
        EXPECT_EQ (text (store.readRecord (4 == c.id ? 1 : 4)), 4 == c.id ? grandPiano : initProgram);
        expectSameAsReindexed (store);
    }
}

TEST (ObjectStore, ReplaceAndRemoveWithoutASlotChangeNothing)
{
    // ID 2's tags are missing.
    const auto damaged = keymap ("0001", thirty) + keymap ("0003", thirty) + keymap ("0004", thirty);
    ObjectStore store;
    store.buildIndex (ObjectStore::typeKeymap, bytes (damaged), 3);

    const std::string data (40, 'z');
    for (int id : { -1, 0, 2, 4000, INT_MAX })
    {
        SCOPED_TRACE (id);
        store.replaceRecord (id, data.data(), data.size());
        store.removeRecord (id);
        EXPECT_EQ (text (store.getBlock()), damaged);
    }

    // Data pointer missing for a non-empty size: refused.
    store.replaceRecord (3, nullptr, 10);
    EXPECT_EQ (text (store.getBlock()), damaged);
}

TEST (ObjectStore, RemovingEmptiesTheSlotAndShiftsLaterRecords)
{
    HandStore store;
    store.removeRecord (1);

    EXPECT_EQ (store.recordLength (1), 0);
    EXPECT_EQ (store.recordOffset (1), -1);
    EXPECT_EQ (store.recordOffset (3), 170 - 40);
    EXPECT_EQ (store.recordName (3).toStdString(), "SoftPad           ");
    EXPECT_EQ (store.listIds (ObjectStore::listPresent, 0), (std::vector<int> { 3, 4 }));
    expectSameAsReindexed (store);

    const auto block = text (store.getBlock());
    store.removeRecord (1); // already empty
    store.removeRecord (2);
    EXPECT_EQ (text (store.getBlock()), block);
}

TEST (ObjectStore, EmptyBankHasTheTagsOfEveryType)
{
    struct Case
    {
        int type;
        std::string oneSlot;
    };
    const Case cases[] = {
        { 138, "Prog*Bank>Prog*Dat*>0001Prog_Dat*><Prog_Dat*<Prog*Dat*0001<Prog*Bank" },
        { 155, "Set**Bank>Set**Dat*>0001Set*-Dat*><Set*-Dat*<Set**Dat*0001<Set**Bank" },
        { 156, "FX***Bank>FX***Data>0001FX*-*Data><FX*-*Data<FX***Data0001<FX***Bank" },
        { 103, "IntT*Dat*>0001<IntT*Dat*0001" },
        { 112, "Song*Dat*>0001<Song*Dat*0001" },
        { 133, "KeyM*Dat*>0001<KeyM*Dat*0001" },
        { 149, "Alg**Data>0001<Alg**Data0001" },
        { 158, "Samp*Dat*>0001<Samp*Dat*0001" },
        { 163, "PatS*Dat*>0001<PatS*Dat*0001" },
        { 164, "PatV*Dat*>0001<PatV*Dat*0001" },
        { 168, "Arp *Dat*>0001<Arp *Dat*0001" },
        { 151, "" },
        { 0, "" },
    };

    for (const auto& c : cases)
    {
        SCOPED_TRACE (c.type);
        EXPECT_EQ (text (ObjectStore::emptyBank (c.type, 1)), c.oneSlot);

        const auto* tags = ObjectStore::tagsFor (c.type);
        ASSERT_EQ (tags != nullptr, ! c.oneSlot.empty());
        if (tags != nullptr)
        {
            const bool longForm = c.type == 138 || c.type == 155 || c.type == 156;
            EXPECT_EQ (tags->nameSkip, longForm ? 24 : 14);
            EXPECT_EQ (tags->tagOverhead, longForm ? 48 : 28);
            EXPECT_EQ ((int) c.oneSlot.size() - (longForm ? 20 : 0), tags->tagOverhead);
        }
    }

    EXPECT_EQ (text (ObjectStore::emptyBank (133, 10)).substr (9 * 28), "KeyM*Dat*>0010<KeyM*Dat*0010");
    EXPECT_EQ (ObjectStore::emptyBank (138, 8192).getSize(), 8192u * 48u + 20u);
}

TEST (ObjectStore, UserRangeAndTheSlotPastTheHighestId)
{
    // 8192 slots indexed with highest ID 8191, as the program and multi stores are.
    ObjectStore store;
    store.buildIndex (ObjectStore::typeProgram, ObjectStore::emptyBank (ObjectStore::typeProgram, 8192), 8191);
    EXPECT_EQ (store.getSlotCount(), 8192);
    EXPECT_TRUE (store.listIds (ObjectStore::listPresent, 0).empty());
    EXPECT_EQ (store.listIds (ObjectStore::listCategory, 0).size(), 8192u); // IDs 0..8191

    store.replaceRecord (4100, bytes (grandPiano));
    store.replaceRecord (2, bytes (softPad));
    store.replaceRecord (8192, bytes (initProgram)); // has a slot, but nothing past it

    EXPECT_EQ (store.listIds (ObjectStore::listRange, ObjectStore::rangeUser), (std::vector<int> { 4100 }));
    EXPECT_EQ (store.listIds (ObjectStore::listRange, ObjectStore::rangeFactory), (std::vector<int> { 2 }));
    EXPECT_EQ (store.listIds (ObjectStore::listPresent, 0), (std::vector<int> { 2, 4100 }));
    EXPECT_EQ (store.listIds (ObjectStore::listCategory, 1), (std::vector<int> { 4100 }));

    const auto userSlots = store.listIds (ObjectStore::listRange, ObjectStore::rangeUserSlots);
    ASSERT_EQ (userSlots.size(), 8192u - 4096u + 1u);
    EXPECT_EQ (userSlots.front(), 4096);
    EXPECT_EQ (userSlots.back(), 8192);
    EXPECT_EQ (store.listIds (ObjectStore::listEvery, 0).size(), 8192u);

    EXPECT_EQ (store.recordLength (8192), 0);
    EXPECT_TRUE (store.readRecord (8192).isEmpty());
    EXPECT_EQ (store.recordName (4100).toStdString(), "Grand Piano         ");

    // The FX chain stores' highest ID 8192 on the same 8192-slot block: the slot count
    // is 8193 and ID 8192 still has no end, whatever it holds.
    ObjectStore chains;
    chains.buildIndex (ObjectStore::typeProgram, store.getBlock(), 8192);
    EXPECT_EQ (chains.getSlotCount(), 8193);
    EXPECT_EQ (chains.recordLength (8192), 0);
    EXPECT_EQ (chains.recordLength (4100), 40);
}

TEST (ObjectStore, TypesWithoutTagsAndOutOfRangeHighestIds)
{
    ObjectStore preset;
    preset.buildIndex (ObjectStore::typeFxPreset, bytes (handBank), 4);
    EXPECT_EQ (preset.getTypeCode(), ObjectStore::typeFxPreset);
    EXPECT_EQ (preset.getSlotCount(), 5);
    EXPECT_TRUE (preset.getBlock().isEmpty());
    EXPECT_TRUE (preset.listIds (ObjectStore::listPresent, 0).empty());
    EXPECT_EQ (preset.recordLength (1), 0);

    ObjectStore unknown;
    unknown.buildIndex (77, bytes (handBank), 4);
    EXPECT_TRUE (unknown.listIds (ObjectStore::listPresent, 0).empty());

    // The program stem in a multi store finds nothing; the category text belongs to
    // programs only.
    ObjectStore multis;
    multis.buildIndex (ObjectStore::typeMulti, bytes (handBank), 4);
    EXPECT_TRUE (multis.listIds (ObjectStore::listPresent, 0).empty());
    EXPECT_EQ (multis.categoryName (1), juce::String());

    ObjectStore none;
    none.buildIndex (ObjectStore::typeProgram, bytes (handBank), -7);
    EXPECT_EQ (none.getSlotCount(), 0);
    EXPECT_TRUE (none.listIds (ObjectStore::listEvery, 0).empty());
    EXPECT_EQ (none.recordLength (1), 0);

    ObjectStore huge;
    huge.buildIndex (ObjectStore::typeProgram, bytes (handBank), INT_MAX);
    EXPECT_EQ (huge.getSlotCount(), ObjectStore::maxHighestId + 1);
    EXPECT_EQ (huge.recordLength (4), 32);
}

TEST (ObjectStore, ReindexingReplacesEverything)
{
    HandStore store;
    store.buildIndex (ObjectStore::typeKeymap, bytes (keymap ("0001", thirty) + keymap ("0002", "")), 1);
    EXPECT_EQ (store.getTypeCode(), ObjectStore::typeKeymap);
    EXPECT_EQ (store.getSlotCount(), 2);
    EXPECT_EQ (store.recordLength (1), 30);
    EXPECT_EQ (store.recordLength (3), 0);
    EXPECT_EQ (store.getCategoryOffset(), 50);
}

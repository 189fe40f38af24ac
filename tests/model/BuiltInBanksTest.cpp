#include "model/BuiltInBanks.h"

#include <gtest/gtest.h>

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

const std::string pianoContent = std::string ("Upright Felt        ZD7") + std::string (7, '\0') + "\x01\x01" + std::string (20, '\x10');

/** A small built-in program bank standing in for the generated one: slots 1..3, a
    program at 2. */
juce::MemoryBlock fixtureBuiltIn()
{
    return bytes (std::string ("Prog*Bank>")
                  + "Prog*Dat*>0001Prog_Dat*><Prog_Dat*<Prog*Dat*0001"
                  + "Prog*Dat*>0002Prog_Dat*>" + pianoContent + "<Prog_Dat*<Prog*Dat*0002"
                  + "Prog*Dat*>0003Prog_Dat*><Prog_Dat*<Prog*Dat*0003"
                  + "<Prog*Bank");
}

struct FactoryBanks : public ::testing::Test
{
    juce::TemporaryFile folderName;
    juce::File folder = folderName.getFile();

    void SetUp() override { ASSERT_TRUE (folder.createDirectory().wasOk()); }
    void TearDown() override { folder.deleteRecursively(); }

    juce::File programFile() const { return folder.getChildFile ("B_ProgramData.dat"); }
};
} // namespace

TEST_F (FactoryBanks, DataFilesAndHighestIdsPerType)
{
    struct Case
    {
        int type;
        const char* file;
        int highestId;
    };
    const Case cases[] = {
        { ObjectStore::typeProgram, "B_ProgramData.dat", 8191 },
        { ObjectStore::typeMulti, "B_SetupData.dat", 8191 },
        { ObjectStore::typeFxChain, "B_FX_Chain_Data.dat", 8192 },
        { ObjectStore::typeKeymap, "", 0 },
        { ObjectStore::typeFxPreset, "", 0 },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE (c.type);
        const auto file = BuiltInBanks::dataFile (c.type, folder);
        EXPECT_EQ (file.getFileName().toStdString(), c.file);
        if (file != juce::File())
        {
            EXPECT_EQ (file.getParentDirectory(), folder);
        }
        EXPECT_EQ (BuiltInBanks::highestId (c.type), c.highestId);
    }

    const auto appData = juce::File::getSpecialLocation (juce::File::userApplicationDataDirectory);
    EXPECT_EQ (BuiltInBanks::dataFolder(), appData.getChildFile ("Vantor ZD8"));
}

TEST_F (FactoryBanks, WhichBytesALoadIndexes)
{
    const std::string onlyBankTags = "Prog*Bank><Prog*Bank";
    const std::string fileBank = std::string ("Prog*Bank>")
                                 + "Prog*Dat*>0001Prog_Dat*>" + pianoContent + "<Prog_Dat*<Prog*Dat*0001"
                                 + "Prog*Dat*>0002Prog_Dat*><Prog_Dat*<Prog*Dat*0002<Prog*Bank";

    struct Case
    {
        const char* what;
        bool writeFile;
        std::string file;
        std::vector<int> present;
        bool fromBuiltIn;
        bool setAside = false;   // the file is not a whole bank: kept under another name
    };
    const Case cases[] = {
        { "no file: the built-in bank", false, "", { 2 }, true },
        { "0-byte file counts as missing", true, "", { 2 }, true },
        { "a folder in the file's place counts as missing", false, "dir", { 2 }, true },
        { "a file wins over the built-in bank", true, fileBank, { 1 }, false },
        { "a file with only the bank tags is set aside: the built-in bank", true, onlyBankTags, { 2 }, true, true },
        { "garbage is set aside: the built-in bank", true, std::string (300, '\xEE'), { 2 }, true, true },
    };

    for (const auto& c : cases)
    {
        SCOPED_TRACE (c.what);
        programFile().deleteRecursively();
        if (c.writeFile)
        {
            ASSERT_TRUE (programFile().create().wasOk());
            ASSERT_TRUE (programFile().replaceWithData (c.file.data(), c.file.size()));
            ASSERT_EQ (programFile().getSize(), (juce::int64) c.file.size());
        }
        else if (c.file == "dir")
        {
            ASSERT_TRUE (programFile().createDirectory().wasOk());
        }

        ObjectStore store;
        juce::File setAside;
        BuiltInBanks::loadBank (store, ObjectStore::typeProgram, folder, fixtureBuiltIn(), &setAside);

        EXPECT_EQ (store.getTypeCode(), ObjectStore::typeProgram);
        EXPECT_EQ (store.getSlotCount(), 8192);
        EXPECT_EQ (store.listIds (ObjectStore::listPresent, 0), c.present);
        EXPECT_EQ (text (store.getBlock()), c.fromBuiltIn ? text (fixtureBuiltIn()) : c.file);
        EXPECT_EQ (setAside != juce::File(), c.setAside);
        if (c.setAside)
        {
            EXPECT_FALSE (programFile().exists());
            juce::MemoryBlock kept;
            EXPECT_TRUE (setAside.loadFileAsData (kept));
            EXPECT_EQ (text (kept), c.file);
            setAside.deleteFile();
        }
    }
}

TEST_F (FactoryBanks, OtherTypesAreNeitherLoadedNorSaved)
{
    ObjectStore store;
    store.buildIndex (ObjectStore::typeKeymap, ObjectStore::emptyBank (ObjectStore::typeKeymap, 3), 2);
    const auto before = text (store.getBlock());

    BuiltInBanks::loadBank (store, ObjectStore::typeKeymap, folder, fixtureBuiltIn());
    EXPECT_EQ (text (store.getBlock()), before);
    EXPECT_EQ (store.getTypeCode(), ObjectStore::typeKeymap);

    EXPECT_FALSE (BuiltInBanks::saveBank (store, folder));
    EXPECT_EQ (folder.getNumberOfChildFiles (juce::File::findFilesAndDirectories), 0);
}

TEST_F (FactoryBanks, AProgramStoredInTheUserRangeSurvivesSaveAndReload)
{
    // The full 8192-slot layout, as the built-in bank has it.
    const auto builtIn = ObjectStore::emptyBank (ObjectStore::typeProgram, ObjectStore::bankSlots);

    ObjectStore first;
    BuiltInBanks::loadBank (first, ObjectStore::typeProgram, folder, builtIn);
    EXPECT_TRUE (first.listIds (ObjectStore::listRange, ObjectStore::rangeUser).empty());

    first.replaceRecord (4100, bytes (pianoContent));
    ASSERT_TRUE (BuiltInBanks::saveBank (first, folder));
    EXPECT_EQ (programFile().getSize(), (juce::int64) first.getBlock().getSize());

    ObjectStore second;
    BuiltInBanks::loadBank (second, ObjectStore::typeProgram, folder, builtIn);
    EXPECT_EQ (second.listIds (ObjectStore::listRange, ObjectStore::rangeUser), (std::vector<int> { 4100 }));
    EXPECT_EQ (second.recordName (4100).toStdString(), "Upright Felt        ");
    EXPECT_EQ (second.categoryName (4100).toStdString(), "PIANO");
    EXPECT_EQ (text (second.readRecord (4100)), pianoContent);

    // Saving again replaces the file whole.
    second.removeRecord (4100);
    ASSERT_TRUE (BuiltInBanks::saveBank (second, folder));
    ObjectStore third;
    BuiltInBanks::loadBank (third, ObjectStore::typeProgram, folder, builtIn);
    EXPECT_TRUE (third.listIds (ObjectStore::listPresent, 0).empty());
    EXPECT_EQ (text (third.getBlock()), text (builtIn));
}

TEST_F (FactoryBanks, FirstStartFillsTheStoresFromTheBuiltInBanks)
{
    struct Case
    {
        int type;
        int slotCount;
        size_t present;
        std::vector<int> someIds;
    };
    const Case cases[] = {
        { ObjectStore::typeProgram, 8192, 1141, { 1, 1136, 2043, 2047 } },
        { ObjectStore::typeMulti, 8192, 54, { 1, 50, 2044, 2047 } },
        { ObjectStore::typeFxChain, 8193, 2719, { 1, 82, 1003, 2651, 4001, 4085 } },
    };

    for (const auto& c : cases)
    {
        SCOPED_TRACE (c.type);
        ObjectStore store;
        BuiltInBanks::loadBank (store, c.type, folder); // the folder holds no data files

        EXPECT_EQ (store.getSlotCount(), c.slotCount);
        EXPECT_EQ (store.listIds (ObjectStore::listPresent, 0).size(), c.present);
        EXPECT_TRUE (store.listIds (ObjectStore::listRange, ObjectStore::rangeUser).empty());
        for (int id : c.someIds)
            EXPECT_TRUE (store.isPresent (id)) << "ID " << id;

        // Every slot 1..8192 is tagged (a slot whose own or next tag is missing reads
        // nothing), and ID 8192 never reports content: for FX chains it is the highest
        // ID itself, for the others the slot past it.
        for (int id = 1; id <= 8191; ++id)
            ASSERT_FALSE (store.readBytes (id, 0, 1).isEmpty()) << "ID " << id;
        EXPECT_EQ (store.recordLength (8192), 0);
        EXPECT_EQ (store.listIds (ObjectStore::listRange, ObjectStore::rangeUserSlots).size(), (size_t) c.slotCount - 4095);
    }

    ObjectStore programs;
    BuiltInBanks::loadBank (programs, ObjectStore::typeProgram, folder);
    EXPECT_EQ (programs.listIds (ObjectStore::listRange, ObjectStore::rangeFactory), programs.listIds (ObjectStore::listPresent, 0));
    EXPECT_EQ (programs.recordName (2043).trimEnd(), "FM Template");
    EXPECT_EQ (programs.recordName (2045).toStdString(), "Silent  Program     ");
    EXPECT_EQ (programs.recordName (2047).trimEnd(), "Clear Program");
    EXPECT_EQ (programs.readBytes (1, 20, 3).toString(), "ZD7");

    ObjectStore multis;
    BuiltInBanks::loadBank (multis, ObjectStore::typeMulti, folder);
    EXPECT_EQ (multis.recordName (2044).trimEnd(), "Split Default");
    EXPECT_EQ (multis.recordName (2047).trimEnd(), "Clear Multi");
}

TEST_F (FactoryBanks, GeneratedRecordsLieWithinTheirTagsAndHaveNamesAndCategories)
{
    for (int type : { ObjectStore::typeProgram, ObjectStore::typeMulti, ObjectStore::typeFxChain })
    {
        SCOPED_TRACE (type);
        ObjectStore store;
        BuiltInBanks::loadBank (store, type, folder);
        const auto* tags = ObjectStore::tagsFor (type);
        const auto* block = static_cast<const char*> (store.getBlock().getData());

        for (int id : store.listIds (ObjectStore::listPresent, 0))
        {
            // The inner tags frame exactly the content the index reports.
            const auto offset = (size_t) store.recordOffset (id);
            const auto length = (size_t) store.recordLength (id);
            ASSERT_EQ (std::string (block + offset - 10, 10), tags->innerOpen) << "ID " << id;
            ASSERT_EQ (std::string (block + offset + length, 10), tags->innerClose) << "ID " << id;
            ASSERT_FALSE (store.recordName (id).trim().isEmpty()) << "ID " << id;
            if (type == ObjectStore::typeProgram)
            {
                // A main category from the table (0..14), never shown as a bare number.
                ASSERT_LE (store.byteAt (id, store.getCategoryOffset()), 14) << "ID " << id;
                ASSERT_FALSE (store.categoryName (id).containsOnly ("0123456789")) << "ID " << id;
            }
        }
    }
}

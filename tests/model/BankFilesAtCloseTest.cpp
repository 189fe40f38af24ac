// Which data files the image writes at close: only the banks that changed since they
// were read from their files, and the ones that came from the built-in banks (so that
// the files appear). An unchanged bank must not overwrite what another instance of the
// same user saved in the meantime.

#include "model/BuiltInBanks.h"
#include "model/InstrumentImage.h"

#include "BankFolder.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

using namespace zd8;

namespace
{
juce::MemoryBlock bytes (const std::string& s)
{
    return { s.data(), s.size() };
}

const std::string pianoContent = std::string ("Upright Felt        ZD7") + std::string (7, '\0') + "\x01\x01" + std::string (20, '\x10');

constexpr int bankTypes[] = { ObjectStore::typeProgram, ObjectStore::typeMulti, ObjectStore::typeFxChain };

struct BankFiles : public zd8test::BankFolder
{
    /** Small banks (slots 1..4200, nothing present) written as the three files. */
    void writeSmallBanks()
    {
        for (int type : bankTypes)
            ASSERT_TRUE (fileOf (type).replaceWithData (ObjectStore::emptyBank (type, 4200).getData(),
                                                         ObjectStore::emptyBank (type, 4200).getSize()));
    }
};
} // namespace

TEST_F (BankFiles, ExistingFilesAreLoadedMissingOrEmptyOnesGiveTheBuiltInBankAndAreWrittenAtClose)
{
    // Programs from a file, multis from a 0-byte file, FX chains without a file.
    const auto programFile = ObjectStore::emptyBank (ObjectStore::typeProgram, 4200);
    ASSERT_TRUE (fileOf (ObjectStore::typeProgram).replaceWithData (programFile.getData(), programFile.getSize()));
    ASSERT_TRUE (fileOf (ObjectStore::typeMulti).create().wasOk());

    InstrumentImage image;
    image.loadBanks (folder);
    EXPECT_EQ (image.getPrograms().getBlock(), programFile);
    EXPECT_EQ (image.getMultis().getBlock(), BuiltInBanks::builtInBank (ObjectStore::typeMulti));
    EXPECT_EQ (image.getFxChains().getBlock(), BuiltInBanks::builtInBank (ObjectStore::typeFxChain));

    // The loaded program file, replaced behind the image's back, survives; the two
    // stores that came from the built-in banks are written.
    const auto otherInstance = bytes ("Prog*Bank><Prog*Bank");
    ASSERT_TRUE (fileOf (ObjectStore::typeProgram).replaceWithData (otherInstance.getData(), otherInstance.getSize()));

    image.saveBanks (folder);
    EXPECT_EQ (contentOf (ObjectStore::typeProgram), otherInstance);
    EXPECT_EQ (contentOf (ObjectStore::typeMulti), BuiltInBanks::builtInBank (ObjectStore::typeMulti));
    EXPECT_EQ (contentOf (ObjectStore::typeFxChain), BuiltInBanks::builtInBank (ObjectStore::typeFxChain));
}

TEST_F (BankFiles, OnlyEditedStoresAreWrittenAndAFileThatWentIsWrittenAgain)
{
    struct Case
    {
        const char* what;
        std::function<void (InstrumentImage&)> act;
        std::vector<bool> written; // programs, multis, FX chains
    };
    const std::vector<Case> cases {
        { "nothing changed", [] (InstrumentImage&) {}, { false, false, false } },
        { "a program received", [] (InstrumentImage& i) { i.getPrograms().replaceRecord (4100, bytes (pianoContent)); }, { true, false, false } },
        { "a multi put back unchanged still counts as edited",
          [] (InstrumentImage& i) { i.getMultis().replaceRecord (1, i.getMultis().readRecord (1)); }, { false, true, false } },
        { "an FX chain received", [] (InstrumentImage& i) { i.getFxChains().replaceRecord (7, bytes (pianoContent)); }, { false, false, true } },
        { "a replace without a slot changes nothing", [] (InstrumentImage& i) { i.getPrograms().replaceRecord (9000, bytes (pianoContent)); }, { false, false, false } },
        { "a removal of an empty slot changes nothing", [] (InstrumentImage& i) { i.getMultis().removeRecord (3); }, { false, false, false } },
        { "a deleted file is written again", [this] (InstrumentImage&) { fileOf (ObjectStore::typeFxChain).deleteFile(); }, { false, false, true } },
    };

    const auto marker = bytes ("written by another instance");
    for (const auto& c : cases)
    {
        SCOPED_TRACE (c.what);
        writeSmallBanks();

        InstrumentImage image;
        image.loadBanks (folder);
        for (int type : bankTypes)
            ASSERT_TRUE (fileOf (type).replaceWithData (marker.getData(), marker.getSize()));

        c.act (image);
        image.saveBanks (folder);

        for (size_t i = 0; i < 3; ++i)
        {
            SCOPED_TRACE (bankTypes[i]);
            const auto& store = *image.storeFor (bankTypes[i]);
            EXPECT_EQ (contentOf (bankTypes[i]), c.written[i] ? store.getBlock() : marker);
        }

        // Once written, a file matches its store: a second close writes nothing.
        const auto later = bytes ("written later by another instance");
        for (int type : bankTypes)
            ASSERT_TRUE (fileOf (type).replaceWithData (later.getData(), later.getSize()));
        image.saveBanks (folder);
        for (int type : bankTypes)
            EXPECT_EQ (contentOf (type), later) << type;
    }
}

TEST_F (BankFiles, SavingIntoAnotherFolderAlwaysWrites)
{
    writeSmallBanks();
    InstrumentImage image;
    image.loadBanks (folder);

    const auto other = folder.getChildFile ("other");
    image.saveBanks (other);
    for (int type : bankTypes)
    {
        juce::MemoryBlock written;
        ASSERT_TRUE (BuiltInBanks::dataFile (type, other).loadFileAsData (written));
        EXPECT_EQ (written, image.storeFor (type)->getBlock());
    }
}

TEST (ObjectStoreEditCount, RisesWithEveryChangeAndOnlyThen)
{
    ObjectStore store;
    store.buildIndex (ObjectStore::typeProgram, ObjectStore::emptyBank (ObjectStore::typeProgram, 10), 9);

    struct Case
    {
        const char* what;
        std::function<void()> act;
        bool changes;
    };
    const std::vector<Case> cases {
        { "reads", [&] { store.readRecord (2); store.recordName (2); store.listIds (ObjectStore::listPresent, 0); }, false },
        { "replace", [&] { store.replaceRecord (2, bytes (pianoContent)); }, true },
        { "replace with the same bytes", [&] { store.replaceRecord (2, bytes (pianoContent)); }, true },
        { "replace of an ID without a slot", [&] { store.replaceRecord (50, bytes (pianoContent)); }, false },
        { "remove", [&] { store.removeRecord (2); }, true },
        { "remove of an empty slot", [&] { store.removeRecord (2); }, false },
        { "index", [&] { store.buildIndex (ObjectStore::typeProgram, ObjectStore::emptyBank (ObjectStore::typeProgram, 10), 9); }, true },
        { "empty bank", [&] { store.buildEmptyBank (ObjectStore::typeKeymap); }, true },
    };

    for (const auto& c : cases)
    {
        const auto before = store.getEditCount();
        c.act();
        EXPECT_EQ (store.getEditCount() != before, c.changes) << c.what;
    }
}

TEST (ObjectStoreEmptyBank, TheSharedEmptyBankIsTheOneIndexingWouldBuild)
{
    const int types[] = { ObjectStore::typeKeymap, ObjectStore::typeArpeggiator, ObjectStore::typeIntonationTable,
                          ObjectStore::typeShiftPattern, ObjectStore::typeVelocityPattern, ObjectStore::typeAlgorithm,
                          ObjectStore::typeSample, ObjectStore::typeSong, ObjectStore::typeProgram, ObjectStore::typeFxPreset };
    for (int type : types)
    {
        SCOPED_TRACE (type);
        ObjectStore indexed, shared, again;
        indexed.buildIndex (type, ObjectStore::emptyBank (type, ObjectStore::bankSlots), ObjectStore::bankSlots - 1);
        shared.buildEmptyBank (type);
        again.buildEmptyBank (type);

        for (auto* store : { &shared, &again })
        {
            EXPECT_EQ (store->getBlock(), indexed.getBlock());
            EXPECT_EQ (store->getTypeCode(), type);
            EXPECT_EQ (store->getSlotCount(), indexed.getSlotCount());
            EXPECT_EQ (store->getIndexedSize(), indexed.getIndexedSize());
            EXPECT_EQ (store->getCategoryOffset(), indexed.getCategoryOffset());
            for (int id = 0; id <= ObjectStore::bankSlots + 1; ++id)
                ASSERT_EQ (store->readBytes (id, 0, 1), indexed.readBytes (id, 0, 1)) << "ID " << id;
        }

        // Shared only until written: a change to one store leaves the others empty.
        shared.replaceRecord (5, bytes (pianoContent));
        again.removeRecord (5);
        ObjectStore later;
        later.buildEmptyBank (type);
        EXPECT_EQ (later.getBlock(), indexed.getBlock());
        EXPECT_EQ (again.getBlock(), indexed.getBlock());
        if (type != ObjectStore::typeFxPreset)
        {
            EXPECT_EQ (shared.recordName (5).toStdString(), "Upright Felt        ");
        }
    }
}

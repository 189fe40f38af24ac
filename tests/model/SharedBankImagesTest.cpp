// The instances of one process share one read-only image of each data store as read
// from its file (or the built-in bank): a second open neither reads nor indexes the
// megabytes again, and holds no copy of them. A store copies its image only when it
// first changes it; that change is its own, saved by it alone, and a file saved or
// replaced on disk is what the next open sees.

#include "model/BankImageCache.h"
#include "model/BuiltInBanks.h"
#include "model/InstrumentImage.h"

#include "BankFolder.h"

#include <gtest/gtest.h>

#include <string>

using namespace zd8;

namespace
{
constexpr int bankTypes[] = { ObjectStore::typeProgram, ObjectStore::typeMulti, ObjectStore::typeFxChain };

juce::MemoryBlock content (const std::string& name, char fill)
{
    auto text = (name + std::string (20, ' ')).substr (0, 20) + "ZD7" + std::string (57, fill);
    return { text.data(), text.size() };
}

struct SharedBankImages : public zd8test::BankFolder
{
    /** The built-in bank of each type with record 4100 named name: what a data file
        holds after the instrument sent that object. */
    void writeBanks (const std::string& name, char fill)
    {
        for (int type : bankTypes)
        {
            ObjectStore store;
            store.buildIndex (type, BuiltInBanks::builtInBank (type), BuiltInBanks::highestId (type));
            store.replaceRecord (4100, content (name, fill));
            ASSERT_TRUE (fileOf (type).replaceWithData (store.getBlock().getData(), store.getBlock().getSize()));
        }
    }
};
} // namespace

TEST_F (SharedBankImages, TwoInstancesShareEveryStoreUntilOneChangesIt)
{
    for (const bool fromFiles : { true, false })
    {
        SCOPED_TRACE (fromFiles ? "data files" : "built-in banks");
        folder.deleteRecursively();
        ASSERT_TRUE (folder.createDirectory().wasOk());
        if (fromFiles)
            writeBanks ("Shared Felt", '\x11');

        InstrumentImage a, b;
        a.loadBanks (folder);
        b.loadBanks (folder);
        for (int type : { ObjectStore::typeProgram, ObjectStore::typeMulti, ObjectStore::typeFxChain, ObjectStore::typeKeymap })
        {
            SCOPED_TRACE (type);
            EXPECT_EQ (&a.storeFor (type)->getBlock(), &b.storeFor (type)->getBlock());
            EXPECT_TRUE (b.storeFor (type)->sharesImage());
        }

        // A received program and keymap are a's alone: b reads the image as it was.
        const auto before = b.getPrograms().getBlock();
        a.getPrograms().replaceRecord (4200, content ("Only In A", '\x22'));
        a.storeFor (ObjectStore::typeKeymap)->replaceRecord (5, content ("Keymap Of A", '\x01'));
        EXPECT_NE (&a.getPrograms().getBlock(), &b.getPrograms().getBlock());
        EXPECT_EQ (a.getPrograms().recordName (4200).trimEnd(), "Only In A");
        EXPECT_EQ (b.getPrograms().recordName (4200).trimEnd(), "");
        EXPECT_FALSE (b.getPrograms().isPresent (4200));
        EXPECT_EQ (b.getPrograms().getBlock(), before);
        EXPECT_EQ (b.objectName (ObjectStore::typeKeymap, 5).trimEnd(), "");
        EXPECT_EQ (a.objectName (ObjectStore::typeKeymap, 5).trimEnd(), "Keymap Of A");
        // The stores nobody changed stay shared; so does the copy-on-write store of b.
        EXPECT_EQ (&a.getMultis().getBlock(), &b.getMultis().getBlock());
        EXPECT_TRUE (b.getPrograms().sharesImage());

        // A third instance opened now still gets the image, not a's change.
        InstrumentImage c;
        c.loadBanks (folder);
        EXPECT_EQ (&c.getPrograms().getBlock(), &b.getPrograms().getBlock());
        EXPECT_FALSE (c.getPrograms().isPresent (4200));
    }
}

TEST_F (SharedBankImages, AnOpenAfterTheFirstReadsNoFileAndOneReplacedOnDiskIsReadAgain)
{
    writeBanks ("First Felt", '\x11');
    const int readsBefore = BankImageCache::instance().getFileReadCount();
    {
        InstrumentImage first;
        first.loadBanks (folder);
    }
    EXPECT_EQ (BankImageCache::instance().getFileReadCount(), readsBefore + 3);

    InstrumentImage second;
    second.loadBanks (folder);
    EXPECT_EQ (BankImageCache::instance().getFileReadCount(), readsBefore + 3) << "the unchanged files were read again";

    // Another process replaces the files with banks of the very same size (one record's
    // bytes differ): the next open reads and shows them.
    writeBanks ("Second Felt", '\x33');
    ASSERT_EQ (contentOf (ObjectStore::typeProgram).getSize(), second.getPrograms().getBlock().getSize());
    InstrumentImage third;
    third.loadBanks (folder);
    EXPECT_EQ (BankImageCache::instance().getFileReadCount(), readsBefore + 6);
    for (int type : bankTypes)
    {
        SCOPED_TRACE (type);
        EXPECT_EQ (third.storeFor (type)->recordName (4100).trimEnd(), "Second Felt");
        EXPECT_EQ (third.storeFor (type)->getBlock(), contentOf (type));
        EXPECT_EQ (second.storeFor (type)->recordName (4100).trimEnd(), "First Felt"); // opened before: unchanged
    }
}

TEST_F (SharedBankImages, EachInstanceSavesOnlyItsOwnChangesAndTheNextOpenSeesTheSavedFile)
{
    writeBanks ("Felt", '\x11');
    InstrumentImage a, b;
    a.loadBanks (folder);
    b.loadBanks (folder);

    a.getPrograms().replaceRecord (4200, content ("Program Of A", '\x22'));
    b.getMultis().replaceRecord (4200, content ("Multi Of B", '\x44'));
    const auto multisBefore = contentOf (ObjectStore::typeMulti);
    const auto fxChainsBefore = contentOf (ObjectStore::typeFxChain);
    const auto fxChainFileBefore = fileOf (ObjectStore::typeFxChain).getLastModificationTime();

    a.saveBanks (folder);
    EXPECT_EQ (contentOf (ObjectStore::typeProgram), a.getPrograms().getBlock());
    EXPECT_EQ (contentOf (ObjectStore::typeMulti), multisBefore) << "a changed no multi";

    // An open between the two closes sees a's programs, from the file a saved.
    {
        InstrumentImage between;
        between.loadBanks (folder);
        EXPECT_EQ (between.getPrograms().recordName (4200).trimEnd(), "Program Of A");
        EXPECT_EQ (between.getMultis().recordName (4200).trimEnd(), "");
    }

    b.saveBanks (folder);
    EXPECT_EQ (contentOf (ObjectStore::typeMulti), b.getMultis().getBlock());
    EXPECT_EQ (contentOf (ObjectStore::typeProgram), a.getPrograms().getBlock()) << "b changed no program: a's file stays";
    EXPECT_EQ (contentOf (ObjectStore::typeFxChain), fxChainsBefore);
    EXPECT_EQ (fileOf (ObjectStore::typeFxChain).getLastModificationTime(), fxChainFileBefore) << "nobody changed the FX chains";

    // The next open has both changes; a and b's own stores are as they were.
    InstrumentImage later;
    later.loadBanks (folder);
    EXPECT_EQ (later.getPrograms().recordName (4200).trimEnd(), "Program Of A");
    EXPECT_EQ (later.getMultis().recordName (4200).trimEnd(), "Multi Of B");
    EXPECT_EQ (a.getMultis().recordName (4200).trimEnd(), "");
    EXPECT_EQ (b.getPrograms().recordName (4200).trimEnd(), "");

    // a keeps editing the programs it saved: the copy it then makes is its own, and
    // the image the later open shares is not touched.
    a.getPrograms().replaceRecord (4201, content ("After Save", '\x55'));
    EXPECT_EQ (later.getPrograms().recordName (4201).trimEnd(), "");
    EXPECT_EQ (later.getPrograms().getBlock(), contentOf (ObjectStore::typeProgram));
}

TEST_F (SharedBankImages, AFileDamagedAfterItWasSharedIsSetAsideForTheBuiltInBank)
{
    writeBanks ("Felt", '\x11');
    InstrumentImage first;
    first.loadBanks (folder);

    // Cut short by a crash of another process after the image was made.
    auto cut = contentOf (ObjectStore::typeMulti);
    cut.setSize (cut.getSize() / 2);
    ASSERT_TRUE (fileOf (ObjectStore::typeMulti).replaceWithData (cut.getData(), cut.getSize()));

    InstrumentImage second;
    const auto setAside = second.loadBanks (folder);
    ASSERT_EQ (setAside.size(), 1);
    EXPECT_TRUE (setAside[0].getFileName().startsWith (juce::String (BuiltInBanks::multiFileName) + ".damaged-"));
    juce::MemoryBlock kept;
    ASSERT_TRUE (setAside[0].loadFileAsData (kept));
    EXPECT_EQ (kept, cut);
    EXPECT_EQ (second.getMultis().getBlock(), BuiltInBanks::builtInBank (ObjectStore::typeMulti));
    EXPECT_EQ (second.getPrograms().recordName (4100).trimEnd(), "Felt"); // the sound files still load
    EXPECT_EQ (first.getMultis().recordName (4100).trimEnd(), "Felt");    // opened before: unchanged
    EXPECT_FALSE (fileOf (ObjectStore::typeMulti).exists());

    // The built-in bank is written back at the close, as before.
    second.saveBanks (folder);
    EXPECT_EQ (contentOf (ObjectStore::typeMulti), BuiltInBanks::builtInBank (ObjectStore::typeMulti));
}

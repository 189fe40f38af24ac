#include "model/BuiltInBanks.h"
#include "plugin/VantorAudioProcessor.h"
#include "support/PluginRig.h"

#include <gtest/gtest.h>

#include <functional>

using namespace zd8;
using zd8test::PluginRig;

namespace
{
    const juce::String userName = "Damage Survivor     ";

    /** The built-in bank of a type with one object in the user range: what a data file
        holds after the instrument sent that object. */
    juce::MemoryBlock soundFile (int type)
    {
        ObjectStore store;
        store.buildIndex (type, BuiltInBanks::builtInBank (type), BuiltInBanks::highestId (type));
        juce::MemoryBlock content (userName.toRawUTF8(), 20);
        content.append (std::string (60, '\x11').data(), 60);
        store.replaceRecord (4100, content);
        return store.getBlock();
    }

    juce::String firstName (int type)
    {
        ObjectStore store;
        store.buildIndex (type, BuiltInBanks::builtInBank (type), BuiltInBanks::highestId (type));
        return store.recordName (1);
    }

    const ObjectStore& storeOf (VantorAudioProcessor& p, int type)
    {
        return *p.getHub().getImage().storeFor (type);
    }

    juce::Array<juce::File> setAsideFiles (const juce::File& folder)
    {
        return folder.findChildFiles (juce::File::findFiles, false, "*.damaged-*");
    }

    juce::MemoryBlock contentOf (const juce::File& file)
    {
        juce::MemoryBlock bytes;
        file.loadFileAsData (bytes);
        return bytes;
    }
}

// A data file that is not a whole bank (a write cut short, another kind's bank, garbage)
// would hide every factory sound at every start. It is set aside under a name that says
// so, with its bytes as they were, the built-in bank is used, and the user is told once.
TEST (DamagedDataFiles, AreSetAsideForTheBuiltInBankAndTheUserIsToldOnce)
{
    constexpr int program = ObjectStore::typeProgram, multi = ObjectStore::typeMulti, fxChain = ObjectStore::typeFxChain;
    struct Case
    {
        const char* what;
        int type;
        std::function<juce::MemoryBlock()> bytes;
    };
    const Case cases[] = {
        { "programs cut short in the middle", program,
          [] { auto b = soundFile (program); b.setSize (b.getSize() / 2); return b; } },
        { "programs cut short by the bank close tag only", program,
          [] { auto b = soundFile (program); b.setSize (b.getSize() - 3); return b; } },
        { "the multi bank in the programs' place", program, [] { return soundFile (multi); } },
        { "multis: only the bank tags", multi, [] { return juce::MemoryBlock ("Set**Bank><Set**Bank", 20); } },
        { "multis with one record's close tag overwritten", multi,
          [] {
              auto b = soundFile (multi);
              const std::string bytes (static_cast<const char*> (b.getData()), b.getSize());
              static_cast<char*> (b.getData())[bytes.find ("<Set*-Dat*") + 3] = 'x';
              return b;
          } },
        { "FX chains: garbage", fxChain, [] { return juce::MemoryBlock (std::string (300, '\xEE').data(), 300); } },
        { "FX chains cut short", fxChain, [] { auto b = soundFile (fxChain); b.setSize (b.getSize() - 100000); return b; } },
    };

    for (const auto& c : cases)
    {
        SCOPED_TRACE (c.what);
        PluginRig rig;
        const auto file = BuiltInBanks::dataFile (c.type, rig.folder);
        const auto damaged = c.bytes();
        ASSERT_TRUE (file.replaceWithData (damaged.getData(), damaged.getSize()));
        // What an earlier start set aside stays as it is.
        const auto earlier = file.getSiblingFile (file.getFileName() + ".damaged-" + juce::Time::getCurrentTime().formatted ("%Y-%m-%d"));
        ASSERT_TRUE (earlier.replaceWithText ("older"));

        {
            VantorAudioProcessor p (rig.environment);
            const auto& store = storeOf (p, c.type);
            EXPECT_EQ (store.recordName (1), firstName (c.type)) << "the factory sounds are there";
            EXPECT_FALSE (store.isPresent (4100));
            EXPECT_EQ (store.getBlock(), BuiltInBanks::builtInBank (c.type));

            EXPECT_FALSE (file.exists());
            const auto aside = setAsideFiles (rig.folder);
            ASSERT_EQ (aside.size(), 2);
            const auto moved = aside[0] == earlier ? aside[1] : aside[0];
            EXPECT_TRUE (moved.getFileName().startsWith (file.getFileName() + ".damaged-")) << moved.getFileName();
            EXPECT_EQ (contentOf (moved), damaged) << "set aside with its bytes intact";
            EXPECT_EQ (earlier.loadFileAsString(), "older");

            const auto warning = p.getHub().takeDataFileWarning();
            EXPECT_TRUE (warning.contains (moved.getFileName())) << warning;
            EXPECT_EQ (p.getHub().takeDataFileWarning(), "") << "told once";
        }

        // The close writes the store under the file's name; the next start is quiet.
        EXPECT_EQ (contentOf (file), BuiltInBanks::builtInBank (c.type));
        VantorAudioProcessor again (rig.environment);
        EXPECT_EQ (again.getHub().takeDataFileWarning(), "");
        EXPECT_EQ (setAsideFiles (rig.folder).size(), 2);
    }
}

TEST (DamagedDataFiles, SoundFilesStillLoadAndNothingIsSetAside)
{
    PluginRig rig;
    for (const int type : { ObjectStore::typeProgram, ObjectStore::typeMulti, ObjectStore::typeFxChain })
    {
        const auto bytes = soundFile (type);
        ASSERT_TRUE (BuiltInBanks::dataFile (type, rig.folder).replaceWithData (bytes.getData(), bytes.getSize()));
    }

    VantorAudioProcessor p (rig.environment);
    for (const int type : { ObjectStore::typeProgram, ObjectStore::typeMulti, ObjectStore::typeFxChain })
    {
        SCOPED_TRACE (type);
        const auto& store = storeOf (p, type);
        EXPECT_EQ (store.recordName (4100), userName);
        EXPECT_EQ (store.recordName (1), firstName (type));
        EXPECT_TRUE (BuiltInBanks::isWholeBank (type, store.getBlock()));
    }
    EXPECT_TRUE (setAsideFiles (rig.folder).isEmpty());
    EXPECT_EQ (p.getHub().takeDataFileWarning(), "");
}

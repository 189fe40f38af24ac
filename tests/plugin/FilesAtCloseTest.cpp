// The files the plug-in writes when it closes (settings, the three data files, the
// live Arrangement and the Arrangement bank) are written only when what they hold
// changed since the plug-in opened, or when they are missing. An instance that changed
// nothing must leave alone what another instance of the same user saved meanwhile.

#include "arrangements/ArrangementFiles.h"
#include "arrangements/ArrangementBank.h"
#include "model/BuiltInBanks.h"
#include "plugin/SettingsList.h"
#include "plugin/VantorAudioProcessor.h"
#include "support/PluginRig.h"

#include <gtest/gtest.h>

#include <functional>

using namespace zd8;
using zd8test::PluginRig;

namespace
{
const juce::String marker = "written by another instance";

bool holdsMarker (const juce::File& f)
{
    return f.loadFileAsString() == marker;
}

struct FilesAtClose : public ::testing::Test
{
    PluginRig rig { false };
    const juce::File& folder = rig.folder;

    std::vector<juce::File> allFiles() const
    {
        return { folder.getChildFile (SettingsList::fileName),
                 folder.getChildFile (VantorAudioProcessor::arrangementFileName),
                 folder.getChildFile (VantorAudioProcessor::bankFileName),
                 BuiltInBanks::dataFile (ObjectStore::typeProgram, folder),
                 BuiltInBanks::dataFile (ObjectStore::typeMulti, folder),
                 BuiltInBanks::dataFile (ObjectStore::typeFxChain, folder) };
    }
};
} // namespace

TEST_F (FilesAtClose, TheFirstCloseWritesEveryFileAndALaterCloseWithoutChangesNone)
{
    std::make_unique<VantorAudioProcessor> (rig.environment).reset();
    for (const auto& f : allFiles())
        EXPECT_GT (f.getSize(), 0) << f.getFileName();

    auto p = std::make_unique<VantorAudioProcessor> (rig.environment);
    for (const auto& f : allFiles())
        ASSERT_TRUE (f.replaceWithText (marker));
    p.reset();

    for (const auto& f : allFiles())
        EXPECT_TRUE (holdsMarker (f)) << f.getFileName() << " was written though nothing changed";
}

TEST_F (FilesAtClose, EachChangeWritesItsOwnFile)
{
    std::make_unique<VantorAudioProcessor> (rig.environment).reset(); // the files exist

    struct Case
    {
        const char* what;
        std::function<void (VantorAudioProcessor&)> change;
        juce::String written;
    };
    const std::vector<Case> cases {
        { "a setting", [] (VantorAudioProcessor& p) { p.getHub().setClockOn (! p.getHub().isClockOn()); }, SettingsList::fileName },
        { "a bank slot other than the live one",
          [] (VantorAudioProcessor& p)
          {
              juce::MemoryBlock chunk;
              p.getStateInformation (chunk);
              static_cast<char*> (chunk.getData())[ArrangementFiles::bankHeaderSize + 5 * ArrangementBank::recordSize] ^= 1;
              p.setStateInformation (chunk.getData(), (int) chunk.getSize());
          },
          VantorAudioProcessor::bankFileName },
        { "a live slot", [] (VantorAudioProcessor& p) { p.setSlotNormalised (ParameterTable::multiSlot, 1.0f - p.getSlotNormalised (ParameterTable::multiSlot)); }, VantorAudioProcessor::arrangementFileName },
        { "a received program",
          [] (VantorAudioProcessor& p)
          {
              const juce::ScopedWriteLock sl (p.getHub().getImage().getStoreLock());
              p.getHub().getImage().getPrograms().replaceRecord (4100, juce::MemoryBlock (40, true));
          },
          BuiltInBanks::programFileName },
    };

    for (const auto& c : cases)
    {
        SCOPED_TRACE (c.what);
        auto p = std::make_unique<VantorAudioProcessor> (rig.environment);
        for (const auto& f : allFiles())
            ASSERT_TRUE (f.replaceWithText (marker));
        c.change (*p);
        p.reset();

        for (const auto& f : allFiles())
        {
            EXPECT_EQ (holdsMarker (f), f.getFileName() != c.written) << f.getFileName();
            EXPECT_GT (f.getSize(), 0);
        }

        // Put real files back for the next case (the markers are not valid content).
        for (const auto& f : allFiles())
            f.deleteFile();
        std::make_unique<VantorAudioProcessor> (rig.environment).reset();
    }
}

TEST (SettingsFile, UnchangedSettingsAreNotWrittenChangedOrMissingOnesAre)
{
    juce::TemporaryFile folderName;
    const auto folder = folderName.getFile();
    ASSERT_TRUE (folder.createDirectory().wasOk());
    const auto file = folder.getChildFile (SettingsList::fileName);

    SettingsList settings;
    settings.load (folder); // missing: the defaults are written
    EXPECT_EQ (file.loadFileAsString(), settings.toText());

    ASSERT_TRUE (file.replaceWithText (marker));
    EXPECT_TRUE (settings.save (folder));
    EXPECT_EQ (file.loadFileAsString(), marker) << "unchanged settings were written";

    settings.set (SettingsList::clockOnEntry, "1");
    EXPECT_TRUE (settings.save (folder));
    EXPECT_EQ (file.loadFileAsString(), settings.toText());

    ASSERT_TRUE (file.deleteFile());
    EXPECT_TRUE (settings.save (folder));
    EXPECT_EQ (file.loadFileAsString(), settings.toText());

    // Another folder is always written.
    const auto other = folder.getChildFile ("other");
    ASSERT_TRUE (other.createDirectory().wasOk());
    EXPECT_TRUE (settings.save (other));
    EXPECT_EQ (other.getChildFile (SettingsList::fileName).loadFileAsString(), settings.toText());

    folder.deleteRecursively();
}

TEST (InterruptedWrites, StaleTemporariesAreRemovedAtOpenAndNothingElse)
{
    // The plug-in killed while closing leaves the hidden temporary of the file it was
    // writing. At the next open such a file is removed once it is older than any write
    // takes; a fresh one (another instance writing now) and every other file stay.
    PluginRig rig { false };
    const auto old = juce::Time::getCurrentTime() - juce::RelativeTime::minutes (ControllerState::staleTemporaryMinutes + 1);
    const auto make = [&rig] (const juce::String& name, juce::Time changed)
    {
        auto f = rig.folder.getChildFile (name);
        EXPECT_TRUE (f.replaceWithText ("x"));
        EXPECT_TRUE (f.setLastModificationTime (changed));
        return f;
    };
    const juce::File stale[] = { make (".B_ProgramData_temp1a2b3c4d.dat", old), make (".preset_tempffffffff.zd8arr", old),
                                 make (".brisipzd8_temp0.dat", old) };
    const juce::File kept[] = { make (".B_SetupData_temp5e6f7a8b.dat", juce::Time::getCurrentTime()),
                                make ("notes_temp12.txt", old), make (".hidden", old), make (".x_tempzz.dat", old),
                                make ("Notes.txt", old) };

    {
        VantorAudioProcessor processor (rig.environment);
        for (const auto& f : stale)
            EXPECT_FALSE (f.exists()) << f.getFileName();
        for (const auto& f : kept)
            EXPECT_TRUE (f.exists()) << f.getFileName();
    }
}

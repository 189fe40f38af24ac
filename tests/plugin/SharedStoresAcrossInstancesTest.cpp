// Several plug-in instances in one process (one per track of a project) share one
// read-only image of each data store instead of each reading and holding megabytes of
// its own. What one instance receives is its own until it closes, and it alone writes
// it. Hosts open instances on several threads: the opening thread test runs under
// ThreadSanitizer in CI (the engine's tests all do).

#include "model/BankImageCache.h"
#include "model/BuiltInBanks.h"
#include "plugin/VantorAudioProcessor.h"
#include "support/PluginRig.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

using namespace zd8;
using zd8test::PluginRig;

namespace
{
constexpr int bankTypes[] = { ObjectStore::typeProgram, ObjectStore::typeMulti, ObjectStore::typeFxChain };

juce::MemoryBlock content (const std::string& name, char fill)
{
    auto text = (name + std::string (20, ' ')).substr (0, 20) + "ZD7" + std::string (57, fill);
    return { text.data(), text.size() };
}

InstrumentImage& imageOf (VantorAudioProcessor& p)
{
    return p.getHub().getImage();
}

void receive (VantorAudioProcessor& p, int type, int id, const std::string& name)
{
    auto& image = imageOf (p);
    const juce::ScopedWriteLock sl (image.getStoreLock());
    image.storeFor (type)->replaceRecord (id, content (name, '\x21'));
}

juce::MemoryBlock contentOf (const juce::File& file)
{
    juce::MemoryBlock b;
    file.loadFileAsData (b);
    return b;
}
} // namespace

TEST (SharedStoresAcrossInstances, TwoProcessorsShareTheStoresAndEachSavesOnlyWhatItChanged)
{
    PluginRig rig (false);
    std::make_unique<VantorAudioProcessor> (rig.environment).reset(); // the data files exist

    auto a = std::make_unique<VantorAudioProcessor> (rig.environment);
    auto b = std::make_unique<VantorAudioProcessor> (rig.environment);
    for (int type : bankTypes)
        EXPECT_EQ (&imageOf (*a).storeFor (type)->getBlock(), &imageOf (*b).storeFor (type)->getBlock()) << type;

    receive (*a, ObjectStore::typeProgram, 4100, "Program Of A");
    receive (*b, ObjectStore::typeFxChain, 4100, "Chain Of B");
    EXPECT_EQ (imageOf (*b).objectName (ObjectStore::typeProgram, 4100).trimEnd(), "");
    EXPECT_EQ (imageOf (*a).objectName (ObjectStore::typeFxChain, 4100).trimEnd(), "");
    EXPECT_EQ (&imageOf (*a).getMultis().getBlock(), &imageOf (*b).getMultis().getBlock());

    const auto multiFile = BuiltInBanks::dataFile (ObjectStore::typeMulti, rig.folder);
    ASSERT_TRUE (multiFile.replaceWithText ("written by a third instance"));
    a.reset();
    b.reset();
    EXPECT_EQ (multiFile.loadFileAsString(), "written by a third instance") << "nobody here changed the multis";
    multiFile.deleteFile();

    // Each file holds the one change made to it.
    auto after = std::make_unique<VantorAudioProcessor> (rig.environment);
    EXPECT_EQ (imageOf (*after).objectName (ObjectStore::typeProgram, 4100).trimEnd(), "Program Of A");
    EXPECT_EQ (imageOf (*after).objectName (ObjectStore::typeFxChain, 4100).trimEnd(), "Chain Of B");
}

TEST (SharedStoresAcrossInstances, InstancesOpenedAndClosedOnTwoThreadsAtOnce)
{
    PluginRig rig (false);
    std::make_unique<VantorAudioProcessor> (rig.environment).reset(); // the data files exist
    const auto programsSaved = contentOf (BuiltInBanks::dataFile (ObjectStore::typeProgram, rig.folder));

    // One thread only reads its instances' stores; the other receives into them. Each
    // instance that received a program writes the program file at its close.
    std::atomic<int> wrongNames { 0 };
    auto openAndUse = [&] (bool receives)
    {
        for (int round = 0; round < 3; ++round)
        {
            VantorAudioProcessor p (rig.environment);
            auto& image = imageOf (p);
            if (image.objectName (ObjectStore::typeProgram, 1) != image.getPrograms().recordName (1))
                ++wrongNames;
            if (receives)
            {
                receive (p, ObjectStore::typeProgram, 4300 + round, "Received " + std::to_string (round));
                if (image.objectName (ObjectStore::typeProgram, 4300 + round).trimEnd() != juce::String ("Received ") + juce::String (round))
                    ++wrongNames;
            }
            else if (! image.getPrograms().sharesImage())
            {
                ++wrongNames; // an instance that received nothing holds no copy
            }
        }
    };

    std::thread reader (openAndUse, false);
    std::thread receiver (openAndUse, true);
    reader.join();
    receiver.join();
    EXPECT_EQ (wrongNames.load(), 0);

    // The receiving thread's last instance saved last among those that changed it: its
    // program is in the file, each instance having started from the file it opened with.
    const auto programs = contentOf (BuiltInBanks::dataFile (ObjectStore::typeProgram, rig.folder));
    EXPECT_NE (programs, programsSaved);
    ObjectStore saved;
    saved.buildIndex (ObjectStore::typeProgram, programs, BuiltInBanks::programHighestId);
    EXPECT_EQ (saved.recordName (4302).trimEnd(), "Received 2");
}

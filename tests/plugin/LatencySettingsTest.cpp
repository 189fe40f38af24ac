#include "plugin/ControllerState.h"
#include "plugin/VantorAudioProcessor.h"
#include "support/HostTransport.h"
#include "support/PluginRig.h"

#include <gtest/gtest.h>

using namespace zd8;
using zd8test::PluginRig;

namespace
{
    using Delays = std::array<int, ControllerState::numDelays>;

    using PlayingHead = zd8test::HostTransport;

    void runBlock (VantorAudioProcessor& p, int samples)
    {
        juce::AudioBuffer<float> audio (2, samples);
        juce::MidiBuffer midi;
        p.processBlock (audio, midi);
    }

    /** Due times of the clock messages (F8) the instrument received. */
    std::vector<double> clockTimes (const PluginRig& rig)
    {
        std::vector<double> times;
        for (auto& r : rig.simulator.getReceived())
            if (r.bytes == std::vector<juce::uint8> { 0xF8 })
                times.push_back (r.timeMs);
        return times;
    }

    std::vector<juce::String> latencyEntries (const SettingsList& s)
    {
        std::vector<juce::String> e;
        for (int i = SettingsList::latencyMarkerEntry; i <= SettingsList::seventhDelayEntry; ++i)
            e.push_back (s.get (i));
        return e;
    }
}

TEST (LatencySettings, SetDelayKeepsTheTableAndTheSettingsListInStepAndSurvivesARestart)
{
    struct Case
    {
        int index, ms, stored;
    };
    // Out-of-range indexes change nothing; delays are kept in 0..2000 ms.
    const Case cases[] = { { 0, 25, 25 },  { 5, 40, 40 },    { 6, 7, 7 },     { 2, -30, 0 },
                           { 3, 99999, 2000 }, { 1, 2000, 2000 }, { 4, 1, 1 } };
    const Delays expected { 25, 2000, 0, 2000, 1, 40, 7 };
    const std::vector<juce::String> expectedEntries { "333", "25", "2000", "0", "2000", "1", "40", "402", "7" };

    PluginRig rig;
    {
        ControllerState hub (rig.environment);
        hub.setDelay (2, 300); // replaced by the -30 below
        for (const auto& c : cases)
        {
            hub.setDelay (c.index, c.ms);
            EXPECT_EQ (hub.getDelay (c.index), c.stored) << "index " << c.index << " set to " << c.ms;
        }

        const auto listBefore = hub.getSettings().toText();
        for (int bad : { -1, 7, 1000 })
            hub.setDelay (bad, 50);
        EXPECT_EQ (hub.getSettings().toText(), listBefore) << "an index outside 0..6 writes nothing";

        EXPECT_EQ (hub.getDelays(), expected);
        EXPECT_EQ (latencyEntries (hub.getSettings()), expectedEntries);
        EXPECT_EQ (hub.getCurrentDelay(), 25) << "44100 Hz until told otherwise";
        hub.setSampleRate (96000.0);
        EXPECT_EQ (hub.getCurrentDelay(), 2000);
    }

    SettingsList file;
    file.load (rig.folder);
    EXPECT_EQ (latencyEntries (file), expectedEntries) << "written when the hub goes";

    ControllerState again (rig.environment);
    EXPECT_EQ (again.getDelays(), expected);
}

TEST (LatencySettings, SetDelayRestoresALostMarkerWithTheWholeTable)
{
    PluginRig rig;
    rig.writeSettings ({ { 11, "10" }, { 12, "20" }, { 16, "60" }, { 17, "123" }, { 18, "5" } });
    {
        ControllerState hub (rig.environment);
        ASSERT_EQ (hub.getDelays(), (Delays { 10, 20, 0, 0, 0, 60, 5 }));

        // Without the marker the next start would zero every delay.
        hub.getSettings().set (SettingsList::latencyMarkerEntry, "0");
        hub.getSettings().set (SettingsList::firstDelayEntry, "junk");
        hub.setDelay (3, 30);
        EXPECT_EQ (latencyEntries (hub.getSettings()),
                   (std::vector<juce::String> { "333", "10", "20", "0", "30", "0", "60", "402", "5" }));
    }

    ControllerState again (rig.environment);
    EXPECT_EQ (again.getDelays(), (Delays { 10, 20, 0, 30, 0, 60, 5 }));
}

TEST (LatencySettings, AChangedDelayMovesTheNextBlocksClock)
{
    PluginRig rig;
    rig.writeSettings ({ { 43, "1" } }); // "Clock ON/OFF"
    VantorAudioProcessor p (rig.environment);
    auto& hub = p.getHub();
    PlayingHead head;
    p.setPlayHead (&head);
    p.prepareToPlay (48000.0, 1000); // rate index 1; one clock per 1000 samples at 120 BPM
    rig.settle();

    // The first block still sees the reset position (stopped); it reads the playing one.
    runBlock (p, 1000);
    rig.settle();

    const double now = rig.timeline.nowMs();
    const int delays[] = { 35, 0, 12, 2000 };
    for (int d : delays)
    {
        hub.setDelay (1, d);
        hub.setDelay (0, 500); // another rate's delay does not matter here
        rig.simulator.clearReceived();

        runBlock (p, 1000);
        head.ppq += 1000.0 * 2.0 / 48000.0;
        ASSERT_TRUE (rig.settle (1));
        EXPECT_EQ (clockTimes (rig), (std::vector<double> { now + d })) << "delay " << d;
    }

    p.setPlayHead (nullptr);
}

TEST (LatencySettings, DelaysReadFromAnEditedFileStayInRange)
{
    // Sends scheduled in the past or minutes ahead would never reach the instrument in time.
    PluginRig rig;
    rig.writeSettings ({ { 10, "333" }, { 11, "-50" }, { 12, "99999" }, { 13, "7" }, { 18, "-1" } });
    ControllerState hub (rig.environment);
    EXPECT_EQ (hub.getDelays(), (Delays { 0, ControllerState::maxDelayMs, 7, 0, 0, 0, 0 }));
}

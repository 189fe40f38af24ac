// "Clock ON/OFF" switched while the host plays, through the processor with the
// instrument simulator on the cable.
#include "plugin/VantorAudioProcessor.h"
#include "support/HostTransport.h"
#include "support/PluginRig.h"

#include <gtest/gtest.h>

using namespace zd8;
using zd8test::PluginRig;

namespace
{
    using PlayingHost = zd8test::HostTransport;

    /** At 120 BPM and 48 kHz a block of 1000 samples is one clock tick, 1/24 of a quarter
        note. The processor reads the host position at the end of a block and clocks the
        next block from it: block k is clocked from tick k - 1. */
    constexpr int blockSamples = 1000;

    void runBlock (VantorAudioProcessor& p, PlayingHost& host, int tick)
    {
        host.ppq = tick / 24.0;
        juce::AudioBuffer<float> audio (2, blockSamples);
        audio.clear();
        juce::MidiBuffer midi;
        p.processBlock (audio, midi);
    }
}

TEST (MidiClockSwitch, SwitchedOnWhilePlayingResyncsTheInstrumentAndClocksAtOnce)
{
    PluginRig rig;
    rig.writeSettings ({ { 43, "0" } }); // clock off
    VantorAudioProcessor p (rig.environment);
    PlayingHost host;
    p.setPlayHead (&host);
    p.prepareToPlay (48000.0, blockSamples);
    rig.settle();
    rig.simulator.clearReceived();

    int tick = 0;
    for (; tick < 8; ++tick)
        runBlock (p, host, tick);
    ASSERT_TRUE (rig.settle());
    EXPECT_TRUE (rig.simulator.getReceived().empty()) << "clock off sends nothing";

    // The setup panel's "Clock ON/OFF" box, mid-song. The next block starts at tick 7
    // (7/24 of a quarter note): the instrument is stopped and located to the next
    // sixteenth (song position 2 = half a quarter note), and continues there, with
    // clock flowing from the first block on.
    p.getEditorConnection().setClockOn (true);
    for (; tick < 20; ++tick)
        runBlock (p, host, tick);
    ASSERT_TRUE (rig.settle());

    juce::StringArray received;
    for (const auto& r : rig.simulator.getReceived())
        received.add (zd8test::toHex (r.bytes));

    juce::StringArray expected { "FC", "F2 02 00" };
    for (int t = 7; t < 19; ++t)
    {
        if (t == 12) // half a quarter note
            expected.add ("FB");
        expected.add ("F8");
    }
    EXPECT_EQ (received.joinIntoString (" | "), expected.joinIntoString (" | "));

    // Switched off again: nothing more goes out, at once.
    rig.simulator.clearReceived();
    p.getEditorConnection().setClockOn (false);
    for (; tick < 24; ++tick)
        runBlock (p, host, tick);
    ASSERT_TRUE (rig.settle());
    EXPECT_TRUE (rig.simulator.getReceived().empty());

    p.setPlayHead (nullptr);
}

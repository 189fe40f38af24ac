// Counts heap allocations made on the audio thread by processBlock in steady state
// (the counting allocator is in tests/support/AllocationCounter).

#include "plugin/VantorAudioProcessor.h"
#include "support/AllocationCounter.h"
#include "support/PluginRig.h"

#include <gtest/gtest.h>

using namespace zd8;

TEST (ProcessBlockAllocation, SteadyStateBlocksAllocateNothing)
{
    zd8test::PluginRig rig;
    rig.writeSettings ({ { 46, "1" }, { 12, "5" } }); // THRU from the instrument on, 5 ms delay
    VantorAudioProcessor p (rig.environment);
    p.prepareToPlay (48000.0, 512);

    juce::AudioBuffer<float> audio (2, 512);
    juce::MidiBuffer host;
    host.ensureSize (4096);

    auto fillHostMidi = [&host] {
        host.clear();
        for (int i = 0; i < 64; ++i)
            host.addEvent (juce::MidiMessage::noteOn (1 + i % 16, 40 + i % 40, (juce::uint8) 90), i * 8);
    };
    auto fillFromInstrument = [&p] {
        for (int i = 0; i < 32; ++i)
            p.getHub().sendControllerToHost (1, 1, i);
    };

    // Warm up: buffers grow to their working size.
    for (int i = 0; i < 8; ++i)
    {
        fillHostMidi();
        fillFromInstrument();
        p.processBlock (audio, host);
        rig.settle();
        rig.simulator.clearReceived();
    }

    long total = 0;
    for (int i = 0; i < 16; ++i)
    {
        fillHostMidi();
        fillFromInstrument();
        {
            zd8test::AllocationCounter counter;
            p.processBlock (audio, host);
            total += counter.count();
        }
        EXPECT_EQ (host.getNumEvents(), 32) << "the instrument's events reach the host";
        rig.settle();
        rig.simulator.clearReceived();
    }
    EXPECT_EQ (total, 0) << "processBlock allocated on the audio thread";
}

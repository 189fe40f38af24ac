// Counts heap allocations made on the audio thread by processBlock in steady state.
// This executable replaces the global operator new so it can count them.

#include "plugin/VantorAudioProcessor.h"
#include "support/PluginRig.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>

namespace
{
    thread_local bool counting = false;
    thread_local long allocations = 0;

    void* allocate (std::size_t size)
    {
        if (counting)
            ++allocations;
        if (void* p = std::malloc (size == 0 ? 1 : size))
            return p;
        throw std::bad_alloc();
    }
}

void* operator new (std::size_t size) { return allocate (size); }
void* operator new[] (std::size_t size) { return allocate (size); }
void operator delete (void* p) noexcept { std::free (p); }
void operator delete[] (void* p) noexcept { std::free (p); }
void operator delete (void* p, std::size_t) noexcept { std::free (p); }
void operator delete[] (void* p, std::size_t) noexcept { std::free (p); }

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
        allocations = 0;
        counting = true;
        p.processBlock (audio, host);
        counting = false;
        total += allocations;
        EXPECT_EQ (host.getNumEvents(), 32) << "the instrument's events reach the host";
        rig.settle();
        rig.simulator.clearReceived();
    }
    EXPECT_EQ (total, 0) << "processBlock allocated on the audio thread";
}

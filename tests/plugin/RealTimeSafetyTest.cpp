// processBlock in steady state while the instrument plays into the hub (MIDI input
// thread) and the editor writes parameters and drains notices (message thread): the
// audio thread must neither allocate nor take any lock but the block lock and the hub
// lock. Locks are seen through LockWatch, so only the locks our own code announces
// there are checked; JUCE's and the C library's internal locks are not.

#include "link/LockWatch.h"
#include "plugin/ControllerState.h"
#include "model/ParameterTable.h"
#include "plugin/VantorAudioProcessor.h"
#include "support/AllocationCounter.h"
#include "support/PluginRig.h"

#include <gtest/gtest.h>

#include <array>
#include <atomic>
#include <cstring>
#include <memory>
#include <thread>

using namespace zd8;

namespace
{
    constexpr double sampleRate = 48000.0;
    constexpr int blockSize = 512;

    // Only the thread running processBlock sets this.
    thread_local bool onAudioThread = false;

    // Written by the audio thread only; read after it has been joined.
    std::array<const char*, 64> forbiddenLocks {};
    std::atomic<int> forbiddenCount { 0 };
    std::atomic<int> allowedSeen { 0 };

    void recordLock (const char* name) noexcept
    {
        if (! onAudioThread)
            return;
        if (std::strcmp (name, LockWatch::blockLock) == 0 || std::strcmp (name, LockWatch::hubLock) == 0)
        {
            allowedSeen.fetch_add (1);
            return;
        }
        const int i = forbiddenCount.fetch_add (1);
        if (i < (int) forbiddenLocks.size())
            forbiddenLocks[(size_t) i] = name;
    }

    struct PlayingHead : juce::AudioPlayHead
    {
        juce::Optional<PositionInfo> getPosition() const override
        {
            PositionInfo info;
            info.setBpm (120.0);
            info.setIsPlaying (true);
            info.setPpqPosition (ppq.load());
            return info;
        }
        std::atomic<double> ppq { 0.0 };
    };

    struct Result
    {
        long allocations = 0;
        std::vector<juce::String> locks;
        int blocks = 0;
    };

    // The three threads of a running plug-in; returns what the audio thread did in the
    // measured blocks.
    Result runWithTraffic (int warmUpBlocks, int measuredBlocks)
    {
        zd8test::PluginRig rig;
        // Clock on, both THRU switches on, 20 ms delay at 48 kHz (rate index 1).
        rig.writeSettings ({ { 43, "1" }, { 8, "1" }, { 46, "1" }, { 12, "20" } });
        VantorAudioProcessor p (rig.environment);
        auto& hub = p.getHub();
        PlayingHead head;
        p.setPlayHead (&head);
        p.prepareToPlay (sampleRate, blockSize);
        rig.settle();

        std::atomic<bool> stop { false };
        std::atomic<bool> audioDone { false };
        Result result;

        std::thread midiIn ([&] {
            // The instrument's MIDI input thread: notes, controllers, a short sysex.
            const juce::uint8 sysex[] = { 0xF0, 0x7E, 0x00, 0x06, 0x01, 0xF7 };
            for (int i = 0; ! stop.load(); ++i)
            {
                hub.handleIncomingMidiMessage (nullptr, juce::MidiMessage::noteOn (1 + i % 4, 48 + i % 24, (juce::uint8) 100));
                hub.handleIncomingMidiMessage (nullptr, juce::MidiMessage::controllerEvent (1, 1, i % 128));
                hub.handleIncomingMidiMessage (nullptr, juce::MidiMessage::controllerEvent (2, 7, i % 128));
                hub.handleIncomingMidiMessage (nullptr, juce::MidiMessage::noteOff (1 + i % 4, 48 + i % 24));
                if (i % 8 == 0)
                    hub.handleIncomingMidiMessage (nullptr, juce::MidiMessage (sysex, (int) sizeof (sysex)));
                std::this_thread::sleep_for (std::chrono::microseconds (300));
            }
        });

        std::thread audio ([&] {
            juce::AudioBuffer<float> buffer (2, blockSize);
            juce::MidiBuffer host;
            host.ensureSize (1 << 16);

            for (int b = 0; b < warmUpBlocks + measuredBlocks; ++b)
            {
                host.clear();
                host.addEvent (juce::MidiMessage::noteOn (1, 60, (juce::uint8) 90), 0);
                host.addEvent (juce::MidiMessage::controllerEvent (1, 1, b % 128), 100);
                host.addEvent (juce::MidiMessage::controllerEvent (1, 7, b % 128), 200); // tracked, not forwarded
                host.addEvent (juce::MidiMessage::pitchWheel (1, 8192 + b), 300);
                host.addEvent (juce::MidiMessage::noteOff (1, 60), 400);

                const bool measured = b >= warmUpBlocks;
                onAudioThread = measured;
                {
                    zd8test::AllocationCounter counter;
                    p.processBlock (buffer, host);
                    if (measured)
                        result.allocations += counter.count();
                }
                onAudioThread = false;
                result.blocks += measured ? 1 : 0;

                head.ppq = head.ppq.load() + blockSize * 2.0 / sampleRate;
                std::this_thread::sleep_for (std::chrono::milliseconds (2));
            }
            audioDone = true;
        });

        // This thread is the message thread: the editor's writes, notice drains and the
        // processor's reports to the host.
        std::vector<juce::uint32> notices;
        const int slot = ParameterTable::firstControllerSlot + 7;
        auto& table = hub.getParameters();
        for (int i = 0; ! audioDone.load(); ++i)
        {
            const int value = table.minimum (slot) + i % (table.maximum (slot) - table.minimum (slot) + 1);
            hub.setFromEditor (slot, value, true, true);
            hub.setAndReport (slot + 1, value);
            notices.clear();
            hub.drainNotices (notices);
            hub.getHostQueueSignal().dispatchPendingMessages();
            if (i % 16 == 0)
                rig.simulator.clearReceived();
            std::this_thread::sleep_for (std::chrono::microseconds (500));
        }

        audio.join();
        stop = true;
        midiIn.join();
        p.setPlayHead (nullptr);
        rig.settle();

        for (int i = 0; i < juce::jmin (forbiddenCount.load(), (int) forbiddenLocks.size()); ++i)
            result.locks.push_back (forbiddenLocks[(size_t) i]);
        return result;
    }
}

TEST (RealTimeSafety, CounterSeesAllocationsOnItsOwnThreadOnly)
{
    std::atomic<bool> go { false };
    std::thread other ([&go] {
        while (! go.load())
            std::this_thread::yield();
        auto elsewhere = std::make_unique<int> (2);
    });

    zd8test::AllocationCounter counter;
    auto boxed = std::make_unique<int> (1);
    EXPECT_EQ (counter.count(), 1);

    go = true;
    other.join();
    EXPECT_EQ (counter.count(), 1) << "another thread's allocation is not ours";

    if (zd8test::AllocationCounter::seesMalloc())
    {
        juce::MidiBuffer growing; // grows with realloc, not operator new
        growing.addEvent (juce::MidiMessage::noteOn (1, 60, (juce::uint8) 100), 0);
        EXPECT_GT (counter.count(), 1);
    }
}

TEST (RealTimeSafety, SteadyStateProcessBlockAllocatesNothing)
{
    const auto result = runWithTraffic (8, 64);

    EXPECT_EQ (result.blocks, 64);
    EXPECT_EQ (result.allocations, 0) << "heap allocations on the audio thread"
                                      << (zd8test::AllocationCounter::seesMalloc() ? "" : " (operator new only in this build)");
}

// Every lock the audio thread takes besides the block and hub locks is a wait on
// another thread: the timed sends go through a lock-free queue, the notices of the
// host MIDI tracker through lock-free notice queues and a lock-free listener list.
TEST (RealTimeSafety, SteadyStateProcessBlockTakesNoLockButTheBlockAndHubLocks)
{
    forbiddenCount = 0;
    allowedSeen = 0;
    LockWatch::setHook (&recordLock);
    const auto result = runWithTraffic (8, 64);
    LockWatch::setHook (nullptr);

    juce::StringArray unexpected;
    for (auto& name : result.locks)
        unexpected.addIfNotAlreadyThere (name);

    EXPECT_TRUE (unexpected.isEmpty()) << "locks taken on the audio thread: " << unexpected.joinIntoString (", ");
    EXPECT_GT (allowedSeen.load(), 0) << "the watch saw no lock at all: is the hook still reached?";
}

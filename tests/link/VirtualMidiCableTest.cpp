#include "link/VirtualMidiCable.h"
#include "support/ManualTimeline.h"

#include <gtest/gtest.h>

#include <atomic>
#include <future>
#include <mutex>
#include <thread>
#include <vector>

using namespace zd8;

namespace
{
using Bytes = std::vector<juce::uint8>;

Bytes bytesOf (const juce::MidiMessage& m)
{
    return Bytes (m.getRawData(), m.getRawData() + m.getRawDataSize());
}

struct Received
{
    Bytes bytes;
    double stamp;
};

/** Records what arrives; optionally holds the delivery thread inside the callback
    until released, so a test can act while a delivery is running. */
class Recorder : public juce::MidiInputCallback
{
public:
    void handleIncomingMidiMessage (juce::MidiInput* source, const juce::MidiMessage& m) override
    {
        if (source != nullptr)
            wrongSource = true;

        {
            std::lock_guard<std::mutex> g (lock);
            got.push_back ({ bytesOf (m), m.getTimeStamp() });
        }

        if (holdNext.exchange (false))
        {
            entered.set_value();
            releaseFuture.wait();
        }

        if (dead)
            usedAfterDisconnect = true;
    }

    void holdTheNextDelivery()
    {
        entered = {};
        release = {};
        releaseFuture = release.get_future().share();
        holdNext = true;
    }

    std::vector<Received> received()
    {
        std::lock_guard<std::mutex> g (lock);
        return got;
    }

    std::atomic<bool> holdNext { false };
    std::promise<void> entered;
    std::promise<void> release;
    std::shared_future<void> releaseFuture;
    std::atomic<bool> dead { false };
    std::atomic<bool> usedAfterDisconnect { false };
    std::atomic<bool> wrongSource { false };

private:
    std::mutex lock;
    std::vector<Received> got;
};

struct CableFixture : public ::testing::Test
{
    zd8test::ManualTimeline timeline { 5000.0 };
    VirtualMidiCable cable { timeline };
    Recorder recorder;

    void SetUp() override { cable.connect (&recorder); }
    void TearDown() override { cable.connect (nullptr); }
};
} // namespace

TEST_F (CableFixture, DeliversInSendOrderWithExactStamps)
{
    const juce::uint8 piece[] = { 0xF0, 0x07, 0x46, 0x01, 0x00, 0x20, 0x01, 0x02, 0x03, 0x04, 0x05 }; // no F7: a piece

    cable.sendNow (juce::MidiMessage::noteOn (1, 60, (juce::uint8) 100));
    cable.send (juce::MidiMessage::controllerEvent (2, 7, 90), 7000.5); // later due time, still in send order
    timeline.advance (12.25);
    cable.sendNow (juce::MidiMessage::midiClock());
    cable.sendRaw (piece, (int) sizeof (piece), 4000.0);
    cable.sendRaw (piece + 10, 1, 4001.0); // one data byte on its own

    ASSERT_TRUE (cable.waitUntilIdle());
    const auto got = recorder.received();

    const std::vector<Received> expected {
        { { 0x90, 60, 100 }, 5000.0 },
        { { 0xB1, 7, 90 }, 7000.5 },
        { { 0xF8 }, 5012.25 },
        { Bytes (piece, piece + sizeof (piece)), 4000.0 },
        { { 0x05 }, 4001.0 },
    };

    ASSERT_EQ (got.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i)
    {
        EXPECT_EQ (got[i].bytes, expected[i].bytes) << "message " << i;
        EXPECT_EQ (got[i].stamp, expected[i].stamp) << "message " << i;
    }
    EXPECT_FALSE (recorder.wrongSource);
    EXPECT_EQ (cable.getDroppedCount(), 0);
}

TEST_F (CableFixture, ConcurrentSendersLoseNothingAndKeepEachSendersOrder)
{
    constexpr int senders = 4;
    constexpr int perSender = 800; // together below the ring's capacity
    static_assert (senders * perSender < VirtualMidiCable::capacity, "must fit");

    std::vector<std::thread> threads;
    for (int s = 0; s < senders; ++s)
        threads.emplace_back ([this, s] {
            for (int i = 0; i < perSender; ++i)
                cable.send (juce::MidiMessage::controllerEvent (s + 1, i / 128, i % 128), (double) i);
        });

    for (auto& t : threads)
        t.join();

    ASSERT_TRUE (cable.waitUntilIdle (5000));
    const auto got = recorder.received();
    ASSERT_EQ ((int) got.size(), senders * perSender);

    std::vector<int> next (senders, 0);
    for (auto& r : got)
    {
        const int s = (r.bytes[0] & 0x0F);
        const int i = r.bytes[1] * 128 + r.bytes[2];
        ASSERT_LT (s, senders);
        EXPECT_EQ (i, next[(size_t) s]) << "sender " << s;
        EXPECT_EQ (r.stamp, (double) i);
        next[(size_t) s] = i + 1;
    }
    EXPECT_EQ (cable.getDroppedCount(), 0);
}

TEST_F (CableFixture, DisconnectWaitsForTheRunningDeliverySoTheReceiverCanGo)
{
    auto doomed = std::make_unique<Recorder>();
    cable.connect (doomed.get());
    doomed->holdTheNextDelivery();
    auto entered = doomed->entered.get_future();

    cable.sendNow (juce::MidiMessage::noteOn (1, 1, (juce::uint8) 1));
    cable.sendNow (juce::MidiMessage::noteOn (1, 2, (juce::uint8) 1));
    ASSERT_EQ (entered.wait_for (std::chrono::seconds (2)), std::future_status::ready);

    auto disconnect = std::async (std::launch::async, [this] { cable.connect (nullptr); });
    EXPECT_EQ (disconnect.wait_for (std::chrono::milliseconds (50)), std::future_status::timeout)
        << "connect returned while the old receiver was still being called";

    doomed->release.set_value();
    ASSERT_EQ (disconnect.wait_for (std::chrono::seconds (2)), std::future_status::ready);

    doomed->dead = true; // from here on, any call would be a call into a destroyed object
    const auto seen = doomed->received();
    const bool misused = doomed->usedAfterDisconnect;
    doomed.reset();

    cable.sendNow (juce::MidiMessage::noteOn (1, 3, (juce::uint8) 1));
    EXPECT_TRUE (cable.waitUntilIdle());
    EXPECT_FALSE (misused);
    EXPECT_EQ (seen.size(), 1u); // the second note was delivered to nobody
}

TEST_F (CableFixture, ReceiverMayDisconnectItselfFromItsCallback)
{
    struct SelfDisconnecting : public juce::MidiInputCallback
    {
        VirtualMidiCable* cable = nullptr;
        std::atomic<int> calls { 0 };
        void handleIncomingMidiMessage (juce::MidiInput*, const juce::MidiMessage&) override
        {
            ++calls;
            cable->connect (nullptr);
        }
    } receiver;
    receiver.cable = &cable;
    cable.connect (&receiver);

    cable.sendNow (juce::MidiMessage::midiStart());
    cable.sendNow (juce::MidiMessage::midiStop());
    ASSERT_TRUE (cable.waitUntilIdle());
    EXPECT_EQ (receiver.calls, 1);
}

TEST_F (CableFixture, FullRingDropsAndCountsWithoutBlockingTheSender)
{
    recorder.holdTheNextDelivery();
    auto entered = recorder.entered.get_future();
    cable.send (juce::MidiMessage::midiClock(), -1.0);
    ASSERT_EQ (entered.wait_for (std::chrono::seconds (2)), std::future_status::ready); // the ring is empty again

    constexpr int extra = 10;
    for (int i = 0; i < VirtualMidiCable::capacity + extra; ++i)
        cable.send (juce::MidiMessage::controllerEvent (1, i / 128 % 128, i % 128), (double) i);

    EXPECT_EQ (cable.getDroppedCount(), extra);
    recorder.release.set_value();
    ASSERT_TRUE (cable.waitUntilIdle (5000));

    const auto got = recorder.received();
    ASSERT_EQ ((int) got.size(), 1 + VirtualMidiCable::capacity);
    EXPECT_EQ (got.back().stamp, (double) (VirtualMidiCable::capacity - 1)); // the newest were dropped
}

TEST_F (CableFixture, ClearPendingDropsWhatIsNotYetDelivered)
{
    recorder.holdTheNextDelivery();
    auto entered = recorder.entered.get_future();
    cable.sendNow (juce::MidiMessage::midiClock());
    ASSERT_EQ (entered.wait_for (std::chrono::seconds (2)), std::future_status::ready);

    juce::MemoryBlock longSysex (300, true);
    static_cast<juce::uint8*> (longSysex.getData())[0] = 0xF0;
    cable.sendRaw (static_cast<const juce::uint8*> (longSysex.getData()), (int) longSysex.getSize(), 1.0);
    cable.sendNow (juce::MidiMessage::midiStop());
    cable.clearPending();
    cable.sendNow (juce::MidiMessage::midiStart());

    recorder.release.set_value();
    ASSERT_TRUE (cable.waitUntilIdle());
    const auto got = recorder.received();
    ASSERT_EQ (got.size(), 2u);
    EXPECT_EQ (got[0].bytes, Bytes { 0xF8 });
    EXPECT_EQ (got[1].bytes, Bytes { 0xFA });
}

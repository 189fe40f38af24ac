#include "link/VirtualMidiDevices.h"
#include "support/ManualTimeline.h"

#include <gtest/gtest.h>

#include <mutex>
#include <vector>

using namespace zd8;

namespace
{
using Bytes = std::vector<juce::uint8>;

struct Recorder : public juce::MidiInputCallback
{
    void handleIncomingMidiMessage (juce::MidiInput*, const juce::MidiMessage& m) override
    {
        std::lock_guard<std::mutex> g (lock);
        got.push_back ({ Bytes (m.getRawData(), m.getRawData() + m.getRawDataSize()), m.getTimeStamp() });
    }

    std::vector<std::pair<Bytes, double>> received()
    {
        std::lock_guard<std::mutex> g (lock);
        return got;
    }

    std::mutex lock;
    std::vector<std::pair<Bytes, double>> got;
};

struct DevicesFixture : public ::testing::Test
{
    zd8test::ManualTimeline timeline { 2000.0 };
    VirtualMidiDevices devices;
    std::shared_ptr<VirtualMidiDevice> alpha = std::make_shared<VirtualMidiDevice> ("Alpha", timeline);
    std::shared_ptr<VirtualMidiDevice> beta = std::make_shared<VirtualMidiDevice> ("Beta", timeline);
    Recorder atDevice; // listens at the end of beta's toDevice cable

    void SetUp() override
    {
        devices.add (alpha);
        devices.add (beta);
        beta->toDevice.connect (&atDevice);
    }

    void TearDown() override
    {
        if (beta != nullptr)
            beta->toDevice.connect (nullptr);
    }
};
} // namespace

TEST_F (DevicesFixture, ListsNamesAndOpensOnlyExistingIndices)
{
    EXPECT_EQ (devices.getInputNames(), juce::StringArray ({ "Alpha", "Beta" }));
    EXPECT_EQ (devices.getOutputNames(), juce::StringArray ({ "Alpha", "Beta" }));

    Recorder cb;
    for (int index : { -1, 2, 100 })
    {
        EXPECT_EQ (devices.openInput (index, &cb), nullptr) << index;
        EXPECT_EQ (devices.openOutput (index), nullptr) << index;
    }
    EXPECT_EQ (devices.openOutput (1)->getName(), "Beta");
    EXPECT_EQ (devices.openInput (0, &cb)->getName(), "Alpha");
}

TEST_F (DevicesFixture, OutputPortStampsTimedEventsAndSendsRawAtNow)
{
    auto out = devices.openOutput (1);
    ASSERT_NE (out, nullptr);

    juce::MidiBuffer block;
    block.addEvent (juce::MidiMessage::noteOn (1, 60, (juce::uint8) 64), 0);
    block.addEvent (juce::MidiMessage::noteOff (1, 60), 441);
    out->sendBlockOfMessages (block, 3000.0, 44100.0);

    const juce::uint8 raw[] = { 0xF0, 0x01, 0x02 };
    out->sendRawNow (raw, 3);
    out->sendMessageNow (juce::MidiMessage::midiStop());

    ASSERT_TRUE (beta->toDevice.waitUntilIdle());
    const auto got = atDevice.received();
    ASSERT_EQ (got.size(), 4u);
    EXPECT_EQ (got[0], std::make_pair (Bytes { 0x90, 60, 64 }, 3000.0));
    EXPECT_EQ (got[1], std::make_pair (Bytes { 0x80, 60, 0 }, 3010.0)); // 441 samples at 44.1 kHz
    EXPECT_EQ (got[2], std::make_pair (Bytes { 0xF0, 0x01, 0x02 }, 2000.0));
    EXPECT_EQ (got[3], std::make_pair (Bytes { 0xFC }, 2000.0));
}

TEST_F (DevicesFixture, StoppedBackgroundThreadHoldsTimedSendsBehindDirectOnes)
{
    auto out = devices.openOutput (1);
    juce::MidiBuffer clock;
    clock.addEvent (juce::MidiMessage::midiClock(), 0);

    out->stopBackgroundThread();
    out->sendBlockOfMessages (clock, 2100.0, 1000.0);
    const juce::uint8 piece[] = { 0xF0, 0x11, 0x22 };
    out->sendRawNow (piece, 3);
    out->startBackgroundThread();

    out->stopBackgroundThread();
    out->sendBlockOfMessages (clock, 2200.0, 1000.0);
    out->clearAllPendingMessages(); // dropped while held
    out->startBackgroundThread();

    ASSERT_TRUE (beta->toDevice.waitUntilIdle());
    const auto got = atDevice.received();
    ASSERT_EQ (got.size(), 2u);
    EXPECT_EQ (got[0].first, (Bytes { 0xF0, 0x11, 0x22 }));
    EXPECT_EQ (got[1], std::make_pair (Bytes { 0xF8 }, 2100.0));
}

TEST_F (DevicesFixture, PortsKeepARemovedDeviceWorking)
{
    Recorder plugin;
    auto in = devices.openInput (1, &plugin);
    auto out = devices.openOutput (1);
    in->start();

    std::weak_ptr<VirtualMidiDevice> watch = beta;
    devices.remove (beta);
    beta.reset(); // only the ports hold it now
    EXPECT_EQ (devices.getInputNames(), juce::StringArray ({ "Alpha" }));
    EXPECT_EQ (devices.openOutput (1), nullptr);
    ASSERT_FALSE (watch.expired());

    out->sendMessageNow (juce::MidiMessage::midiContinue());
    watch.lock()->fromDevice.sendNow (juce::MidiMessage::midiStop());
    ASSERT_TRUE (watch.lock()->toDevice.waitUntilIdle());
    ASSERT_TRUE (watch.lock()->fromDevice.waitUntilIdle());
    EXPECT_EQ (atDevice.received().size(), 1u);
    EXPECT_EQ (plugin.received().size(), 1u);
    EXPECT_EQ (in->getName(), "Beta");

    watch.lock()->toDevice.connect (nullptr);
    out.reset();
    in.reset();
    EXPECT_TRUE (watch.expired()); // the device went with its last port
}

TEST_F (DevicesFixture, InputPortHearsTheDeviceOnlyWhileStarted)
{
    Recorder plugin;
    auto in = devices.openInput (0, &plugin);

    alpha->fromDevice.sendNow (juce::MidiMessage::noteOn (3, 40, (juce::uint8) 1)); // not started yet
    ASSERT_TRUE (alpha->fromDevice.waitUntilIdle());
    in->start();
    alpha->fromDevice.sendNow (juce::MidiMessage::noteOn (3, 41, (juce::uint8) 1));
    ASSERT_TRUE (alpha->fromDevice.waitUntilIdle());
    in->stop();
    alpha->fromDevice.sendNow (juce::MidiMessage::noteOn (3, 42, (juce::uint8) 1));
    ASSERT_TRUE (alpha->fromDevice.waitUntilIdle());

    const auto got = plugin.received();
    ASSERT_EQ (got.size(), 1u);
    EXPECT_EQ (got[0].first, (Bytes { 0x92, 41, 1 }));
}

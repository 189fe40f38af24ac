#include "link/InstrumentPorts.h"
#include "link/VirtualMidiDevices.h"
#include "support/ManualTimeline.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

using namespace zd8;

namespace
{
using Bytes = std::vector<juce::uint8>;

/** One call a port received, with the bytes it carried and, for timed sends, the
    time each event is due. */
struct Call
{
    juce::String what;
    Bytes bytes {};
    double dueMs = 0.0;

    bool operator== (const Call& o) const { return what == o.what && bytes == o.bytes && dueMs == o.dueMs; }
};

std::ostream& operator<< (std::ostream& os, const Call& c)
{
    os << c.what << " [" << c.bytes.size() << " bytes";
    for (size_t i = 0; i < std::min<size_t> (c.bytes.size(), 10); ++i)
        os << " " << juce::String::toHexString ((int) c.bytes[i]);
    return os << "] @" << c.dueMs;
}

using Log = std::vector<Call>;

class RecordingOut : public MidiOutPort
{
public:
    RecordingOut (juce::String n, Log& l) : name (std::move (n)), log (l) {}
    ~RecordingOut() override { log.push_back ({ name + " deleted" }); }

    juce::String getName() const override { return name; }
    void sendMessageNow (const juce::MidiMessage& m) override
    {
        log.push_back ({ "now", Bytes (m.getRawData(), m.getRawData() + m.getRawDataSize()) });
    }
    void sendRawNow (const juce::uint8* data, int size) override { log.push_back ({ "raw", Bytes (data, data + size) }); }
    void sendBlockOfMessages (const juce::MidiBuffer& buffer, double startMs, double rate) override
    {
        for (const auto e : buffer)
            log.push_back ({ "timed", Bytes (e.data, e.data + e.numBytes), startMs + e.samplePosition * 1000.0 / rate });
    }
    void clearAllPendingMessages() override { log.push_back ({ "clear" }); }
    void startBackgroundThread() override { log.push_back ({ "start" }); }
    void stopBackgroundThread() override { log.push_back ({ "stop" }); }

private:
    juce::String name;
    Log& log;
};

class RecordingIn : public MidiInPort
{
public:
    RecordingIn (juce::String n, Log& l) : name (std::move (n)), log (l) {}
    ~RecordingIn() override { log.push_back ({ name + " deleted" }); }

    juce::String getName() const override { return name; }
    void start() override { log.push_back ({ name + " start" }); }
    void stop() override { log.push_back ({ name + " stop" }); }

private:
    juce::String name;
    Log& log;
};

/** Devices that exist by name; names in failing cannot be opened. */
class FakeDevices : public MidiDeviceProvider
{
public:
    juce::StringArray inputs { "In A", "In B" };
    juce::StringArray outputs { "Out A", "Out B" };
    juce::StringArray failing;
    juce::MidiInputCallback* lastCallback = nullptr;
    Log log;

    juce::StringArray getInputNames() override { return inputs; }
    juce::StringArray getOutputNames() override { return outputs; }

    std::unique_ptr<MidiInPort> openInput (int index, juce::MidiInputCallback* cb) override
    {
        if (! juce::isPositiveAndBelow (index, inputs.size()) || failing.contains (inputs[index]))
            return nullptr;
        lastCallback = cb;
        return std::make_unique<RecordingIn> (inputs[index], log);
    }

    std::unique_ptr<MidiOutPort> openOutput (int index) override
    {
        if (! juce::isPositiveAndBelow (index, outputs.size()) || failing.contains (outputs[index]))
            return nullptr;
        log.push_back ({ "open " + outputs[index] });
        return std::make_unique<RecordingOut> (outputs[index], log);
    }
};

struct NullCallback : public juce::MidiInputCallback
{
    void handleIncomingMidiMessage (juce::MidiInput*, const juce::MidiMessage&) override {}
};

/** F0 07 46 01 00 20 channel msb lsb F7: the instrument's channel program select. */
Bytes programSelect (int channel, int msb, int lsb)
{
    return { 0xF0, 0x07, 0x46, 0x01, 0x00, 0x20, (juce::uint8) channel, (juce::uint8) msb, (juce::uint8) lsb, 0xF7 };
}

juce::MemoryBlock sysexOfLength (int length)
{
    juce::MemoryBlock m ((size_t) length);
    auto* b = static_cast<juce::uint8*> (m.getData());
    for (int i = 0; i < length; ++i)
        b[i] = (juce::uint8) (i % 0x70);
    b[0] = 0xF0;
    b[length - 1] = 0xF7;
    return m;
}

struct PortsFixture : public ::testing::Test
{
    static constexpr double start = 1000.0;

    zd8test::ManualTimeline timeline { start };
    FakeDevices devices;
    LinkEnvironment environment { devices, timeline, timeline, juce::File() };
    NullCallback hub;
    std::unique_ptr<InstrumentPorts> ports = std::make_unique<InstrumentPorts> (environment, hub);

    Log takeLog() { return std::exchange (devices.log, {}); }

    void openOutputQuietly (int n)
    {
        ports->openOutput (n);
        devices.log.clear();
    }
};
} // namespace

TEST_F (PortsFixture, OpeningClosesTheOldPortFirstAndKeepsIndicesHonest)
{
    devices.failing.add ("Out A");

    struct Case { int n; Log calls; bool open; int index; };
    const std::vector<Case> cases {
        { 2, { { "open Out B" }, { "start" } }, true, 1 },
        { 2, { { "stop" }, { "Out B deleted" }, { "open Out B" }, { "start" } }, true, 1 }, // reopening closes first
        { 1, { { "stop" }, { "Out B deleted" } }, false, -1 },                            // the open fails
        { 2, { { "open Out B" }, { "start" } }, true, 1 },
        { 3, { { "stop" }, { "Out B deleted" } }, false, -1 },                            // beyond the list
        { 2, { { "open Out B" }, { "start" } }, true, 1 },
        { 0, { { "stop" }, { "Out B deleted" } }, false, -1 },                            // NONE
        { -5, {}, false, -1 },
    };

    for (size_t i = 0; i < cases.size(); ++i)
    {
        ports->openOutput (cases[i].n);
        EXPECT_EQ (takeLog(), cases[i].calls) << "step " << i;
        EXPECT_EQ (ports->isOutputOpen(), cases[i].open) << "step " << i;
        EXPECT_EQ (ports->getOutputIndex(), cases[i].index) << "step " << i;
    }

    ports->openInput (2);
    EXPECT_EQ (takeLog(), (Log { { "In B start" } }));
    EXPECT_EQ (devices.lastCallback, &hub);
    EXPECT_TRUE (ports->isInputOpen());
    EXPECT_EQ (ports->getInputIndex(), 1);

    ports->openInput (3);
    EXPECT_EQ (takeLog(), (Log { { "In B stop" }, { "In B deleted" } }));
    EXPECT_FALSE (ports->isInputOpen());
    EXPECT_EQ (ports->getInputIndex(), -1);
    EXPECT_EQ (ports->getThirdIndex(), -1);

    ports->openInput (1);
    ports->openOutput (2);
    takeLog();
    ports.reset();
    EXPECT_EQ (takeLog(), (Log { { "stop" }, { "Out B deleted" }, { "In A stop" }, { "In A deleted" } }));
}

TEST_F (PortsFixture, EverySendIsSilentWhileTheOutputIsClosed)
{
    juce::MidiBuffer buffer;
    buffer.addEvent (juce::MidiMessage::noteOn (1, 60, (juce::uint8) 90), 0);

    ports->sendSysEx (sysexOfLength (10));
    ports->sendSysEx (sysexOfLength (600));
    ports->sendNow (buffer);
    ports->sendDelayed (buffer, 5.0, 44100.0);
    ports->sendControllerNow (1, 7, 100);
    ports->selectChannelProgram (0, 1, 2);
    ports->selectChannelProgram (0, 1, 3);
    timeline.advance (500);

    EXPECT_TRUE (takeLog().empty());
}

TEST_F (PortsFixture, LongSysExGoesOutIn256BytePiecesAfterDroppingTheTimedQueue)
{
    openOutputQuietly (1);

    struct Case { int length; std::vector<int> pieces; };
    const std::vector<Case> cases {
        // A last piece of 1..3 bytes would take bytes from the piece before it.
        { 1, {} }, { 256, {} }, { 257, { 253, 4 } }, { 512, { 256, 256 } }, { 513, { 256, 253, 4 } },
    };

    for (const auto& c : cases)
    {
        const auto message = sysexOfLength (c.length);
        const auto* bytes = static_cast<const juce::uint8*> (message.getData());
        ports->sendSysEx (message);

        Log expected;
        if (c.pieces.empty())
        {
            expected.push_back ({ "timed", Bytes (bytes, bytes + c.length), start });
        }
        else
        {
            expected = { { "clear" }, { "stop" } };
            int offset = 0;
            for (int size : c.pieces)
            {
                expected.push_back ({ "raw", Bytes (bytes + offset, bytes + offset + size) });
                offset += size;
            }
            expected.push_back ({ "start" });
        }

        EXPECT_EQ (takeLog(), expected) << "length " << c.length;
    }
}

TEST_F (PortsFixture, NoPieceOfALongSysExCouldGoOutAsAShortMessage)
{
    // JUCE's Windows output sends a message of up to three bytes that does not start
    // with F0 as a short message (midiOutShortMsg), which sends four bytes of which
    // the instrument takes the tail of our message as garbage: every piece must have
    // at least four bytes or begin the message.
    auto sentAsShortMessage = [] (const Bytes& piece) { return piece.size() <= 3 && (piece.empty() || piece[0] != 0xF0); };

    openOutputQuietly (1);
    for (int length : { 255, 256, 257, 258, 259, 260, 512, 513 })
    {
        const auto message = sysexOfLength (length);
        ports->sendSysEx (message);

        Bytes joined;
        for (const auto& call : takeLog())
        {
            if (call.what != "raw" && call.what != "timed")
                continue;
            EXPECT_FALSE (sentAsShortMessage (call.bytes)) << "length " << length << ": " << call;
            EXPECT_LE (call.bytes.size(), (size_t) InstrumentPorts::sysexPieceSize) << "length " << length;
            joined.insert (joined.end(), call.bytes.begin(), call.bytes.end());
        }

        const auto* bytes = static_cast<const juce::uint8*> (message.getData());
        EXPECT_EQ (joined, Bytes (bytes, bytes + length)) << "length " << length;
    }
}

TEST_F (PortsFixture, TimedSendsUseTheClockAndTheirTimebase)
{
    openOutputQuietly (2);
    timeline.advance (250);

    juce::MidiBuffer buffer;
    buffer.addEvent (juce::MidiMessage::midiClock(), 0);
    buffer.addEvent (juce::MidiMessage::midiClock(), 441);

    ports->sendNow (buffer);        // positions in ms
    ports->sendDelayed (buffer, 30.0, 44100.0);
    ports->sendDelayed (buffer, 30.0, 0.0); // no timebase: nothing

    for (int channel : { 0, 1, 16, 17 })
        ports->sendControllerNow (channel, 7, 100);

    EXPECT_EQ (takeLog(), (Log {
                              { "timed", { 0xF8 }, 1250.0 },
                              { "timed", { 0xF8 }, 1691.0 },
                              { "timed", { 0xF8 }, 1280.0 },
                              { "timed", { 0xF8 }, 1290.0 },
                              { "timed", { 0xB0, 7, 100 }, 1250.0 },
                              { "timed", { 0xBF, 7, 100 }, 1250.0 },
                          }));
}

TEST_F (PortsFixture, ProgramSelectsArePacedByTheWindow)
{
    struct Select { double atMs; int channel, msb, lsb; };
    struct Sent { double atMs; int channel, msb, lsb; };
    struct Scenario { const char* name; std::vector<Select> selects; std::vector<Sent> sent; };

    const std::vector<Scenario> scenarios {
        { "three within 50 ms on channel 2",
          { { 0, 2, 0, 1 }, { 20, 2, 0, 2 }, { 40, 2, 0, 3 } },
          { { 0, 2, 0, 1 }, { 20, 2, 0, 2 }, { 140, 2, 0, 3 } } },
        { "a fourth 60 ms after the third moves the flush and wins",
          { { 0, 2, 0, 1 }, { 20, 2, 0, 2 }, { 40, 2, 0, 3 }, { 100, 2, 0, 4 } },
          { { 0, 2, 0, 1 }, { 20, 2, 0, 2 }, { 200, 2, 0, 4 } } },
        { "channels 1 and 5 flushed in channel order",
          { { 0, 5, 1, 10 }, { 10, 1, 2, 20 }, { 20, 5, 1, 11 }, { 30, 1, 2, 21 } },
          { { 0, 5, 1, 10 }, { 10, 1, 2, 20 }, { 20, 5, 1, 11 }, { 130, 1, 2, 21 }, { 130, 5, 1, 11 } } },
        { "a channel stays marked until a flush, then starts afresh",
          { { 0, 3, 0, 7 }, { 1000, 3, 0, 8 }, { 1500, 3, 0, 9 } },
          { { 0, 3, 0, 7 }, { 1000, 3, 0, 8 }, { 1100, 3, 0, 8 }, { 1500, 3, 0, 9 } } },
        { "out-of-range channels are ignored",
          { { 0, -1, 0, 1 }, { 0, 16, 0, 1 } },
          {} },
    };

    for (const auto& s : scenarios)
    {
        timeline.setNow (start);
        ports = std::make_unique<InstrumentPorts> (environment, hub);
        openOutputQuietly (1);

        for (const auto& select : s.selects)
        {
            timeline.advance (start + select.atMs - timeline.nowMs());
            ports->selectChannelProgram (select.channel, select.msb, select.lsb);
        }
        timeline.advance (1000);

        Log expected;
        for (const auto& sent : s.sent)
            expected.push_back ({ "timed", programSelect (sent.channel, sent.msb, sent.lsb), start + sent.atMs });

        EXPECT_EQ (takeLog(), expected) << s.name;
        ports.reset();
    }
}

TEST_F (PortsFixture, StoredPortsOpenOnlyOnAnExactNameOfThreeOrMoreCharacters)
{
    devices.inputs = { "In A", "AB", "Zed" };
    devices.outputs = { "Out A", "AB", "Zed" };

    struct Case { juce::StringArray names; int input; int output; };
    const std::vector<Case> cases {
        { { "Zed", "Out A", "NONE" }, 2, 0 },
        { { "In A", "Zed", "NONE" }, 0, 2 },
        { { "in a", "OUT A", "NONE" }, -1, -1 }, // case matters
        { { "AB", "AB", "NONE" }, -1, -1 },      // two characters never match
        { { "NONE", "NONE", "NONE" }, -1, -1 },
        { { "Zed" }, 2, -1 },                    // short list: no output name
        { {}, -1, -1 },
    };

    for (const auto& c : cases)
    {
        ports->openStoredPorts (c.names);
        EXPECT_EQ (ports->getInputIndex(), c.input) << c.names.joinIntoString ("|");
        EXPECT_EQ (ports->getOutputIndex(), c.output) << c.names.joinIntoString ("|");
        EXPECT_EQ (ports->isInputOpen(), c.input >= 0);
        EXPECT_EQ (ports->isOutputOpen(), c.output >= 0);
    }
}

//==============================================================================
namespace
{
struct Counter : public juce::MidiInputCallback
{
    void handleIncomingMidiMessage (juce::MidiInput*, const juce::MidiMessage&) override { ++count; }
    std::atomic<int> count { 0 };
};
} // namespace

TEST (PortsWithVirtualDevices, ARemovedDeviceKeepsWorkingUntilThePortIsChanged)
{
    zd8test::ManualTimeline timeline;
    VirtualMidiDevices devices;
    auto sim = std::make_shared<VirtualMidiDevice> ("ZD8 Sim", timeline);
    devices.add (sim);
    LinkEnvironment environment { devices, timeline, timeline, juce::File() };
    Counter hub, atSim;
    sim->toDevice.connect (&atSim);

    {
        InstrumentPorts ports (environment, hub);
        ports.openStoredPorts ({ "ZD8 Sim", "ZD8 Sim", "NONE" });
        ASSERT_TRUE (ports.isInputOpen() && ports.isOutputOpen());

        devices.remove (sim);
        ports.sendControllerNow (1, 1, 1);
        sim->fromDevice.sendNow (juce::MidiMessage::noteOn (1, 60, (juce::uint8) 1));
        ASSERT_TRUE (sim->toDevice.waitUntilIdle());
        ASSERT_TRUE (sim->fromDevice.waitUntilIdle());
        EXPECT_EQ (atSim.count, 1);
        EXPECT_EQ (hub.count, 1);

        ports.openOutput (1); // no longer listed
        ports.openInput (1);
        EXPECT_FALSE (ports.isOutputOpen());
        EXPECT_FALSE (ports.isInputOpen());
    }

    sim->fromDevice.sendNow (juce::MidiMessage::noteOn (1, 61, (juce::uint8) 1));
    ASSERT_TRUE (sim->fromDevice.waitUntilIdle());
    EXPECT_EQ (hub.count, 1);
    sim->toDevice.connect (nullptr);
}

TEST (PortsWithVirtualDevices, ChangingTheOutputWhileAnotherThreadSendsIsSafe)
{
    zd8test::ManualTimeline timeline;
    VirtualMidiDevices devices;
    devices.add (std::make_shared<VirtualMidiDevice> ("One", timeline));
    devices.add (std::make_shared<VirtualMidiDevice> ("Two", timeline));
    LinkEnvironment environment { devices, timeline, timeline, juce::File() };
    Counter hub;
    InstrumentPorts ports (environment, hub);

    std::atomic<bool> done { false };
    std::thread audio ([&] {
        juce::MidiBuffer clock;
        clock.addEvent (juce::MidiMessage::midiClock(), 0);
        while (! done)
            ports.sendDelayed (clock, 1.0, 48000.0);
    });

    for (int i = 0; i < 300; ++i)
        ports.openOutput (i % 3); // none, One, Two, none, ...

    done = true;
    audio.join();
    EXPECT_EQ (ports.getOutputIndex(), 1);
}

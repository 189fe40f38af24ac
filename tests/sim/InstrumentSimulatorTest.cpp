#include "sim/InstrumentSimulator.h"
#include "support/ManualTimeline.h"

#include <gtest/gtest.h>

#include <random>

namespace
{

using Bytes = std::vector<juce::uint8>;
using zd8sim::InstrumentSimulator;

/** What the plug-in's input would receive from the instrument. */
class RecordingInput : public juce::MidiInputCallback
{
public:
    void handleIncomingMidiMessage (juce::MidiInput*, const juce::MidiMessage& m) override
    {
        std::lock_guard<std::mutex> g (lock);
        messages.push_back ({ Bytes (m.getRawData(), m.getRawData() + m.getRawDataSize()), m.getTimeStamp() });
    }

    struct Delivery
    {
        Bytes bytes;
        double timeMs;
    };

    std::vector<Delivery> get() const
    {
        std::lock_guard<std::mutex> g (lock);
        return messages;
    }

private:
    mutable std::mutex lock;
    std::vector<Delivery> messages;
};

class InstrumentSimulatorTest : public ::testing::Test
{
protected:
    InstrumentSimulatorTest() { sim.getDevice()->fromDevice.connect (&fromInstrument); }
    ~InstrumentSimulatorTest() override { sim.getDevice()->fromDevice.connect (nullptr); }

    // The plug-in's output: one delivery per call, exactly these bytes.
    void send (const Bytes& bytes)
    {
        sim.getDevice()->toDevice.sendRaw (bytes.data(), (int) bytes.size(), clock.nowMs());
    }

    void sendAll (const std::vector<Bytes>& pieces)
    {
        for (const auto& p : pieces)
            send (p);
        settle();
    }

    void settle()
    {
        ASSERT_TRUE (sim.waitUntilHandled());
        ASSERT_TRUE (sim.waitUntilDelivered());
    }

    void expectUntouched()
    {
        for (int ch = 0; ch < 16; ++ch)
            EXPECT_EQ (sim.getChannelProgram (ch), -1) << "channel " << ch;
        EXPECT_EQ (sim.getMulti(), -1);
        EXPECT_EQ (sim.getSelectedChannel(), -1);
        EXPECT_TRUE (sim.getAddressedChanges().empty());
        EXPECT_EQ (sim.getIdentityRequestCount(), 0);
        EXPECT_TRUE (fromInstrument.get().empty());
    }

    static std::vector<Bytes> addressedSequence (int midiChannel, std::array<int, 5> address, int msb, int lsb)
    {
        const auto status = (juce::uint8) (0xB0 | (midiChannel - 1));
        std::vector<Bytes> seq;
        for (int i = 0; i < 5; ++i)
            seq.push_back ({ status, (juce::uint8) (110 + i), (juce::uint8) address[(size_t) i] });
        seq.push_back ({ status, 118, (juce::uint8) msb });
        seq.push_back ({ status, 119, (juce::uint8) lsb });
        return seq;
    }

    zd8test::ManualTimeline clock { 5000.0 };
    InstrumentSimulator sim { InstrumentSimulator::defaultName, clock };
    RecordingInput fromInstrument;
};

const Bytes identityRequest { 0xF0, 0x7E, 0x7F, 0x06, 0x01, 0xF7 };

//==============================================================================
TEST_F (InstrumentSimulatorTest, DeviceCarriesTheDefaultName)
{
    EXPECT_EQ (sim.getDevice()->getName(), juce::String ("ZD8 Simulator"));
}

TEST_F (InstrumentSimulatorTest, IdentityReplyCarriesTheConfiguredModelBytes)
{
    struct Case
    {
        const char* model;
        std::array<int, 4> bytes6to9;
    };
    const Case cases[] = {
        { "BRISVANE ZD8", { 0x46, 0x00, 0x01, 0x00 } },
        { "BRISVANE ZD8 SE", { 0x46, 0x00, 0x03, 0x00 } },
        { "BRISVANE Q5100", { 0x46, 0x00, 0x02, 0x00 } },
        { "BRISVANE GRAVO", { 0x41, 0x00, 0x01, 0x00 } },
        { "BRISVANE GRAVO SE", { 0x42, 0x00, 0x01, 0x00 } },
        { "BRISVANE LT6", { 0x44, 0x00, 0x03, 0x00 } },
        { "BRISVANE ZD7", { 0x00, 0x40, 0x00, 64 } },
        { "BRISVANE MORVA", { 0x00, 0x40, 0x00, 19 } },
    };

    size_t expectedReplies = 0;
    for (const auto& c : cases)
    {
        SCOPED_TRACE (c.model);
        sim.setIdentity (c.bytes6to9[0], c.bytes6to9[1], c.bytes6to9[2], c.bytes6to9[3]);
        sendAll ({ identityRequest });

        const auto replies = fromInstrument.get();
        ASSERT_EQ (replies.size(), ++expectedReplies);
        const Bytes expected { 0xF0, 0x7E, 0x7F, 0x06, 0x02, 0x07,
                               (juce::uint8) c.bytes6to9[0], (juce::uint8) c.bytes6to9[1],
                               (juce::uint8) c.bytes6to9[2], (juce::uint8) c.bytes6to9[3],
                               0x01, 0x00, 0x00, 0x00, 0xF7 };
        EXPECT_EQ (replies.back().bytes, expected);
        EXPECT_DOUBLE_EQ (replies.back().timeMs, clock.nowMs());
    }
}

TEST_F (InstrumentSimulatorTest, DefaultIdentityIsTheZd8AndAnyDeviceByteIsAnswered)
{
    sendAll ({ { 0xF0, 0x7E, 0x10, 0x06, 0x01, 0xF7 } });

    const auto replies = fromInstrument.get();
    ASSERT_EQ (replies.size(), 1u);
    EXPECT_EQ (replies[0].bytes, (Bytes { 0xF0, 0x7E, 0x7F, 0x06, 0x02, 0x07, 0x46, 0x00, 0x01, 0x00,
                                          0x01, 0x00, 0x00, 0x00, 0xF7 }));
    EXPECT_EQ (sim.getIdentityRequestCount(), 1);
}

TEST_F (InstrumentSimulatorTest, SilentInstrumentCountsRequestsButNeverReplies)
{
    sim.setAnswersIdentity (false);
    sendAll ({ identityRequest, identityRequest });

    EXPECT_EQ (sim.getIdentityRequestCount(), 2);
    EXPECT_TRUE (fromInstrument.get().empty());
}

//==============================================================================
TEST_F (InstrumentSimulatorTest, SelectionsAreDecodedFromTheirBytes)
{
    sendAll ({
        { 0xF0, 0x07, 0x46, 0x01, 0x00, 0x20, 0x00, 0x05, 0x03, 0xF7 }, // program 643 on channel 0
        { 0xF0, 0x07, 0x46, 0x01, 0x00, 0x20, 0x0F, 0x3F, 0x7F, 0xF7 }, // program 8191 on channel 15
        { 0xF0, 0x07, 0x46, 0x01, 0x00, 0x20, 0x04, 0x00, 0x01, 0xF7 }, // program 1 on channel 4
        { 0xF0, 0x07, 0x46, 0x01, 0x00, 0x11, 0x02, 0x0A, 0xF7 },       // multi 266
        { 0xF0, 0x07, 0x46, 0x01, 0x00, 0x40, 0x0D, 0xF7 },             // channel 13
    });

    EXPECT_EQ (sim.getChannelProgram (0), 643);
    EXPECT_EQ (sim.getChannelProgram (15), 8191);
    EXPECT_EQ (sim.getChannelProgram (4), 1);
    EXPECT_EQ (sim.getChannelProgram (1), -1);
    EXPECT_EQ (sim.getChannelProgram (16), -1);
    EXPECT_EQ (sim.getChannelProgram (-1), -1);
    EXPECT_EQ (sim.getMulti(), 266);
    EXPECT_EQ (sim.getSelectedChannel(), 13);
    EXPECT_TRUE (fromInstrument.get().empty()); // selections are not answered

    sendAll ({ { 0xF0, 0x07, 0x46, 0x01, 0x00, 0x20, 0x00, 0x00, 0x07, 0xF7 } });
    EXPECT_EQ (sim.getChannelProgram (0), 7); // the latest select wins
}

TEST_F (InstrumentSimulatorTest, AddressedSequencesDecodeToSignedValuesWithTheirAddress)
{
    struct Case
    {
        int channel, msb, lsb, value;
        std::array<int, 5> address;
    };
    const Case cases[] = {
        { 16, 63, 127, -1, { 1, 0, 1, 0, 20 } },   // what follows every identity reply
        { 1, 64, 0, 0, { 1, 0, 5, 0, 2 } },
        { 3, 0, 0, -8192, { 12, 0, 0, 0, 11 } },
        { 9, 127, 127, 8191, { 1, 0, 1, 0, 22 } },
        { 1, 64, 2, 2, { 12, 0, 0, 0, 11 } },       // multi mode
    };

    for (const auto& c : cases)
        sendAll (addressedSequence (c.channel, c.address, c.msb, c.lsb));

    const auto changes = sim.getAddressedChanges();
    ASSERT_EQ (changes.size(), std::size (cases));
    for (size_t i = 0; i < changes.size(); ++i)
    {
        SCOPED_TRACE (i);
        EXPECT_EQ (changes[i].midiChannel, cases[i].channel);
        EXPECT_EQ (changes[i].address, cases[i].address);
        EXPECT_EQ (changes[i].value, cases[i].value);
    }
}

TEST_F (InstrumentSimulatorTest, InterleavedSequencesOnTwoChannelsStayApart)
{
    const auto a = addressedSequence (2, { 1, 0, 5, 0, 3 }, 64, 100);
    const auto b = addressedSequence (5, { 1, 0, 1, 0, 20 }, 63, 127);
    std::vector<Bytes> mixed;
    for (size_t i = 0; i < a.size(); ++i)
    {
        mixed.push_back (a[i]);
        mixed.push_back (b[i]);
        mixed.push_back ({ 0xB1, 7, 90 }); // an ordinary controller on channel 2 in between
    }
    sendAll (mixed);

    const auto changes = sim.getAddressedChanges();
    ASSERT_EQ (changes.size(), 2u);
    EXPECT_EQ (changes[0].midiChannel, 2);
    EXPECT_EQ (changes[0].address, (std::array<int, 5> { 1, 0, 5, 0, 3 }));
    EXPECT_EQ (changes[0].value, 100);
    EXPECT_EQ (changes[1].midiChannel, 5);
    EXPECT_EQ (changes[1].address, (std::array<int, 5> { 1, 0, 1, 0, 20 }));
    EXPECT_EQ (changes[1].value, -1);
}

//==============================================================================
TEST_F (InstrumentSimulatorTest, LongSysexInThreePiecesIsAssembledOnce)
{
    Bytes message { 0xF0, 0x07, 0x46, 0x01, 0x00, 0x02, 0x00, 0x01, 0x00, 0x01, 0x00, 0x01 };
    while (message.size() < 599)
        message.push_back ((juce::uint8) (message.size() % 128));
    message.push_back (0xF7);
    ASSERT_EQ (message.size(), 600u);

    const std::vector<Bytes> pieces { { message.begin(), message.begin() + 256 },
                                      { message.begin() + 256, message.begin() + 512 },
                                      { message.begin() + 512, message.end() } };
    sendAll (pieces);

    const auto received = sim.getReceived();
    ASSERT_EQ (received.size(), 3u);
    for (size_t i = 0; i < 3; ++i)
    {
        EXPECT_EQ (received[i].bytes, pieces[i]);
        EXPECT_FALSE (received[i].partial);
    }
    ASSERT_EQ (sim.getAssembledSysex().size(), 1u);
    EXPECT_EQ (sim.getAssembledSysex()[0], message);
}

TEST_F (InstrumentSimulatorTest, SelectionSplitAcrossDeliveriesActsOnceWhenItsEndArrives)
{
    send ({ 0xF0, 0x07, 0x46, 0x01 });
    send ({ 0x00, 0x20, 0x02 });
    settle();
    EXPECT_EQ (sim.getChannelProgram (2), -1);

    sendAll ({ { 0x01, 0x05, 0xF7 } });
    EXPECT_EQ (sim.getChannelProgram (2), 133);
    EXPECT_EQ (sim.getAssembledSysex().size(), 1u);
}

TEST_F (InstrumentSimulatorTest, NewStartDropsTheUnfinishedMessage)
{
    sendAll ({ { 0xF0, 0x07, 0x46, 0x01, 0x00, 0x20, 0x03 },          // never finished
               { 0xF0, 0x07, 0x46, 0x01, 0x00, 0x11, 0x00, 0x07, 0xF7 } });

    EXPECT_EQ (sim.getMulti(), 7);
    EXPECT_EQ (sim.getChannelProgram (3), -1);
    ASSERT_EQ (sim.getAssembledSysex().size(), 1u);
    EXPECT_EQ (sim.getAssembledSysex()[0].size(), 9u);
}

TEST_F (InstrumentSimulatorTest, RealtimeBytesInsideALongMessageDoNotBreakIt)
{
    sendAll ({ { 0xF0, 0x07, 0x46, 0x01, 0x00, 0x11 }, { 0xF8 }, { 0x01, 0x00, 0xF7 } });

    EXPECT_EQ (sim.getMulti(), 128);
    EXPECT_EQ (sim.getReceived().size(), 3u);
}

TEST_F (InstrumentSimulatorTest, PartialNotificationsOfARealInputLeadToOneMessage)
{
    // A real MIDI input reports the bytes so far, then delivers the whole message.
    const Bytes whole { 0xF0, 0x07, 0x46, 0x01, 0x00, 0x20, 0x01, 0x00, 0x09, 0xF7 };
    auto& input = sim.getInputCallback();
    input.handlePartialSysexMessage (nullptr, whole.data(), 4, 10.0);
    input.handlePartialSysexMessage (nullptr, whole.data(), 7, 11.0);
    input.handleIncomingMidiMessage (nullptr, juce::MidiMessage (whole.data(), (int) whole.size(), 12.0));

    EXPECT_EQ (sim.getChannelProgram (1), 9);
    EXPECT_EQ (sim.getAssembledSysex().size(), 1u);

    const auto received = sim.getReceived();
    ASSERT_EQ (received.size(), 3u);
    EXPECT_TRUE (received[0].partial);
    EXPECT_EQ (received[1].bytes, Bytes (whole.begin(), whole.begin() + 7));
    EXPECT_DOUBLE_EQ (received[1].timeMs, 11.0);
    EXPECT_FALSE (received[2].partial);
}

TEST_F (InstrumentSimulatorTest, EveryMessageIsRecordedWithTheCableStamp)
{
    sim.getDevice()->toDevice.send (juce::MidiMessage::noteOn (1, 60, (juce::uint8) 100), 1234.5);
    sim.getDevice()->toDevice.sendNow (juce::MidiMessage::midiClock());
    ASSERT_TRUE (sim.waitForReceived (2));

    const auto received = sim.getReceived();
    ASSERT_EQ (received.size(), 2u);
    EXPECT_EQ (received[0].bytes, (Bytes { 0x90, 60, 100 }));
    EXPECT_DOUBLE_EQ (received[0].timeMs, 1234.5);
    EXPECT_EQ (received[1].bytes, (Bytes { 0xF8 }));
    EXPECT_DOUBLE_EQ (received[1].timeMs, clock.nowMs());

    sim.clearReceived();
    EXPECT_TRUE (sim.getReceived().empty());
}

//==============================================================================
TEST_F (InstrumentSimulatorTest, GarbageAndTruncatedInputIsRecordedAndChangesNothing)
{
    const std::vector<Bytes> garbage {
        { 0xF0, 0x08, 0x46, 0x01, 0x00, 0x20, 0x00, 0x00, 0x05, 0xF7 },       // other manufacturer
        { 0xF0, 0x07, 0x47, 0x01, 0x00, 0x20, 0x00, 0x00, 0x05, 0xF7 },       // other family
        { 0xF0, 0x07, 0x46, 0x02, 0x00, 0x20, 0x00, 0x00, 0x05, 0xF7 },       // other member
        { 0xF0, 0x07, 0x46, 0x01, 0x01, 0x20, 0x00, 0x00, 0x05, 0xF7 },       // device byte not 0
        { 0xF0, 0x07, 0x46, 0x01, 0x00, 0x20, 0x00, 0x00, 0xF7 },             // one byte short
        { 0xF0, 0x07, 0x46, 0x01, 0x00, 0x20, 0x00, 0x00, 0x05, 0x00, 0xF7 }, // one byte long
        { 0xF0, 0x07, 0x46, 0x01, 0x00, 0x20, 0x10, 0x00, 0x05, 0xF7 },       // channel 16
        { 0xF0, 0x07, 0x46, 0x01, 0x00, 0x11, 0x00, 0xF7 },                   // multi, short
        { 0xF0, 0x07, 0x46, 0x01, 0x00, 0x40, 0x10, 0xF7 },                   // channel select 16
        { 0xF0, 0x07, 0x46, 0x01, 0x00, 0x40, 0xF7 },                         // channel select, short
        { 0xF0, 0x07, 0x46, 0x01, 0x00, 0xF7 },                               // header only
        { 0xF0, 0x07, 0x46, 0xF7 },
        { 0xF0, 0xF7 },
        { 0xF0, 0x7E, 0x7F, 0x06, 0x01, 0x00, 0xF7 },                         // identity, long
        { 0xF0, 0x7E, 0x7F, 0x06, 0xF7 },                                     // identity, short
        { 0xF0, 0x7E, 0x7F, 0x06, 0x02, 0xF7 },                               // a reply, not a request
        { 0xF0, 0x7F, 0x7F, 0x06, 0x01, 0xF7 },                               // real-time universal
        { 0xF7 },                                                             // an end with no start
        { 0x00, 0x20, 0x00, 0x00, 0x05, 0xF7 },                               // a tail with no start
        { 0xF0, 0x07, 0x46, 0x01, 0x00, 0x11 },                               // a start ...
        { 0x90, 0x3C, 0x40 },                                                 // ... cut off by a note
        { 0x00, 0x05, 0xF7 },                                                 // ... so this tail is stray
        { 0xB0, 0x76, 0x3F },                                                 // 118 without its 119
        { 0xB1, 0x77, 0x7F },                                                 // 119 without a 118
        { 0xB0, 0x6E },                                                       // truncated controller
        { 0xB0, 0x77, 0x80 },                                                 // value byte >= 0x80
        { 0xB0, 0x76, 0x3F, 0x00 },                                           // one byte too many
        { 0xB0 },
        { 0xFF },
    };
    sendAll (garbage);

    expectUntouched();
    const auto received = sim.getReceived();
    ASSERT_EQ (received.size(), garbage.size());
    for (size_t i = 0; i < garbage.size(); ++i)
        EXPECT_EQ (received[i].bytes, garbage[i]) << "message " << i;

    // Nothing is stuck half-way: a good message afterwards is taken.
    sendAll ({ { 0xF0, 0x07, 0x46, 0x01, 0x00, 0x11, 0x00, 0x03, 0xF7 } });
    EXPECT_EQ (sim.getMulti(), 3);
}

TEST_F (InstrumentSimulatorTest, RandomPiecesNeverCrashOrFakeASelection)
{
    // Pieces drawn from bytes that matter (F0, F7, header and command bytes, statuses)
    // and random ones. Whatever is decoded must be something a valid message could
    // carry; the simulator must still work afterwards.
    std::mt19937 random (1234);
    const juce::uint8 interesting[] = { 0xF0, 0xF7, 0x07, 0x46, 0x01, 0x00, 0x20, 0x11,
                                        0x40, 0x7E, 0x06, 0xB0, 0x6E, 0x76, 0x77, 0xF8 };
    auto nextByte = [&]() -> juce::uint8 {
        return (random() % 2 == 0) ? interesting[random() % std::size (interesting)] : (juce::uint8) (random() % 256);
    };

    size_t sent = 0;
    for (int batch = 0; batch < 20; ++batch)
    {
        for (int i = 0; i < 200; ++i)
        {
            Bytes piece (1 + random() % 24);
            for (auto& b : piece)
                b = nextByte();
            send (piece);
            ++sent;
        }
        settle();
    }

    EXPECT_EQ (sim.getReceived().size(), sent);
    for (int ch = 0; ch < 16; ++ch)
        EXPECT_LE (sim.getChannelProgram (ch), 16383);
    EXPECT_LE (sim.getMulti(), 16383);
    EXPECT_LE (sim.getSelectedChannel(), 15);
    for (const auto& c : sim.getAddressedChanges())
    {
        EXPECT_GE (c.value, -8192);
        EXPECT_LE (c.value, 8191);
        EXPECT_GE (c.midiChannel, 1);
        EXPECT_LE (c.midiChannel, 16);
    }
    for (const auto& m : sim.getAssembledSysex())
    {
        ASSERT_GE (m.size(), 2u);
        EXPECT_EQ (m.front(), 0xF0);
        EXPECT_EQ (m.back(), 0xF7);
    }

    sim.resetState();
    send ({ 0xF7 }); // closes whatever start the random bytes left open
    sendAll ({ { 0xF0, 0x07, 0x46, 0x01, 0x00, 0x40, 0x06, 0xF7 } });
    EXPECT_EQ (sim.getSelectedChannel(), 6);
}

//==============================================================================
TEST_F (InstrumentSimulatorTest, ChannelMessagesReachThePluginAsMidiBytes)
{
    sim.sendNoteOn (1, 60, 100);
    sim.sendNoteOff (16, 60);
    sim.sendController (3, 32, 2);
    sim.sendProgramChange (3, 5);
    sim.sendPitchBend (2, 8192);
    sim.sendController (1, 1, 127);
    // Out of MIDI range: nothing is sent.
    sim.sendNoteOn (0, 60, 100);
    sim.sendNoteOn (17, 60, 100);
    sim.sendNoteOn (1, 128, 100);
    sim.sendController (1, 7, 128);
    sim.sendProgramChange (1, -1);
    sim.sendPitchBend (1, 16384);
    sim.sendRaw ({});
    sim.sendRaw ({ 0xF8 });
    ASSERT_TRUE (sim.waitUntilDelivered());

    const std::vector<Bytes> expected { { 0x90, 60, 100 }, { 0x8F, 60, 0 }, { 0xB2, 32, 2 }, { 0xC2, 5 },
                                        { 0xE1, 0x00, 0x40 }, { 0xB0, 1, 127 }, { 0xF8 } };
    const auto got = fromInstrument.get();
    ASSERT_EQ (got.size(), expected.size());
    for (size_t i = 0; i < got.size(); ++i)
    {
        EXPECT_EQ (got[i].bytes, expected[i]) << "message " << i;
        EXPECT_DOUBLE_EQ (got[i].timeMs, clock.nowMs());
    }
}

TEST_F (InstrumentSimulatorTest, SysexIsSentWholeOrInExactlyTwoDeliveries)
{
    const Bytes message { 0xF0, 0x07, 0x46, 0x01, 0x00, 0x04, 0x00, 0x00, 0x20, 0x03, 0x00, 0x01, 0x11, 0x22, 0xF7 };

    struct Case
    {
        size_t splitAt;
        size_t deliveries;
    };
    const Case cases[] = { { 0, 1 }, { 1, 2 }, { 6, 2 }, { message.size() - 1, 2 }, { message.size(), 1 }, { 999, 1 } };

    size_t before = 0;
    for (const auto& c : cases)
    {
        SCOPED_TRACE (c.splitAt);
        sim.sendSysex (message, c.splitAt);
        ASSERT_TRUE (sim.waitUntilDelivered());

        const auto got = fromInstrument.get();
        ASSERT_EQ (got.size() - before, c.deliveries);
        if (c.deliveries == 1)
        {
            EXPECT_EQ (got.back().bytes, message);
        }
        else
        {
            EXPECT_EQ (got[before].bytes, Bytes (message.begin(), message.begin() + (std::ptrdiff_t) c.splitAt));
            EXPECT_EQ (got[before + 1].bytes, Bytes (message.begin() + (std::ptrdiff_t) c.splitAt, message.end()));
        }
        before = got.size();
    }
}

TEST_F (InstrumentSimulatorTest, ResetStateForgetsSelectionsButKeepsTheRecord)
{
    sendAll ({ { 0xF0, 0x07, 0x46, 0x01, 0x00, 0x11, 0x00, 0x02, 0xF7 }, identityRequest });
    sendAll (addressedSequence (1, { 1, 0, 1, 0, 20 }, 64, 0));
    ASSERT_EQ (sim.getMulti(), 2);

    sim.resetState();
    EXPECT_EQ (sim.getMulti(), -1);
    EXPECT_EQ (sim.getIdentityRequestCount(), 0);
    EXPECT_TRUE (sim.getAddressedChanges().empty());
    EXPECT_EQ (sim.getReceived().size(), 9u);
}

} // namespace

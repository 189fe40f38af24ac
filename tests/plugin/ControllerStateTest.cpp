#include "plugin/ControllerState.h"
#include "support/PluginRig.h"

#include <gtest/gtest.h>

#include <thread>

using namespace zd8;
using zd8test::PluginRig;

namespace
{
    std::vector<juce::uint32> drain (ControllerState& hub)
    {
        std::vector<juce::uint32> out;
        hub.drainNotices (out);
        return out;
    }

    std::vector<juce::uint64> drainSlots (ControllerState& hub)
    {
        std::vector<juce::uint64> out;
        hub.drainSlotNotices (out);
        return out;
    }

    // What waits for the host to run its write rule, as (slot, value). (The rows a
    // program selection refreshed are only told to the host, and are left out here.)
    std::vector<std::pair<int, int>> takeHostPairs (ControllerState& hub)
    {
        std::vector<HostReports::Change> changes;
        hub.takeHostQueue (changes);
        std::vector<std::pair<int, int>> pairs;
        for (auto& c : changes)
            if (c.how == HostReports::How::writeRule)
                pairs.emplace_back (c.slot, c.value);
        return pairs;
    }

    juce::uint64 slotNotice (int slot, int value)
    {
        return (juce::uint64) (slot + 0x10000) << 32 | (juce::uint64) (value & 0xFFFF);
    }

    // The hub as the MIDI input thread sees it: messages handed in directly.
    void feed (ControllerState& hub, std::initializer_list<juce::uint8> bytes)
    {
        const std::vector<juce::uint8> v (bytes);
        hub.handleIncomingMidiMessage (nullptr, juce::MidiMessage (v.data(), (int) v.size()));
    }

    struct CountingListener : StateListener
    {
        void stateChanged (int) override { ++calls; }
        std::atomic<int> calls { 0 };
    };
}

TEST (ControllerState, ChannelMessagesFromTheInstrumentUpdateNotesSlotsAndNotices)
{
    PluginRig rig (false);
    ControllerState hub (rig.environment);
    drain (hub);

    feed (hub, { 0x92, 60, 100 });
    EXPECT_TRUE (hub.isNoteHeld (60));
    feed (hub, { 0x92, 60, 0 }); // note on with velocity 0 is a note off
    EXPECT_FALSE (hub.isNoteHeld (60));
    feed (hub, { 0x92, 61, 90 });
    feed (hub, { 0xB2, 123, 0 }); // all notes off: no notice
    EXPECT_FALSE (hub.isNoteHeld (61));
    feed (hub, { 0xB0, 1, 77 });  // modulation: slot + notice
    feed (hub, { 0xB0, 0, 5 });   // bank select MSB: ignored
    feed (hub, { 0xE1, 0x00, 0x40 });
    // Garbled channel messages (short, or data bytes above 0x7F) are ignored.
    feed (hub, { 0x92, 0xFF, 0x10 });
    feed (hub, { 0x92 });
    feed (hub, { 0xB0, 0x85, 3 });
    feed (hub, { 0xC3 });

    const std::vector<juce::uint32> expected { 0x90023C64, 0x80023C00, 0x90023D5A, 0xB000014D, 0xE0012000 };
    EXPECT_EQ (drain (hub), expected);
    EXPECT_EQ (hub.getParameters().value (ParameterTable::controllerSlot (0, 1)), 77);
    EXPECT_EQ (hub.getParameters().value (ParameterTable::controllerSlot (0, 0)), 0);

    // A controller write is queued for the host and noticed once; the same value again
    // changes nothing.
    feed (hub, { 0xB4, 74, 33 });
    feed (hub, { 0xB4, 74, 33 });
    const auto queued = takeHostPairs (hub);
    const int slot = ParameterTable::controllerSlot (4, 74);
    EXPECT_EQ (queued, (std::vector<std::pair<int, int>> { { ParameterTable::controllerSlot (0, 1), 77 }, { slot, 33 } }));
    EXPECT_EQ (drainSlots (hub).back(), slotNotice (slot, 33));
}

TEST (ControllerState, ProgramChangeAfterBankSelectSelectsTheBankedProgram)
{
    PluginRig rig (false);
    ControllerState hub (rig.environment);

    feed (hub, { 0xB3, 32, 2 });
    feed (hub, { 0xC3, 5 });
    EXPECT_EQ (hub.getChannelProgramNumber (3), 261);
    EXPECT_EQ (hub.getParameters().value (ParameterTable::programSlot (3, ParameterTable::programRow)), 261);

    EXPECT_EQ (takeHostPairs (hub), (std::vector<std::pair<int, int>> { { 3 * 16 + 14, 2 }, { 3 * 16 + 15, 5 } }));
}

TEST (ControllerState, ThruToHostKeepsTheLastHalfSecondAndDropsClock)
{
    PluginRig rig (false);
    rig.writeSettings ({ { 46, "1" } });
    ControllerState hub (rig.environment);
    ASSERT_TRUE (hub.isThruInToHost());

    feed (hub, { 0xC0, 9 });        // reaches the host and selects the program
    rig.timeline.advance (300);
    feed (hub, { 0xF8 });           // clock: dropped entirely
    feed (hub, { 0xB0, 7, 100 });   // not a host-bound controller
    rig.timeline.advance (300);     // the program change is now 600 ms old
    feed (hub, { 0x90, 64, 1 });

    juce::MidiBuffer out;
    {
        const juce::ScopedLock sl (hub.getLock());
        hub.mergeHostBoundMidi (out, 256);
    }
    ASSERT_EQ (out.getNumEvents(), 1);
    EXPECT_TRUE ((*out.begin()).getMessage().isNoteOn());
    EXPECT_EQ (hub.getParameters().value (ParameterTable::programSlot (0, ParameterTable::programRow)), 9);
}

TEST (ControllerState, SysexIsAssembledWholeOrInPiecesAndHandledOnce)
{
    PluginRig rig (false);
    ControllerState hub (rig.environment);
    drain (hub);

    const std::vector<juce::uint8> reply { 0xF0, 0x7E, 0x7F, 0x06, 0x02, 0x07, 0x46, 0x00, 0x01, 0x00, 1, 0, 0, 0, 0xF7 };

    // In two pieces, with a real-time byte and an unrelated status message in between.
    hub.handleIncomingMidiMessage (nullptr, juce::MidiMessage (reply.data(), 6));
    feed (hub, { 0xF8 });
    feed (hub, { 0xA0, 1, 2 });
    hub.handleIncomingMidiMessage (nullptr, juce::MidiMessage (reply.data() + 6, (int) reply.size() - 6));
    EXPECT_EQ (drain (hub), std::vector<juce::uint32> { ControllerState::identityReplyNotice });
    EXPECT_EQ (hub.getDeviceName(), "BRISVANE ZD8");

    // A continuation with nothing being assembled is ignored; a new F0 replaces an
    // unterminated message.
    feed (hub, { 0x01, 0x02, 0xF7 });
    hub.handleIncomingMidiMessage (nullptr, juce::MidiMessage (reply.data(), 8));
    hub.handleIncomingMidiMessage (nullptr, juce::MidiMessage (reply.data(), (int) reply.size()));
    EXPECT_EQ (drain (hub), std::vector<juce::uint32> { ControllerState::identityReplyNotice });

    // Oversized garbage never completes and never grows without bound.
    std::vector<juce::uint8> junk (300000, 0x11);
    junk[0] = 0xF0;
    for (int i = 0; i < 5; ++i)
        hub.handleIncomingMidiMessage (nullptr, juce::MidiMessage (junk.data(), (int) junk.size()));
    hub.handlePartialSysexMessage (nullptr, junk.data(), 10, 0);
    EXPECT_TRUE (drain (hub).empty());
}

TEST (ControllerState, PlayingModeSwitchBlocksInputForItsPeriod)
{
    struct Case
    {
        int mode, blockMs;
    };
    for (auto c : { Case { 1, 2000 }, Case { 2, 1000 } })
    {
        PluginRig rig (false);
        ControllerState hub (rig.environment);
        hub.switchPlayingMode (c.mode);
        EXPECT_EQ (hub.getPlayingMode(), c.mode);

        feed (hub, { 0xB0, 74, 1 });
        rig.timeline.advance (c.blockMs - 1);
        EXPECT_TRUE (hub.isInputBlocked());
        hub.switchPlayingMode (c.mode); // a second switch restarts the period
        rig.timeline.advance (c.blockMs - 1);
        EXPECT_TRUE (hub.isInputBlocked());
        rig.timeline.advance (1);
        EXPECT_FALSE (hub.isInputBlocked());
        EXPECT_EQ (hub.getParameters().value (ParameterTable::controllerSlot (0, 74)), 0) << "blocked input was lost";
        feed (hub, { 0xB0, 74, 1 });
        EXPECT_EQ (hub.getParameters().value (ParameterTable::controllerSlot (0, 74)), 1);
    }
}

TEST (ControllerState, IdentityExchangeWithTheInstrument)
{
    PluginRig rig;
    ControllerState hub (rig.environment);
    drain (hub);

    hub.requestIdentity();
    ASSERT_TRUE (rig.settle (1));
    ASSERT_TRUE (rig.settle());
    EXPECT_EQ (rig.receivedHex().front(), "F0 7E 7F 06 01 F7");

    // The reply is answered with channel 16's level at -1: seven controllers on 16.
    ASSERT_TRUE (rig.settle (8));
    const std::vector<juce::String> answer { "F0 7E 7F 06 01 F7", "BF 6E 01", "BF 6F 00", "BF 70 01", "BF 71 00", "BF 72 14", "BF 76 3F", "BF 77 7F" };
    EXPECT_EQ (rig.receivedHex(), answer);
    EXPECT_EQ (drain (hub), (std::vector<juce::uint32> { ControllerState::identityRequestNotice, ControllerState::identityReplyNotice }));
    EXPECT_EQ (hub.getDeviceName(), "BRISVANE ZD8");
}

TEST (ControllerState, SettingsDecideFlagsAndDelays)
{
    {
        PluginRig rig (false);
        rig.writeSettings ({ { 10, "332" }, { 11, "15" }, { 43, "1" }, { 8, "0" }, { 47, "0" }, { 42, "12" } });
        ControllerState hub (rig.environment);
        EXPECT_EQ (hub.getDelay (0), 0) << "without the latency marker the delays start at zero";
        EXPECT_TRUE (hub.isClockOn());
        EXPECT_FALSE (hub.isThruHostToOut());
        EXPECT_FALSE (hub.isProgramChangeByAutomation());
        EXPECT_EQ (hub.getMidiChannel(), 1);
    }
    {
        PluginRig rig (false);
        rig.writeSettings ({ { 11, "15" }, { 12, "7" }, { 16, "3" } });
        ControllerState hub (rig.environment);
        struct Rate
        {
            double rate;
            int delay;
        };
        for (auto r : { Rate { 44100, 15 }, Rate { 48000, 7 }, Rate { 22050, 15 }, Rate { 192000, 3 }, Rate { 96000, 0 } })
        {
            hub.setSampleRate (r.rate);
            EXPECT_EQ (hub.getCurrentDelay(), r.delay) << r.rate;
        }
    }
    {
        // No settings file: the defaults are used and written back.
        PluginRig rig (false);
        {
            ControllerState hub (rig.environment);
            EXPECT_TRUE (hub.isThruHostToOut());
            EXPECT_TRUE (hub.isProgramChangeByAutomation());
            hub.setClockOn (true);
        }
        const auto text = rig.folder.getChildFile ("brisipzd8.dat").loadFileAsString();
        EXPECT_TRUE (text.startsWith ("^|1.2.0 - 0 3 7|^^|-1|^"));
        ControllerState again (rig.environment);
        EXPECT_TRUE (again.isClockOn());
    }
}

TEST (ControllerState, HostWriteRuleSendsProgramsMultisAndControllers)
{
    PluginRig rig;
    ControllerState hub (rig.environment);
    rig.settle();
    rig.simulator.clearReceived();

    // Automation option off: the program-number row changes nothing.
    hub.setProgramChangeByAutomation (false);
    hub.setFromHost (15, 3);
    rig.settle();
    EXPECT_TRUE (rig.simulator.getReceived().empty());

    hub.setProgramChangeByAutomation (true);
    hub.setFromHost (14, 5);
    hub.setFromHost (15, 3);
    ASSERT_TRUE (rig.settle (1));
    EXPECT_EQ (rig.receivedHex().back(), "F0 07 46 01 00 20 00 05 03 F7");
    EXPECT_EQ (rig.simulator.getChannelProgram (0), 643);

    rig.simulator.clearReceived();
    hub.setFromHost (ParameterTable::multiProgramSlot, 10);
    hub.setFromHost (ParameterTable::multiBankSlot, 2);
    ASSERT_TRUE (rig.settle (2));
    EXPECT_EQ (rig.receivedHex().back(), "F0 07 46 01 00 11 02 0A F7");
    EXPECT_EQ (rig.simulator.getMulti(), 266);

    // FX chain rows never change through the host.
    const int insertChain = hub.getParameters().value (0);
    hub.setFromHost (0, insertChain + 1);
    EXPECT_EQ (hub.getParameters().value (0), insertChain);
    // Slots outside the table are dropped.
    hub.setFromHost (-1, 1);
    hub.setFromHost (2314, 1);
}

TEST (ControllerState, NoticesFromManyThreadsAreNeitherLostNorTorn)
{
    PluginRig rig (false);
    ControllerState hub (rig.environment);
    drain (hub);
    CountingListener listener;
    hub.addStateListener (&listener);

    constexpr int perThread = 2000;
    std::atomic<bool> done { false };
    std::vector<juce::uint32> seen;
    std::vector<juce::uint64> slots;

    std::thread reader ([&] {
        while (! done.load())
        {
            hub.drainNotices (seen);
            hub.drainSlotNotices (slots);
        }
    });

    std::vector<std::thread> writers;
    for (int t = 0; t < 3; ++t)
        writers.emplace_back ([&hub, t] {
            for (int i = 0; i < perThread; ++i)
            {
                hub.addNotice ((juce::uint32) (t << 24 | i));
                hub.addSlotNotice (t, i);
            }
        });
    for (auto& w : writers)
        w.join();
    done = true;
    reader.join();
    hub.drainNotices (seen);
    hub.drainSlotNotices (slots);
    hub.removeStateListener (&listener);

    ASSERT_EQ (seen.size(), (size_t) 3 * perThread);
    ASSERT_EQ (slots.size(), (size_t) 3 * perThread);
    EXPECT_EQ (listener.calls.load(), 6 * perThread);
    // Each writer's notices arrive whole and in its order.
    std::array<int, 3> next {};
    for (auto n : seen)
    {
        const int t = (int) (n >> 24), i = (int) (n & 0xFFFFFF);
        ASSERT_LT (t, 3);
        EXPECT_EQ (i, next[(size_t) t]++);
    }
}

namespace
{
    // 7-bit packing as the instrument does it, least significant bit first.
    std::vector<juce::uint8> pack7 (const std::vector<juce::uint8>& data)
    {
        std::vector<juce::uint8> out;
        unsigned bits = 0, count = 0;
        for (auto b : data)
        {
            bits |= (unsigned) b << count;
            count += 8;
            while (count >= 7)
            {
                out.push_back ((juce::uint8) (bits & 0x7F));
                bits >>= 7;
                count -= 7;
            }
        }
        if (count > 0)
            out.push_back ((juce::uint8) (bits & 0x7F));
        return out;
    }

    std::vector<juce::uint8> objectMessage (int command, int part, int blockType, size_t totalLength)
    {
        std::vector<juce::uint8> m (totalLength, 0);
        const std::vector<juce::uint8> head { 0xF0, 0x07, 0x46, 0x01, 0x00, (juce::uint8) command, 0x00, 0x01,
                                              (juce::uint8) part, (juce::uint8) blockType, 0x00, 0x01 };
        std::copy (head.begin(), head.end(), m.begin());
        m.back() = 0xF7;
        return m;
    }

    void send (ControllerState& hub, const std::vector<juce::uint8>& m) { hub.handleInstrumentSysex (m.data(), m.size()); }
}

TEST (ControllerState, InstrumentMessagesReachTheImageByCommandAndBlockType)
{
    PluginRig rig (false);
    ControllerState hub (rig.environment);
    auto& image = hub.getImage();

    send (hub, objectMessage (0x02, 3, 2, 119));
    EXPECT_EQ (image.getProgramMark (3), '#');
    send (hub, objectMessage (0x02, 4, 4, 40));
    EXPECT_EQ (image.getProgramMark (4), '!');
    send (hub, objectMessage (0x02, 5, 2, 118)); // one byte short of its length
    EXPECT_EQ (image.getProgramMark (5), 0);
    send (hub, objectMessage (0x02, 32, 4, 40)); // part 32: no channel
    auto wrongFamily = objectMessage (0x02, 6, 4, 40);
    wrongFamily[2] = 0x45;
    send (hub, wrongFamily);
    EXPECT_EQ (image.getProgramMark (6), 0);
    EXPECT_EQ (image.getProgramMessageCount(), 2);

    // The channel-program table (master block type 3) moves channel 1 to program 300.
    std::vector<juce::uint8> table (16 * 8, 0);
    table[2] = 0x01;
    table[3] = 0x2C;
    auto master = objectMessage (0x04, 0, 3, 13);
    master.pop_back();
    for (auto b : pack7 (table))
        master.push_back (b);
    master.push_back (0xF7);
    drainSlots (hub);
    send (hub, master);
    const int programSlot = ParameterTable::programSlot (0, ParameterTable::programRow);
    EXPECT_EQ (hub.getParameters().value (programSlot), 300);
    EXPECT_EQ (drainSlots (hub), std::vector<juce::uint64> { slotNotice (programSlot, 300) });
    EXPECT_EQ (hub.getParameters().value (ParameterTable::programSlot (1, ParameterTable::programRow)), 1)
        << "a table entry of 0 is not a program";
    EXPECT_EQ (image.getMaster().getLastChange(), 4);

    // Transfer replies go to the transfer engine; with the transfer flag set, so does
    // every instrument message.
    auto& fifo = hub.getMailbox();
    const std::vector<juce::uint8> info { 0xF0, 0x07, 0x46, 0x01, 0x00, 0x5A, 0x02, 0x00, 0xF7 };
    send (hub, info);
    EXPECT_EQ (fifo.getHandOverCount(), 1u);
    EXPECT_EQ (fifo.getLastMessage().getSize(), info.size() - 1) << "kept without its F0";
    send (hub, { 0xF0, 0x07, 0x46, 0x01, 0x00, 0x5B, 0x00, 0xF7 });
    EXPECT_EQ (fifo.getHandOverCount(), 1u);
    hub.setTransferFlag (true);
    send (hub, objectMessage (0x02, 7, 4, 40));
    EXPECT_EQ (fifo.getHandOverCount(), 2u);
    EXPECT_EQ (image.getProgramMark (7), 0);
}

TEST (ControllerState, PortsAreChosenByNumberAndRememberedByName)
{
    PluginRig rig (false);
    {
        ControllerState hub (rig.environment);
        EXPECT_FALSE (hub.getPorts().isOutputOpen());
        EXPECT_EQ (hub.getPortNames(), juce::StringArray ({ "NONE", "NONE", "NONE" }));

        hub.selectInputPort (5); // beyond the list: nothing opens, the name stays
        EXPECT_FALSE (hub.getPorts().isInputOpen());
        EXPECT_EQ (hub.getPortNames()[0], "NONE");

        hub.selectInputPort (1);
        hub.selectOutputPort (1);
        EXPECT_TRUE (hub.getPorts().isInputOpen());
        EXPECT_TRUE (hub.getPorts().isOutputOpen());
        EXPECT_EQ (hub.getPortNames(), juce::StringArray ({ "ZD8 Simulator", "ZD8 Simulator", "NONE" }));
        hub.savePortFile();
    }

    ControllerState again (rig.environment);
    EXPECT_TRUE (again.getPorts().isInputOpen());
    EXPECT_TRUE (again.getPorts().isOutputOpen());
    again.selectOutputPort (0);
    EXPECT_FALSE (again.getPorts().isOutputOpen());
    EXPECT_EQ (again.getPortNames()[1], "NONE");
}

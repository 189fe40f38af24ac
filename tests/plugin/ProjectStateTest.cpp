// A project's state as a host saves it (getStateInformation) and gives it back
// (setStateInformation), through the processor with the instrument simulator on the
// cable: what the host reads afterwards, the live Arrangement and the current slot,
// what the instrument hears on reopening and in which order, the orders in which hosts
// set the program around the state, bank readers that know nothing of the live part,
// and damaged live sections.
#include "arrangements/ArrangementFiles.h"
#include "plugin/ProjectState.h"
#include "plugin/VantorAudioProcessor.h"
#include "sim/AddressedChangeDecoder.h"
#include "sim/InstrumentSysexDecoder.h"
#include "support/PluginRig.h"

#include <gtest/gtest.h>

#include <functional>
#include <utility>
#include <limits>

using namespace zd8;
using zd8test::PluginRig;

namespace
{
    /** One thing the instrument heard, decoded, in the order it arrived. */
    struct Heard
    {
        enum Kind { programSelect, multiSelect, addressed, controller } kind;
        int channel = 0; // 0..15
        int number = 0;  // program, multi, controller; the address's A5 for addressed changes
        int value = 0;
        std::array<int, 5> address {};
    };

    constexpr std::array<int, 5> playingModeAddress { 12, 0, 0, 0, 11 };
    constexpr std::array<int, 5> levelAddress { 1, 0, 1, 0, 20 };
    constexpr std::array<int, 5> panAddress { 1, 0, 1, 0, 22 };

    struct Instance
    {
        Instance()
        {
            rig.settle();
            rig.simulator.clearReceived();
            rig.simulator.resetState();
        }

        /** The message loop runs: the host hears the queued changes, the instrument gets
            what they send, and the program pacing windows run out. */
        void run()
        {
            for (int round = 0; round < 3; ++round)
            {
                p.getHub().getHostQueueSignal().dispatchPendingMessages();
                ASSERT_TRUE (rig.settle());
                rig.timeline.advance (250);
                ASSERT_TRUE (rig.settle());
            }
        }

        std::vector<Heard> heard() const
        {
            zd8sim::AddressedChangeDecoder decoder;
            std::vector<Heard> out;
            for (const auto& r : rig.simulator.getReceived())
            {
                if (r.partial || r.bytes.size() < 3)
                    continue;
                if (r.bytes[0] == 0xF0)
                {
                    using Decoder = zd8sim::InstrumentSysexDecoder;
                    const auto d = Decoder::decode (r.bytes.data(), r.bytes.size());
                    if (d.kind == Decoder::Kind::channelProgramSelect)
                        out.push_back ({ Heard::programSelect, d.channel, d.number });
                    else if (d.kind == Decoder::Kind::multiSelect)
                        out.push_back ({ Heard::multiSelect, 0, d.number });
                    continue;
                }
                if ((r.bytes[0] & 0xF0) != 0xB0)
                    continue;
                const int midiChannel = (r.bytes[0] & 0x0F) + 1, number = r.bytes[1], value = r.bytes[2];
                zd8sim::AddressedChangeDecoder::Change change;
                if (! zd8sim::AddressedChangeDecoder::isSequenceController (number))
                    out.push_back ({ Heard::controller, midiChannel - 1, number, value });
                else if (decoder.addController (midiChannel, number, value, change))
                    out.push_back ({ Heard::addressed, change.midiChannel - 1, change.address[4], change.value, change.address });
            }
            return out;
        }

        std::vector<int> values()
        {
            std::vector<int> v;
            for (int slot = 0; slot < ParameterTable::numSlots; ++slot)
                v.push_back (p.getHub().getParameters().value (slot));
            return v;
        }

        std::vector<float> hostReads()
        {
            std::vector<float> v;
            for (auto* parameter : p.getParameters())
                v.push_back (parameter->getValue());
            return v;
        }

        juce::MemoryBlock state()
        {
            juce::MemoryBlock m;
            p.getStateInformation (m);
            return m;
        }

        PluginRig rig;
        VantorAudioProcessor p { rig.environment };
    };

    int slotOf (int channel, int row) { return ParameterTable::programSlot (channel, row); }

    /** A song as a player builds it: "Rock" recalled from the host's list, then channel
        programs, levels, a pan and an FX chain from the window, a controller and multi
        mode from the host, a multi from the multi page. */
    void buildSong (Instance& song)
    {
        auto& window = song.p.getEditorConnection();
        song.p.setCurrentProgram (2);
        song.run();
        window.setSlotFromEditor (slotOf (4, ParameterTable::programRow), 643);
        window.setSlotFromEditor (slotOf (9, ParameterTable::programRow), 5000);
        window.setSlotFromEditor (slotOf (3, ParameterTable::levelRow), -20);
        window.setSlotFromEditor (slotOf (5, ParameterTable::panRow), 30);
        window.setSlotFromEditor (slotOf (2, ParameterTable::aux1ChainRow), 77);
        song.p.getParameters()[ParameterTable::controllerSlot (0, 7)]->setValue (100.0f / 127.0f);
        song.p.getParameters()[ParameterTable::playingModeSlot]->setValue (1.0f);
        window.selectMulti (300, true, true);
        song.run();
        ASSERT_EQ (song.p.getHub().getParameters().value (ParameterTable::playingModeSlot), 2);
        ASSERT_EQ (song.p.getHub().getParameters().value (ParameterTable::multiSlot), 300);
    }

    int indexOf (const std::vector<Heard>& heard, Heard::Kind kind, int channel)
    {
        for (size_t i = 0; i < heard.size(); ++i)
            if (heard[i].kind == kind && (kind == Heard::multiSelect || heard[i].channel == channel))
                return (int) i;
        return -1;
    }

    std::vector<int> programSelects (const std::vector<Heard>& heard, int channel)
    {
        std::vector<int> numbers;
        for (auto& h : heard)
            if (h.kind == Heard::programSelect && h.channel == channel)
                numbers.push_back (h.number);
        return numbers;
    }

    /** No level, pan, send or controller reaches a channel before its last program
        select: loading the program would undo it. */
    void expectValuesFollowPrograms (const std::vector<Heard>& heard)
    {
        for (int c = 0; c < 16; ++c)
        {
            int lastSelect = -1;
            for (size_t i = 0; i < heard.size(); ++i)
                if (heard[i].kind == Heard::programSelect && heard[i].channel == c)
                    lastSelect = (int) i;
            for (size_t i = 0; i < heard.size(); ++i)
            {
                const bool value = (heard[i].kind == Heard::addressed || heard[i].kind == Heard::controller)
                                   && heard[i].channel == c && heard[i].address != playingModeAddress;
                if (value)
                {
                    EXPECT_GT ((int) i, lastSelect) << "channel " << c + 1 << ": a value before the program select";
                }
            }
        }
    }

    bool hearsValue (const std::vector<Heard>& heard, int channel, const std::array<int, 5>& address, int value)
    {
        for (auto& h : heard)
            if (h.kind == Heard::addressed && h.channel == channel && h.address == address && h.value == value)
                return true;
        return false;
    }
}

TEST (ProjectState, ReopeningAProjectBringsBackEveryParameterAndTheInstrumentHearsItOnceInOrder)
{
    Instance song;
    buildSong (song);
    const auto saved = song.state();
    const auto values = song.values();
    const auto reads = song.hostReads();

    Instance reopened;
    reopened.p.setStateInformation (saved.getData(), (int) saved.getSize());
    // What the host reads right after its state call, and still after the message loop
    // ran (no late report may overwrite a restored value).
    EXPECT_EQ (reopened.values(), values);
    EXPECT_EQ (reopened.hostReads(), reads);
    EXPECT_EQ (reopened.p.getCurrentProgram(), 2);
    reopened.run();
    EXPECT_EQ (reopened.values(), values);
    EXPECT_EQ (reopened.hostReads(), reads);

    const auto heard = reopened.heard();
    ASSERT_FALSE (heard.empty());
    EXPECT_EQ (heard.front().kind, Heard::addressed);
    EXPECT_EQ (heard.front().address, playingModeAddress);
    EXPECT_EQ (heard.front().value, 2) << "multi mode first";
    const int multi = indexOf (heard, Heard::multiSelect, 0);
    ASSERT_GE (multi, 0);
    EXPECT_EQ (heard[(size_t) multi].number, 300);
    for (int c = 0; c < 16; ++c)
    {
        EXPECT_EQ (programSelects (heard, c), std::vector<int> { values[(size_t) slotOf (c, ParameterTable::programRow)] })
            << "channel " << c + 1 << " hears its program once";
        EXPECT_GT (indexOf (heard, Heard::programSelect, c), multi);
    }
    EXPECT_EQ (programSelects (heard, 9), std::vector<int> { 5000 });
    expectValuesFollowPrograms (heard);
    EXPECT_TRUE (hearsValue (heard, 3, levelAddress, -20));
    EXPECT_TRUE (hearsValue (heard, 5, panAddress, 30));
    bool volume = false;
    for (auto& h : heard)
        volume = volume || (h.kind == Heard::controller && h.channel == 0 && h.number == 7 && h.value == 100);
    EXPECT_TRUE (volume);

    // The host restores the project's program number after the state: the same moment,
    // so nothing is recalled over the restored Arrangement.
    reopened.rig.simulator.clearReceived();
    reopened.p.setCurrentProgram (2);
    reopened.run();
    EXPECT_TRUE (reopened.heard().empty());
    EXPECT_EQ (reopened.values(), values);

    // A program chosen later is recalled as always.
    reopened.p.setCurrentProgram (2);
    reopened.run();
    EXPECT_EQ (programSelects (reopened.heard(), 4), std::vector<int> { 825 }) << "Rock's own program on channel 5";
}

TEST (ProjectState, EveryOrderOfProgramAndStateEndsOnTheProjectAndSendsEachProgramOnce)
{
    Instance song;
    buildSong (song);
    const auto saved = song.state();
    const auto values = song.values();

    struct Case
    {
        const char* name;
        int programBefore;     // -1: none
        bool runBetween;       // the message loop runs between the two calls
        int programAfter;      // -1: none
        int selectsOnChannel5; // channel 5 changes from Rock's 825 to 643
        int selectsOnChannel1; // channel 1 plays Rock's program in both
    };
    const Case cases[] = {
        { "state alone", -1, false, -1, 1, 1 },
        { "state, then its program", -1, false, 2, 1, 1 },
        { "state, loop, then its program", -1, true, 2, 1, 1 },
        { "its program, then state", 2, false, -1, 1, 1 },
        // The recall went out before the state came: only what differs follows it, and
        // the second select of a channel opens the pacing window, at whose end every
        // channel selected since goes out again (with what follows its program).
        { "its program, loop, then state", 2, true, -1, 3, 2 },
        { "another program, then state", 5, false, -1, 1, 1 },
    };

    for (auto& c : cases)
    {
        SCOPED_TRACE (c.name);
        Instance host;
        if (c.programBefore >= 0)
            host.p.setCurrentProgram (c.programBefore);
        if (c.runBetween)
            host.run();
        host.p.setStateInformation (saved.getData(), (int) saved.getSize());
        if (c.runBetween && c.programAfter >= 0)
            host.run();
        if (c.programAfter >= 0)
            host.p.setCurrentProgram (c.programAfter);
        host.run();

        EXPECT_EQ (host.values(), values);
        EXPECT_EQ (host.p.getCurrentProgram(), 2);
        const auto heard = host.heard();
        EXPECT_EQ ((int) programSelects (heard, 4).size(), c.selectsOnChannel5);
        EXPECT_EQ (programSelects (heard, 4).back(), 643);
        EXPECT_EQ ((int) programSelects (heard, 0).size(), c.selectsOnChannel1);
        EXPECT_EQ (host.p.getHub().getParameters().value (ParameterTable::playingModeSlot), 2);
        expectValuesFollowPrograms (heard);
        EXPECT_TRUE (hearsValue (heard, 3, levelAddress, -20));
    }
}

TEST (ProjectState, BankReadersOfEveryVersionGetTheBankAndABankAloneLoadsAsBefore)
{
    Instance song;
    buildSong (song);
    song.p.changeProgramName (7, "Encore");
    const auto saved = song.state();
    const auto* bytes = static_cast<const juce::uint8*> (saved.getData());
    const auto bank = ArrangementFiles::makeBankChunk (song.p.getHub().getBank());
    ASSERT_EQ (bank.getSize(), 19225u);
    EXPECT_EQ (memcmp (bytes, bank.getData(), bank.getSize()), 0) << "the state begins with the bank chunk as it was";

    // A reader of bank chunks only: every byte after the tags over its record block, the
    // first 64 records used.
    juce::MemoryBlock block (19200, true);
    block.setSize (saved.getSize() - 25, true);
    block.copyFrom (bytes + 25, 0, saved.getSize() - 25);
    EXPECT_EQ (memcmp (block.getData(), static_cast<const juce::uint8*> (bank.getData()) + 25, 19200), 0);

    // A bank chunk alone (an older project, a bank file): the bank, and nothing else.
    Instance older;
    const auto liveBefore = older.values();
    older.p.setStateInformation (bank.getData(), (int) bank.getSize());
    older.run();
    EXPECT_EQ (older.p.getProgramName (7).trimEnd(), "Encore");
    EXPECT_EQ (older.values(), liveBefore);
    EXPECT_EQ (older.p.getCurrentProgram(), 0);
    EXPECT_TRUE (older.heard().empty());

    // The bank file in the user's folder stays the bank chunk alone.
    PluginRig closing;
    {
        VantorAudioProcessor p (closing.environment);
        p.setStateInformation (saved.getData(), (int) saved.getSize());
    }
    juce::MemoryBlock written;
    ASSERT_TRUE (closing.folder.getChildFile ("preset bank.zd8arrbank").loadFileAsData (written));
    EXPECT_EQ (written, bank);
}

TEST (ProjectState, DamagedLiveSectionsAreBroughtIntoRangeOrLeftOut)
{
    Instance song;
    buildSong (song);
    const auto saved = song.state();
    constexpr size_t section = 19225, body = section + 28, firstValue = body + 8;
    auto valueAt = [] (int slot) { return firstValue + 4 * (size_t) slot; };
    auto put = [] (juce::MemoryBlock& m, size_t at, juce::uint32 v, int bytes) {
        for (int i = 0; i < bytes; ++i)
            m[at + (size_t) i] = (char) (juce::uint8) (v >> (8 * (bytes - 1 - i)));
    };

    const int level = slotOf (3, ParameterTable::levelRow), volume = ParameterTable::controllerSlot (0, 7);
    constexpr int keptAsItWas = std::numeric_limits<int>::min();
    struct Case
    {
        const char* name;
        std::function<void (juce::MemoryBlock&)> damage;
        bool restored;                 // the live part is used at all
        std::vector<std::pair<int, int>> expected; // slot, value the table holds
        int currentProgram;
    };
    const Case cases[] = {
        { "whole", [] (juce::MemoryBlock&) {}, true, { { level, -20 }, { volume, 100 } }, 2 },
        { "cut short by a byte", [] (juce::MemoryBlock& m) { m.setSize (m.getSize() - 1); }, false, {}, 0 },
        { "length beyond the data", [&] (juce::MemoryBlock& m) { put (m, section + 24, 0x7FFFFFFF, 4); }, false, {}, 0 },
        { "foreign tag", [&] (juce::MemoryBlock& m) { m[section] = 'X'; }, false, {}, 0 },
        { "level far above its range", [&] (juce::MemoryBlock& m) { put (m, valueAt (level), 9999, 4); }, true, { { level, 24 } }, 2 },
        { "controller below 0", [&] (juce::MemoryBlock& m) { put (m, valueAt (volume), (juce::uint32) -5, 4); }, true, { { volume, 0 } }, 2 },
        { "multi beyond 8191", [&] (juce::MemoryBlock& m) { put (m, valueAt (ParameterTable::multiSlot), 20000, 4); }, true,
          { { ParameterTable::multiSlot, 8191 } }, 2 },
        { "unknown playing mode", [&] (juce::MemoryBlock& m) { put (m, valueAt (ParameterTable::playingModeSlot), 7, 4); }, true,
          { { ParameterTable::playingModeSlot, 1 } }, 2 },
        { "slot beyond the bank", [&] (juce::MemoryBlock& m) { put (m, body, 300, 2); }, true, { { level, -20 } }, 0 },
        { "fewer values than slots", [&] (juce::MemoryBlock& m) { put (m, body + 6, 3, 2); }, true, { { level, keptAsItWas } }, 2 },
    };

    for (auto& c : cases)
    {
        SCOPED_TRACE (c.name);
        auto chunk = saved;
        c.damage (chunk);
        Instance host;
        const auto before = host.values();
        host.p.setStateInformation (chunk.getData(), (int) chunk.getSize());
        host.run();

        EXPECT_EQ (host.p.getProgramName (2).trimEnd(), "Rock") << "the bank is applied in every case";
        EXPECT_EQ (host.p.getCurrentProgram(), c.currentProgram);
        if (! c.restored)
        {
            EXPECT_EQ (host.values(), before);
            EXPECT_TRUE (host.heard().empty());
        }
        for (auto [slot, value] : c.expected)
            EXPECT_EQ (host.p.getHub().getParameters().value (slot), value == keptAsItWas ? before[(size_t) slot] : value) << "slot " << slot;
        for (auto* parameter : host.p.getParameters())
        {
            EXPECT_GE (parameter->getValue(), 0.0f);
            EXPECT_LE (parameter->getValue(), 1.0f);
        }
    }
}

TEST (ProjectState, ProgramsAndMultisTheHostChoseAreWhatTheProjectKeeps)
{
    // The host's automation of the program bank and number rows, and of the multi's bank
    // and program rows: the instrument plays what they make, and the live Arrangement
    // (the project, the host's preset, SET CURRENT) must say the same.
    Instance song;
    auto host = [&song] (int slot, int value) {
        auto& table = song.p.getHub().getParameters();
        song.p.getParameters()[slot]->setValue ((float) (value - table.minimum (slot)) / (float) (table.maximum (slot) - table.minimum (slot)));
    };
    host (slotOf (2, ParameterTable::programBankRow), 5);
    host (slotOf (2, ParameterTable::programNumberRow), 3);
    host (ParameterTable::playingModeSlot, 2);
    host (ParameterTable::multiBankSlot, 2);
    host (ParameterTable::multiProgramSlot, 44);
    song.run();
    EXPECT_EQ (programSelects (song.heard(), 2), std::vector<int> { 643 });

    juce::MemoryBlock preset;
    song.p.getCurrentProgramStateInformation (preset);
    auto* record = static_cast<const juce::uint8*> (preset.getData()) + ArrangementFiles::arrangementHeaderSize;
    EXPECT_EQ (record[24 + 4] << 8 | record[24 + 5], 643) << "channel 3's program in the live Arrangement";
    EXPECT_EQ (record[56] << 8 | record[57], 300) << "the multi in the live Arrangement";

    const auto saved = song.state();
    Instance reopened;
    reopened.p.setStateInformation (saved.getData(), (int) saved.getSize());
    reopened.run();
    const auto heard = reopened.heard();
    EXPECT_EQ (programSelects (heard, 2), std::vector<int> { 643 });
    const int multi = indexOf (heard, Heard::multiSelect, 0);
    ASSERT_GE (multi, 0);
    EXPECT_EQ (heard[(size_t) multi].number, 300);
}

TEST (ProjectState, AHostThatEchoesWhatItHeardStillEndsOnTheProject)
{
    // Some hosts (Ardour with VST3) hand every value the plug-in reported back to it as a
    // write in a later audio block, and ignore what they hear during their state call.
    // A recall just before the state (the host setting its program first) then comes
    // back after the restore: the restore must tell the host its own values late enough
    // to be echoed last. A host that reads every value at the end of its state call
    // passes on no echo of those values at all: the recall's late echoes must not undo
    // the restore then either.
    struct EchoingHost : juce::AudioProcessorListener
    {
        struct Report
        {
            int index;
            float value;
            bool afterSync;
        };

        void audioProcessorParameterChanged (juce::AudioProcessor*, int index, float value) override
        {
            if (! inStateCall)
                heard.push_back ({ index, value, ! synced.empty() });
        }
        void audioProcessorChanged (juce::AudioProcessor*, const ChangeDetails&) override {}

        void syncWith (VantorAudioProcessor& p)
        {
            for (auto* parameter : p.getParameters())
                synced.push_back (parameter->getValue());
        }

        void echo (VantorAudioProcessor& p)
        {
            for (const auto& r : std::exchange (heard, {}))
                if (! (r.afterSync && synced[(size_t) r.index] == r.value))
                    p.getParameters()[r.index]->setValue (r.value);
        }

        bool inStateCall = false;
        std::vector<float> synced;
        std::vector<Report> heard;
    };

    Instance song;
    buildSong (song);
    const auto saved = song.state();
    const auto values = song.values();

    struct Case
    {
        const char* name;
        bool recallHeardFirst, hostSyncsAtStateCall;
    };
    for (auto c : { Case { "the recall's reports went out before the state", true, false },
                    Case { "the recall's reports were still waiting", false, false },
                    Case { "the host reads every value at the end of its state call", true, true } })
    {
        SCOPED_TRACE (c.name);
        Instance host;
        EchoingHost listener;
        host.p.addListener (&listener);
        host.p.setCurrentProgram (1); // "Hip Hop"
        if (c.recallHeardFirst)
            host.run();
        listener.inStateCall = true;
        host.p.setStateInformation (saved.getData(), (int) saved.getSize());
        listener.inStateCall = false;
        if (c.hostSyncsAtStateCall)
            listener.syncWith (host.p);
        host.run();
        for (int round = 0; round < 3; ++round)
        {
            listener.echo (host.p);
            host.run();
        }
        host.p.removeListener (&listener);

        // Channel 10 plays program 5000, whose bank (39) lies beyond the 0..31 its row
        // shows the host: an echo of that row cannot carry it once a stale echo moved
        // the row (the host's own limit, as with any value beyond a declared range).
        const auto ended = host.values();
        for (int slot = 0; slot < ParameterTable::numSlots; ++slot)
        {
            if (slot < slotOf (9, 0) || slot >= slotOf (10, 0))
            {
                EXPECT_EQ (ended[(size_t) slot], values[(size_t) slot]) << "slot " << slot;
            }
        }
        const auto heard = host.heard();
        EXPECT_EQ (programSelects (heard, 4).back(), 643);
        EXPECT_EQ (host.p.getHub().getParameters().value (ParameterTable::playingModeSlot), 2);
    }
}

TEST (ProjectState, AfterTheFirstHalfMinuteOfAudioAHostWriteOfTheOldValueCounts)
{
    // The late echoes of what the host heard before a restore come with its first
    // blocks; a write of the old value once audio has run is the user's or automation's.
    Instance song;
    buildSong (song);
    const auto saved = song.state();

    for (const bool audioRan : { false, true })
    {
        SCOPED_TRACE (audioRan ? "after 31 seconds of audio" : "before any audio");
        Instance host;
        auto* mode = host.p.getParameters()[ParameterTable::playingModeSlot];
        ASSERT_EQ (mode->getValue(), 0.0f);
        host.p.setStateInformation (saved.getData(), (int) saved.getSize());
        ASSERT_EQ (mode->getValue(), 1.0f);
        if (audioRan)
        {
            host.p.prepareToPlay (48000.0, 512);
            juce::AudioBuffer<float> audio (2, 512);
            juce::MidiBuffer midi;
            for (int block = 0; block < 31 * 48000 / 512; ++block)
                host.p.processBlock (audio, midi);
        }
        mode->setValue (0.0f);
        EXPECT_EQ (host.p.getHub().getParameters().value (ParameterTable::playingModeSlot), audioRan ? 1 : 2);
    }
}

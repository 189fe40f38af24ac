#include "plugin/VantorAudioProcessor.h"
#include "support/HostTransport.h"
#include "support/PluginRig.h"

#include <gtest/gtest.h>

using namespace zd8;
using zd8test::PluginRig;

namespace
{
    struct GestureCounter : juce::AudioProcessorListener
    {
        void audioProcessorParameterChanged (juce::AudioProcessor*, int, float) override {}
        void audioProcessorChanged (juce::AudioProcessor*, const ChangeDetails&) override {}
        void audioProcessorParameterChangeGestureBegin (juce::AudioProcessor*, int index) override { ++begun[index]; }
        void audioProcessorParameterChangeGestureEnd (juce::AudioProcessor*, int index) override { ++ended[index]; }
        std::map<int, int> begun, ended;
    };

    juce::MidiBuffer runBlock (VantorAudioProcessor& p, juce::MidiBuffer midi, int samples = 512)
    {
        juce::AudioBuffer<float> audio (2, samples);
        for (int ch = 0; ch < 2; ++ch)
            for (int i = 0; i < samples; ++i)
                audio.setSample (ch, i, 0.5f);
        p.processBlock (audio, midi);
        EXPECT_EQ (audio.getMagnitude (0, samples), 0.0f) << "the plug-in makes no sound";
        return midi;
    }
}

TEST (VantorAudioProcessor, AnswersTheHostAsAStereoMidiPluginWithSlotsAndArrangements)
{
    PluginRig rig;
    VantorAudioProcessor p (rig.environment);

    EXPECT_EQ (p.getName(), "Brisvane VST");
    EXPECT_EQ (p.getNumPrograms(), 64);
    EXPECT_TRUE (p.acceptsMidi());
    EXPECT_TRUE (p.producesMidi());
    // The window comes from the editor library, which registers itself in the plug-in.
    EXPECT_FALSE (p.hasEditor());
    EXPECT_EQ (p.createEditor(), nullptr);
    VantorAudioProcessor::setEditorFactory ([] (VantorAudioProcessor& owner) -> juce::AudioProcessorEditor* {
        return new juce::GenericAudioProcessorEditor (owner);
    });
    EXPECT_TRUE (p.hasEditor());
    std::unique_ptr<juce::AudioProcessorEditor> editor (p.createEditor());
    EXPECT_NE (editor, nullptr);
    editor.reset();
    VantorAudioProcessor::setEditorFactory (nullptr);
    EXPECT_EQ (p.getTailLengthSeconds(), 0.0);
    EXPECT_EQ (p.getLatencySamples(), 0);
    EXPECT_EQ (p.getParameters().size(), 2314);
    EXPECT_EQ (p.editorWidth, 1028);
    EXPECT_EQ (p.editorHeight, 730);
    EXPECT_EQ (p.getTotalNumInputChannels(), 2);
    EXPECT_EQ (p.getTotalNumOutputChannels(), 2);
    EXPECT_TRUE (p.getHub().getPorts().isOutputOpen());
    EXPECT_TRUE (p.getHub().getPorts().isInputOpen());

    EXPECT_EQ (p.getProgramName (0).trimEnd(), "EDM");
    EXPECT_EQ (p.getProgramName (64), "");
    EXPECT_EQ (p.getSlotName (2314), "");
    EXPECT_EQ (p.getSlotText (-1), "");
    EXPECT_EQ (p.getSlotNormalised (5000), 0.0f);
}

TEST (VantorAudioProcessor, ParameterValuesScaleToTheSlotRange)
{
    PluginRig rig;
    VantorAudioProcessor p (rig.environment);
    auto& table = p.getHub().getParameters();

    table.setValue (0, 4096); // insert FX chain row: 0..8192
    EXPECT_FLOAT_EQ (p.getParameters()[0]->getValue(), 0.5f);

    const int pan = ParameterTable::programSlot (0, ParameterTable::panRow); // -64..64
    EXPECT_EQ (table.fromNormalised (pan, 0.5f), 0);
    EXPECT_EQ (table.fromNormalised (pan, 1.0f), 64);
    EXPECT_EQ (table.fromNormalised (pan, 7.0f), 64) << "out-of-range host values stay in range";
    // Ties go to even: 0..1 at 0.5 is 0, 0..3 at 0.5 is 2.
    EXPECT_EQ (table.fromNormalised (ParameterTable::aux1OverrideOnSlot, 0.5f), 0);
}

TEST (VantorAudioProcessor, HostMidiIsForwardedByTheThruRulesAndNeverPassedThrough)
{
    PluginRig rig;
    VantorAudioProcessor p (rig.environment);
    p.prepareToPlay (48000.0, 512);
    rig.settle();
    rig.simulator.clearReceived();

    juce::MidiBuffer host;
    host.addEvent (juce::MidiMessage::controllerEvent (1, 7, 100), 0);  // not forwarded
    host.addEvent (juce::MidiMessage::controllerEvent (1, 0, 1), 1);
    host.addEvent (juce::MidiMessage::controllerEvent (1, 1, 64), 2);
    host.addEvent (juce::MidiMessage::controllerEvent (1, 32, 2), 3);
    host.addEvent (juce::MidiMessage::noteOn (2, 60, (juce::uint8) 100), 4);
    host.addEvent (juce::MidiMessage::programChange (3, 5), 5);
    host.addEvent (juce::MidiMessage::pitchWheel (4, 9000), 6);
    host.addEvent (juce::MidiMessage::controllerEvent (1, 64, 127), 7); // not forwarded

    const auto out = runBlock (p, host);
    EXPECT_TRUE (out.isEmpty()) << "host MIDI is never passed on to the host's output";

    ASSERT_TRUE (rig.settle (6));
    const std::vector<juce::String> expected { "B0 00 01", "B0 01 40", "B0 20 02", "91 3C 64", "C2 05", "E3 28 46" };
    EXPECT_EQ (rig.receivedHex(), expected);
    EXPECT_TRUE (p.getHub().isNoteHeld (60)) << "host notes are tracked";

    p.getHub().setThruHostToOut (false);
    rig.simulator.clearReceived();
    runBlock (p, host);
    rig.settle();
    EXPECT_TRUE (rig.simulator.getReceived().empty());
}

TEST (VantorAudioProcessor, ForwardedEventsKeepTheirPlaceInTheBlockBehindTheDelay)
{
    PluginRig rig;
    rig.writeSettings ({ { 12, "20" } }); // 20 ms at 48000 Hz (rate index 1)
    VantorAudioProcessor p (rig.environment);
    p.prepareToPlay (48000.0, 512);
    ASSERT_EQ (p.getHub().getCurrentDelay(), 20);
    rig.settle();
    rig.simulator.clearReceived();

    const double now = rig.timeline.nowMs();
    juce::MidiBuffer host;
    host.addEvent (juce::MidiMessage::noteOn (1, 60, (juce::uint8) 90), 0);
    host.addEvent (juce::MidiMessage::noteOff (1, 60), 100);
    runBlock (p, host);

    ASSERT_TRUE (rig.settle (2));
    const auto got = rig.simulator.getReceived();
    EXPECT_DOUBLE_EQ (got[0].timeMs, now) << "an event at the block's start goes at once";
    EXPECT_DOUBLE_EQ (got[1].timeMs, now + 20.0 + 100.0 / 48.0);
}

TEST (VantorAudioProcessor, InstrumentMidiLandsInTheBlockInProportionToItsArrival)
{
    PluginRig rig;
    rig.writeSettings ({ { 46, "1" } }); // THRU: MIDI In Port -> Host
    VantorAudioProcessor p (rig.environment);
    p.prepareToPlay (44100.0, 512);

    const double t0 = rig.timeline.nowMs();
    for (int i = 0; i < 3; ++i)
    {
        rig.timeline.setNow (t0 + 5.0 * i);
        rig.simulator.sendNoteOn (1, 60 + i, 100);
        ASSERT_TRUE (rig.settle());
    }

    const auto out = runBlock (p, {});
    std::vector<int> positions;
    for (const auto m : out)
        positions.push_back (m.samplePosition);
    EXPECT_EQ (positions, (std::vector<int> { 0, 233, 465 }));

    EXPECT_TRUE (runBlock (p, {}).isEmpty()) << "the buffer is emptied by the merge";

    rig.simulator.sendNoteOn (1, 70, 100);
    ASSERT_TRUE (rig.settle());
    const auto single = runBlock (p, {});
    ASSERT_EQ (single.getNumEvents(), 1);
    EXPECT_EQ ((*single.begin()).samplePosition, 0);
}

TEST (VantorAudioProcessor, HostWritesReachTheInstrument)
{
    PluginRig rig;
    VantorAudioProcessor p (rig.environment);
    rig.settle();
    rig.simulator.clearReceived();
    auto& params = p.getParameters();

    // Controller 7 of channel 1.
    params[ParameterTable::controllerSlot (0, 7)]->setValue (100.0f / 127.0f);
    ASSERT_TRUE (rig.settle (1));
    EXPECT_EQ (rig.receivedHex().back(), "B0 07 64");

    // Pan of channel 1 at -64: CC 10 = 0, then the seven addressed controllers.
    rig.simulator.clearReceived();
    params[ParameterTable::programSlot (0, ParameterTable::panRow)]->setValue (0.0f);
    ASSERT_TRUE (rig.settle (8));
    const std::vector<juce::String> pan { "B0 0A 00", "B0 6E 01", "B0 6F 00", "B0 70 01", "B0 71 00", "B0 72 16", "B0 76 3F", "B0 77 40" };
    EXPECT_EQ (rig.receivedHex(), pan);

    // Writing the same value again sends nothing.
    rig.simulator.clearReceived();
    params[ParameterTable::programSlot (0, ParameterTable::panRow)]->setValue (0.0f);
    rig.settle();
    EXPECT_TRUE (rig.simulator.getReceived().empty());
}

TEST (VantorAudioProcessor, ReportedSlotsOpenOneGestureEachAndDestructionEndsThemOnce)
{
    PluginRig rig;
    GestureCounter counter;
    {
        VantorAudioProcessor p (rig.environment);
        p.addListener (&counter);
        p.reportSlot (ParameterTable::controllerSlot (2, 74), 10);
        p.reportSlot (ParameterTable::controllerSlot (2, 74), 11);
        p.reportSlot (ParameterTable::playingModeSlot, 2);
        EXPECT_EQ (p.getOpenGestureCount(), 2);
        EXPECT_EQ (counter.ended.size(), 0u);
    }
    EXPECT_EQ (counter.begun, (std::map<int, int> { { 256 + 2 * 128 + 74, 1 }, { 2305, 1 } }));
    EXPECT_EQ (counter.ended, counter.begun);
}

TEST (VantorAudioProcessor, ChangesFromTheInstrumentAreReportedToTheHost)
{
    PluginRig rig;
    // Declared first: the processor's destructor still ends its open gestures through it.
    GestureCounter counter;
    VantorAudioProcessor p (rig.environment);
    p.addListener (&counter);

    rig.simulator.sendController (3, 74, 99);
    ASSERT_TRUE (rig.settle());
    p.getHub().getHostQueueSignal().dispatchPendingMessages();

    const int slot = ParameterTable::controllerSlot (2, 74);
    EXPECT_EQ (p.getHub().getParameters().value (slot), 99);
    EXPECT_EQ (counter.begun[slot], 1);
    EXPECT_NEAR (p.getParameters()[slot]->getValue(), 99.0f / 127.0f, 1e-6);
}

TEST (VantorAudioProcessor, BankChunkRoundTripsAndForeignChunksAreIgnored)
{
    PluginRig rig;
    VantorAudioProcessor p (rig.environment);

    // The state is the bank chunk followed by the live section.
    juce::MemoryBlock bank;
    p.getStateInformation (bank);
    ASSERT_GT (bank.getSize(), 19225u);
    EXPECT_EQ (memcmp (bank.getData(), "ZD8_Plugin_BankVersion100", 25), 0);
    EXPECT_EQ (memcmp (static_cast<const char*> (bank.getData()) + 19225, "ZD8_Live_StateVersion100", 24), 0);

    juce::MemoryBlock arrangement;
    p.getCurrentProgramStateInformation (arrangement);
    EXPECT_EQ (arrangement.getSize(), 327u);
    p.setStateInformation (arrangement.getData(), (int) arrangement.getSize());
    EXPECT_EQ (p.getProgramName (0).trimEnd(), "EDM") << "an Arrangement chunk is not a bank";

    p.changeProgramName (0, "Gig");
    juce::MemoryBlock renamed;
    p.getStateInformation (renamed);

    VantorAudioProcessor other (rig.environment);
    other.setStateInformation (renamed.getData(), (int) renamed.getSize());
    EXPECT_EQ (other.getProgramName (0).trimEnd(), "Gig");
    other.setStateInformation (renamed.getData(), 10); // shorter than its tag
    other.setStateInformation (nullptr, 0);
    EXPECT_EQ (other.getProgramName (0).trimEnd(), "Gig");
}

TEST (VantorAudioProcessor, TheBankSurvivesInThePluginFolder)
{
    PluginRig rig;
    {
        VantorAudioProcessor p (rig.environment);
        p.changeProgramName (5, "Encore");
    }
    EXPECT_TRUE (rig.folder.getChildFile ("preset bank.zd8arrbank").existsAsFile());
    EXPECT_TRUE (rig.folder.getChildFile ("preset.zd8arr").existsAsFile());

    VantorAudioProcessor again (rig.environment);
    EXPECT_EQ (again.getProgramName (5).trimEnd(), "Encore");
}

namespace
{
    using FakePlayHead = zd8test::HostTransport;
}

TEST (VantorAudioProcessor, MidiClockFollowsTheHostTransportWhenSwitchedOn)
{
    for (bool clockOn : { true, false })
    {
        PluginRig rig;
        rig.writeSettings ({ { 43, clockOn ? "1" : "0" } });
        VantorAudioProcessor p (rig.environment);
        FakePlayHead head;
        head.playing = false;
        p.setPlayHead (&head);
        p.prepareToPlay (48000.0, 1000);
        rig.settle();
        rig.simulator.clearReceived();

        // The position is read at the end of each block and drives the next one.
        runBlock (p, {}, 1000);
        head.playing = true;
        for (int i = 0; i < 4; ++i)
        {
            runBlock (p, {}, 1000);
            head.ppq += 1000.0 * 2.0 / 48000.0;
        }
        rig.settle();

        int clocks = 0;
        for (auto& r : rig.simulator.getReceived())
            clocks += r.bytes == std::vector<juce::uint8> { 0xF8 } ? 1 : 0;
        if (clockOn)
            EXPECT_EQ (clocks, 3) << "one clock per 1000 samples at 120 BPM and 48 kHz";
        else
            EXPECT_TRUE (rig.simulator.getReceived().empty()) << "clock off sends nothing, not even stop or continue";
        p.setPlayHead (nullptr);
    }
}

TEST (VantorAudioProcessor, RecallingAnArrangementBringsTheInstrumentIntoLine)
{
    PluginRig rig;
    VantorAudioProcessor p (rig.environment);
    rig.settle();
    rig.simulator.clearReceived();
    std::vector<juce::uint32> notices;
    p.getHub().drainNotices (notices);

    p.setCurrentProgram (0); // "EDM"
    p.getHub().getHostQueueSignal().dispatchPendingMessages(); // the host hears rows 14 and 15
    ASSERT_TRUE (rig.settle (16 + 7));
    EXPECT_EQ (p.getCurrentProgram(), 0);
    const int edm[16] = { 36, 54, 847, 821, 825, 145, 713, 92, 47, 869, 932, 943, 990, 409, 257, 573 };
    for (int c = 0; c < 16; ++c)
        EXPECT_EQ (rig.simulator.getChannelProgram (c), edm[c]) << "channel " << c + 1;
    auto modes = rig.simulator.getAddressedChanges();
    ASSERT_FALSE (modes.empty());
    EXPECT_EQ (modes.front().address, (std::array<int, 5> { 12, 0, 0, 0, 11 }));
    EXPECT_EQ (modes.front().value, 1);

    notices.clear();
    p.getHub().drainNotices (notices);
    EXPECT_NE (std::find (notices.begin(), notices.end(), ControllerState::arrangementRecalledNotice), notices.end());

    // An empty slot: program 1 everywhere, program mode; its AUX 2 override of 32512
    // (no such FX chain) is applied as chain 1.
    p.setCurrentProgram (10);
    auto& table = p.getHub().getParameters();
    EXPECT_EQ (table.value (ParameterTable::playingModeSlot), 1);
    EXPECT_EQ (table.value (ParameterTable::aux2OverrideChainSlot), 1);
    for (int c = 0; c < 16; ++c)
        EXPECT_EQ (table.value (ParameterTable::programSlot (c, ParameterTable::programRow)), 1);

    // Outside the bank nothing happens.
    p.setCurrentProgram (64);
    p.setCurrentProgram (-3);
    EXPECT_EQ (p.getCurrentProgram(), 10);
    p.changeProgramName (5, "Encore");
    EXPECT_EQ (p.getCurrentProgram(), 5) << "renaming makes the slot current";
}

TEST (VantorAudioProcessor, ArrangementChunkMovesTheLiveArrangementNotTheBank)
{
    PluginRig rig;
    juce::MemoryBlock chunk;
    {
        VantorAudioProcessor source (rig.environment);
        source.setCurrentProgram (1); // "Hip Hop"
        source.getCurrentProgramStateInformation (chunk);
    }
    ASSERT_EQ (chunk.getSize(), 327u);
    EXPECT_EQ (memcmp (chunk.getData(), "ZD8PluginSettingsVersion100Hip Hop", 34), 0);

    PluginRig other;
    VantorAudioProcessor target (other.environment);
    target.changeProgramName (1, "Mine");
    target.setCurrentProgram (3);
    target.setCurrentProgramStateInformation (chunk.getData(), (int) chunk.getSize());
    EXPECT_EQ (target.getHub().getParameters().value (ParameterTable::programSlot (1, ParameterTable::programRow)), 858);
    EXPECT_EQ (target.getProgramName (1).trimEnd(), "Mine") << "the bank is not touched";
    EXPECT_EQ (target.getCurrentProgram(), 3);

    // Short or foreign chunks change nothing.
    target.setCurrentProgram (3);
    target.setCurrentProgramStateInformation (chunk.getData(), 326);
    juce::MemoryBlock bank;
    target.getStateInformation (bank);
    target.setCurrentProgramStateInformation (bank.getData(), (int) bank.getSize());
    EXPECT_EQ (target.getHub().getParameters().value (ParameterTable::programSlot (1, ParameterTable::programRow)), 1);

    // A bank chunk of one record replaces slot 0 only.
    juce::MemoryBlock one;
    one.append ("ZD8_Plugin_BankVersion100", 25);
    const auto record = target.getHub().getBank().getRecord (1);
    one.append (record.getData(), 300);
    target.setStateInformation (one.getData(), (int) one.getSize());
    EXPECT_EQ (target.getProgramName (0).trimEnd(), "Mine");
    EXPECT_EQ (target.getProgramName (2).trimEnd(), "Rock");
}

// Arrangement records whose tags are right but whose fields are not: through every way
// a record reaches the live Arrangement (the host's bank and program chunks, the VST
// bank and program files, an Arrangement file), each field is applied inside what its
// slot can hold, the host reads 0..1 and the instrument hears nothing invalid.
#include "arrangements/ArrangementFiles.h"
#include "plugin/VantorAudioProcessor.h"
#include "sim/InstrumentSysexDecoder.h"
#include "support/PluginRig.h"

#include <gtest/gtest.h>

using namespace zd8;
using zd8test::PluginRig;

namespace
{
    constexpr int bankSlot = 5;
    constexpr int fileSlot = 6;
    const std::array<int, 5> playingModeAddress { 12, 0, 0, 0, 11 };

    struct Field
    {
        int offset, width;
    };
    constexpr Field channel1Program { 24, 2 }, channel16Program { 54, 2 }, multi { 56, 2 }, playingMode { 58, 1 },
        aux1Override { 59, 2 }, aux1OverrideOn { 61, 1 }, aux2Override { 63, 2 }, aux2OverrideOn { 65, 1 };

    void put (juce::MemoryBlock& record, Field f, int value)
    {
        if (f.width == 2)
        {
            record[(size_t) f.offset] = (char) (juce::uint8) (value >> 8);
            record[(size_t) f.offset + 1] = (char) (juce::uint8) (value & 0xFF);
        }
        else
        {
            record[(size_t) f.offset] = (char) (juce::uint8) value;
        }
    }

    struct Damage
    {
        const char* what;
        Field field;
        int raw;
        int slot;       // where the field lands
        int applied;    // what the slot holds afterwards
        bool multiMode; // the record asks for multi mode besides
    };

    const int program1 = ParameterTable::programSlot (0, ParameterTable::programRow);
    const int program16 = ParameterTable::programSlot (15, ParameterTable::programRow);

    // What each damaged field maps to: an object number outside what exists, a playing
    // mode other than 1 or 2, an override switch other than 0 or 1 all take the slot's
    // starting value (program 1, multi 1, program mode, chain 1, off).
    const std::vector<Damage> damages {
        { "program 0", channel1Program, 0, program1, 1, false },
        { "program 8192", channel1Program, 8192, program1, 1, false },
        { "program 65535", channel1Program, 65535, program1, 1, false },
        { "program 0 on channel 16", channel16Program, 0, program16, 1, false },
        { "playing mode 3", playingMode, 3, ParameterTable::playingModeSlot, 1, false },
        { "playing mode 253", playingMode, 253, ParameterTable::playingModeSlot, 1, false },
        { "playing mode 0 (not set)", playingMode, 0, ParameterTable::playingModeSlot, 1, false },
        { "multi 0", multi, 0, ParameterTable::multiSlot, 1, true },
        { "multi 8192", multi, 8192, ParameterTable::multiSlot, 1, true },
        { "multi 65535", multi, 65535, ParameterTable::multiSlot, 1, true },
        { "AUX 1 override chain 0", aux1Override, 0, ParameterTable::aux1OverrideChainSlot, 1, false },
        { "AUX 1 override chain 32512", aux1Override, 32512, ParameterTable::aux1OverrideChainSlot, 1, false },
        { "AUX 2 override chain 0", aux2Override, 0, ParameterTable::aux2OverrideChainSlot, 1, false },
        { "AUX 2 override chain 32512", aux2Override, 32512, ParameterTable::aux2OverrideChainSlot, 1, false },
        { "AUX 1 override on 2", aux1OverrideOn, 2, ParameterTable::aux1OverrideOnSlot, 0, false },
        { "AUX 2 override on 255", aux2OverrideOn, 255, ParameterTable::aux2OverrideOnSlot, 0, false },
    };

    /** "EDM" with one field damaged. */
    juce::MemoryBlock damagedRecord (const Damage& d)
    {
        const ArrangementBank defaults;
        auto record = defaults.getRecord (0);
        if (d.multiMode)
            put (record, playingMode, 2);
        put (record, d.field, d.raw);
        return record;
    }

    juce::MemoryBlock bankWith (const juce::MemoryBlock& record, bool asVstFile)
    {
        ArrangementBank bank;
        bank.putRecord (bankSlot, record.getData(), record.getSize());
        return asVstFile ? ArrangementFiles::makeBankFile (bank) : ArrangementFiles::makeBankChunk (bank);
    }

    juce::File fileWith (PluginRig& rig, const char* name, const juce::MemoryBlock& bytes)
    {
        auto file = rig.folder.getChildFile (name);
        file.replaceWithData (bytes.getData(), bytes.getSize());
        return file;
    }

    struct Path
    {
        const char* what;
        std::function<void (VantorAudioProcessor&, PluginRig&, const juce::MemoryBlock& record)> load;
    };

    const std::vector<Path> paths {
        { "host bank chunk, then the host's program change",
          [] (VantorAudioProcessor& p, PluginRig&, const juce::MemoryBlock& record)
          {
              const auto chunk = bankWith (record, false);
              p.setStateInformation (chunk.getData(), (int) chunk.getSize());
              p.setCurrentProgram (bankSlot);
          } },
        { "host program chunk",
          [] (VantorAudioProcessor& p, PluginRig&, const juce::MemoryBlock& record)
          {
              const auto chunk = ArrangementFiles::makeArrangementChunk (record.getData(), record.getSize());
              p.setCurrentProgramStateInformation (chunk.getData(), (int) chunk.getSize());
          } },
        { ".fxb loaded into the bank, then applied",
          [] (VantorAudioProcessor& p, PluginRig& rig, const juce::MemoryBlock& record)
          {
              ASSERT_TRUE (ArrangementFiles::loadBankFile (fileWith (rig, "damaged.fxb", bankWith (record, true)), p.getHub().getBank()));
              p.getEditorConnection().recallArrangement (bankSlot);
          } },
        { ".fxp loaded into a slot, then applied",
          [] (VantorAudioProcessor& p, PluginRig& rig, const juce::MemoryBlock& record)
          {
              ArrangementBank bank;
              bank.putRecord (bankSlot, record.getData(), record.getSize());
              const auto file = fileWith (rig, "damaged.fxp", ArrangementFiles::makePresetFile (bank, bankSlot));
              ASSERT_TRUE (ArrangementFiles::loadPresetFile (file, p.getHub().getBank(), fileSlot));
              p.getEditorConnection().recallArrangement (fileSlot);
          } },
        { "Arrangement file loaded into a slot, then applied",
          [] (VantorAudioProcessor& p, PluginRig& rig, const juce::MemoryBlock& record)
          {
              const auto file = fileWith (rig, "damaged.zd8arr", ArrangementFiles::makeArrangementChunk (record.getData(), record.getSize()));
              ASSERT_TRUE (ArrangementFiles::loadPresetFile (file, p.getHub().getBank(), fileSlot));
              p.getEditorConnection().recallArrangement (fileSlot);
          } },
    };

    struct Heard
    {
        std::vector<std::pair<int, int>> programs; // channel, program
        std::vector<int> multis, playingModes;
    };

    Heard heardBy (const PluginRig& rig)
    {
        using Kind = zd8sim::InstrumentSysexDecoder::Kind;
        Heard heard;
        for (auto& m : rig.simulator.getAssembledSysex())
        {
            const auto d = zd8sim::InstrumentSysexDecoder::decode (m.data(), m.size());
            if (d.kind == Kind::channelProgramSelect)
                heard.programs.emplace_back (d.channel, d.number);
            else if (d.kind == Kind::multiSelect)
                heard.multis.push_back (d.number);
        }
        for (auto& change : rig.simulator.getAddressedChanges())
            if (change.address == playingModeAddress)
                heard.playingModes.push_back (change.value);
        return heard;
    }
}

TEST (DamagedRecord, EveryFieldIsAppliedInsideItsSlotAndNothingInvalidReachesTheInstrument)
{
    for (const auto& path : paths)
        for (const auto& d : damages)
        {
            SCOPED_TRACE (juce::String (path.what) + ": " + d.what);
            PluginRig rig;
            VantorAudioProcessor p (rig.environment);
            ASSERT_TRUE (rig.settle());
            rig.simulator.clearReceived();
            rig.simulator.resetState();

            path.load (p, rig, damagedRecord (d));
            ASSERT_TRUE (rig.settle());
            p.getHub().getHostQueueSignal().dispatchPendingMessages(); // the queued rows reach the host
            ASSERT_TRUE (rig.settle());

            auto& table = p.getHub().getParameters();
            EXPECT_EQ (table.value (d.slot), d.applied);
            for (auto* parameter : p.getParameters())
            {
                const float x = parameter->getValue();
                EXPECT_TRUE (x >= 0.0f && x <= 1.0f) << "the host reads slot " << parameter->getParameterIndex() << " as " << x;
            }

            const auto heard = heardBy (rig);
            for (auto [channel, program] : heard.programs)
                EXPECT_TRUE (program >= 1 && program <= 8191) << "channel " << channel + 1 << " program " << program;
            for (int m : heard.multis)
                EXPECT_TRUE (m >= 1 && m <= 8191) << "multi " << m;
            ASSERT_FALSE (heard.playingModes.empty());
            for (int mode : heard.playingModes)
                EXPECT_EQ (mode, d.multiMode ? 2 : 1) << "playing mode sent";

            if (d.slot == program1 || d.slot == program16)
            {
                EXPECT_EQ (rig.simulator.getChannelProgram (d.slot / ParameterTable::rowsPerChannel), d.applied);
            }
            if (d.multiMode)
            {
                EXPECT_EQ (rig.simulator.getMulti(), d.applied);
            }
            else
            {
                EXPECT_TRUE (heard.multis.empty()) << "no multi in program mode";
            }
        }
}

TEST (DamagedRecord, ACutBankChunkReplacesOnlyTheRecordsItHoldsWhole)
{
    PluginRig rig;
    VantorAudioProcessor p (rig.environment);
    auto& bank = p.getHub().getBank();
    const auto slot1Before = bank.getRecord (1);

    ArrangementBank source;
    source.setName (0, "Whole");
    source.setName (1, "Cut");
    auto chunk = ArrangementFiles::makeBankChunk (source);

    struct Case
    {
        int recordBytes;
        int wholeRecords;
    };
    for (auto c : { Case { 300 + 150, 1 }, Case { 299, 0 }, Case { 300 + 299, 1 }, Case { 600, 2 } })
    {
        SCOPED_TRACE (c.recordBytes);
        bank.fillDefaults();
        p.setStateInformation (chunk.getData(), ArrangementFiles::bankHeaderSize + c.recordBytes);
        EXPECT_EQ (bank.getName (0).trimEnd(), c.wholeRecords >= 1 ? "Whole" : "EDM");
        if (c.wholeRecords >= 2)
        {
            EXPECT_EQ (bank.getName (1).trimEnd(), "Cut");
        }
        else
        {
            EXPECT_EQ (bank.getRecord (1), slot1Before) << "a record the chunk holds only in part stays as it was";
        }
        EXPECT_EQ (bank.getName (2).trimEnd(), "Rock");
    }
}

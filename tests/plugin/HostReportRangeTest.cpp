// The plug-in's own reports to the host, and the host writing them back, for programs
// and multis whose numbers lie beyond the declared range of the rows that carry them
// (program bank row 0..31, multi slot 1..127): what the instrument receives and what
// the plug-in keeps and later saves.
#include "arrangements/ArrangementFiles.h"
#include "plugin/VantorAudioProcessor.h"
#include "sim/InstrumentSysexDecoder.h"
#include "support/PluginRig.h"

#include <gtest/gtest.h>

using namespace zd8;
using zd8test::PluginRig;

namespace
{
    /** A host that records every value the plug-in reports and, like a host that
        writes automation, sets each reported parameter back to what it reads there,
        kept to 0..1 as every VST host keeps it. */
    struct EchoingHost : juce::AudioProcessorListener
    {
        void audioProcessorParameterChanged (juce::AudioProcessor*, int index, float value) override
        {
            heard.emplace_back (index, value);
        }
        void audioProcessorChanged (juce::AudioProcessor*, const ChangeDetails&) override {}

        void echo (VantorAudioProcessor& p)
        {
            const auto reported = heard;
            for (const auto& report : reported)
            {
                auto* parameter = p.getParameters()[report.first];
                parameter->setValue (juce::jlimit (0.0f, 1.0f, parameter->getValue()));
            }
        }

        std::vector<std::pair<int, float>> heard;
    };

    struct Rig
    {
        Rig()
        {
            p.addListener (&host);
            rig.settle();
            rig.simulator.clearReceived();
            rig.simulator.resetState();
        }
        ~Rig() { p.removeListener (&host); }

        /** The host hears the queued changes, writes them back, and hears again. */
        void reportAndEcho()
        {
            ASSERT_TRUE (rig.settle());
            for (int round = 0; round < 2; ++round)
            {
                p.getHub().getHostQueueSignal().dispatchPendingMessages();
                host.echo (p);
                ASSERT_TRUE (rig.settle());
            }
        }

        std::vector<int> selectsReceived (zd8sim::InstrumentSysexDecoder::Kind kind, int channel = -1) const
        {
            std::vector<int> numbers;
            for (auto& m : rig.simulator.getAssembledSysex())
            {
                const auto d = zd8sim::InstrumentSysexDecoder::decode (m.data(), m.size());
                if (d.kind == kind && (channel < 0 || d.channel == channel))
                    numbers.push_back (d.number);
            }
            return numbers;
        }

        /** The record the host stores as its preset, the one SET CURRENT stores in the
            bank, and the one the library's ADD CURRENT takes (the live chunk). */
        std::vector<juce::MemoryBlock> captures()
        {
            juce::MemoryBlock chunk;
            p.getCurrentProgramStateInformation (chunk);
            auto& bank = p.getHub().getBank();
            bank.putRecord (9, bank.captureRecord (p.getHub().getParameters(), "Stored", 9).getData(), ArrangementBank::recordSize);
            juce::MemoryBlock state;
            p.getStateInformation (state);
            juce::MemoryBlock live;
            p.getEditorConnection().getLiveArrangement (live);
            return { { static_cast<const char*> (chunk.getData()) + ArrangementFiles::arrangementHeaderSize, ArrangementBank::recordSize },
                     { static_cast<const char*> (state.getData()) + ArrangementFiles::bankHeaderSize + 9 * ArrangementBank::recordSize, ArrangementBank::recordSize },
                     { static_cast<const char*> (live.getData()) + ArrangementFiles::arrangementHeaderSize, ArrangementBank::recordSize } };
        }

        PluginRig rig;
        EchoingHost host;
        VantorAudioProcessor p { rig.environment };
    };

    int field16 (const juce::MemoryBlock& record, int offset)
    {
        auto* r = static_cast<const juce::uint8*> (record.getData());
        return r[offset] << 8 | r[offset + 1];
    }

    void put16 (juce::MemoryBlock& record, int offset, int value)
    {
        record[(size_t) offset] = (char) (juce::uint8) (value >> 8);
        record[(size_t) offset + 1] = (char) (juce::uint8) (value & 0xFF);
    }

    constexpr int channel1ProgramOffset = 24;
    constexpr int multiOffset = 56;
    constexpr int playingModeOffset = 58;

    /** "EDM" with channel 1 on program and, in multi mode, multi. */
    juce::MemoryBlock arrangementWith (VantorAudioProcessor& p, int program, int multi)
    {
        auto record = p.getHub().getBank().getRecord (0);
        put16 (record, channel1ProgramOffset, program);
        if (multi > 0)
        {
            put16 (record, multiOffset, multi);
            record[(size_t) playingModeOffset] = 2;
        }
        return record;
    }

    void expectHostReadsInsideTheRange (VantorAudioProcessor& p, const EchoingHost& host)
    {
        for (auto* parameter : p.getParameters())
        {
            const float x = parameter->getValue();
            EXPECT_TRUE (x >= 0.0f && x <= 1.0f) << "slot " << parameter->getParameterIndex() << " reads " << x;
        }
        for (auto [index, value] : host.heard)
            EXPECT_TRUE (value >= 0.0f && value <= 1.0f) << "slot " << index << " reported as " << value;
    }
}

TEST (HostReportRange, ProgramsBeyondTheBankRowsRangeReachTheInstrumentAndStayAfterTheHostsEcho)
{
    using Kind = zd8sim::InstrumentSysexDecoder::Kind;
    const int programSlot = ParameterTable::programSlot (0, ParameterTable::programRow);

    struct Case
    {
        const char* path;
        int program;
        std::function<void (Rig&)> choose;
    };
    auto byEditor = [programSlot] (int program) { return [=] (Rig& r) { r.p.getHub().setFromEditor (programSlot, program, true, true); }; };
    auto byRecall = [] (int program)
    {
        return [=] (Rig& r)
        {
            const auto record = arrangementWith (r.p, program, 0);
            r.p.getHub().getBank().putRecord (7, record.getData(), record.getSize());
            r.p.setCurrentProgram (7);
        };
    };
    auto byInstrument = [] (int program)
    {
        return [=] (Rig& r)
        {
            r.rig.simulator.sendController (1, 32, program / 128);
            r.rig.simulator.sendProgramChange (1, program % 128);
        };
    };

    const std::vector<Case> cases {
        { "the window", 5000, byEditor (5000) },
        { "the window", 8191, byEditor (8191) },
        { "the window", 4096, byEditor (4096) },
        { "the window (inside the range)", 643, byEditor (643) },
        { "an Arrangement recall", 5000, byRecall (5000) },
        { "an Arrangement recall", 8191, byRecall (8191) },
        { "the instrument's own select", 5000, byInstrument (5000) },
        { "the instrument's own select", 4100, byInstrument (4100) },
    };

    for (const auto& c : cases)
    {
        SCOPED_TRACE (juce::String (c.path) + ", program " + juce::String (c.program));
        Rig r;
        c.choose (r);
        r.reportAndEcho();

        auto& table = r.p.getHub().getParameters();
        EXPECT_EQ (table.value (programSlot), c.program);
        EXPECT_EQ (table.value (ParameterTable::programSlot (0, ParameterTable::programBankRow)), c.program / 128);
        EXPECT_EQ (table.value (ParameterTable::programSlot (0, ParameterTable::programNumberRow)), c.program % 128);

        // Every select the instrument received for channel 1 names the chosen program
        // (the instrument's own choice may come back once, never another program).
        const auto selects = r.selectsReceived (Kind::channelProgramSelect, 0);
        for (int number : selects)
            EXPECT_EQ (number, c.program);
        if (juce::String (c.path) != "the instrument's own select")
        {
            EXPECT_FALSE (selects.empty());
        }

        for (auto& record : r.captures())
            EXPECT_EQ (field16 (record, channel1ProgramOffset), c.program);
        expectHostReadsInsideTheRange (r.p, r.host);
    }
}

TEST (HostReportRange, MultisBeyondTheMultiSlotsRangeReachTheInstrumentAndAreSaved)
{
    using Kind = zd8sim::InstrumentSysexDecoder::Kind;

    struct Case
    {
        const char* path;
        int multi;
        std::function<void (Rig&)> choose;
        bool fromMultiPage;
    };
    auto byMultiPage = [] (int multi) { return [=] (Rig& r) { r.p.getHub().setMulti (multi, true, false); }; };
    auto byRecall = [] (int multi)
    {
        return [=] (Rig& r)
        {
            const auto record = arrangementWith (r.p, 36, multi);
            r.p.getHub().getBank().putRecord (7, record.getData(), record.getSize());
            r.p.setCurrentProgram (7);
        };
    };
    auto byChunk = [] (int multi)
    {
        return [=] (Rig& r)
        {
            const auto record = arrangementWith (r.p, 36, multi);
            const auto chunk = ArrangementFiles::makeArrangementChunk (record.getData(), record.getSize());
            r.p.setCurrentProgramStateInformation (chunk.getData(), (int) chunk.getSize());
        };
    };

    const std::vector<Case> cases {
        { "the multi page", 5000, byMultiPage (5000), true },
        { "the multi page", 128, byMultiPage (128), true },
        { "the multi page (inside the range)", 100, byMultiPage (100), true },
        { "an Arrangement recall", 5000, byRecall (5000), false },
        { "an Arrangement recall", 8191, byRecall (8191), false },
        { "a preset chunk restore", 5000, byChunk (5000), false },
        { "a preset chunk restore", 300, byChunk (300), false },
    };

    for (const auto& c : cases)
    {
        SCOPED_TRACE (juce::String (c.path) + ", multi " + juce::String (c.multi));
        Rig r;
        c.choose (r);
        r.reportAndEcho();

        auto& table = r.p.getHub().getParameters();
        const auto selects = r.selectsReceived (Kind::multiSelect);
        ASSERT_FALSE (selects.empty());
        for (int number : selects)
            EXPECT_EQ (number, c.multi);
        // The live Arrangement holds the multi, and every capture saves it.
        EXPECT_EQ (table.value (ParameterTable::multiSlot), c.multi);
        for (auto& record : r.captures())
            EXPECT_EQ (field16 (record, multiOffset), c.multi);
        if (c.fromMultiPage)
        {
            EXPECT_EQ (table.value (ParameterTable::multiBankSlot) * 128 + table.value (ParameterTable::multiProgramSlot), c.multi)
                << "the bank and program slots still make the chosen multi";
        }
        expectHostReadsInsideTheRange (r.p, r.host);
    }
}

TEST (HostReportRange, EverySlotReadsInsideZeroToOneInEveryDefaultArrangement)
{
    Rig r;
    expectHostReadsInsideTheRange (r.p, r.host);

    for (int n = 0; n < ArrangementBank::numSlots; ++n)
    {
        SCOPED_TRACE ("Arrangement " + juce::String (n));
        r.p.setCurrentProgram (n);
        r.reportAndEcho();
        expectHostReadsInsideTheRange (r.p, r.host);
    }
}

// The instrument's system tempo: from its master data (block type 0, bytes 23..24 of
// the block, hundredths of a BPM, big-endian) into the master object, and from there
// back out as the value of the tempo's controller-addressed change.
#include "plugin/VantorAudioProcessor.h"
#include "support/PluginRig.h"

#include <gtest/gtest.h>

using namespace zd8;

namespace
{
using Bytes = std::vector<juce::uint8>;

constexpr int tempoOffset = 23;
constexpr int masterBlockSize = 200;

/** A master data message as the instrument sends it: F0 07 46 01 00, command 0x04,
    object number 0, part 0, block type, block index 0, 1 = data, the packed block, F7. */
Bytes masterMessage (int blockType, const Bytes& block)
{
    Bytes m { 0xF0, 0x07, 0x46, 0x01, 0x00, 0x04, 0x00, 0x00, 0x00, (juce::uint8) blockType, 0x00, 0x01 };
    const auto packed = zd8sim::ObjectMemory::pack7 (block.data(), block.size());
    m.insert (m.end(), packed.begin(), packed.end());
    m.push_back (0xF7);
    return m;
}

/** A master block whose bytes around the tempo field differ from it, and whose tempo
    field holds hundredths. */
Bytes blockWithTempo (int hundredths)
{
    Bytes b ((size_t) masterBlockSize);
    for (size_t i = 0; i < b.size(); ++i)
        b[i] = (juce::uint8) (0x31 + i);
    b[tempoOffset] = (juce::uint8) (hundredths >> 8);
    b[tempoOffset + 1] = (juce::uint8) hundredths;
    return b;
}
} // namespace

TEST (MasterTempo, TheInstrumentsTempoIsReadAtItsOffsetAndSentBackAsTheTempoValue)
{
    zd8test::PluginRig rig;
    VantorAudioProcessor p (rig.environment);
    ASSERT_TRUE (rig.settle());
    auto& master = p.getHub().getImage().getMaster();
    EXPECT_EQ (master.getTempo(), 120) << "no master data yet";

    struct Case
    {
        int hundredths;
        int bpm;
    };
    const Case cases[] = { { 9850, 98 }, { 14000, 140 }, { 2000, 20 }, { 30000, 300 }, { 12099, 120 } };

    for (const auto& c : cases)
    {
        // The other master blocks carry other numbers at the same offset: only block
        // type 0 (master block 3) holds the tempo.
        rig.simulator.sendSysex (masterMessage (1, blockWithTempo (6000)));
        rig.simulator.sendSysex (masterMessage (0, blockWithTempo (c.hundredths)));
        rig.simulator.sendSysex (masterMessage (2, blockWithTempo (7000)));
        ASSERT_TRUE (rig.settle());

        const auto block3 = master.getBlock (3);
        ASSERT_EQ (block3.getSize(), (size_t) masterBlockSize);
        EXPECT_EQ ((juce::uint8) block3[tempoOffset], (juce::uint8) (c.hundredths >> 8));
        EXPECT_EQ ((juce::uint8) block3[tempoOffset + 1], (juce::uint8) c.hundredths);
        EXPECT_EQ (master.getTempo(), c.bpm) << c.hundredths;

        // The tempo's addressed change with the "system tempo" selector sends the
        // master tempo: controllers 118 / 119 carry bpm + 8192.
        rig.simulator.clearReceived();
        const int tempoAddress[5] = { 5, 0, 5, 0, 24 };
        p.getEditorConnection().sendAddressed (4, 1, tempoAddress, 0);
        ASSERT_TRUE (rig.settle (7));

        juce::StringArray received;
        for (const auto& r : rig.simulator.getReceived())
            received.add (zd8test::toHex (r.bytes));
        const int sent = c.bpm + 8192;
        const juce::StringArray expected { "B0 6E 05", "B0 6F 00", "B0 70 05", "B0 71 00", "B0 72 18",
                                           "B0 76 " + juce::String::toHexString (sent / 128).toUpperCase().paddedLeft ('0', 2),
                                           "B0 77 " + juce::String::toHexString (sent % 128).toUpperCase().paddedLeft ('0', 2) };
        EXPECT_EQ (received, expected) << c.hundredths;
        const auto changes = rig.simulator.getAddressedChanges();
        ASSERT_FALSE (changes.empty());
        EXPECT_EQ (changes.back().value, c.bpm);
    }
}

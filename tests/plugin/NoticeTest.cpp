#include "model/ParameterTable.h"
#include "plugin/Notice.h"

#include <gtest/gtest.h>

using namespace zd8;

namespace
{
    std::string describe (const Notice& n)
    {
        return "kind " + std::to_string ((int) n.kind) + " channel " + std::to_string (n.channel) + " number "
               + std::to_string (n.number) + " value " + std::to_string (n.value);
    }

    struct WordCase
    {
        Notice notice;
        juce::uint32 word;
    };

    // Every kind of notice word, at the edges of its channel and data ranges.
    const WordCase wordCases[] = {
        { Notice::noteOn (2, 60, 100), 0x90023C64 },
        { Notice::noteOn (0, 0, 1), 0x90000001 },
        { Notice::noteOn (15, 127, 127), 0x900F7F7F },
        { Notice::noteOff (2, 60), 0x80023C00 },
        { Notice::noteOff (15, 127), 0x800F7F00 },
        { Notice::controller (0, 1, 77), 0xB000014D },
        { Notice::controller (0, 0, 0), 0xB0000000 },
        { Notice::controller (16, 127, 127), 0xB0107F7F },  // a host controller on channel 16 (1..16)
        { Notice::programChange (1, 0), 0xC0010000 },
        { Notice::programChange (16, 127), 0xC010007F },
        { Notice::pitchBend (1, 8192), 0xE0012000 },
        { Notice::pitchBend (0, 0), 0xE0000000 },
        { Notice::pitchBend (15, 16383), 0xE00F3FFF },
        { Notice::identityReply(), 0x03000000 },
        { Notice::identityRequest(), 0x04000000 },
        { Notice::arrangementRecalled(), 0x0B000000 },
    };

    struct SlotCase
    {
        Notice notice;
        juce::uint64 word;
    };

    constexpr juce::uint64 slotWord (juce::uint64 slot, juce::uint64 low16) { return (juce::uint64) 1 << 48 | slot << 32 | low16; }

    // Slot words at the ends of the table and of the values that come back whole.
    const SlotCase slotCases[] = {
        { Notice::slotChanged (0, 0), slotWord (0, 0) },
        { Notice::slotChanged (ParameterTable::numSlots - 1, 16383), slotWord (ParameterTable::numSlots - 1, 16383) },
        { Notice::slotChanged (ParameterTable::multiSlot, 12), (juce::uint64) (ParameterTable::multiSlot + 0x10000) << 32 | 12u },
        { Notice::slotChanged (ParameterTable::playingModeSlot, 2), slotWord ((juce::uint64) ParameterTable::playingModeSlot, 2) },
        { Notice::slotChanged (5, -1), slotWord (5, 0xFFFF) },
        { Notice::slotChanged (5, -64), slotWord (5, 0xFFC0) },
        { Notice::slotChanged (5, -32766), slotWord (5, 0x8002) },
        { Notice::slotChanged (5, 32767), slotWord (5, 0x7FFF) },
        { Notice::slotChanged (5, 32769), slotWord (5, 0x8001) },
    };
}

TEST (Notice, EveryKindOfNoticeWordRoundTrips)
{
    for (const auto& c : wordCases)
    {
        SCOPED_TRACE (describe (c.notice));
        EXPECT_FALSE (c.notice.isSlotNotice());
        EXPECT_EQ (c.notice.toWord(), c.word);
        EXPECT_EQ (c.notice.toSlotWord(), 0u) << "a notice word's kind has no slot word";
        EXPECT_EQ (Notice::fromWord (c.word), c.notice);
    }
}

TEST (Notice, SlotWordsRoundTripWithNegativeValues)
{
    for (const auto& c : slotCases)
    {
        SCOPED_TRACE (describe (c.notice));
        EXPECT_TRUE (c.notice.isSlotNotice());
        EXPECT_EQ (c.notice.toSlotWord(), c.word);
        EXPECT_EQ (c.notice.toWord(), 0u) << "a slot notice has no notice word";
        EXPECT_EQ (Notice::fromSlotWord (c.word), c.notice);
    }

    // The two 16-bit values that do not come back: they read as positive, as they
    // always have on the window's side.
    EXPECT_EQ (Notice::fromSlotWord (Notice::slotChanged (5, -32768).toSlotWord()).value, 32768);
    EXPECT_EQ (Notice::fromSlotWord (Notice::slotChanged (5, -32767).toSlotWord()).value, 32769);
}

TEST (Notice, WordsOfNeitherLayoutReadAsUnknown)
{
    for (juce::uint32 word : { 0x00000000u, 0x00FFFFFFu, 0x913C6400u, 0xA0010203u, 0xD0010000u, 0xF0000000u, 0xFF000000u })
        EXPECT_EQ (Notice::fromWord (word).kind, Notice::Kind::unknown) << std::hex << word;

    for (juce::uint64 word : { (juce::uint64) 0, (juce::uint64) 5 << 32 | 7, (juce::uint64) 2 << 48 | 7, ~(juce::uint64) 0 })
        EXPECT_EQ (Notice::fromSlotWord (word).kind, Notice::Kind::unknown) << std::hex << word;

    EXPECT_EQ (Notice().toWord(), 0u);
    EXPECT_EQ (Notice().toSlotWord(), 0u);
}

TEST (Notice, TheWindowsReadingOfAChannelWordAgreesWithTheNotice)
{
    // The window has read notice words by hand: the top byte for the kind, the low four
    // bits of the channel byte, seven-bit data bytes and the bend's upper seven bits.
    for (const auto& c : wordCases)
    {
        const auto& n = c.notice;
        if (n.kind == Notice::Kind::identityReply || n.kind == Notice::Kind::identityRequest
            || n.kind == Notice::Kind::arrangementRecalled)
            continue;
        SCOPED_TRACE (describe (n));
        const auto w = n.toWord();
        EXPECT_EQ ((int) ((w >> 16) & 0x0F), n.channel & 0x0F);
        if (n.kind == Notice::Kind::pitchBend)
        {
            EXPECT_EQ ((int) ((w >> 7) & 0x7F), n.value >> 7);
            continue;
        }
        EXPECT_EQ ((int) ((w >> 8) & 0x7F), n.number);
        EXPECT_EQ ((int) (w & 0x7F), n.value);
    }
}

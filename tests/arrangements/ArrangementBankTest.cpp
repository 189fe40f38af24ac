#include "arrangements/ArrangementBank.h"

#include <gtest/gtest.h>

using namespace zd8;

namespace
{
    // The default bank, written out from its table.
    std::vector<juce::uint8> expectedRecord (const char* name, std::vector<int> programs, std::vector<juce::uint8> modeBytes)
    {
        std::vector<juce::uint8> r (300, 0);
        for (int i = 0; i < 24; ++i)
            r[(size_t) i] = ' ';
        for (size_t i = 0; name[i] != 0; ++i)
            r[i] = (juce::uint8) name[i];
        for (size_t c = 0; c < 16; ++c)
        {
            r[24 + 2 * c] = (juce::uint8) (programs[c] >> 8);
            r[25 + 2 * c] = (juce::uint8) (programs[c] & 0xFF);
        }
        std::copy (modeBytes.begin(), modeBytes.end(), r.begin() + 56);
        return r;
    }

    std::vector<juce::uint8> bytes (const juce::MemoryBlock& b, size_t from, size_t count)
    {
        auto* p = static_cast<const juce::uint8*> (b.getData());
        return { p + from, p + from + count };
    }
}

TEST (ArrangementBank, DefaultBankIsTheTabledOne)
{
    ArrangementBank bank;
    struct Row
    {
        int slot;
        std::vector<juce::uint8> record;
    };
    const std::vector<juce::uint8> named { 0x00, 0x01, 0x01, 0, 0, 0, 0, 0, 0, 0, 0 };
    const std::vector<juce::uint8> empty { 0, 0, 0, 0, 0, 0, 0, 0x7F, 0, 0, 0x40 };
    const std::vector<Row> rows {
        { 0, expectedRecord ("EDM", { 36, 54, 847, 821, 825, 145, 713, 92, 47, 869, 932, 943, 990, 409, 257, 573 }, named) },
        { 1, expectedRecord ("Hip Hop", { 45, 858, 611, 608, 503, 286, 713, 820, 498, 869, 910, 23, 867, 105, 274, 931 }, named) },
        { 2, expectedRecord ("Rock", { 8, 54, 847, 821, 825, 145, 713, 92, 47, 869, 932, 943, 990, 409, 257, 573 }, named) },
        { 3, expectedRecord ("------------------------", std::vector<int> (16, 1), empty) },
        { 63, expectedRecord ("------------------------", std::vector<int> (16, 1), empty) },
    };
    for (auto& row : rows)
        EXPECT_EQ (bytes (bank.getRecord (row.slot), 0, 67), std::vector<juce::uint8> (row.record.begin(), row.record.begin() + 67)) << row.slot;

    EXPECT_EQ (bank.getName (1), "Hip Hop                 ");
    EXPECT_EQ (bank.getName (40), "------------------------");
    EXPECT_EQ (bank.getBlock().getSize(), 19200u);
}

TEST (ArrangementBank, NamesAreCutPaddedAndFiltered)
{
    ArrangementBank bank;
    struct Case
    {
        juce::String in, out;
    };
    for (auto c : { Case { "abcdefghijklmnopqrstuvwxyz0123", "abcdefghijklmnopqrstuvwx" },
                    Case { juce::String::charToString (233) + "x", " x" },
                    Case { "", "                        " } })
    {
        bank.setName (7, c.in);
        EXPECT_EQ (bank.getName (7), c.out.substring (0, 24).paddedRight (' ', 24)) << c.in;
    }
    EXPECT_EQ (bank.getName (7).length(), 24);

    // Only the name bytes change; indexes outside the bank do nothing.
    const auto before = bank.getRecord (7);
    bank.setName (7, "Ballad");
    EXPECT_EQ (bytes (bank.getRecord (7), 24, 276), bytes (before, 24, 276));
    bank.setName (64, "x");
    bank.setName (-1, "x");
    EXPECT_EQ (bank.getName (64), "");
    EXPECT_TRUE (bank.getRecord (99).isEmpty());
    EXPECT_EQ (bank.getNameHead (0).getSize(), 23u);
}

TEST (ArrangementBank, CaptureAndApplyKeepEveryField)
{
    ArrangementBank bank;
    ParameterTable table;
    for (int c = 0; c < 16; ++c)
        table.setValue (ParameterTable::programSlot (c, ParameterTable::programRow), 100 + c * 500);
    table.setValue (ParameterTable::multiSlot, 266);
    table.setValue (ParameterTable::playingModeSlot, 2);
    table.setValue (ParameterTable::aux1OverrideChainSlot, 300);
    table.setValue (ParameterTable::aux1OverrideOnSlot, 1);
    table.setValue (ParameterTable::aux1OverrideModSlot, 17);
    table.setValue (ParameterTable::aux2OverrideChainSlot, 2048);
    table.setValue (ParameterTable::aux2OverrideOnSlot, 1);
    table.setValue (ParameterTable::aux2OverrideModSlot, 200);

    // The first capture takes its reserved bytes from the captured slot.
    auto marked = bank.getRecord (2);
    static_cast<juce::uint8*> (marked.getData())[150] = 0x5A;
    bank.putRecord (2, marked.getData(), marked.getSize());
    const auto first = bank.captureRecord (table, "Live Set", 2);
    ASSERT_EQ (first.getSize(), 300u);
    EXPECT_EQ (static_cast<const juce::uint8*> (first.getData())[150], 0x5A);
    EXPECT_EQ (bytes (first, 0, 8), std::vector<juce::uint8> ({ 'L', 'i', 'v', 'e', ' ', 'S', 'e', 't' }));
    EXPECT_EQ (bytes (first, 56, 11), (std::vector<juce::uint8> { 0x01, 0x0A, 2, 0x01, 0x2C, 1, 17, 0x08, 0x00, 1, 200 }));

    // A later capture for another slot still carries those reserved bytes.
    const auto second = bank.captureRecord (table, "Other", 9);
    EXPECT_EQ (static_cast<const juce::uint8*> (second.getData())[150], 0x5A);

    ParameterTable back;
    ArrangementBank::applyRecord (first.getData(), first.getSize(), back);
    for (int s : { 11, 27, 251, 2304, 2305, 2306, 2307, 2308, 2309, 2310, 2311 })
        EXPECT_EQ (back.value (s), table.value (s)) << s;

    ParameterTable untouched;
    ArrangementBank::applyRecord (first.getData(), 299, untouched);
    EXPECT_EQ (untouched.value (11), 0) << "a short record is never applied";
}

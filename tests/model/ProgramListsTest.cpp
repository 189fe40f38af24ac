// The pure parts of a program's control data: the name-list parser shared with FX
// chains, the decoded table's texts and name lookup, and the controller and sub-system
// names.
#include "model/ParameterNameList.h"
#include "model/ProgramNames.h"
#include "model/VirtualParameterTable.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace zd8;

namespace
{
using Bytes = std::vector<juce::uint8>;

/** One name-list entry: two uninterpreted bytes, ID, value, name length, name. */
Bytes entry (int id, int value, const Bytes& name, int declaredLength = -1)
{
    const int n = declaredLength < 0 ? (int) name.size() : declaredLength;
    Bytes e { 0x07, 0x07, (juce::uint8) (id >> 8), (juce::uint8) id, (juce::uint8) (value >> 8), (juce::uint8) value,
              (juce::uint8) (n >> 8), (juce::uint8) n };
    e.insert (e.end(), name.begin(), name.end());
    return e;
}

Bytes text (const char* s)
{
    return Bytes (s, s + std::strlen (s));
}

Bytes list (int identifier, int count, const std::vector<Bytes>& entries)
{
    Bytes b { (juce::uint8) (identifier >> 8), (juce::uint8) identifier, (juce::uint8) (count >> 8), (juce::uint8) count };
    for (const auto& e : entries)
        b.insert (b.end(), e.begin(), e.end());
    return b;
}

ParameterNameList parse (const Bytes& b)
{
    return ParameterNameList::parse (b.data(), b.size());
}

Bytes cut (Bytes b, size_t size)
{
    b.resize (size);
    return b;
}
} // namespace

TEST (ProgramNames, ControllerNames)
{
    const std::vector<std::pair<int, const char*>> cases {
        { 1, "MOD WHEEL" }, { 4, "CC PEDAL 2" }, { 29, "VARIATION" }, { 64, "SW.PEDAL 1a" }, { 67, "SW.PEDAL 2b" },
        { 69, "SWITCH 4" }, { 83, "SWITCH 4" },  // two numbers, one name
        { 90, "SWITCH 9" }, { 128, "Description" },
        { 0, "CONTROLLER #0" }, { 5, "CONTROLLER #5" }, { 127, "CONTROLLER #127" },
        { 129, "CC# 129" }, { 200, "CC# 200" },
        { -1, "NONE" }, { -128, "NONE" },
    };
    for (const auto& [controller, name] : cases)
        EXPECT_EQ (ProgramNames::controllerName (controller), name) << controller;
}

TEST (ProgramNames, SubSystemNames)
{
    const std::vector<std::pair<int, const char*>> cases {
        { 0, "Global" }, { 1, "Synth" }, { 2, "Aux 1" }, { 3, "Aux 2" }, { 4, "Prg Insert" },
        { 5, "Layer Insert 1" }, { 12, "Layer Insert 8" }, { 13, "" }, { -1, "" }, { 127, "" },
    };
    for (const auto& [value, name] : cases)
        EXPECT_EQ (ProgramNames::subSystemName (value), name) << value;
}

TEST (ParameterNameList, ParsesEntriesWithTheNameTextRules)
{
    struct Case
    {
        const char* what;
        Bytes data;
        int identifier;
        std::vector<ParameterNameList::Entry> entries;
    };

    const Bytes wetDry = list (0x0102, 1, { entry (1, 64, text (" Wet/Dry")) }); // exactly 20 bytes
    const std::vector<Case> cases {
        { "20 bytes: shown", wetDry, 0x0102, { { 1, 64, " Wet/Dry" } } },
        { "19 bytes: too short to show", list (1, 1, { entry (1, 64, text (" Wet/Dr")) }), 0, {} },
        { "marker first byte dropped", list (1, 1, { entry (2, 0, text ("\x08" "Cutoff Lo")) }), 1, { { 2, 0, "Cutoff Lo" } } },
        { "0x0E dropped, 0x0F kept", list (1, 2, { entry (2, 0, text ("\x0E" "Cut")), entry (3, 0, text ("\x0F" "Res")) }),
          1, { { 2, 0, "Cut" }, { 3, 0, "\x0F" "Res" } } },
        { "high first byte dropped, high bytes skipped", list (1, 1, { entry (4, 5, { 0xC1, 'C', 0xE9, 'a', 'f', 0x80, 0xFF, 'e', ' ', 'X' }) }),
          1, { { 4, 5, "Cafe X" } } },
        { "zero bytes skipped", list (1, 1, { entry (4, 5, { ' ', 'A', 0, 'B', 0, 0, 0, 0, 0, 0 }) }), 1, { { 4, 5, " AB" } } },
        { "values of 128 and more read -1", list (1, 3, { entry (1, 127, text (" A")), entry (2, 128, text (" B")), entry (3, 0xFFFF, text (" C")) }),
          1, { { 1, 127, " A" }, { 2, -1, " B" }, { 3, -1, " C" } } },
        { "16-bit IDs", list (1, 1, { entry (0x0102, 0, text (" Long Name")) }), 1, { { 258, 0, " Long Name" } } },
        { "empty name", list (1, 2, { entry (9, 1, {}), entry (10, 2, {}) }), 1, { { 9, 1, "" }, { 10, 2, "" } } },
        { "count 0", list (7, 0, { entry (1, 1, text (" Not Counted")) }), 7, {} },
        { "name cut by the end keeps what is there", cut (list (1, 2, { entry (1, 1, text (" Level")), entry (2, 2, text (" Drive Amount")) }), 29),
          1, { { 1, 1, " Level" }, { 2, 2, " Dr" } } },
        { "count beyond the entries present", list (1, 0x0101, { entry (1, 1, text (" Level")), entry (2, 2, text (" Drive")) }),
          1, { { 1, 1, " Level" }, { 2, 2, " Drive" } } },
        { "entry header cut by the end", cut (list (1, 2, { entry (1, 1, text (" Level")), entry (2, 2, text (" Drive")) }), 24),
          1, { { 1, 1, " Level" } } },
    };

    for (const auto& c : cases)
    {
        const auto parsed = parse (c.data);
        EXPECT_EQ (parsed.identifier, c.identifier) << c.what;
        EXPECT_EQ (parsed.entries, c.entries) << c.what;
    }
}

TEST (ParameterNameList, KeepsAtMost39Entries)
{
    std::vector<Bytes> entries;
    for (int i = 0; i < 45; ++i)
        entries.push_back (entry (i, i, text (" P")));

    const auto parsed = parse (list (1, 45, entries));
    ASSERT_EQ (parsed.size(), ParameterNameList::maxEntries);
    EXPECT_EQ (parsed.entries.back().id, 38);
}

TEST (ParameterNameList, MeasuresWithTheLowBytesAndZerosBeyondTheData)
{
    struct Case
    {
        const char* what;
        Bytes data;
        size_t length;
    };
    const std::vector<Case> cases {
        { "count 0", list (1, 0, {}), 4 },
        { "one entry", list (1, 1, { entry (1, 1, text (" Wet/Dry")) }), 20 },
        { "two entries", list (1, 2, { entry (1, 1, text (" A")), entry (2, 2, text (" BCD")) }), 4 + 10 + 12 },
        { "count 0x0100 measures as 0", list (1, 0x0100, { entry (1, 1, text (" A")) }), 4 },
        { "name length 0x0105 measures as 5", list (1, 1, { entry (1, 1, text (" Abcd"), 0x0105) }), 4 + 8 + 5 },
        { "entries beyond the data count 8 each", list (1, 3, {}), 4 + 3 * 8 },
        { "nothing at all", {}, 4 },
    };
    for (const auto& c : cases)
        EXPECT_EQ (ParameterNameList::measure (c.data.data(), c.data.size()), c.length) << c.what;
}

TEST (VirtualParameterTable, AssignmentListNeedsTwentyBytesAndWholeEntries)
{
    auto assignments = [] (int count, int present) {
        Bytes b { 0x00, 0x09, (juce::uint8) (count >> 8), (juce::uint8) count };
        for (int i = 0; i < present; ++i)
            b.insert (b.end(), { 1, (juce::uint8) i, 0xFF, (juce::uint8) (0x80 + i) });
        return b;
    };

    struct Case
    {
        Bytes data;
        int expected;
    };
    const std::vector<Case> cases {
        { assignments (3, 3), 0 },   // 16 bytes: not shown
        { assignments (4, 4), 4 },
        { assignments (9, 4), 4 },   // count beyond the data
        { cut (assignments (9, 5), 23), 4 }, // the fifth entry is cut
        { assignments (2, 5), 2 },
    };
    for (const auto& c : cases)
    {
        VirtualParameterTable table;
        table.parseAssignments (c.data.data(), c.data.size());
        EXPECT_EQ (table.assignmentCount(), c.expected) << c.data.size();
    }

    VirtualParameterTable table;
    const auto data = assignments (4, 4);
    table.parseAssignments (data.data(), data.size());
    EXPECT_EQ (table.assignmentIdentifier, 9);
    EXPECT_EQ (table.assignment (3), (VirtualParameterTable::Assignment { 1, 3, -1, -125 })); // signed bytes
}

TEST (VirtualParameterTable, TextsOfAnAssignment)
{
    VirtualParameterTable table;
    table.assignments = {
        { 1, 5, 64, 71 },    // KNOB 1
        { 4, 69, -1, 127 },  // 127: the parameter reference names the controller
        { 2, 5, 0, 127 },
        { 13, 7, 127, -1 },
        { 3, 83, -20, 83 },
    };

    struct Case
    {
        int i;
        const char* subSystem;
        const char* value;
        const char* assignedTo;
    };
    const std::vector<Case> cases {
        { 0, "Synth", "64", "KNOB 1" },
        { 1, "Prg Insert", "---", "SWITCH 4" },
        { 2, "Aux 1", "0", "CONTROLLER #5" },
        { 3, "", "127", "NONE" },
        { 4, "Aux 2", "---", "SWITCH 4" },
        { 5, "", "", "" },   // no such assignment
        { -1, "", "", "" },
    };
    for (const auto& c : cases)
    {
        EXPECT_EQ (table.subSystemText (c.i), c.subSystem) << c.i;
        EXPECT_EQ (table.entryValueText (c.i), c.value) << c.i;
        EXPECT_EQ (table.assignedToText (c.i), c.assignedTo) << c.i;
    }
}

TEST (VirtualParameterTable, NameLookupTakesTheFirstListHoldingTheId)
{
    VirtualParameterTable table;
    table.lists[VirtualParameterTable::programList].entries = { { 10, 0, "Own Ten" } };
    table.lists[VirtualParameterTable::insertList].entries = { { 10, 0, "Insert Ten" }, { 20, 0, "Insert Twenty" } };
    table.lists[VirtualParameterTable::aux1List].entries = { { 20, 0, "Aux1 Twenty" }, { 30, 0, "Aux1 Thirty" } };
    table.lists[VirtualParameterTable::aux2List].entries = { { 30, 0, "Aux2 Thirty" }, { 40, 0, "Aux2 Forty" } };
    table.assignments = { { 1, 10, 0, 1 }, { 4, 20, 0, 1 }, { 2, 30, 0, 1 }, { 3, 40, 0, 1 }, { 3, 50, 0, 1 } };

    const char* expected[] = { "Own Ten", "Insert Twenty", "Aux1 Thirty", "Aux2 Forty", "" };
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ (table.parameterName (i), expected[i]) << i;
    EXPECT_EQ (table.parameterName (5), "");

    table.assignments.clear();
    EXPECT_EQ (table.parameterName (0), "");
}

// Parameter slots against the built-in banks: what a program selection puts into a
// channel's rows, controller labels and FX parameter lists, addressed changes that
// edit the program record, and the texts a host shows.

#include "plugin/ControllerState.h"
#include "support/PluginRig.h"

#include <gtest/gtest.h>

using namespace zd8;
using zd8test::PluginRig;

namespace
{
    int row (int channel, int k) { return ParameterTable::programSlot (channel, k); }

    /** A program of the built-in bank whose assignments name at least `least` usable
        controllers, and one that names none; found by decoding through an edit buffer. */
    struct ProgramsWithAndWithoutAssignments
    {
        int with = 0, without = 0;
    };

    ProgramsWithAndWithoutAssignments findPrograms (InstrumentImage& image)
    {
        ProgramsWithAndWithoutAssignments found;
        ProgramEditBuffers probe;
        for (int id : image.getPrograms().listIds (ObjectStore::listPresent, 0))
        {
            if (found.with != 0 && found.without != 0)
                break;
            probe.loadFromStore (image.getPrograms(), id);
            probe.decodeTable (image.getFxChains());
            const auto table = probe.getTable();
            int usable = 0;
            for (int i = 0; i < table.assignmentCount(); ++i)
            {
                const auto a = table.assignment (i);
                usable += (a.subSystem >= 1 && a.subSystem <= 4 && a.controller > 0 && a.controller < 128 && a.controller != 32) ? 1 : 0;
            }
            if (usable >= 2 && found.with == 0)
                found.with = id;
            if (table.assignmentCount() == 0 && found.without == 0)
                found.without = id;
        }
        return found;
    }
}

TEST (ParameterSlots, ProgramSelectionFillsTheChannelRowsFromTheRecord)
{
    PluginRig rig (false);
    ControllerState hub (rig.environment);
    auto& table = hub.getParameters();
    auto& image = hub.getImage();

    for (int program : { 1, 37, 2047 })
    {
        hub.selectProgram (program, 4);
        const auto record = image.getPrograms().readRecord (program);
        ASSERT_GT (record.getSize(), 160u);
        auto byte = [&] (int p) { return ProgramStore::contentByte (record, p); };
        auto word = [&] (int p) { return ProgramStore::contentBigEndian16 (record, p); };

        EXPECT_EQ (table.value (row (4, 0)), word (109)) << program;
        EXPECT_EQ (table.value (row (4, 1)), byte (108) & 1);
        EXPECT_EQ (table.value (row (4, 3)), word (121));
        EXPECT_EQ (table.value (row (4, 4)), byte (111) & 0x7F);
        EXPECT_EQ (table.value (row (4, 5)), byte (111) >> 7);
        EXPECT_EQ (table.value (row (4, 6)), word (133));
        EXPECT_EQ (table.value (row (4, 7)), byte (112) & 0x7F);
        EXPECT_EQ (table.value (row (4, 9)), (int) (juce::int8) byte (83));
        EXPECT_EQ (table.value (row (4, 10)), (int) (juce::int8) byte (80));
        EXPECT_EQ (table.value (row (4, 11)), program);
        EXPECT_EQ (table.value (row (4, 14)), program / 128);
        EXPECT_EQ (table.value (row (4, 15)), program % 128);
        EXPECT_EQ (hub.getImage().getEditBuffer (4)->name(), image.getPrograms().programName (program));
    }

    // A program the store does not hold leaves the buffer and rows as they were.
    const int before = table.value (row (4, 0));
    hub.selectProgram (3000, 4);
    EXPECT_EQ (table.value (row (4, 0)), before);
}

TEST (ParameterSlots, AssignmentsNameControllerRowsAndFillTheFxLists)
{
    PluginRig rig (false);
    ControllerState hub (rig.environment);
    auto& table = hub.getParameters();
    const auto programs = findPrograms (hub.getImage());
    ASSERT_NE (programs.with, 0);
    ASSERT_NE (programs.without, 0);

    // Before any program names it, a controller row is "MIDI n Ch.c".
    EXPECT_EQ (hub.slotLabel (ParameterTable::controllerSlot (2, 0)), "MIDI 0 Ch.3");
    EXPECT_EQ (hub.slotLabel (ParameterTable::controllerSlot (2, 32)), "MIDI 32 Ch.3");

    hub.selectProgram (programs.with, 2);
    const auto decoded = hub.getImage().getEditBuffer (2)->getTable();
    std::set<int> named;
    for (int i = 0; i < decoded.assignmentCount(); ++i)
    {
        const auto a = decoded.assignment (i);
        if (a.subSystem < 1 || a.subSystem > 4 || a.controller <= 0 || a.controller > 127 || a.controller == 32)
            continue;
        const int slot = ParameterTable::controllerSlot (2, a.controller);
        if (! named.insert (a.controller).second)
            continue; // the first assignment of a controller names it
        EXPECT_EQ (hub.slotLabel (slot), decoded.parameterName (i) + " Ch.3");
        EXPECT_EQ (table.value (slot), juce::jlimit (0, 127, a.value));
    }

    std::set<int> listed;
    for (int list = 0; list < 4; ++list)
        for (int n : hub.getFxParameterList (2, list))
            EXPECT_TRUE (listed.insert (n).second) << "controller " << n << " listed twice";
    EXPECT_EQ (listed, named);

    // A later program without assignments empties the lists but keeps the names.
    const int someController = *named.begin();
    const auto label = hub.slotLabel (ParameterTable::controllerSlot (2, someController));
    hub.selectProgram (programs.without, 2);
    for (int list = 0; list < 4; ++list)
        EXPECT_TRUE (hub.getFxParameterList (2, list).empty());
    EXPECT_EQ (hub.slotLabel (ParameterTable::controllerSlot (2, someController)), label);
}

TEST (ParameterSlots, AddressedChangesFromControlsEditTheRecord)
{
    PluginRig rig;
    ControllerState hub (rig.environment);
    rig.settle();
    auto* edit = hub.getImage().getEditBuffer (0);
    const int byte111 = edit->byteAt (111);

    struct Case
    {
        int selector;
        std::array<int, 5> address;
        int value;
        int expectedSent;
    };
    const int aux1Level = { (byte111 & 0x80) | 50 };
    const std::vector<Case> cases {
        { 1, { 1, 0, 5, 0, 2 }, 50, aux1Level },                   // bits 0..6 of byte 111
        { 2, { 1, 3, 5, 0, 2 }, 1, aux1Level | 0x80 },             // bit 7 of byte 111, any A2
        { 6, { 1, 0, 1, 0, 19 }, 12, -12 },                         // negated for selector 6
        { 3, { 1, 0, 1, 0, 19 }, 12, 12 },
        { 4, { 5, 0, 5, 0, 24 }, 0, 120 },                          // the tempo (120 when unset)
        { 4, { 5, 0, 5, 0, 24 }, 9, 0 },
        { 0, { 1, 0, 5, 0, 2 }, 77, 77 },                           // selector 0: as given
        { 1, { 9, 9, 9, 9, 9 }, 33, 33 },                           // any other address
    };
    for (auto& c : cases)
    {
        rig.simulator.clearReceived();
        hub.sendAddressed (c.selector, 1, c.address.data(), c.value);
        ASSERT_TRUE (rig.settle (7));
        const auto changes = rig.simulator.getAddressedChanges();
        ASSERT_FALSE (changes.empty());
        EXPECT_EQ (changes.back().address, c.address);
        EXPECT_EQ (changes.back().value, c.expectedSent) << "selector " << c.selector << " value " << c.value;
    }
    EXPECT_EQ (edit->byteAt (111), aux1Level | 0x80) << "the record keeps the edits";

    // Bits of byte 108 are set, never cleared, by the insert switches.
    const int byte108 = edit->byteAt (108);
    const int insertAddress[5] = { 1, 0, 5, 0, 0 };
    hub.sendAddressed (3, 1, insertAddress, 1);
    EXPECT_EQ (edit->byteAt (108), byte108 | 4);
}

TEST (ParameterSlots, HostTextsComeFromTheValueDescriptions)
{
    PluginRig rig (false);
    ControllerState hub (rig.environment);
    auto& image = hub.getImage();

    EXPECT_EQ (hub.slotLabel (15), "Program No. Ch.1");
    EXPECT_EQ (hub.slotLabel (ParameterTable::playingModeSlot), "Playing Mode");
    EXPECT_EQ (hub.slotValueText (ParameterTable::playingModeSlot), "PROGRAM");

    hub.selectProgram (130, 0); // bank 1, number 2: the number row shows the whole program
    EXPECT_EQ (hub.slotValueText (15), image.getValueFormatter().formatValue (2102, 130));
    EXPECT_EQ (hub.slotValueText (11), image.getValueFormatter().formatValue (2100, 130));
    EXPECT_TRUE (hub.slotValueText (11).contains (image.getPrograms().programName (130).trim()));
    EXPECT_EQ (hub.slotValueText (-1), "");
    EXPECT_EQ (hub.slotValueText (2314), "");
}

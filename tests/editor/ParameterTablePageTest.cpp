// The virtual parameter table page: the assignments of a channel's program as the
// table shows them, editing a controller number or an entry value through the hidden
// value field (bytes at the simulator, bytes in the edit buffer), the name list sent on
// opening, the page's events and the main window's handling of them, and a render.

#include "editor/kit/EditEvent.h"
#include "editor/shell/MainPanel.h"
#include "editor/shell/VantorAudioProcessorEditor.h"
#include "editor/pages/ProgramPage.h"
#include "editor/pages/ParameterTablePage.h"
#include "link/SysexProtocol.h"
#include "model/ProgramStore.h"
#include "model/ProgramEditBuffers.h"
#include "plugin/VantorAudioProcessor.h"
#include "support/PluginRig.h"
#include "support/RenderCheck.h"
#include "KitMouse.h"

#include <gtest/gtest.h>

using namespace zd8;
using zd8test::KitMouse;
using zd8test::PluginRig;

namespace
{
    constexpr int pageWidth = 996, pageHeight = 646;
    constexpr int rowHeight = AssignmentGrid::rowHeight;

    struct Name
    {
        int id;
        const char* text;
    };

    struct Assign
    {
        int subSystem, parameter, value, controller;
    };

    /** Where a press lands in a cell of the table (centre of the cell). */
    juce::Point<float> cellCentre (int shownRow, int column)
    {
        return { (float) (AssignmentGrid::columnX (column) + AssignmentGrid::columnWidth (column) / 2),
                 (float) (shownRow * rowHeight + rowHeight / 2) };
    }

    juce::MouseEvent secondaryPress (juce::Component& c, juce::Point<float> p)
    {
        const auto now = juce::Time::getCurrentTime();
        return { juce::Desktop::getInstance().getMainMouseSource(), p,
                 juce::ModifierKeys (juce::ModifierKeys::rightButtonModifier), 0.0f, 0.0f, 0.0f, 0.0f, 0.0f,
                 &c, &c, now, p, now, 1, false };
    }

    juce::String hex (const juce::MemoryBlock& block)
    {
        return juce::String::toHexString (block.getData(), (int) block.getSize(), 0).toUpperCase();
    }

    struct TablePage : ::testing::Test
    {
        static constexpr int channel = 2;

        PluginRig rig;
        VantorAudioProcessor processor { rig.environment };
        ControllerState& hub = processor.getHub();
        ProgramStore& programs = hub.getImage().getPrograms();
        ParameterTablePage page { processor.getEditorConnection() };
        AssignmentGrid& grid = page.getGrid();
        KitMouse mouse { page.getGrid() };

        void SetUp() override { rig.settle(); }

        /** Program id: built-in program 1 up to its layer area, then the given name list
            and assignment list. */
        void putProgram (int id, std::vector<Name> names, std::vector<Assign> assigns)
        {
            const juce::ScopedWriteLock wl (hub.getImage().getStoreLock());
            const auto base = programs.readRecord (1);
            const auto v = ProgramStore::layerAreaEndOf (base);
            ASSERT_LE (v, base.getSize());

            juce::MemoryOutputStream out;
            out.write (base.getData(), v);
            out.writeShortBigEndian (1);
            out.writeShortBigEndian ((short) names.size());
            for (auto& n : names)
            {
                const int length = (int) strlen (n.text);
                out.writeShortBigEndian (0);
                out.writeShortBigEndian ((short) n.id);
                out.writeShortBigEndian (0);
                out.writeShortBigEndian ((short) length);
                out.write (n.text, (size_t) length);
            }
            out.writeShortBigEndian (2);
            out.writeShortBigEndian ((short) assigns.size());
            for (auto& a : assigns)
                for (int b : { a.subSystem, a.parameter, a.value, a.controller })
                    out.writeByte ((char) b);
            programs.replaceRecord (id, juce::MemoryBlock (out.getData(), out.getDataSize()));
        }

        /** The channel plays program id (the program row as the program page sets it),
            and the page opens for the channel. */
        void play (int id)
        {
            hub.setFromEditor (ParameterTable::programSlot (channel, ParameterTable::programRow), id, false, false);
            rig.settle();
            rig.simulator.clearReceived();
            page.open (channel, 0, 0, pageWidth, pageHeight);
            rig.settle (1);   // the name list the page sends on opening
        }

        std::vector<juce::String> rowTexts (int row)
        {
            std::vector<juce::String> texts;
            for (int c = 0; c < AssignmentGrid::numColumns; ++c)
                texts.push_back (grid.cellText (row, c));
            return texts;
        }

        /** Presses a cell of the table and delivers the table's and the page's change
            messages; returns what the page queued for the main window. */
        std::vector<juce::uint64> pressCell (int shownRow, int column)
        {
            const auto p = cellCentre (shownRow, column);
            mouse.click (p.x, p.y);
            grid.dispatchPendingMessages();
            return page.takeEvents();
        }

        /** Types text into the open entry and presses Return. */
        bool enter (const juce::String& text)
        {
            page.getEntry().setText (text, false);
            return page.commitEntry();
        }

        int assignmentByte (int position)
        {
            const auto data = hub.getImage().getEditBuffer (channel)->getProgramData();
            const auto at = ProgramStore::layerAreaEndOf (data) + ProgramStore::nameListLengthOf (data) + (size_t) position;
            return at < data.getSize() ? (int) (juce::int8) data[at] : 1000;
        }

        // Four assignments (the smallest list that is shown: 20 bytes): a negative
        // entry value; a controller byte of 127 (so the parameter reference names the
        // controller); a parameter no list names; a Global one.
        void putFour (int id)
        {
            putProgram (id, { { 5, "Cutoff" }, { 71, "\x08" "Drive" } },
                        { { 1, 5, -1, 74 }, { 4, 71, 64, 127 }, { 7, 9, 0, 1 }, { 0, 100, 10, 2 } });
        }
    };

    const char* const subSystems[] = { "Global", "Synth", "Aux 1", "Aux 2", "Prg Insert",
                                       "Layer Insert 1", "Layer Insert 2", "Layer Insert 3", "Layer Insert 4",
                                       "Layer Insert 5", "Layer Insert 6", "Layer Insert 7", "Layer Insert 8" };
}

//==============================================================================
TEST_F (TablePage, ABuiltInProgramShowsEveryAssignmentOfItsList)
{
    // The first program of the built-in bank with at least three assignments.
    int id = 0;
    juce::MemoryBlock list;
    for (int candidate : programs.listIds (ObjectStore::listPresent, 0))
    {
        list = programs.assignmentListForSending (candidate);
        if (list.getSize() >= 4 + 3 * 4 && (int) ((juce::uint8) list[2] << 8 | (juce::uint8) list[3]) >= 3)
        {
            id = candidate;
            break;
        }
    }
    ASSERT_GT (id, 0) << "the built-in bank has a program with assignments";
    play (id);

    const int count = (juce::uint8) list[2] << 8 | (juce::uint8) list[3];
    EXPECT_EQ (grid.assignmentCount(), juce::jmin (count, (int) (list.getSize() - 4) / 4));
    int named = 0;
    for (int r = 0; r < juce::jmin (grid.assignmentCount(), AssignmentGrid::numRows); ++r)
    {
        auto byte = [&] (int k) { return (int) (juce::int8) list[(size_t) (4 + 4 * r + k)]; };
        const auto texts = rowTexts (r);
        SCOPED_TRACE (r);
        EXPECT_EQ (texts[0], juce::String (byte (1)));
        EXPECT_EQ (texts[2], byte (0) >= 0 && byte (0) <= 12 ? juce::String (subSystems[byte (0)]) : juce::String());
        EXPECT_FALSE (texts[3].isEmpty());
        EXPECT_EQ (texts[4], "# " + juce::String (byte (3)));
        EXPECT_EQ (texts[5], byte (2) < 0 ? juce::String ("---") : juce::String (byte (2)));
        named += texts[1].isNotEmpty() ? 1 : 0;
    }
    EXPECT_GT (named, 0) << "the program's parameters have names";
    for (int c = 0; c < AssignmentGrid::numColumns; ++c)
        EXPECT_EQ (grid.cellText (grid.assignmentCount(), c), "");
}

TEST_F (TablePage, FourAssignmentsFillFourRowsAndOnlyTheirNumberCellsAskForAValue)
{
    putFour (4500);
    play (4500);

    using T = std::vector<juce::String>;
    EXPECT_EQ (rowTexts (0), (T { "5", "Cutoff", "Synth", "CONTROLLER #74", "# 74", "---" }));
    // Controller byte 127: the parameter reference 71 names the controller; the name's
    // marker byte is dropped.
    EXPECT_EQ (rowTexts (1), (T { "71", "Drive", "Prg Insert", "KNOB 1", "# 127", "64" }));
    EXPECT_EQ (rowTexts (2), (T { "9", "", "Layer Insert 3", "MOD WHEEL", "# 1", "0" }));
    EXPECT_EQ (rowTexts (3), (T { "100", "", "Global", "BREATH", "# 2", "10" }));
    EXPECT_EQ (rowTexts (4), (T { "", "", "", "", "", "" }));

    struct Case
    {
        int row, column;
        bool asks;
    };
    const Case cases[] = {
        { 5, AssignmentGrid::controllerColumn, false },   // no assignment there
        { 4, AssignmentGrid::entryValueColumn, false },
        { 1, AssignmentGrid::nameColumn, false },         // only the number cells are edited
        { 1, AssignmentGrid::assignedColumn, false },
        { 2, AssignmentGrid::controllerColumn, true },
        { 0, AssignmentGrid::entryValueColumn, true },
    };
    for (auto& c : cases)
    {
        SCOPED_TRACE (juce::String (c.row) + "/" + juce::String (c.column));
        const auto events = pressCell (c.row, c.column);
        EXPECT_EQ (grid.getSelectedRow(), c.row);
        EXPECT_EQ (grid.getPressedColumn(), c.column);
        EXPECT_EQ (page.isEntryOpen(), c.asks);
        // The field's entry request, passed on as it is: code 19, number 2, the channel.
        EXPECT_EQ (events, c.asks ? std::vector<juce::uint64> { EditEvent::make (19, 2, 0, channel, 0) }
                                  : std::vector<juce::uint64> {});
        page.cancelEntry();
    }

    // Between the last column and the scroll bar: selects, no column.
    mouse.click ((float) AssignmentGrid::cellsWidth + 4.0f, 5.0f);
    EXPECT_EQ (grid.getPressedColumn(), -1);
    EXPECT_EQ (grid.getSelectedRow(), 0);

    // The secondary button: event 91 from the table, nothing from the page.
    grid.mouseDown (secondaryPress (grid, cellCentre (1, AssignmentGrid::controllerColumn)));
    grid.mouseUp (secondaryPress (grid, cellCentre (1, AssignmentGrid::controllerColumn)));
    const auto gridEvents = grid.takeEvents();
    ASSERT_EQ (gridEvents.size(), 1u);
    EXPECT_EQ (EditEvent::code (gridEvents[0]), AssignmentGrid::secondaryPressCode);
    EXPECT_FALSE (page.isEntryOpen());
}

TEST_F (TablePage, AFieldIsAddressedAtTheAssignmentAndStartsAtItsMinimum)
{
    putFour (4501);
    play (4501);
    auto& field = page.getField();

    struct Case
    {
        int row, column;
        const char* label;
        int minimum, kind, a5;
        const char* entryText;
    };
    const Case cases[] = {
        { 1, AssignmentGrid::controllerColumn, "MIDI CC", 1, 2, 2, "127" },
        { 0, AssignmentGrid::entryValueColumn, "Entry Value", -1, 1, 1, "---" },
        { 2, AssignmentGrid::entryValueColumn, "Entry Value", -1, 1, 1, "0" },
    };
    for (auto& c : cases)
    {
        SCOPED_TRACE (c.label);
        pressCell (c.row, c.column);
        EXPECT_EQ (field.getLabel(), c.label);
        EXPECT_EQ (field.getMinimum(), c.minimum);
        EXPECT_EQ (field.getMaximum(), 127);
        EXPECT_EQ (field.getValue(), c.minimum) << "not the assignment's value";
        EXPECT_EQ (field.getChannel(), channel);
        EXPECT_EQ (field.getParameterNumber(), 2);
        const int address[5] = { field.getAddress (0), field.getAddress (1), field.getAddress (2), field.getAddress (3), field.getAddress (4) };
        EXPECT_EQ (std::vector<int> (address, address + 5), (std::vector<int> { 1, 0, 9, c.row, c.a5 }));
        EXPECT_FALSE (field.isVisible());
        // The entry over the cell starts with what the cell shows.
        EXPECT_EQ (page.getEntry().getText(), c.entryText);
        EXPECT_TRUE (page.getEntry().getBounds().intersects (grid.cellBounds (c.row, c.column) + grid.getPosition()));
        page.cancelEntry();
    }
}

TEST_F (TablePage, EnteredNumbersReachTheInstrumentAndTheEditBuffer)
{
    putFour (4502);
    play (4502);
    const juce::String cc = "B" + juce::String::toHexString (channel);   // control change on MIDI channel 3

    struct Case
    {
        int row, column;
        const char* typed;
        int a5, msb, lsb;      // address byte 5, then (value + 8192) / 128 and % 128
        int position, stored;  // the assignment list byte written, and its new value
        const char* shown;
    };
    const Case cases[] = {
        { 1, AssignmentGrid::controllerColumn, "74", 2, 64, 74, 4 + 4 + 3, 74, "# 74" },
        // 1 is where the controller field starts: it is still sent.
        { 2, AssignmentGrid::controllerColumn, "1", 2, 64, 1, 4 + 8 + 3, 1, "# 1" },
        { 0, AssignmentGrid::entryValueColumn, "100", 1, 64, 100, 4 + 0 + 2, 100, "100" },
        // -1 (the entry value field's minimum) sends 63 / 127 and shows "---".
        { 1, AssignmentGrid::entryValueColumn, "---", 1, 63, 127, 4 + 4 + 2, -1, "---" },
        { 2, AssignmentGrid::entryValueColumn, "-1", 1, 63, 127, 4 + 8 + 2, -1, "---" },
    };
    for (auto& c : cases)
    {
        SCOPED_TRACE (c.typed);
        rig.simulator.clearReceived();
        pressCell (c.row, c.column);
        ASSERT_TRUE (page.isEntryOpen());
        EXPECT_TRUE (enter (c.typed));
        EXPECT_FALSE (page.isEntryOpen());

        ASSERT_TRUE (rig.settle (7));
        const std::vector<juce::String> expected {
            cc + " 6E 01", cc + " 6F 00", cc + " 70 09", cc + " 71 " + juce::String::toHexString (c.row).paddedLeft ('0', 2),
            cc + " 72 " + juce::String::toHexString (c.a5).paddedLeft ('0', 2),
            cc + " 76 " + juce::String::toHexString (c.msb).toUpperCase().paddedLeft ('0', 2),
            cc + " 77 " + juce::String::toHexString (c.lsb).toUpperCase().paddedLeft ('0', 2),
        };
        EXPECT_EQ (rig.receivedHex(), expected);
        EXPECT_EQ (assignmentByte (c.position), c.stored);
        EXPECT_EQ (grid.cellText (c.row, c.column), c.shown);
        EXPECT_TRUE (page.takeEvents().empty()) << "the new value is the page's own business";
    }
    // The other bytes of the list are untouched.
    EXPECT_EQ (grid.cellText (0, AssignmentGrid::controllerColumn), "# 74");
    EXPECT_EQ (grid.cellText (1, AssignmentGrid::idColumn), "71");
}

TEST_F (TablePage, BadEntriesAreRefusedAndSendNothing)
{
    putFour (4503);
    play (4503);
    rig.simulator.clearReceived();
    const auto before = hub.getImage().getEditBuffer (channel)->getProgramData();

    struct Case
    {
        int column;
        const char* typed;
    };
    const Case cases[] = {
        { AssignmentGrid::controllerColumn, "" },    { AssignmentGrid::controllerColumn, "0" },  // below 1
        { AssignmentGrid::controllerColumn, "128" }, { AssignmentGrid::controllerColumn, "-1" }, // no "none" for a controller
        { AssignmentGrid::controllerColumn, "---" }, { AssignmentGrid::entryValueColumn, "-2" },
        { AssignmentGrid::entryValueColumn, "--5" }, { AssignmentGrid::entryValueColumn, "12-" },
        { AssignmentGrid::entryValueColumn, "1x" },
    };
    for (auto& c : cases)
    {
        SCOPED_TRACE (c.typed);
        pressCell (1, c.column);
        EXPECT_FALSE (enter (c.typed));
        EXPECT_TRUE (page.isEntryOpen()) << "the user can correct it";
        page.cancelEntry();
        EXPECT_FALSE (page.isEntryOpen());
        EXPECT_FALSE (page.commitEntry()) << "nothing open, nothing taken";
    }
    rig.settle();
    EXPECT_TRUE (rig.receivedHex().empty());
    EXPECT_EQ (hub.getImage().getEditBuffer (channel)->getProgramData(), before);
}

TEST_F (TablePage, AProgramWithoutAssignmentsShowsAnEmptyTable)
{
    // A name list but an assignment list of only its four header bytes.
    putProgram (4504, { { 5, "Cutoff" } }, {});
    play (4504);
    EXPECT_EQ (grid.assignmentCount(), 0);
    for (int c = 0; c < AssignmentGrid::numColumns; ++c)
        EXPECT_EQ (grid.cellText (0, c), "");
    EXPECT_TRUE (pressCell (0, AssignmentGrid::controllerColumn).empty());
    EXPECT_FALSE (page.isEntryOpen());

    // Three assignments make a list of 16 bytes, too short to be read at all.
    putProgram (4509, { { 5, "Cutoff" } }, { { 1, 5, 1, 74 }, { 1, 5, 2, 75 }, { 1, 5, 3, 76 } });
    play (4509);
    EXPECT_EQ (grid.assignmentCount(), 0);
    EXPECT_EQ (grid.cellText (0, AssignmentGrid::controllerColumn), "");
    page.editCell (0, AssignmentGrid::entryValueColumn);
    EXPECT_FALSE (page.isEntryOpen());
}

TEST_F (TablePage, WheelAndScrollBarStopWithTheLastRowAtTheBottom)
{
    putFour (4505);
    play (4505);
    const int lastTop = AssignmentGrid::numRows - grid.visibleRows();
    ASSERT_EQ (grid.visibleRows(), 15);

    for (int i = 0; i < 40; ++i)
        mouse.wheel (-1.0f);
    EXPECT_EQ (grid.getTopRow(), lastTop);
    mouse.wheel (1.0f);
    EXPECT_EQ (grid.getTopRow(), lastTop - 1);
    for (int i = 0; i < 40; ++i)
        mouse.wheel (1.0f);
    EXPECT_EQ (grid.getTopRow(), 0);

    // A press below the thumb moves one row and repeats until released.
    const float barX = (float) AssignmentGrid::cellAreaRight + 15.0f;
    mouse.down (barX, 500.0f);
    EXPECT_EQ (grid.getTopRow(), 1);
    EXPECT_TRUE (grid.isAutoScrolling());
    grid.autoScrollStep();
    grid.autoScrollStep();
    EXPECT_EQ (grid.getTopRow(), 3);
    mouse.up (barX, 500.0f);
    grid.autoScrollStep();
    EXPECT_EQ (grid.getTopRow(), 3);

    // Dragging the thumb to the bottom, and past it.
    const float thumbMiddle = (float) grid.thumbY() + 20.0f;
    mouse.down (barX, thumbMiddle);
    EXPECT_FALSE (grid.isAutoScrolling());
    mouse.drag (barX, 2000.0f);
    EXPECT_EQ (grid.getTopRow(), lastTop);
    EXPECT_EQ (grid.thumbY(), grid.getHeight() - AssignmentGrid::thumbHeight);
    mouse.drag (barX, -300.0f);
    EXPECT_EQ (grid.getTopRow(), 0);
    mouse.up (barX, -300.0f);

    // Rows scrolled away are pressed by where they are shown.
    grid.setTopRow (1);
    pressCell (0, AssignmentGrid::controllerColumn);
    EXPECT_EQ (page.getEntryRow(), 1);
    EXPECT_EQ (grid.getSelectedRow(), 1);
    grid.setTopRow (5);
    EXPECT_FALSE (page.isEntryOpen()) << "the entry leaves with its cell";
}

//==============================================================================
TEST_F (TablePage, OpeningSendsTheNameListOfTheChannelsProgram)
{
    putFour (4506);
    play (4506);
    ASSERT_TRUE (rig.settle (1));
    const auto sysex = rig.simulator.getAssembledSysex();
    ASSERT_EQ (sysex.size(), 1u);
    const auto& m = sysex[0];
    ASSERT_GT (m.size(), 13u);
    // Program data, object 0, part = the channel, block type 4, index 0, mode 3.
    EXPECT_EQ (hex (juce::MemoryBlock (m.data(), 12)), "F0074601000200000" + juce::String (channel) + "040003");
    EXPECT_EQ (m.back(), 0xF7);
    const auto names = SysexProtocol::decode7 (m.data() + 12, m.size() - 12);
    EXPECT_EQ (hex (names), hex (programs.nameListForSending (4506)));
    // Identifier, two entries: (ID 5, "Cutoff"), (ID 71, 08 "Drive").
    EXPECT_EQ (names.getSize(), 4u + 8 + 6 + 8 + 6);

    // A program the store does not hold has no name list to send.
    int missing = 5000;
    while (programs.isPresent (missing))
        ++missing;
    hub.getParameters().setValue (ParameterTable::programSlot (channel, ParameterTable::programRow), missing);
    rig.simulator.clearReceived();
    page.open (channel, 0, 0, pageWidth, pageHeight);
    rig.settle();
    EXPECT_TRUE (rig.simulator.getAssembledSysex().empty());
}

TEST_F (TablePage, CloseAndWriteReportTheChannelAndItsProgram)
{
    putFour (4507);
    play (4507);
    page.buttonPressed (&page.getCloseButton(), ParameterTablePage::closeId);
    page.buttonPressed (&page.getWriteButton(), ParameterTablePage::writeId);
    EXPECT_EQ (page.takeEvents(), (std::vector<juce::uint64> { EditEvent::make (13, 11, 0, channel, 4507),
                                                               EditEvent::make (20, 138, 0, channel, 4507) }));
    EXPECT_TRUE (page.takeEvents().empty());

    // Placed inside the content box, the buttons inside the page.
    EXPECT_EQ (page.getContentX(), (pageWidth - 950) / 2);
    EXPECT_EQ (grid.getBounds(), juce::Rectangle<int> (page.getContentX() + 84, 56, 810, 540));
    EXPECT_EQ (page.getCloseButton().getBounds().getX(), page.getContentX() + 875);
    EXPECT_LE (page.getCloseButton().getBottom(), pageHeight);
    EXPECT_EQ (page.getField().getBounds(), juce::Rectangle<int> (0, 0, 86, 40));
}

//==============================================================================
TEST (ParameterTableWindow, ProgramPageOpensItAndItsEventsCloseIt)
{
    PluginRig rig;
    VantorAudioProcessor processor { rig.environment };
    std::unique_ptr<juce::AudioProcessorEditor> editor (processor.createEditor());
    auto& main = dynamic_cast<VantorAudioProcessorEditor&> (*editor).getMainPanel();
    constexpr int channel = 4;

    // As the player does: the program page of the channel, then its table button.
    auto openTable = [&] (int ch)
    {
        main.showProgramPage (ch, 1);
        ASSERT_TRUE (main.isProgramPageShown());
        auto* button = main.getProgramPage()->getPageButtons().findButton ("PARAM TABLE");
        ASSERT_NE (button, nullptr);
        KitMouse (*button).click (5.0f, 5.0f);
    };
    openTable (channel);
    auto* table = main.getParameterTable();
    ASSERT_NE (table, nullptr);
    EXPECT_TRUE (main.isParameterTableShown());
    EXPECT_FALSE (main.isProgramPageShown());
    EXPECT_FALSE (main.isMixerShown());
    EXPECT_TRUE (table->isVisible());
    EXPECT_EQ (table->getChannel(), channel);
    EXPECT_EQ (table->getBounds(), main.getPageArea());

    auto deliver = [&] (juce::uint64 event) {
        // What the table's buttons do, as the table's change message brings it.
        if (EditEvent::code (event) == EditEvent::closePage)
            table->buttonPressed (&table->getCloseButton(), ParameterTablePage::closeId);
        else
            table->buttonPressed (&table->getWriteButton(), ParameterTablePage::writeId);
        table->dispatchPendingMessages();
    };
    auto expectParked = [&] {
        EXPECT_FALSE (main.isParameterTableShown());
        EXPECT_FALSE (table->isVisible());
        EXPECT_FALSE (table->isShown());
        EXPECT_EQ (table->getBounds(), juce::Rectangle<int> (-4000, -3000, 50, 50));
    };

    // CLOSE, and WRITE (which goes on to the write dialog): back on the program page.
    for (int code : { EditEvent::closePage, EditEvent::writeRequested })
    {
        SCOPED_TRACE (code);
        openTable (channel);
        ASSERT_TRUE (main.isParameterTableShown());
        deliver (EditEvent::make (code, 0, 0, channel, 0));
        expectParked();
        EXPECT_TRUE (main.isProgramPageShown());
        EXPECT_EQ (main.getProgramPage()->getChannel(), channel);
    }

    // The same page comes back, and another page's tab hides it.
    openTable (7);
    EXPECT_EQ (main.getParameterTable(), table);
    EXPECT_EQ (table->getChannel(), 7);
    main.showMixerPage();
    expectParked();
    EXPECT_TRUE (main.isMixerShown());

    // The field's entry request is not the window's to act on.
    openTable (7);
    table->getField().requestEntry();
    table->getField().dispatchPendingMessages();
    table->dispatchPendingMessages();
    EXPECT_TRUE (main.isParameterTableShown());
}

//==============================================================================
TEST_F (TablePage, RendersTheTableWithASelectedRow)
{
    putProgram (4508,
                { { 1, "Filter Cutoff" }, { 2, "Filter Resonance" }, { 3, "Amp Env Attack" }, { 4, "Amp Env Release" },
                  { 5, "LFO Rate" }, { 6, "Insert Drive" }, { 71, "Reverb Mix" }, { 8, "Chorus Depth" } },
                { { 1, 1, 64, 74 }, { 1, 2, -1, 71 }, { 1, 3, 0, 73 }, { 1, 4, 100, 72 }, { 1, 5, -1, 1 },
                  { 4, 6, 32, 12 }, { 2, 71, -1, 127 }, { 3, 8, 20, 13 }, { 5, 9, -1, 64 } });
    play (4508);
    pressCell (3, AssignmentGrid::subSystemColumn);
    EXPECT_EQ (zd8test::compareWithReference (page, "parameter_table"), "");
}

//==============================================================================
TEST_F (TablePage, NamesStartInLineWhetherTheirListPadsThemWithABlankOrAMarker)
{
    putProgram (4509, { { 1, " Drawbar 8'" }, { 2, "\x08" "Drawbar 8'" }, { 3, "Drawbar 8'" } },
                { { 1, 1, 64, 12 }, { 1, 2, 64, 13 }, { 1, 3, 64, 22 }, { 1, 1, 0, 80 }, { 1, 2, 0, 81 } });
    play (4509);

    const auto image = grid.createComponentSnapshot (grid.getLocalBounds(), true, 1.0f);
    // The first column of the name cell where text is drawn, on the row's middle line.
    auto firstInk = [&] (int row)
    {
        const int y = row * rowHeight + rowHeight / 2;
        const auto background = image.getPixelAt (AssignmentGrid::columnX (AssignmentGrid::nameColumn) + 2, y);
        for (int x = AssignmentGrid::columnX (AssignmentGrid::nameColumn) + 2;
             x < AssignmentGrid::columnX (AssignmentGrid::nameColumn) + AssignmentGrid::columnWidth (AssignmentGrid::nameColumn); ++x)
            for (int dy = -5; dy <= 5; ++dy)
                if (std::abs (image.getPixelAt (x, y + dy).getBrightness() - background.getBrightness()) > 0.25f)
                    return x;
        return -1;
    };
    const int plain = firstInk (2);
    ASSERT_GT (plain, 0);
    EXPECT_EQ (firstInk (0), plain) << "a name padded with a blank";
    EXPECT_EQ (firstInk (1), plain) << "a name led by a marker byte";
}

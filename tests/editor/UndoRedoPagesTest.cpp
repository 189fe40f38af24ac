// Undo and redo of the edits made on the pages that work on one channel at a time (the
// parameter table, the controls page), of the playing-mode tabs, and of a multi chosen
// after zone edits: each through the window's own mouse and keys, with the instrument
// simulator on the cable.

#include "editor/pages/AssignmentGrid.h"
#include "editor/pages/ControlsPage.h"
#include "editor/pages/MultiPage.h"
#include "editor/pages/ParameterTablePage.h"
#include "editor/pages/ProgramPageButtons.h"
#include "editor/pages/ZonesArray.h"
#include "editor/kit/ZoneValueField.h"
#include "model/MultiEditBuffer.h"
#include "model/MultiZone.h"
#include "model/ObjectStore.h"
#include "model/ProgramEditBuffers.h"
#include "UndoWindow.h"

namespace juce
{
    // JUCE's own message-loop step (Linux): dispatches one queued message, or returns
    // false at once when none is waiting.
    bool dispatchNextMessageOnSystemQueue (bool returnIfNoPendingMessages);
}

using namespace zd8;
using namespace zd8test;

namespace
{
    /** Runs the message loop until nothing is queued (a text entry's Return comes back
        to it through the loop). */
    void runMessageLoop()
    {
        while (juce::dispatchNextMessageOnSystemQueue (true))
        {
        }
    }

    // The multi edit buffer's numbers of a zone's keys.
    constexpr int lowKey = 17, highKey = 18;

    /** An assignment's byte as the table's field sends it: address 1 0 9 row a5 on the
        channel (0..15). */
    std::vector<juce::String> assignmentChange (int channel, int row, int a5, int value)
    {
        const int offset = value + 8192;
        std::vector<juce::String> lines;
        for (auto [controller, v] : { std::pair { 110, 1 }, { 111, 0 }, { 112, 9 }, { 113, row }, { 114, a5 },
                                      { 118, offset / 128 }, { 119, offset % 128 } })
            lines.push_back (juce::String::formatted ("B%X %02X %02X", channel, controller, v));
        return lines;
    }
}

//==============================================================================
TEST_F (UndoWindow, AParameterTableValueIsTakenBackOnItsOwnChannelAndTheTableShowsThatChannelAgain)
{
    // A built-in program with controller assignments plays on channels 1 and 2.
    auto& programs = hub.getImage().getPrograms();
    int id = 0;
    for (int candidate : programs.listIds (ObjectStore::listPresent, 0))
    {
        const auto list = programs.assignmentListForSending (candidate);
        if (list.getSize() >= 8 && ((juce::uint8) list[2] << 8 | (juce::uint8) list[3]) >= 1)
        {
            id = candidate;
            break;
        }
    }
    ASSERT_GT (id, 0);
    for (int ch : { 0, 1 })
        hub.setFromEditor (ParameterTable::programSlot (ch, ParameterTable::programRow), id, false, false);
    auto entryValue = [this] (int ch) { return hub.getImage().getEditBuffer (ch)->getTable().assignment (0).value; };
    const int before = entryValue (0);
    const int typed = before == 100 ? 101 : 100;
    ASSERT_EQ (entryValue (1), before);

    // As the player goes there: the channel's strip on the mixer, then PARAM TABLE.
    auto openTable = [this] (int ch) -> ParameterTablePage&
    {
        clickTopBar (TabBar::mixerTab);
        auto& slot = main.getMixer().getStrip (ch).getNameSlot();
        KitMouse (slot).click (5.0f, 5.0f);
        slot.dispatchPendingMessages();
        main.getMixer().dispatchPendingMessages();
        EXPECT_TRUE (main.isProgramPageShown());
        auto* button = main.getProgramPage()->getPageButtons().findButton ("PARAM TABLE");
        EXPECT_NE (button, nullptr);
        if (button != nullptr)
            KitMouse (*button).click (5.0f, 5.0f);
        reportToHost();
        rig.settle();
        rig.simulator.clearReceived();
        return *main.getParameterTable();
    };

    auto& page = openTable (0);
    ASSERT_TRUE (main.isParameterTableShown());
    ASSERT_EQ (page.getChannel(), 0);
    auto& grid = page.getGrid();
    const int column = AssignmentGrid::entryValueColumn;
    KitMouse (grid).click ((float) (AssignmentGrid::columnX (column) + AssignmentGrid::columnWidth (column) / 2),
                           (float) (AssignmentGrid::rowHeight / 2));
    grid.dispatchPendingMessages();
    ASSERT_TRUE (page.isEntryOpen());
    page.getEntry().insertTextAtCaret (juce::String (typed));
    EXPECT_TRUE (pressKeys (page.getEntry(), juce::KeyPress (juce::KeyPress::returnKey)));
    runMessageLoop();
    ASSERT_EQ (entryValue (0), typed);
    EXPECT_EQ (received (7), assignmentChange (0, 0, 1, typed));

    // The player goes on to channel 2's table (a choice of channel, which no undo
    // takes back) and presses Ctrl+Z there.
    openTable (1);
    ASSERT_EQ (page.getChannel(), 1);
    ASSERT_EQ (hub.getMidiChannel(), 2);
    host.slots.clear();

    // The table coming back to channel 1 sends the name list of its program, as it does
    // whenever it opens for a channel.
    struct Case { const char* keys; juce::KeyPress key; int value; size_t nameLists; };
    for (const auto& c : { Case { "Ctrl+Z", ctrlZ, before, 1 }, Case { "Ctrl+Shift+Z", ctrlShiftZ, typed, 0 } })
    {
        SCOPED_TRACE (c.keys);
        EXPECT_TRUE (pressKeys (page, c.key));
        const auto sent = received (7 + c.nameLists);
        ASSERT_EQ (sent.size(), 7 + c.nameLists);
        EXPECT_EQ (std::vector<juce::String> (sent.begin(), sent.begin() + 7), assignmentChange (0, 0, 1, c.value))
            << "on channel 1, as the edit was sent";
        if (c.nameLists > 0)
        {
            EXPECT_TRUE (sent.back().startsWith ("F0 07 46 01 00 02 00 00 00 04")) << "channel 1's name list";
        }
        EXPECT_EQ (entryValue (0), c.value);
        EXPECT_EQ (entryValue (1), before) << "channel 2's table is not the one edited";
        EXPECT_TRUE (main.isParameterTableShown());
        EXPECT_EQ (page.getChannel(), 0) << "the table shows the channel the edit was made on";
        EXPECT_EQ (hub.getMidiChannel(), 1);
        EXPECT_EQ (grid.cellText (0, column), c.value < 0 ? juce::String ("---") : juce::String (c.value));
        EXPECT_TRUE (host.slots.empty()) << "the table's values are the instrument's, not the host's";
    }
}

TEST_F (UndoWindow, AControlMovedOnOneChannelIsTakenBackThereAfterTheControlsPageWentToAnother)
{
    clickTopBar (TabBar::controlsTab);
    ASSERT_TRUE (main.isControlsPageShown());
    auto& page = *main.getControlsPage();
    const int slot1 = ParameterTable::controllerSlot (0, 12);
    const int slot2 = ParameterTable::controllerSlot (1, 12);
    KitMouse (page.getChannelButton (0)).click (10, 10);
    ASSERT_EQ (page.getSlider (0).getSlot(), slot1);
    const int before = table.value (slot1), other = table.value (slot2);
    ASSERT_NE (before, 127);
    received (0);

    // Slider 1 of channel 1 to the top, then the page's button of channel 2.
    KitMouse slider (page.getSlider (0));
    slider.down (20, 100);
    slider.drag (20, 6);
    slider.up (20, 6);
    ASSERT_EQ (table.value (slot1), 127);
    EXPECT_EQ (received (1), std::vector<juce::String> { "B0 0C 7F" });
    KitMouse (page.getChannelButton (1)).click (10, 10);
    ASSERT_EQ (page.getChannel(), 1);
    host.slots.clear();

    struct Case { const char* keys; juce::KeyPress key; int value; };
    for (const auto& c : { Case { "Ctrl+Z", ctrlZ, before }, Case { "Ctrl+Y", ctrlY, 127 } })
    {
        SCOPED_TRACE (c.keys);
        EXPECT_TRUE (pressKeys (page, c.key));
        EXPECT_EQ (table.value (slot1), c.value);
        EXPECT_EQ (table.value (slot2), other);
        EXPECT_EQ (received (1), std::vector<juce::String> { juce::String::formatted ("B0 0C %02X", c.value) });
        EXPECT_EQ (host.slots, std::vector<int> { slot1 });
        windowCatchesUp();
        EXPECT_EQ (page.getChannel(), 0) << "the page shows the channel the control was moved on";
        EXPECT_TRUE (page.getChannelButton (0).isOn());
        EXPECT_EQ (page.getSlider (0).getValue(), c.value);
        host.slots.clear();
    }
}

TEST_F (UndoWindow, APlayingModeTabIsTakenBackAndMadeAgainAsTheTabsSendIt)
{
    const int modeSlot = ParameterTable::playingModeSlot;
    ASSERT_NE (table.value (modeSlot), EditorConnection::multiMode);
    rig.simulator.resetState();
    clickTopBar (TabBar::multiTab);
    ASSERT_EQ (table.value (modeSlot), EditorConnection::multiMode);
    ASSERT_TRUE (main.isMultiPageShown());
    ASSERT_TRUE (rig.settle (7));
    const auto tabChanges = rig.simulator.getAddressedChanges();
    ASSERT_EQ (tabChanges.size(), 1u);
    received (7);
    rig.simulator.resetState();
    host.slots.clear();

    struct Case { const char* keys; juce::KeyPress key; int mode; int tab; };
    for (const auto& c : { Case { "Ctrl+Z", ctrlZ, EditorConnection::programMode, TabBar::programTab },
                           Case { "Ctrl+Shift+Z", ctrlShiftZ, EditorConnection::multiMode, TabBar::multiTab } })
    {
        SCOPED_TRACE (c.keys);
        EXPECT_TRUE (pressKeys (main, c.key));
        EXPECT_EQ (table.value (modeSlot), c.mode);
        ASSERT_TRUE (rig.settle (7));
        const auto changes = rig.simulator.getAddressedChanges();
        ASSERT_EQ (changes.size(), 1u) << "the mode, as the tab sent it";
        EXPECT_EQ (changes[0].midiChannel, tabChanges[0].midiChannel);
        EXPECT_EQ (changes[0].address, tabChanges[0].address);
        EXPECT_EQ (changes[0].value, c.mode);
        EXPECT_NE (std::find (host.slots.begin(), host.slots.end(), modeSlot), host.slots.end()) << "the host hears it";

        // The window shows the mode as its tab does.
        EXPECT_TRUE (main.getTabBar().getTab (c.tab)->isOn());
        EXPECT_EQ (main.getWindowMode(), c.mode);
        EXPECT_EQ (main.isMultiPageShown(), c.mode == EditorConnection::multiMode);
        EXPECT_EQ (main.isProgramPageShown(), c.mode == EditorConnection::programMode);
        received (7);
        rig.simulator.resetState();
        host.slots.clear();
    }
}

TEST_F (UndoWindow, AMultiChoiceTakenBackBringsBackTheZoneEditsMadeBeforeIt)
{
    clickTopBar (TabBar::multiTab);
    ASSERT_NE (main.getMultiPage(), nullptr);
    auto& page = *main.getMultiPage();
    auto& zones = page.getZones();
    auto& edit = hub.getImage().getMultiEdit();
    auto deliver = [&] { zones.deliverPendingChanges(); edit.dispatchPendingMessages(); };
    const int oldMulti = table.value (ParameterTable::multiSlot);
    ASSERT_GT (zones.getZoneCount(), 0);
    auto& low = zones.getLowField (0);
    const int oldLow = low.getValue();
    const int oldHigh = zones.getHighField (0).getValue();
    ASSERT_LT (oldLow + 5, oldHigh);
    reportToHost();
    rig.settle();
    rig.simulator.clearReceived();

    // Zone 1's low key dragged up five keys, then another multi clicked in the list.
    KitMouse mouse (low);
    mouse.down (10.0f, 9.0f);
    for (int dx = 1; dx <= 5; ++dx)
        mouse.drag (10.0f + (float) dx, 9.0f);
    mouse.up (15.0f, 9.0f);
    deliver();
    ASSERT_EQ (edit.multiParameter (MultiZone::typeHeader, 0, lowKey), oldLow + 5);
    received (7 * 5);

    auto& list = page.getList();
    const int row = 4;
    const int multi = list.getIds()[(size_t) row];
    ASSERT_NE (multi, oldMulti);
    KitMouse (list).click (20.0f, (float) (row * 34 + 10));
    list.dispatchPendingMessages();
    EXPECT_EQ (received (1), std::vector<juce::String> { zd8test::SentMessages::multiSelect (multi) });
    deliver();
    const int lowOfB = edit.multiParameter (MultiZone::typeHeader, 0, lowKey);
    const int highOfB = edit.multiParameter (MultiZone::typeHeader, 0, highKey);
    rig.simulator.resetState();

    // Ctrl+Z: the first multi again, with the zone as the player had left it; the
    // instrument loads it by its select and hears the zone's key after it.
    EXPECT_TRUE (pressKeys (main, ctrlZ));
    deliver();
    EXPECT_EQ (table.value (ParameterTable::multiSlot), oldMulti);
    EXPECT_EQ (edit.multiParameter (MultiZone::typeHeader, 0, lowKey), oldLow + 5);
    EXPECT_EQ (edit.multiParameter (MultiZone::typeHeader, 0, highKey), oldHigh);
    EXPECT_EQ (page.getDisplay().getNumber(), oldMulti);
    EXPECT_EQ (low.getValue(), oldLow + 5) << "the row shows the zone edit";
    auto sent = received (1 + 7);
    ASSERT_EQ (sent.size(), 8u);
    EXPECT_EQ (sent.front(), zd8test::SentMessages::multiSelect (oldMulti));
    EXPECT_EQ (rig.simulator.getMulti(), oldMulti);
    auto changes = rig.simulator.getAddressedChanges();
    ASSERT_EQ (changes.size(), 1u);
    EXPECT_EQ (changes[0].midiChannel, 1);
    EXPECT_EQ (changes[0].address, (std::array<int, 5> { 5, 0, 0, 0, 15 }));
    EXPECT_EQ (changes[0].value, oldLow + 5);
    rig.simulator.resetState();

    // Ctrl+Z again takes the zone edit back, as it would have before the multi choice.
    EXPECT_TRUE (pressKeys (main, ctrlZ));
    deliver();
    EXPECT_EQ (edit.multiParameter (MultiZone::typeHeader, 0, lowKey), oldLow);
    EXPECT_EQ (low.getValue(), oldLow);
    received (7);
    rig.simulator.resetState();

    // Ctrl+Y twice: the zone edit, then the second multi as chosen.
    EXPECT_TRUE (pressKeys (main, ctrlY));
    deliver();
    EXPECT_EQ (edit.multiParameter (MultiZone::typeHeader, 0, lowKey), oldLow + 5);
    received (7);
    EXPECT_TRUE (pressKeys (main, ctrlY));
    deliver();
    EXPECT_EQ (table.value (ParameterTable::multiSlot), multi);
    EXPECT_EQ (received (1), std::vector<juce::String> { zd8test::SentMessages::multiSelect (multi) });
    EXPECT_EQ (edit.multiParameter (MultiZone::typeHeader, 0, lowKey), lowOfB);
    EXPECT_EQ (edit.multiParameter (MultiZone::typeHeader, 0, highKey), highOfB);
    EXPECT_EQ (page.getDisplay().getNumber(), multi);
}

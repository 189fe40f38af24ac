// Undo and redo of the window's edits, the way a player uses them: a drag or a wheel
// run in the real window, then Ctrl+Z / Ctrl+Shift+Z / Ctrl+Y or the UNDO and REDO
// buttons of the top bar. Each undo reaches the instrument simulator and the host as
// the edit did; what the host wrote stays the host's.

#include "editor/kit/ParameterControl.h"
#include "editor/kit/ZoneValueField.h"
#include "editor/pages/MixerPage.h"
#include "editor/pages/MixerStrip.h"
#include "editor/pages/MultiPage.h"
#include "editor/pages/ProgramChooser.h"
#include "editor/pages/ProgramPage.h"
#include "editor/pages/ZonesArray.h"
#include "editor/shell/MainPanel.h"
#include "editor/shell/StatusBar.h"
#include "editor/shell/TabBar.h"
#include "editor/shell/VantorAudioProcessorEditor.h"
#include "model/MultiEditBuffer.h"
#include "plugin/VantorAudioProcessor.h"
#include "UndoWindow.h"

using namespace zd8;
using namespace zd8test;

//==============================================================================
TEST_F (UndoWindow, ALevelDragIsTakenBackAndMadeAgainWithTheKeysAsTheInstrumentAndTheHostHeardIt)
{
    const int before = table.value (channel4Level);
    ASSERT_NE (before, levelTop);
    auto& fader = dragLevelToTop();
    ASSERT_EQ (table.value (channel4Level), levelTop);
    received (7 * 4);
    host.slots.clear();

    struct Case { const char* keys; juce::KeyPress key; int level; };
    const Case cases[] = {
        { "Ctrl+Z", ctrlZ, before },
        { "Ctrl+Shift+Z", ctrlShiftZ, levelTop },
        { "Ctrl+Z again", ctrlZ, before },
        { "Ctrl+Y", ctrlY, levelTop },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE (c.keys);
        // The whole drag is one step: one message for the value it goes back (or on) to.
        EXPECT_TRUE (pressKeys (main, c.key));
        EXPECT_EQ (table.value (channel4Level), c.level);
        EXPECT_EQ (host.slots, std::vector<int> { channel4Level });
        EXPECT_EQ (received (7), zd8test::SentMessages::mixerValue (3, 20, c.level));
        windowCatchesUp();
        EXPECT_EQ (fader.getValue(), c.level) << "the fader follows";
        host.slots.clear();
    }

    // Nothing is left to make again: the key is the window's, and nothing is sent.
    EXPECT_TRUE (pressKeys (main, ctrlY));
    EXPECT_EQ (table.value (channel4Level), levelTop);
    EXPECT_TRUE (received (0).empty());
    EXPECT_TRUE (host.slots.empty());
}

TEST_F (UndoWindow, CtrlZWithTheComputerKeyboardPlayerFocusedUndoesAndPlaysNoNote)
{
    const int before = table.value (channel4Level);
    dragLevelToTop();
    received (7 * 4);

    auto& player = main.getFooter().getKeyPlayer();
    KitMouse (player).click (10.0f, 10.0f);
    EXPECT_TRUE (pressKeys (player, ctrlZ));
    EXPECT_EQ (table.value (channel4Level), before);
    EXPECT_EQ (received (7), zd8test::SentMessages::mixerValue (3, 20, before)) << "no note: Z with Ctrl is not the player's";

    // The letter alone still plays.
    EXPECT_TRUE (pressKeys (player, juce::KeyPress ('z')));
    ASSERT_EQ (received (1).size(), 1u);
}

TEST_F (UndoWindow, EachGestureIsOneStepAndTheTopBarButtonsUndoAndRedoThem)
{
    press (TabBar::mixerTab);
    const int slot = ParameterTable::programSlot (5, ParameterTable::levelRow);
    auto& fader = main.getMixer().getStrip (5).getControl (MixerStrip::levelFader);
    const int start = table.value (slot);

    // Two drags of the same fader, a moment apart, and then a wheel run of three
    // notches on it: three steps.
    KitMouse mouse (fader);
    mouse.down (17.0f, 80.0f);
    mouse.drag (17.0f, 40.0f);
    mouse.up (17.0f, 40.0f);
    const int afterFirst = table.value (slot);
    rig.timeline.advance (1000);
    mouse.down (17.0f, 40.0f);
    mouse.drag (17.0f, 20.0f);
    mouse.drag (17.0f, 10.0f);
    mouse.up (17.0f, 10.0f);
    const int afterSecond = table.value (slot);
    rig.timeline.advance (1000);
    for (int notch = 0; notch < 3; ++notch)
    {
        mouse.wheel (-1.0f, 17.0f, 40.0f);
        rig.timeline.advance (80);
    }
    const int afterWheel = table.value (slot);
    ASSERT_TRUE (start != afterFirst && afterFirst != afterSecond && afterSecond != afterWheel);
    ASSERT_EQ (afterWheel, afterSecond - 3);
    received (7 * 6);   // one change, then two, then three

    struct Case { int button; int level; };
    for (const auto c : { Case { TabBar::undoButton, afterSecond }, Case { TabBar::undoButton, afterFirst },
                          Case { TabBar::undoButton, start }, Case { TabBar::undoButton, start },
                          Case { TabBar::redoButton, afterFirst }, Case { TabBar::redoButton, afterSecond },
                          Case { TabBar::redoButton, afterWheel }, Case { TabBar::redoButton, afterWheel } })
    {
        const int shown = table.value (slot);
        clickTopBar (c.button);
        EXPECT_EQ (table.value (slot), c.level) << (c.button == TabBar::undoButton ? "UNDO" : "REDO");
        const auto sent = received (shown == c.level ? 0 : 7);
        EXPECT_EQ (sent, shown == c.level ? std::vector<juce::String>() : zd8test::SentMessages::mixerValue (5, 20, c.level));
    }

    // A new edit after an undo leaves nothing to redo.
    clickTopBar (TabBar::undoButton);
    rig.timeline.advance (1000);
    mouse.wheel (1.0f, 17.0f, 40.0f);
    const int edited = table.value (slot);
    received (14);
    clickTopBar (TabBar::redoButton);
    EXPECT_EQ (table.value (slot), edited);
    EXPECT_TRUE (received (0).empty());
}

TEST_F (UndoWindow, AProgramChoiceUndoneSelectsTheOldProgramOnTheInstrumentWithTheLevelTheUserHadSet)
{
    // The user lowers the level of channel 12 on the mixer, then opens its program page.
    const int channel = 11;
    const int programSlot = ParameterTable::programSlot (channel, ParameterTable::programRow);
    const int levelSlot = ParameterTable::programSlot (channel, ParameterTable::levelRow);
    press (TabBar::mixerTab);
    KitMouse fader (main.getMixer().getStrip (channel).getControl (MixerStrip::levelFader));
    fader.down (17.0f, 80.0f);
    fader.drag (17.0f, 6.0f);
    fader.up (17.0f, 6.0f);
    ASSERT_EQ (table.value (levelSlot), levelTop);
    received (7);

    hub.setMidiChannel (channel + 1);
    press (TabBar::programTab);
    auto* page = main.getProgramPage();
    ASSERT_NE (page, nullptr);
    ASSERT_EQ (page->getChannel(), channel);
    page->getProgramList().dispatchPendingMessages();
    const int oldProgram = table.value (programSlot);
    ASSERT_NE (oldProgram, 37);
    received (0);

    auto clickKey = [page] (const juce::String& caption)
    {
        auto* b = page->getChooser().findButton (caption);
        ASSERT_NE (b, nullptr) << caption;
        KitMouse (*b).click (5.0f, 5.0f);
    };
    for (auto key : { "3", "7", "Enter" })
        clickKey (key);
    EXPECT_EQ (received (1), std::vector<juce::String> { zd8test::SentMessages::programSelect (channel, 37) });
    windowCatchesUp();
    ASSERT_EQ (page->getProgram(), 37);
    const int level37 = table.value (levelSlot);

    EXPECT_TRUE (pressKeys (main, ctrlZ));
    EXPECT_EQ (table.value (programSlot), oldProgram);
    ASSERT_NE (level37, levelTop);
    auto sent = received (1 + 7);
    ASSERT_FALSE (sent.empty());
    EXPECT_EQ (sent.front(), zd8test::SentMessages::programSelect (channel, oldProgram));
    EXPECT_EQ (rig.simulator.getChannelProgram (channel), oldProgram);
    EXPECT_EQ (table.value (levelSlot), levelTop) << "the level the user had set on the old program";
    EXPECT_EQ (std::vector<juce::String> (sent.end() - 7, sent.end()), zd8test::SentMessages::mixerValue (channel, 20, levelTop))
        << "the level goes out behind the select (the instrument loads the program's own level with it)";
    for (auto line = sent.begin(); line != sent.end() - 7; ++line)
        EXPECT_EQ (*line, zd8test::SentMessages::programSelect (channel, oldProgram)) << "and nothing else is sent";
    windowCatchesUp();
    EXPECT_EQ (page->getProgram(), oldProgram) << "the page follows";

    EXPECT_TRUE (pressKeys (main, ctrlShiftZ));
    sent = received (1);
    EXPECT_EQ (sent.front(), zd8test::SentMessages::programSelect (channel, 37));
    EXPECT_EQ (table.value (programSlot), 37);
    EXPECT_EQ (table.value (levelSlot), level37);
}

TEST_F (UndoWindow, AZoneKeyDragUndoneSendsTheOldKeyAndTheRowShowsIt)
{
    press (TabBar::multiTab);
    ASSERT_NE (main.getMultiPage(), nullptr);
    auto& zones = main.getMultiPage()->getZones();
    auto& edit = hub.getImage().getMultiEdit();
    ASSERT_GT (zones.getZoneCount(), 0);
    received (0);

    auto& low = zones.getLowField (0);
    const int oldLow = low.getValue();
    const int oldHigh = zones.getHighField (0).getValue();
    ASSERT_LT (oldLow + 5, oldHigh);

    // One drag of five pixels: five changes, one step.
    KitMouse mouse (low);
    mouse.down (10.0f, 9.0f);
    for (int dx = 1; dx <= 5; ++dx)
        mouse.drag (10.0f + (float) dx, 9.0f);
    mouse.up (15.0f, 9.0f);
    zones.deliverPendingChanges();
    edit.dispatchPendingMessages();
    ASSERT_EQ (edit.multiParameter (43, 0, 17), oldLow + 5);
    received (7 * 5);
    rig.simulator.resetState();

    EXPECT_TRUE (pressKeys (low, ctrlZ));
    edit.dispatchPendingMessages();
    EXPECT_EQ (edit.multiParameter (43, 0, 17), oldLow);
    EXPECT_EQ (edit.multiParameter (43, 0, 18), oldHigh);
    EXPECT_EQ (low.getValue(), oldLow);
    EXPECT_EQ (zones.getStrip (0).getLow(), oldLow);
    ASSERT_TRUE (rig.settle (7));
    auto changes = rig.simulator.getAddressedChanges();
    ASSERT_EQ (changes.size(), 1u);
    EXPECT_EQ (changes[0].midiChannel, 1);
    EXPECT_EQ (changes[0].address, (std::array<int, 5> { 5, 0, 0, 0, 15 }));
    EXPECT_EQ (changes[0].value, oldLow);
    received (7);
    rig.simulator.resetState();

    EXPECT_TRUE (pressKeys (low, ctrlShiftZ));
    edit.dispatchPendingMessages();
    EXPECT_EQ (low.getValue(), oldLow + 5);
    ASSERT_TRUE (rig.settle (7));
    EXPECT_EQ (rig.simulator.getAddressedChanges().back().value, oldLow + 5);
}

TEST_F (UndoWindow, AHostWriteIsNotTakenBackByCtrlZ)
{
    const int before = table.value (channel4Level);
    dragLevelToTop();
    received (7 * 4);

    // The host's automation moves the level afterwards.
    hostWrites (channel4Level, -30);
    ASSERT_EQ (table.value (channel4Level), -30);
    received (7);
    host.slots.clear();

    // The window's step is no longer what is there: Ctrl+Z leaves the host's value,
    // sends nothing and has nothing left to take back.
    EXPECT_TRUE (pressKeys (main, ctrlZ));
    EXPECT_EQ (table.value (channel4Level), -30);
    EXPECT_TRUE (received (0).empty());
    EXPECT_TRUE (host.slots.empty());
    EXPECT_FALSE (processor.getEditorConnection().canUndoEdit());
    EXPECT_NE (before, -30);
}

TEST_F (UndoWindow, AMultiChoiceUndoneSelectsTheOldMultiOnTheInstrumentAndThePageShowsIt)
{
    press (TabBar::multiTab);
    ASSERT_NE (main.getMultiPage(), nullptr);
    auto& page = *main.getMultiPage();
    const int oldMulti = table.value (ParameterTable::multiSlot);
    received (0);

    // A multi clicked in the list (rows of 34 pixels).
    auto& list = page.getList();
    const int row = 4;
    const int multi = list.getIds()[(size_t) row];
    ASSERT_NE (multi, oldMulti);
    KitMouse (list).click (20.0f, (float) (row * 34 + 10));
    list.dispatchPendingMessages();
    const auto multiSelect = zd8test::SentMessages::multiSelect;
    EXPECT_EQ (received (1), std::vector<juce::String> { multiSelect (multi) });
    ASSERT_EQ (page.getDisplay().getNumber(), multi);

    struct Case { const char* keys; juce::KeyPress key; int multi; };
    for (const auto& c : { Case { "Ctrl+Z", ctrlZ, oldMulti }, Case { "Ctrl+Y", ctrlY, multi } })
    {
        SCOPED_TRACE (c.keys);
        EXPECT_TRUE (pressKeys (main, c.key));
        EXPECT_EQ (received (1), std::vector<juce::String> { multiSelect (c.multi) });
        EXPECT_EQ (table.value (ParameterTable::multiSlot), c.multi);
        EXPECT_EQ (hub.getImage().getSelectedMulti(), c.multi);
        hub.getImage().getMultiEdit().dispatchPendingMessages();
        EXPECT_EQ (page.getDisplay().getNumber(), c.multi) << "the page shows it";
        EXPECT_EQ (page.getZones().getZoneCount(), hub.getImage().getMultiEdit().zoneCount());
    }
}

TEST_F (UndoWindow, APressHeldOnAZoneFieldIsOneStepHoweverLongAndEachPressIsItsOwn)
{
    press (TabBar::multiTab);
    ASSERT_NE (main.getMultiPage(), nullptr);
    auto& zones = main.getMultiPage()->getZones();
    auto& edit = hub.getImage().getMultiEdit();
    ASSERT_GT (zones.getZoneCount(), 0);
    auto& low = zones.getLowField (0);
    const int start = low.getValue();
    ASSERT_LT (start + 6, zones.getHighField (0).getValue());

    KitMouse mouse (low);
    auto lowKey = [&edit] { return edit.multiParameter (43, 0, 17); };
    auto deliver = [&] { zones.deliverPendingChanges(); edit.dispatchPendingMessages(); };

    // One press, resting two seconds half-way through the drag (the message loop
    // runs meanwhile).
    mouse.down (10.0f, 9.0f);
    mouse.drag (12.0f, 9.0f);
    deliver();
    rig.timeline.advance (2000);
    mouse.drag (14.0f, 9.0f);
    mouse.up (14.0f, 9.0f);
    deliver();
    // Then two presses in quick succession, one key each.
    for (int press = 0; press < 2; ++press)
    {
        mouse.down (10.0f, 9.0f);
        mouse.drag (11.0f, 9.0f);
        mouse.up (11.0f, 9.0f);
        deliver();
    }
    ASSERT_EQ (lowKey(), start + 6);

    for (int expected : { start + 5, start + 4, start, start })
    {
        EXPECT_TRUE (pressKeys (main, ctrlZ));
        deliver();
        EXPECT_EQ (lowKey(), expected);
        EXPECT_EQ (low.getValue(), expected);
    }
}

TEST_F (UndoWindow, AnEffectChainStepUndoneGivesTheChannelItsOldChainAndTheStripShowsIt)
{
    // The wheel on strip 6's Aux 2 field steps its chain: the plug-in reloads the
    // channel's effects and tells the host; the instrument hears nothing of chains.
    press (TabBar::mixerTab);
    const int slot = ParameterTable::programSlot (5, ParameterTable::aux2ChainRow);
    auto& field = main.getMixer().getStrip (5).getControl (MixerStrip::aux2Field);
    const int before = table.value (slot);
    ASSERT_LT (before, 2048);
    KitMouse (field).wheel (1.0f, 20.0f, 20.0f);
    ASSERT_EQ (table.value (slot), before + 1);
    received (0);
    host.slots.clear();

    EXPECT_TRUE (pressKeys (main, ctrlZ));
    EXPECT_EQ (table.value (slot), before);
    windowCatchesUp();
    EXPECT_EQ (field.getValue(), before) << "the strip shows it";
    EXPECT_TRUE (received (0).empty());
    EXPECT_EQ (host.slots, std::vector<int> { slot }) << "the host hears it, as it heard the step";

    EXPECT_TRUE (pressKeys (main, ctrlY));
    EXPECT_EQ (table.value (slot), before + 1);
    windowCatchesUp();
    EXPECT_EQ (field.getValue(), before + 1);
}

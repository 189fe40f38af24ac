// Finding by name in the window's lists, with key presses delivered as the framework
// delivers them (to the list with the focus, then up its parents): the program
// chooser's and the multi page's lists narrow to the names containing the typed text
// under their bank and category buttons, arrows move the selection without sending and
// Enter sends the choice to the instrument simulator; the FX chain selector's list keeps
// the typed text under its effect categories; in the library window the typed letters
// go to the focused list, never to the computer-keyboard player.

#include "editor/kit/EditEvent.h"
#include "editor/kit/NameList.h"
#include "editor/kit/ObjectList.h"
#include "editor/library/BankPanel.h"
#include "editor/library/LibraryContent.h"
#include "editor/pages/FxChainSelector.h"
#include "editor/pages/MultiPage.h"
#include "editor/pages/ProgramChooser.h"
#include "editor/pages/ProgramPage.h"
#include "editor/shell/ComputerKeyboardPlayer.h"
#include "editor/shell/MainPanel.h"
#include "editor/shell/TabBar.h"
#include "editor/shell/VantorAudioProcessorEditor.h"
#include "plugin/VantorAudioProcessor.h"
#include "support/PluginRig.h"
#include "KeyDelivery.h"
#include "KitMouse.h"
#include "OpenWindow.h"
#include "SentMessages.h"

#include <gtest/gtest.h>

#include <set>

using namespace zd8;
using zd8test::KitMouse;
using zd8test::PluginRig;
using zd8test::SentMessages;
using zd8test::pressKey;

namespace
{
    void typeInto (juce::Component& focused, const juce::String& keys)
    {
        for (auto c : keys)
            EXPECT_TRUE (pressKey (focused, (int) c)) << "'" << juce::String::charToString (c) << "' was not taken";
    }

    /** The plug-in window as a user opens it, with the About panel of the first opening gone. */
    struct FindByName : zd8test::OpenWindow
    {
        void settleAndForget()
        {
            reportToHost();
            rig.settle();
            rig.simulator.clearReceived();
        }
    };

}

//==============================================================================
TEST_F (FindByName, TheProgramChoosersListNarrowsUnderItsButtonsAndEnterSendsTheChoice)
{
    const int channel = 4;
    hub.setMidiChannel (channel + 1);
    showTab (TabBar::programTab);
    auto* page = main->getProgramPage();
    ASSERT_NE (page, nullptr);
    auto& chooser = page->getChooser();
    auto& list = page->getProgramList();
    list.dispatchPendingMessages();
    settleAndForget();

    const auto& programs = hub.getImage().getPrograms();
    auto click = [&chooser] (const juce::String& caption)
    {
        auto* b = chooser.findButton (caption);
        ASSERT_NE (b, nullptr) << caption;
        KitMouse (*b).click (5, 5);
    };

    // Typed, with the "ALL" bank: every listed name has the text, in any case.
    typeInto (list, "oRGan");
    const auto all = list.getIds();
    ASSERT_GT (all.size(), 2u);
    for (int id : all)
        EXPECT_TRUE (programs.recordName (id).containsIgnoreCase ("organ")) << id;

    // The bank and category buttons still filter beneath the text.
    click ("FACTORY");
    ASSERT_FALSE (list.getIds().empty());
    for (int id : list.getIds())
    {
        EXPECT_LT (id, 4096);
        EXPECT_TRUE (programs.recordName (id).containsIgnoreCase ("organ")) << id;
    }
    click ("PIANO");
    for (int id : list.getIds())
        EXPECT_EQ (programs.categoryName (id), "PIANO") << id;
    click ("ORGAN");
    const auto organs = list.getIds();
    ASSERT_GT (organs.size(), 1u);
    EXPECT_LE (organs.size(), all.size());
    for (int id : organs)
    {
        EXPECT_EQ (programs.categoryName (id), "ORGAN") << id;
        EXPECT_TRUE (programs.recordName (id).containsIgnoreCase ("organ")) << id;
    }

    // The arrows move the selection and send nothing; no typed letter played a note.
    EXPECT_TRUE (pressKey (list, juce::KeyPress::downKey));
    EXPECT_TRUE (pressKey (list, juce::KeyPress::downKey));
    list.dispatchPendingMessages();
    EXPECT_EQ (list.getSelectedId(), organs[1]);
    reportToHost();
    rig.settle();
    EXPECT_TRUE (rig.receivedHex().empty());

    // Enter chooses it: the instrument's channel gets the program.
    EXPECT_TRUE (pressKey (list, juce::KeyPress::returnKey));
    list.dispatchPendingMessages();
    reportToHost();
    ASSERT_TRUE (rig.settle (1));
    EXPECT_EQ (rig.receivedHex(), std::vector<juce::String> { SentMessages::programSelect (channel, organs[1]) });
    EXPECT_EQ (rig.simulator.getChannelProgram (channel), organs[1]);
    EXPECT_EQ (hub.getParameters().value (ParameterTable::programSlot (channel, ParameterTable::programRow)), organs[1]);

    // Escape clears the text: the category's whole list again, the choice still selected.
    EXPECT_TRUE (pressKey (list, juce::KeyPress::escapeKey));
    EXPECT_GE (list.getIds().size(), organs.size());
    EXPECT_EQ (list.getSelectedId(), organs[1]);
}

TEST_F (FindByName, TheMultiListNarrowsByNameAndEnterSelectsTheMultiOnTheInstrument)
{
    showTab (TabBar::multiTab);
    auto* page = main->getMultiPage();
    ASSERT_NE (page, nullptr);
    auto& list = page->getList();
    settleAndForget();

    // A word from the name of a multi further down the list.
    const auto& multis = hub.getImage().getMultis();
    const auto target = list.getIds()[(size_t) list.getCount() / 2];
    const auto word = multis.recordName (target).trim().upToFirstOccurrenceOf (" ", false, false);
    ASSERT_GE (word.length(), 3) << multis.recordName (target);

    typeInto (list, word.toLowerCase());
    const auto listed = list.getIds();
    ASSERT_FALSE (listed.empty());
    EXPECT_NE (std::find (listed.begin(), listed.end(), target), listed.end());
    for (int id : listed)
        EXPECT_TRUE (multis.recordName (id).containsIgnoreCase (word)) << id;

    // Home, then down to the target, then Enter.
    EXPECT_TRUE (pressKey (list, juce::KeyPress::homeKey));
    for (int steps = 0; steps < list.getCount() && list.getSelectedId() != target; ++steps)
        ASSERT_TRUE (pressKey (list, juce::KeyPress::downKey));
    ASSERT_EQ (list.getSelectedId(), target);
    list.dispatchPendingMessages();
    reportToHost();
    rig.settle();
    EXPECT_TRUE (rig.receivedHex().empty()) << "moving the selection sends nothing";

    EXPECT_TRUE (pressKey (list, juce::KeyPress::returnKey));
    list.dispatchPendingMessages();
    reportToHost();
    ASSERT_TRUE (rig.settle (1));
    EXPECT_EQ (rig.receivedHex(), std::vector<juce::String> { SentMessages::multiSelect (target) });
    EXPECT_EQ (rig.simulator.getMulti(), target);
    EXPECT_EQ (page->getDisplay().getNumber(), target);
}

TEST (FindByNameInTheLibrary, LettersTypedIntoTheBankListFilterItAndPlayNoNote)
{
    PluginRig rig;
    VantorAudioProcessor processor { rig.environment };
    auto& connection = processor.getEditorConnection();
    auto& bank = connection.getArrangements();
    bank.setName (3, "Jazz Night");
    bank.setName (10, "Cozy Jazz Trio");
    rig.settle();
    rig.simulator.clearReceived();

    LibraryContent content (connection);
    content.setSize (900, 620);
    std::set<int> held;
    content.getKeyPlayer().setKeyDownCheck ([&held] (int code) { return held.count (code) > 0; });
    ASSERT_NE (content.getBankPanel(), nullptr);
    auto& list = content.getBankPanel()->getList();
    EXPECT_TRUE (list.getWantsKeyboardFocus());

    // "z" and "c" are note keys of the player, "jazz" a word of two names.
    for (auto c : juce::String ("JAzz"))
    {
        held.insert ((int) juce::CharacterFunctions::toUpperCase (c));
        EXPECT_TRUE (pressKey (list, (int) c));
        zd8test::keyStateChange (list, true);
    }
    held.clear();
    zd8test::keyStateChange (list, false);
    rig.settle();
    EXPECT_TRUE (rig.receivedHex().empty()) << "no note-on or note-off went out";
    ASSERT_EQ (list.getCount(), 2);
    EXPECT_EQ (list.getEntryAt (0), 3);
    EXPECT_EQ (list.getEntryAt (1), 10);

    // The arrows select as a press does (the preview follows); Escape lists all again.
    EXPECT_TRUE (pressKey (list, juce::KeyPress::downKey));
    EXPECT_TRUE (pressKey (list, juce::KeyPress::downKey));
    EXPECT_EQ (list.getSelectedEntry(), 10);
    EXPECT_TRUE (pressKey (list, juce::KeyPress::escapeKey));
    EXPECT_EQ (list.getCount(), 64);
    EXPECT_EQ (list.getSelectedEntry(), 10);
    EXPECT_EQ (list.getSelectedRow(), 10);
    EXPECT_TRUE (pressKey (list, juce::KeyPress::upKey));
    EXPECT_EQ (list.getSelectedEntry(), 9);

    rig.settle();
    EXPECT_TRUE (rig.receivedHex().empty()) << "no note-on or note-off went out";
}

TEST (FindByNameInTheFxChainSelector, TheTypedTextStaysUnderTheEffectCategoriesAndEnterChooses)
{
    PluginRig rig;
    VantorAudioProcessor processor { rig.environment };
    FxChainSelector selector (processor.getEditorConnection());
    // Opened as the window opens it: a list for the slot type, every chain listed.
    selector.setType (FxChainSelector::aux1Type);
    auto& list = selector.getList();
    list.setChannel (2);
    list.bind (ObjectStore::listPresent, 0);
    selector.open (2, FxChainSelector::aux1Type, 1, 0, 0, 996, 626);
    const auto& chains = processor.getHub().getImage().getFxChains();
    ASSERT_GT (list.getCount(), 10);

    // A word from the name of a chain further down, typed in capitals.
    const int target = list.getIds()[(size_t) list.getCount() / 2];
    const auto word = chains.recordName (target).trim().fromLastOccurrenceOf (" ", false, false);
    ASSERT_GE (word.length(), 3) << chains.recordName (target);
    typeInto (list, word.toUpperCase());
    const auto listed = list.getIds();
    EXPECT_NE (std::find (listed.begin(), listed.end(), target), listed.end());
    for (int id : listed)
        EXPECT_TRUE (chains.recordName (id).containsIgnoreCase (word)) << id;

    // The data knob steps the effect category: the text still narrows each list.
    for (int step = 0; step < 3; ++step)
    {
        selector.getKnob().setValue (selector.getKnob().getValue() + 1);
        selector.getKnob().dispatchPendingMessages();
        for (int id : list.getIds())
            EXPECT_TRUE (chains.recordName (id).containsIgnoreCase (word)) << id;
    }
    EXPECT_TRUE (pressKey (list, juce::KeyPress::escapeKey));   // the text goes; the category stays
    auto* all = selector.findButton ("ALL");
    ASSERT_NE (all, nullptr);
    KitMouse (*all).click (5, 5);
    typeInto (list, word.toLowerCase());
    EXPECT_EQ (list.getIds(), listed);

    // Home, down to the target, Enter: the selector reports the choice.
    selector.takeEvents();
    EXPECT_TRUE (pressKey (list, juce::KeyPress::homeKey));
    for (int steps = 0; steps < list.getCount() && list.getSelectedId() != target; ++steps)
        ASSERT_TRUE (pressKey (list, juce::KeyPress::downKey));
    EXPECT_TRUE (pressKey (list, juce::KeyPress::returnKey));
    list.dispatchPendingMessages();
    const auto events = selector.takeEvents();
    ASSERT_FALSE (events.empty());
    EXPECT_EQ (EditEvent::code (events.back()), EditEvent::chosen);
    EXPECT_EQ (EditEvent::value (events.back()), target);
    for (size_t i = 0; i + 1 < events.size(); ++i)
        EXPECT_EQ (EditEvent::code (events[i]), EditEvent::selectedQuietly);
}

TEST (FindByNameInTheLibrary, WhileTextIsTypedTheRowsEndAboveItsFieldAndTheKeysKeepTheSelectionThere)
{
    PluginRig rig;
    VantorAudioProcessor processor { rig.environment };
    auto& connection = processor.getEditorConnection();
    for (int slot = 0; slot < 30; ++slot)
        connection.getArrangements().setName (slot, "Set " + juce::String (slot + 1));
    LibraryContent content (connection);
    content.setSize (900, 620);
    auto& list = content.getBankPanel()->getList();
    const int allRows = list.getHeight() / NameList::rowHeight;

    typeInto (list, "set");
    ASSERT_EQ (list.getCount(), 30);
    ASSERT_GT (list.getCount(), allRows) << "more matches than rows, so the list scrolls";
    EXPECT_EQ (list.getVisibleRows(), allRows - 1);
    for (int key : { (int) juce::KeyPress::endKey, (int) juce::KeyPress::homeKey, (int) juce::KeyPress::pageDownKey,
                     (int) juce::KeyPress::downKey })
    {
        EXPECT_TRUE (pressKey (list, key));
        SCOPED_TRACE (key);
        const int shownAt = list.getSelectedRow() - list.getFirstVisibleRow();
        EXPECT_GE (shownAt, 0);
        EXPECT_LT (shownAt, allRows - 1) << "the selected row is not under the find field";
    }
    EXPECT_TRUE (pressKey (list, juce::KeyPress::endKey));
    EXPECT_EQ (list.getSelectedRow(), 29);
    EXPECT_TRUE (pressKey (list, juce::KeyPress::escapeKey));
    EXPECT_EQ (list.getVisibleRows(), allRows);
}

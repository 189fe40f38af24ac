// The object selectors inside the main window: opening each one for a channel, choices
// by list click, keypad and data knob, the filters, "OK" / "CLOSE" returning to the page
// shown before, and the FX chain selector's choice reaching the slot, the host and the
// channel's chains (and nothing reaching the instrument).

#include "editor/shell/TabBar.h"
#include "editor/kit/EditEvent.h"
#include "editor/shell/MainPanel.h"
#include "editor/shell/VantorAudioProcessorEditor.h"
#include "editor/pages/MixerPage.h"
#include "editor/pages/FxChainSelector.h"
#include "editor/pages/ObjectSelector.h"
#include "editor/pages/ProgramPage.h"
#include "plugin/VantorAudioProcessor.h"
#include "support/PluginRig.h"
#include "support/RenderCheck.h"
#include "KitMouse.h"
#include "OpenWindow.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

using namespace zd8;
using zd8test::KitMouse;
using zd8test::PluginRig;

namespace
{
    constexpr int rowHeight = 34;

    struct HostParameterReports : juce::AudioProcessorListener
    {
        void audioProcessorParameterChanged (juce::AudioProcessor*, int index, float value) override { last[index] = value; }
        void audioProcessorChanged (juce::AudioProcessor*, const ChangeDetails&) override {}
        std::map<int, float> last;
    };

    struct Selectors : zd8test::OpenWindow
    {
        size_t sentBefore = 0;

        void SetUp() override
        {
            OpenWindow::SetUp();
            sentBefore = rig.receivedHex().size();
        }

        /** Names objects in a store that starts empty: "<prefix> <id>". */
        void putObjects (int typeCode, std::initializer_list<int> ids, const char* prefix = "Object")
        {
            auto* store = hub.getImage().storeFor (typeCode);
            ASSERT_NE (store, nullptr);
            for (int id : ids)
            {
                auto name = (juce::String (prefix) + " " + juce::String (id)).paddedRight (' ', 20);
                juce::MemoryBlock data (60, true);   // reaches past the category byte
                store->replaceRecord (id, data, juce::MemoryBlock (name.toRawUTF8(), 20));
            }
        }

        void press (KitButton* button)
        {
            ASSERT_NE (button, nullptr);
            KitMouse (*button).click (4, 4);
        }

        /** The list's, then the selector's change message, as the message loop would. */
        template <typename Selector>
        void deliver (Selector& s)
        {
            s.getList().dispatchPendingMessages();
            s.getKnob().dispatchPendingMessages();
            s.dispatchPendingMessages();
            main->handleUpdateNowIfNeeded();
        }

        std::vector<juce::String> sentSinceSetUp()
        {
            rig.timeline.advance (500);
            rig.settle();
            const auto all = rig.receivedHex();
            return { all.begin() + (long) sentBefore, all.end() };
        }

        std::vector<int> allSlotValues()
        {
            std::vector<int> v;
            for (int slot = 0; slot < ParameterTable::numSlots; ++slot)
                v.push_back (hub.getParameters().value (slot));
            return v;
        }

        /** As the player opens a template selector: a click on the channel's program
            slot on the mixer, then on the selector's button of the program page. */
        void openFromProgramPage (int channel, const char* button)
        {
            main->showMixerPage();
            clickProgramSlot (channel);
            ASSERT_TRUE (main->isProgramPageShown());
            press (main->getProgramPage()->getPageButtons().findButton (button));
        }

        /** A click on the effect field of a mixer strip: its FX chain selector. */
        void clickEffectField (int channel, int order)
        {
            auto& mixer = main->getMixer();
            ASSERT_TRUE (main->isMixerShown());
            KitMouse (mixer.getStrip (channel).getControl (order)).click (20, 20);
            mixer.dispatchPendingMessages();
            main->handleUpdateNowIfNeeded();
        }

        static std::vector<std::pair<int, int>> codesAndValues (const std::vector<juce::uint64>& events)
        {
            std::vector<std::pair<int, int>> out;
            for (auto e : events)
                out.emplace_back (EditEvent::code (e), EditEvent::value (e));
            return out;
        }
    };

    using Pairs = std::vector<std::pair<int, int>>;
}

//==============================================================================
TEST_F (Selectors, EachOpensFromItsProgramPageButtonForTheChannelAndOkReturnsToThePage)
{
    struct Case
    {
        int type, listNumber;
        char page;
        juce::Point<int> parked;   // (0, 0): never parked
        bool categories;
        const char* button;
    };
    const Case cases[] = {
        { 149, 0, 't', { -3100, -3000 }, false, "ALGORITHMS" },   { 133, 133, 'v', { -3300, -3000 }, true, "KEYMAPS" },
        { 103, 103, 'w', { -3400, -3000 }, false, "INTONATIONS" }, { 163, 163, 'x', { -3900, -3000 }, false, "SHIFT PATTERNS" },
        { 164, 164, 'y', { -3500, -3000 }, true, "VELO PATTERNS" }, { 112, 112, '|', {}, false, "SONGS" },
    };

    // Channel 10's program page, reached by a click on its program slot.
    auto& programSlot = main->getMixer().getStrip (9).getNameSlot();
    KitMouse (programSlot).click (5, 5);
    programSlot.dispatchPendingMessages();
    main->getMixer().dispatchPendingMessages();
    ASSERT_TRUE (main->isProgramPageShown());
    auto& buttons = main->getProgramPage()->getPageButtons();

    for (const auto& c : cases)
    {
        SCOPED_TRACE (c.type);
        putObjects (c.type, { 3, 5, 4100 });
        press (buttons.findButton (c.button));

        auto* s = main->getSelector (c.type);
        ASSERT_NE (s, nullptr);
        EXPECT_TRUE (main->isSelectorShown (c.type));
        EXPECT_FALSE (main->isProgramPageShown());
        EXPECT_TRUE (s->isVisible());
        EXPECT_EQ (s->getBounds(), main->getSelectorArea());
        EXPECT_EQ (hub.getEditorSession().getCurrentPage(), c.page);
        EXPECT_EQ (hub.getEditorSession().getPreviousPage(), 'z');
        EXPECT_EQ (s->getFilterMode(), ObjectStore::listPresent);
        EXPECT_EQ (s->getList().getIds(), (std::vector<int> { 3, 5, 4100 }));
        EXPECT_EQ (s->getCategoryButton (0) != nullptr, c.categories);
        s->takeEvents();

        // Object 5 chosen, "OK": the program page again.
        KitMouse (s->getList()).click (20, rowHeight + 10);
        deliver (*s);
        press (s->findButton ("OK"));
        deliver (*s);
        EXPECT_FALSE (main->isSelectorShown (c.type));
        EXPECT_FALSE (s->isVisible());
        if (c.parked != juce::Point<int>())
        {
            EXPECT_EQ (s->getBounds(), juce::Rectangle<int> (c.parked.x, c.parked.y, 50, 50));
        }
        EXPECT_TRUE (main->isProgramPageShown());
        EXPECT_EQ (hub.getEditorSession().getCurrentPage(), 'z');

        // Opened again, the object chosen before is selected, quietly: only the list's
        // code 14, with the list number and the channel.
        press (buttons.findButton (c.button));
        EXPECT_EQ (s->getList().getSelectedId(), 5);
        EXPECT_EQ (s->getDisplay().getNumber(), 5);
        EXPECT_EQ (s->getDisplay().getObjectName().trimEnd(), "Object 5");
        const auto opened = s->takeEvents();
        ASSERT_EQ (opened.size(), 1u);
        EXPECT_EQ (EditEvent::code (opened[0]), EditEvent::selectedQuietly);
        EXPECT_EQ (EditEvent::slot (opened[0]), c.listNumber);
        EXPECT_EQ (EditEvent::subKind (opened[0]), c.listNumber);
        EXPECT_EQ (EditEvent::channel (opened[0]), 9);
        EXPECT_EQ (EditEvent::value (opened[0]), 5);

        // The selection made before stays after "OK".
        press (s->findButton ("OK"));
        deliver (*s);
        EXPECT_TRUE (s->takeEvents().empty()) << "the window took the events";
        EXPECT_EQ (s->getList().getSelectedId(), 5);
        EXPECT_TRUE (main->isProgramPageShown());
    }

    // From the mixer, "OK" brings the mixer back.
    main->showMixerPage();
    main->openObjectSelector (ObjectStore::typeKeymap, 9, 5);
    auto& keymaps = *main->getSelector (ObjectStore::typeKeymap);
    EXPECT_EQ (hub.getEditorSession().getPreviousPage(), 'q');
    press (keymaps.findButton ("OK"));
    deliver (keymaps);
    EXPECT_TRUE (main->isMixerShown());
    EXPECT_EQ (main->getMixer().getBounds(), main->getPageArea());
    EXPECT_EQ (hub.getEditorSession().getCurrentPage(), 'q');

    // Types without a selector open nothing.
    main->openObjectSelector (168, 0, 1);
    main->openObjectSelector (7, 0, 1);
    EXPECT_TRUE (main->isMixerShown());
    EXPECT_EQ (main->getSelector (168), nullptr);
}

TEST_F (Selectors, ChoicesByListKeypadAndKnobReachTheWindowAndChangeNothingElse)
{
    putObjects (ObjectStore::typeKeymap, { 2, 7, 12, 1234, 4100 }, "Keymap");
    openFromProgramPage (4, "KEYMAPS");
    auto& s = *main->getSelector (ObjectStore::typeKeymap);
    EXPECT_EQ (s.getChannel(), 4);
    s.takeEvents();
    // From here on (the way in told the instrument which channel is shown).
    sentSinceSetUp();
    sentBefore = rig.receivedHex().size();
    const auto slotsBefore = allSlotValues();

    // A click on the third row chooses keymap 12.
    KitMouse (s.getList()).click (20, 2 * rowHeight + 10);
    s.getList().dispatchPendingMessages();
    EXPECT_EQ (codesAndValues (s.takeEvents()), (Pairs { { 7, 12 } }));
    EXPECT_EQ (s.getDisplay().getNumber(), 12);
    EXPECT_EQ (s.getDisplay().getObjectName().trimEnd(), "Keymap 12");

    // Keypad: "1" "2" "3" "4" "5" types 1234 (the fifth digit is refused); Enter chooses it.
    for (auto* key : { "1", "2", "3", "4", "5" })
        press (s.findButton (key));
    EXPECT_EQ (s.getDisplay().getTypedNumber(), 1234);
    press (s.findButton ("Enter"));
    EXPECT_EQ (codesAndValues (s.takeEvents()), (Pairs { { 14, 1234 }, { 7, 1234 } }));
    EXPECT_FALSE (s.getDisplay().isTyped());

    // "Clear" shows the object again; "0" on an empty entry types nothing; an entry
    // naming no keymap chooses nothing.
    press (s.findButton ("9"));
    press (s.findButton ("Clear"));
    EXPECT_FALSE (s.getDisplay().isTyped());
    EXPECT_EQ (s.getDisplay().getShownNumberText(), "1234");
    press (s.findButton ("0"));
    EXPECT_FALSE (s.getDisplay().isTyped());
    press (s.findButton ("9"));
    press (s.findButton ("Enter"));
    EXPECT_TRUE (s.takeEvents().empty());
    EXPECT_EQ (s.getList().getSelectedId(), 0);

    // "-" / "+" step the list and always choose what is selected afterwards.
    s.getList().selectId (2, false);
    s.forwardListEvents();
    s.takeEvents();
    press (s.findButton ("-"));   // past the top: nothing new is selected
    EXPECT_EQ (codesAndValues (s.takeEvents()), (Pairs { { 7, 2 } }));
    press (s.findButton ("+"));
    EXPECT_EQ (codesAndValues (s.takeEvents()), (Pairs { { 14, 7 }, { 7, 7 } }));

    // The data knob steps by its change, across the wrap-around too.
    s.getKnob().setValue (2);
    s.getKnob().dispatchPendingMessages();
    EXPECT_EQ (codesAndValues (s.takeEvents()), (Pairs { { 14, 1234 }, { 7, 1234 } }));
    s.getKnob().setValue (0);
    s.getKnob().dispatchPendingMessages();
    s.getKnob().setValue (35);
    s.getKnob().dispatchPendingMessages();
    EXPECT_EQ (codesAndValues (s.takeEvents()), (Pairs { { 14, 7 }, { 7, 7 }, { 14, 2 }, { 7, 2 } }));

    // The events reach the window, which keeps the selector open and changes nothing:
    // no slot, no byte to the instrument.
    press (s.findButton ("+"));
    deliver (s);
    EXPECT_TRUE (s.takeEvents().empty());
    EXPECT_TRUE (main->isSelectorShown (ObjectStore::typeKeymap));
    EXPECT_EQ (allSlotValues(), slotsBefore);
    EXPECT_TRUE (sentSinceSetUp().empty());

    // "EDIT" and "LIBRARY" are there and do nothing.
    press (s.findButton ("EDIT"));
    press (s.findButton ("LIBRARY"));
    EXPECT_TRUE (s.takeEvents().empty());
    EXPECT_TRUE (main->isSelectorShown (ObjectStore::typeKeymap));
}

TEST_F (Selectors, FilterButtonsListBanksCategoriesAndAll)
{
    putObjects (ObjectStore::typeVelocityPattern, { 3, 9, 4097, 5000 });
    // Velocity pattern 9 carries category 2 at the store's category offset.
    auto* store = hub.getImage().storeFor (ObjectStore::typeVelocityPattern);
    auto record = store->readRecord (9);
    static_cast<juce::uint8*> (record.getData())[store->getCategoryOffset()] = 2;
    store->replaceRecord (9, record);

    openFromProgramPage (0, "VELO PATTERNS");
    auto& s = *main->getSelector (ObjectStore::typeVelocityPattern);

    struct Case
    {
        KitButton* button;
        int mode, argument;
        std::vector<int> ids;
    };
    const Case cases[] = {
        { s.getFilterButton (ObjectSelector::factoryId), 1, 0, { 3, 9 } },
        { s.getFilterButton (ObjectSelector::userId), 1, 1, { 4097, 5000 } },
        { s.getFilterButton (25), 1, 25, {} },
        { s.getCategoryButton (2), 2, 2, { 9 } },
        { s.getFilterButton (ObjectSelector::allId), 4, 0, { 3, 9, 4097, 5000 } },
    };
    for (const auto& c : cases)
    {
        ASSERT_NE (c.button, nullptr);
        SCOPED_TRACE (c.button->getText());
        s.buttonPressed (c.button, c.button->getIdentifier());
        EXPECT_EQ (s.getFilterMode(), c.mode);
        EXPECT_EQ (s.getFilterArgument(), c.argument);
        EXPECT_EQ (s.getList().getIds(), c.ids);
        EXPECT_EQ (s.getHighlighted(), c.button);
        int lit = 0;
        for (int id = 0; id <= 200; ++id)
            if (auto* b = s.getFilterButton (id); b != nullptr && b->isOn())
                ++lit;
        for (int cat = 0; cat < ObjectSelector::categoryButtonCount; ++cat)
            lit += s.getCategoryButton (cat)->isOn() ? 1 : 0;
        EXPECT_EQ (lit, 1) << "one highlighted filter button";
    }

    // "Enter" goes back to every object and lights "ALL".
    s.buttonPressed (s.getFilterButton (ObjectSelector::userId), ObjectSelector::userId);
    press (s.findButton ("9"));
    press (s.findButton ("Enter"));
    EXPECT_EQ (s.getFilterMode(), ObjectStore::listPresent);
    EXPECT_EQ (s.getHighlighted(), s.getFilterButton (ObjectSelector::allId));
    EXPECT_EQ (s.getList().getSelectedId(), 9);
}

TEST_F (Selectors, ClosingReturnsToThePreviousPageAndHidingAllFollowsItsOrder)
{
    putObjects (ObjectStore::typeKeymap, { 1, 2 });
    putObjects (ObjectStore::typeSong, { 1, 2 });

    // From the program page: "OK" brings the program page back.
    main->showProgramPage (2, 1);
    ASSERT_EQ (hub.getEditorSession().getCurrentPage(), 'z');
    main->openObjectSelector (ObjectStore::typeKeymap, 2, 1);
    EXPECT_FALSE (main->isProgramPageShown());
    auto& keymaps = *main->getSelector (ObjectStore::typeKeymap);
    press (keymaps.findButton ("OK"));
    deliver (keymaps);
    EXPECT_TRUE (main->isProgramPageShown());
    EXPECT_EQ (main->getProgramPage()->getChannel(), 2);
    EXPECT_EQ (hub.getEditorSession().getCurrentPage(), 'z');

    // A tab hides the selector with all pages; what comes back on the way is hidden
    // or replaced by the tab's page.
    main->openObjectSelector (ObjectStore::typeKeymap, 2, 1);
    main->getTabBar().report (TabBar::mixerTab);
    main->getTabBar().dispatchPendingMessages();
    EXPECT_FALSE (main->isSelectorShown (ObjectStore::typeKeymap));
    EXPECT_FALSE (keymaps.isVisible());
    EXPECT_EQ (keymaps.getPosition(), juce::Point<int> (-3300, -3000));
    EXPECT_FALSE (main->isProgramPageShown());
    EXPECT_TRUE (main->isMixerShown());
    EXPECT_EQ (hub.getEditorSession().getCurrentPage(), 'q');

    // Selector to selector: opening the song selector hides the keymap selector with
    // all pages, which brings back the mixer it was opened from; the mixer stays as the
    // strip above the song selector, and closing the song selector returns to it.
    main->openObjectSelector (ObjectStore::typeKeymap, 5, 2);
    main->openObjectSelector (ObjectStore::typeSong, 5, 1);
    EXPECT_FALSE (main->isSelectorShown (ObjectStore::typeKeymap));
    EXPECT_TRUE (main->isSelectorShown (ObjectStore::typeSong));
    EXPECT_TRUE (main->isMixerStrip());
    EXPECT_EQ (hub.getEditorSession().getPreviousPage(), 'q');
    auto& songs = *main->getSelector (ObjectStore::typeSong);
    press (songs.findButton ("OK"));
    deliver (songs);
    EXPECT_FALSE (main->isSelectorShown (ObjectStore::typeSong));
    EXPECT_TRUE (main->isMixerShown());
    EXPECT_FALSE (main->isMixerStrip());
    EXPECT_EQ (hub.getEditorSession().getCurrentPage(), 'q');
    // The song selector is not parked: it keeps its place, out of sight.
    EXPECT_EQ (songs.getBounds(), main->getSelectorArea());
    EXPECT_FALSE (songs.isVisible());

    main->openObjectSelector (ObjectStore::typeKeymap, 5, 2);
    EXPECT_FALSE (main->isMixerShown());
    EXPECT_EQ (keymaps.getList().getSelectedId(), 2);

    // The selectors follow the window's size.
    editor->setSize (1100, 760);
    EXPECT_EQ (keymaps.getBounds(), main->getSelectorArea());
}

//==============================================================================
TEST_F (Selectors, FxChainChoicesSetTheSlotTellTheHostAndReloadTheChainsButSendNothing)
{
    HostParameterReports host;
    processor.addListener (&host);
    constexpr int channel = 3, type = FxChainSelector::aux2Type;
    const int slot = ParameterTable::programSlot (channel, type);   // 54
    ASSERT_EQ (slot, 54);

    clickEffectField (channel, type);
    auto* s = main->getFxChainSelector();
    ASSERT_NE (s, nullptr);
    const int current = hub.getParameters().value (slot);
    EXPECT_EQ (s->getBounds(), main->getPageArea().withTrimmedBottom (20));
    EXPECT_EQ (hub.getEditorSession().getCurrentPage(), 'u');
    EXPECT_EQ (s->getList().getSelectedId(), current);
    EXPECT_EQ (s->getDisplay().getNumber(), current);

    // A click on a row: slot 54 becomes that chain, the host hears of it, the
    // display follows.
    const int clicked = s->getList().getIds()[(size_t) s->getList().getFirstVisibleRow() + 4];
    KitMouse (s->getList()).click (20, 4 * rowHeight + 10);
    deliver (*s);
    EXPECT_EQ (hub.getParameters().value (slot), clicked);
    ASSERT_EQ (host.last.count (slot), 1u);
    EXPECT_EQ (s->getDisplay().getNumber(), clicked);
    EXPECT_EQ (s->getDisplay().getObjectName(), hub.getImage().getFxChains().recordName (clicked));

    // Keypad "Enter" with the number of chain 1.
    press (s->findButton ("1"));
    press (s->findButton ("Enter"));
    deliver (*s);
    EXPECT_EQ (hub.getParameters().value (slot), 1);

    // "SELECT NONE" sets 0 and leaves the list's selection as it was.
    host.last.clear();
    press (s->findButton ("SELECT NONE"));
    deliver (*s);
    EXPECT_EQ (hub.getParameters().value (slot), 0);
    ASSERT_EQ (host.last.count (slot), 1u);
    EXPECT_EQ (host.last[slot], 0.0f);
    EXPECT_EQ (s->getList().getSelectedId(), 1);
    EXPECT_EQ (s->getDisplay().getShownNumberText(), "");

    // The FX chain rows never go to the instrument.
    EXPECT_TRUE (sentSinceSetUp().empty());
    processor.removeListener (&host);

    // "CLOSE" destroys the selector (after its own call) and shows the mixer again.
    press (s->findButton ("CLOSE"));
    deliver (*s);
    EXPECT_EQ (main->getFxChainSelector(), nullptr);
    EXPECT_TRUE (main->isMixerShown());
    EXPECT_EQ (hub.getEditorSession().getCurrentPage(), 'q');
    main->handleUpdateNowIfNeeded();
}

TEST_F (Selectors, FxChainChoiceReloadsTheChannelsEffectParameterLists)
{
    // Channel 0's insert chain names parameters; with no insert chain its list empties.
    constexpr int channel = 0;
    auto insertNames = [this] {
        std::vector<juce::String> names;
        const auto table = hub.getImage().getEditBuffer (channel)->getTable();
        for (auto& e : table.lists[VirtualParameterTable::insertList].entries)
            names.push_back (e.name);
        return names;
    };
    const auto before = insertNames();
    const int chainBefore = hub.getParameters().value (ParameterTable::programSlot (channel, 0));
    ASSERT_FALSE (before.empty());
    ASSERT_GT (chainBefore, 0);

    clickEffectField (channel, FxChainSelector::insertType);
    auto* s = main->getFxChainSelector();
    press (s->findButton ("SELECT NONE"));
    deliver (*s);
    EXPECT_TRUE (insertNames().empty());

    for (auto digit : juce::String (chainBefore))
        press (s->findButton (juce::String::charToString (digit)));
    press (s->findButton ("Enter"));
    deliver (*s);
    EXPECT_EQ (insertNames(), before);
}

TEST_F (Selectors, FxChainCategoriesFilterTheListAndTheKnobStepsThroughThem)
{
    clickEffectField (1, FxChainSelector::insertType);
    auto& s = *main->getFxChainSelector();
    auto& chains = hub.getImage().getFxChains();
    const int everyChain = s.getList().getCount();
    ASSERT_GT (everyChain, 20);
    s.takeEvents();

    // Every label is a category name; "------" has no place on the page.
    EXPECT_FALSE (s.getCategoryButton (0)->isVisible());
    for (int c = 1; c <= Categories::effectCategoryCount; ++c)
        EXPECT_EQ (s.getCategoryButton (c)->getText(), Categories::effectCategoryName (c));

    press (s.findButton ("Delay"));
    const auto delays = s.getList().getIds();
    EXPECT_FALSE (delays.empty());
    EXPECT_EQ (delays, FxChainSelector::chainsToList (chains, "Delay"));
    EXPECT_EQ (std::set<int> (delays.begin(), delays.end()).size(), delays.size()) << "each chain once";
    EXPECT_TRUE (s.getCategoryButton (8)->isOn());
    EXPECT_FALSE (s.findButton ("ALL")->isOn());

    press (s.findButton ("Echo"));
    EXPECT_EQ (s.getList().getCount(), 0);
    press (s.findButton ("ALL"));
    EXPECT_EQ (s.getList().getCount(), everyChain);

    // Knob: one position is one category, from "ALL" up to "EQ" and back.
    struct Step
    {
        int knob, filter;
    };
    const Step steps[] = { { 1, 1 }, { 3, 3 }, { 2, 2 }, { 1, 1 }, { 0, 0 }, { 35, 0 }, { 0, 1 }, { 30, 0 }, { 35, 5 } };
    for (const auto& st : steps)
    {
        SCOPED_TRACE (st.knob);
        s.getKnob().setValue (st.knob);
        s.getKnob().dispatchPendingMessages();
        EXPECT_EQ (s.getFilter(), st.filter);
        if (st.filter > 0)
            EXPECT_EQ (s.getList().getIds(), FxChainSelector::chainsToList (chains, Categories::effectCategoryName (st.filter)));
        else
            EXPECT_EQ (s.getList().getCount(), everyChain);
    }

    // Events carry the slot type as the list number and the channel.
    press (s.findButton ("SELECT NONE"));
    const auto events = s.takeEvents();
    ASSERT_EQ (events.size(), 1u);
    EXPECT_EQ (EditEvent::code (events[0]), EditEvent::chosen);
    EXPECT_EQ (EditEvent::slot (events[0]), 0);
    EXPECT_EQ (EditEvent::channel (events[0]), 1);
    EXPECT_EQ (EditEvent::value (events[0]), 0);

    // Another channel's or type's chain is not shown.
    s.showCurrent (2, 0, 7);
    s.showCurrent (1, 3, 7);
    EXPECT_NE (s.getDisplay().getNumber(), 7);
    s.showCurrent (1, 0, 7);
    EXPECT_EQ (s.getDisplay().getNumber(), 7);

    // Bad requests open nothing.
    main->openFxChainSelector (1, 2);
    main->openFxChainSelector (16, 0);
    EXPECT_EQ (main->getFxChainSelector(), &s);
}

//==============================================================================
TEST_F (Selectors, RendersOfTheKeymapAndFxChainSelectors)
{
    putObjects (ObjectStore::typeKeymap, { 1, 2, 3, 5, 8, 13, 21, 34, 55, 89, 144, 233, 377, 610, 987, 4096 }, "Keymap");
    main->openObjectSelector (ObjectStore::typeKeymap, 0, 5);
    auto& keymaps = *main->getSelector (ObjectStore::typeKeymap);
    EXPECT_EQ (keymaps.getBounds().getWidth(), 996);
    EXPECT_EQ (zd8test::compareWithReference (keymaps, "selector_keymap"), "");

    main->openFxChainSelector (0, FxChainSelector::insertType);
    auto& fx = *main->getFxChainSelector();
    press (fx.findButton ("Reverb"));
    fx.getList().selectIndex (2);
    deliver (fx);
    EXPECT_EQ (zd8test::compareWithReference (fx, "selector_fxchain"), "");
}

// The ways a player reaches the pages that no tab opens, with mouse clicks on the
// window: an effect chain field of a mixer strip or of the program page opens the FX
// chain selector for that field, and a chain clicked there becomes the field's chain
// as the wheel would make it; the program page's buttons open the channel's parameter
// table and each object selector, and their own "CLOSE" / "OK" come back to it.

#include "editor/kit/EditEvent.h"
#include "editor/pages/FxChainSelector.h"
#include "editor/pages/MixerEffectField.h"
#include "editor/pages/MixerPage.h"
#include "editor/pages/ObjectSelector.h"
#include "editor/pages/ParameterTablePage.h"
#include "editor/pages/ProgramPage.h"
#include "editor/shell/MainPanel.h"
#include "editor/shell/TabBar.h"
#include "editor/shell/VantorAudioProcessorEditor.h"
#include "model/FittedText.h"
#include "plugin/VantorAudioProcessor.h"
#include "support/PluginRig.h"
#include "support/RenderCheck.h"
#include "KitMouse.h"
#include "OpenWindow.h"

#include <gtest/gtest.h>

using namespace zd8;
using zd8test::KitMouse;
using zd8test::PluginRig;

namespace
{
    constexpr int rowHeight = 34;

    struct WaysIn : zd8test::OpenWindow
    {
        ParameterTable& table = hub.getParameters();
        size_t sentBefore = 0;

        void SetUp() override
        {
            OpenWindow::SetUp();
            markSent();
        }

        void markSent() { sentBefore = rig.receivedHex().size(); }

        /** What reached the instrument since markSent(). */
        std::vector<juce::String> sentSinceMark()
        {
            rig.timeline.advance (500);
            rig.settle();
            const auto all = rig.receivedHex();
            std::vector<juce::String> since (all.begin() + (long) sentBefore, all.end());
            markSent();
            return since;
        }

        MixerPage& mixer() { return main->getMixer(); }

        /** The mixer's change message, as the message loop delivers it. */
        void deliverMixer()
        {
            mixer().dispatchPendingMessages();
            main->handleUpdateNowIfNeeded();
        }

        void deliver (FxChainSelector& s)
        {
            s.getList().dispatchPendingMessages();
            s.dispatchPendingMessages();
            main->handleUpdateNowIfNeeded();
        }

        void deliver (ObjectSelector& s)
        {
            s.getList().dispatchPendingMessages();
            s.dispatchPendingMessages();
            main->handleUpdateNowIfNeeded();
        }

        static void click (juce::Component* c, float x = 6.0f, float y = 6.0f)
        {
            ASSERT_NE (c, nullptr);
            KitMouse (*c).click (x, y);
        }

        /** A click on the program slot of a strip: the channel's program page. */
        ProgramPage& openProgramPage (int channel)
        {
            clickProgramSlot (channel);
            sentSinceMark();   // the instrument shows the channel: not what is tested here
            return *main->getProgramPage();
        }

        /** The chain chosen by a click on the fifth visible row of the selector's list. */
        int chooseFifthRow (FxChainSelector& s)
        {
            const int chain = s.getList().getIds()[(size_t) s.getList().getFirstVisibleRow() + 4];
            KitMouse (s.getList()).click (20, 4 * rowHeight + 10);
            deliver (s);
            return chain;
        }
    };
}

//==============================================================================
TEST_F (WaysIn, AClickOnAMixerEffectFieldOpensTheFxChainSelectorAndAChainClickedThereIsTheFieldsChain)
{
    auto& connection = processor.getEditorConnection();
    struct Case
    {
        int channel, order;
    };
    for (auto c : { Case { 5, MixerStrip::aux1Field }, Case { 0, MixerStrip::insertField }, Case { 12, MixerStrip::aux2Field } })
    {
        SCOPED_TRACE (juce::String (c.channel) + "/" + juce::String (c.order));
        const int slot = ParameterTable::programSlot (c.channel, c.order);
        const int before = table.value (slot);
        ASSERT_TRUE (main->isMixerShown());
        auto& field = dynamic_cast<MixerEffectField&> (mixer().getStrip (c.channel).getControl (c.order));

        // The wheel, as the strip has always stepped the chain: what the instrument
        // hears of it is what it must hear of a choice in the selector.
        KitMouse (field).wheel (1.0f, 20.0f, 20.0f);
        deliverMixer();
        ASSERT_EQ (table.value (slot), before + 1);
        const auto sentByWheel = sentSinceMark();

        // A click (real press and release on the field) opens the selector for it.
        KitMouse (field).click (20.0f, 20.0f);
        deliverMixer();
        auto* s = main->getFxChainSelector();
        ASSERT_NE (s, nullptr);
        EXPECT_TRUE (s->isVisible());
        EXPECT_FALSE (main->isMixerShown());
        EXPECT_EQ (hub.getEditorSession().getCurrentPage(), 'u');
        EXPECT_EQ (hub.getMidiChannel(), c.channel + 1);
        EXPECT_EQ (s->getChannel(), c.channel);
        EXPECT_EQ (s->getType(), c.order);
        EXPECT_EQ (s->getList().getSelectedId(), before + 1);
        EXPECT_EQ (s->getDisplay().getNumber(), before + 1);

        // A chain clicked in the list becomes the row's value, reloads the channel's
        // chains and reaches the instrument as the wheel's change did.
        const auto slotsBefore = table.value (slot);
        const int chosen = chooseFifthRow (*s);
        ASSERT_NE (chosen, slotsBefore);
        EXPECT_EQ (table.value (slot), chosen);
        EXPECT_EQ (sentSinceMark(), sentByWheel);
        EXPECT_EQ (s->getDisplay().getNumber(), chosen);

        // "CLOSE": the mixer again, the field showing the chain.
        click (s->findButton ("CLOSE"));
        deliver (*s);
        main->handleUpdateNowIfNeeded();
        EXPECT_EQ (main->getFxChainSelector(), nullptr);
        EXPECT_TRUE (main->isMixerShown());
        EXPECT_FALSE (main->isMixerStrip());
        EXPECT_EQ (field.getValue(), chosen);
        EXPECT_EQ (field.getValueText(), connection.getSlotText (slot));
        EXPECT_TRUE (field.getValueText().contains (hub.getImage().getFxChains().recordName (chosen).trim()));
    }
}

TEST_F (WaysIn, AClickOnAProgramPageEffectFieldOpensTheSelectorAndClosingReturnsToThePage)
{
    constexpr int channel = 2;
    auto& page = openProgramPage (channel);
    ASSERT_TRUE (main->isProgramPageShown());
    ASSERT_EQ (page.getChannel(), channel);

    struct Case
    {
        int row;
        const char* name;
    };
    for (auto c : { Case { 0, "Insert" }, Case { 3, "Aux 1 FX" }, Case { 6, "Aux 2 FX" } })
    {
        SCOPED_TRACE (c.name);
        const int slot = ParameterTable::programSlot (channel, c.row);
        auto* field = page.findControl (slot);
        ASSERT_NE (field, nullptr);
        EXPECT_EQ (field->getName2(), c.name);

        // On the value bar of the field (below its caption).
        click (field, 30.0f, 25.0f);
        auto* s = main->getFxChainSelector();
        ASSERT_NE (s, nullptr);
        EXPECT_FALSE (main->isProgramPageShown());
        EXPECT_EQ (s->getChannel(), channel);
        EXPECT_EQ (s->getType(), c.row);
        EXPECT_EQ (s->getList().getSelectedId(), table.value (slot));

        const int chosen = chooseFifthRow (*s);
        EXPECT_EQ (table.value (slot), chosen);
        EXPECT_TRUE (sentSinceMark().empty()) << "the FX chain rows stay in the plug-in, as with the wheel";

        click (s->findButton ("CLOSE"));
        deliver (*s);
        ASSERT_TRUE (main->isProgramPageShown());
        EXPECT_EQ (main->getProgramPage()->getChannel(), channel);
        EXPECT_EQ (hub.getEditorSession().getCurrentPage(), 'z');
        EXPECT_EQ (page.findControl (slot)->getValue(), chosen);
    }

    // A click on the field's caption, or on another control, opens nothing.
    click (page.findControl (ParameterTable::programSlot (channel, 0)), 30.0f, 4.0f);
    click (page.findControl (ParameterTable::programSlot (channel, ParameterTable::levelRow)), 20.0f, 20.0f);
    EXPECT_EQ (main->getFxChainSelector(), nullptr);
    EXPECT_TRUE (main->isProgramPageShown());
}

//==============================================================================
TEST_F (WaysIn, TheProgramPageButtonsOpenTheParameterTableAndEachSelector)
{
    constexpr int channel = 9;
    auto& page = openProgramPage (channel);
    auto& buttons = page.getPageButtons();
    EXPECT_TRUE (buttons.isVisible());
    EXPECT_TRUE (page.getLocalBounds().contains (buttons.getBounds())) << "inside the page";

    // The table of the channel's program, and its "CLOSE" back to the page.
    click (buttons.findButton ("PARAM TABLE"));
    auto* vpt = main->getParameterTable();
    ASSERT_NE (vpt, nullptr);
    EXPECT_TRUE (main->isParameterTableShown());
    EXPECT_TRUE (vpt->isVisible());
    EXPECT_EQ (vpt->getChannel(), channel);
    EXPECT_FALSE (main->isProgramPageShown());
    click (&vpt->getCloseButton());
    vpt->dispatchPendingMessages();
    EXPECT_FALSE (main->isParameterTableShown());
    ASSERT_TRUE (main->isProgramPageShown());
    EXPECT_EQ (main->getProgramPage()->getChannel(), channel);
    sentSinceMark();   // the table sent the program's name list

    struct Case
    {
        const char* caption;
        int type;
        char page;
    };
    const Case cases[] = {
        { "KEYMAPS", ObjectStore::typeKeymap, 'v' },          { "ALGORITHMS", ObjectStore::typeAlgorithm, 't' },
        { "INTONATIONS", ObjectStore::typeIntonationTable, 'w' }, { "SHIFT PATTERNS", ObjectStore::typeShiftPattern, 'x' },
        { "VELO PATTERNS", ObjectStore::typeVelocityPattern, 'y' }, { "SONGS", ObjectStore::typeSong, '|' },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE (c.caption);
        click (buttons.findButton (c.caption));
        auto* s = main->getSelector (c.type);
        ASSERT_NE (s, nullptr);
        EXPECT_TRUE (main->isSelectorShown (c.type));
        EXPECT_TRUE (s->isVisible());
        EXPECT_EQ (s->getChannel(), channel);
        EXPECT_EQ (hub.getEditorSession().getCurrentPage(), c.page);
        EXPECT_FALSE (main->isProgramPageShown());

        click (s->findButton ("OK"));
        deliver (*s);
        EXPECT_FALSE (main->isSelectorShown (c.type));
        ASSERT_TRUE (main->isProgramPageShown());
        EXPECT_EQ (hub.getEditorSession().getCurrentPage(), 'z');
    }
    EXPECT_TRUE (sentSinceMark().empty()) << "a selector changes nothing on the instrument";
}

TEST_F (WaysIn, ASelectorOpenedAgainShowsWhatWasSelectedInIt)
{
    auto* store = hub.getImage().storeFor (ObjectStore::typeKeymap);
    for (int id : { 3, 5, 8 })
    {
        auto name = ("Keymap " + juce::String (id)).paddedRight (' ', 20);
        store->replaceRecord (id, juce::MemoryBlock (60, true), juce::MemoryBlock (name.toRawUTF8(), 20));
    }
    auto& page = openProgramPage (0);
    click (page.getPageButtons().findButton ("KEYMAPS"));
    auto& s = *main->getSelector (ObjectStore::typeKeymap);
    KitMouse (s.getList()).click (20, 1 * rowHeight + 10);
    deliver (s);
    EXPECT_EQ (s.getList().getSelectedId(), 5);
    click (s.findButton ("OK"));
    deliver (s);

    click (page.getPageButtons().findButton ("KEYMAPS"));
    EXPECT_TRUE (main->isSelectorShown (ObjectStore::typeKeymap));
    EXPECT_EQ (s.getList().getSelectedId(), 5);
    EXPECT_EQ (s.getDisplay().getNumber(), 5);
}

TEST_F (WaysIn, TheButtonsStayClearOfTheControlsInBothLayouts)
{
    auto& page = openProgramPage (0);
    auto& programs = hub.getImage().getPrograms();
    auto organ = programs.readRecord (1);
    static_cast<juce::uint8*> (organ.getData())[ProgramStore::modeOffset] = (juce::uint8) ProgramStore::modeTw7;
    programs.replaceRecord (4500, organ);

    for (int program : { 1, 4500 })
    {
        SCOPED_TRACE (program);
        page.showProgram (0, program);
        const auto buttons = page.getPageButtons().getBounds();
        EXPECT_TRUE (page.getLocalBounds().contains (buttons));
        for (int i = 0; i < page.getControlCount(); ++i)
            EXPECT_FALSE (page.getControl (i)->getBounds().intersects (buttons)) << page.getControl (i)->getName2();
        EXPECT_FALSE (page.getDisplay().getBounds().intersects (buttons));
        EXPECT_FALSE (page.getWriteButton().getBounds().intersects (buttons));
    }
}

// Which tab of the top bar is lit: the tab of the playing mode ("PROGRAM" in program
// mode, "MULTI" in multi mode) and no other, whatever page the player goes to and in
// whatever order, pressed with the pointer on the window; and still the right one when
// the host changes the playing mode (automation, a program change, a restored state)
// and while the instrument plays and changes programs.

#include "editor/shell/AboutPanel.h"
#include "editor/shell/MainPanel.h"
#include "editor/shell/TabBar.h"
#include "editor/shell/VantorAudioProcessorEditor.h"
#include "plugin/VantorAudioProcessor.h"
#include "support/PluginRig.h"
#include "WindowMouse.h"

#include <gtest/gtest.h>

using namespace zd8;
using zd8test::PluginRig;

namespace
{
    constexpr int pageTabs[] = { TabBar::programTab, TabBar::multiTab, TabBar::mixerTab, TabBar::controlsTab,
                                 TabBar::midiTab,    TabBar::keysTab,  TabBar::aboutTab };

    const char* tabName (int identifier)
    {
        switch (identifier)
        {
            case TabBar::programTab: return "PROGRAM";
            case TabBar::multiTab: return "MULTI";
            case TabBar::mixerTab: return "MIXER";
            case TabBar::controlsTab: return "CONTROLS";
            case TabBar::midiTab: return "MIDI";
            case TabBar::keysTab: return "KEYS";
            case TabBar::aboutTab: return "ABOUT";
            default: return "?";
        }
    }

    struct LitTab : ::testing::Test
    {
        PluginRig rig;
        VantorAudioProcessor processor { rig.environment };
        ControllerState& hub = processor.getHub();
        std::unique_ptr<juce::AudioProcessorEditor> editor;
        MainPanel* main = nullptr;

        void SetUp() override { open(); }

        void open()
        {
            editor.reset (processor.createEditor());
            main = &dynamic_cast<VantorAudioProcessorEditor&> (*editor).getMainPanel();
            rig.settle (1);   // the window's identity request
            rig.settle();
            main->handleUpdateNowIfNeeded();
            closeAboutWithAClick();
        }

        /** The About panel covers the window: a click anywhere on it closes it. */
        void closeAboutWithAClick()
        {
            auto* about = main->getAboutPanel();
            if (about == nullptr)
                return;
            zd8test::WindowMouse mouse (*main);
            ASSERT_EQ (mouse.click ({ 500, 400 }), about);
            about->dispatchPendingMessages();
            ASSERT_EQ (main->getAboutPanel(), nullptr);
        }

        /** A press and release of the pointer on the tab, where the window draws it (an
            About panel over it closed first, as the player must). */
        void click (int tab)
        {
            closeAboutWithAClick();
            auto* button = main->getTabBar().getTab (tab);
            ASSERT_NE (button, nullptr);
            const auto centre = main->getLocalArea (button, button->getLocalBounds()).getCentre();
            zd8test::WindowMouse mouse (*main);
            ASSERT_EQ (mouse.click (centre), button) << tabName (tab) << " is covered";
            main->getTabBar().dispatchPendingMessages();
            settle();
        }

        /** What the message loop would deliver next: the window's update, its 25 ms check. */
        void settle()
        {
            hub.getHostQueueSignal().dispatchPendingMessages();
            main->handleUpdateNowIfNeeded();
            if (main->isTimerRunning())
                main->timerCallback();
            rig.timeline.advance (200);
            rig.settle();
            main->handleUpdateNowIfNeeded();
        }

        int playingMode() const { return hub.getParameters().value (ParameterTable::playingModeSlot) == 2 ? 2 : 1; }

        /** The lit tabs' names, space-separated. */
        juce::String litTabs() const
        {
            juce::StringArray lit;
            for (int tab : pageTabs)
                if (main->getTabBar().getTab (tab)->isOn())
                    lit.add (tabName (tab));
            return lit.joinIntoString (" ");
        }

        juce::String modeTab() const { return playingMode() == 2 ? "MULTI" : "PROGRAM"; }
    };
} // namespace

TEST_F (LitTab, OnlyThePlayingModesTabIsLitOnEveryPageInEveryOrder)
{
    EXPECT_EQ (litTabs(), "PROGRAM") << "on opening";

    using T = TabBar;
    const std::vector<std::vector<int>> orders {
        { T::mixerTab, T::multiTab, T::mixerTab, T::controlsTab, T::programTab, T::mixerTab },
        { T::multiTab, T::controlsTab, T::keysTab, T::mixerTab, T::keysTab, T::programTab, T::controlsTab },
        { T::programTab, T::multiTab, T::multiTab, T::programTab, T::programTab, T::multiTab, T::mixerTab },
        { T::controlsTab, T::multiTab, T::midiTab, T::programTab, T::aboutTab, T::aboutTab, T::mixerTab },
        { T::multiTab, T::aboutTab, T::programTab, T::midiTab, T::mixerTab, T::controlsTab, T::multiTab },
        { T::keysTab, T::multiTab, T::controlsTab, T::programTab, T::keysTab, T::multiTab, T::midiTab, T::midiTab },
    };
    for (size_t o = 0; o < orders.size(); ++o)
    {
        juce::String path;
        for (int tab : orders[o])
        {
            path << tabName (tab) << " ";
            click (tab);
            EXPECT_EQ (litTabs(), modeTab()) << "order " << (int) o << ": " << path;
        }
    }
}

TEST_F (LitTab, FollowsThePlayingModeTheHostSets)
{
    // Automation of "Playing Mode", from each page the player may be on.
    for (int tab : { TabBar::mixerTab, TabBar::programTab, TabBar::multiTab, TabBar::controlsTab })
        for (float normalised : { 1.0f, 0.0f })
        {
            const auto what = juce::String (tabName (tab)) + ", host mode " + juce::String (normalised);
            click (tab);
            processor.setSlotNormalised (ParameterTable::playingModeSlot, normalised);
            settle();
            ASSERT_EQ (playingMode(), normalised > 0.5f ? 2 : 1) << what;
            EXPECT_EQ (litTabs(), modeTab()) << what;

            // And the pages the player goes to next.
            for (int next : { TabBar::mixerTab, TabBar::controlsTab })
            {
                click (next);
                EXPECT_EQ (litTabs(), modeTab()) << what << ", then " << tabName (next);
            }
        }

    // A restored state in the other mode, and the window opened again on it.
    click (TabBar::programTab);
    juce::MemoryBlock state;
    processor.getStateInformation (state);
    click (TabBar::multiTab);
    processor.setStateInformation (state.getData(), (int) state.getSize());
    settle();
    ASSERT_EQ (playingMode(), 1);
    EXPECT_EQ (litTabs(), "PROGRAM") << "restored state";
    click (TabBar::multiTab);
    editor.reset();
    open();
    EXPECT_EQ (litTabs(), "MULTI") << "window opened again";
}

TEST_F (LitTab, StaysWithThePlayingModeWhileTheInstrumentPlays)
{
    for (int tab : { TabBar::multiTab, TabBar::programTab })
    {
        click (tab);
        click (TabBar::controlsTab);
        const auto expected = modeTab();
        rig.simulator.sendProgramChange (0, 12);
        rig.simulator.sendController (1, 12, 100);
        rig.simulator.sendNoteOn (2, 60, 90);
        rig.simulator.sendNoteOff (2, 60);
        rig.timeline.advance (3000);   // past the input block of the mode switch
        rig.simulator.sendProgramChange (0, 14);
        rig.simulator.sendController (0, 1, 64);
        settle();
        EXPECT_EQ (litTabs(), expected) << tabName (tab);
        click (TabBar::mixerTab);
        EXPECT_EQ (litTabs(), expected) << tabName (tab);
    }
}

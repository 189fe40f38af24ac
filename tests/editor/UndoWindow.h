#pragma once

// The plug-in window for the undo and redo tests, with the keys and what the instrument
// and the host are to receive.

#include "editor/kit/ParameterControl.h"
#include "editor/pages/MixerPage.h"
#include "editor/pages/MixerStrip.h"
#include "editor/pages/ProgramPage.h"
#include "editor/shell/MainPanel.h"
#include "editor/shell/TabBar.h"
#include "editor/shell/VantorAudioProcessorEditor.h"
#include "plugin/VantorAudioProcessor.h"
#include "support/PluginRig.h"
#include "KitMouse.h"
#include "SentMessages.h"

#include <gtest/gtest.h>

namespace zd8test
{
    using namespace zd8;

    /** A key press with its modifiers as the framework delivers it: to the focused
        component first, then up its parents until one takes it. */
    inline bool pressKeys (juce::Component& focused, const juce::KeyPress& key)
    {
        for (auto* c = &focused; c != nullptr; c = c->getParentComponent())
            if (c->keyPressed (key))
                return true;
        return false;
    }

    inline const juce::KeyPress ctrlZ ('z', juce::ModifierKeys::commandModifier, 0);
    inline const juce::KeyPress ctrlShiftZ ('Z', juce::ModifierKeys::commandModifier | juce::ModifierKeys::shiftModifier, 0);
    inline const juce::KeyPress ctrlY ('y', juce::ModifierKeys::commandModifier, 0);

    /** The parameter indices the processor reported to the host, in order. */
    struct HostReports : juce::AudioProcessorListener
    {
        void audioProcessorParameterChanged (juce::AudioProcessor*, int index, float) override { slots.push_back (index); }
        void audioProcessorChanged (juce::AudioProcessor*, const ChangeDetails&) override {}
        std::vector<int> slots;
    };

    constexpr int levelTop = 24;
    constexpr int channel4Level = 3 * 16 + ParameterTable::levelRow;

    /** The plug-in window as the host opens it, About panel closed. */
    struct UndoWindow : ::testing::Test
    {
        PluginRig rig;
        VantorAudioProcessor processor { rig.environment };
        ControllerState& hub = processor.getHub();
        ParameterTable& table = hub.getParameters();
        std::unique_ptr<juce::AudioProcessorEditor> editor { processor.createEditor() };
        MainPanel& main = dynamic_cast<VantorAudioProcessorEditor&> (*editor).getMainPanel();
        HostReports host;

        void SetUp() override
        {
            if (main.getAboutPanel() != nullptr)
                press (TabBar::aboutTab);
            main.handleUpdateNowIfNeeded();
            reportToHost();
            rig.settle();
            rig.simulator.clearReceived();
            processor.addListener (&host);
        }

        void TearDown() override { processor.removeListener (&host); }

        void press (int identifier)
        {
            main.getTabBar().report (identifier);
            main.getTabBar().dispatchPendingMessages();
        }

        /** A click on a button of the top bar, as the mouse makes it. */
        void clickTopBar (int identifier)
        {
            auto* button = main.getTabBar().getTab (identifier);
            ASSERT_NE (button, nullptr) << identifier;
            ASSERT_TRUE (button->isVisible()) << identifier;
            KitMouse (*button).click (5.0f, 5.0f);
            main.getTabBar().dispatchPendingMessages();
        }

        /** The host hears the queued slots, and the host write rule sends them on. */
        void reportToHost()
        {
            hub.getHostQueueSignal().dispatchPendingMessages();
            rig.timeline.advance (200);
        }

        /** What the instrument received since the last call. */
        std::vector<juce::String> received (size_t expected)
        {
            reportToHost();
            EXPECT_TRUE (rig.settle (expected));
            auto lines = rig.receivedHex();
            rig.simulator.clearReceived();
            return lines;
        }

        /** The window takes the engine's notices and slot changes, as its update does. */
        void windowCatchesUp()
        {
            main.drainNotices();
            rig.timeline.advance (ProgramPage::refreshDelayMs);
        }

        /** Level fader of strip 4 dragged to the top in one gesture of several moves. */
        ParameterControl& dragLevelToTop()
        {
            press (TabBar::mixerTab);
            auto& fader = main.getMixer().getStrip (3).getControl (MixerStrip::levelFader);
            KitMouse mouse (fader);
            mouse.down (17.0f, 80.0f);
            for (float y : { 70.0f, 50.0f, 30.0f, 6.0f })
                mouse.drag (17.0f, y);
            mouse.up (17.0f, 6.0f);
            return fader;
        }

        /** A host write to a slot, as its automation makes it. */
        void hostWrites (int slot, int value)
        {
            auto* parameter = processor.getParameters()[slot];
            parameter->setValue (parameter->getValueForText (juce::String (value)));
        }
    };
} // namespace zd8test

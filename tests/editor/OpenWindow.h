#pragma once

#include "editor/shell/MainPanel.h"
#include "editor/shell/VantorAudioProcessorEditor.h"
#include "plugin/VantorAudioProcessor.h"
#include "support/PluginRig.h"

#include <gtest/gtest.h>

#include <memory>

namespace zd8test
{

/** Fixture base of the tests that work through the plug-in window: a processor wired to
    the instrument simulator, and its window as a user opens it. SetUp lets the window's
    identity request and the reply pass, then closes the About panel of the first
    opening; a fixture that wants the panel calls settleOpening() alone. */
struct OpenWindow : ::testing::Test
{
    void SetUp() override;

    /** The window's identity request and the simulator's reply, delivered. */
    void settleOpening();
    /** The About panel of the first opening, closed as its tab closes it. */
    void closeFirstAbout();
    /** A tab press as the top bar reports it, delivered. */
    void showTab (int identifier);
    /** The page a page tab shows (the mixer for the tabs that show none of their own). */
    juce::Component* shownPage (int tab);
    /** The host hears the queued slots, and the host write rule sends them on. */
    void reportToHost();
    /** A click on the channel's program slot on the mixer strip, delivered: the way a
        player opens the channel's program page. */
    void clickProgramSlot (int channel);

    PluginRig rig;
    zd8::VantorAudioProcessor processor { rig.environment };
    zd8::ControllerState& hub = processor.getHub();
    std::unique_ptr<juce::AudioProcessorEditor> editor { processor.createEditor() };
    zd8::MainPanel* main = &dynamic_cast<zd8::VantorAudioProcessorEditor&> (*editor).getMainPanel();
};

} // namespace zd8test

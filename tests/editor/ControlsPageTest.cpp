// The controls page: controls bound to the chosen channel's controller slots, drags
// reaching the instrument simulator as control changes, channel choice by button and by
// monitor, the instrument's controller messages shown on the controls and monitors, the
// printed label sets, and the main window's wiring (tab, page code, notices, parking).

#include "editor/shell/TabBar.h"
#include "editor/kit/EditEvent.h"
#include "editor/shell/MainPanel.h"
#include "editor/shell/VantorAudioProcessorEditor.h"
#include "editor/pages/PanelControllers.h"
#include "editor/pages/PanelLabels.h"
#include "editor/pages/ControlsPage.h"
#include "plugin/VantorAudioProcessor.h"
#include "support/PluginRig.h"
#include "support/RenderCheck.h"
#include "KitMouse.h"

#include <gtest/gtest.h>

#include <array>

using namespace zd8;
using zd8test::ChangeCounter;
using zd8test::KitMouse;
using zd8test::PluginRig;
using Row = PanelControllers::Row;

namespace
{
    constexpr int pageWidth = 996, pageHeight = 646;

    constexpr int sliderCcs[9] = { 12, 13, 22, 23, 24, 25, 26, 27, 28 };
    constexpr int knobCcs[9] = { 71, 73, 72, 79, 14, 17, 18, 3, 9 };
    constexpr int buttonCcs[9] = { 80, 81, 82, 83, 85, 86, 87, 89, 90 };

    int cc (int channel, int controller)
    {
        return ParameterTable::controllerSlot (channel, controller);
    }

    struct ControlsPageTest : ::testing::Test
    {
        PluginRig rig;
        VantorAudioProcessor processor { rig.environment };
        ControllerState& hub = processor.getHub();
        ParameterTable& table = hub.getParameters();
        ControlsPage page { processor.getEditorConnection() };

        void SetUp() override
        {
            rig.settle();
            page.setBounds (0, 0, pageWidth, pageHeight);
        }

        /** What the main window does with the hub's slot notices while the page is shown. */
        void deliverSlotNotices()
        {
            std::vector<juce::uint64> words;
            hub.drainSlotNotices (words);
            for (auto w : words)
                page.showValue ((int) ((w >> 32) & 0xffff), (int) (juce::int16) (w & 0xffff));
        }
    };
}

//==============================================================================
TEST (PanelControllersAndLabels, SlotsAndLabelTables)
{
    EXPECT_EQ (PanelControllers::slot (Row::knob, 0, 5), 967);
    EXPECT_EQ (PanelControllers::slot (Row::slider, 0, 5), 908);
    EXPECT_EQ (PanelControllers::slot (Row::button, 8, 15), 256 + 15 * 128 + 90);
    for (auto bad : { std::pair<int, int> { -1, 0 }, { 9, 0 }, { 0, -1 }, { 0, 16 } })
        EXPECT_EQ (PanelControllers::slot (Row::knob, bad.first, bad.second), -1);
    EXPECT_EQ (PanelControllers::slot (Row::footSwitch, 3, 0), -1);

    const auto zero = PanelControllers::channelZeroSlots();
    for (int i = 0; i < 9; ++i)
    {
        EXPECT_EQ (zero[(size_t) i], 256 + sliderCcs[i]);
        EXPECT_EQ (zero[(size_t) (9 + i)], 256 + knobCcs[i]);
        EXPECT_EQ (zero[(size_t) (18 + i)], 256 + buttonCcs[i]);
        EXPECT_EQ (PanelControllers::sliderIndexOfSlot (cc (11, sliderCcs[i])), i);
    }
    // A knob's slot, a program row and a global slot are no sliders.
    for (int slot : { cc (0, 71), 12, ParameterTable::playingModeSlot, -5 })
        EXPECT_EQ (PanelControllers::sliderIndexOfSlot (slot), -1) << slot;

    struct Case
    {
        int index;
        const char *standard, *organ, *footage;
    };
    const Case cases[] = { { 0, "FILTER 1", "BRAKE", "16'" },       { 1, "FILTER 2", "ON/OFF", "5 1/3'" },
                           { 4, "MOTION", "ON/OFF", "2 2/3'" },     { 6, "FX 2", "DECAY F/S", "1 3/5'" },
                           { 8, "REVERB", "KEY CLICK", "1'" },      { 9, "10", "10", "1'" },
                           { 11, "12", "12", "1'" },                { 14, "", "", "1'" },
                           { 15, "", "", "" },                      { -1, "", "", "" } };
    for (const auto& c : cases)
    {
        EXPECT_EQ (PanelLabels::standardKnob (c.index), c.standard) << c.index;
        EXPECT_EQ (PanelLabels::organKnob (c.index), c.organ) << c.index;
        EXPECT_EQ (PanelLabels::slider (c.index), c.footage) << c.index;
    }
}

//==============================================================================
TEST_F (ControlsPageTest, ChannelButtonsRebindTheSameControlsAndShowTheSlotsValues)
{
    EXPECT_EQ (page.getChannel(), 0);
    EXPECT_TRUE (page.getChannelButton (0).isOn());

    auto* knob1 = &page.getKnob (0);
    auto* slider1 = &page.getSlider (0);
    for (int ch : { 5, 15, 0 })
    {
        SCOPED_TRACE (ch);
        // Values stored before the channel is chosen: knob frames follow them.
        table.setValue (cc (ch, knobCcs[0]), 0);
        table.setValue (cc (ch, knobCcs[1]), 64);
        table.setValue (cc (ch, knobCcs[2]), 127);
        table.setValue (cc (ch, sliderCcs[3]), 90);
        table.setValue (cc (ch, buttonCcs[4]), 127);

        KitMouse (page.getChannelButton (ch)).click (10, 10);
        EXPECT_EQ (page.getChannel(), ch);
        EXPECT_EQ (page.getHighlightedChannel(), ch);
        for (int n = 0; n < 16; ++n)
            EXPECT_EQ (page.getChannelButton (n).isOn(), n == ch) << n;

        EXPECT_EQ (&page.getKnob (0), knob1);
        EXPECT_EQ (&page.getSlider (0), slider1);
        for (int i = 0; i < 9; ++i)
        {
            EXPECT_EQ (page.getKnob (i).getSlot(), cc (ch, knobCcs[i]));
            EXPECT_EQ (page.getSlider (i).getSlot(), cc (ch, sliderCcs[i]));
            EXPECT_EQ (page.getButton (i).getSlot(), cc (ch, buttonCcs[i]));
        }
        EXPECT_EQ (page.getKnob (0).getFrame(), 0);
        EXPECT_EQ (page.getKnob (1).getFrame(), 29);
        EXPECT_EQ (page.getKnob (2).getFrame(), 54);
        EXPECT_EQ (page.getKnob (1).getValueText(), "64");
        EXPECT_EQ (page.getSlider (3).getValue(), 90);
        EXPECT_EQ (page.getButton (4).getValue(), 127);
        EXPECT_EQ (page.getButton (4).getName2(), "5");
    }
    EXPECT_EQ (page.getSlider (9).getSlot(), cc (0, 64));   // the first foot switch, off the panel
    EXPECT_LT (page.getSlider (9).getRight(), 0);

    // Slots of a channel that does not exist change nothing.
    page.selectChannel (16);
    page.selectChannel (-1);
    EXPECT_EQ (page.getChannel(), 0);
}

TEST_F (ControlsPageTest, MovingControlsSendsTheChannelsControlChanges)
{
    // Knob 1 starts from 0 (program 1 names no controller 71).
    table.setValue (cc (2, 71), 0);
    page.selectChannel (2);
    rig.simulator.clearReceived();

    // Slider 1 dragged to the top of its travel.
    KitMouse slider (page.getSlider (0));
    slider.down (20, 100);
    slider.drag (20, 6);
    slider.up (20, 6);
    // Knob 1 dragged 10 right and 10 up: 20 steps.
    KitMouse knob (page.getKnob (0));
    knob.down (33, 30);
    knob.drag (43, 20);
    knob.up (43, 20);
    // Button 1 pressed twice: on, then off.
    KitMouse button (page.getButton (0));
    button.click (20, 15);
    button.click (20, 15);

    ASSERT_TRUE (rig.settle (4));
    EXPECT_EQ (rig.receivedHex(), (std::vector<juce::String> { "B2 0C 7F", "B2 47 14", "B2 50 7F", "B2 50 00" }));
    EXPECT_EQ (table.value (cc (2, 12)), 127);
    EXPECT_EQ (page.getSlider (0).getValue(), 127);
    EXPECT_EQ (page.getMonitor (2).getEntry (0), 127);
    EXPECT_EQ (page.getKnob (0).getValue(), 20);
    EXPECT_EQ (page.getButton (0).getValue(), 0);

    // The wheel does not move the panel's controls.
    const int before = table.value (cc (2, knobCcs[1]));
    KitMouse (page.getKnob (1)).wheel (1.0f, 33, 30);
    rig.settle();
    EXPECT_EQ (table.value (cc (2, knobCcs[1])), before);
    EXPECT_EQ (rig.receivedHex().size(), 4u);

    // An event from a control still bound to another channel sets its slot without
    // showing it on the current channel's controls.
    page.getKnob (3).post (EditEvent::valueDragged, 50);   // bound to channel 2
    EXPECT_EQ (page.getKnob (3).getValue(), 50);
    page.controlEvent (&page.getKnob (3), EditEvent::make (EditEvent::valueDragged, cc (7, knobCcs[3]), 17, 7, 33));
    EXPECT_EQ (table.value (cc (7, knobCcs[3])), 33);
    EXPECT_EQ (page.getKnob (3).getValue(), 50);
    ASSERT_TRUE (rig.settle (6));
    EXPECT_EQ (rig.receivedHex().back(), "B7 4F 21");
}

TEST_F (ControlsPageTest, PressingAMonitorSelectsItsChannel)
{
    KitMouse (page.getMonitor (9)).click (20, 10);
    page.getMonitor (9).dispatchPendingMessages();
    EXPECT_EQ (page.getChannel(), 9);
    EXPECT_TRUE (page.getChannelButton (9).isOn());
    EXPECT_FALSE (page.getChannelButton (0).isOn());
    EXPECT_EQ (page.getKnob (0).getSlot(), cc (9, 71));
}

TEST_F (ControlsPageTest, InstrumentControllersUpdateControlsAndMonitors)
{
    // Channel 1 on screen; the instrument moves slider 3 on channel 1, slider 1 and
    // knob 1 on channel 4.
    std::array<int, ChannelMonitor::numEntries> monitorBefore {};
    for (int e = 0; e < ChannelMonitor::numEntries; ++e)
        monitorBefore[(size_t) e] = page.getMonitor (3).getEntry (e);
    rig.simulator.sendController (1, 22, 70);
    rig.simulator.sendController (4, 12, 90);
    rig.simulator.sendController (4, 71, 55);
    rig.settle();
    deliverSlotNotices();

    EXPECT_EQ (page.getSlider (2).getValue(), 70);
    EXPECT_EQ (page.getSlider (2).getValueText(), "70");
    EXPECT_EQ (page.getMonitor (0).getEntry (2), 70);
    // Channel 4's change shows only on its monitor.
    EXPECT_EQ (page.getMonitor (3).getEntry (0), 90);
    EXPECT_EQ (page.getSlider (0).getValue(), 0);
    EXPECT_EQ (page.getMonitor (0).getEntry (0), 0);
    for (int e = 1; e < ChannelMonitor::numEntries; ++e)
    {
        EXPECT_EQ (page.getMonitor (3).getEntry (e), monitorBefore[(size_t) e]) << e;
    }

    // Choosing channel 4 shows what arrived for it.
    page.selectChannel (3);
    EXPECT_EQ (page.getSlider (0).getValue(), 90);
    EXPECT_EQ (page.getKnob (0).getValue(), 55);

    // Wheels go to the monitors only.
    page.showPitchWheel (3, 100);
    page.showModWheel (3, 30);
    page.showPitchWheel (16, 1);
    EXPECT_EQ (page.getMonitor (3).getEntry (ChannelMonitor::pitchEntry), 100);
    EXPECT_EQ (page.getMonitor (3).getEntry (ChannelMonitor::modulationEntry), 30);

    // Slots outside the table and non-controller slots are ignored safely.
    page.showValue (-1, 5);
    page.showValue (ParameterTable::numSlots, 5);
    page.showValue (ParameterTable::programSlot (3, 12), 1);
    EXPECT_EQ (page.getMonitor (3).getEntry (12), 30);
}

TEST_F (ControlsPageTest, ShowAllValuesFillsEveryMonitor)
{
    for (int ch = 0; ch < 16; ++ch)
        table.setValue (cc (ch, sliderCcs[ch % 9]), 8 * ch);
    page.showAllValues();
    for (int ch = 1; ch < 16; ++ch)
        EXPECT_EQ (page.getMonitor (ch).getEntry (ch % 9), 8 * ch) << ch;
    EXPECT_EQ (page.getSlider (0).getValue(), 0);
}

TEST_F (ControlsPageTest, StatusLineNamesTheHoveredControl)
{
    KitMouse knob (page.getKnob (0));
    knob.enter (10, 10);
    EXPECT_EQ (page.getStatusLine().getText(), "MIDI 71");
    knob.exit (10, 10);
    EXPECT_EQ (page.getStatusLine().getText(), "");

    // The name the channel's program gives the controller: a built-in organ's 16' drawbar.
    hub.selectProgram (431, 0);
    KitMouse (page.getSlider (0)).enter (10, 10);
    EXPECT_EQ (page.getStatusLine().getText(), "Drawbar 16'");
    EXPECT_EQ (page.getStatusLine().getBounds(), juce::Rectangle<int> (754, 220, 160, 24));
}

TEST_F (ControlsPageTest, LayoutFollowsTheContentOrigin)
{
    // x0 = (996 - 950) / 2, y0 = 20.
    EXPECT_EQ (page.getContentOrigin(), juce::Point<int> (23, 20));
    auto inPage = [this] (juce::Component& c) { return page.getLocalArea (c.getParentComponent(), c.getBounds()); };
    EXPECT_EQ (inPage (page.getKnob (1)), juce::Rectangle<int> (23 + 122, 20 + 46, 66, 60));
    EXPECT_EQ (inPage (page.getSlider (8)), juce::Rectangle<int> (23 + 56 + 528 + 14, 20 + 126, 40, 178));
    EXPECT_EQ (inPage (page.getButton (0)), juce::Rectangle<int> (23 + 68, 20 + 330, 40, 30));
    EXPECT_EQ (inPage (page.getChannelButton (6)), juce::Rectangle<int> (23 + 700 + 112, 20 + 60 + 36, 50, 36));
    // The page area of the default window is too short for four rows of full-size
    // monitors: they close up and shrink so that all sixteen stay in view.
    for (int n = 0; n < 16; ++n)
        EXPECT_TRUE (page.getLocalBounds().contains (inPage (page.getMonitor (n)))) << n;
    EXPECT_LT (page.getMonitor (15).getHeight(), 80);

    // A tall window shows them at full size in their places.
    page.setSize (996, 900);
    EXPECT_EQ (inPage (page.getMonitor (15)), juce::Rectangle<int> (23 + 717, 20 + 714, 230, 80));
    page.setSize (996, 646);

    page.setSize (1200, 646);
    EXPECT_EQ (inPage (page.getKnob (1)).getPosition(), juce::Point<int> (125 + 122, 20 + 46));
    EXPECT_EQ (page.getPanelPicture().getBounds(), juce::Rectangle<int> (0, 0, 950, 420));
}

namespace
{
    /** The page's pixels over a monitor and a margin around it (page coordinates). */
    juce::Image renderAround (ControlsPage& page, juce::Rectangle<int> area)
    {
        return page.createComponentSnapshot (area, true, 1.0f).convertedToFormat (juce::Image::ARGB);
    }

    /** The pixels (relative to area) that differ between two renders of it. */
    juce::Rectangle<int> differingPixels (const juce::Image& a, const juce::Image& b)
    {
        juce::Rectangle<int> found;
        bool any = false;
        for (int y = 0; y < a.getHeight(); ++y)
            for (int x = 0; x < a.getWidth(); ++x)
                if (a.getPixelAt (x, y) != b.getPixelAt (x, y))
                {
                    const juce::Rectangle<int> p (x, y, 1, 1);
                    found = any ? found.getUnion (p) : p;
                    any = true;
                }
        return found;
    }

    /** Height in pixels of the light grey glyphs (the channel number) left of the
        monitor's sliders (the wheels there are darker, their marks amber). */
    int numberGlyphHeight (const juce::Image& monitor)
    {
        int top = -1, bottom = -1;
        for (int y = 0; y < monitor.getHeight(); ++y)
            for (int x = 0; x < monitor.getWidth() * 40 / 230; ++x)
                if (const auto c = monitor.getPixelAt (x, y); c.getBrightness() > 0.42f && c.getSaturation() < 0.2f)
                {
                    if (top < 0)
                        top = y;
                    bottom = y;
                }
        return top < 0 ? 0 : bottom - top + 1;
    }
}

TEST_F (ControlsPageTest, MonitorsShowEverySliderAndWheelInsideThemselvesAtEveryPageHeight)
{
    // 646: the default window, where the four rows of monitors shrink to fit; 900 gives
    // them their full size; 560 shrinks them further.
    for (int height : { 646, 900, 560 })
    {
        page.setSize (pageWidth, height);
        for (int ch : { 0, 6, 15 })
        {
            auto& monitor = page.getMonitor (ch);
            const auto bounds = page.getLocalArea (monitor.getParentComponent(), monitor.getBounds());
            ASSERT_TRUE (page.getLocalBounds().contains (bounds)) << height << " ch " << ch;
            const auto around = bounds.expanded (24).getIntersection (page.getLocalBounds());
            const auto inside = bounds - around.getPosition();

            // Every slider (its marker and its level strip) and both wheels show, each in
            // its own column from left to right, and none draws outside the monitor.
            int lastLeft = -1;
            for (int entry : { 11, 12, 0, 1, 2, 3, 4, 5, 6, 7, 8 })
            {
                monitor.setEntry (entry, 0);
                const auto low = renderAround (page, around);
                monitor.setEntry (entry, 127);
                const auto high = renderAround (page, around);
                monitor.setEntry (entry, entry == ChannelMonitor::pitchEntry ? 64 : 0);

                const auto changed = differingPixels (low, high);
                ASSERT_FALSE (changed.isEmpty()) << height << " ch " << ch << " entry " << entry << " never shows";
                EXPECT_TRUE (inside.contains (changed))
                    << height << " ch " << ch << " entry " << entry << ": " << changed.toString() << " outside "
                    << inside.toString();
                if (entry < ChannelMonitor::numSliders)
                {
                    EXPECT_GT (changed.getX(), lastLeft) << height << " ch " << ch << " entry " << entry;
                    lastLeft = changed.getX();
                }
            }

            // The number stays readable however small the monitor gets.
            EXPECT_GE (numberGlyphHeight (monitor.createComponentSnapshot (monitor.getLocalBounds())), 7) << "number height " << monitor.numberHeight()
                << height << " ch " << ch;
        }
    }
}

TEST_F (ControlsPageTest, RendersThePanel)
{
    const int knobValues[9] = { 96, 40, 127, 64, 10, 80, 0, 110, 52 };
    const int sliderValues[9] = { 127, 100, 80, 64, 30, 12, 0, 90, 45 };
    for (int i = 0; i < 9; ++i)
    {
        table.setValue (cc (0, knobCcs[i]), knobValues[i]);
        table.setValue (cc (0, sliderCcs[i]), sliderValues[i]);
        for (int ch = 1; ch < 16; ++ch)
            table.setValue (cc (ch, sliderCcs[i]), (ch * 23 + i * 31) % 128);
    }
    table.setValue (cc (0, buttonCcs[0]), 127);
    table.setValue (cc (0, buttonCcs[4]), 127);
    page.selectChannel (0);
    page.showAllValues();
    page.showPitchWheel (0, 100);
    page.showModWheel (0, 40);
    page.getStatusLine().setText ("MIDI 71");

    EXPECT_EQ (zd8test::compareWithReference (page, "controls_page"), "");
}

//==============================================================================
namespace
{
    struct ControlsWindow : ::testing::Test
    {
        PluginRig rig;
        VantorAudioProcessor processor { rig.environment };
        std::unique_ptr<juce::AudioProcessorEditor> editor { processor.createEditor() };
        MainPanel& main = dynamic_cast<VantorAudioProcessorEditor&> (*editor).getMainPanel();
        ControllerState& hub = processor.getHub();

        void SetUp() override
        {
            rig.settle();
            if (main.getAboutPanel() != nullptr)
                press (TabBar::aboutTab);
            pump();
        }

        void press (int identifier)
        {
            main.getTabBar().report (identifier);
            main.getTabBar().dispatchPendingMessages();
        }

        void pump()
        {
            rig.settle();
            main.handleUpdateNowIfNeeded();
        }
    };
}

TEST_F (ControlsWindow, ControlsTabShowsThePageAndFeedsItTheInstrumentsControllers)
{
    EXPECT_EQ (main.getControlsPage(), nullptr);
    press (TabBar::controlsTab);
    auto* page = main.getControlsPage();
    ASSERT_NE (page, nullptr);
    EXPECT_TRUE (main.isControlsPageShown());
    EXPECT_FALSE (main.isMixerShown());
    EXPECT_TRUE (page->isVisible());
    EXPECT_EQ (page->getBounds(), main.getPageArea());
    EXPECT_EQ (hub.getEditorSession().getCurrentPage(), 'o');
    EXPECT_EQ (hub.getEditorSession().getPreviousPage(), 'q');

    // Controller rows (display kind 17), the modulation wheel and the pitch wheel.
    rig.simulator.sendController (1, 13, 77);
    rig.simulator.sendController (6, 12, 33);
    rig.simulator.sendController (3, 1, 90);
    rig.simulator.sendPitchBend (3, 0x3fff);
    pump();
    EXPECT_EQ (page->getSlider (1).getValue(), 77);
    EXPECT_EQ (page->getMonitor (0).getEntry (1), 77);
    EXPECT_EQ (page->getMonitor (5).getEntry (0), 33);
    EXPECT_EQ (page->getMonitor (2).getEntry (ChannelMonitor::modulationEntry), 90);
    EXPECT_EQ (page->getMonitor (2).getEntry (ChannelMonitor::pitchEntry), 127);

    // Resizing keeps it on the page area and the page code.
    editor->setSize (1100, 760);
    EXPECT_EQ (page->getBounds(), main.getPageArea());
    EXPECT_EQ (hub.getEditorSession().getCurrentPage(), 'o');

    // Another tab parks it; the channel it shows survives until it comes back.
    page->selectChannel (4);
    press (TabBar::mixerTab);
    EXPECT_FALSE (main.isControlsPageShown());
    EXPECT_FALSE (page->isVisible());
    EXPECT_EQ (page->getBounds(), juce::Rectangle<int> (-2000, -2000, 50, 50));
    rig.simulator.sendController (5, 71, 99);   // not shown while parked
    pump();
    EXPECT_NE (page->getKnob (0).getValue(), 99);

    press (TabBar::controlsTab);
    EXPECT_EQ (main.getControlsPage(), page);
    EXPECT_EQ (page->getChannel(), 4);
    EXPECT_EQ (page->getKnob (0).getValue(), 99);   // shown again from the slots
}

// Tooltips in the plug-in window: every control shown on the mixer, controls, keys and
// program pages tells what it is and shows its value, and the window's tooltip window
// draws them in the editor's look, kept inside the area it is shown in.

#include "editor/kit/BigKnob.h"
#include "editor/kit/KitTooltipWindow.h"
#include "editor/kit/ParameterControl.h"
#include "editor/kit/WheelControl.h"
#include "editor/kit/ZD8LookAndFeel.h"
#include "editor/shell/MainPanel.h"
#include "editor/shell/TabBar.h"
#include "editor/shell/VantorAudioProcessorEditor.h"
#include "plugin/VantorAudioProcessor.h"
#include "support/PluginRig.h"

#include <gtest/gtest.h>

using namespace zd8;
using zd8test::PluginRig;

namespace
{
    /** Every component of the tree below (and with) root that is visible and within
        its parent's area (the pointer can reach it), in order. */
    void collectShown (juce::Component& root, std::vector<juce::Component*>& out)
    {
        if (! root.isVisible())
            return;
        if (auto* parent = root.getParentComponent(); parent != nullptr && ! parent->getLocalBounds().intersects (root.getBounds()))
            return;
        out.push_back (&root);
        for (auto* child : root.getChildren())
            collectShown (*child, out);
    }

    struct Tooltips : ::testing::Test
    {
        PluginRig rig;
        VantorAudioProcessor processor { rig.environment };
        std::unique_ptr<juce::AudioProcessorEditor> editor { processor.createEditor() };
        MainPanel& main = dynamic_cast<VantorAudioProcessorEditor&> (*editor).getMainPanel();

        void SetUp() override
        {
            rig.settle();
            if (main.getAboutPanel() != nullptr)
                showTab (TabBar::aboutTab);
            main.handleUpdateNowIfNeeded();
        }

        void showTab (int identifier)
        {
            main.getTabBar().report (identifier);
            main.getTabBar().dispatchPendingMessages();
        }

        juce::TooltipWindow* tooltipWindow()
        {
            for (auto* child : editor->getChildren())
                if (auto* t = dynamic_cast<juce::TooltipWindow*> (child))
                    return t;
            return nullptr;
        }
    };
}

TEST_F (Tooltips, EveryControlShownOnThePagesNamesItselfAndShowsItsValue)
{
    struct Page { const char* name; int tab; };
    const Page pages[] = {
        { "mixer", TabBar::mixerTab }, { "controls", TabBar::controlsTab },
        { "keys", TabBar::keysTab },   { "program", TabBar::programTab },
    };
    for (const auto& page : pages)
    {
        SCOPED_TRACE (page.name);
        showTab (page.tab);
        main.handleUpdateNowIfNeeded();
        std::vector<juce::Component*> shown;
        collectShown (main, shown);

        int controls = 0;
        for (auto* c : shown)
        {
            if (auto* control = dynamic_cast<ParameterControl*> (c))
            {
                ++controls;
                const auto tip = control->getTooltip();
                const auto value = control->getValueText();
                EXPECT_TRUE (tip.containsChar (':')) << "slot " << control->getSlot() << ": '" << tip << "'";
                // A name button shows the name of its value, which its tooltip gives.
                if (value.isNotEmpty() && control->getStyle() != ParameterControl::nameButton)
                {
                    EXPECT_TRUE (tip.endsWith (": " + value)) << "slot " << control->getSlot() << ": '" << tip << "'";
                    EXPECT_GT (tip.length(), value.length() + 2) << "named: slot " << control->getSlot();
                }
            }
            else if (dynamic_cast<BigKnob*> (c) != nullptr || dynamic_cast<WheelControl*> (c) != nullptr)
            {
                ++controls;
                EXPECT_TRUE (dynamic_cast<juce::TooltipClient&> (*c).getTooltip().containsChar (':'));
            }
        }
        EXPECT_GT (controls, 0);
    }
}

TEST_F (Tooltips, TheWindowsTooltipsAreDrawnInTheEditorsLook)
{
    auto* tips = tooltipWindow();
    ASSERT_NE (tips, nullptr);
    EXPECT_NE (dynamic_cast<ZD8LookAndFeel*> (&tips->getLookAndFeel()), nullptr);

    juce::SharedResourcePointer<ZD8LookAndFeel> look;
    const juce::Rectangle<int> area (0, 0, 1000, 700);
    struct Case { juce::Point<int> pointer; };
    const Case cases[] = { { { 100, 100 } }, { { 995, 100 } }, { { 100, 695 } }, { { 999, 699 } }, { { 0, 0 } } };
    const juce::String text ("Level: -6 dB");
    for (const auto& c : cases)
    {
        const auto r = look->getTooltipBounds (text, c.pointer, area);
        EXPECT_TRUE (area.contains (r)) << c.pointer.toString() << " -> " << r.toString();
        EXPECT_FALSE (r.contains (c.pointer)) << "the pointer does not cover the text: " << c.pointer.toString();
        EXPECT_GE (r.getWidth(), juce::Font ("Arial", ZD8LookAndFeel::tooltipTextSize, juce::Font::plain).getStringWidth (text));
    }

    // Black with white text and a grey rim.
    juce::Image picture (juce::Image::ARGB, 120, 22, true);
    {
        juce::Graphics g (picture);
        look->drawTooltip (g, text, 120, 22);
    }
    EXPECT_EQ (picture.getPixelAt (110, 11), juce::Colour (Palette::menuBackground));
    EXPECT_EQ (picture.getPixelAt (0, 11), juce::Colour (Palette::textDim));
    int bright = 0;
    for (int x = 0; x < 120; ++x)
        for (int y = 0; y < 22; ++y)
            if (picture.getPixelAt (x, y).getBrightness() > 0.9f)
                ++bright;
    EXPECT_GT (bright, 20) << "the text is drawn";
}

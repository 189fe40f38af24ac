#include "editor/kit/CheckButton.h"
#include "editor/kit/ParameterControl.h"
#include "editor/kit/PictureCatalogue.h"
#include "editor/kit/Pictures.h"
#include "editor/shell/MainPanel.h"
#include "editor/shell/TabBar.h"
#include "editor/shell/VantorAudioProcessorEditor.h"
#include "plugin/VantorAudioProcessor.h"
#include "support/PluginRig.h"
#include "support/RenderCheck.h"

#include <gtest/gtest.h>

#include <functional>

// The window scales from 75 % to 200 % and may sit on a high-density display: where a
// component pixel covers two device pixels, the pictures must come from their
// double-density drawings, not be stretched from the 1x ones.

using namespace zd8;
using zd8test::PluginRig;

namespace
{
    constexpr int designWidth = 1028, designHeight = 730;

    /** Largest difference in any channel (alpha included) between two equal-sized areas. */
    int largestDifference (const juce::Image& a, juce::Rectangle<int> ra, const juce::Image& b, juce::Rectangle<int> rb)
    {
        int largest = 0;
        for (int y = 0; y < ra.getHeight(); ++y)
            for (int x = 0; x < ra.getWidth(); ++x)
            {
                const auto p = a.getPixelAt (ra.getX() + x, ra.getY() + y), q = b.getPixelAt (rb.getX() + x, rb.getY() + y);
                largest = juce::jmax (largest, std::abs (p.getAlpha() - q.getAlpha()), std::abs (p.getRed() - q.getRed()),
                                      std::abs (p.getGreen() - q.getGreen()));
                largest = juce::jmax (largest, std::abs (p.getBlue() - q.getBlue()));
            }
        return largest;
    }

    /** Sum of the squared steps between neighbouring pixels (largest channel step, colour
        over black): a sharp edge drawn twice as large doubles it, the same edge stretched
        from half the pixels keeps about the same. */
    double edgeEnergy (const juce::Image& image, juce::Rectangle<int> area)
    {
        auto level = [&image] (int x, int y, int channel)
        {
            const auto p = image.getPixelAt (x, y);
            const float a = p.getFloatAlpha();
            return (channel == 0 ? p.getRed() : channel == 1 ? p.getGreen() : p.getBlue()) * a;
        };
        double energy = 0.0;
        for (int y = area.getY(); y < area.getBottom() - 1; ++y)
            for (int x = area.getX(); x < area.getRight() - 1; ++x)
            {
                float right = 0.0f, down = 0.0f;
                for (int c = 0; c < 3; ++c)
                {
                    right = juce::jmax (right, std::abs (level (x + 1, y, c) - level (x, y, c)));
                    down = juce::jmax (down, std::abs (level (x, y + 1, c) - level (x, y, c)));
                }
                energy += (double) right * right + (double) down * down;
            }
        return energy;
    }

    /** The pictures' parts drawn 1:1 at a density into an image of the given size
        (component pixels), as a widget drawn with that many device pixels per component
        pixel must show them. */
    struct Expected
    {
        const char* name;
        juce::Rectangle<int> source;   // in 1x picture pixels
        juce::Point<int> at;           // in 1x component pixels
    };

    juce::Image compose (int width, int height, int density, const std::vector<Expected>& parts)
    {
        juce::Image image (juce::Image::ARGB, width * density, height * density, true);
        juce::Graphics g (image);
        for (const auto& p : parts)
        {
            const auto picture = Pictures::get (p.name, density);
            g.drawImageAt (picture.getClippedImage (p.source * density), p.at.x * density, p.at.y * density);
        }
        return image;
    }

    std::unique_ptr<ParameterControl> control (int style, int width, int height, int minimum, int maximum, int value)
    {
        auto c = std::make_unique<ParameterControl>();
        c->setup ({}, 300, width, height, 0, 0, minimum, maximum, style);
        c->setValue (value, {});
        return c;
    }

    struct WidgetCase
    {
        const char* what;
        std::function<std::unique_ptr<juce::Component>()> make;
        std::vector<Expected> expected;
    };

    const WidgetCase widgetCases[] = {
        { "knob at 64 (frame 29 after its backing)",
          [] { return control (ParameterControl::knob, 46, 48, 0, 127, 64); },
          { { "knob_back", { 0, 0, 46, 46 }, { 0, 1 } }, { "knob_strip_a", { 29 * 47, 0, 46, 46 }, { 0, 1 } } } },
        { "switch on", [] { return control (ParameterControl::switchBeside, 25, 12, 0, 1, 1); },
          { { "switch_on", { 0, 0, 19, 12 }, { 3, 0 } } } },
        { "switch off", [] { return control (ParameterControl::switchBeside, 25, 12, 0, 1, 0); },
          { { "switch_off", { 0, 0, 19, 12 }, { 3, 0 } } } },
        { "lamp on", [] { return control (ParameterControl::lamp, 17, 11, 0, 1, 1); },
          { { "lamp_on", { 0, 0, 17, 11 }, { 0, 0 } } } },
        { "two-state button on", [] { return control (ParameterControl::twoStateButton, 52, 34, 0, 1, 1); },
          { { "button_on", { 0, 0, 52, 34 }, { 0, 0 } } } },
        { "check box",
          []
          {
              auto c = std::make_unique<CheckButton> (juce::String());
              c->setSize (24, 15);
              c->setChecked (true);
              return std::unique_ptr<juce::Component> (std::move (c));
          },
          { { "check_on", { 0, 0, 20, 11 }, { 2, 2 } } } },
    };
}

//==============================================================================
TEST (ScaledPictures, EveryPictureHasADoubleDensityDrawingOfExactlyDoubleSize)
{
    for (const auto& entry : pictureCatalogue)
    {
        SCOPED_TRACE (entry.name);
        ASSERT_TRUE (Pictures::isEmbedded (entry.name, 2));
        const auto dense = Pictures::get (entry.name, 2);
        ASSERT_TRUE (dense.isValid());
        EXPECT_EQ (dense.getWidth(), 2 * entry.width);
        EXPECT_EQ (dense.getHeight(), 2 * entry.height);
        // The same drawing: shrunk to the catalogue size it is close to the 1x picture.
        const auto picture = Pictures::get (entry.name);
        const auto shrunk = dense.rescaled (entry.width, entry.height, juce::Graphics::highResamplingQuality);
        double total = 0.0;
        for (int y = 0; y < entry.height; ++y)
            for (int x = 0; x < entry.width; ++x)
            {
                const auto p = picture.getPixelAt (x, y), q = shrunk.getPixelAt (x, y);
                total += std::abs (p.getBrightness() * p.getFloatAlpha() - q.getBrightness() * q.getFloatAlpha());
            }
        EXPECT_LT (total / (entry.width * entry.height), 0.06);
        // A widget holding the 1x picture finds its companion.
        EXPECT_EQ (Pictures::getDouble (picture).getPixelData(), dense.getPixelData());
    }
    EXPECT_FALSE (Pictures::getDouble (juce::Image (juce::Image::ARGB, 4, 4, true)).isValid());
}

TEST (ScaledPictures, WidgetsAt200PercentShowTheDoubleDensityPicturesOneToOne)
{
    for (const auto& c : widgetCases)
    {
        SCOPED_TRACE (c.what);
        auto widget = c.make();
        const int w = widget->getWidth(), h = widget->getHeight();
        const auto expected = compose (w, h, 2, c.expected);

        // As a window at 200 % or a high-density display draws it.
        const auto shown = widget->createComponentSnapshot (widget->getLocalBounds(), true, 2.0f);
        ASSERT_EQ (shown.getBounds(), expected.getBounds());
        EXPECT_LE (largestDifference (shown, shown.getBounds(), expected, expected.getBounds()), 1);
        EXPECT_GE (edgeEnergy (shown, shown.getBounds()), 0.97 * edgeEnergy (expected, expected.getBounds()));

        // At 100 % the 1x pictures, 1:1 as before.
        const auto plain = widget->createComponentSnapshot (widget->getLocalBounds(), true, 1.0f);
        const auto plainExpected = compose (w, h, 1, c.expected);
        EXPECT_LE (largestDifference (plain, plain.getBounds(), plainExpected, plainExpected.getBounds()), 1);
    }
}

//==============================================================================
namespace
{
    struct Window
    {
        Window()
        {
            editor.reset (processor.createEditor());
            window = dynamic_cast<VantorAudioProcessorEditor*> (editor.get());
            main = &window->getMainPanel();
            window->setVisible (true);
            rig.settle (1);
            rig.settle();
            if (main->getAboutPanel() != nullptr)
                press (TabBar::aboutTab);
            main->handleUpdateNowIfNeeded();
        }

        void press (int identifier)
        {
            main->getTabBar().report (identifier);
            main->getTabBar().dispatchPendingMessages();
            main->handleUpdateNowIfNeeded();
        }

        /** The window at this percentage of its design size, drawn whole. */
        juce::Image renderAt (int percent)
        {
            window->setSize (designWidth * percent / 100, designHeight * percent / 100);
            return window->createComponentSnapshot (window->getLocalBounds(), true, 1.0f);
        }

        PluginRig rig;
        VantorAudioProcessor processor { rig.environment };
        std::unique_ptr<juce::AudioProcessorEditor> editor;
        VantorAudioProcessorEditor* window = nullptr;
        MainPanel* main = nullptr;
    };

    /** Shows an image as a component, for the render references. */
    struct Shown : juce::Component
    {
        explicit Shown (juce::Image i) : image (std::move (i)) { setSize (image.getWidth(), image.getHeight()); }
        void paint (juce::Graphics& g) override { g.drawImageAt (image, 0, 0); }
        juce::Image image;
    };

    struct PageCase
    {
        const char* what;
        int tab;
        juce::Rectangle<int> area;   // design pixels, where the page's pictures and panels are
        bool at150 = true;           // checked at 150 % too (not for a vector rim, see below)
    };

    // Edge energy of an area drawn at 200 % over the same area at 100 %: about 2 where the
    // pictures and panels come sharp from their double-density sources, about 1 where a 1x
    // picture (or a 1x off-screen panel) is stretched.
    const PageCase pageCases[] = {
        { "program page: controller knobs", TabBar::programTab, { 35, 358, 260, 45 } },
        { "program page: object display", TabBar::programTab, { 150, 150, 130, 110 } },
        { "top bar logo", TabBar::programTab, { 760, 15, 240, 40 } },
        { "wooden side", TabBar::programTab, { 0, 100, 16, 500 } },
        { "multi page: zone strips", TabBar::multiTab, { 525, 250, 340, 210 } },
        { "multi page: key pad frame", TabBar::multiTab, { 670, 70, 60, 40 }, false },
        { "mixer page: knobs", TabBar::mixerTab, { 30, 240, 970, 50 } },
        { "mixer page: faders and strip panels", TabBar::mixerTab, { 30, 510, 970, 170 } },
        { "controls page: panel head", TabBar::controlsTab, { 40, 85, 660, 30 } },
        { "controls page: faders", TabBar::controlsTab, { 100, 210, 580, 160 } },
        { "controls page: channel monitor", TabBar::controlsTab, { 55, 518, 110, 38 } },
    };
}

TEST (ScaledPictures, PagesAt150And200PercentAreAsCrispAsAt100Percent)
{
    for (const int tab : { TabBar::programTab, TabBar::multiTab, TabBar::mixerTab, TabBar::controlsTab })
    {
        Window w;
        w.press (tab);
        const auto at100 = w.renderAt (100);
        for (const int percent : { 150, 200 })
        {
            const auto scaled = w.renderAt (percent);
            const float factor = (float) percent / 100.0f;
            for (const auto& c : pageCases)
            {
                // A frame's rounded rim is drawn as a shape: at 150 % its edges fall between
                // device pixels and are half-toned whatever the source, so only 200 % tells.
                if (c.tab != tab || (percent == 150 && ! c.at150))
                    continue;
                const double ratio = edgeEnergy (scaled, (c.area.toFloat() * factor).toNearestInt()) / edgeEnergy (at100, c.area);
                // At 150 % the 2x pictures are shrunk to fit, a little soft; a stretched 1x
                // picture stays near 1.
                EXPECT_GT (ratio, percent == 200 ? 1.75 : 1.15) << c.what << " at " << percent << " %: " << ratio;
            }
        }
    }
}

TEST (ScaledPictures, KnobsAndPanelAt200Percent)
{
    // Small crops of the window at 200 %, kept as render references: the program page's
    // controller knobs and the head of the controls page's panel.
    Window w;
    w.press (TabBar::programTab);
    Shown knobs (w.renderAt (200).getClippedImage ({ 70, 710, 360, 120 }).createCopy());
    auto difference = zd8test::compareWithReference (knobs, "scaled_200_program_knobs");
    EXPECT_TRUE (difference.isEmpty()) << difference;

    w.press (TabBar::controlsTab);
    Shown panel (w.renderAt (200).getClippedImage ({ 80, 170, 640, 120 }).createCopy());
    difference = zd8test::compareWithReference (panel, "scaled_200_controls_panel");
    EXPECT_TRUE (difference.isEmpty()) << difference;
}

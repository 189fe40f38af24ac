#include "editor/pages/KeysPage.h"
#include "editor/pages/MixerPage.h"
#include "editor/pages/ProgramPage.h"
#include "editor/kit/ObjectDisplay.h"
#include "editor/shell/AboutPanel.h"
#include "editor/shell/MainPanel.h"
#include "editor/shell/TabBar.h"
#include "editor/shell/VantorAudioProcessorEditor.h"
#include "editor/kit/KitButton.h"
#include "plugin/VantorAudioProcessor.h"
#include "support/PluginRig.h"
#include "support/RenderCheck.h"
#include "KitMouse.h"

#include <gtest/gtest.h>

using namespace zd8;
using zd8test::KitMouse;
using zd8test::PluginRig;

namespace
{
    constexpr int designWidth = 1028, designHeight = 730;

    // The sizes a player drags the window to, as percent of the design size.
    constexpr int scalesInPercent[] = { 75, 100, 150, 200 };

    juce::Point<int> designSizeAt (int percent)
    {
        return { juce::roundToInt (designWidth * percent / 100.0), juce::roundToInt (designHeight * percent / 100.0) };
    }

    struct Instance
    {
        Instance() { open(); }

        void open()
        {
            editor.reset (processor.createEditor());
            window = dynamic_cast<VantorAudioProcessorEditor*> (editor.get());
            ASSERT_NE (window, nullptr);
            window->setVisible (true);   // as the host shows it in its window
        }

        MainPanel& main() { return window->getMainPanel(); }

        /** Where the panel is drawn, in window pixels. */
        juce::Rectangle<float> panelShown() { return window->getLocalArea (&main(), main().getLocalBounds().toFloat()); }

        /** The panel is drawn over the whole window, to a hundredth of a pixel. */
        void expectPanelCoversWindow()
        {
            const auto shown = panelShown();
            EXPECT_NEAR (shown.getX(), 0.0f, 0.01f);
            EXPECT_NEAR (shown.getY(), 0.0f, 0.01f);
            EXPECT_NEAR (shown.getRight(), (float) window->getWidth(), 0.01f);
            EXPECT_NEAR (shown.getBottom(), (float) window->getHeight(), 0.01f);
        }

        /** The component the framework hands a mouse event at this window position to:
            the deepest visible one under it, through the panel's scale. */
        juce::Component& at (juce::Point<float> windowPoint)
        {
            auto* c = window->getComponentAt (windowPoint);
            EXPECT_NE (c, nullptr) << windowPoint.toString();
            return c != nullptr ? *c : *window;
        }

        /** A press and release where the player clicks in the window. */
        juce::Component& click (juce::Point<float> windowPoint)
        {
            auto& target = at (windowPoint);
            const auto local = target.getLocalPoint (window, windowPoint);
            KitMouse (target).click (local.x, local.y);
            return target;
        }

        /** Drags the window's resizer corner by (dx, dy) with the mouse. */
        void dragCorner (float dx, float dy)
        {
            const juce::Point<float> grip ((float) window->getWidth() - 6.0f, (float) window->getHeight() - 6.0f);
            auto& corner = at (grip);
            ASSERT_NE (dynamic_cast<juce::ResizableCornerComponent*> (&corner), nullptr) << "no resizer corner under the pointer";
            const auto local = corner.getLocalPoint (window, grip);
            KitMouse m (corner);
            m.down (local.x, local.y);
            m.drag (local.x + dx, local.y + dy);
            m.up (local.x + dx, local.y + dy);
        }

        /** Drags the corner until the window is at this percentage of the design size. */
        void dragTo (int percent)
        {
            const auto size = designSizeAt (percent);
            dragCorner ((float) (size.x - window->getWidth()), (float) (size.y - window->getHeight()));
        }

        /** Where the panel's design point (1028x730 coordinates) is in the window. */
        juce::Point<float> scaled (juce::Point<float> designPoint) const
        {
            return { designPoint.x * (float) window->getWidth() / designWidth,
                     designPoint.y * (float) window->getHeight() / designHeight };
        }

        void clickTab (juce::Point<float> designCentre)
        {
            click (scaled (designCentre));
            main().getTabBar().dispatchPendingMessages();
        }

        PluginRig rig;
        VantorAudioProcessor processor { rig.environment };
        std::unique_ptr<juce::AudioProcessorEditor> editor;
        VantorAudioProcessorEditor* window = nullptr;
    };

    // Tab centres in the panel's design coordinates: the top bar sits at x 16, its tabs at y 12..45.
    const juce::Point<float> programTabCentre { 16 + 42 + 48, 28 };
    const juce::Point<float> multiTabCentre { 16 + 143 + 48, 28 };
    const juce::Point<float> mixerTabCentre { 16 + 252 + 45, 28 };
    const juce::Point<float> keysTabCentre { 16 + 542 + 30, 28 };
}

//==============================================================================
TEST (WindowScaling, DraggingTheCornerScalesTheWholePanelWithTheAspectKept)
{
    for (const int percent : scalesInPercent)
    {
        SCOPED_TRACE (juce::String (percent) + " %");
        Instance w;
        w.dragTo (percent);

        const auto wanted = designSizeAt (percent);
        EXPECT_NEAR (w.window->getWidth(), wanted.x, 1);
        EXPECT_NEAR (w.window->getHeight(), wanted.y, 1);
        EXPECT_NEAR ((double) w.window->getWidth() / w.window->getHeight(), (double) designWidth / designHeight, 0.003);

        // The panel keeps its design layout and covers the whole window, scaled alike both ways.
        EXPECT_EQ (w.main().getBounds(), juce::Rectangle<int> (0, 0, designWidth, designHeight));
        w.expectPanelCoversWindow();
        const auto t = w.main().getTransform();
        EXPECT_NEAR (t.mat00, percent / 100.0f, 0.002f);
        EXPECT_NEAR (t.mat11 / t.mat00, 1.0f, 0.002f);
        EXPECT_EQ (w.main().getMixer().getBounds(), w.main().getPageArea());

        // Remembered for the next opening and in the settings list.
        EXPECT_EQ (w.processor.editorWidth, w.window->getWidth());
        EXPECT_EQ (w.processor.editorHeight, w.window->getHeight());
        EXPECT_EQ (w.processor.getHub().getSettings().get (6), juce::String (w.window->getWidth()));
        EXPECT_EQ (w.processor.getHub().getSettings().get (7), juce::String (w.window->getHeight()));
    }
}

TEST (WindowScaling, TheCornerStopsAt75And200PercentAndKeepsTheAspectWhateverTheDrag)
{
    struct Case
    {
        float dx, dy;
        int width, height;
    };
    const Case cases[] = {
        { 3000.0f, 3000.0f, 2056, 1460 },     // far beyond 200 %
        { -3000.0f, -3000.0f, 771, 548 },     // far below 75 %
        { 514.0f, 0.0f, 1542, 1095 },         // wider only: taller too
        { 0.0f, -365.0f, 771, 548 },          // lower only: narrower too (stops at 75 %)
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE (juce::String (c.dx) + ", " + juce::String (c.dy));
        Instance w;
        w.dragCorner (c.dx, c.dy);
        EXPECT_NEAR (w.window->getWidth(), c.width, 1);
        EXPECT_NEAR (w.window->getHeight(), c.height, 1);
        w.expectPanelCoversWindow();
    }
}

TEST (WindowScaling, ClicksAtTheScaledPositionsReachTheirControls)
{
    for (const int percent : scalesInPercent)
    {
        SCOPED_TRACE (juce::String (percent) + " %");
        Instance w;
        w.dragTo (percent);
        auto& m = w.main();

        // The About panel of the first opening: a click anywhere on it closes it.
        auto* about = m.getAboutPanel();
        ASSERT_NE (about, nullptr);
        EXPECT_EQ (&w.click (w.scaled ({ 900.0f, 700.0f })), about);
        about->dispatchPendingMessages();
        EXPECT_EQ (m.getAboutPanel(), nullptr);
        m.handleUpdateNowIfNeeded();

        w.clickTab (multiTabCentre);
        EXPECT_TRUE (m.isMultiPageShown());
        EXPECT_TRUE (m.getTabBar().getTab (TabBar::multiTab)->isOn());

        w.clickTab (programTabCentre);
        EXPECT_TRUE (m.isProgramPageShown());
        EXPECT_TRUE (m.getTabBar().getTab (TabBar::programTab)->isOn());
        EXPECT_FALSE (m.getTabBar().getTab (TabBar::multiTab)->isOn());

        w.clickTab (mixerTabCentre);
        EXPECT_TRUE (m.isMixerShown());
        EXPECT_FALSE (m.isProgramPageShown());

        // A point between two tabs (the MULTI tab ends at 16 + 239) reaches no tab.
        w.clickTab ({ 16 + 245, 28 });
        EXPECT_TRUE (m.isMixerShown());

        // The keyboard panel's first white key plays on the instrument.
        w.clickTab (keysTabCentre);
        ASSERT_TRUE (m.isKeyboardShown());
        auto& pad = m.getKeyboard().getPad().getOverlay();
        ASSERT_TRUE (w.rig.settle());
        w.rig.simulator.clearReceived();
        const auto keyInPanel = m.getLocalPoint (&pad, juce::Point<float> (12.0f, 140.0f));
        EXPECT_EQ (&w.click (w.scaled (keyInPanel)), &pad);
        ASSERT_TRUE (w.rig.settle (2));
        const auto sent = w.rig.receivedHex();
        ASSERT_EQ (sent.size(), 2u);
        EXPECT_TRUE (sent[0].startsWith ("90 ")) << sent[0];
        EXPECT_TRUE (sent[1].startsWith ("80 ")) << sent[1];
        EXPECT_EQ (sent[0].substring (3, 5), sent[1].substring (3, 5));
    }
}

TEST (WindowScaling, OpensAtTheStoredSizeWithTheAspectKept)
{
    struct Case
    {
        int storedWidth, storedHeight, width, height;
    };
    const Case cases[] = {
        { 1028, 730, 1028, 730 },
        { 771, 548, 771, 548 },
        { 1542, 1095, 1542, 1095 },
        { 2056, 1460, 2056, 1460 },
        { 1233, 1092, 1233, 876 },    // an older version's largest: as wide, the aspect kept
        { 452, 150, 771, 548 },       // an older version's smallest: 75 %
        { 5000, 5000, 2056, 1460 },
        { 0, 0, 771, 548 },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE (juce::String (c.storedWidth) + " x " + juce::String (c.storedHeight));
        Instance w;
        w.editor.reset();
        w.processor.editorWidth = c.storedWidth;
        w.processor.editorHeight = c.storedHeight;
        w.open();
        EXPECT_EQ (w.window->getWidth(), c.width);
        EXPECT_EQ (w.window->getHeight(), c.height);
        w.expectPanelCoversWindow();
    }

    // The size a window was dragged to is the one the next window of the instance opens at.
    for (const int percent : { 75, 110, 125, 150, 175, 200 })
    {
        SCOPED_TRACE (juce::String (percent) + " %");
        Instance w;
        w.dragTo (percent);
        const auto dragged = w.window->getBounds();
        w.editor.reset();
        w.open();
        EXPECT_EQ (w.window->getBounds(), dragged);
    }
}

TEST (WindowScaling, AHostForcingAnotherAspectGetsTheWholePanelCentredAndUndistorted)
{
    Instance w;
    w.window->setSize (1600, 800);   // as a host that sizes the window without asking
    const auto shown = w.panelShown();
    const float s = 800.0f / designHeight;
    EXPECT_NEAR (shown.getY(), 0.0f, 0.01f);
    EXPECT_NEAR (shown.getHeight(), 800.0f, 0.01f);
    EXPECT_NEAR (shown.getWidth(), designWidth * s, 0.01f);
    EXPECT_NEAR (shown.getCentreX(), 800.0f, 0.01f);
    EXPECT_FLOAT_EQ (w.main().getTransform().mat00, w.main().getTransform().mat11);
}

namespace
{
    // The strongest brightness step between two neighbouring pixels of a row in the area:
    // a sharp text edge is one big step; a picture enlarged from its own size spreads every
    // step over two pixels or more, halving it.
    int strongestStep (const juce::Image& image, juce::Rectangle<int> area)
    {
        const juce::Image::BitmapData data (image, juce::Image::BitmapData::readOnly);
        int strongest = 0;
        for (int y = area.getY(); y < area.getBottom(); ++y)
            for (int x = area.getX(); x + 1 < area.getRight(); ++x)
            {
                const auto a = data.getPixelColour (x, y), b = data.getPixelColour (x + 1, y);
                strongest = juce::jmax (strongest, std::abs ((int) (a.getBrightness() * 255.0f) - (int) (b.getBrightness() * 255.0f)));
            }
        return strongest;
    }
}

TEST (WindowScaling, ListTextIsDrawnAtTheScreensResolutionNotEnlarged)
{
    // The multi page's list of multis, at 100 % and at 200 %: at 200 % its names must be
    // as sharp as at 100 %, not the 100 % picture enlarged.
    int steps[2] = {};
    for (int i = 0; i < 2; ++i)
    {
        const int percent = i == 0 ? 100 : 200;
        SCOPED_TRACE (juce::String (percent) + " %");
        Instance w;
        w.dragTo (percent);
        w.click (w.scaled ({ 900.0f, 700.0f }));   // the About panel of the first opening
        if (auto* about = w.main().getAboutPanel())
            about->dispatchPendingMessages();
        w.main().handleUpdateNowIfNeeded();
        w.clickTab (multiTabCentre);
        ASSERT_TRUE (w.main().isMultiPageShown());

        const auto render = zd8test::renderComponent (*w.window);
        // The names of the first rows, in window pixels.
        const auto names = juce::Rectangle<float> (90.0f, 70.0f, 160.0f, 100.0f);
        const auto area = juce::Rectangle<float> (w.scaled (names.getTopLeft()), w.scaled (names.getBottomRight())).toNearestInt();
        steps[i] = strongestStep (render, area);
    }
    EXPECT_GE (steps[0], 120) << "no text where the list's names should be";
    EXPECT_GE (steps[1], steps[0] * 3 / 4) << "at 200 % the list is its 100 % picture enlarged";
}

TEST (WindowScaling, AQuickClickOnTheProgramDisplayOpensAndClosesTheChooser)
{
    // A tap on a touchpad gives the press and the release before the window hears either.
    Instance w;
    w.dragTo (150);
    w.click (w.scaled ({ 900.0f, 700.0f }));
    if (auto* about = w.main().getAboutPanel())
        about->dispatchPendingMessages();
    w.main().handleUpdateNowIfNeeded();
    w.clickTab (programTabCentre);
    auto* page = w.main().getProgramPage();
    ASSERT_NE (page, nullptr);
    ASSERT_FALSE (page->isChooserOpen());

    auto& display = page->getDisplay();
    const auto onName = w.scaled (w.main().getLocalPoint (&display, juce::Point<float> (40.0f, 20.0f)));
    EXPECT_EQ (&w.click (onName), &display);
    display.dispatchPendingMessages();
    EXPECT_TRUE (page->isChooserOpen());

    const auto onNameOverChooser = w.scaled (w.main().getLocalPoint (&display, juce::Point<float> (40.0f, 20.0f)));
    EXPECT_EQ (&w.click (onNameOverChooser), &display);
    display.dispatchPendingMessages();
    EXPECT_FALSE (page->isChooserOpen());
}

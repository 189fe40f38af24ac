// The pages while the keyboard panel takes room at the bottom of the window: each page
// keeps its own layout, drawn smaller so the whole of it fits above the panel, and its
// controls take presses where they are drawn; with the panel hidden the page is at full
// size again. Pressed through the window as a player does (tabs, then the pointer).

#include "editor/shell/TabBar.h"
#include "editor/shell/MainPanel.h"
#include "editor/shell/VantorAudioProcessorEditor.h"
#include "editor/pages/ControlsPage.h"
#include "editor/pages/KeysPage.h"
#include "editor/pages/MixerPage.h"
#include "editor/pages/MultiPage.h"
#include "editor/pages/ProgramPage.h"
#include "plugin/VantorAudioProcessor.h"
#include "support/PluginRig.h"
#include "OpenWindow.h"
#include "WindowMouse.h"

#include <gtest/gtest.h>

#include <functional>

using namespace zd8;
using zd8test::PluginRig;

namespace
{
    struct PagesAboveKeys : zd8test::OpenWindow
    {
        void press (int identifier) { showTab (identifier); }

        /** Where a component of the page is drawn in the window, clipped by its parents
            below the page (a list's rows by the list) but not by the page itself: what
            the page's own edge cuts off counts as lost. */
        juce::Rectangle<int> drawnArea (juce::Component& c, juce::Component& page) const
        {
            auto area = main->getLocalArea (&c, c.getLocalBounds());
            for (auto* p = c.getParentComponent(); p != nullptr && p != &page; p = p->getParentComponent())
                area = area.getIntersection (main->getLocalArea (p, p->getLocalBounds()));
            return area;
        }

        /** The visible control of a page that takes clicks and is drawn lowest. */
        juce::Component* lowestControl (juce::Component& page, juce::Rectangle<int>& drawn) const
        {
            juce::Component* lowest = nullptr;
            std::function<void (juce::Component&)> visit = [&] (juce::Component& parent)
            {
                for (auto* child : parent.getChildren())
                {
                    if (! child->isVisible())
                        continue;
                    bool clicksSelf = false, clicksChildren = false;
                    child->getInterceptsMouseClicks (clicksSelf, clicksChildren);
                    const auto r = drawnArea (*child, page);
                    if (clicksSelf && ! r.isEmpty() && (lowest == nullptr || r.getBottom() > drawn.getBottom()))
                    {
                        lowest = child;
                        drawn = r;
                    }
                    if (clicksChildren)
                        visit (*child);
                }
            };
            visit (page);
            return lowest;
        }
    };
}

TEST_F (PagesAboveKeys, EveryPageIsDrawnWholeAboveThePanelAndItsLowestControlTakesAPressWhereItIsDrawn)
{
    zd8test::WindowMouse mouse (*main);
    const auto fullArea = main->getPageArea();
    auto& keys = main->getKeyboard();

    // The panel at the height it opens with, and pulled up as far as its grip goes.
    for (int gripDrag : { 0, -2000 })
    {
        // The program page comes with the mixer's strip above it.
        for (int tab : { TabBar::mixerTab, TabBar::multiTab, TabBar::controlsTab, TabBar::programTab })
        {
            const auto what = juce::String (tab) + " after a grip drag of " + juce::String (gripDrag);
            press (tab);
            auto* page = shownPage (tab);
            ASSERT_NE (page, nullptr) << what;
            const auto fullSize = page->getBounds();
            juce::Rectangle<int> drawnFull;
            auto* lowestFull = lowestControl (*page, drawnFull);
            ASSERT_NE (lowestFull, nullptr) << what;
            EXPECT_TRUE (fullArea.contains (drawnFull)) << what << ": " << drawnFull.toString();

            press (TabBar::keysTab);
            ASSERT_TRUE (keys.isVisible()) << what;
            if (gripDrag != 0)
            {
                const juce::Point<int> grip (keys.getX() + 120, keys.getY() + 8);
                mouse.drag (grip, { grip.translated (0, gripDrag) });
            }
            const auto area = main->getPageArea();
            ASSERT_EQ (area.getBottom(), keys.getY()) << what;
            ASSERT_LT (area.getHeight(), fullArea.getHeight()) << what;

            // The page keeps its layout and is drawn whole in the shorter area, down to its
            // bottom and centred across it.
            EXPECT_EQ (page->getBounds().getHeight(), fullSize.getHeight()) << what;
            const auto drawnPage = main->getLocalArea (page, page->getLocalBounds());
            EXPECT_TRUE (area.expanded (1).contains (drawnPage)) << what << ": " << drawnPage.toString();
            EXPECT_NEAR (drawnPage.getBottom(), area.getBottom(), 1) << what;
            EXPECT_NEAR (drawnPage.getCentreX(), area.getCentreX(), 1) << what;

            // Its lowest control is the same as at full size, drawn inside the area, and a
            // press at its middle (where it is drawn) reaches it.
            juce::Rectangle<int> drawn;
            auto* lowest = lowestControl (*page, drawn);
            EXPECT_EQ (lowest, lowestFull) << what;
            ASSERT_NE (lowest, nullptr) << what;
            EXPECT_TRUE (area.expanded (1).contains (drawn)) << what << ": " << drawn.toString();
            auto* hit = mouse.target (drawn.getCentre());
            EXPECT_TRUE (hit == lowest || lowest->isParentOf (hit))
                << what << ": a press on " << drawn.toString() << " reaches "
                << (hit != nullptr ? hit->getName() + " " + hit->getBounds().toString() : juce::String ("nothing"));

            // Hidden again, the page is at full size.
            press (TabBar::keysTab);
            ASSERT_FALSE (keys.isVisible()) << what;
            EXPECT_EQ (main->getPageArea(), fullArea) << what;
            EXPECT_EQ (page->getBounds(), fullSize) << what;
            EXPECT_TRUE (page->getTransform().isIdentity()) << what;
            EXPECT_EQ (main->getLocalArea (page, page->getLocalBounds()), fullSize) << what;
        }
    }
}

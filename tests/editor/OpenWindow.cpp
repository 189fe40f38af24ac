#include "OpenWindow.h"

#include "editor/pages/ControlsPage.h"
#include "editor/pages/MixerPage.h"
#include "editor/pages/MultiPage.h"
#include "editor/pages/ProgramPage.h"
#include "editor/shell/TabBar.h"
#include "KitMouse.h"

namespace zd8test
{

void OpenWindow::SetUp()
{
    settleOpening();
    closeFirstAbout();
}

void OpenWindow::settleOpening()
{
    rig.settle (1);   // the window's identity request
    rig.settle();
}

void OpenWindow::closeFirstAbout()
{
    if (main->getAboutPanel() != nullptr)
        showTab (zd8::TabBar::aboutTab);
    main->handleUpdateNowIfNeeded();
}

void OpenWindow::showTab (int identifier)
{
    main->getTabBar().report (identifier);
    main->getTabBar().dispatchPendingMessages();
}

juce::Component* OpenWindow::shownPage (int tab)
{
    switch (tab)
    {
        case zd8::TabBar::multiTab: return main->getMultiPage();
        case zd8::TabBar::controlsTab: return main->getControlsPage();
        case zd8::TabBar::programTab: return main->getProgramPage();
        default: return &main->getMixer();
    }
}

void OpenWindow::reportToHost()
{
    hub.getHostQueueSignal().dispatchPendingMessages();
    rig.timeline.advance (200);
}

void OpenWindow::clickProgramSlot (int channel)
{
    auto& slot = main->getMixer().getStrip (channel).getNameSlot();
    KitMouse (slot).click (5.0f, 5.0f);
    slot.dispatchPendingMessages();
    main->getMixer().dispatchPendingMessages();
    main->handleUpdateNowIfNeeded();
}

} // namespace zd8test

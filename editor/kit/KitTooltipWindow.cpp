#include "editor/kit/KitTooltipWindow.h"

namespace zd8
{

KitTooltipWindow::KitTooltipWindow (juce::Component* parent, int delayMs) : juce::TooltipWindow (parent, delayMs)
{
    setLookAndFeel (&look.get());
}

KitTooltipWindow::~KitTooltipWindow()
{
    // The look goes with this object: nothing may draw with it afterwards.
    setLookAndFeel (nullptr);
}

} // namespace zd8

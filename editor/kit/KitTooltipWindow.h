#pragma once

#include "editor/kit/ZD8LookAndFeel.h"

#include <juce_gui_basics/juce_gui_basics.h>

namespace zd8
{

/** The framework's tooltip window drawn in the editor's look (ZD8LookAndFeel: black,
    white Arial text, a grey rim), whatever look its parent has. Shows the tooltip of
    the control under the pointer after the delay. Message thread only. */
class KitTooltipWindow : public juce::TooltipWindow
{
public:
    KitTooltipWindow (juce::Component* parent, int delayMs);
    ~KitTooltipWindow() override;

private:
    juce::SharedResourcePointer<ZD8LookAndFeel> look;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (KitTooltipWindow)
};

} // namespace zd8

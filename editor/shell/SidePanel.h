#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

namespace zd8
{

/** A wooden side panel of the main window: black, with the "wood_side" picture
    (16x768) stretched over the whole panel. No input. */
class SidePanel : public juce::Component
{
public:
    SidePanel();

    void paint (juce::Graphics&) override;

private:
    juce::Image picture;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (SidePanel)
};

} // namespace zd8

#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

namespace zd8
{

/** A wooden side panel of the main window: black, with the "wood_side" picture
    (16x768) stretched over the whole panel. No input. */
class WoodSide : public juce::Component
{
public:
    WoodSide();

    void paint (juce::Graphics&) override;

private:
    juce::Image picture;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (WoodSide)
};

} // namespace zd8

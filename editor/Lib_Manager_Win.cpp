#include "editor/Lib_Manager_Win.h"

#include "editor/Lib_Manager_Comp.h"

namespace zd8
{

Lib_Manager_Win::Lib_Manager_Win (VantorAudioProcessor& processor)
    : juce::DocumentWindow ("ZD8 Channels Arrangements", juce::Colours::black, 0, false)
{
    setUsingNativeTitleBar (false);
    setTitleBarHeight (0);
    setResizable (false, false);

    content = new Lib_Manager_Comp (processor);
    content->setSize (width, height);
    setContentOwned (content, true);
    // Centred on the screen; without a display (a headless host) it just takes its size.
    if (juce::Desktop::getInstance().getDisplays().getPrimaryDisplay() != nullptr)
        centreWithSize (width, height);
    else
        setSize (width, height);
}

Lib_Manager_Win::~Lib_Manager_Win()
{
    clearContentComponent();
}

void Lib_Manager_Win::present()
{
    if (! isOnDesktop())
        addToDesktop();
    setVisible (true);
    toFront (true);
}

void Lib_Manager_Win::closeButtonPressed()
{
    // No title-bar buttons; the content's own close button reports instead.
    content->windowTool (WinMovCan::closeCode);
}

} // namespace zd8

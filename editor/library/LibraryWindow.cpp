#include "editor/library/LibraryWindow.h"

#include "editor/library/LibraryContent.h"

namespace zd8
{

LibraryWindow::LibraryWindow (EditorConnection& connection)
    : juce::DocumentWindow ("ZD8 Channels Arrangements", juce::Colours::black, 0, false)
{
    setUsingNativeTitleBar (false);
    setTitleBarHeight (0);
    setResizable (false, false);

    content = new LibraryContent (connection);
    content->setSize (width, height);
    setContentOwned (content, true);
    // Centred on the screen; without a display (a headless host) it just takes its size.
    if (juce::Desktop::getInstance().getDisplays().getPrimaryDisplay() != nullptr)
        centreWithSize (width, height);
    else
        setSize (width, height);
}

LibraryWindow::~LibraryWindow()
{
    clearContentComponent();
}

void LibraryWindow::present()
{
    if (! isOnDesktop())
        addToDesktop();
    setVisible (true);
    toFront (true);
    // The keys pressed in the window reach its content (and so the key indicator).
    content->grabKeyboardFocus();
}

void LibraryWindow::closeButtonPressed()
{
    // No title-bar buttons; the content's own close button reports instead.
    content->windowTool (WindowButtons::closeCode);
}

} // namespace zd8

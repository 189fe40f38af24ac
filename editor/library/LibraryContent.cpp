#include "editor/library/LibraryContent.h"

#include "editor/kit/Palette.h"
#include "editor/library/BankPanel.h"
#include "editor/library/LibraryPanel.h"
#include "plugin/EditorConnection.h"

namespace zd8
{

namespace
{
    const juce::Colour headingFill (Palette::libraryContentHeadingFill);
    const juce::Colour bodyFill (Palette::libraryContentBodyFill);
    const juce::Colour headingText (Palette::libraryContentHeadingText);
    const char* const headingPrefix = "ZD8 CHANNELS ARRANGEMENTS: ";
    constexpr int buttonWidth = 100, buttonHeight = 34;
}

LibraryContent::LibraryContent (EditorConnection& c)
    : connection (c), chooser (FileDialogs::systemChooser())
{
    for (auto* b : { &done, &bank, &library })
    {
        b->addListener (this);
        addAndMakeVisible (b);
    }
    closeButton.addListener (this);
    addAndMakeVisible (closeButton);
    keyPlayer.setBounds (getKeyIndicatorArea());
    addAndMakeVisible (keyPlayer);
    // Keys pressed in the window that none of its parts take come here (the window
    // gives the content the focus) and play the key indicator.
    setWantsKeyboardFocus (true);

    setSize (500, 620);
    showBankPanel();
}

LibraryContent::~LibraryContent()
{
    closeButton.removeListener (this);
    // The library panel writes its file as it goes.
    libraryPanel.reset();
    bankPanel.reset();
}

juce::File LibraryContent::getLibraryFile() const
{
    return connection.getDataFolder().getChildFile (LibraryPanel::libraryFileName);
}

void LibraryContent::setChooser (FileDialogs::Chooser newChooser)
{
    chooser = std::move (newChooser);
    if (bankPanel != nullptr)
        bankPanel->setChooser (chooser);
    if (libraryPanel != nullptr)
        libraryPanel->setChooser (chooser);
}

LibraryButton& LibraryContent::getButton (int identifier)
{
    return identifier == doneButton ? done : identifier == bankButton ? bank : library;
}

juce::Rectangle<int> LibraryContent::panelArea() const
{
    return { 0, panelTop, getWidth(), getHeight() - panelHeightLess };
}

void LibraryContent::showBankPanel()
{
    libraryPanel.reset();
    if (bankPanel == nullptr)
    {
        bankPanel = std::make_unique<BankPanel> (connection, chooser);
        addAndMakeVisible (*bankPanel);
    }
    panelName = "PRESET BANK";
    resized();
    repaint();
}

void LibraryContent::showLibraryPanel()
{
    bankPanel.reset();
    if (libraryPanel == nullptr)
    {
        libraryPanel = std::make_unique<LibraryPanel> (connection, getLibraryFile(), chooser);
        addAndMakeVisible (*libraryPanel);
    }
    panelName = "LIBRARY";
    resized();
    repaint();
}

void LibraryContent::paint (juce::Graphics& g)
{
    g.fillAll (bodyFill);
    g.setColour (headingFill);
    g.fillRect (0, 0, getWidth(), headingHeight);
    g.setColour (headingText);
    g.setFont (juce::Font ("Arial", 15.0f, juce::Font::plain));
    g.drawText (headingPrefix + panelName, getHeadingTextArea(), juce::Justification::centred, true);
}

juce::Rectangle<int> LibraryContent::getHeadingTextArea() const noexcept
{
    const int left = getKeyIndicatorArea().getRight() + headingMargin;
    const int right = getWidth() - closeButtonInset - headingMargin;
    return { left, 0, juce::jmax (0, right - left), headingHeight };
}

void LibraryContent::resized()
{
    const auto area = panelArea();
    if (bankPanel != nullptr)
        bankPanel->setBounds (area);
    if (libraryPanel != nullptr)
        libraryPanel->setBounds (area);

    bank.setBounds (20, 22, buttonWidth, buttonHeight);
    library.setBounds (130, 22, buttonWidth, buttonHeight);
    done.setBounds (getWidth() - 120, getHeight() - 40, buttonWidth, buttonHeight);
    closeButton.setBounds (getWidth() - closeButtonInset, 3, 17, 15);

    // The panel buttons reach a little into the panel's top margin: keep them above it.
    for (juce::Component* c : { (juce::Component*) &bank, (juce::Component*) &library, (juce::Component*) &done, (juce::Component*) &closeButton })
        c->toFront (false);
}

bool LibraryContent::keyPressed (const juce::KeyPress& key)
{
    return keyPlayer.keyPressed (key);
}

bool LibraryContent::keyStateChanged (bool isKeyDown)
{
    // With the focus on the indicator itself it has had this change already.
    if (! keyPlayer.hasKeyboardFocus (false))
        keyPlayer.keyStateChanged (isKeyDown);
    return false;
}

void LibraryContent::focusLost (FocusChangeType)
{
    // The window went inactive: the key-ups of held letters will not come here.
    keyPlayer.releaseAll();
}

void LibraryContent::focusOfChildComponentChanged (FocusChangeType)
{
    if (! hasKeyboardFocus (true))
        keyPlayer.releaseAll();
}

void LibraryContent::libButtonPressed (LibraryButton*, int identifier)
{
    switch (identifier)
    {
        case doneButton: report (doneReport); break;
        case bankButton: showBankPanel(); break;
        case libraryButton: showLibraryPanel(); break;
        default: break;
    }
}

void LibraryContent::windowTool (int code)
{
    if (code == WindowButtons::closeCode)
        report (doneReport);
}

void LibraryContent::report (int code)
{
    lastReport = code;
    sendChangeMessage();
}

void LibraryContent::mouseMove (const juce::MouseEvent& e)
{
    setMouseCursor (e.y < headingHeight ? juce::MouseCursor::DraggingHandCursor : juce::MouseCursor::NormalCursor);
}

void LibraryContent::mouseDown (const juce::MouseEvent& e)
{
    dragging = e.y < headingHeight;
    dragStart = e.getScreenPosition();
}

void LibraryContent::mouseDrag (const juce::MouseEvent& e)
{
    if (! dragging)
        return;
    auto* window = findParentComponentOfClass<juce::ResizableWindow>();
    if (window == nullptr)
        return;
    const auto now = e.getScreenPosition();
    window->setTopLeftPosition (window->getPosition() + (now - dragStart));
    dragStart = now;
}

void LibraryContent::mouseUp (const juce::MouseEvent&)
{
    dragging = false;
}

} // namespace zd8

#include "editor/Lib_Manager_Comp.h"

#include "editor/LibClass.h"
#include "editor/Plugin_Bank.h"
#include "plugin/VantorAudioProcessor.h"

namespace zd8
{

namespace
{
    const juce::Colour headingFill (0xff0a0a0a);
    const juce::Colour bodyFill (0xff373535);
    const juce::Colour headingText (0xffede9e9);
    const char* const headingPrefix = "ZD8 CHANNELS ARRANGEMENTS: ";
    constexpr int buttonWidth = 100, buttonHeight = 34;
}

Lib_Manager_Comp::Lib_Manager_Comp (VantorAudioProcessor& p)
    : processor (p), chooser (FileMan::systemChooser())
{
    for (auto* b : { &done, &bank, &library })
    {
        b->addListener (this);
        addAndMakeVisible (b);
    }
    closeButton.addListener (this);
    addAndMakeVisible (closeButton);

    setSize (500, 620);
    showBankPanel();
}

Lib_Manager_Comp::~Lib_Manager_Comp()
{
    closeButton.removeListener (this);
    // The library panel writes its file as it goes.
    libraryPanel.reset();
    bankPanel.reset();
}

juce::File Lib_Manager_Comp::getLibraryFile() const
{
    return processor.getHub().getEnvironment().folder.getChildFile (LibClass::libraryFileName);
}

void Lib_Manager_Comp::setChooser (FileMan::Chooser newChooser)
{
    chooser = std::move (newChooser);
    if (bankPanel != nullptr)
        bankPanel->setChooser (chooser);
    if (libraryPanel != nullptr)
        libraryPanel->setChooser (chooser);
}

LibBut& Lib_Manager_Comp::getButton (int identifier)
{
    return identifier == doneButton ? done : identifier == bankButton ? bank : library;
}

juce::Rectangle<int> Lib_Manager_Comp::panelArea() const
{
    return { 0, panelTop, getWidth(), getHeight() - panelHeightLess };
}

void Lib_Manager_Comp::showBankPanel()
{
    libraryPanel.reset();
    if (bankPanel == nullptr)
    {
        bankPanel = std::make_unique<Plugin_Bank> (processor, chooser);
        addAndMakeVisible (*bankPanel);
    }
    panelName = "PRESET BANK";
    resized();
    repaint();
}

void Lib_Manager_Comp::showLibraryPanel()
{
    bankPanel.reset();
    if (libraryPanel == nullptr)
    {
        libraryPanel = std::make_unique<LibClass> (processor, getLibraryFile(), chooser);
        addAndMakeVisible (*libraryPanel);
    }
    panelName = "LIBRARY";
    resized();
    repaint();
}

void Lib_Manager_Comp::paint (juce::Graphics& g)
{
    g.fillAll (bodyFill);
    g.setColour (headingFill);
    g.fillRect (0, 0, getWidth(), headingHeight);
    g.setColour (headingText);
    g.setFont (juce::Font ("Arial", 15.0f, juce::Font::plain));
    g.drawText (headingPrefix + panelName, 0, 0, getWidth(), headingHeight, juce::Justification::centred, false);
}

void Lib_Manager_Comp::resized()
{
    const auto area = panelArea();
    if (bankPanel != nullptr)
        bankPanel->setBounds (area);
    if (libraryPanel != nullptr)
        libraryPanel->setBounds (area);

    bank.setBounds (20, 22, buttonWidth, buttonHeight);
    library.setBounds (130, 22, buttonWidth, buttonHeight);
    done.setBounds (getWidth() - 120, getHeight() - 40, buttonWidth, buttonHeight);
    closeButton.setBounds (getWidth() - 22, 3, 17, 15);

    // The panel buttons reach a little into the panel's top margin: keep them above it.
    for (juce::Component* c : { (juce::Component*) &bank, (juce::Component*) &library, (juce::Component*) &done, (juce::Component*) &closeButton })
        c->toFront (false);
}

void Lib_Manager_Comp::libButtonPressed (LibBut*, int identifier)
{
    switch (identifier)
    {
        case doneButton: report (doneReport); break;
        case bankButton: showBankPanel(); break;
        case libraryButton: showLibraryPanel(); break;
        default: break;
    }
}

void Lib_Manager_Comp::windowTool (int code)
{
    if (code == WinMovCan::closeCode)
        report (doneReport);
}

void Lib_Manager_Comp::report (int code)
{
    lastReport = code;
    sendChangeMessage();
}

void Lib_Manager_Comp::mouseMove (const juce::MouseEvent& e)
{
    setMouseCursor (e.y < headingHeight ? juce::MouseCursor::DraggingHandCursor : juce::MouseCursor::NormalCursor);
}

void Lib_Manager_Comp::mouseDown (const juce::MouseEvent& e)
{
    dragging = e.y < headingHeight;
    dragStart = e.getScreenPosition();
}

void Lib_Manager_Comp::mouseDrag (const juce::MouseEvent& e)
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

void Lib_Manager_Comp::mouseUp (const juce::MouseEvent&)
{
    dragging = false;
}

} // namespace zd8

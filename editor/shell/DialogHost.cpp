#include "editor/shell/DialogHost.h"

#include "editor/kit/EditEvent.h"
#include "editor/library/LibraryContent.h"
#include "editor/library/LibraryWindow.h"
#include "editor/pages/MidiSetupPanel.h"
#include "editor/shell/AboutPanel.h"
#include "editor/shell/MainPanel.h"
#include "editor/shell/ReceiveDialog.h"
#include "editor/shell/WriteDialog.h"

namespace zd8
{

DialogHost::DialogHost (MainPanel& w, EditorConnection& c) : window (w), connection (c) {}

DialogHost::~DialogHost()
{
    if (setupPanel != nullptr)
    {
        setupPanel->close();
        setupPanel->removeListener (this);
    }
    if (aboutPanel != nullptr)
    {
        aboutPanel->stopTimer();
        aboutPanel->removeChangeListener (this);
    }
    if (receiveDialog != nullptr)
        receiveDialog->removeChangeListener (this);
    if (writeDialog != nullptr)
        writeDialog->onEvent = nullptr;
    if (libraryWindow != nullptr)
        libraryWindow->getContent().removeChangeListener (this);
}

void DialogHost::changeListenerCallback (juce::ChangeBroadcaster* source)
{
    if (aboutPanel != nullptr && source == aboutPanel.get())
    {
        closeAbout();
    }
    else if (receiveDialog != nullptr && source == receiveDialog.get())
    {
        if (receiveDialog->getState() == ReceiveDialog::closeState)
            closeReceiveDialog();
    }
    else if (libraryWindow != nullptr && source == &libraryWindow->getContent())
    {
        if (libraryWindow->getContent().getLastReport() == LibraryContent::doneReport)
            libraryWindow.reset();
    }
}

void DialogHost::layout()
{
    if (setupPanel != nullptr)
        setupPanel->setBounds (window.getLocalBounds());
    if (aboutPanel != nullptr)
        aboutPanel->setBounds (window.getLocalBounds());
    if (receiveDialog != nullptr)
        receiveDialog->setBounds (0, MainPanel::topBarHeight, window.getWidth(), window.getHeight());
    if (writeDialog != nullptr)
        writeDialog->setBounds (window.getPageArea());
}

//==============================================================================
// The MIDI setup panel

void DialogHost::openSetupPanel()
{
    // The panel sends the identity request itself when it opens.
    setupPanel = std::make_unique<MidiSetupPanel> (connection);
    setupPanel->addListener (this);
    setupPanel->setBounds (window.getLocalBounds());
    window.addAndMakeVisible (*setupPanel);
    setupPanel->toFront (true);
}

void DialogHost::closeSetupPanel()
{
    if (setupPanel == nullptr)
        return;
    setupPanel->close();
    setupPanel->removeListener (this);
    setupPanel->setVisible (false);
    window.removeChildComponent (setupPanel.get());
    window.retire (std::move (setupPanel));
}

void DialogHost::setupRequest (int code, int value)
{
    const bool on = value != 0;
    switch (code)
    {
        case MidiSetupPanel::requestThruHostToOut: connection.setThruHostToOut (on); break;
        case MidiSetupPanel::requestClock: connection.setClockOn (on); break;
        case MidiSetupPanel::requestThruInToHost: connection.setThruInToHost (on); break;
        case MidiSetupPanel::requestProgramChangeByAutomation: connection.setProgramChangeByAutomation (on); break;
        case MidiSetupPanel::requestOk: closeSetupPanel(); break;

        case MidiSetupPanel::requestInputPort:
            connection.selectInputPort (value);
            if (setupPanel != nullptr)
                setupPanel->refreshLamps();
            break;

        case MidiSetupPanel::requestOutputPort:
            connection.selectOutputPort (value);
            if (setupPanel != nullptr)
                setupPanel->refreshLamps();
            break;

        case MidiSetupPanel::requestReceiveData:
            closeSetupPanel();
            openReceiveDialog();
            return;

        default:
            return;
    }
    connection.requestIdentity();
}

//==============================================================================
// The About panel

void DialogHost::openAbout (int closingDelayMs)
{
    aboutPanel = std::make_unique<AboutPanel> (closingDelayMs);
    aboutPanel->addChangeListener (this);
    aboutPanel->setBounds (window.getLocalBounds());
    window.addAndMakeVisible (*aboutPanel);
    aboutPanel->toFront (true);
    aboutPanel->enterModalState (false);
}

void DialogHost::closeAbout()
{
    if (aboutPanel == nullptr)
        return;
    aboutPanel->stopTimer();
    aboutPanel->removeChangeListener (this);
    if (aboutPanel->isCurrentlyModal (false))
        aboutPanel->exitModalState (0);
    aboutPanel->setVisible (false);
    window.removeChildComponent (aboutPanel.get());
    window.retire (std::move (aboutPanel));
    window.layoutSidePanels();
}

//==============================================================================
// Receiving and writing

void DialogHost::openReceiveDialog()
{
    if (receiveDialog == nullptr)
    {
        receiveDialog = std::make_unique<ReceiveDialog> (connection);
        receiveDialog->addChangeListener (this);
        window.addAndMakeVisible (*receiveDialog);
    }
    receiveDialog->setBounds (0, MainPanel::topBarHeight, window.getWidth(), window.getHeight());
    receiveDialog->toFront (true);
}

void DialogHost::closeReceiveDialog()
{
    if (receiveDialog == nullptr)
        return;
    receiveDialog->removeChangeListener (this);
    receiveDialog->setVisible (false);
    window.removeChildComponent (receiveDialog.get());
    window.retire (std::move (receiveDialog));
}

void DialogHost::openWriteDialog (int objectType, int channel, int value)
{
    closeWriteDialog();
    writeDialog = std::make_unique<WriteDialog> (connection, objectType, channel, value);
    writeDialog->onEvent = [this] (juce::uint64 event) { writeDialogEvent (event); };
    writeDialog->setBounds (window.getPageArea());
    window.addAndMakeVisible (*writeDialog);
    writeDialog->toFront (true);
    if (aboutPanel != nullptr)
        aboutPanel->toFront (false);
}

void DialogHost::closeWriteDialog()
{
    if (writeDialog == nullptr)
        return;
    writeDialog->onEvent = nullptr;
    writeDialog->setVisible (false);
    window.removeChildComponent (writeDialog.get());
    // The dialog's own button asked: it is deleted after that call has returned.
    window.retire (std::move (writeDialog));
}

void DialogHost::writeDialogEvent (juce::uint64 event)
{
    const int code = EditEvent::code (event);
    if (code != EditEvent::closePage && code != EditEvent::writeDone)
        return;

    const bool multiWritten = code == EditEvent::writeDone && writeDialog != nullptr && writeDialog->isWritingMulti();
    closeWriteDialog();
    if (multiWritten && onMultiWritten)
        onMultiWritten();
}

//==============================================================================
void DialogHost::openLibraryWindow()
{
    if (libraryWindow == nullptr)
    {
        libraryWindow = std::make_unique<LibraryWindow> (connection);
        libraryWindow->getContent().addChangeListener (this);
    }
    libraryWindow->present();
}

} // namespace zd8

#pragma once

#include "editor/pages/MidiSetupPanelListener.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <functional>
#include <memory>

namespace zd8
{

class AboutPanel;
class EditorConnection;
class LibraryWindow;
class MainPanel;
class MidiSetupPanel;
class EditorConnection;
class ReceiveDialog;
class WriteDialog;

/** The panels and dialogs laid over the window: the MIDI setup panel, the About panel,
    the receive and write dialogs, and the library's own desktop window. It opens them,
    carries out what they ask for, and closes them; a panel that asked to be closed
    itself is hidden at once and deleted after its call returned (the window retires
    it). Message thread only. */
class DialogHost : public MidiSetupPanelListener, private juce::ChangeListener
{
public:
    DialogHost (MainPanel& window, EditorConnection& connection);
    ~DialogHost() override;

    MidiSetupPanel* getSetupPanel() noexcept { return setupPanel.get(); }
    AboutPanel* getAboutPanel() noexcept { return aboutPanel.get(); }
    ReceiveDialog* getReceiveDialog() noexcept { return receiveDialog.get(); }
    WriteDialog* getWriteDialog() noexcept { return writeDialog.get(); }
    LibraryWindow* getLibraryWindow() noexcept { return libraryWindow.get(); }

    void openSetupPanel();
    void closeSetupPanel();
    /** closingDelayMs: the panel closes itself after that long; 0 keeps it open. */
    void openAbout (int closingDelayMs);
    void closeAbout();
    /** The receive/transmit dialog ("RECEIVE DATA" in the MIDI setup). */
    void openReceiveDialog();
    void closeReceiveDialog();
    /** The write-sound dialog over the page area for (object type: 138 program, 114 or
        155 multi; the program's channel 0..15; the object number written). */
    void openWriteDialog (int objectType, int channel, int value);
    void closeWriteDialog();
    void openLibraryWindow();

    /** Called after the write dialog wrote a multi and closed. */
    std::function<void()> onMultiWritten;

    // MidiSetupPanelListener: the panel's switches and port choices, then a new
    // identity request; "OK" and "RECEIVE DATA" close it.
    void setupRequest (int code, int value) override;

    /** The open panels to the window's new size. */
    void layout();

private:
    void changeListenerCallback (juce::ChangeBroadcaster* source) override;
    /** The write dialog's events: 13 closes it, 26 closes it and reports a written
        multi. */
    void writeDialogEvent (juce::uint64 event);

    MainPanel& window;
    EditorConnection& connection;

    std::unique_ptr<MidiSetupPanel> setupPanel;
    std::unique_ptr<AboutPanel> aboutPanel;
    std::unique_ptr<ReceiveDialog> receiveDialog;
    std::unique_ptr<WriteDialog> writeDialog;
    std::unique_ptr<LibraryWindow> libraryWindow;

    JUCE_DECLARE_NON_COPYABLE (DialogHost)
};

} // namespace zd8

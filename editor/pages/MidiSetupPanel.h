#pragma once

#include "editor/kit/CheckButton.h"
#include "editor/kit/ZD8LookAndFeel.h"
#include "editor/kit/KitButton.h"
#include "editor/kit/KitLabel.h"
#include "editor/pages/MidiSetupPanelListener.h"
#include "editor/pages/ClockPanel.h"
#include "editor/kit/KitButtonListener.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <mutex>

namespace zd8
{

class EditorConnection;

/** The MIDI setup panel: an overlay over the whole editor with the instrument's input
    and output port lists, their lamps, the four link options, the link status, the
    latency section, "OK" and "RECEIVE DATA". The panel changes nothing itself: it
    sends requests (code, value) to its listeners, the editor's main component, which
    carries them out on the engine and then refreshes the panel.

    The device lists are taken when the panel opens and kept while it is open, so a
    device plugged in meanwhile is listed only after reopening; each box names the
    device that is open, found by its name in those lists.
    Message thread only. */
class MidiSetupPanel : public juce::Component,
                   public KitButtonListener,
                   public juce::ChangeListener
{
public:
    // Requests to the listeners.
    static constexpr int requestThruHostToOut = 202;
    static constexpr int requestOk = 203;
    static constexpr int requestClock = 206;
    static constexpr int requestThruInToHost = 210;
    static constexpr int requestProgramChangeByAutomation = 212;
    static constexpr int requestInputPort = 300;
    static constexpr int requestOutputPort = 302;
    static constexpr int requestReceiveData = 2012;

    // The panel inside the editor.
    static constexpr int panelX = 20;
    static constexpr int panelY = 120;
    static constexpr int panelWidth = 740;
    static constexpr int panelHeight = 260;

    /** Fills the lists, shown entries, lamps, options and latency section from the engine
        and sends the identity request. Size it over the whole editor. */
    explicit MidiSetupPanel (EditorConnection& connection);
    ~MidiSetupPanel() override;

    void addListener (MidiSetupPanelListener* listener);
    void removeListener (MidiSetupPanelListener* listener);

    /** Shows the open ports again (after a choice, or when an identity reply came):
        each box the entry that names its open port ("NONE" when closed or when the
        device was unplugged before the opening), the lamps the open flags. The lists
        stay as they were taken at the opening. */
    void refreshPorts();
    /** Only the lamps, from the port owner's open flags. */
    void refreshLamps();

    void setStatus (const juce::String& text);
    const juce::String& getStatus() const noexcept { return status.getText(); }

    /** Writes the port file; removing and deleting the panel is the owner's work. */
    void close();

    /** What a choice of entry k (0 = "NONE") in the input / output pop-up does: shows
        the entry and sends request 300 / 302 with the number of the device named by
        entry k in the device list of now (k itself while the list is unchanged; 0 for
        "NONE"). A device unplugged since the opening asks nothing. */
    void chooseInput (int k);
    void chooseOutput (int k);

    /** Opens the input (output == false) or output pop-up; false, and nothing shown,
        when the list has fewer than two entries. */
    bool openList (bool output);
    /** The pop-up's contents: one item per entry (item ID k + 1), the shown entry
        ticked; empty when the list has fewer than two entries. */
    juce::PopupMenu makeListMenu (bool output);

    const juce::StringArray& getInputNames() const noexcept { return inputNames; }
    const juce::StringArray& getOutputNames() const noexcept { return outputNames; }
    int getShownInput() const noexcept { return shownInput; }
    int getShownOutput() const noexcept { return shownOutput; }
    bool isInputLampOn() const noexcept { return inputOpen; }
    bool isOutputLampOn() const noexcept { return outputOpen; }

    CheckButton& getClockBox() noexcept { return clockBox; }
    CheckButton& getProgramChangeBox() noexcept { return programChangeBox; }
    CheckButton& getThruHostToOutBox() noexcept { return thruHostToOutBox; }
    CheckButton& getThruInToHostBox() noexcept { return thruInToHostBox; }
    KitButton& getOkButton() noexcept { return okButton; }
    KitButton& getReceiveButton() noexcept { return receiveButton; }
    ClockPanel& getLatency() noexcept { return latency; }

    void paint (juce::Graphics&) override;
    void mouseDown (const juce::MouseEvent&) override;
    /** The veil covers the window except its top bar: the tabs stay pressable, and
        any tab closes the panel. */
    bool hitTest (int x, int y) override;
    static constexpr int topBarHeight = 64;

private:
    void buttonPressed (KitButton* button, int identifier) override;
    void changeListenerCallback (juce::ChangeBroadcaster* source) override;
    void send (int code, int value);
    void takeDeviceLists();
    void choose (int k, bool output);
    void paintPortBox (juce::Graphics& g, int y, const juce::String& name, bool open) const;

    EditorConnection& connection;

    std::mutex listenerLock;
    juce::Array<MidiSetupPanelListener*> listeners;

    KitLabel status;
    ClockPanel latency;
    bool inputOpen = false, outputOpen = false;
    juce::StringArray inputNames, outputNames;
    int shownInput = 0, shownOutput = 0;

    KitButton okButton, receiveButton;
    CheckButton clockBox, programChangeBox, thruHostToOutBox, thruInToHostBox;

    juce::SharedResourcePointer<ZD8LookAndFeel> look;   // the black pop-up menus of the port lists

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (MidiSetupPanel)
};

} // namespace zd8

#pragma once

#include "editor/kit/ZD8LookAndFeel.h"
#include "editor/pages/MultiPageListener.h"
#include "editor/pages/ProgramPageListener.h"
#include "editor/shell/DialogHost.h"
#include "plugin/EditorConnection.h"
#include "editor/shell/PageNavigator.h"
#include "editor/shell/UndoCommands.h"
#include "editor/shell/WindowButtonsListener.h"
#include "plugin/EditorConnection.h"
#include "plugin/StateListener.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <functional>
#include <memory>
#include <vector>

namespace zd8
{

class AboutPanel;
class ControlsPage;
class FxChainSelector;
class ObjectSelector;
class KeysPage;
class LibraryWindow;
class MidiSetupPanel;
class MixerPage;
class MultiPage;
class ParameterTablePage;
class ProgramPage;
class ReceiveDialog;
class SidePanel;
class StatusBar;
class TabBar;
class WriteDialog;

/** Everything inside the plug-in window: the top bar with the page tabs, the footer,
    the side panels, the keyboard panel, and the pages (PageNavigator) and panels
    (DialogHost) over them. It lays them out, carries out the tabs, the keyboard
    panel's controls and the pages' events, and hands the engine's notices to what
    shows them. It reaches the engine only through the EditorConnection: closing the
    window destroys all of this while the engine lives on.

    Message thread only, except stateChanged (any thread, only schedules the drain). */
class MainPanel : public juce::Component,
                  public juce::ChangeListener,
                  public juce::ChangeBroadcaster,
                  public StateListener,
                  public WindowButtonsListener,
                  public ProgramPageListener,
                  public MultiPageListener,
                  public juce::Timer,
                  public juce::AsyncUpdater,
                  private EditorConnection::SlotListener
{
public:
    static constexpr int defaultWidth = 1028;
    static constexpr int defaultHeight = 730;
    static constexpr int topBarHeight = 64;
    static constexpr int sideWidth = 16;
    static constexpr int footerHeight = 20;
    static constexpr int footerGap = 4;   // under the status line
    static constexpr int keyboardHeight = 172;
    static constexpr int mixerStripHeight = 62;
    static constexpr int firstAboutDelayMs = 2000;
    static constexpr int playingModeCheckMs = 25;

    explicit MainPanel (EditorConnection& connection);
    ~MainPanel() override;

    PageNavigator& getPages() noexcept { return pages; }
    DialogHost& getDialogs() noexcept { return dialogs; }

    //==============================================================================
    // What the window shows (for the editor and the tests).
    TabBar& getTabBar() noexcept { return *tabBar; }
    StatusBar& getFooter() noexcept { return *footer; }
    KeysPage& getKeyboard() noexcept { return *keyboard; }
    MixerPage& getMixer() noexcept { return pages.getMixer(); }
    ProgramPage* getProgramPage() noexcept { return pages.getProgramPage(); }
    ParameterTablePage* getParameterTable() noexcept { return pages.getParameterTable(); }
    ControlsPage* getControlsPage() noexcept { return pages.getControlsPage(); }
    MultiPage* getMultiPage() noexcept { return pages.getMultiPage(); }
    ObjectSelector* getSelector (int objectType) noexcept { return pages.getSelector (objectType); }
    FxChainSelector* getFxChainSelector() noexcept { return pages.getFxChainSelector(); }
    MidiSetupPanel* getSetupPanel() noexcept { return dialogs.getSetupPanel(); }
    AboutPanel* getAboutPanel() noexcept { return dialogs.getAboutPanel(); }
    /** The receive dialog while it is open, else null. */
    ReceiveDialog* getReceiveDialog() noexcept { return dialogs.getReceiveDialog(); }
    /** The write-sound dialog while it is open, else null. */
    WriteDialog* getWriteDialog() noexcept { return dialogs.getWriteDialog(); }
    LibraryWindow* getLibraryWindow() noexcept { return dialogs.getLibraryWindow(); }

    bool isMixerShown() const noexcept { return pages.isShown (Page::mixer); }
    /** The mixer shows only its top row, above the program page (program mode). */
    bool isMixerStrip() const noexcept { return pages.isMixerStrip(); }
    bool isProgramPageShown() const noexcept { return pages.isShown (Page::program); }
    bool isParameterTableShown() const noexcept { return pages.isShown (Page::parameterTable); }
    bool isControlsPageShown() const noexcept { return pages.isShown (Page::controls); }
    bool isMultiPageShown() const noexcept { return pages.isShown (Page::multi); }
    bool isSelectorShown (int objectType) const noexcept { return pages.isSelectorShown (objectType); }
    bool isKeyboardShown() const;
    /** Playing mode (1 program, 2 multi) the window last set. */
    int getWindowMode() const noexcept { return windowMode; }

    juce::Rectangle<int> getPageArea() const noexcept { return pages.getPageArea(); }
    /** Where the pages end: on the keyboard panel's top while it is shown, otherwise
        above the status line. */
    int getPageBottom() const noexcept;
    /** The status line's top edge. */
    int getFooterTop() const noexcept;
    juce::Rectangle<int> getSelectorArea() const noexcept { return pages.getSelectorArea(); }

    //==============================================================================
    /** Hides every page, then shows the mixer page. */
    void showMixerPage() { pages.showMixerPage(); }
    /** Shows the program page for channel 0..15 with that program. */
    void showProgramPage (int channel, int program) { pages.showProgramPage (channel, program); }
    void openObjectSelector (int objectType, int channel, int currentObject)
    {
        pages.openObjectSelector (objectType, channel, currentObject);
    }
    void openFxChainSelector (int channel, int type) { pages.openFxChainSelector (channel, type); }
    void openWriteDialog (int objectType, int channel, int value) { dialogs.openWriteDialog (objectType, channel, value); }
    /** What the MIDI setup panel asks for, carried out as when the panel asks. */
    void setupRequest (int code, int value) { dialogs.setupRequest (code, value); }

    //==============================================================================
    /** Takes the engine's notices and hands them to what shows them, then has the
        connection deliver the slot changes pending; the asynchronous update calls it
        after the engine's listener call. */
    void drainNotices();

    /** Called with every batch of notices the drain takes, before it is handled (tests
        count and check the words). */
    void setDrainObserver (std::function<void (const std::vector<juce::uint32>&)> observer)
    {
        drainObserver = std::move (observer);
    }

    //==============================================================================
    // For the page navigator and the dialog host.
    /** The keyboard panel stays in front of whatever page comes. */
    void keepKeyboardInFront();
    /** Ends every note the window's keys started (the on-screen keys and the
        computer-keyboard player) and the mouse gesture on the keys; the page changed,
        the window lost the focus or is closing. */
    void releaseHeldNotes();
    /** The keyboard panel, then the About panel, in front of a page just shown. */
    void keepOverlaysInFront();
    /** A panel that asked to be closed is hidden at once and deleted after its own
        call has returned (the next asynchronous update). */
    void retire (std::unique_ptr<juce::Component> component);
    /** The side panels go under the About panel only once it has closed. */
    void layoutSidePanels();

    //==============================================================================
    void paint (juce::Graphics&) override;
    void resized() override;
    void focusOfChildComponentChanged (FocusChangeType) override;
    /** Ctrl+Z, Ctrl+Shift+Z and Ctrl+Y that no component inside took. */
    bool keyPressed (const juce::KeyPress&) override;
    void parentHierarchyChanged() override;

    // ChangeListener: the top bar, the mixer page, the parameter table, the keyboard
    // panel's controls.
    void changeListenerCallback (juce::ChangeBroadcaster* source) override;
    // StateListener: any thread; schedules the drain.
    void stateChanged (int code) override;
    // WindowButtonsListener: the window buttons have nothing to do inside a host.
    void windowTool (int code) override;
    // ProgramPageListener
    void programPageEvent (juce::uint64 event) override;
    // MultiPageListener
    void multiPageEvent (juce::uint64 event) override;
    /** The 25 ms check after a "Playing Mode" change (one shot). */
    void timerCallback() override;
    void handleAsyncUpdate() override;

private:
    void handleNotice (juce::uint32 notice);
    /** The playing-mode slot (the pages follow their own slots). */
    void slotChanged (int slot, int value) override;

    void dispatchTab (int identifier);
    void selectPlayingMode (int mode);
    /** The tabs and pages of a playing mode, as a press on its tab shows them. */
    void showPlayingMode (int mode);
    void showPlayingModeTab();
    void toggleKeyboard();
    /** The keyboard panel on the status line, at its height within the room there is. */
    void placeKeyboard();
    /** The keyboard panel's wheels, velocity setter and octave strip. */
    void keyboardEvent (juce::ChangeBroadcaster* source);

    void mixerEvents();
    void openProgramPageFromMixer (int channel);
    /** The table's events: 13 closes it, 20 and 21 close it and open the write dialog. */
    void parameterTableEvents();

    EditorConnection& connection;
    juce::SharedResourcePointer<ZD8LookAndFeel> look;
    juce::Image logo;

    std::unique_ptr<SidePanel> leftSide, rightSide;
    std::unique_ptr<KeysPage> keyboard;
    std::unique_ptr<TabBar> tabBar;
    std::unique_ptr<StatusBar> footer;
    PageNavigator pages { *this, connection };
    DialogHost dialogs { *this, connection };
    // An undo or redo of a playing-mode switch: the tabs and pages follow as for a press.
    UndoCommands undoCommands { connection, pages, [this] {
        if (pages.playingModeNow() != windowMode)
            showPlayingMode (pages.playingModeNow());
    } };
    std::vector<std::unique_ptr<juce::Component>> retired;

    int windowMode = 1;
    int pendingSlot = -1;
    bool constructed = false;

    std::vector<juce::uint32> noticeScratch;
    std::function<void (const std::vector<juce::uint32>&)> drainObserver;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (MainPanel)
};

} // namespace zd8

#pragma once

#include "editor/kit/ZD8LookAndFeel.h"
#include "editor/pages/MidiSetupPanelListener.h"
#include "editor/pages/ProgramPageListener.h"
#include "editor/pages/MultiPageListener.h"
#include "editor/kit/KitButtonListener.h"
#include "editor/shell/WindowButtonsListener.h"
#include "plugin/StateListener.h"

#include <juce_audio_processors/juce_audio_processors.h>

#include <array>
#include <functional>
#include <memory>
#include <vector>

namespace zd8
{

class AboutPanel;
class TabBar;
class StatusBar;
class MixerPage;
class FxChainSelector;
class KeysPage;
class KeymapSelector;
class LibraryWindow;
class MidiSetupPanel;
class ControllerState;
class ProgramPage;
class ReceiveDialog;
class MultiPage;
class VantorAudioProcessor;
class ParameterTablePage;
class SidePanel;
class WriteDialog;
class ControlsPage;

/** Everything inside the plug-in window: the top bar with the page tabs, the footer,
    the side panels, the keyboard panel and the pages. It switches pages, carries the
    hub's notices to them and carries out what the pages and panels ask for. It owns
    the pages but never the hub's state: closing the window destroys all of this while
    the hub, the bank and the instrument image live on.

    Message thread only, except stateChanged (any thread, only schedules the drain). */
class MainPanel : public juce::AudioProcessorEditor,
                 public juce::ChangeListener,
                 public KitButtonListener,
                 public juce::ChangeBroadcaster,
                 public StateListener,
                 public MidiSetupPanelListener,
                 public WindowButtonsListener,
                 public ProgramPageListener,
                 public MultiPageListener,
                 public juce::Timer,
                 public juce::AsyncUpdater
{
public:
    static constexpr int defaultWidth = 1028;
    static constexpr int defaultHeight = 730;
    static constexpr int topBarHeight = 64;
    static constexpr int sideWidth = 16;
    static constexpr int footerHeight = 20;
    static constexpr int keyboardHeight = 172;
    static constexpr int mixerStripHeight = 62;
    static constexpr int firstAboutDelayMs = 2000;
    static constexpr int playingModeCheckMs = 25;

    explicit MainPanel (VantorAudioProcessor& processor);
    ~MainPanel() override;

    //==============================================================================
    // What the window shows (for the editor and the tests).
    TabBar& getTabBar() noexcept { return *tabBar; }
    StatusBar& getFooter() noexcept { return *footer; }
    KeysPage& getKeyboard() noexcept { return *keyboard; }
    MixerPage& getMixer() noexcept { return *mixer; }
    ProgramPage* getProgramPage() noexcept { return programPage.get(); }
    ParameterTablePage* getParameterTable() noexcept { return parameterTable.get(); }
    ControlsPage* getControlsPage() noexcept { return controlsPage.get(); }
    MultiPage* getMultiPage() noexcept { return multiPage.get(); }
    MidiSetupPanel* getSetupPanel() noexcept { return setupPanel.get(); }
    AboutPanel* getAboutPanel() noexcept { return aboutPanel.get(); }
    /** The receive dialog while it is open, else null. */
    ReceiveDialog* getReceiveDialog() noexcept { return receiveDialog.get(); }
    /** The write-sound dialog while it is open, else null. */
    WriteDialog* getWriteDialog() noexcept { return writeDialog.get(); }
    LibraryWindow* getLibraryWindow() noexcept { return libraryWindow.get(); }

    bool isMixerShown() const noexcept { return mixerShown; }
    /** The mixer shows only its top row, above the program page (program mode). */
    bool isMixerStrip() const noexcept { return mixerShown && mixerAsStrip; }
    bool isProgramPageShown() const noexcept { return programShown; }
    bool isParameterTableShown() const noexcept { return parameterTableShown; }
    bool isControlsPageShown() const noexcept { return controlsShown; }
    bool isMultiPageShown() const noexcept { return multiShown; }
    bool isKeyboardShown() const;
    /** Playing mode (1 program, 2 multi) the window last set. */
    int getWindowMode() const noexcept { return windowMode; }

    juce::Rectangle<int> getPageArea() const noexcept;
    juce::Rectangle<int> getSelectorArea() const noexcept;

    /** Takes the hub's notices and parameter changes and hands them to the pages; the
        asynchronous update calls it after the hub's listener call. */
    void drainNotices();

    /** Called with every batch the drain takes, before it is handled (tests count and
        check the words). */
    void setDrainObserver (std::function<void (const std::vector<juce::uint32>&, const std::vector<juce::uint64>&)> observer)
    {
        drainObserver = std::move (observer);
    }

    /** Hides every page, then shows the mixer page. */
    void showMixerPage();
    /** Shows the program page for channel 0..15 with that program. */
    void showProgramPage (int channel, int program);

    /** Hides every page and opens the selector of an object type (149 algorithm, 133
        keymap, 103 intonation table, 163 shift pattern, 164 velocity pattern, 112 song)
        for channel 0..15, with currentObject selected in its list (a code 14 from the
        list, no code 7). Any other type opens nothing. */
    void openObjectSelector (int objectType, int channel, int currentObject);
    /** Hides every page and opens the FX chain selector for a channel's insert (0),
        Aux 1 (3) or Aux 2 (6) chain, created anew, with the slot's chain selected. */
    void openFxChainSelector (int channel, int type);
    /** The selector of an object type once it was opened, else nullptr. */
    KeymapSelector* getSelector (int objectType) noexcept;
    bool isSelectorShown (int objectType) const noexcept;
    FxChainSelector* getFxChainSelector() noexcept { return fxChainSelector.get(); }
    /** The write-sound dialog over the page area for (object type: 138 program, 114 or
        155 multi; the program's channel 0..15; the object number written). */
    void openWriteDialog (int objectType, int channel, int value);

    //==============================================================================
    void paint (juce::Graphics&) override;
    void resized() override;

    // ChangeListener: the top bar, the mixer page and the About panel.
    void changeListenerCallback (juce::ChangeBroadcaster* source) override;
    // KitButtonListener: the window's own buttons report through the top bar.
    void buttonPressed (KitButton* button, int identifier) override;
    // StateListener: any thread; schedules the drain.
    void stateChanged (int code) override;
    // MidiSetupPanelListener
    void setupRequest (int code, int value) override;
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
    ControllerState& hub() const noexcept;
    int playingModeNow() const noexcept;
    int programOfChannel (int channel) const noexcept;

    void handleNotice (juce::uint32 notice);
    void handleSlotNotice (juce::uint64 notice);

    void dispatchTab (int identifier);
    void selectPlayingMode (int mode);
    void showPlayingModeTab();
    void toggleKeyboard();
    /** The keyboard panel's wheels, velocity setter and octave strip. */
    void keyboardEvent (juce::ChangeBroadcaster* source);

    void hideAllPages();
    void hideMixer();
    void hideProgramPage();
    void showMixerAt (juce::Rectangle<int> area, bool asStrip);
    void mixerEvents();
    void openProgramPageFromMixer (int channel);

    // The template selectors, in the order in which hiding all pages hides them (the
    // FX chain selector goes between the first two).
    enum SelectorIndex : size_t
    {
        algorithmSelector,
        keymapSelector,
        intonationSelector,
        shiftSelector,
        velocitySelector,
        songSelector,
        selectorCount
    };
    /** The index of an object type's selector, or selectorCount. */
    static size_t selectorIndexOf (int objectType) noexcept;
    /** Opens selector index in the selector area without hiding anything. */
    void showSelector (size_t index, int channel, int currentObject);
    /** Hides a shown selector (the song selector keeps its place), then shows the page
        of the previous page code again. */
    void hideSelector (size_t index);
    /** Destroys the FX chain selector, then shows the page of the previous page code. */
    void hideFxChainSelector();
    void selectorEvents (KeymapSelector& selector);
    void fxChainSelectorEvents();
    /** Shows again the page with that page code ("q" mixer, "z" program, "o" controls,
        "{" multi, a template selector's code); other codes show nothing. */
    void showPageOfCode (char code);
    juce::Rectangle<int> getFxChainSelectorArea() const noexcept;

    void openSetupPanel();
    void closeSetupPanel();
    void openAbout (int closingDelayMs);
    void closeAbout();
    void layoutSidePanels();
    /** A panel that asked to be closed is hidden at once and deleted after its own
        call has returned (the next asynchronous update). */
    void retire (std::unique_ptr<juce::Component> component);

    // Places for what later pages bring; each does nothing until its page exists.
    /** The receive/transmit dialog opens here ("RECEIVE DATA" in the MIDI setup). */
    void openReceiveDialog();
    bool isReceiveDialogOpen() const noexcept { return receiveDialog != nullptr; }
    void closeReceiveDialog();
    /** The write dialog's events: 13 closes it, 26 closes it and shows multi mode
        after a multi was written. */
    void writeDialogEvent (juce::uint64 event);
    void closeWriteDialog();
    /** The multi page in the page area, created on first use, showing the selected
        multi. */
    void showMultiPage();
    void hideMultiPage();
    /** Shows the selected multi again (the write dialog calls it after writing a multi). */
    void refreshMultiPage();
    /** Hides every page, then shows the controls page (created on first use). */
    void showControlsPage();
    void hideControlsPage();
    /** The library window (the menu button). */
    void openLibraryWindow();
    /** The virtual parameter table for a channel (program page code 16): every page
        is hidden and the table takes the page area. */
    void openParameterTable (int channel);
    void hideParameterTable();
    /** The table's events: 13 closes it, 20 and 21 close it and open the write dialog. */
    void parameterTableEvents();
    /** The selector of an object type for a channel (mixer channel events whose
        sub-kind is neither the program nor an effect field). */
    void openSelectorForChannel (int objectType, int channel, int currentObject);

    VantorAudioProcessor& processor;
    juce::SharedResourcePointer<ZD8LookAndFeel> look;
    juce::Image logo;

    std::unique_ptr<SidePanel> leftSide, rightSide;
    std::unique_ptr<KeysPage> keyboard;
    std::unique_ptr<TabBar> tabBar;
    std::unique_ptr<StatusBar> footer;

    std::unique_ptr<MixerPage> mixer;
    bool mixerShown = false, mixerAsStrip = false;
    std::unique_ptr<ProgramPage> programPage;
    bool programShown = false;
    std::array<std::unique_ptr<KeymapSelector>, selectorCount> selectors;
    std::array<bool, selectorCount> selectorShown {};
    std::unique_ptr<FxChainSelector> fxChainSelector;
    std::unique_ptr<ParameterTablePage> parameterTable;
    bool parameterTableShown = false;
    std::unique_ptr<ControlsPage> controlsPage;
    bool controlsShown = false;
    std::unique_ptr<MultiPage> multiPage;
    bool multiShown = false;
    std::unique_ptr<MidiSetupPanel> setupPanel;
    std::unique_ptr<AboutPanel> aboutPanel;
    std::unique_ptr<ReceiveDialog> receiveDialog;
    std::unique_ptr<WriteDialog> writeDialog;
    std::unique_ptr<LibraryWindow> libraryWindow;
    std::vector<std::unique_ptr<juce::Component>> retired;

    int windowMode = 1;
    int pendingSlot = -1;
    bool constructed = false;

    std::vector<juce::uint32> noticeScratch;
    std::vector<juce::uint64> slotScratch;
    std::function<void (const std::vector<juce::uint32>&, const std::vector<juce::uint64>&)> drainObserver;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (MainPanel)
};

} // namespace zd8

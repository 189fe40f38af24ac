#pragma once

#include "editor/FileMan.h"
#include "editor/LibBut.h"
#include "editor/WinMovCan.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <memory>

namespace zd8
{

class LibClass;
class Plugin_Bank;
class VantorAudioProcessor;

/** Content of the library window: a heading strip that drags the window, the buttons
    "PRESET BANK" and "LIBRARY" that switch between the two panels (the panel left is
    destroyed, so the library file is written every time the library panel is left),
    "DONE" and the close button, which both report 1113 through the change message
    (the main window then destroys the library window). Message thread only. */
class Lib_Manager_Comp : public juce::Component,
                         public LibButListener,
                         public juce::ChangeBroadcaster,
                         public winToolListener
{
public:
    static constexpr int doneButton = 1201;
    static constexpr int bankButton = 1218;
    static constexpr int libraryButton = 1217;
    static constexpr int doneReport = 1113;

    static constexpr int headingHeight = 20;
    static constexpr int panelTop = 50;
    static constexpr int panelHeightLess = 92;

    explicit Lib_Manager_Comp (VantorAudioProcessor& processor);
    ~Lib_Manager_Comp() override;

    /** The file dialogs of both panels (tests put in one that answers at once). */
    void setChooser (FileMan::Chooser newChooser);

    void showBankPanel();
    void showLibraryPanel();

    Plugin_Bank* getBankPanel() noexcept { return bankPanel.get(); }
    LibClass* getLibraryPanel() noexcept { return libraryPanel.get(); }
    const juce::String& getPanelName() const noexcept { return panelName; }
    /** What the last change message reported (1113 when done). */
    int getLastReport() const noexcept { return lastReport; }
    LibBut& getButton (int identifier);
    WinMovCan& getCloseButton() noexcept { return closeButton; }

    juce::File getLibraryFile() const;

    void paint (juce::Graphics&) override;
    void resized() override;
    void mouseMove (const juce::MouseEvent&) override;
    void mouseDown (const juce::MouseEvent&) override;
    void mouseDrag (const juce::MouseEvent&) override;
    void mouseUp (const juce::MouseEvent&) override;

    void libButtonPressed (LibBut* button, int identifier) override;
    void windowTool (int code) override;

private:
    void report (int code);
    juce::Rectangle<int> panelArea() const;

    VantorAudioProcessor& processor;
    FileMan::Chooser chooser;
    juce::String panelName;
    std::unique_ptr<Plugin_Bank> bankPanel;
    std::unique_ptr<LibClass> libraryPanel;
    LibBut done { "DONE", doneButton }, bank { "PRESET BANK", bankButton }, library { "LIBRARY", libraryButton };
    WinMovCan closeButton { true };
    int lastReport = 0;
    bool dragging = false;
    juce::Point<int> dragStart;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (Lib_Manager_Comp)
};

} // namespace zd8

#pragma once

#include "editor/shell/FileDialogs.h"
#include "editor/library/LibraryButton.h"
#include "editor/shell/ComputerKeyboardPlayer.h"
#include "editor/shell/WindowButtons.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <memory>

namespace zd8
{

class LibraryPanel;
class BankPanel;
class EditorConnection;

/** Content of the library window: a heading strip that drags the window, the buttons
    "PRESET BANK" and "LIBRARY" that switch between the two panels (the panel left is
    destroyed, so the library file is written every time the library panel is left),
    "DONE" and the close button, which both report 1113 through the change message
    (the main window then destroys the library window), and the computer-keyboard
    player's strip in the heading, which plays the keys pressed in the window that no
    part of it takes (a name being typed keeps its letters). Message thread only. */
class LibraryContent : public juce::Component,
                         public LibraryButtonListener,
                         public juce::ChangeBroadcaster,
                         public WindowButtonsListener
{
public:
    static constexpr int doneButton = 1201;
    static constexpr int bankButton = 1218;
    static constexpr int libraryButton = 1217;
    static constexpr int doneReport = 1113;

    static constexpr int headingHeight = 20;
    static constexpr int closeButtonInset = 22; // the close button's left edge, from the right
    static constexpr int headingMargin = 8;
    static constexpr int panelTop = 50;
    static constexpr int panelHeightLess = 92;
    static juce::Rectangle<int> getKeyIndicatorArea() noexcept { return { 100, 4, 200, 20 }; }
    /** Where the heading's text is centred: between the key indicator and the close
        button, which share the heading strip with it. */
    juce::Rectangle<int> getHeadingTextArea() const noexcept;

    explicit LibraryContent (EditorConnection& connection);
    ~LibraryContent() override;

    /** The file dialogs of both panels (tests put in one that answers at once). */
    void setChooser (FileDialogs::Chooser newChooser);

    void showBankPanel();
    void showLibraryPanel();

    BankPanel* getBankPanel() noexcept { return bankPanel.get(); }
    LibraryPanel* getLibraryPanel() noexcept { return libraryPanel.get(); }
    const juce::String& getPanelName() const noexcept { return panelName; }
    /** What the last change message reported (1113 when done). */
    int getLastReport() const noexcept { return lastReport; }
    LibraryButton& getButton (int identifier);
    WindowButtons& getCloseButton() noexcept { return closeButton; }
    ComputerKeyboardPlayer& getKeyPlayer() noexcept { return keyPlayer; }

    juce::File getLibraryFile() const;

    void paint (juce::Graphics&) override;
    void resized() override;
    void mouseMove (const juce::MouseEvent&) override;
    void mouseDown (const juce::MouseEvent&) override;
    void mouseDrag (const juce::MouseEvent&) override;
    void mouseUp (const juce::MouseEvent&) override;
    bool keyPressed (const juce::KeyPress&) override;
    bool keyStateChanged (bool isKeyDown) override;
    void focusLost (FocusChangeType) override;
    void focusOfChildComponentChanged (FocusChangeType) override;

    void libButtonPressed (LibraryButton* button, int identifier) override;
    void windowTool (int code) override;

private:
    void report (int code);
    juce::Rectangle<int> panelArea() const;

    EditorConnection& connection;
    FileDialogs::Chooser chooser;
    juce::String panelName;
    std::unique_ptr<BankPanel> bankPanel;
    std::unique_ptr<LibraryPanel> libraryPanel;
    LibraryButton done { "DONE", doneButton }, bank { "PRESET BANK", bankButton }, library { "LIBRARY", libraryButton };
    WindowButtons closeButton { true };
    ComputerKeyboardPlayer keyPlayer { connection };
    int lastReport = 0;
    bool dragging = false;
    juce::Point<int> dragStart;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (LibraryContent)
};

} // namespace zd8

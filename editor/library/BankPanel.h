#pragma once

#include "editor/shell/FileDialogs.h"
#include "editor/library/LibraryButton.h"
#include "editor/library/ArrangementPreview.h"
#include "editor/kit/NameList.h"
#include "editor/kit/TextEntryOverlay.h"

#include <map>
#include <memory>

namespace zd8
{

class EditorConnection;

/** The preset bank panel of the library window: the 64 slots of the bank (the host's
    program list) with a preview, loading and saving the bank (.fxb) and single slots
    (.fxp), storing the live Arrangement into a slot, renaming and applying a slot.
    The bank is edited in place; it is saved with the host state, so nothing here needs
    saving on the way out. Message thread only. */
class BankPanel : public juce::Component,
                    private LibraryButtonListener,
                    private TextEntryListener
{
public:
    static constexpr int loadBankButton = 1211;
    static constexpr int saveBankButton = 1209;
    static constexpr int loadPresetButton = 1222;
    static constexpr int savePresetButton = 1220;
    static constexpr int setCurrentButton = 1216;
    static constexpr int renameButton = 1203;
    static constexpr int applyButton = 1206;

    static constexpr int previewWidth = 340;
    static constexpr const char* untitled = "Untitled";

    explicit BankPanel (EditorConnection& connection, FileDialogs::Chooser chooser = FileDialogs::systemChooser());
    ~BankPanel() override;

    void setChooser (FileDialogs::Chooser newChooser) { chooser = std::move (newChooser); }

    NameList& getList() noexcept { return list; }
    ArrangementPreview& getPreview() noexcept { return preview; }
    /** The question overlay, once a question was asked. */
    TextEntryOverlay* getOverlay() noexcept { return overlay.get(); }
    LibraryButton& getButton (int identifier) { return *buttons.at (identifier); }
    bool isModified() const noexcept { return modified; }

    /** Shows the buttons that apply to the current selection and hides the preview. */
    void refreshButtons();

    void resized() override;

private:
    void libButtonPressed (LibraryButton* button, int identifier) override;
    void textAnswer (int question, int button) override;

    void rowSelected();
    void showPreview();
    TextEntryOverlay& ask (int question, const juce::String& title, const juce::String& text);
    /** Starts a file dialog; then runs action with the chosen file. */
    void chooseFile (int mode, int kind, const juce::String& suggested, std::function<void (const juce::File&)> action);
    juce::String shownName (int slot) const;

    EditorConnection& connection;
    FileDialogs::Chooser chooser;
    NameList list;
    ArrangementPreview preview;
    std::map<int, std::unique_ptr<LibraryButton>> buttons;
    std::unique_ptr<TextEntryOverlay> overlay;
    std::unique_ptr<FileDialogs> fileDialogs;
    bool modified = false;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (BankPanel)
};

} // namespace zd8

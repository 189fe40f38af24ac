#pragma once

#include "editor/FileMan.h"
#include "editor/LibBut.h"
#include "editor/LibPreview.h"
#include "editor/StsFile.h"
#include "editor/TextInputCont.h"

#include <map>
#include <memory>

namespace zd8
{

class VantorAudioProcessor;

/** The preset bank panel of the library window: the 64 slots of the bank (the host's
    program list) with a preview, loading and saving the bank (.fxb) and single slots
    (.fxp), storing the live Arrangement into a slot, renaming and applying a slot.
    The bank is edited in place; it is saved with the host state, so nothing here needs
    saving on the way out. Message thread only. */
class Plugin_Bank : public juce::Component,
                    private LibButListener,
                    private textmsgListener
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

    explicit Plugin_Bank (VantorAudioProcessor& processor, FileMan::Chooser chooser = FileMan::systemChooser());
    ~Plugin_Bank() override;

    void setChooser (FileMan::Chooser newChooser) { chooser = std::move (newChooser); }

    StsFile& getList() noexcept { return list; }
    LibPreview& getPreview() noexcept { return preview; }
    /** The question overlay, once a question was asked. */
    TextInputCont* getOverlay() noexcept { return overlay.get(); }
    LibBut& getButton (int identifier) { return *buttons.at (identifier); }
    bool isModified() const noexcept { return modified; }

    /** Shows the buttons that apply to the current selection and hides the preview. */
    void refreshButtons();

    void resized() override;

private:
    void libButtonPressed (LibBut* button, int identifier) override;
    void textAnswer (int question, int button) override;

    void rowSelected();
    void showPreview();
    TextInputCont& ask (int question, const juce::String& title, const juce::String& text);
    /** Starts a file dialog; then runs action with the chosen file. */
    void chooseFile (int mode, int kind, const juce::String& suggested, std::function<void (const juce::File&)> action);
    juce::String shownName (int slot) const;

    VantorAudioProcessor& processor;
    FileMan::Chooser chooser;
    StsFile list;
    LibPreview preview;
    std::map<int, std::unique_ptr<LibBut>> buttons;
    std::unique_ptr<TextInputCont> overlay;
    std::unique_ptr<FileMan> fileMan;
    bool modified = false;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (Plugin_Bank)
};

} // namespace zd8

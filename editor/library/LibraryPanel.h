#pragma once

#include "arrangements/ArrangementLibrary.h"
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

/** The library panel of the library window: a free-length list of named Arrangements
    kept in the library file ("Lib.zd8arrlib" in the plug-in folder), read when the
    panel is created (the three default entries when the file is missing) and written
    when it is destroyed (an empty library is not written, so the file keeps what it
    had). Loading and saving other library files, adding the live Arrangement,
    deleting, renaming and applying entries. Message thread only. */
class LibraryPanel : public juce::Component,
                 private LibraryButtonListener,
                 private TextEntryListener
{
public:
    static constexpr int loadButton = 1211;
    static constexpr int saveButton = 1209;
    static constexpr int clearAllButton = 1205;
    static constexpr int addCurrentButton = 1207;
    static constexpr int deleteButton = 1204;
    static constexpr int renameButton = 1203;
    static constexpr int applyButton = 1206;

    static constexpr int previewWidth = 280;
    static constexpr const char* libraryFileName = "Lib.zd8arrlib";

    LibraryPanel (EditorConnection& connection, const juce::File& libraryFile,
              FileDialogs::Chooser chooser = FileDialogs::systemChooser());
    ~LibraryPanel() override;

    void setChooser (FileDialogs::Chooser newChooser) { chooser = std::move (newChooser); }

    ArrangementLibrary& getLibrary() noexcept { return library; }
    NameList& getList() noexcept { return list; }
    ArrangementPreview& getPreview() noexcept { return preview; }
    TextEntryOverlay* getOverlay() noexcept { return overlay.get(); }
    LibraryButton& getButton (int identifier) { return *buttons.at (identifier); }

    /** Shows the buttons that apply to the library and the selection and hides the
        preview. */
    void refreshButtons();

    void resized() override;

private:
    void libButtonPressed (LibraryButton* button, int identifier) override;
    void textAnswer (int question, int button) override;

    void rowSelected();
    void resetList();
    TextEntryOverlay& ask (int question, const juce::String& title, bool withText, const juce::String& text,
                        const juce::String& noLabel = {}, const juce::String& okLabel = "OK");
    void chooseFile (int mode, int kind, const juce::String& suggested, std::function<void (const juce::File&)> action);
    /** The "Save Arrangements" dialog; then runs next (not when it was cancelled). */
    void saveThen (std::function<void()> next);
    void chooseAndLoad();
    void clearAll();

    EditorConnection& connection;
    juce::File libraryFile;
    FileDialogs::Chooser chooser;
    ArrangementLibrary library;
    NameList list;
    ArrangementPreview preview;
    std::map<int, std::unique_ptr<LibraryButton>> buttons;
    std::unique_ptr<TextEntryOverlay> overlay;
    std::unique_ptr<FileDialogs> fileDialogs;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (LibraryPanel)
};

} // namespace zd8

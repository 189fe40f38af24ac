#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include <functional>

namespace zd8
{

/** Chooses the files of the library window: a fixed table of dialog kinds (title,
    patterns, open or save), the start folder (the user's application data folder) and
    the extension completion on save.

    The dialog itself is asynchronous (modal loops are off in our build) and sits
    behind the Chooser seam: the default shows the framework's file chooser, tests put
    in one that answers at once. The answer arrives on the message thread; a FileDialogs
    destroyed before it arrives drops it. Draws nothing. */
class FileDialogs : public juce::Component
{
public:
    // choose() modes.
    static constexpr int openMode = 98;
    static constexpr int saveMode = 99;

    // Dialog kinds.
    static constexpr int loadArrangement = 8;
    static constexpr int loadArrangements = 9;
    static constexpr int loadArrangementBank = 10;
    static constexpr int loadVstProgram = 11;
    static constexpr int saveArrangement = 108;
    static constexpr int saveArrangements = 109;
    static constexpr int saveArrangementBank = 110;
    static constexpr int saveVstProgram = 111;

    /** What a dialog is asked to show. */
    struct Request
    {
        juce::String title;
        juce::File start;            // folder (open) or folder joined with the suggested name (save)
        juce::String patterns;       // "*.fxb" or "*.fxb;" (open ends with ";")
        bool save = false;           // save: warn before overwriting
    };

    /** Shows a dialog and later calls done with the chosen file, or with File() when
        the user cancelled. May answer before it returns. */
    using Chooser = std::function<void (const Request&, std::function<void (const juce::File&)> done)>;

    /** The framework's file chooser, launched asynchronously. */
    static Chooser systemChooser();

    explicit FileDialogs (Chooser chooser = systemChooser());
    ~FileDialogs() override;

    /** Empties the pattern list, then fills patterns and title from the table; a kind
        outside the table leaves the patterns empty and the title unchanged. */
    void setKind (int kind);

    /** Opens (mode 98) or saves (mode 99) a file of that kind; done(true) once the
        user chose a file, which getFile() then returns; done(false) when cancelled
        (the held file stays). On save a missing extension is completed. */
    void choose (int mode, int kind, const juce::String& suggestedName, std::function<void (bool chosen)> done);

    const juce::String& getTitle() const noexcept { return title; }
    const juce::StringArray& getPatterns() const noexcept { return patterns; }
    const juce::File& getFile() const noexcept { return chosenFile; }

    /** A chosen save file whose extension (with its dot) is shorter than 3 characters
        gets the first pattern's extension appended to its full path. */
    static juce::File completeExtension (const juce::File& chosen, const juce::String& firstPattern);

    /** The folder every dialog starts in. */
    static juce::File startFolder();

private:
    Chooser chooser;
    juce::String title;
    juce::StringArray patterns;
    juce::File chosenFile;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (FileDialogs)
};

} // namespace zd8

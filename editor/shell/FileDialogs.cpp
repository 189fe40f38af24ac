#include "editor/shell/FileDialogs.h"

namespace zd8
{

namespace
{
    struct Kind
    {
        int kind;
        const char* title;
        const char* extension;
    };

    // Every pattern is "*" and one of our file extensions.
    constexpr Kind kinds[] = {
        { FileDialogs::loadArrangement, "Load Arrangement", ".zd8arr" },
        { FileDialogs::loadArrangements, "Load Arrangements", ".zd8arrlib" },
        { FileDialogs::loadArrangementBank, "Load Arrangement Bank", ".fxb" },
        { FileDialogs::loadVstProgram, "Load VST Program", ".fxp" },
        { FileDialogs::saveArrangement, "Save Arrangement", ".zd8arr" },
        { FileDialogs::saveArrangements, "Save Arrangements", ".zd8arrlib" },
        { FileDialogs::saveArrangementBank, "Save Arrangement Bank", ".fxb" },
        { FileDialogs::saveVstProgram, "Save VST Program", ".fxp" },
    };

    // An extension (with its dot) shorter than this is taken as missing.
    constexpr int shortestExtension = 3;
}

FileDialogs::Chooser FileDialogs::systemChooser()
{
    return [] (const Request& request, std::function<void (const juce::File&)> done)
    {
        auto dialog = std::make_shared<juce::FileChooser> (request.title, request.start, request.patterns);
        const int flags = juce::FileBrowserComponent::canSelectFiles
                          | (request.save ? juce::FileBrowserComponent::saveMode | juce::FileBrowserComponent::warnAboutOverwriting
                                          : juce::FileBrowserComponent::openMode);
        dialog->launchAsync (flags, [dialog, done = std::move (done)] (const juce::FileChooser& fc)
        {
            done (fc.getResult());
            // The chooser is still on the stack here; let it go once this call is over.
            juce::MessageManager::callAsync ([dialog] {});
        });
    };
}

FileDialogs::FileDialogs (Chooser c) : chooser (std::move (c))
{
}

FileDialogs::~FileDialogs() = default;

juce::File FileDialogs::startFolder()
{
    return juce::File::getSpecialLocation (juce::File::userApplicationDataDirectory);
}

void FileDialogs::setKind (int kind)
{
    patterns.clear();
    for (const auto& k : kinds)
    {
        if (k.kind == kind)
        {
            title = k.title;
            patterns.add (juce::String ("*") + k.extension);
        }
    }
}

juce::File FileDialogs::completeExtension (const juce::File& chosen, const juce::String& firstPattern)
{
    if (chosen.getFileExtension().length() >= shortestExtension || firstPattern.isEmpty())
        return chosen;
    return juce::File (chosen.getFullPathName() + firstPattern.substring (1));
}

void FileDialogs::choose (int mode, int kind, const juce::String& suggestedName, std::function<void (bool)> done)
{
    setKind (kind);
    const bool save = mode == saveMode;

    Request request;
    request.title = title;
    request.save = save;
    request.patterns = patterns.joinIntoString (";") + (save ? "" : ";");
    request.start = save ? startFolder().getChildFile (suggestedName) : startFolder();

    const auto firstPattern = patterns.isEmpty() ? juce::String() : patterns[0];
    juce::Component::SafePointer<FileDialogs> self (this);
    chooser (request, [self, save, firstPattern, done = std::move (done)] (const juce::File& result)
    {
        if (self == nullptr)
            return;
        const bool chosen = result != juce::File();
        if (chosen)
            self->chosenFile = save ? completeExtension (result, firstPattern) : result;
        if (done)
            done (chosen);
    });
}

} // namespace zd8

// zd8-picgen: draws the editor's pictures (our own vector art) and writes them as PNGs
// into one zip archive that the build embeds.
//
// Usage: zd8-picgen <pictures.zip>
//        zd8-picgen --sheet <contact sheet.png>
//        zd8-picgen --folder <folder>        (every picture as its own PNG)

#include "tools/picgen/PictureGenerator.h"

#include <juce_events/juce_events.h>

#include <cstdio>

int main (int argc, char** argv)
{
    // Fonts and image types need JUCE's GUI-side globals; no window is ever opened.
    juce::ScopedJuceInitialiser_GUI juce;

    const juce::String mode = argc == 3 ? juce::String (argv[1]) : juce::String();
    if (! (argc == 2 || (argc == 3 && (mode == "--sheet" || mode == "--folder"))))
    {
        std::fprintf (stderr, "usage: zd8-picgen <pictures.zip> | --sheet <file.png> | --folder <folder>\n");
        return 2;
    }
    const juce::File target = juce::File::getCurrentWorkingDirectory().getChildFile (argv[argc - 1]);
    const auto error = mode == "--sheet"    ? zd8gen::PictureGenerator::writeContactSheet (target)
                       : mode == "--folder" ? zd8gen::PictureGenerator::writeFolder (target)
                                            : zd8gen::PictureGenerator::writeZip (target);
    if (error.isNotEmpty())
    {
        std::fprintf (stderr, "zd8-picgen: %s\n", error.toRawUTF8());
        if (mode.isEmpty())
            target.deleteFile(); // never leave a partial archive for the build to embed
        return 1;
    }
    std::printf ("zd8-picgen: wrote %s\n", target.getFullPathName().toRawUTF8());
    return 0;
}

#include "model/Categories.h"

namespace zd8
{

namespace
{
    constexpr const char* mainNames[Categories::lastMainCategory + 1] = {
        "-----------", "PIANO", "E. PIANO", "CLAV", "ORGAN", "STRINGS", "PAD", "SYNTH",
        "BRASS / WIND", "ENSEMBLE", "HYBRID", "GUITAR / BASS", "DRUM / PERC", "MISC", "FM",
    };

    // Rows by main category; nullptr where the combination has no name.
    struct SubRow
    {
        int mainCategory;
        const char* names[Categories::lastSubCategory];
    };

    constexpr SubRow subRows[] = {
        { 1, { "German", "Japanese", "Triple", nullptr } },
        { 2, { "77 Rhodes", "73 Rhodes", "Wurly", nullptr } },
        { 3, { "Clavier", "Harpsichord", "Celeste", nullptr } },
        { 4, { "B3", "Farsifa", "Vox", "Pipe" } },
        { 11, { "Acoustic", "Electric", nullptr, nullptr } },
        { 12, { "Drum", "Perc", nullptr, nullptr } },
    };

    constexpr const char* effectNames[Categories::effectCategoryCount + 1] = {
        "------", "Reverb", "Chorus", "Flanger", "Phaser", "Tremolo", "Panner", "Organ", "Delay", "Echo",
        "Distortion", "Compressor", "Enhancer", "Filter", "Drums", "Pitcher", "Guitar", "EQ",
    };
}

juce::String Categories::mainCategoryName (int index)
{
    if (index >= 0 && index <= lastMainCategory)
        return mainNames[index];
    return juce::String (index);
}

juce::String Categories::lcdMainCategoryName (int index)
{
    if (index >= 0 && index <= lastLcdMainCategory)
        return mainNames[index];
    return juce::String (index);
}

juce::String Categories::subCategoryName (int mainCategory, int subCategory)
{
    if (subCategory < 1 || subCategory > lastSubCategory)
        return {};
    for (const auto& row : subRows)
        if (row.mainCategory == mainCategory)
            if (const char* name = row.names[subCategory - 1])
                return name;
    return {};
}

juce::String Categories::effectCategoryName (int index)
{
    if (index >= 0 && index <= effectCategoryCount)
        return effectNames[index];
    if (index > effectCategoryCount && index <= lastBlankEffectCategory)
        return {};
    return juce::String (index);
}

int Categories::effectCategoryIndex (const juce::String& name)
{
    for (int i = 1; i <= effectCategoryCount; ++i)
        if (name == effectNames[i])
            return i;
    return 0;
}

} // namespace zd8

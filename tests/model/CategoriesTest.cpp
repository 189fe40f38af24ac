#include "model/Categories.h"

#include <gtest/gtest.h>

using namespace zd8;

TEST (Categories, MainCategoryTextAndItsLcdCopy)
{
    struct Case { int value; juce::String main, lcd; };
    const std::vector<Case> cases {
        { 0, "-----------", "-----------" },
        { 1, "PIANO", "PIANO" },
        { 8, "BRASS / WIND", "BRASS / WIND" },
        { 11, "GUITAR / BASS", "GUITAR / BASS" },
        { 13, "MISC", "MISC" },
        { 14, "FM", "14" },   // the LCD copy stops at MISC
        { 15, "15", "15" },
        { -1, "-1", "-1" },
        { 255, "255", "255" },
    };
    for (const auto& c : cases)
    {
        EXPECT_EQ (Categories::mainCategoryName (c.value), c.main) << c.value;
        EXPECT_EQ (Categories::lcdMainCategoryName (c.value), c.lcd) << c.value;
    }
}

TEST (Categories, SubCategoryTextDependsOnTheMainCategory)
{
    struct Case { int main, sub; juce::String text; };
    const std::vector<Case> cases {
        { 1, 1, "German" }, { 1, 3, "Triple" }, { 1, 4, "" }, { 1, 0, "" },
        { 2, 1, "77 Rhodes" }, { 2, 3, "Wurly" },
        { 3, 2, "Harpsichord" },
        { 4, 2, "Farsifa" }, { 4, 4, "Pipe" }, { 4, 5, "" },
        { 11, 2, "Electric" }, { 11, 3, "" },
        { 12, 1, "Drum" }, { 12, 2, "Perc" },
        { 5, 1, "" }, { 0, 1, "" }, { 14, 1, "" }, { -1, 1, "" }, { 1, -1, "" },
    };
    for (const auto& c : cases)
        EXPECT_EQ (Categories::subCategoryName (c.main, c.sub), c.text) << c.main << "/" << c.sub;
}

TEST (Categories, EffectCategoryTextAndIndex)
{
    struct Case { int value; juce::String text; };
    const std::vector<Case> cases {
        { 0, "------" }, { 1, "Reverb" }, { 7, "Organ" }, { 9, "Echo" }, { 14, "Drums" },
        { 17, "EQ" }, { 18, "" }, { 19, "" }, { 20, "" }, { 21, "21" }, { -3, "-3" },
    };
    for (const auto& c : cases)
        EXPECT_EQ (Categories::effectCategoryName (c.value), c.text) << c.value;

    for (int i = 1; i <= Categories::effectCategoryCount; ++i)
        EXPECT_EQ (Categories::effectCategoryIndex (Categories::effectCategoryName (i)), i);
    for (auto name : { "------", "", "reverb", "Reverb ", "21" })
        EXPECT_EQ (Categories::effectCategoryIndex (name), 0) << name;
}

#pragma once

#include <juce_core/juce_core.h>

namespace zd8
{

/** The category name tables: the main and sub-category of a program (content bytes 30
    and 31) and the effect categories of the FX chain chooser.

    Pure tables, safe from any thread. */
class Categories
{
public:
    static constexpr int lastMainCategory = 14;    // "FM"
    static constexpr int lastLcdMainCategory = 13; // the LCD element has no "FM"
    static constexpr int lastSubCategory = 4;
    static constexpr int effectCategoryCount = 17; // "Reverb" (1) .. "EQ" (17)
    static constexpr int lastBlankEffectCategory = 20;

    /** Main category text; a value outside 0..14 is shown as its number. */
    static juce::String mainCategoryName (int index);

    /** The LCD display element's copy of the main table: as mainCategoryName, but 14
        is shown as its number. */
    static juce::String lcdMainCategoryName (int index);

    /** Sub-category text of a main category; empty for every combination without a
        name (sub-category 0 included). */
    static juce::String subCategoryName (int mainCategory, int subCategory);

    /** Effect category text: 0 "------", 1..17 the category names, 18..20 empty, any
        other value as its number. */
    static juce::String effectCategoryName (int index);

    /** 1..17 for the exact name of an effect category, else 0. */
    static int effectCategoryIndex (const juce::String& name);
};

} // namespace zd8

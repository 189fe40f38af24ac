#pragma once

#include "tools/picgen/CategoryIcons.h"

#include <juce_graphics/juce_graphics.h>

namespace zd8gen
{

/** The category sheet of the object display (21 x 5 cells of 212 x 103) and the small
    category icons of the library preview (21 x 5 cells of 49 x 24 on a 50 x 25 grid).
    The cells that the display's category table picks carry an icon and the category's
    name; the others are a neutral panel. */
class CategoryPictures
{
public:
    static constexpr int columns = 21, rows = 5;
    static constexpr int cellWidth = 212, cellHeight = 103;
    static constexpr int iconPitchX = 50, iconPitchY = 25, iconWidth = 49, iconHeight = 24;

    struct Cell
    {
        int column, row;
        const char* category;    // main category name
        const char* subCategory; // sub-category name, or empty
        CategoryIcons::Icon icon;
    };

    /** Draws the picture of that name into g (width x height, transparent to start
        with); false when the name is not one of this family's. */
    static bool draw (const juce::String& name, juce::Graphics& g, int width, int height);

private:
    static const Cell* findCell (int column, int row);
    static void sheetCell (juce::Graphics&, juce::Rectangle<float> area, const Cell*);
    static void smallIcon (juce::Graphics&, juce::Rectangle<float> area, const Cell*);
};

} // namespace zd8gen

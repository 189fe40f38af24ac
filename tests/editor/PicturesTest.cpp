#include "editor/kit/PictureCatalogue.h"
#include "editor/kit/Pictures.h"

#include <gtest/gtest.h>

#include <set>

namespace
{
using zd8::Pictures;

int differingPixels (const juce::Image& a, juce::Rectangle<int> ra, const juce::Image& b, juce::Rectangle<int> rb)
{
    int count = 0;
    for (int y = 0; y < ra.getHeight(); ++y)
        for (int x = 0; x < ra.getWidth(); ++x)
            if (a.getPixelAt (ra.getX() + x, ra.getY() + y).getARGB() != b.getPixelAt (rb.getX() + x, rb.getY() + y).getARGB())
                ++count;
    return count;
}

int distinctColours (const juce::Image& image, juce::Rectangle<int> area)
{
    std::set<juce::uint32> colours;
    for (int y = area.getY(); y < area.getBottom(); ++y)
        for (int x = area.getX(); x < area.getRight(); ++x)
            colours.insert (image.getPixelAt (x, y).getARGB());
    return (int) colours.size();
}

bool columnTransparent (const juce::Image& image, int x)
{
    for (int y = 0; y < image.getHeight(); ++y)
        if (image.getPixelAt (x, y).getAlpha() != 0)
            return false;
    return true;
}

TEST (Pictures, EveryCatalogueEntryIsEmbeddedAtItsSize)
{
    for (const auto& entry : zd8::pictureCatalogue)
    {
        SCOPED_TRACE (entry.name);
        EXPECT_TRUE (Pictures::isEmbedded (entry.name));
        const auto picture = Pictures::get (entry.name);
        ASSERT_TRUE (picture.isValid());
        EXPECT_EQ (picture.getWidth(), entry.width);
        EXPECT_EQ (picture.getHeight(), entry.height);
        // The grey placeholder is one flat colour; every drawing has some shape.
        EXPECT_GT (distinctColours (picture, picture.getBounds()), 2);
    }
}

TEST (Pictures, DecodedOnceAndShared)
{
    const auto first = Pictures::get ("knob_back");
    const auto second = Pictures::get ("knob_back");
    EXPECT_EQ (first.getPixelData(), second.getPixelData());
}

TEST (Pictures, UnknownNameGivesAPlaceholderNotAnInvalidImage)
{
    EXPECT_FALSE (Pictures::isEmbedded ("no_such_picture"));
    const auto picture = Pictures::get ("no_such_picture");
    ASSERT_TRUE (picture.isValid());
    EXPECT_EQ (picture.getPixelAt (0, 0).getARGB(), 0xff404040u);
}

// Frame strips: every step shows a different frame (the control visibly moves), and
// the spacing between frames is transparent, so a widget that cuts out one frame never
// picks up the edge of its neighbour.
struct StripCase
{
    const char* name;
    int frames, frameWidth, pitch;
};

class FrameStrip : public testing::TestWithParam<StripCase>
{
};

TEST_P (FrameStrip, FramesDifferAndGapsAreTransparent)
{
    // Both densities: at double density every frame, pitch and gap is twice as wide.
    for (const int density : { 1, 2 })
    {
        SCOPED_TRACE (density);
        const auto strip = GetParam();
        const auto picture = Pictures::get (strip.name, density);
        const int pitch = strip.pitch * density, frameWidth = strip.frameWidth * density;
        ASSERT_EQ (picture.getWidth(), (strip.frames - 1) * pitch + frameWidth);
        const int height = picture.getHeight();
        for (int f = 0; f + 1 < strip.frames; ++f)
        {
            SCOPED_TRACE (f);
            EXPECT_GT (differingPixels (picture, { f * pitch, 0, frameWidth, height }, picture,
                                        { (f + 1) * pitch, 0, frameWidth, height }),
                       4);
            for (int x = f * pitch + frameWidth; x < (f + 1) * pitch; ++x)
                EXPECT_TRUE (columnTransparent (picture, x)) << "column " << x;
        }
    }
}

INSTANTIATE_TEST_SUITE_P (Pictures, FrameStrip,
                          testing::Values (StripCase { "knob_strip_a", 55, 46, 47 }, StripCase { "knob_strip_b", 55, 46, 47 },
                                           StripCase { "bigknob_0", 9, 100, 101 }, StripCase { "bigknob_3", 9, 100, 101 },
                                           StripCase { "wheel_strip", 35, 65, 68 }),
                          [] (const auto& info) { return std::string (info.param.name); });

TEST (Pictures, KnobVariantsAndFirstAndLastFramesDiffer)
{
    const auto a = Pictures::get ("knob_strip_a"), b = Pictures::get ("knob_strip_b");
    EXPECT_GT (differingPixels (a, { 0, 0, 46, 46 }, a, { 54 * 47, 0, 46, 46 }), 100);
    EXPECT_GT (differingPixels (a, { 27 * 47, 0, 46, 46 }, b, { 27 * 47, 0, 46, 46 }), 20);
}

TEST (Pictures, BigKnobSheetsContinueEachOther)
{
    // The last frame of one sheet and the first of the next are neighbouring positions.
    for (int sheet = 0; sheet < 3; ++sheet)
    {
        const auto current = Pictures::get (("bigknob_" + std::to_string (sheet)).c_str());
        const auto next = Pictures::get (("bigknob_" + std::to_string (sheet + 1)).c_str());
        EXPECT_GT (differingPixels (current, { 8 * 101, 0, 100, 100 }, next, { 0, 0, 100, 100 }), 4) << sheet;
    }
}

// The cells that the object display picks for the categories (and the multi and FX
// chain displays' cell at column 0, row 1) carry a drawing; the others are blank panels.
const std::pair<int, int> usedCells[] = {
    { 0, 0 }, { 0, 1 }, { 1, 0 }, { 1, 1 }, { 1, 2 }, { 1, 3 }, { 2, 0 }, { 2, 1 }, { 2, 2 }, { 2, 3 },
    { 3, 0 }, { 3, 1 }, { 4, 0 }, { 4, 1 }, { 4, 2 }, { 4, 3 }, { 5, 0 }, { 6, 0 }, { 7, 0 }, { 8, 0 },
    { 9, 0 }, { 9, 1 }, { 10, 0 }, { 12, 0 }, { 13, 0 }, { 14, 0 }, { 15, 0 }, { 16, 0 }, { 19, 0 }, { 20, 0 },
};

TEST (Pictures, UsedCategoryCellsCarryADrawing)
{
    struct Sheet
    {
        const char* name;
        int pitchX, pitchY, width, height;
    };
    for (const auto& sheet : { Sheet { "category_sheet", 212, 103, 212, 103 }, Sheet { "category_icons", 50, 25, 49, 24 } })
    {
        SCOPED_TRACE (sheet.name);
        const auto picture = Pictures::get (sheet.name);
        const juce::Rectangle<int> blank (17 * sheet.pitchX, 4 * sheet.pitchY, sheet.width, sheet.height);
        const int cellPixels = sheet.width * sheet.height;
        std::vector<juce::Rectangle<int>> cells;
        for (const auto& [column, row] : usedCells)
        {
            const juce::Rectangle<int> cell (column * sheet.pitchX, row * sheet.pitchY, sheet.width, sheet.height);
            EXPECT_GT (differingPixels (picture, cell, picture, blank), cellPixels / 20) << column << "," << row;
            // No two categories share a picture.
            for (const auto& other : cells)
                EXPECT_GT (differingPixels (picture, cell, picture, other), cellPixels / 50) << column << "," << row;
            cells.push_back (cell);
        }
        // Cells are opaque: the display draws them straight onto its own background.
        EXPECT_EQ (picture.getPixelAt (5 * sheet.pitchX + 3, 2 * sheet.pitchY + 3).getAlpha(), 255);
    }
}

} // namespace

#include "tools/picgen/CategoryPictures.h"

#include "tools/picgen/PictureKit.h"

namespace zd8gen
{

namespace
{
    using K = PictureKit;
    using I = CategoryIcons;

    // The cells the object display picks for each main and sub-category (the display
    // maps the category bytes to these columns and rows); column 0 row 1 is the cell
    // of the multi and FX chain displays.
    constexpr CategoryPictures::Cell usedCells[] = {
        { 0, 0, "NO CATEGORY", "", I::noCategory },
        { 0, 1, "ZD8", "", I::layers },
        { 1, 0, "PIANO", "", I::grandPiano },
        { 1, 1, "PIANO", "Japanese", I::grandSide },
        { 1, 2, "PIANO", "Triple", I::tripleKeys },
        { 1, 3, "PIANO", "", I::uprightPiano },
        { 2, 0, "E. PIANO", "", I::stageEPiano },
        { 2, 1, "E. PIANO", "77 Rhodes", I::tines },
        { 2, 2, "E. PIANO", "73 Rhodes", I::tonebars },
        { 2, 3, "E. PIANO", "Wurly", I::reeds },
        { 3, 0, "CLAV", "", I::clav },
        { 3, 1, "CLAV", "Harpsichord", I::harpsichord },
        { 4, 0, "ORGAN", "", I::drawbars },
        { 4, 1, "ORGAN", "Farsifa", I::comboOrgan },
        { 4, 2, "ORGAN", "Vox", I::organOnStand },
        { 4, 3, "ORGAN", "Pipe", I::pipes },
        { 5, 0, "SYNTH", "", I::pulseWave },
        { 6, 0, "PAD", "", I::cloud },
        { 7, 0, "SYNTH", "", I::sawWave },
        { 8, 0, "SYNTH", "", I::envelope },
        { 9, 0, "STRINGS", "", I::violin },
        { 9, 1, "STRINGS", "", I::bows },
        { 10, 0, "BRASS / WIND", "", I::trumpet },
        { 12, 0, "ENSEMBLE", "", I::choir },
        { 13, 0, "GUITAR / BASS", "", I::acousticGuitar },
        { 14, 0, "GUITAR / BASS", "Electric", I::electricGuitar },
        { 15, 0, "DRUM / PERC", "", I::drumKit },
        { 16, 0, "DRUM / PERC", "Perc", I::conga },
        { 19, 0, "HYBRID", "", I::hybrid },
        { 20, 0, "MISC", "", I::sparkle },
    };

    // The display lays a name band over y 27..51 of the cell, so the icon and the
    // caption live below it and the top keeps only a quiet accent.
    constexpr float bandBottom = 52.0f;
}

const CategoryPictures::Cell* CategoryPictures::findCell (int column, int row)
{
    for (const auto& cell : usedCells)
        if (cell.column == column && cell.row == row)
            return &cell;
    return nullptr;
}

bool CategoryPictures::draw (const juce::String& name, juce::Graphics& g, int width, int height)
{
    if (name == "category_sheet")
    {
        for (int row = 0; row < rows; ++row)
            for (int column = 0; column < columns; ++column)
                sheetCell (g, { (float) (column * cellWidth), (float) (row * cellHeight), (float) cellWidth, (float) cellHeight },
                           findCell (column, row));
    }
    else if (name == "category_icons")
    {
        for (int row = 0; row < rows; ++row)
            for (int column = 0; column < columns; ++column)
                smallIcon (g, { (float) (column * iconPitchX), (float) (row * iconPitchY), (float) iconWidth, (float) iconHeight },
                           findCell (column, row));
    }
    else
        return false;
    juce::ignoreUnused (width, height);
    return true;
}

void CategoryPictures::sheetCell (juce::Graphics& g, juce::Rectangle<float> area, const Cell* cell)
{
    // Opaque panel with a soft light from the top left
    K::fillGradient (g, area, K::c (0xff242424), K::c (0xff121212));
    g.setColour (juce::Colours::black);
    g.drawRect (area, 1.0f);
    g.setColour (juce::Colours::white.withAlpha (0.06f));
    g.fillRect (area.getX() + 1.0f, area.getY() + 1.0f, area.getWidth() - 2.0f, 1.0f);
    if (cell == nullptr)
        return;

    // A thin accent line along the top, a faint wash of the icon behind the band
    juce::ColourGradient line (K::c (K::amber), area.getX(), 0.0f, K::c (K::amber).withAlpha (0.0f), area.getRight(), 0.0f, false);
    g.setGradientFill (line);
    g.fillRect (area.getX() + 1.0f, area.getY() + 2.0f, area.getWidth() * 0.7f, 2.0f);
    {
        juce::Graphics::ScopedSaveState state (g);
        g.reduceClipRegion (area.toNearestInt());
        g.beginTransparencyLayer (0.10f);
        CategoryIcons::draw (g, cell->icon, { area.getRight() - 150.0f, area.getY() - 6.0f, 160.0f, 80.0f });
        g.endTransparencyLayer();
    }

    // Icon and caption below the band
    const juce::Rectangle<float> lower (area.getX(), area.getY() + bandBottom, area.getWidth(), area.getHeight() - bandBottom);
    CategoryIcons::draw (g, cell->icon, lower.withTrimmedLeft (112.0f).reduced (4.0f, 3.0f));
    g.setColour (K::c (K::amberLight));
    g.setFont (K::font (12.0f, true));
    g.drawText (cell->category, lower.withTrimmedLeft (8.0f).withWidth (108.0f).withTrimmedTop (8.0f).withHeight (15.0f),
                juce::Justification::centredLeft, true);
    if (cell->subCategory[0] != 0)
    {
        g.setColour (K::c (K::textGrey));
        g.setFont (K::font (11.0f));
        g.drawText (cell->subCategory, lower.withTrimmedLeft (8.0f).withWidth (108.0f).withTrimmedTop (24.0f).withHeight (14.0f),
                    juce::Justification::centredLeft, true);
    }
}

void CategoryPictures::smallIcon (juce::Graphics& g, juce::Rectangle<float> area, const Cell* cell)
{
    K::fillGradient (g, area, K::c (0xff262626), K::c (0xff141414), 2.0f);
    g.setColour (juce::Colours::black);
    g.drawRoundedRectangle (area.reduced (0.5f), 2.0f, 1.0f);
    if (cell != nullptr)
        CategoryIcons::draw (g, cell->icon, area.reduced (2.0f, 1.5f));
}

} // namespace zd8gen

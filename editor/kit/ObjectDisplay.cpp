#include "editor/kit/ObjectDisplay.h"

#include "editor/kit/Palette.h"
#include "editor/kit/PictureDraw.h"
#include "editor/kit/Pictures.h"
#include "model/Categories.h"

namespace zd8
{

namespace
{
    // The category sheet: 21 columns x 5 rows of display-sized cells.
    constexpr int cellWidth = 212;
    constexpr int cellHeight = 103;
    constexpr int sheetColumns = 21;
    constexpr int sheetRows = 5;

    // The small display's fixed size.
    constexpr int smallWidth = 216;
    constexpr int smallHeight = 48;

    // Where a press splits into its codes (unscaled pixels).
    constexpr float pressSplitY = 32.0f;
    constexpr float pressSplitX = 62.0f;

    constexpr float nameRowY = 32.0f;   // name and number row, relative to the picture
    constexpr float nameSize = 17.0f;
    // The small display's name baseline: a quarter of the name's size and the 1-pixel
    // edge above its bottom (48).
    constexpr float smallNameBaseline = 48.0f - 2.0f - nameSize / 4.0f;

    const juce::Colour nameBandFill (Palette::displayNameBand);
    const juce::Colour nameBandOutline (Palette::displayNameBandOutline);
    const juce::Colour categoryColour (Palette::displayCategory);
    const juce::Colour nameColour (Palette::textBright);
    const juce::Colour numberColour (Palette::displayNumber);
    const juce::Colour smallEdge (Palette::displaySmallEdge);

    juce::String numberTextOf (int number)
    {
        return number < 1 ? juce::String() : juce::String (number);
    }
} // namespace

ObjectDisplay::ObjectDisplay (int kind_, int width_, int height_)
    : kind (kind_), width (width_), height (height_)
{
    if (kind == smallDisplay)
    {
        width = smallWidth;
        height = smallHeight;
        background = Pictures::get ("lcd_back");
    }
    else
    {
        sheet = Pictures::get ("category_sheet");
        origin = { (width - cellWidth) / 2, (height - cellHeight) / 2 };
    }
    setSize (width, height);
}

void ObjectDisplay::setContents (int number_, int mainCategory_, int subCategory_, const juce::String& name_,
                            const juce::String& text1_, const juce::String& text2_, const juce::String& text3_)
{
    typed = false;
    typedNumber = 0;
    typedText.clear();
    number = number_;
    numberText = numberTextOf (number);
    mainCategory = mainCategory_;
    subCategory = subCategory_;
    name = name_;
    text1 = text1_;
    text2 = text2_;
    text3 = text3_;
    repaint();
}

void ObjectDisplay::setNumber (int number_)
{
    typed = false;
    typedNumber = 0;
    typedText.clear();
    number = number_;
    numberText = numberTextOf (number);
    repaint();
}

void ObjectDisplay::setTyped (int number_)
{
    typed = true;
    typedNumber = number_;
    typedText = juce::String (number_);
    repaint();
}

void ObjectDisplay::placeAt (int x, int y, float scale_)
{
    position = { x, y };
    scale = scale_;
    setBounds (x, y, juce::roundToInt ((float) width * scale), juce::roundToInt ((float) height * scale));
    repaint();
}

void ObjectDisplay::moveBy (int dx, int dy)
{
    setBounds (position.x + dx, position.y + dy, juce::roundToInt ((float) width * scale),
               juce::roundToInt ((float) height * scale));
}

juce::String ObjectDisplay::getShownNumberText() const
{
    return typed ? typedText : numberText;
}

juce::Point<int> ObjectDisplay::categoryCell (int main, int sub) noexcept
{
    switch (main)
    {
        case 0: return { 0, 0 };
        case 1: return { 1, sub >= 2 && sub <= 4 ? sub - 1 : 0 };
        case 2: return { 2, sub >= 1 && sub <= 3 ? sub : 0 };
        case 3: return { 3, sub == 2 ? 1 : 0 };
        case 4: return { 4, sub >= 2 && sub <= 4 ? sub - 1 : 0 };
        case 5: return { 9, sub == 1 ? 1 : 0 };
        case 6: return { 6, 0 };
        case 7: return { sub == 2 ? 5 : sub == 3 ? 8 : 7, 0 };
        case 8: return { 10, 0 };
        case 9: return { 12, 0 };
        case 10: return { 19, 0 };
        case 11: return { sub == 2 ? 14 : 13, 0 };
        case 12: return { sub == 2 ? 16 : 15, 0 };
        case 13: return { 20, 0 };
        default: return { main, sub };
    }
}

juce::String ObjectDisplay::categoryText (int main, int sub)
{
    auto text = Categories::lcdMainCategoryName (main);
    const auto subName = Categories::subCategoryName (main, sub);
    if (subName.isNotEmpty())
        text << ": " << subName;
    return text;
}

juce::Rectangle<float> ObjectDisplay::scaled (float x, float y, float w, float h) const noexcept
{
    return { ((float) origin.x + x) * scale, ((float) origin.y + y) * scale, w * scale, h * scale };
}

juce::Font ObjectDisplay::arial (float size, bool bold) const
{
    return juce::Font ("Arial", size * scale, bold ? juce::Font::bold : juce::Font::plain);
}

void ObjectDisplay::paint (juce::Graphics& g)
{
    if (kind == smallDisplay)
        paintSmallDisplay (g);
    else
        paintObjectDisplay (g);
}

void ObjectDisplay::paintObjectDisplay (juce::Graphics& g)
{
    if (kind != fxChainDisplay)
        g.fillAll (juce::Colours::black);

    // Multi and FX chain displays always show the cell in column 0, row 1. A category
    // pair whose cell lies off the sheet (bytes out of range) shows no picture.
    const auto cell = kind == programDisplay ? categoryCell (mainCategory, subCategory) : juce::Point<int> (0, 1);
    if (cell.x >= 0 && cell.x < sheetColumns && cell.y >= 0 && cell.y < sheetRows)
    {
        const auto dest = scaled (0.0f, 0.0f, (float) cellWidth, (float) cellHeight).toNearestInt();
        PictureDraw::draw (g, sheet, dest, { cell.x * cellWidth, cell.y * cellHeight, cellWidth, cellHeight });
    }

    // The name band, with its outline one pixel beyond it above and below.
    const juce::Rectangle<float> band ((float) origin.x * scale, (float) origin.y * scale + nameRowY * scale - 5.0f,
                                       (float) cellWidth * scale, 24.0f * scale);
    g.setColour (nameBandFill);
    g.fillRect (band);
    g.setColour (nameBandOutline);
    g.drawRect (band.expanded (0.0f, 1.0f), 1.0f);

    if (kind == programDisplay)
    {
        g.setColour (categoryColour);
        g.setFont (arial (12.0f, false));
        g.drawText (categoryText (mainCategory, subCategory), scaled (4, 104, 108, 13), juce::Justification::left, true);
        g.drawText (text2, scaled (4, -14, 130, 14), juce::Justification::left, true);
        g.drawText (text3, scaled (0, 104, 204, 14), juce::Justification::right, true);
    }

    g.setFont (arial (17.0f, true));
    g.setColour (nameColour);
    g.drawText (name, scaled (50, 32, 200, 12), juce::Justification::left, true);
    g.setColour (numberColour);
    g.drawText (getShownNumberText(), scaled (4, 32, 130, 12), juce::Justification::left, true);
}

void ObjectDisplay::paintSmallDisplay (juce::Graphics& g)
{
    g.fillAll (juce::Colours::white);
    const auto back = scaled (0, 0, (float) smallWidth, (float) smallHeight).toNearestInt();
    PictureDraw::draw (g, background, back);

    g.setColour (numberColour);
    g.setFont (arial (14.0f, typed));
    g.drawText (getShownNumberText(), scaled (10, 3, 130, 14), juce::Justification::left, true);

    g.setFont (arial (12.0f, false));
    g.drawText (text1, scaled (62, 3, 108, 13), juce::Justification::left, true);
    g.drawText (text2, scaled (180, 2, 130, 14), juce::Justification::left, true);
    g.drawText (text3, scaled (0, 30, 200, 14), juce::Justification::right, true);

    // The name stands on a baseline that leaves a quarter of its size above the bottom
    // edge, so that descenders (g, j, p, q, y) show whole; placed by the baseline, not by
    // the font's reported cell, which some fonts give too little descent.
    g.setColour (nameColour);
    const auto nameFont = arial (nameSize, true);
    const auto line = scaled (10, smallNameBaseline, 200, 0);
    juce::GlyphArrangement glyphs;
    glyphs.addCurtailedLineOfText (nameFont, name, line.getX(), line.getY(), line.getWidth(), true);
    glyphs.draw (g);

    g.setColour (smallEdge);
    g.fillRect (0, getHeight() - 1, getWidth(), 1);
    g.fillRect (getWidth() - 1, 0, 1, getHeight());
}

void ObjectDisplay::mouseDown (const juce::MouseEvent& e)
{
    repaint();
    if (e.position.y > pressSplitY * scale)
        pressCode = pressTop;
    else if (e.position.x > pressSplitX * scale)
        pressCode = pressRight;
    else
        pressCode = pressName;
    sendChangeMessage();
}

void ObjectDisplay::mouseUp (const juce::MouseEvent&)
{
    // A quick click (a touchpad's tap) releases before the press's message was delivered:
    // one message would then tell only the release, so the press is told first.
    dispatchPendingMessages();
    pressCode = released;
    sendChangeMessage();
}

} // namespace zd8

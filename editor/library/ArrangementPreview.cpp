#include "editor/library/ArrangementPreview.h"

#include "arrangements/ArrangementBank.h"
#include "editor/kit/ObjectDisplay.h"
#include "editor/kit/Palette.h"
#include "editor/kit/PictureDraw.h"
#include "editor/kit/Pictures.h"
#include "model/InstrumentImage.h"
#include "model/ProgramStore.h"
#include "plugin/EditorConnection.h"

namespace zd8
{

namespace
{
    const juce::Colour background (Palette::arrangementPreviewBackground);
    const juce::Colour outline (Palette::arrangementPreviewOutline);
    const juce::Colour rowLine (Palette::arrangementPreviewRowLine);
    const juce::Colour channelColour (Palette::textDim);
    const juce::Colour numberColour (Palette::arrangementPreviewNumber);
    const juce::Colour nameColour (Palette::textLight);

    // Small category icons: 49x24 cells on a 50x25 grid, the same cells as the
    // object display's category sheet.
    constexpr int iconPitchX = 50, iconPitchY = 25, iconWidth = 49, iconHeight = 24;
    constexpr int channelX = 6, iconX = 36, numberX = 96, nameX = 138;

    juce::Font arial (float size, bool bold = false)
    {
        return juce::Font ("Arial", size, bold ? juce::Font::bold : juce::Font::plain);
    }
}

ArrangementPreview::ArrangementPreview (EditorConnection& c, int width) : connection (c)
{
    icons = Pictures::get ("category_icons");
    setSize (width, height);
    setVisible (false);
}

ArrangementPreview::~ArrangementPreview() = default;

juce::String ArrangementPreview::fourDigits (int number)
{
    return juce::String (number).paddedLeft ('0', 4);
}

int ArrangementPreview::getProgram (int channel) const noexcept
{
    return withPrograms && juce::isPositiveAndBelow (channel, 16) ? rows[(size_t) channel].program : -1;
}

void ArrangementPreview::showRecord (const juce::String& newTitle, const juce::MemoryBlock& record)
{
    title = newTitle;
    withPrograms = record.getSize() == (size_t) ArrangementBank::recordSize;
    if (withPrograms)
    {
        // The record's programs as applying it would set them, read from a scratch table.
        ParameterTable scratch;
        ArrangementBank::applyRecord (record.getData(), record.getSize(), scratch);

        auto& image = connection.getImage();
        const juce::ScopedReadLock sl (image.getStoreLock());
        using P = ProgramStore;
        for (int c = 0; c < 16; ++c)
        {
            auto& row = rows[(size_t) c];
            row.program = scratch.value (ParameterTable::programSlot (c, ParameterTable::programRow));
            const auto content = image.getPrograms().readRecord (row.program);
            row.name = P::nameOf (content).trim();
            row.cell = ObjectDisplay::categoryCell (P::contentByte (content, P::mainCategoryOffset),
                                               P::contentByte (content, P::subCategoryOffset));
        }
    }
    setVisible (true);
    repaint();
}

void ArrangementPreview::clear()
{
    title.clear();
    withPrograms = false;
    setVisible (false);
}

void ArrangementPreview::paint (juce::Graphics& g)
{
    const auto area = getLocalBounds().toFloat().reduced (0.5f);
    g.setColour (background);
    g.fillRoundedRectangle (area, 4.0f);
    g.setColour (outline);
    g.drawRoundedRectangle (area, 4.0f, 1.0f);

    g.setColour (juce::Colours::white);
    g.setFont (arial (16.0f));
    g.drawText (title.trimEnd(), 12, 2, getWidth() - 24, 24, juce::Justification::centredLeft, true);

    if (! withPrograms)
        return;

    for (int c = 0; c < 16; ++c)
    {
        const auto& row = rows[(size_t) c];
        const int y = rowsTop + c * rowPitch;
        g.setColour (rowLine);
        g.drawHorizontalLine (y, 4.0f, (float) getWidth() - 4.0f);

        g.setColour (channelColour);
        g.setFont (arial (14.0f));
        g.drawText (juce::String (c + 1) + ".", channelX, y, iconX - channelX, rowPitch, juce::Justification::centredLeft, false);

        PictureDraw::draw (g, icons, { iconX, y + (rowPitch - iconHeight) / 2, iconWidth, iconHeight },
                           { row.cell.x * iconPitchX, row.cell.y * iconPitchY, iconWidth, iconHeight });

        g.setColour (numberColour);
        g.setFont (arial (14.0f, true));
        g.drawText (fourDigits (row.program), numberX, y, nameX - numberX, rowPitch, juce::Justification::centredLeft, false);

        g.setColour (nameColour);
        g.setFont (arial (14.0f));
        g.drawText (row.name, nameX, y, getWidth() - nameX - 6, rowPitch, juce::Justification::centredLeft, true);
    }
}

} // namespace zd8

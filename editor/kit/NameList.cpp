#include "editor/kit/NameList.h"

#include "editor/kit/Palette.h"
#include "editor/kit/Pictures.h"

namespace zd8
{

namespace
{
    const juce::Colour background (Palette::nameListBackground);
    const juce::Colour rowFill (Palette::nameListRow);
    const juce::Colour selectedFill (Palette::selection);
    const juce::Colour numberColour (Palette::textDim);
    const juce::Colour nameColour (Palette::textSoft);
    const juce::Colour selectedNumberColour (Palette::textBright);
    const juce::Colour trackFill (Palette::scrollTrackFill);
    const juce::Colour trackOutline (Palette::scrollTrackOutline);

    constexpr int rowWidth = 292;
    constexpr int trackX = 300, trackWidth = 29;
    constexpr int thumbWidth = 25, thumbHeight = 43;
    constexpr int numberX = 7, nameX = 44;

    juce::Font arial (float size, bool bold)
    {
        return juce::Font ("Arial", size, bold ? juce::Font::bold : juce::Font::plain);
    }
}

NameList::NameList (NameSource source) : names (std::move (source))
{
    thumb = Pictures::get ("scroll_thumb");
}

NameList::~NameList() = default;

void NameList::reset (int count)
{
    rows.clearQuick();
    for (int i = 0; i < count; ++i)
        rows.add (i);
    selected = -1;
    firstRow = 0;
    repaint();
}

void NameList::appendRow (int entry)
{
    rows.add (entry);
    repaint();
}

juce::String NameList::getShownName (int row) const
{
    const int entry = getEntryAt (row);
    return entry >= 0 && names ? names (entry) : juce::String();
}

void NameList::selectRow (int row)
{
    if (! juce::isPositiveAndBelow (row, rows.size()))
        return;
    selected = row;
    if (row < firstRow)
        setFirstVisibleRow (row);
    else if (row >= firstRow + getVisibleRows())
        setFirstVisibleRow (row - getVisibleRows() + 1);
    repaint();
    if (onSelect)
        onSelect();
}

void NameList::setFirstVisibleRow (int row)
{
    const int limit = juce::jmax (0, rows.size() - getVisibleRows());
    const int newRow = juce::jlimit (0, limit, row);
    if (newRow != firstRow)
    {
        firstRow = newRow;
        repaint();
    }
}

juce::Rectangle<int> NameList::thumbBounds() const
{
    const int travel = getVisibleRows() * rowHeight - thumbHeight;
    const int range = juce::jmax (1, rows.size() - getVisibleRows());
    const int y = travel * firstRow / range;
    return { trackX + (trackWidth - thumbWidth) / 2, y, thumbWidth, thumbHeight };
}

void NameList::paint (juce::Graphics& g)
{
    g.fillAll (background);

    const int visible = getVisibleRows();
    for (int i = 0; i < visible && firstRow + i < rows.size(); ++i)
    {
        const int row = firstRow + i;
        const bool isSelected = row == selected;
        const juce::Rectangle<int> area (0, i * rowHeight, rowWidth, rowHeight - 1);

        g.setColour (isSelected ? selectedFill : rowFill);
        g.fillRect (area);
        if (isSelected)
        {
            g.setColour (juce::Colours::black);
            g.drawRect (area);
        }

        g.setFont (arial (14.0f, isSelected));
        g.setColour (isSelected ? selectedNumberColour : numberColour);
        g.drawText (juce::String (row + 1), area.withX (numberX).withWidth (nameX - numberX), juce::Justification::centredLeft, false);

        g.setFont (arial (15.0f, isSelected));
        g.setColour (isSelected ? juce::Colours::white : nameColour);
        g.drawText (getShownName (row), area.withX (nameX).withWidth (rowWidth - nameX - 4), juce::Justification::centredLeft, true);
    }

    const juce::Rectangle<float> track ((float) trackX, 1.0f, (float) trackWidth, (float) (visible * rowHeight) - 2.0f);
    g.setColour (trackFill);
    g.fillRoundedRectangle (track, 3.0f);
    g.setColour (trackOutline);
    g.drawRoundedRectangle (track, 3.0f, 2.1f);
    if (needsThumb())
        g.drawImage (thumb, thumbBounds().toFloat(), juce::RectanglePlacement::stretchToFit);
}

void NameList::dragThumbTo (int y)
{
    const int travel = getVisibleRows() * rowHeight - thumbHeight;
    if (travel <= 0)
        return;
    const int range = rows.size() - getVisibleRows();
    const int top = juce::jlimit (0, travel, y - thumbGrabOffset);
    setFirstVisibleRow ((top * range + travel / 2) / travel);
}

void NameList::mouseDown (const juce::MouseEvent& e)
{
    const auto p = e.getPosition();
    if (p.x > scrollBarX)
    {
        if (! needsThumb())
            return;
        const auto t = thumbBounds();
        if (p.y >= t.getY() && p.y < t.getBottom())
        {
            draggingThumb = true;
            thumbGrabOffset = p.y - t.getY();
            return;
        }
        repeatStep = p.y < t.getY() ? -1 : 1;
        setFirstVisibleRow (firstRow + repeatStep);
        startTimer (repeatMs);
        return;
    }

    const int row = firstRow + p.y / rowHeight;
    if (p.y >= 0 && p.y < getVisibleRows() * rowHeight)
        selectRow (row);
}

void NameList::mouseDrag (const juce::MouseEvent& e)
{
    if (draggingThumb)
        dragThumbTo (e.getPosition().y);
}

void NameList::mouseUp (const juce::MouseEvent&)
{
    draggingThumb = false;
    repeatStep = 0;
    stopTimer();
}

void NameList::mouseWheelMove (const juce::MouseEvent&, const juce::MouseWheelDetails& wheel)
{
    if (wheel.deltaY > 0.0f)
        setFirstVisibleRow (firstRow - 1);
    else if (wheel.deltaY < 0.0f)
        setFirstVisibleRow (firstRow + 1);
}

void NameList::timerCallback()
{
    if (repeatStep == 0)
    {
        stopTimer();
        return;
    }
    setFirstVisibleRow (firstRow + repeatStep);
}

} // namespace zd8

#include "editor/kit/NameList.h"

#include "editor/kit/ListKeys.h"
#include "editor/kit/Palette.h"
#include "editor/kit/PictureDraw.h"
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

    // The find-by-name field at the foot of the rows, shown while text is typed.
    constexpr int findFieldInset = 4, findFieldHeight = 22;
    const juce::Colour findFieldFill (0xe0101014);
    const juce::Colour findFieldOutline (Palette::textSoft);
    const juce::Colour findFieldText (Palette::textBright);

    juce::Font arial (float size, bool bold)
    {
        return juce::Font ("Arial", size, bold ? juce::Font::bold : juce::Font::plain);
    }
}

NameList::NameList (NameSource source) : names (std::move (source))
{
    thumb = Pictures::get ("scroll_thumb");
    // A click gives the list the keys: typed names and arrows, not the key player.
    setWantsKeyboardFocus (true);
}

NameList::~NameList() = default;

void NameList::reset (int count)
{
    entries.clearQuick();
    for (int i = 0; i < count; ++i)
        entries.add (i);
    nameFilter.clear();
    rows = entries;
    selected = -1;
    firstRow = 0;
    repaint();
}

void NameList::appendRow (int entry)
{
    entries.add (entry);
    if (nameFilter.isEmpty() || getNameOf (entry).trimEnd().containsIgnoreCase (nameFilter))
        rows.add (entry);
    repaint();
}

juce::String NameList::getNameOf (int entry) const
{
    return entry >= 0 && names ? names (entry) : juce::String();
}

void NameList::setNameFilter (const juce::String& text)
{
    if (text == nameFilter)
        return;
    nameFilter = text;
    applyNameFilter();
}

void NameList::applyNameFilter()
{
    const int selectedEntry = getSelectedEntry();
    rows.clearQuick();
    for (int entry : entries)
        if (nameFilter.isEmpty() || getNameOf (entry).trimEnd().containsIgnoreCase (nameFilter))
            rows.add (entry);

    selected = rows.indexOf (selectedEntry);
    if (selectedEntry < 0)
        selected = -1;
    firstRow = 0;
    if (selected >= getVisibleRows())
        setFirstVisibleRow (selected - getVisibleRows() + 1);
    repaint();
}

juce::String NameList::getShownName (int row) const
{
    return getNameOf (getEntryAt (row));
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
        g.drawText (juce::String (getEntryAt (row) + 1), area.withX (numberX).withWidth (nameX - numberX), juce::Justification::centredLeft, false);

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
        PictureDraw::draw (g, thumb, thumbBounds().toFloat());

    if (nameFilter.isNotEmpty())
        paintNameFilter (g);
}

void NameList::paintNameFilter (juce::Graphics& g)
{
    const juce::Rectangle<float> field ((float) findFieldInset,
                                        (float) (juce::jmax (1, getHeight() / rowHeight) * rowHeight - findFieldHeight - findFieldInset),
                                        (float) (rowWidth - 2 * findFieldInset), (float) findFieldHeight);
    g.setColour (findFieldFill);
    g.fillRoundedRectangle (field, 3.0f);
    g.setColour (findFieldOutline);
    g.drawRoundedRectangle (field, 3.0f, 1.0f);
    g.setColour (findFieldText);
    g.setFont (arial (13.0f, false));
    const auto shown = rows.isEmpty() ? "Find: " + nameFilter + "  (none)" : "Find: " + nameFilter;
    g.drawText (shown, field.reduced (6.0f, 0.0f), juce::Justification::centredLeft, true);
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
    if (isShowing())
        grabKeyboardFocus();
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

bool NameList::keyPressed (const juce::KeyPress& key)
{
    const int code = key.getKeyCode();
    const int page = getVisibleRows();
    const int last = rows.size() - 1;
    // With nothing selected the first step down lands on the first row, up on the last.
    const int from = selected;

    auto step = [this] (int row)
    {
        if (row != selected)
            selectRow (row);
    };

    if (const auto row = ListKeys::movedRow (code, from, last, page))
        step (*row);
    else if (const auto filter = ListKeys::editedFilter (key, nameFilter))
        setNameFilter (*filter);
    else
        return false;
    return true;
}

} // namespace zd8

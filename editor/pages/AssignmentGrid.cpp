#include "editor/pages/AssignmentGrid.h"

#include "editor/kit/EditEvent.h"
#include "editor/kit/Palette.h"
#include "editor/kit/PictureDraw.h"
#include "editor/kit/Pictures.h"
#include "model/ProgramEditBuffers.h"
#include "plugin/EditorConnection.h"

namespace zd8
{

namespace
{
    constexpr int widths[AssignmentGrid::numColumns] = { 45, 340, 100, 160, 60, 60 };
    constexpr int textIndent = 7;   // left-aligned columns start this far into the cell

    // Scroll bar, right of the cells.
    constexpr int trackX = AssignmentGrid::cellAreaRight + 3;
    constexpr int thumbWidth = 25;
    constexpr float trackCorner = 3.0f;
    constexpr float trackLine = 1.5f;

    constexpr float backgroundOpacity = 0.9f;
    constexpr float overlayOpacity = 0.25f;

    const juce::Colour selectedFill (Palette::assignmentGridSelectedFill);
    const juce::Colour selectedText (juce::Colours::white);
    const juce::Colour plainText (Palette::textDim);
    const juce::Colour rowLine (Palette::assignmentGridRowLine);
    const juce::Colour columnLine (Palette::assignmentGridColumnLine);
    const juce::Colour selectedEdge (Palette::assignmentGridSelectedEdge);
    const juce::Colour trackFill (Palette::scrollTrackFill);
    const juce::Colour trackOutline (Palette::scrollTrackOutline);
    constexpr float cellTextSize = 15.0f;

    juce::String cellTextOf (const VirtualParameterTable& table, int row, int column)
    {
        if (row < 0 || row >= table.assignmentCount())
            return {};
        const auto a = table.assignment (row);
        switch (column)
        {
            case AssignmentGrid::idColumn: return juce::String (a.parameter);
            case AssignmentGrid::nameColumn: return table.parameterName (row);
            case AssignmentGrid::subSystemColumn: return table.subSystemText (row);
            case AssignmentGrid::assignedColumn: return table.assignedToText (row);
            case AssignmentGrid::controllerColumn: return "# " + juce::String (a.controller);
            case AssignmentGrid::entryValueColumn: return table.entryValueText (row);
            default: return {};
        }
    }

    bool leftAligned (int column) noexcept
    {
        return column == AssignmentGrid::nameColumn || column == AssignmentGrid::assignedColumn;
    }
} // namespace

AssignmentGrid::AssignmentGrid (EditorConnection& c)
    : connection (c), background (Pictures::get ("list_back")), thumb (Pictures::get ("scroll_thumb"))
{
    setOpaque (true);
}

AssignmentGrid::~AssignmentGrid()
{
    stopTimer();
}

void AssignmentGrid::setChannel (int c)
{
    channel = juce::jlimit (0, 15, c);
    selectedRow = -1;
    pressedColumn = -1;
    setTopRow (0);
    repaint();
}

int AssignmentGrid::columnWidth (int column) noexcept
{
    return column >= 0 && column < numColumns ? widths[column] : 0;
}

int AssignmentGrid::columnX (int column) noexcept
{
    int x = 0;
    for (int c = 0; c < juce::jlimit (0, numColumns, column); ++c)
        x += widths[c];
    return x;
}

int AssignmentGrid::columnAt (int x) noexcept
{
    if (x < 0)
        return -1;
    int right = 0;
    for (int c = 0; c < numColumns; ++c)
    {
        right += widths[c];
        if (x < right)
            return c;
    }
    return -1;
}

int AssignmentGrid::assignmentCount() const
{
    auto* edit = connection.getEditBuffer (channel);
    return edit != nullptr ? edit->getTable().assignmentCount() : 0;
}

juce::String AssignmentGrid::cellText (int row, int column) const
{
    auto* edit = connection.getEditBuffer (channel);
    return edit != nullptr ? cellTextOf (edit->getTable(), row, column) : juce::String();
}

juce::Rectangle<int> AssignmentGrid::cellBounds (int row, int column) const noexcept
{
    const int shown = row - topRow;
    if (column < 0 || column >= numColumns || shown < 0 || shown >= visibleRows())
        return {};
    return { columnX (column), shown * rowHeight, widths[column], rowHeight };
}

int AssignmentGrid::visibleRows() const noexcept
{
    return juce::jlimit (1, numRows, getHeight() / rowHeight);
}

void AssignmentGrid::setTopRow (int row)
{
    row = juce::jlimit (0, maxTopRow(), row);
    if (row == topRow)
        return;
    topRow = row;
    repaint();
    if (onScrolled)
        onScrolled();
}

double AssignmentGrid::scrollStep() const noexcept
{
    const int travel = getHeight() - thumbHeight;
    return maxTopRow() > 0 && travel > 0 ? (double) travel / (double) maxTopRow() : 0.0;
}

int AssignmentGrid::thumbY() const noexcept
{
    return juce::roundToInt (topRow * scrollStep());
}

std::vector<juce::uint64> AssignmentGrid::takeEvents()
{
    std::vector<juce::uint64> out;
    out.swap (events);
    return out;
}

void AssignmentGrid::post (juce::uint64 event)
{
    events.push_back (event);
    sendChangeMessage();
}

//==============================================================================
void AssignmentGrid::paint (juce::Graphics& g)
{
    const int w = getWidth(), h = getHeight();
    g.fillAll (juce::Colours::black);
    g.setOpacity (backgroundOpacity);
    PictureDraw::draw (g, background, { 0, 0, w, h }, background.getBounds());
    g.setOpacity (1.0f);

    VirtualParameterTable table;
    if (auto* edit = connection.getEditBuffer (channel))
        table = edit->getTable();

    g.setFont (juce::Font ("Arial", cellTextSize, juce::Font::bold));
    const int rows = visibleRows();
    for (int i = 0; i < rows; ++i)
    {
        const int row = topRow + i;
        const int y = i * rowHeight;
        const bool selected = row == selectedRow;

        if (selected)
        {
            g.setColour (selectedFill);
            g.fillRect (0, y, cellsWidth, rowHeight);
            g.setColour (selectedEdge);
            g.drawRect (0, y, cellsWidth, rowHeight, 1);
        }
        g.setColour (rowLine);
        g.fillRect (0, y + rowHeight - 1, cellsWidth, 1);

        g.setColour (selected ? selectedText : plainText);
        for (int c = 0; c < numColumns; ++c)
        {
            const auto text = cellTextOf (table, row, c);
            if (text.isEmpty())
                continue;
            auto cell = juce::Rectangle<int> (columnX (c), y, widths[c], rowHeight);
            // A name's leading blank (a list may pad names with one instead of a
            // marker byte) would push it out of line with the others.
            if (leftAligned (c))
                g.drawText (text.trimStart(), cell.withTrimmedLeft (textIndent).withTrimmedRight (2), juce::Justification::centredLeft, true);
            else
                g.drawText (text, cell.reduced (2, 0), juce::Justification::centred, true);
        }
    }

    g.setColour (columnLine);
    for (int c = 1; c < numColumns; ++c)
        g.fillRect (columnX (c), 0, 1, rows * rowHeight);
    g.fillRect (cellsWidth, 0, 1, h);

    paintScrollBar (g);

    g.setOpacity (overlayOpacity);
    PictureDraw::draw (g, background, { 0, 0, cellsWidth, h }, background.getBounds());
}

void AssignmentGrid::paintScrollBar (juce::Graphics& g) const
{
    const juce::Rectangle<float> track ((float) trackX + 0.5f, 1.5f,
                                        (float) juce::jmax (0, getWidth() - trackX - 3), (float) juce::jmax (0, getHeight() - 3));
    g.setColour (trackFill);
    g.fillRoundedRectangle (track, trackCorner);
    g.setColour (trackOutline);
    g.drawRoundedRectangle (track, trackCorner, trackLine);

    const int x = trackX + juce::jmax (0, (getWidth() - trackX - thumbWidth) / 2);
    PictureDraw::draw (g, thumb, { x, thumbY(), thumbWidth, thumbHeight }, thumb.getBounds());
}

//==============================================================================
void AssignmentGrid::mouseDown (const juce::MouseEvent& e)
{
    const int x = e.x, y = e.y;
    if (x >= 1 && x <= cellAreaRight)
    {
        pressedColumn = columnAt (x);
        selectedRow = juce::jlimit (0, numRows - 1, topRow + y / rowHeight);
        repaint();

        if (e.mods.isPopupMenu())
        {
            post (EditEvent::make (secondaryPressCode, pressedColumn, 0, channel, selectedRow));
            return;
        }
        if (selectedRow < assignmentCount() && (pressedColumn == controllerColumn || pressedColumn == entryValueColumn))
            post (EditEvent::make (editRequestCode, pressedColumn, 0, channel, selectedRow));
        return;
    }

    if (x <= cellAreaRight)
        return;

    const int t = thumbY();
    if (y >= t && y < t + thumbHeight)
    {
        thumbDrag = true;
        thumbGrab = y - t;
        return;
    }
    autoDirection = y < t ? -1 : 1;
    setTopRow (topRow + autoDirection);
    startTimer (repeatIntervalMs);
}

void AssignmentGrid::mouseDrag (const juce::MouseEvent& e)
{
    if (! thumbDrag)
        return;
    const double step = scrollStep();
    if (step <= 0.0)
        return;
    setTopRow (juce::roundToInt ((e.y - thumbGrab) / step));
}

void AssignmentGrid::mouseUp (const juce::MouseEvent&)
{
    stopTimer();
    autoDirection = 0;
    thumbDrag = false;
}

void AssignmentGrid::mouseWheelMove (const juce::MouseEvent&, const juce::MouseWheelDetails& wheel)
{
    if (wheel.deltaY > 0.0f)
        setTopRow (topRow - 1);
    else if (wheel.deltaY < 0.0f)
        setTopRow (topRow + 1);
}

void AssignmentGrid::autoScrollStep()
{
    if (autoDirection != 0)
        setTopRow (topRow + autoDirection);
}

void AssignmentGrid::timerCallback()
{
    if (autoDirection == 0)
        stopTimer();
    else
        autoScrollStep();
}

} // namespace zd8

#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include <functional>
#include <vector>

namespace zd8
{

class EditorConnection;

/** The assignment table of the virtual parameter table page: one row per controller
    assignment of the program in a channel's edit buffer (parameter reference, name,
    sub-system, assigned-to controller, MIDI controller number, entry value), 39 rows
    of 36 pixels with a scroll bar on the right.

    The table reads the live edit buffer on every paint and keeps no copy. A press on
    the controller or entry-value cell of an existing assignment queues an edit request
    (code 90: column in bits 32..47, row in bits 0..15, the channel in bits 16..19); a
    press with the secondary button queues code 91. Each queued event is announced
    with the change message; the owner takes them with takeEvents().
    Message thread only. */
class AssignmentGrid : public juce::Component, public juce::ChangeBroadcaster, private juce::Timer
{
public:
    static constexpr int numColumns = 6;
    static constexpr int idColumn = 0;
    static constexpr int nameColumn = 1;
    static constexpr int subSystemColumn = 2;
    static constexpr int assignedColumn = 3;
    static constexpr int controllerColumn = 4;
    static constexpr int entryValueColumn = 5;

    static constexpr int rowHeight = 36;
    static constexpr int numRows = 39;
    /** The columns' widths add up to this. */
    static constexpr int cellsWidth = 765;
    /** Presses from x 1 up to here land in the cells; right of it is the scroll bar. */
    static constexpr int cellAreaRight = cellsWidth + 9;
    static constexpr int thumbHeight = 43;
    static constexpr int repeatIntervalMs = 200;

    static constexpr int editRequestCode = 90;
    static constexpr int secondaryPressCode = 91;

    explicit AssignmentGrid (EditorConnection& connection);
    ~AssignmentGrid() override;

    /** 0..15; the table starts at the top again with nothing selected. */
    void setChannel (int channel);
    int getChannel() const noexcept { return channel; }

    /** Width of column 0..5; 0 for any other. */
    static int columnWidth (int column) noexcept;
    /** Left edge of a column within the table. */
    static int columnX (int column) noexcept;
    /** The column whose span holds x, or -1 (the gap before the scroll bar, outside). */
    static int columnAt (int x) noexcept;

    /** Assignments of the program in the channel's edit buffer. */
    int assignmentCount() const;
    /** What row's cell in column shows; empty for rows without an assignment. */
    juce::String cellText (int row, int column) const;
    /** Where a cell lies in the table, or an empty rectangle when it is scrolled away. */
    juce::Rectangle<int> cellBounds (int row, int column) const noexcept;

    int getTopRow() const noexcept { return topRow; }
    /** -1 when no row is selected. */
    int getSelectedRow() const noexcept { return selectedRow; }
    /** Column of the last press in the cells (-1: none or between the columns). */
    int getPressedColumn() const noexcept { return pressedColumn; }
    int visibleRows() const noexcept;
    /** The highest top row: the last row then sits at the bottom. */
    int maxTopRow() const noexcept { return juce::jmax (0, numRows - visibleRows()); }
    /** Clamped to 0..maxTopRow(). */
    void setTopRow (int row);
    /** Thumb top in pixels. */
    int thumbY() const noexcept;

    /** One step of the scroll bar's auto-repeat (the 200 ms timer calls it while the
        bar is held above or below the thumb); nothing when no repeat is running. */
    void autoScrollStep();
    bool isAutoScrolling() const noexcept { return autoDirection != 0; }

    /** Takes the queued events in order and empties the queue. */
    std::vector<juce::uint64> takeEvents();

    /** Called whenever the top row changes (the owner moves what sits over a cell). */
    std::function<void()> onScrolled;

    void paint (juce::Graphics&) override;
    void mouseDown (const juce::MouseEvent&) override;
    void mouseDrag (const juce::MouseEvent&) override;
    void mouseUp (const juce::MouseEvent&) override;
    void mouseWheelMove (const juce::MouseEvent&, const juce::MouseWheelDetails&) override;

private:
    void timerCallback() override;
    void post (juce::uint64 event);
    /** Pixels the thumb travels per row of scrolling. */
    double scrollStep() const noexcept;
    void paintScrollBar (juce::Graphics&) const;

    EditorConnection& connection;
    int channel = 0;
    int topRow = 0;
    int selectedRow = -1;
    int pressedColumn = -1;
    bool thumbDrag = false;
    int thumbGrab = 0;          // pointer y minus thumb top at the press
    int autoDirection = 0;      // -1 up, +1 down while the bar is held
    std::vector<juce::uint64> events;
    juce::Image background, thumb;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (AssignmentGrid)
};

} // namespace zd8

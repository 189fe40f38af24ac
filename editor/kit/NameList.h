#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include <functional>

namespace zd8
{

/** The scrolling name list of the library window's panels (the bank's 64 slots or the
    library's entries): rows of 34 pixels with the 1-based row number and the name, a
    scroll bar along the right edge (presses right of x 272 belong to it: above or
    below the thumb one row, repeated every 200 ms while held; the thumb drags), one
    row per wheel step. A press on a row selects it and calls onSelect.
    Rows map to entries through a row-to-entry table; a row shows its entry's number.

    Find by name: with the keyboard focus (a click gives it), typed characters list only
    the entries whose name contains the typed text, in any case, shown in a small field
    at the foot of the list; Backspace takes back a character, Escape clears it. Up and
    Down move the selection a row, Page Up and Page Down a page, Home and End to the
    ends, each selecting as a press does. Message thread only. */
class NameList : public juce::Component,
                private juce::Timer
{
public:
    static constexpr int rowHeight = 34;
    static constexpr int listWidth = 334;
    static constexpr int scrollBarX = 272;
    static constexpr int repeatMs = 200;

    using NameSource = std::function<juce::String (int entry)>;

    explicit NameList (NameSource names);
    ~NameList() override;

    /** No selection, first row at the top, no name filter, row n shows entry n. */
    void reset (int count);
    /** One more row, showing the entry of that index. */
    void appendRow (int entry);

    int getCount() const noexcept { return rows.size(); }
    int getSelectedRow() const noexcept { return selected; }
    /** Entry shown in the selected row, or -1. */
    int getSelectedEntry() const noexcept { return getEntryAt (selected); }
    int getEntryAt (int row) const noexcept { return juce::isPositiveAndBelow (row, rows.size()) ? rows[row] : -1; }
    /** Name as the list shows it. */
    juce::String getShownName (int row) const;
    int getFirstVisibleRow() const noexcept { return firstRow; }
    /** Rows the list shows; while find text is typed, its field takes the last row. */
    int getVisibleRows() const noexcept { return juce::jmax (1, getHeight() / rowHeight - (nameFilter.isEmpty() ? 0 : 1)); }

    /** Selects a row (kept in view) and calls onSelect; a row outside the list does
        nothing. */
    void selectRow (int row);
    void setFirstVisibleRow (int row);

    /** Lists only the entries whose name contains text, in any case (empty: all); the
        selected entry stays selected while it is listed. */
    void setNameFilter (const juce::String& text);
    const juce::String& getNameFilter() const noexcept { return nameFilter; }

    /** Called after a row press or selectRow. */
    std::function<void()> onSelect;

    void paint (juce::Graphics&) override;
    void mouseDown (const juce::MouseEvent&) override;
    void mouseDrag (const juce::MouseEvent&) override;
    void mouseUp (const juce::MouseEvent&) override;
    void mouseWheelMove (const juce::MouseEvent&, const juce::MouseWheelDetails&) override;
    bool keyPressed (const juce::KeyPress&) override;

private:
    void applyNameFilter();
    void paintNameFilter (juce::Graphics&);
    void timerCallback() override;
    bool needsThumb() const noexcept { return rows.size() > getVisibleRows(); }
    juce::Rectangle<int> thumbBounds() const;
    juce::String getNameOf (int entry) const;
    void dragThumbTo (int y);

    NameSource names;
    juce::Array<int> entries, rows;   // every entry in order; those listed under the name filter
    juce::String nameFilter;
    int selected = -1;
    int firstRow = 0;
    int repeatStep = 0;
    bool draggingThumb = false;
    int thumbGrabOffset = 0;
    juce::Image thumb;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (NameList)
};

} // namespace zd8

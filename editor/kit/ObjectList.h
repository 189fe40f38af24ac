#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include <array>
#include <vector>

namespace zd8
{

class ObjectStore;

/** The object list: the objects of one store under a filter, one row each with number,
    name and category text, and a scroll bar. Reports EditEvent words (code 7 chosen by
    a click, with report or with Enter; 14 selected by a call or an arrow key) through
    its queue and the change message; the owner takes the queued events in order.

    Find by name: with the keyboard focus (a click gives it), typed characters narrow
    the bound objects to those whose name contains the typed text, in any case; the
    bank or category filter of bind still applies beneath it. The text shows in a small
    field at the foot of the list; Backspace takes back a character, Escape clears it.
    Up and Down move the selection a row, Page Up and Page Down a page, Home and End to
    the ends; Enter chooses the selected object. Message thread only. */
class ObjectList : public juce::Component, public juce::ChangeBroadcaster, private juce::Timer
{
public:
    static constexpr int textAreaWidth = 242;
    static constexpr int thumbHeight = 43;

    explicit ObjectList (const ObjectStore& store);
    ~ObjectList() override;

    /** The store's objects under this filter (and the name filter, which stays). */
    void bind (int mode, int argument);
    /** As bind, but the list becomes exactly these IDs, in this order (a filter the
        store's listIds cannot express, such as the FX chains of an effect category). */
    void bindIds (std::vector<int> list);
    /** Lists only the bound objects whose name contains text, in any case (empty: all).
        The selected object stays selected while it is listed. */
    void setNameFilter (const juce::String& text);
    const juce::String& getNameFilter() const noexcept { return nameFilter; }
    void setColumns (const std::vector<int>& widths);
    void setRowHeight (int h) noexcept { rowHeight = juce::jmax (1, h); }
    void setFontSizes (float numberSize, float nameSize, float categorySize) noexcept;
    void setRowFill (juce::uint32 argb) noexcept { rowFill = argb; }
    /** Colour slots 1..9 (index 0 is slot 1). */
    void setColours (const std::array<juce::uint32, 9>& slots) noexcept { colours = slots; }
    void setChannel (int c) noexcept { channel = c; }
    void setParameterNumber (int n) noexcept { parameterNumber = n; }

    void selectIndex (int index);
    void selectId (int id, bool report);
    void scrollTo (int n);
    /** One step of the scroll bar's auto-repeat (the 200 ms timer calls it while the
        bar is held above or below the thumb); nothing when no repeat is running. */
    void autoScrollStep();

    /** Takes the queued events in order and empties the queue. */
    std::vector<juce::uint64> takeEvents();

    int getCount() const noexcept { return (int) ids.size(); }
    const std::vector<int>& getIds() const noexcept { return ids; }
    int getSelectedIndex() const noexcept { return selectedIndex; }
    int getSelectedId() const noexcept { return selectedId; }
    int getFirstVisibleRow() const noexcept { return firstVisible; }
    int getScrollPosition() const noexcept { return scrollPosition; }
    int visibleRows() const noexcept;
    /** Thumb top in pixels, or -1 when all rows fit and no thumb is drawn. */
    int thumbY() const noexcept;

    /** "0007" for 7, "4096" for 4096. */
    static juce::String formatId (int id);

    void paint (juce::Graphics&) override;
    void resized() override;
    void mouseDown (const juce::MouseEvent&) override;
    void mouseDrag (const juce::MouseEvent&) override;
    void mouseUp (const juce::MouseEvent&) override;
    void mouseWheelMove (const juce::MouseEvent&, const juce::MouseWheelDetails&) override;
    bool keyPressed (const juce::KeyPress&) override;

private:
    void timerCallback() override;
    void report (int code);
    void setFirstVisible (int row);
    /** Selects a row by keyboard: scrolled only as far as it takes to show it; code 14. */
    void stepTo (int index);
    void applyNameFilter();
    void paintNameFilter (juce::Graphics&);
    bool allRowsFit() const noexcept;
    int columnWidth (size_t column) const noexcept;
    void paintList (juce::Graphics&);
    /** The off-screen picture, the stretched background and the base, at the list's size
        times pictureScale. */
    void makePictures();

    const ObjectStore& store;
    int mode = 0, argument = 0;
    std::vector<int> boundIds, ids;   // bound by the owner; listed under the name filter
    juce::String nameFilter;
    std::vector<int> columns { 50, 180, 0, 0 };
    int rowHeight = 34;
    float numberSize = 14, nameSize = 15, categorySize = 11;
    juce::uint32 rowFill = 0;
    std::array<juce::uint32, 9> colours {};
    int selectedIndex = -1, selectedId = 0;
    int firstVisible = 0, scrollPosition = 0, lastRequested = 0;
    bool rowPress = false, thumbDrag = false;
    int autoDirection = 0;
    int channel = 0, parameterNumber = 11;
    std::vector<juce::uint64> events;
    juce::Image background, thumb, offscreen;
    // Made with the off-screen picture, at the list's size: the background stretched,
    // and the opaque base every repaint starts from (black under the background at 90 %).
    juce::Image stretchedBackground, base;
    float pictureScale = 1.0f;   // device pixels per list pixel where the list was last drawn

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (ObjectList)
};

} // namespace zd8

#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include <array>
#include <vector>

namespace zd8
{

class ObjectStore;

/** The object list: the objects of one store under a filter, one row each with number,
    name and category text, and a scroll bar. Reports EditEvent words (code 7 chosen by
    a click or with report, 14 selected by a call) through its queue and the change
    message; the owner takes the queued events in order. Message thread only. */
class ObjectList : public juce::Component, public juce::ChangeBroadcaster, private juce::Timer
{
public:
    static constexpr int textAreaWidth = 242;
    static constexpr int thumbHeight = 43;

    explicit ObjectList (const ObjectStore& store);
    ~ObjectList() override;

    void bind (int mode, int argument);
    /** As bind, but the list becomes exactly these IDs, in this order (a filter the
        store's listIds cannot express, such as the FX chains of an effect category). */
    void bindIds (std::vector<int> list);
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

private:
    void timerCallback() override;
    void report (int code);
    void setFirstVisible (int row);
    bool allRowsFit() const noexcept;
    int columnWidth (size_t column) const noexcept;
    void paintList (juce::Graphics&);
    /** The off-screen picture, the stretched background and the base, at the list's size. */
    void makePictures();

    const ObjectStore& store;
    int mode = 0, argument = 0;
    std::vector<int> ids;
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

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (ObjectList)
};

} // namespace zd8

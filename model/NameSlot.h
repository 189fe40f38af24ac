#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include <deque>

namespace zd8
{

/** The small display element of the mixer page that shows one channel's program: in
    mode 0 its label and its name on two lines (58 x 44), in mode 1 its category
    (58 x 18). A click queues an event word (code 12, program row 11, the slot's
    channel) and tells the listeners with a change message.

    Message thread only, like every component; the event queue is locked anyway so
    that a listener may drain it from wherever it is told. */
class NameSlot : public juce::Component,
                 public juce::ChangeBroadcaster
{
public:
    static constexpr int modeName = 0;
    static constexpr int modeCategory = 1;
    static constexpr int width = 58;
    static constexpr int nameModeHeight = 44;
    static constexpr int categoryModeHeight = 18;

    /** Event word of a click: code in bits 48..63, program row in bits 20..31, channel
        in bits 16..19, value 0. */
    static constexpr juce::uint64 clickEventCode = 12;
    static constexpr juce::uint64 programRow = 11;
    static juce::uint64 clickEvent (int channel) noexcept;

    // Colours (ARGB).
    static constexpr juce::uint32 initialLabelColour = 0xFFFFFFFF;
    static constexpr juce::uint32 initialNameColour = 0xFFD3ECF0;
    static constexpr juce::uint32 frameLightEdge = 0xFF000000; // top and left when pressed
    static constexpr juce::uint32 frameDarkEdge = 0xFF777777;  // bottom and right

    struct Lines
    {
        juce::String first, second;
    };

    /** Splits a program name into the two lines mode 0 shows. A name shorter than 10
        characters, or without a blank, is line 1 alone. Otherwise the break is the first
        blank when it stands at 5 or later, else the second blank (when there is one).
        Line 2 stops one character short of the name's end: the stores' 20-character
        names end in a blank that need not be shown. */
    static Lines splitName (const juce::String& name);

    /** mode: modeName or modeCategory; channel: the MIDI channel 0..15 it belongs to.
        Shows "Standard Grand". */
    NameSlot (int mode, int channel);

    /** Splits the program name into the two lines (splitName); the owner repaints.
        Named apart from Component::setName, which stays the component's own name. */
    void setProgramName (const juce::String& name);
    /** Replace the text; the owner repaints. */
    void setLabel (const juce::String& label);
    void setCategoryText (const juce::String& category);

    void setLabelColour (juce::Colour c) { labelColour = c; }
    void setNameColour (juce::Colour c) { nameColour = c; }
    void setCategoryColour (juce::Colour c) { categoryColour = c; }

    const juce::String& getNameLine1() const noexcept { return nameLine1; }
    const juce::String& getNameLine2() const noexcept { return nameLine2; }
    const juce::String& getLabel() const noexcept { return label; }
    const juce::String& getCategoryText() const noexcept { return category; }
    /** What the last paint drew of the name lines and the category: each line as a
        whole, or shortened at a whole character with an ellipsis when even the
        smallest legible size does not fit the slot. */
    const juce::String& getShownLine1() const noexcept { return shownLine1; }
    const juce::String& getShownLine2() const noexcept { return shownLine2; }
    const juce::String& getShownCategory() const noexcept { return shownCategory; }
    bool isPressed() const noexcept { return pressed != 0; }
    int getMode() const noexcept { return mode; }
    int getChannel() const noexcept { return channel; }

    /** Takes the oldest queued event word; false when the queue is empty. */
    bool popEvent (juce::uint64& word);

    void paint (juce::Graphics& g) override;
    void mouseDown (const juce::MouseEvent&) override;
    void mouseUp (const juce::MouseEvent&) override;

private:
    juce::String category { "Piano" };
    juce::String label { "BS1:0001" };
    juce::CriticalSection eventLock;
    std::deque<juce::uint64> events;
    juce::uint8 pressed = 0;
    juce::Colour labelColour { initialLabelColour };
    juce::Colour nameColour { initialNameColour };
    juce::Colour categoryColour { initialNameColour };
    juce::String nameLine1, nameLine2;
    juce::String shownLine1, shownLine2, shownCategory;
    juce::Image nameBackground, categoryBackground;
    int mode = modeName;
    int channel = 0;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (NameSlot)
};

} // namespace zd8

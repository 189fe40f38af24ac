#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

namespace zd8
{

class EditorConnection;

/** A value field that sends its own changes to the instrument: the zone fields of the
    multi page and the hidden value field of the parameter assignment table.

    What the user does is queued as EditEvent-style words (code 48..63, parameter number
    32..47, sub-kind 20..31, channel 16..19, value 0..15) and announced with the change
    message; the owner drains the queue with nextEvent(). A change by the user is also
    sent as a controller-addressed parameter change (through the connection, plain form) on
    MIDI channel channel + 1 with the address A1..A5, unless A1 is 0. A press tells the
    connection of the gesture until the release, so that a drag is one step to undo.
    Message thread only. */
class ZoneValueField : public juce::Component, public juce::ChangeBroadcaster
{
public:
    // Styles placed by the pages.
    static constexpr int plainBox = 0;      // 200x22 box with cap, label above when shown
    static constexpr int dragBox = 50;      // 200x18 box with cap: drag or cycle
    static constexpr int pressBox = 54;     // 180x24 box: a click asks the owner

    // Event codes.
    static constexpr int changedCode = 17;
    static constexpr int pressedCode = 18;
    static constexpr int entryCode = 19;

    /** Events kept for an owner that does not drain them; the oldest go first. */
    static constexpr int maxQueuedEvents = 64;

    explicit ZoneValueField (EditorConnection& connection);
    ~ZoneValueField() override;

    /** Identity and range; the value becomes the minimum (nothing is sent). */
    void setup (int parameterNumber, const juce::String& label, int minimum, int maximum, int valueFormat);
    /** Unscaled bounds and style; sets the bounds at the current scale. */
    void place (int x, int y, int width, int height, int style);
    void setScale (float factor);

    void setAddress (int a1, int a2, int a3, int a4, int a5) noexcept;
    /** The zone index is the second address byte. */
    void setZoneIndex (int index) noexcept { address[1] = index; }
    void setSubKind (int kind) noexcept { subKind = kind; }
    /** 0..15; changes go out on MIDI channel channel + 1. */
    void setChannel (int c) noexcept { channel = juce::jlimit (0, 15, c); }
    /** While set, a press only sends the change message (the owner selects a row). */
    void setPressesOnly (bool on) noexcept { pressesOnly = on; }
    void setLabelHidden (bool hidden);

    /** The owner's value: clamped, stored and repainted; no event, nothing sent. */
    void setValue (int v);
    /** The user's value: clamped; when it differs, stored, queued with code 17,
        announced, then sent to the instrument when A1 is not 0. */
    void userSet (int v);
    /** Queues code 19 (value 0) and sends the change message. */
    void requestEntry();

    /** Takes the oldest queued event; false when none is left. */
    bool nextEvent (juce::uint64& event);
    int getNumQueuedEvents() const noexcept { return events.size(); }

    int getValue() const noexcept { return value; }
    int getMinimum() const noexcept { return minimum; }
    int getMaximum() const noexcept { return maximum; }
    int getStyle() const noexcept { return style; }
    int getParameterNumber() const noexcept { return parameterNumber; }
    int getChannel() const noexcept { return channel; }
    int getAddress (int index) const noexcept { return address[juce::jlimit (0, 4, index)]; }
    double getDragStep() const noexcept { return dragStep; }
    bool isLabelHidden() const noexcept { return labelHidden; }
    const juce::String& getLabel() const noexcept { return label; }
    /** The value as its value format shows it. */
    juce::String getValueText() const;

    void paint (juce::Graphics&) override;
    void mouseDown (const juce::MouseEvent&) override;
    void mouseDrag (const juce::MouseEvent&) override;
    void mouseUp (const juce::MouseEvent&) override;
    void mouseWheelMove (const juce::MouseEvent&, const juce::MouseWheelDetails&) override;

private:
    void queue (int code, int eventValue);
    /** The press that began a gesture of the connection's is over. */
    void endGesture();
    void loadPictures();
    void updateDragStep() noexcept;
    void drawCappedBox (juce::Graphics&, juce::Rectangle<int> area, const juce::Image& body, const juce::Image& cap) const;

    EditorConnection& connection;
    int value = 0, minimum = 0, maximum = 0, valueFormat = 0;
    int style = plainBox;
    juce::String label;
    bool labelHidden = true;
    juce::Rectangle<int> unscaledBounds;
    float scale = 1.0f;
    double dragStep = 1.0;
    int parameterNumber = 0, subKind = 0, channel = 0;
    int address[5] = { 0, 0, 0, 0, 0 };
    bool pressesOnly = false, dragging = false, armed = false, gestureHeld = false;
    juce::Point<int> pressPoint;
    int pressValue = 0;
    juce::Array<juce::uint64> events;
    juce::Image body, cap;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (ZoneValueField)
};

} // namespace zd8

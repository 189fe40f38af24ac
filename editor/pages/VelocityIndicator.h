#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

namespace zd8
{

class EditorConnection;

/** The keyboard panel's note-velocity setter: a bar of 0..127. Settings of 6 and more
    are the velocity of every mouse-played key; below that ("KBD") the velocity comes
    from where the key is hit. Dragging in the bar's column sets 127 - pointer y; a
    change is stored in the engine's keyboard velocity and sends the change message.
    Message thread only. */
class VelocityIndicator : public juce::Component, public juce::ChangeBroadcaster
{
public:
    static constexpr int width = 70, height = 118;
    static constexpr int barHeight = 103;
    static constexpr int grabWidth = 40;      // presses left of this start a drag
    static constexpr int positionBelow = 5;   // values below this show "KBD"

    VelocityIndicator (EditorConnection& connection, float scale = 1.0f);

    /** Clamps to 0..127; a change is stored in the engine and repainted (no message). */
    void setValue (int v);
    int getValue() const noexcept { return value; }
    bool isDragging() const noexcept { return dragging; }

    void paint (juce::Graphics&) override;
    void mouseDown (const juce::MouseEvent&) override;
    void mouseDrag (const juce::MouseEvent&) override;
    void mouseUp (const juce::MouseEvent&) override;

private:
    void userSet (int v);

    EditorConnection& connection;
    float scale;
    int value = -1;   // -1 until the first set
    bool dragging = false;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (VelocityIndicator)
};

} // namespace zd8

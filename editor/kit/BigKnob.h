#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

namespace zd8
{

/** The large 120x120 data knob of 36 positions (0..35). A drag turns it to the
    pointer's angle, the wheel steps it with wrap-around; every change of value sends
    the change message and remembers whether the value went up or down.
    Its tooltip says what it does and shows its position. Message thread only. */
class BigKnob : public juce::Component, public juce::ChangeBroadcaster, public juce::TooltipClient
{
public:
    static constexpr int size = 120;
    static constexpr int maximum = 35;
    static constexpr double turnRange = 35.0;

    BigKnob();

    /** Within 0..35 and different from the current value: stored, direction recorded,
        change message, repaint. Anything else is ignored. */
    void setValue (int v);
    int getValue() const noexcept { return value; }
    int getPreviousValue() const noexcept { return previous; }
    /** The last change in positions, taking the shorter way round the dial (35 -> 0 is
        one step up, not 35 down). */
    int lastStep() const noexcept
    {
        constexpr int positions = maximum + 1;
        int step = value - previous;
        if (step > positions / 2)
            step -= positions;
        else if (step < -positions / 2)
            step += positions;
        return step;
    }
    /** +1 when the last change went up, -1 when it went down. */
    int getDirection() const noexcept { return direction; }

    /** What lies under the knob, drawn first (owner's choice). */
    void setBackground (const juce::Image& picture);

    /** The picture frame (0..35) shown for a value. */
    static int frameFor (int value) noexcept;
    /** The value a drag to (x, y) chooses: the angle around the centre, clockwise from
        straight down. */
    static int valueAt (float x, float y) noexcept;

    void paint (juce::Graphics&) override;
    void mouseDrag (const juce::MouseEvent&) override;
    void mouseWheelMove (const juce::MouseEvent&, const juce::MouseWheelDetails&) override;

    /** "Data knob (turn to step through the list): 12". */
    juce::String getTooltip() override;

private:
    int value = 0, previous = 0, direction = 1;
    juce::Image background;
    juce::Image sheets[4];

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (BigKnob)
};

} // namespace zd8

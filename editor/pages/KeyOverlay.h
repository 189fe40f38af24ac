#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

namespace zd8
{

class PianoKey;
class PianoPad;

/** A see-through layer over all keys of the pad that takes the mouse: a press plays
    the key under the pointer, a drag moves from key to key (one event releases the
    old key, the next presses the new one), letting go releases every key. A gesture
    the window ended (its notes released while the button is still down) plays
    nothing more until the next press. Message thread only. */
class KeyOverlay : public juce::Component
{
public:
    explicit KeyOverlay (PianoPad& pad);

    void mouseDown (const juce::MouseEvent&) override;
    void mouseDrag (const juce::MouseEvent&) override;
    void mouseUp (const juce::MouseEvent&) override;

    /** Forgets the gesture under way: drags play nothing until the button goes down again. */
    void abandonGesture() noexcept;

private:
    PianoPad& pad;
    PianoKey* remembered = nullptr;
    bool abandoned = false;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (KeyOverlay)
};

} // namespace zd8

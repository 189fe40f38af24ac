#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

namespace zd8
{

class MidiCntrState;

/** The keyboard panel along the bottom of the window: the note-velocity setting, the
    pitch and modulation wheel places, and a piano keyboard of 25-pixel white keys
    starting at the keyboard octave, as many keys as the panel's width holds. Pressing
    a key plays it on the current channel (the velocity setting, or 100 while the
    setting asks for velocity by position); releasing the mouse ends it.
    Message thread only. */
class KeyBrd : public juce::Component
{
public:
    static constexpr int panelHeight = 172;
    static constexpr int panelX = 16;
    static constexpr int padX = 180;
    static constexpr int padY = 18;
    static constexpr int whiteKeyWidth = 25;
    static constexpr int whiteKeyHeight = 152;
    static constexpr int blackKeyWidth = 16;
    static constexpr int blackKeyHeight = 100;
    static constexpr int octaveWidth = 175;

    explicit KeyBrd (MidiCntrState& hub);
    ~KeyBrd() override;

    /** The panel sits at x 16 with the given top, width and height. */
    void place (int y, int width, int height);

    /** Number of keys drawn (whole white keys that fit, never ending on a black key). */
    int getVisibleKeyCount() const noexcept { return visibleKeys; }
    /** The key index at a point of the panel, -1 for none. */
    int keyAt (juce::Point<int> position) const;
    /** The note a key plays: its index plus the keyboard octave times 12. */
    int noteOfKey (int key) const;
    int getSoundingKey() const noexcept { return soundingKey; }

    void paint (juce::Graphics&) override;
    void resized() override;
    void mouseDown (const juce::MouseEvent&) override;
    void mouseDrag (const juce::MouseEvent&) override;
    void mouseUp (const juce::MouseEvent&) override;

private:
    static bool isBlack (int key) noexcept;
    juce::Rectangle<int> keyBounds (int key) const;
    void press (int key);
    void release();
    void paintWheel (juce::Graphics&, juce::Rectangle<int> area, const juce::String& caption, float position) const;

    MidiCntrState& hub;
    int visibleKeys = 0;
    int soundingKey = -1, soundingNote = -1;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (KeyBrd)
};

} // namespace zd8

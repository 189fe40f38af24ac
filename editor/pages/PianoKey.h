#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

namespace zd8
{

class EditorConnection;

/** One key of the keyboard panel's pad: index 0..126 from the left, white or black by
    its place in the octave. The key plays index + keyboard octave * 12 on the current
    channel; the mouse reaches it through the pad's overlay, never directly. It lights
    while it sounds and while the instrument (or the host) holds its note, and repaints
    a moment after a change (20 ms after a press, 30 ms after a release) so that a
    quick run of changes costs one repaint. Message thread only. */
class PianoKey : public juce::Component, private juce::Timer
{
public:
    static constexpr int pressRepaintMs = 20;
    static constexpr int releaseRepaintMs = 30;

    // Key sizes at scale 1, in pixels.
    static constexpr float whiteWidth = 25.0f, whiteHeight = 152.0f;
    static constexpr float blackWidth = 16.0f, blackHeight = 100.0f;

    // Velocity settings 0..5 ask for velocity by where the key is hit.
    static constexpr int fixedVelocityFrom = 6;

    PianoKey (int index, EditorConnection& connection);
    ~PianoKey() override;

    int getIndex() const noexcept { return index; }
    bool isBlack() const noexcept { return black; }
    static bool isBlackIndex (int index) noexcept;

    /** Places the key for a scale; bounds and hit-test edge are floats as laid out. */
    void layout (float scale);
    juce::Rectangle<float> getKeyBounds() const noexcept { return keyBounds; }
    float getHitLeft() const noexcept { return hitLeft; }

    /** A press at height y (pixels from the key's top): plays the note unless the key
        already sounds, the position gives nothing or the note lies above 127. */
    void press (float y);
    /** Ends the note if the key sounds, on the channel it started on; nothing
        otherwise. */
    void release();

    bool isSounding() const noexcept { return sounding; }
    int getSoundingVelocity() const noexcept { return velocity; }
    /** The note this key plays at the current keyboard octave. */
    int getNote() const noexcept;

    /** The velocity a press at height y gives for a velocity setting, 0 for no note. */
    static int velocityFor (bool black, int setting, float y) noexcept;

    /** The instrument holds this key's note. */
    void setLit (bool on);
    bool isLit() const noexcept { return lit; }

    void paint (juce::Graphics&) override;

private:
    void timerCallback() override;

    const int index;
    const bool black;
    EditorConnection& connection;
    juce::Rectangle<float> keyBounds;
    float hitLeft = 0.0f;
    bool sounding = false, lit = false;
    int velocity = 0;
    int soundingNote = -1;
    int soundingChannel = 0;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (PianoKey)
};

} // namespace zd8

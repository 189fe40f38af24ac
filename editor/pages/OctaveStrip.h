#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

namespace zd8
{

/** The keyboard panel's octave strip: all 128 notes in miniature, with the notes the
    panel's keys can reach (base .. base + 61) left bright. A click picks the octave
    under the pointer as the new base (a C between 0 and 72) and sends the change
    message; the owner turns the octave number into the keyboard octave.
    Message thread only. */
class OctaveStrip : public juce::Component, public juce::ChangeBroadcaster
{
public:
    static constexpr int lowestBase = 0, highestBase = 72;
    static constexpr int reachedNotes = 62;   // base .. base + 61 stay bright

    explicit OctaveStrip (float scale = 0.7f);

    /** The owner's base note (a multiple of 12 within 0..72; no message). */
    void setBase (int note);
    int getBase() const noexcept { return base; }
    int getOctave() const noexcept { return octave; }

    /** The base a click at x (strip coordinates) picks. */
    int baseAt (float x) const noexcept;

    void paint (juce::Graphics&) override;
    void mouseDown (const juce::MouseEvent&) override;

private:
    float xOfWhiteKey (int whiteNumber) const noexcept;
    float leftOfNote (int note) const noexcept;
    float rightOfNote (int note) const noexcept;

    float scale;
    int base = 36;
    int octave = 3;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (OctaveStrip)
};

} // namespace zd8

#pragma once

#include "editor/pages/KeyOverlay.h"
#include "editor/pages/PianoKey.h"

#include <array>
#include <memory>

namespace zd8
{

class EditorConnection;

/** The keyboard panel's key pad: 127 keys (index 0 at the left, playing the keyboard
    octave's C), white keys edge to edge with the black keys in front, and the overlay
    that takes the mouse. Fitting shows the keys that fit the width in whole white
    keys. It also remembers which notes the instrument holds, so that the right keys
    light when the octave moves. Message thread only. */
class PianoPad : public juce::Component
{
public:
    static constexpr int numKeys = 127;

    explicit PianoPad (EditorConnection& connection);
    ~PianoPad() override;

    /** Lays the keys out for the scale and shows every key whose left edge lies within
        the width rounded down to whole white keys; a black key at the end goes too. */
    void fit (float scale);
    int getShownKeyCount() const noexcept { return shownKeys; }

    /** The key under a point of the pad (pad coordinates), nullptr for none. Below the
        black keys only white keys count; above, the key whose hit-test edge is the last
        one at or left of the point. */
    PianoKey* keyAt (juce::Point<float> position) const;
    PianoKey& getKey (int index) const { return *keys[(size_t) index]; }
    /** The layer that takes the pad's mouse events. */
    KeyOverlay& getOverlay() noexcept { return overlay; }

    void releaseAll();
    /** Releases every key and ends the mouse gesture under way, so that a button still
        down plays nothing more (the window letting go of its notes). */
    void silence();

    /** A note held or let go by the instrument (or the host) on the current channel. */
    void setNoteHeld (int note, bool held);
    bool isNoteHeld (int note) const noexcept;
    /** The keyboard octave changed: keys light by their new notes and relabel. */
    void octaveChanged();

    void resized() override;
    void paint (juce::Graphics&) override;

private:
    EditorConnection& connection;
    std::array<std::unique_ptr<PianoKey>, numKeys> keys;
    std::array<bool, 128> heldNotes {};
    KeyOverlay overlay;
    float scale = 1.0f;
    int shownKeys = 0;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (PianoPad)
};

} // namespace zd8

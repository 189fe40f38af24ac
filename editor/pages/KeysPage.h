#pragma once

#include "editor/kit/WheelControl.h"
#include "editor/pages/OctaveStrip.h"
#include "editor/pages/PianoPad.h"
#include "editor/pages/VelocityIndicator.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <functional>

namespace zd8
{

class EditorConnection;

/** The keyboard panel along the bottom of the window: the note-velocity setter, the
    pitch and modulation wheels, the octave strip and the key pad. Keys play on the
    current channel straight to the instrument. The wheels, the velocity setter and the
    octave strip send change messages; the main window turns them into MIDI and into
    the engine's keyboard settings. The top 20 pixels are a grip that resizes the panel:
    the top edge follows the pointer and the bottom edge stays where it is (the panel
    stands on the window's status line). Message thread only. */
class KeysPage : public juce::Component
{
public:
    static constexpr int panelHeight = 172;
    static constexpr int panelX = 16;
    static constexpr int padX = 180, padY = 20, padHeight = 156;
    static constexpr int padRightMargin = 30;
    static constexpr int minPadRoom = 100;    // the pad is fitted only when width - 180 exceeds this
    static constexpr int gripHeight = 20;
    static constexpr int minHeight = 64;
    static constexpr int tallHeight = 730;   // the tallest the grip makes it unless told otherwise

    explicit KeysPage (EditorConnection& connection);
    ~KeysPage() override;

    /** The panel sits at x 16 with the given top, width and height. */
    void place (int y, int width, int height);
    /** The tallest the grip may make the panel (the main window keeps room above it). */
    void setTallestHeight (int h) noexcept { tallest = juce::jmax (minHeight, h); }
    int getTallestHeight() const noexcept { return tallest; }
    /** Called after the grip changed the panel's height (and top). */
    std::function<void()> onGripResize;

    PianoPad& getPad() noexcept { return pad; }
    VelocityIndicator& getVelocity() noexcept { return velocity; }
    OctaveStrip& getOctaveStrip() noexcept { return octaveStrip; }
    WheelControl& getPitchWheel() noexcept { return pitchWheel; }
    WheelControl& getModWheel() noexcept { return modWheel; }

    /** The engine's keyboard octave changed (the main window stored the strip's octave):
        keys relabel and light by their new notes. */
    void octaveChanged();
    /** Ends every note the keys sound and the mouse gesture under way. */
    void silence() { pad.silence(); }
    /** A note the instrument or the host holds (true) or let go, on the current channel. */
    void showNote (int note, bool held) { pad.setNoteHeld (note, held); }

    void paint (juce::Graphics&) override;
    void resized() override;
    void mouseMove (const juce::MouseEvent&) override;
    void mouseDown (const juce::MouseEvent&) override;
    void mouseDrag (const juce::MouseEvent&) override;
    void mouseUp (const juce::MouseEvent&) override;

private:
    EditorConnection& connection;
    VelocityIndicator velocity;
    PianoPad pad;
    OctaveStrip octaveStrip;
    WheelControl pitchWheel { true }, modWheel { false };

    bool resizing = false;
    int resizeStartHeight = 0;
    int resizeStartY = 0;   // the pointer's y in the parent's coordinates at the press
    int tallest = tallHeight;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (KeysPage)
};

} // namespace zd8

#pragma once

#include "editor/kit/Palette.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <array>
#include <functional>

namespace zd8
{

class EditorConnection;

/** The computer-keyboard player: a one-line strip that takes the keyboard focus when
    clicked and plays the letter row Z S X D C V G B H N J M as one octave from its
    base note on the current channel, straight to the instrument. O and P move the
    octave, U and I the velocity, space silences every note; a short status text says
    what happened and clears itself after 750 ms. A note ends when its letter key is
    let go, or on its own channel when the strip lets go of every note it started
    (focus lost, its window closing). Message thread only. */
class ComputerKeyboardPlayer : public juce::Component, private juce::Timer
{
public:
    static constexpr int statusMs = 750;
    static constexpr int initialVelocity = 100;
    static constexpr int initialBase = 36;

    /** Whether a key (framework key code) is held down now; the real keyboard unless a
        test puts its own in. */
    using KeyDownCheck = std::function<bool (int keyCode)>;

    /** On X11 a held key repeats as a key-up followed at once by a key-down, and the
        framework does not always see the pair: with the real keyboard a let-go note key
        is believed only when it is still up this long after its key-up. */
    static constexpr int x11KeyUpConfirmMs = 40;

    explicit ComputerKeyboardPlayer (EditorConnection& connection);
    ~ComputerKeyboardPlayer() override;

    /** A keyboard of the caller's own: it does not repeat, so its key-ups count at once. */
    void setKeyDownCheck (KeyDownCheck check)
    {
        keyDown = std::move (check);
        keyUpConfirmMs = 0;
    }

    /** Shows the text and clears it 750 ms later. */
    void status (const juce::String& text);
    const juce::String& getStatus() const noexcept { return statusText; }

    int getVelocity() const noexcept { return velocity; }
    int getBase() const noexcept { return base; }
    bool isSounding (int note) const noexcept;

    /** Ends every note this strip started and has not ended, each once, on the channel
        it started on. While the strip keeps the focus (the page changed), a note key
        still held plays again only after it has been let go: its repeats are no new
        presses. */
    void releaseAll();

    /** "C3" for note 36: the name in the octave, then note div 12. */
    static juce::String noteName (int note);

    bool keyPressed (const juce::KeyPress&) override;
    bool keyStateChanged (bool isKeyDown) override;
    void mouseDown (const juce::MouseEvent&) override;
    void focusGained (FocusChangeType) override;
    void focusLost (FocusChangeType) override;
    void paint (juce::Graphics&) override;

private:
    void timerCallback() override;
    void play (int step);
    void allNotesOff();
    // Note-off for the let-go note keys: the first one in note order, or every one.
    void releaseLetGoKeys (bool firstOnly);

    EditorConnection& connection;
    int velocity = initialVelocity;
    int base = initialBase;
    // Per note the channel (1..16) it sounds on, 0 while silent.
    std::array<juce::uint8, 128> sounding {};
    // Per note key (in note order): ended by releaseAll while still held.
    std::array<bool, 12> silencedWhileHeld {};
    juce::String statusText;
    juce::Colour textColour { Palette::computerKeyboardPlayerText }, backColour { Palette::computerKeyboardPlayerBack };
    KeyDownCheck keyDown;
   #if JUCE_LINUX || JUCE_BSD
    int keyUpConfirmMs = x11KeyUpConfirmMs;
   #else
    int keyUpConfirmMs = 0;
   #endif
    bool keyUpCheckDue = false;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (ComputerKeyboardPlayer)
};

} // namespace zd8

#include "editor/shell/ComputerKeyboardPlayer.h"

#include "editor/kit/Palette.h"
#include "plugin/EditorConnection.h"

namespace zd8
{

namespace
{
    constexpr int notesPerOctave = 12;
    constexpr int numNotes = 128;
    constexpr int velocityStep = 5;
    constexpr int highestByteKey = 255;   // framework codes above this are special keys

    // The note keys in note order (lower case as pressed, upper case as the key-down
    // check knows them).
    constexpr char noteKeys[notesPerOctave + 1] = "zsxdcvgbhnjm";
    constexpr char octaveDownKey = 'o', octaveUpKey = 'p';
    constexpr char softerKey = 'u', louderKey = 'i';
    constexpr int allOffKey = ' ';

    int upperCodeOf (int step)
    {
        return (int) juce::CharacterFunctions::toUpperCase ((juce::juce_wchar) noteKeys[step]);
    }

    const char* const noteNames[notesPerOctave] = { "C", "C#", "D", "D#", "E", "F", "F#", "G", "G#", "A", "A#", "B" };

    const juce::Colour idleText (Palette::computerKeyboardPlayerIdleText);
    const juce::Colour focusFrame (Palette::velocityIndicatorText);
    const juce::Colour restFrame (Palette::computerKeyboardPlayerRestFrame);
}

ComputerKeyboardPlayer::ComputerKeyboardPlayer (EditorConnection& c) : connection (c)
{
    keyDown = [] (int code) { return juce::KeyPress::isKeyCurrentlyDown (code); };
    setWantsKeyboardFocus (true);
    setMouseClickGrabsKeyboardFocus (true);
}

ComputerKeyboardPlayer::~ComputerKeyboardPlayer()
{
    stopTimer();
    releaseAll();
}

void ComputerKeyboardPlayer::releaseAll()
{
    const bool keysStillComeHere = hasKeyboardFocus (false);
    for (int step = 0; step < notesPerOctave; ++step)
    {
        const int note = base + step;
        auto& silenced = silencedWhileHeld[(size_t) step];
        silenced = keysStillComeHere
                && (silenced || (note < numNotes && sounding[(size_t) note] != 0 && keyDown (upperCodeOf (step))));
    }
    for (int note = 0; note < numNotes; ++note)
    {
        if (const int channel = sounding[(size_t) note]; channel != 0)
        {
            connection.sendNoteOff (channel, note);
            sounding[(size_t) note] = 0;
        }
    }
}

bool ComputerKeyboardPlayer::isSounding (int note) const noexcept
{
    return juce::isPositiveAndBelow (note, numNotes) && sounding[(size_t) note] != 0;
}

juce::String ComputerKeyboardPlayer::noteName (int note)
{
    if (note < 0)
        return {};
    return juce::String (noteNames[note % notesPerOctave]) + juce::String (note / notesPerOctave);
}

void ComputerKeyboardPlayer::status (const juce::String& text)
{
    statusText = text;
    repaint();
    startTimer (statusMs);
}

void ComputerKeyboardPlayer::timerCallback()
{
    stopTimer();
    statusText.clear();
    repaint();
}

void ComputerKeyboardPlayer::play (int step)
{
    const int note = base + step;
    if (note >= numNotes || sounding[(size_t) note] != 0 || silencedWhileHeld[(size_t) step])
        return;
    const int channel = connection.getMidiChannel();
    connection.sendNoteOn (channel, note, velocity);
    // The engine drops a note on a channel outside 1..16: nothing to end later.
    if (channel >= 1 && channel <= 16)
        sounding[(size_t) note] = (juce::uint8) channel;
    status ("Play Chn: " + juce::String (channel) + " Key: " + noteName (note) + " Vel: " + juce::String (velocity));
}

void ComputerKeyboardPlayer::allNotesOff()
{
    const int channel = connection.getMidiChannel();
    for (int note = 0; note < numNotes; ++note)
    {
        connection.sendNoteOff (channel, note);
        sounding[(size_t) note] = 0;
    }
    status ("All Notes OFF");
}

bool ComputerKeyboardPlayer::keyPressed (const juce::KeyPress& key)
{
    const int code = key.getKeyCode();
    if (code == juce::KeyPress::upKey || code == juce::KeyPress::downKey || code == juce::KeyPress::leftKey
        || code == juce::KeyPress::rightKey || code == juce::KeyPress::F5Key || code == juce::KeyPress::F6Key)
        return true;
    if (code < 0 || code > highestByteKey)
        return false;
    // A letter with Ctrl, Cmd or Alt is the window's command (Ctrl+Z), never a note.
    const auto mods = key.getModifiers();
    if (mods.isCommandDown() || mods.isCtrlDown() || mods.isAltDown())
        return false;

    const auto c = (char) juce::CharacterFunctions::toLowerCase ((juce::juce_wchar) code);
    for (int step = 0; step < notesPerOctave; ++step)
    {
        if (c == noteKeys[step])
        {
            play (step);
            return true;
        }
    }

    switch (c)
    {
        case allOffKey:
            allNotesOff();
            return true;
        case octaveDownKey:
            if (base > 0)
                base -= notesPerOctave;
            status ("Octave " + juce::String (base / notesPerOctave - 2));
            return true;
        case octaveUpKey:
            if (base < 115)
                base += notesPerOctave;
            status ("Octave " + juce::String (base / notesPerOctave - 2));
            return true;
        case softerKey:
            if (velocity > 4)
                velocity -= velocityStep;
            status ("Note Velocity: " + juce::String (velocity));
            return true;
        case louderKey:
            if (velocity < 122)
                velocity += velocityStep;
            status ("Note Velocity: " + juce::String (velocity));
            return true;
        default:
            return false;
    }
}

bool ComputerKeyboardPlayer::keyStateChanged (bool)
{
    if (keyUpConfirmMs == 0)
    {
        releaseLetGoKeys (true);
        return false;
    }
    // A key-up of X11's key repeat is followed by its key-down within the moment:
    // the keys are looked at once that has passed, and every note whose key is still
    // up then ends.
    if (! keyUpCheckDue)
    {
        keyUpCheckDue = true;
        juce::Timer::callAfterDelay (keyUpConfirmMs, [player = juce::Component::SafePointer<ComputerKeyboardPlayer> (this)]
        {
            if (player != nullptr)
            {
                player->keyUpCheckDue = false;
                player->releaseLetGoKeys (false);
            }
        });
    }
    return false;
}

void ComputerKeyboardPlayer::releaseLetGoKeys (bool firstOnly)
{
    // A key the window silenced while held plays again once it has been let go.
    for (int step = 0; step < notesPerOctave; ++step)
        if (silencedWhileHeld[(size_t) step] && ! keyDown (upperCodeOf (step)))
            silencedWhileHeld[(size_t) step] = false;

    // In note order, the letters whose note still sounds although the key is up.
    for (int step = 0; step < notesPerOctave; ++step)
    {
        const int note = base + step;
        if (note >= numNotes || sounding[(size_t) note] == 0)
            continue;
        if (! keyDown (upperCodeOf (step)))
        {
            connection.sendNoteOff (sounding[(size_t) note], note);
            sounding[(size_t) note] = 0;
            if (firstOnly)
                break;
        }
    }
}

void ComputerKeyboardPlayer::mouseDown (const juce::MouseEvent&)
{
    grabKeyboardFocus();
}

void ComputerKeyboardPlayer::focusGained (FocusChangeType) { repaint(); }
void ComputerKeyboardPlayer::focusLost (FocusChangeType)
{
    // The key-up of a held letter now goes elsewhere (or nowhere, with the window
    // inactive): end the notes here rather than leave them sounding.
    releaseAll();
    repaint();
}

void ComputerKeyboardPlayer::paint (juce::Graphics& g)
{
    const auto r = getLocalBounds().toFloat().reduced (0.5f, 2.5f);
    const bool focused = hasKeyboardFocus (false);
    g.setColour (backColour);
    g.fillRoundedRectangle (r, 3.0f);
    g.setColour (focused ? focusFrame : restFrame);
    g.drawRoundedRectangle (r, 3.0f, 1.0f);

    // A small key-cap glyph: lit while the strip has the keyboard.
    const juce::Rectangle<float> glyph (r.getX() + 5.0f, r.getCentreY() - 4.0f, 14.0f, 8.0f);
    g.setColour (focused ? focusFrame : idleText);
    g.drawRoundedRectangle (glyph, 1.5f, 1.0f);
    for (int i = 0; i < 3; ++i)
        g.fillRect (glyph.getX() + 3.0f + 3.5f * (float) i, glyph.getY() + 2.5f, 1.5f, 1.5f);
    g.fillRect (glyph.getX() + 4.0f, glyph.getY() + 5.0f, 6.0f, 1.0f);

    if (statusText.isNotEmpty())
    {
        g.setColour (textColour);
        g.setFont (juce::Font ("Arial", 11.0f, juce::Font::plain));
        g.drawText (statusText, r.withTrimmedLeft (24.0f).withTrimmedRight (4.0f), juce::Justification::centredLeft, true);
    }
}

} // namespace zd8

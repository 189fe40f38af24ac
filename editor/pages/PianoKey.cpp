#include "editor/pages/PianoKey.h"

#include "editor/kit/Palette.h"
#include "plugin/EditorConnection.h"
#include "plugin/EditorSession.h"

namespace zd8
{

namespace
{
    constexpr int notesPerOctave = 12;
    constexpr int highestNote = 127;
    constexpr float octaveWidth = 175.0f;   // seven white keys
    constexpr float hitGap = 2.0f;          // a white key's hit area starts this far right of a black key

    // Left edge of each black key inside its octave, scale 1; -1 for the white keys.
    constexpr int blackOffsets[notesPerOctave] = { -1, 15, -1, 44, -1, -1, 90, -1, 116, -1, 144, -1 };
    constexpr int whitesBefore[notesPerOctave] = { 0, 1, 1, 2, 2, 3, 4, 4, 5, 5, 6, 6 };

    // Velocity by position: white keys are live from 52 px down, black keys to 100 px;
    // 152 is the bottom of a white key.
    constexpr float whiteDeadTop = 52.0f;
    constexpr float blackLiveHeight = 100.0f;
    constexpr float lowestLivePoint = 152.0f;
    constexpr double positionToVelocity = 1.27;
    constexpr int softestPositionVelocity = 5;

    const juce::Colour whiteTop (Palette::pianoKeyWhiteTop), whiteBottom (Palette::pianoKeyWhiteBottom);
    const juce::Colour whitePlayedTop (Palette::pianoKeyWhitePlayedTop), whitePlayedBottom (Palette::pianoKeyWhitePlayedBottom);
    const juce::Colour whiteLitTop (Palette::pianoKeyWhiteLitTop), whiteLitBottom (Palette::pianoKeyWhiteLitBottom);
    const juce::Colour blackTop (Palette::pianoKeyBlackTop), blackBottom (Palette::pianoKeyBlackBottom);
    const juce::Colour blackPlayedTop (Palette::pianoKeyBlackPlayedTop), blackPlayedBottom (Palette::pianoKeyBlackPlayedBottom);
    const juce::Colour blackLitTop (Palette::pianoKeyBlackLitTop), blackLitBottom (Palette::pianoKeyBlackLitBottom);
    const juce::Colour keyGap (Palette::pianoKeyKeyGap);
    const juce::Colour labelColour (Palette::pianoKeyLabel);
}

PianoKey::PianoKey (int i, EditorConnection& c) : index (i), black (isBlackIndex (i)), connection (c)
{
    setInterceptsMouseClicks (false, false);
    setOpaque (false);
}

PianoKey::~PianoKey()
{
    release();
}

bool PianoKey::isBlackIndex (int i) noexcept
{
    return blackOffsets[i % notesPerOctave] >= 0;
}

void PianoKey::layout (float s)
{
    const int octave = index / notesPerOctave, step = index % notesPerOctave;
    if (black)
    {
        keyBounds = { ((float) blackOffsets[step] + (float) octave * octaveWidth) * s, 0.0f, blackWidth * s, blackHeight * s };
        hitLeft = keyBounds.getX();
    }
    else
    {
        const int whiteNumber = octave * 7 + whitesBefore[step];
        keyBounds = { (float) whiteNumber * whiteWidth * s, 0.0f, whiteWidth * s, whiteHeight * s };
        hitLeft = keyBounds.getX();
        if (step > 0 && blackOffsets[step - 1] >= 0)
            hitLeft = ((float) blackOffsets[step - 1] + (float) octave * octaveWidth + blackWidth + hitGap) * s;
    }
    setBounds (keyBounds.getSmallestIntegerContainer());
}

int PianoKey::getNote() const noexcept
{
    return index + connection.getEditorSession().keyboardOctave.load() * notesPerOctave;
}

int PianoKey::velocityFor (bool isBlackKey, int setting, float y) noexcept
{
    if (setting >= fixedVelocityFrom)
        return juce::jmin (setting, highestNote);
    if (y > lowestLivePoint)
        return 0;
    double p = 0.0;
    if (isBlackKey)
        p = y > blackLiveHeight ? (double) highestNote : (double) y;
    else
    {
        p = juce::jmax (0.0, (double) y - whiteDeadTop);
        if (p > highestNote)
            p = 2.0 * highestNote - p;
    }
    return juce::jlimit (softestPositionVelocity, highestNote, (int) (p * positionToVelocity));
}

void PianoKey::press (float y)
{
    if (sounding)
        return;
    const int v = velocityFor (black, connection.getEditorSession().keyboardVelocity.load(), y);
    if (v <= 0)
        return;
    const int note = getNote();
    if (note > highestNote)
        return;
    // The engine drops the note while the output is closed or the channel is out of range.
    const int channel = connection.getMidiChannel();
    connection.sendNoteOn (channel, note, v);
    sounding = true;
    soundingChannel = channel;
    velocity = v;
    soundingNote = note;
    startTimer (pressRepaintMs);
}

void PianoKey::release()
{
    if (! sounding)
        return;
    velocity = 0;
    // The note that was played, where it was played, even if the octave or the current
    // channel moved meanwhile.
    if (soundingNote <= highestNote)
        connection.sendNoteOff (soundingChannel, soundingNote);
    sounding = false;
    soundingNote = -1;
    soundingChannel = 0;
    startTimer (releaseRepaintMs);
}

void PianoKey::setLit (bool on)
{
    if (on == lit)
        return;
    lit = on;
    startTimer (on ? pressRepaintMs : releaseRepaintMs);
}

void PianoKey::timerCallback()
{
    stopTimer();
    repaint();
}

void PianoKey::paint (juce::Graphics& g)
{
    const auto r = keyBounds.withPosition (keyBounds.getPosition() - getPosition().toFloat());
    const bool played = sounding, held = lit && ! sounding;

    if (black)
    {
        const auto top = played ? blackPlayedTop : (held ? blackLitTop : blackTop);
        const auto bottom = played ? blackPlayedBottom : (held ? blackLitBottom : blackBottom);
        // Body, then a lighter front face at the bottom; a pressed key shows less of it.
        const float face = (played || held) ? 4.0f : 8.0f;
        g.setColour (juce::Colour (Palette::pianoKeyShadow));
        g.fillRoundedRectangle (r, 2.0f);
        g.setGradientFill (juce::ColourGradient (top, r.getX(), r.getY(), bottom, r.getX(), r.getBottom(), false));
        g.fillRoundedRectangle (r.reduced (1.5f, 0.0f).withTrimmedBottom (face), 1.5f);
        const juce::Rectangle<float> front (r.getX() + 2.0f, r.getBottom() - face - 1.0f, r.getWidth() - 4.0f, face);
        g.setGradientFill (juce::ColourGradient (top.brighter (0.12f), 0.0f, front.getY(), bottom.brighter (0.05f), 0.0f,
                                                 front.getBottom(), false));
        g.fillRoundedRectangle (front, 1.0f);
        g.setColour (juce::Colours::white.withAlpha (0.08f));
        g.fillRect (r.getX() + 2.5f, r.getY(), 1.5f, r.getHeight() - face - 2.0f);
        return;
    }

    const auto top = played ? whitePlayedTop : (held ? whiteLitTop : whiteTop);
    const auto bottom = played ? whitePlayedBottom : (held ? whiteLitBottom : whiteBottom);
    const auto body = r.withTrimmedRight (1.0f);
    g.setGradientFill (juce::ColourGradient (top, body.getX(), body.getY(), bottom, body.getX(), body.getBottom(), false));
    g.fillRoundedRectangle (body.withTrimmedTop (-4.0f), 3.0f);
    // Shade along the top where the key slides under the panel's rim.
    g.setGradientFill (juce::ColourGradient (juce::Colours::black.withAlpha (0.35f), 0.0f, body.getY(),
                                             juce::Colours::transparentBlack, 0.0f, body.getY() + 10.0f, false));
    g.fillRect (body.withHeight (10.0f));
    g.setColour (keyGap);
    g.fillRect (r.getRight() - 1.0f, r.getY(), 1.0f, r.getHeight() - 2.0f);

    const int note = getNote();
    if (note % notesPerOctave == 0 && note <= highestNote)
    {
        g.setColour (labelColour);
        g.setFont (juce::Font ("Arial", 9.0f, juce::Font::plain));
        g.drawText ("C" + juce::String (note / notesPerOctave), body.withTrimmedTop (body.getHeight() - 16.0f),
                    juce::Justification::centred, false);
    }
}

} // namespace zd8

#include "editor/pages/OctaveStrip.h"

#include "editor/kit/Palette.h"

namespace zd8
{

namespace
{
    constexpr int notesPerOctave = 12;
    constexpr int numNotes = 128;
    constexpr int numWhiteKeys = 75;          // white keys among notes 0..127
    constexpr float whiteStep = 3.573f;       // a white key at scale 1, pixels (25 per octave)
    constexpr float margin = 25.0f;           // left margin before note 0, times the scale
    constexpr float stripHeight = 18.0f;

    constexpr int semitoneOfWhite[7] = { 0, 2, 4, 5, 7, 9, 11 };
    constexpr int whitesBefore[notesPerOctave] = { 0, 1, 1, 2, 2, 3, 4, 4, 5, 5, 6, 6 };
    constexpr bool blackNote[notesPerOctave] = { false, true, false, true, false, false, true, false, true, false, true, false };

    const juce::Colour backColour (Palette::octaveStripBack);
    const juce::Colour whiteColour (Palette::octaveStripWhite);
    const juce::Colour blackColour (Palette::octaveStripBlack);
    const juce::Colour shade (Palette::octaveStripShade);
    const juce::Colour rangeFrame (Palette::octaveStripRangeFrame);
}

OctaveStrip::OctaveStrip (float s) : scale (s)
{
    setSize ((int) std::ceil (xOfWhiteKey (numWhiteKeys)) + 2, (int) std::ceil (stripHeight * s));
    setMouseCursor (juce::MouseCursor::PointingHandCursor);
}

void OctaveStrip::setBase (int note)
{
    note = juce::jlimit (lowestBase, highestBase, note / notesPerOctave * notesPerOctave);
    if (note == base)
        return;
    base = note;
    octave = base / notesPerOctave;
    repaint();
}

int OctaveStrip::baseAt (float x) const noexcept
{
    const float position = (x / scale - margin * scale) / whiteStep;
    if (position < 0.0f)
        return lowestBase;
    const int white = (int) position;
    const int note = white / 7 * notesPerOctave + semitoneOfWhite[white % 7];
    return juce::jlimit (lowestBase, highestBase, note / notesPerOctave * notesPerOctave);
}

void OctaveStrip::mouseDown (const juce::MouseEvent& e)
{
    base = baseAt (e.position.x);
    octave = base / notesPerOctave;
    repaint();
    sendChangeMessage();
}

float OctaveStrip::xOfWhiteKey (int whiteNumber) const noexcept
{
    return (margin * scale + (float) whiteNumber * whiteStep) * scale;
}

float OctaveStrip::leftOfNote (int note) const noexcept
{
    const int white = note / notesPerOctave * 7 + whitesBefore[note % notesPerOctave];
    const float x = xOfWhiteKey (white);
    return blackNote[note % notesPerOctave] ? x - whiteStep * scale * 0.3f : x;
}

float OctaveStrip::rightOfNote (int note) const noexcept
{
    const int white = note / notesPerOctave * 7 + whitesBefore[note % notesPerOctave];
    return blackNote[note % notesPerOctave] ? xOfWhiteKey (white) + whiteStep * scale * 0.3f : xOfWhiteKey (white + 1);
}

void OctaveStrip::paint (juce::Graphics& g)
{
    const float h = (float) getHeight();
    const float w = whiteStep * scale;
    g.fillAll (backColour);

    for (int i = 0; i < numWhiteKeys; ++i)
    {
        g.setColour (whiteColour);
        g.fillRect (xOfWhiteKey (i), 1.0f, w - 0.6f, h - 2.0f);
    }
    for (int note = 0; note < numNotes; ++note)
    {
        if (! blackNote[note % notesPerOctave])
            continue;
        g.setColour (blackColour);
        g.fillRect (leftOfNote (note), 1.0f, rightOfNote (note) - leftOfNote (note), (h - 2.0f) * 0.6f);
    }

    // Everything the panel's keys cannot reach at this base is shaded.
    const float from = leftOfNote (base);
    const float to = rightOfNote (juce::jmin (numNotes - 1, base + reachedNotes - 1));
    g.setColour (shade);
    g.fillRect (0.0f, 0.0f, from, h);
    g.fillRect (to, 0.0f, (float) getWidth() - to, h);
    g.setColour (rangeFrame.withAlpha (0.8f));
    g.drawRect (juce::Rectangle<float> (from, 0.0f, to - from, h), 1.0f);
}

} // namespace zd8

#include "editor/pages/KeyBrd.h"

#include "plugin/MidiCntrState.h"

namespace zd8
{

namespace
{
    constexpr int maxKeys = 127;
    // Left edge of each black key inside its octave (white keys are 25 pixels wide).
    constexpr int blackOffsets[12] = { -1, 15, -1, 44, -1, -1, 90, -1, 116, -1, 144, -1 };
    constexpr int whitesBefore[12] = { 0, 1, 1, 2, 2, 3, 4, 4, 5, 5, 6, 6 };
    constexpr int fixedVelocityFrom = 6;
    constexpr int positionVelocity = 100;

    const juce::Rectangle<int> velocityArea (15, 32, 70, 118);
    const juce::Rectangle<int> pitchWheelArea (86, 45, 31, 112);
    const juce::Rectangle<int> modWheelArea (136, 45, 31, 112);

    const juce::Colour panelBack (0xff1d1e20);
    const juce::Colour panelEdge (0xff34363a);
    const juce::Colour captionColour (0xff9a9ea4);
    const juce::Colour velocityTrack (0x66374c53);
    const juce::Colour velocityEmpty (0xff101010);
    const juce::Colour velocityFrame (0xff4d5051);
    const juce::Colour velocityText (0xff76bdd2);
    const juce::Colour whiteKey (0xfff1f1ee);
    const juce::Colour whiteKeyDown (0xffc9dde3);
    const juce::Colour blackKey (0xff151515);
    const juce::Colour blackKeyDown (0xff3c5a63);
    const juce::Colour keyLine (0xff6a6a6a);

    juce::Font arial (float size, bool bold = false)
    {
        return juce::Font ("Arial", size, bold ? juce::Font::bold : juce::Font::plain);
    }
}

KeyBrd::KeyBrd (MidiCntrState& h) : hub (h)
{
    setOpaque (true);
}

KeyBrd::~KeyBrd()
{
    release();
}

void KeyBrd::place (int y, int width, int height)
{
    setBounds (panelX, y, width, height);
}

bool KeyBrd::isBlack (int key) noexcept
{
    return blackOffsets[key % 12] >= 0;
}

juce::Rectangle<int> KeyBrd::keyBounds (int key) const
{
    const int octaveX = padX + (key / 12) * octaveWidth;
    if (isBlack (key))
        return { octaveX + blackOffsets[key % 12], padY, blackKeyWidth, blackKeyHeight };
    return { octaveX + whitesBefore[key % 12] * whiteKeyWidth, padY, whiteKeyWidth, whiteKeyHeight };
}

void KeyBrd::resized()
{
    // Whole white keys that fit into the pad; a last black key would stand half
    // outside, so it goes too.
    const int padWidth = juce::jmax (0, getWidth() - padX - 30);
    int count = 0;
    while (count < maxKeys && keyBounds (count).getRight() <= padX + padWidth - (padWidth % whiteKeyWidth))
        ++count;
    while (count > 0 && isBlack (count - 1))
        --count;
    visibleKeys = count;
}

int KeyBrd::keyAt (juce::Point<int> p) const
{
    for (int k = 0; k < visibleKeys; ++k)   // black keys lie in front of the white ones
        if (isBlack (k) && keyBounds (k).contains (p))
            return k;
    for (int k = 0; k < visibleKeys; ++k)
        if (! isBlack (k) && keyBounds (k).contains (p))
            return k;
    return -1;
}

int KeyBrd::noteOfKey (int key) const
{
    return key + hub.getEditorSession().keyboardOctave.load() * 12;
}

void KeyBrd::press (int key)
{
    if (key < 0 || key == soundingKey)
        return;
    release();
    const int note = noteOfKey (key);
    if (note > 127)
        return;
    const int setting = hub.getEditorSession().keyboardVelocity.load();
    hub.sendNoteOn (hub.getMidiChannel(), note, setting >= fixedVelocityFrom ? setting : positionVelocity);
    soundingKey = key;
    soundingNote = note;
    repaint (keyBounds (key).expanded (whiteKeyWidth, 0));
}

void KeyBrd::release()
{
    if (soundingKey < 0)
        return;
    hub.sendNoteOff (hub.getMidiChannel(), soundingNote);
    repaint (keyBounds (soundingKey).expanded (whiteKeyWidth, 0));
    soundingKey = soundingNote = -1;
}

void KeyBrd::mouseDown (const juce::MouseEvent& e) { press (keyAt (e.getPosition())); }

void KeyBrd::mouseDrag (const juce::MouseEvent& e)
{
    const int key = keyAt (e.getPosition());
    if (key != soundingKey)
    {
        release();
        press (key);
    }
}

void KeyBrd::mouseUp (const juce::MouseEvent&) { release(); }

//==============================================================================
void KeyBrd::paint (juce::Graphics& g)
{
    g.fillAll (panelBack);
    g.setColour (panelEdge);
    g.fillRect (0, 0, getWidth(), 2);

    // Velocity setting: a bar of the stored value, "KBD" while it asks for position.
    const int velocity = hub.getEditorSession().keyboardVelocity.load();
    const auto track = velocityArea.withWidth (22).withTrimmedBottom (15);
    g.setColour (velocityEmpty);
    g.fillRect (track);
    const int filled = juce::roundToInt ((float) track.getHeight() * (float) juce::jlimit (0, 127, velocity) / 127.0f);
    g.setColour (velocityTrack);
    g.fillRect (track.withTrimmedTop (track.getHeight() - filled));
    g.setColour (velocityFrame);
    g.drawRect (track);
    g.setColour (velocityText);
    g.setFont (arial (13.0f, true));
    g.drawText (velocity < fixedVelocityFrom ? juce::String ("KBD") : juce::String (velocity),
                track.getRight() + 4, track.getY(), 40, 18, juce::Justification::centredLeft);
    g.setColour (captionColour);
    g.setFont (arial (10.0f));
    g.drawFittedText ("Note Velocity", velocityArea.getX(), velocityArea.getBottom() - 12, 70, 12,
                      juce::Justification::centredLeft, 1);

    paintWheel (g, pitchWheelArea, "Pitch", 0.5f);
    paintWheel (g, modWheelArea, "Mod", 0.0f);

    // Keys: white ones first, the black ones in front.
    for (int k = 0; k < visibleKeys; ++k)
    {
        if (isBlack (k))
            continue;
        const auto r = keyBounds (k);
        g.setColour (k == soundingKey ? whiteKeyDown : whiteKey);
        g.fillRect (r.withTrimmedRight (1));
        g.setColour (keyLine);
        g.fillRect (r.getRight() - 1, r.getY(), 1, r.getHeight());
        if (noteOfKey (k) % 12 == 0)
        {
            g.setColour (juce::Colour (0xff7a7a7a));
            g.setFont (arial (9.0f));
            g.drawText ("C" + juce::String (noteOfKey (k) / 12 - 1), r.withTrimmedTop (r.getHeight() - 16),
                        juce::Justification::centred);
        }
    }
    for (int k = 0; k < visibleKeys; ++k)
    {
        if (! isBlack (k))
            continue;
        const auto r = keyBounds (k);
        g.setColour (k == soundingKey ? blackKeyDown : blackKey);
        g.fillRoundedRectangle (r.toFloat().withTrimmedTop (-3.0f), 2.0f);
    }
}

void KeyBrd::paintWheel (juce::Graphics& g, juce::Rectangle<int> area, const juce::String& caption, float position) const
{
    const auto slot = area.withTrimmedBottom (14).toFloat();
    g.setColour (juce::Colour (0xff0c0c0d));
    g.fillRoundedRectangle (slot, 4.0f);
    const auto wheel = slot.reduced (5.0f, 4.0f);
    g.setColour (juce::Colour (0xff2a2b2e));
    g.fillRoundedRectangle (wheel, 3.0f);
    const float y = wheel.getBottom() - position * wheel.getHeight();
    g.setColour (juce::Colour (0xff8c9096));
    g.fillRect (wheel.getX(), juce::jlimit (wheel.getY(), wheel.getBottom() - 3.0f, y - 1.5f), wheel.getWidth(), 3.0f);
    g.setColour (captionColour);
    g.setFont (arial (10.0f));
    g.drawText (caption, area.withTrimmedTop (area.getHeight() - 12), juce::Justification::centred);
}

} // namespace zd8

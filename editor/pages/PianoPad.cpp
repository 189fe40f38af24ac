#include "editor/pages/PianoPad.h"

#include "editor/kit/Palette.h"
#include "plugin/EditorConnection.h"
#include "plugin/EditorSession.h"

namespace zd8
{

namespace
{
    constexpr int notesPerOctave = 12;
    const juce::Colour padBack (Palette::pianoPadPadBack);
}

PianoPad::PianoPad (EditorConnection& c) : connection (c), overlay (*this)
{
    for (int i = 0; i < numKeys; ++i)
        keys[(size_t) i] = std::make_unique<PianoKey> (i, connection);
    // White keys first so that the black ones lie in front of them.
    for (auto& k : keys)
        if (! k->isBlack())
            addChildComponent (*k);
    for (auto& k : keys)
        if (k->isBlack())
            addChildComponent (*k);
    addAndMakeVisible (overlay);
    fit (scale);
}

PianoPad::~PianoPad()
{
    releaseAll();
}

void PianoPad::fit (float s)
{
    scale = s;
    const float step = PianoKey::whiteWidth * s;
    const float limit = std::floor ((float) getWidth() / step) * step;

    int count = 0;
    for (auto& k : keys)
    {
        k->layout (s);
        if (k->getKeyBounds().getX() < limit)
            count = k->getIndex() + 1;
    }
    if (count > 0 && keys[(size_t) count - 1]->isBlack())
        --count;
    shownKeys = count;

    for (auto& k : keys)
    {
        const bool show = k->getIndex() < shownKeys;
        if (! show)
            k->release();
        k->setVisible (show);
    }
}

void PianoPad::resized()
{
    overlay.setBounds (getLocalBounds());
    fit (scale);
}

PianoKey* PianoPad::keyAt (juce::Point<float> p) const
{
    if (shownKeys == 0 || p.x < 0.0f || p.y < 0.0f || p.y >= (float) getHeight())
        return nullptr;
    const auto& last = *keys[(size_t) shownKeys - 1];
    if (p.x >= last.getKeyBounds().getRight())
        return nullptr;

    const bool belowBlackKeys = p.y >= PianoKey::blackHeight * scale;
    PianoKey* found = nullptr;
    for (int i = 0; i < shownKeys; ++i)
    {
        auto& k = *keys[(size_t) i];
        if (belowBlackKeys)
        {
            if (! k.isBlack() && k.getKeyBounds().getX() <= p.x)
                found = &k;
        }
        else if (k.getHitLeft() <= p.x)
        {
            found = &k;
        }
    }
    return found;
}

void PianoPad::releaseAll()
{
    for (auto& k : keys)
        k->release();
}

void PianoPad::silence()
{
    overlay.abandonGesture();
    releaseAll();
}

void PianoPad::setNoteHeld (int note, bool held)
{
    if (! juce::isPositiveAndBelow (note, (int) heldNotes.size()))
        return;
    heldNotes[(size_t) note] = held;
    const int index = note - connection.getEditorSession().keyboardOctave.load() * notesPerOctave;
    if (juce::isPositiveAndBelow (index, numKeys))
        keys[(size_t) index]->setLit (held);
}

bool PianoPad::isNoteHeld (int note) const noexcept
{
    return juce::isPositiveAndBelow (note, (int) heldNotes.size()) && heldNotes[(size_t) note];
}

void PianoPad::octaveChanged()
{
    for (auto& k : keys)
        k->setLit (isNoteHeld (k->getNote()));
    repaint();
}

void PianoPad::paint (juce::Graphics& g)
{
    g.fillAll (padBack);
}

} // namespace zd8

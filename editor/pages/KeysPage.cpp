#include "editor/pages/KeysPage.h"

#include "editor/kit/Palette.h"
#include "plugin/EditorConnection.h"
#include "plugin/EditorSession.h"

namespace zd8
{

namespace
{
    constexpr int notesPerOctave = 12;

    const juce::Rectangle<int> velocityPlace (15, 32, 70, 118);
    const juce::Rectangle<int> pitchWheelPlace (86, 45, 31, 112);
    const juce::Rectangle<int> modWheelPlace (136, 45, 31, 112);
    constexpr int octaveStripY = 4;

    const juce::Colour panelBack (Palette::keysPagePanelBack);
    const juce::Colour rimColour (Palette::keysPageRim);
    const juce::Colour gripColour (Palette::keysPageGrip);
    const juce::Colour captionColour (Palette::keysPageCaption);
    const juce::Colour wellColour (Palette::keysPageWell);
}

KeysPage::KeysPage (EditorConnection& c) : connection (c), velocity (c, 1.0f), pad (c), octaveStrip (0.7f)
{
    setOpaque (true);
    auto& session = connection.getEditorSession();
    velocity.setValue (session.keyboardVelocity.load());
    octaveStrip.setBase (session.keyboardOctave.load() * notesPerOctave);

    addAndMakeVisible (velocity);
    addAndMakeVisible (pitchWheel);
    addAndMakeVisible (modWheel);
    addAndMakeVisible (octaveStrip);
    addAndMakeVisible (pad);

    velocity.setBounds (velocityPlace);
    pitchWheel.setBounds (pitchWheelPlace);
    modWheel.setBounds (modWheelPlace);
}

KeysPage::~KeysPage()
{
    pad.releaseAll();
}

void KeysPage::place (int y, int width, int height)
{
    setBounds (panelX, y, width, height);
}

void KeysPage::resized()
{
    const int w = getWidth();
    octaveStrip.setTopLeftPosition ((w - octaveStrip.getWidth()) / 2, octaveStripY);
    if (w - padX > minPadRoom)
        pad.setBounds (padX, padY, (w - padX) - padRightMargin, padHeight);
}

void KeysPage::octaveChanged()
{
    octaveStrip.setBase (connection.getEditorSession().keyboardOctave.load() * notesPerOctave);
    pad.octaveChanged();
}

//==============================================================================
void KeysPage::mouseMove (const juce::MouseEvent& e)
{
    setMouseCursor (e.y < gripHeight ? juce::MouseCursor::UpDownResizeCursor : juce::MouseCursor::NormalCursor);
}

void KeysPage::mouseDown (const juce::MouseEvent& e)
{
    resizing = e.y < gripHeight;
    resizeStartHeight = getHeight();
    resizeStartY = getY() + e.y;
}

void KeysPage::mouseDrag (const juce::MouseEvent& e)
{
    if (! resizing)
        return;
    // The grip is the top edge: it follows the pointer (measured in the parent, since the
    // panel itself moves) while the bottom edge stays put.
    const int pointerY = getY() + e.y;
    const int h = juce::jlimit (minHeight, juce::jmax (minHeight, tallest), resizeStartHeight + resizeStartY - pointerY);
    if (h == getHeight())
        return;
    setBounds (getX(), getBottom() - h, getWidth(), h);
    if (onGripResize)
        onGripResize();
}

void KeysPage::mouseUp (const juce::MouseEvent&)
{
    resizing = false;
}

//==============================================================================
void KeysPage::paint (juce::Graphics& g)
{
    const int w = getWidth(), h = getHeight();
    g.setGradientFill (juce::ColourGradient (juce::Colour (Palette::keysPagePanelTop), 0.0f, 0.0f, panelBack, 0.0f, (float) h, false));
    g.fillAll();

    // The grip: a rim along the top with three ridges in the middle.
    g.setColour (rimColour);
    g.fillRect (0, 0, w, 2);
    g.setColour (juce::Colours::black.withAlpha (0.5f));
    g.fillRect (0, gripHeight - 1, w, 1);
    g.setColour (gripColour);
    for (int i = 0; i < 3; ++i)
    {
        g.fillRect (octaveStrip.getX() - 34 + i * 6, 7, 3, 6);
        g.fillRect (octaveStrip.getRight() + 20 + i * 6, 7, 3, 6);
    }

    // Wells behind the controls on the left.
    g.setColour (wellColour);
    g.fillRoundedRectangle (juce::Rectangle<int> (8, 26, 164, 140).toFloat(), 6.0f);
    g.setColour (rimColour);
    g.drawRoundedRectangle (juce::Rectangle<int> (8, 26, 164, 140).toFloat().reduced (0.5f), 6.0f, 1.0f);

    g.setColour (captionColour);
    g.setFont (juce::Font ("Arial", 10.0f, juce::Font::plain));
    g.drawText ("Pitch", pitchWheelPlace.getX() - 4, 30, pitchWheelPlace.getWidth() + 8, 12, juce::Justification::centred);
    g.drawText ("Mod", modWheelPlace.getX() - 4, 30, modWheelPlace.getWidth() + 8, 12, juce::Justification::centred);

    // The pad's frame: a dark lip the keys slide under.
    if (pad.isVisible())
    {
        const auto r = pad.getBounds();
        g.setColour (juce::Colours::black);
        g.fillRect (r.getX() - 3, r.getY() - 2, r.getWidth() + 6, 2);
        g.fillRect (r.getX() - 3, r.getY(), 3, r.getHeight());
    }
}

} // namespace zd8

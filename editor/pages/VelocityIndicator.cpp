#include "editor/pages/VelocityIndicator.h"

#include "editor/kit/Palette.h"
#include "plugin/EditorConnection.h"
#include "plugin/EditorSession.h"

namespace zd8
{

namespace
{
    constexpr int maxValue = 127;

    const juce::Colour trackColour (Palette::velocityIndicatorTrack);
    const juce::Colour emptyColour (Palette::velocityIndicatorEmpty);
    const juce::Colour frameColour (Palette::velocityIndicatorFrame);
    const juce::Colour textColour (Palette::velocityIndicatorText);
    const juce::Colour captionColour (Palette::velocityIndicatorCaption);

    const juce::String positionText ("KBD");
    const juce::String caption ("Note Velocity");
}

VelocityIndicator::VelocityIndicator (EditorConnection& c, float s) : connection (c), scale (s)
{
    setSize (juce::roundToInt ((float) width * s), juce::roundToInt ((float) height * s));
}

void VelocityIndicator::setValue (int v)
{
    v = juce::jlimit (0, maxValue, v);
    if (v == value)
        return;
    value = v;
    connection.getEditorSession().keyboardVelocity = v;
    repaint();
}

void VelocityIndicator::userSet (int v)
{
    const int before = value;
    setValue (v);
    if (value != before)
        sendChangeMessage();
}

void VelocityIndicator::mouseDown (const juce::MouseEvent& e)
{
    dragging = e.position.x < (float) grabWidth * scale;
    if (dragging)
        userSet (maxValue - juce::roundToInt (e.position.y));
}

void VelocityIndicator::mouseDrag (const juce::MouseEvent& e)
{
    if (dragging)
        userSet (maxValue - juce::roundToInt (e.position.y));
}

void VelocityIndicator::mouseUp (const juce::MouseEvent&)
{
    dragging = false;
}

void VelocityIndicator::paint (juce::Graphics& g)
{
    const float s = scale;
    const int v = juce::jmax (0, value);

    // The bar: its foot is where the drag gives 24, its top where it gives 127.
    const juce::Rectangle<float> bar (6.0f * s, 0.0f, 24.0f * s, (float) barHeight * s);
    g.setColour (emptyColour);
    g.fillRoundedRectangle (bar, 2.0f * s);
    const float filled = bar.getHeight() * (float) v / (float) maxValue;
    const auto fill = bar.withTrimmedTop (bar.getHeight() - filled);
    g.setGradientFill (juce::ColourGradient (textColour.withAlpha (0.55f), 0.0f, bar.getY(), trackColour, 0.0f,
                                             bar.getBottom(), false));
    g.fillRect (fill.reduced (2.0f * s, 0.0f));
    if (filled > 0.0f)
    {
        g.setColour (textColour);
        g.fillRect (fill.getX() + 2.0f * s, fill.getY(), fill.getWidth() - 4.0f * s, 2.0f * s);
    }
    // Ticks every eighth of the range.
    g.setColour (juce::Colours::white.withAlpha (0.10f));
    for (int i = 1; i < 8; ++i)
        g.fillRect (bar.getX() + 2.0f * s, bar.getY() + bar.getHeight() * (float) i / 8.0f, 4.0f * s, 1.0f);
    g.setColour (frameColour);
    g.drawRoundedRectangle (bar, 2.0f * s, 1.0f);

    g.setColour (textColour);
    g.setFont (juce::Font ("Arial", 15.0f * s, juce::Font::bold));
    g.drawText (value >= 0 && value < positionBelow ? positionText : juce::String (v),
                juce::Rectangle<float> (bar.getRight() + 3.0f * s, bar.getY() + 2.0f * s, 38.0f * s, 18.0f * s),
                juce::Justification::centredLeft, false);

    g.setColour (captionColour);
    g.setFont (juce::Font ("Arial", 10.0f * s, juce::Font::plain));
    g.drawText (caption, juce::Rectangle<float> (0.0f, (float) height * s - 12.0f * s, (float) width * s, 12.0f * s),
                juce::Justification::centredLeft, false);
}

} // namespace zd8

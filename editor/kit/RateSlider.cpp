#include "editor/kit/RateSlider.h"

#include "editor/kit/Palette.h"

namespace zd8
{

namespace
{
    constexpr int textWidth = 52;      // room for "1000 ms" right of the track
    constexpr int thumbWidth = 8;
    const juce::Colour trackColour (Palette::rateTrack);
    const juce::Colour fillColour (Palette::rateFill);
    const juce::Colour thumbColour (Palette::rateThumb);
    const juce::Colour textColour (Palette::textLabel);
}

RateSlider::RateSlider()
{
    setSize (200, 18);
}

void RateSlider::setRange (int newMinimum, int newMaximum)
{
    minimum = juce::jmin (newMinimum, newMaximum);
    maximum = juce::jmax (newMinimum, newMaximum);
    value = juce::jlimit (minimum, maximum, value);
    repaint();
}

void RateSlider::setValue (int v)
{
    v = juce::jlimit (minimum, maximum, v);
    if (v == value)
        return;
    value = v;
    repaint();
}

void RateSlider::userSet (int v)
{
    v = juce::jlimit (minimum, maximum, v);
    if (v == value)
        return;
    value = v;
    repaint();
    sendChangeMessage();
}

juce::Rectangle<int> RateSlider::trackArea() const noexcept
{
    return getLocalBounds().withTrimmedRight (textWidth).reduced (thumbWidth / 2, 0);
}

int RateSlider::valueAt (int x) const noexcept
{
    const auto track = trackArea();
    if (track.getWidth() <= 1)
        return minimum;
    const double position = juce::jlimit (0.0, 1.0, (double) (x - track.getX()) / (track.getWidth() - 1));
    return minimum + juce::roundToInt (position * (maximum - minimum));
}

void RateSlider::paint (juce::Graphics& g)
{
    const auto track = trackArea();
    const int midY = getHeight() / 2;
    const double position = maximum > minimum ? (double) (value - minimum) / (maximum - minimum) : 0.0;
    const int thumbX = track.getX() + juce::roundToInt (position * (track.getWidth() - 1));

    g.setColour (trackColour);
    g.fillRoundedRectangle ((float) track.getX(), (float) midY - 3.0f, (float) track.getWidth(), 6.0f, 3.0f);
    g.setColour (fillColour);
    g.fillRoundedRectangle ((float) track.getX(), (float) midY - 3.0f, (float) (thumbX - track.getX()), 6.0f, 3.0f);
    g.setColour (thumbColour);
    g.fillRoundedRectangle ((float) (thumbX - thumbWidth / 2), 1.0f, (float) thumbWidth, (float) getHeight() - 2.0f, 2.0f);

    g.setColour (textColour);
    g.setFont (juce::Font ("Arial", 12.0f, juce::Font::plain));
    g.drawText (getText(), getLocalBounds().removeFromRight (textWidth), juce::Justification::centredRight, false);
}

void RateSlider::mouseDown (const juce::MouseEvent& e)
{
    // The value text is not part of the track: a press there starts nothing.
    tracking = e.x < trackArea().getRight() + thumbWidth / 2;
    if (tracking)
        userSet (valueAt (e.x));
}

void RateSlider::mouseDrag (const juce::MouseEvent& e)
{
    if (tracking)
        userSet (valueAt (e.x));
}

void RateSlider::mouseWheelMove (const juce::MouseEvent&, const juce::MouseWheelDetails& wheel)
{
    if (wheel.deltaY > 0.0f)
        userSet (value + 1);
    else if (wheel.deltaY < 0.0f)
        userSet (value - 1);
}

void RateSlider::mouseDoubleClick (const juce::MouseEvent&)
{
    userSet (getDefaultValue());
}

juce::String RateSlider::getTooltip()
{
    return tooltipName + ": " + getText();
}

} // namespace zd8

#include "editor/kit/BigKnob.h"

#include "editor/kit/Palette.h"
#include "editor/kit/PictureDraw.h"
#include "editor/kit/Pictures.h"

#include <cmath>

namespace zd8
{

namespace
{
    constexpr int framesPerSheet = 9;
    constexpr int frameSize = 100;
    constexpr int framePitch = 101;   // frames sit 101 px apart on a sheet
    constexpr float centre = 50.0f;
    const juce::Colour discColour (Palette::knobDisc);
}

BigKnob::BigKnob()
{
    sheets[0] = Pictures::get ("bigknob_0");
    sheets[1] = Pictures::get ("bigknob_1");
    sheets[2] = Pictures::get ("bigknob_2");
    sheets[3] = Pictures::get ("bigknob_3");
    setSize (size, size);
}

void BigKnob::setValue (int v)
{
    if (v < 0 || v > maximum || v == value)
        return;
    previous = value;
    value = v;
    direction = value > previous ? 1 : -1;
    sendChangeMessage();
    repaint();
}

void BigKnob::setBackground (const juce::Image& picture)
{
    background = picture;
    repaint();
}

int BigKnob::frameFor (int v) noexcept
{
    // Degrees of turn in tens; the top value would give 36, one past the last frame.
    const auto f = (int) ((360.0 - (turnRange - v) * (360.0 / turnRange)) / 10.0);
    return juce::jlimit (0, maximum, f);
}

int BigKnob::valueAt (float x, float y) noexcept
{
    const double dx = x - centre, dy = y - centre;
    // Screen y grows downwards: straight down is 0 degrees, left 90, up 180, right 270.
    double angle = juce::radiansToDegrees (std::atan2 (-dx, dy));
    if (angle < 0.0)
        angle += 360.0;
    angle = juce::jlimit (0.0, 360.0, angle);
    return juce::jmin (maximum, (int) (turnRange / 360.0 * angle));
}

void BigKnob::paint (juce::Graphics& g)
{
    if (background.isValid())
        PictureDraw::drawAt (g, background, 0, 0);
    g.setColour (discColour);
    g.fillEllipse (3.0f, 3.0f, 102.0f, 102.0f);

    const int f = frameFor (value);
    const auto& sheet = sheets[f / framesPerSheet];
    PictureDraw::draw (g, sheet, { 0, 0, frameSize, frameSize },
                       { (f % framesPerSheet) * framePitch, 0, frameSize, frameSize });
}

void BigKnob::mouseDrag (const juce::MouseEvent& e)
{
    setValue (valueAt (e.position.x, e.position.y));
}

void BigKnob::mouseWheelMove (const juce::MouseEvent&, const juce::MouseWheelDetails& wheel)
{
    if (wheel.deltaY > 0.0f)
        setValue (value + 1 > maximum ? 0 : value + 1);
    else if (wheel.deltaY < 0.0f)
        setValue (value - 1 < 0 ? maximum : value - 1);
}

juce::String BigKnob::getTooltip()
{
    return "Data knob (turn to step through the list): " + juce::String (value);
}

} // namespace zd8

#include "editor/kit/WheelControl.h"

#include "editor/kit/PictureDraw.h"
#include "editor/kit/Pictures.h"

namespace zd8
{

namespace
{
    constexpr int frameWidth = 65, frameHeight = 260, framePitch = 68;
}

WheelControl::WheelControl (bool springBack)
    : spring (springBack), value (springBack ? restValue : 0)
{
    strip = Pictures::get ("wheel_strip");
    setSize (frameWidth, frameHeight);
}

int WheelControl::frameFor (int v) noexcept
{
    return juce::jlimit (0, maximum, v) * (numFrames - 1) / maximum;
}

void WheelControl::setValue (int v)
{
    v = juce::jlimit (0, maximum, v);
    if (v == value)
        return;
    value = v;
    repaint();
}

void WheelControl::userSet (int v)
{
    v = juce::jlimit (0, maximum, v);
    if (v == value)
        return;
    value = v;
    repaint();
    sendChangeMessage();
}

void WheelControl::paint (juce::Graphics& g)
{
    PictureDraw::draw (g, strip, { 0, 0, getWidth(), getHeight() },
                       { getFrame() * framePitch, 0, frameWidth, frameHeight });
}

void WheelControl::mouseDown (const juce::MouseEvent& e)
{
    pressY = e.y;
    pressValue = value;
}

void WheelControl::mouseDrag (const juce::MouseEvent& e)
{
    userSet (pressValue + (pressY - e.y));
}

void WheelControl::mouseUp (const juce::MouseEvent&)
{
    if (spring)
        userSet (restValue);
}

void WheelControl::mouseWheelMove (const juce::MouseEvent&, const juce::MouseWheelDetails& wheel)
{
    if (wheel.deltaY > 0.0f)
        userSet (value + 1);
    else if (wheel.deltaY < 0.0f)
        userSet (value - 1);
}

void WheelControl::mouseDoubleClick (const juce::MouseEvent&)
{
    userSet (getDefaultValue());
}

juce::String WheelControl::getTooltip()
{
    return (spring ? "Pitch wheel: " : "Modulation wheel: ") + juce::String (value);
}

} // namespace zd8

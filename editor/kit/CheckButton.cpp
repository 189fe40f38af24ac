#include "editor/kit/CheckButton.h"

#include "editor/kit/Palette.h"
#include "editor/kit/PictureDraw.h"
#include "editor/kit/Pictures.h"

namespace zd8
{

namespace
{
    constexpr int boxX = 2, boxY = 2, labelX = 30;
    const juce::Colour labelColour (Palette::textLabel);
} // namespace

CheckButton::CheckButton (const juce::String& text, float size)
    : label (text),
      fontSize (size),
      off (Pictures::get ("check_off")),
      on (Pictures::get ("check_on")),
      pressed (Pictures::get ("check_pressed"))
{
}

void CheckButton::setChecked (bool c)
{
    if (c == checked)
        return;
    checked = c;
    repaint();
}

void CheckButton::paint (juce::Graphics& g)
{
    g.setOpacity (1.0f);
    PictureDraw::drawAt (g, down ? pressed : checked ? on : off, boxX, boxY);
    g.setFont (juce::Font ("Arial", fontSize, juce::Font::plain));
    g.setColour (labelColour);
    g.drawFittedText (label, { labelX, 0, juce::jmax (0, getWidth() - labelX), getHeight() },
                      juce::Justification::centredLeft, 1, 0.8f);
}

void CheckButton::mouseDown (const juce::MouseEvent&)
{
    down = true;
    checked = ! checked;
    repaint();
    sendChangeMessage();
}

void CheckButton::mouseUp (const juce::MouseEvent&)
{
    down = false;
    repaint();
}

} // namespace zd8

#include "editor/StsLabel.h"

namespace zd8
{

StsLabel::StsLabel (const juce::String& t, float size, juce::Colour c, juce::Justification j)
    : text (t), fontSize (size), colour (c), justification (j)
{
}

void StsLabel::setText (const juce::String& t)
{
    if (t == text)
        return;
    text = t;
    repaint();
}

void StsLabel::setFontSize (float size)
{
    fontSize = size;
    repaint();
}

void StsLabel::setBold (bool b)
{
    bold = b;
    repaint();
}

void StsLabel::setColour (juce::Colour c)
{
    colour = c;
    repaint();
}

void StsLabel::setJustification (juce::Justification j)
{
    justification = j;
    repaint();
}

void StsLabel::setPicture (const juce::Image& p)
{
    picture = p;
    repaint();
}

void StsLabel::setFill (juce::Colour f)
{
    fill = f;
    repaint();
}

void StsLabel::setOutline (juce::Colour o)
{
    outline = o;
    repaint();
}

void StsLabel::paint (juce::Graphics& g)
{
    const auto area = getLocalBounds();
    if (! fill.isTransparent())
        g.fillAll (fill);
    if (picture.isValid())
    {
        g.setOpacity (1.0f);
        g.drawImage (picture, area.toFloat(), juce::RectanglePlacement::stretchToFit);
    }
    if (! outline.isTransparent())
    {
        g.setColour (outline);
        g.drawRect (area, 1);
    }
    g.setFont (juce::Font ("Arial", fontSize, bold ? juce::Font::bold : juce::Font::plain));
    g.setColour (colour);
    g.drawFittedText (text, area.reduced (2, 0), justification, 1, 0.8f);
}

void StsLabel::mouseDown (const juce::MouseEvent&)
{
    sendChangeMessage();
}

} // namespace zd8

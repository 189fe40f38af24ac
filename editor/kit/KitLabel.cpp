#include "editor/kit/KitLabel.h"

#include "editor/kit/PictureDraw.h"

namespace zd8
{

KitLabel::KitLabel (const juce::String& t, float size, juce::Colour c, juce::Justification j)
    : text (t), fontSize (size), colour (c), justification (j)
{
}

void KitLabel::setText (const juce::String& t)
{
    if (t == text)
        return;
    text = t;
    repaint();
}

void KitLabel::setFontSize (float size)
{
    fontSize = size;
    repaint();
}

void KitLabel::setBold (bool b)
{
    bold = b;
    repaint();
}

void KitLabel::setColour (juce::Colour c)
{
    colour = c;
    repaint();
}

void KitLabel::setJustification (juce::Justification j)
{
    justification = j;
    repaint();
}

void KitLabel::setPicture (const juce::Image& p)
{
    picture = p;
    repaint();
}

void KitLabel::setFill (juce::Colour f)
{
    fill = f;
    repaint();
}

void KitLabel::setOutline (juce::Colour o)
{
    outline = o;
    repaint();
}

void KitLabel::paint (juce::Graphics& g)
{
    const auto area = getLocalBounds();
    if (! fill.isTransparent())
        g.fillAll (fill);
    if (picture.isValid())
    {
        g.setOpacity (1.0f);
        PictureDraw::draw (g, picture, area.toFloat());
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

void KitLabel::mouseDown (const juce::MouseEvent&)
{
    sendChangeMessage();
}

} // namespace zd8

#pragma once

#include "editor/kit/Palette.h"
#include <juce_gui_basics/juce_gui_basics.h>

namespace zd8
{

/** A text (font size, colour, justification) over an optional picture, fill or outline.
    A press inside sends the change message. */
class KitLabel : public juce::Component, public juce::ChangeBroadcaster
{
public:
    KitLabel (const juce::String& text = {}, float fontSize = 12.0f,
              juce::Colour colour = juce::Colour (Palette::textLabel),
              juce::Justification justification = juce::Justification::centredLeft);

    void setText (const juce::String& text);   // repaints only when the text changes
    const juce::String& getText() const noexcept { return text; }
    void setFontSize (float size);
    void setBold (bool bold);
    void setColour (juce::Colour colour);
    void setJustification (juce::Justification j);
    void setPicture (const juce::Image& picture);
    void setFill (juce::Colour fill);          // transparent: none
    void setOutline (juce::Colour outline);    // transparent: none

    void paint (juce::Graphics&) override;
    void mouseDown (const juce::MouseEvent&) override;

private:
    juce::String text;
    float fontSize;
    bool bold = false;
    juce::Colour colour, fill { juce::Colours::transparentBlack }, outline { juce::Colours::transparentBlack };
    juce::Justification justification;
    juce::Image picture;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (KitLabel)
};

} // namespace zd8

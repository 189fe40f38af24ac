#include "editor/shell/StatusBar.h"

namespace zd8
{

namespace
{
    const juce::Rectangle<int> textArea (10, 3, 500, 14);
    constexpr float fontSize = 11.0f;
}

StatusBar::StatusBar (EditorConnection& connection) : keyPlayer (connection)
{
    setInterceptsMouseClicks (false, true);
    keyPlayer.setBounds (getKeyIndicatorArea());
    addAndMakeVisible (keyPlayer);
}

void StatusBar::setText (const juce::String& newText)
{
    if (newText == text)
        return;
    text = newText;
    repaint (10, 0, 800, juce::jmax (0, getHeight() - 10));
    repaint (textArea);
}

void StatusBar::paint (juce::Graphics& g)
{
    if (text.isEmpty())
        return;
    g.setColour (juce::Colours::white);
    g.setFont (juce::Font ("Arial", fontSize, juce::Font::plain));
    g.drawText (text, textArea, juce::Justification::centredLeft, true);
}

} // namespace zd8

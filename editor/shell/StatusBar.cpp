#include "editor/shell/StatusBar.h"

#include "plugin/EditorConnection.h"

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

    warning = connection.takeDataFileWarning();
    if (warning.isNotEmpty())
        startTimer (warningMs);
}

StatusBar::~StatusBar()
{
    stopTimer();
}

void StatusBar::timerCallback()
{
    stopTimer();
    warning.clear();
    repaint (textArea);
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
    const auto& shown = getShownText();
    if (shown.isEmpty())
        return;
    g.setColour (juce::Colours::white);
    g.setFont (juce::Font ("Arial", fontSize, juce::Font::plain));
    g.drawText (shown, textArea, juce::Justification::centredLeft, true);
}

} // namespace zd8

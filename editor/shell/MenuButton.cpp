#include "editor/shell/MenuButton.h"

#include "editor/kit/Palette.h"

namespace zd8
{

namespace
{
    constexpr int barWidth = 20, barHeight = 3;
    constexpr int barTops[] = { 8, 14, 20 };
    const juce::Colour barColour (Palette::menuButtonBar);
    const juce::Colour barHighlight (Palette::textLight);
}

MenuButton::MenuButton()
{
    setSize (size, size);
    setMouseCursor (juce::MouseCursor::PointingHandCursor);
    setTooltip ("Library");
}

void MenuButton::paint (juce::Graphics& g)
{
    if (down)
    {
        g.setColour (juce::Colours::white.withAlpha (0.08f));
        g.fillRoundedRectangle (getLocalBounds().toFloat().reduced (2.0f), 4.0f);
    }
    g.setColour (over ? barHighlight : barColour);
    const int x = (getWidth() - barWidth) / 2;
    for (int top : barTops)
        g.fillRect (x, top, barWidth, barHeight);
}

void MenuButton::mouseDown (const juce::MouseEvent&)
{
    down = true;
    repaint();
}

void MenuButton::mouseUp (const juce::MouseEvent& e)
{
    down = false;
    repaint();
    if (getLocalBounds().contains (e.getPosition()) && onRelease)
        onRelease (identifier);
}

void MenuButton::mouseEnter (const juce::MouseEvent&)
{
    over = true;
    repaint();
}

void MenuButton::mouseExit (const juce::MouseEvent&)
{
    over = false;
    repaint();
}

} // namespace zd8

#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include <functional>

namespace zd8
{

/** The top bar's menu button: three grey bars in a 36x36 square. It reports its
    identifier (128, the library window) when the mouse is released over it. */
class MenuButton : public juce::Component, public juce::SettableTooltipClient
{
public:
    static constexpr int identifier = 128;
    static constexpr int size = 36;

    MenuButton();

    /** Called with the identifier on a release inside the button (message thread). */
    std::function<void (int)> onRelease;

    void paint (juce::Graphics&) override;
    void mouseDown (const juce::MouseEvent&) override;
    void mouseUp (const juce::MouseEvent&) override;
    void mouseEnter (const juce::MouseEvent&) override;
    void mouseExit (const juce::MouseEvent&) override;

private:
    bool down = false, over = false;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (MenuButton)
};

} // namespace zd8

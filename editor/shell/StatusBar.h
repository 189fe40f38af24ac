#pragma once

#include "editor/shell/ComputerKeyboardPlayer.h"

#include <juce_gui_basics/juce_gui_basics.h>

namespace zd8
{

class EditorConnection;

/** The window's footer: one status line (the instrument's link state and short
    messages) and, at (400, 0, 200, 20), the computer-keyboard player's strip.

    When the engine set damaged data files aside at its start, the first footer made
    takes that warning and shows it for warningMs in place of the status text (which
    goes on being kept and shows afterwards). */
class StatusBar : public juce::Component, private juce::Timer
{
public:
    static constexpr int warningMs = 20000;

    explicit StatusBar (EditorConnection& connection);
    ~StatusBar() override;

    /** Shows the text (nothing is drawn for empty text). */
    void setText (const juce::String& text);
    const juce::String& getText() const noexcept { return text; }
    /** What the line shows now: the data file warning while it stands, else the text. */
    const juce::String& getShownText() const noexcept { return warning.isNotEmpty() ? warning : text; }

    /** Where the key indicator goes, in the footer's coordinates. */
    static juce::Rectangle<int> getKeyIndicatorArea() noexcept { return { 400, 0, 200, 20 }; }
    ComputerKeyboardPlayer& getKeyPlayer() noexcept { return keyPlayer; }

    void paint (juce::Graphics&) override;

private:
    void timerCallback() override;

    juce::String text, warning;
    ComputerKeyboardPlayer keyPlayer;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (StatusBar)
};

} // namespace zd8

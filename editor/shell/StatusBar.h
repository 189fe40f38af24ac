#pragma once

#include "editor/shell/ComputerKeyboardPlayer.h"

#include <juce_gui_basics/juce_gui_basics.h>

namespace zd8
{

class EditorConnection;

/** The window's footer: one status line (the instrument's link state and short
    messages) and, at (400, 0, 200, 20), the computer-keyboard player's strip. */
class StatusBar : public juce::Component
{
public:
    explicit StatusBar (EditorConnection& connection);

    /** Shows the text (nothing is drawn for empty text). */
    void setText (const juce::String& text);
    const juce::String& getText() const noexcept { return text; }

    /** Where the key indicator goes, in the footer's coordinates. */
    static juce::Rectangle<int> getKeyIndicatorArea() noexcept { return { 400, 0, 200, 20 }; }
    ComputerKeyboardPlayer& getKeyPlayer() noexcept { return keyPlayer; }

    void paint (juce::Graphics&) override;

private:
    juce::String text;
    ComputerKeyboardPlayer keyPlayer;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (StatusBar)
};

} // namespace zd8

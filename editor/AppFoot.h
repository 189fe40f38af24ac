#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

namespace zd8
{

/** The window's footer: one status line (the instrument's link state and short
    messages) and, at (400, 0, 200, 20), the place of the computer-keyboard player's
    indicator, which the Keys page puts there. */
class AppFoot : public juce::Component
{
public:
    AppFoot();

    /** Shows the text (nothing is drawn for empty text). */
    void setText (const juce::String& text);
    const juce::String& getText() const noexcept { return text; }

    /** Where the key indicator goes, in the footer's coordinates. */
    static juce::Rectangle<int> getKeyIndicatorArea() noexcept { return { 400, 0, 200, 20 }; }

    void paint (juce::Graphics&) override;

private:
    juce::String text;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (AppFoot)
};

} // namespace zd8

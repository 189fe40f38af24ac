#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

namespace zd8
{

/** Check box of the kit: a 20x11 picture (off, on, pressed) at (2, 2) and its label at
    x 30. A press toggles it and sends the change message. */
class CheckButton : public juce::Component, public juce::ChangeBroadcaster
{
public:
    explicit CheckButton (const juce::String& label, float fontSize = 12.0f);

    void setChecked (bool on);   // no change message
    bool isChecked() const noexcept { return checked; }
    const juce::String& getLabel() const noexcept { return label; }

    void paint (juce::Graphics&) override;
    void mouseDown (const juce::MouseEvent&) override;
    void mouseUp (const juce::MouseEvent&) override;

private:
    juce::String label;
    float fontSize;
    bool checked = false, down = false;
    juce::Image off, on, pressed;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (CheckButton)
};

} // namespace zd8

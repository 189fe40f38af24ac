#pragma once

#include "editor/kit/Palette.h"
#include "editor/kit/KitButtonListener.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <mutex>

namespace zd8
{

/** Text button of the kit: a filled box with a border (styles 0, 6, 7, 11, 12) or text
    only (style 140 and above), with colours for normal, pressed and on. Reports
    (button, identifier) to its KitButtonListeners on press, or on a release inside the
    button in release mode. Two-state buttons keep an "on" state their owner sets. */
class KitButton : public juce::Component
{
public:
    /** The identifier whose button also reports the pointer entering and leaving. */
    static constexpr int hoverIdentifier = 777;

    /** What the current report means. A button with identifier 777 calls buttonPressed
        (button, 777) on a press, when the pointer enters it and when it leaves it; during
        the call getReportKind() tells which. Every other button only reports presses. */
    enum class ReportKind
    {
        press,
        pointerEntered,
        pointerLeft
    };

    KitButton (const juce::String& text, int identifier, int style = 0, float fontSize = 12.0f);
    ~KitButton() override;

    void addListener (KitButtonListener* listener);
    void removeListener (KitButtonListener* listener);

    void setText (const juce::String& text);
    const juce::String& getText() const noexcept { return text; }
    int getIdentifier() const noexcept { return identifier; }
    void setReleaseMode (bool on) noexcept { releaseMode = on; }
    void setOn (bool on);
    bool isOn() const noexcept { return onState; }
    /** Valid inside a listener's call: see ReportKind. */
    ReportKind getReportKind() const noexcept { return reportKind; }
    void setColours (juce::Colour normal, juce::Colour pressedColour, juce::Colour onColour,
                     juce::Colour textColour = juce::Colour (Palette::textBright));

    void paint (juce::Graphics&) override;
    void mouseDown (const juce::MouseEvent&) override;
    void mouseUp (const juce::MouseEvent&) override;
    void mouseEnter (const juce::MouseEvent&) override;
    void mouseExit (const juce::MouseEvent&) override;

private:
    void report (ReportKind kind);
    juce::Colour faceColour() const noexcept;

    juce::String text;
    int identifier, style;
    float fontSize;
    bool releaseMode = false, onState = false, down = false, over = false;
    ReportKind reportKind = ReportKind::press;
    juce::Colour normalColour { Palette::buttonNormal }, pressedColour { Palette::buttonPressed },
        onColour { Palette::buttonOn }, textColour { Palette::textBright };
    std::mutex listenerLock;
    juce::Array<KitButtonListener*> listeners;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (KitButton)
};

} // namespace zd8

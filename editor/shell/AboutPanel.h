#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

namespace zd8
{

/** The panel laid over the whole window with the product picture and the version.
    A click anywhere, or the closing delay running out, sends the change message; the
    window then closes it. */
class AboutPanel : public juce::Component, public juce::ChangeBroadcaster, public juce::Timer
{
public:
    static constexpr const char* versionText = "1.2.0 - 0 3 7";
    static constexpr int pictureWidth = 500;
    static constexpr int pictureHeight = 375;
    static constexpr int pictureTop = 200;

    /** closingDelayMs: the panel asks to be closed after that many milliseconds; 0
        keeps it open until it is clicked. */
    explicit AboutPanel (int closingDelayMs);
    ~AboutPanel() override;

    int getClosingDelay() const noexcept { return closingDelayMs; }
    juce::String getVersionLabelText() const { return versionLabel.getText(); }

    void paint (juce::Graphics&) override;
    void mouseDown (const juce::MouseEvent&) override;

    /** The closing delay ran out: stops and asks to be closed (message thread). */
    void timerCallback() override;

private:
    const int closingDelayMs;
    juce::Image picture;
    juce::Label versionLabel;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (AboutPanel)
};

} // namespace zd8

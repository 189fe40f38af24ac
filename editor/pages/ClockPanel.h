#pragma once

#include "editor/kit/RateSlider.h"
#include "editor/kit/KitLabel.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <array>

namespace zd8
{

class EditorConnection;

/** The latency section of the MIDI setup panel: the current sample rate and the delay
    in milliseconds that outgoing clock and host MIDI wait at that rate. Moving the
    slider writes the delay of the shown rate into the engine (which keeps it in the
    settings list) and into this section's own copy, then sends the change message.
    Message thread only. */
class ClockPanel : public juce::Component,
                  public juce::ChangeListener,
                  public juce::ChangeBroadcaster
{
public:
    static constexpr int width = 400;
    static constexpr int height = 200;
    static constexpr int numDelays = 7;           // rate indexes 0..5 and the unused seventh
    static constexpr int numRates = 6;

    explicit ClockPanel (EditorConnection& connection);
    ~ClockPanel() override;

    /** Shows the rate of that index and its delay (a negative delay shows as 0). */
    void show (const std::array<int, numDelays>& delays, int rateIndex);

    /** What moving the slider to ms does: clamped to the engine's range, written to the
        engine and the copy for the shown rate; change message. */
    void setDelayFromUser (int ms);

    int getRateIndex() const noexcept { return rateIndex; }
    const std::array<int, numDelays>& getDelays() const noexcept { return delays; }
    const juce::String& getRateText() const noexcept { return rateLabel.getText(); }
    int getShownDelay() const;
    RateSlider& getSlider() noexcept { return slider; }

    /** "44100 Hz" .. "192000 Hz" for rate index 0..5; other indexes give index 0's. */
    static juce::String rateText (int rateIndex);

    void paint (juce::Graphics&) override;

private:
    void changeListenerCallback (juce::ChangeBroadcaster* source) override;
    void sliderMoved();

    EditorConnection& connection;
    std::array<int, numDelays> delays {};
    int rateIndex = 0;

    KitLabel rateLabel;
    KitLabel delayLabel;
    RateSlider slider;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (ClockPanel)
};

} // namespace zd8

#pragma once

#include "editor/Vu_Meter.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <array>
#include <vector>

namespace zd8
{

class VantorAudioProcessor;

/** The mixer page: the sixteen MIDI channels side by side. Each strip shows the
    channel's program (number and name from the program store), its effect chains,
    sends, pan and level as the parameter table holds them, and a level meter driven
    by the instrument's note-ons. The header row repeats the programs, so that the
    page still says what each channel plays when the window shows only that row above
    the program page.

    A click on a program name queues EditEvent code 12, sub-kind 11 with the channel,
    and sends the change message; the window takes the events with takeEvents().
    Message thread only. */
class ChMixerComp : public juce::Component, public juce::ChangeBroadcaster
{
public:
    static constexpr int numChannels = 16;
    static constexpr int stripPitch = 61;
    static constexpr int stripWidth = 58;
    static constexpr int stripHeight = 582;
    static constexpr int headerHeight = 62;
    static constexpr int contentWidth = 974;

    explicit ChMixerComp (VantorAudioProcessor& processor);
    ~ChMixerComp() override;

    /** Marks the page shown, makes it visible and the current page ("q"). */
    void show();
    /** Marks the page hidden (the window parks it). */
    void setHidden();
    bool isShown() const noexcept { return shown; }

    /** A channel row's value changed (slot c * 16 + k): that strip's texts follow. */
    void showValue (int slot, int value);
    /** Every strip from the parameter table and the program store again. */
    void refresh();

    /** A note-on of velocity on channel 0..15: raises the channel's meter to the
        velocity unless it already shows more, and lets it fall from there. */
    void notePeak (int channel, int velocity);
    int getPeak (int channel) const noexcept;

    /** The events queued since the last call, oldest first. */
    std::vector<juce::uint64> takeEvents();

    /** Left edge of the strips inside the page (centred, never negative). */
    int getContentX() const noexcept;

    /** What strip channel shows as its program: "0042" and the name. */
    juce::String getProgramNumberText (int channel) const;
    juce::String getProgramName (int channel) const;

    void paint (juce::Graphics&) override;
    void resized() override;
    void mouseDown (const juce::MouseEvent&) override;

private:
    struct StripTexts
    {
        juce::String number, name, insert, aux1, aux1Send, aux2, aux2Send, pan, level;
        int levelValue = 0;
    };

    void updateStrip (int channel);
    void repaintStrip (int channel);
    juce::Rectangle<int> headerSlot (int channel) const;
    juce::Rectangle<int> stripBounds (int channel) const;
    juce::Rectangle<int> stripNameArea (int channel) const;
    juce::Rectangle<int> meterArea (int channel) const;
    void paintHeader (juce::Graphics&) const;
    void paintStrip (juce::Graphics&, int channel) const;

    VantorAudioProcessor& processor;
    bool shown = false;
    std::array<StripTexts, numChannels> strips;
    std::array<Vu_Meter, numChannels> meters;
    std::vector<juce::uint64> events;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (ChMixerComp)
};

} // namespace zd8

#pragma once

#include "plugin/stateListener.h"

#include <juce_audio_processors/juce_audio_processors.h>

namespace zd8
{

class VantorAudioProcessor;

/** The plug-in window. This first version shows the instrument's connection state and
    the traffic the hub reports; the pages come with the editor proper. Opening it asks
    the instrument who it is. */
class VantorAudioProcessorEditor : public juce::AudioProcessorEditor,
                                   private stateListener,
                                   private juce::AsyncUpdater
{
public:
    explicit VantorAudioProcessorEditor (VantorAudioProcessor& processor);
    ~VantorAudioProcessorEditor() override;

    void paint (juce::Graphics& g) override;
    void resized() override;

    /** "OFF-LINE" until an identity reply arrives, then "<device>: ON-LINE". */
    const juce::String& getOnlineText() const noexcept { return onlineText; }

    /** Drains the hub's notices now (normally done asynchronously). */
    void drainNotices();

private:
    void stateChanged (int code) override;
    void handleAsyncUpdate() override;

    VantorAudioProcessor& processor;
    juce::String onlineText { "OFF-LINE" };
    juce::StringArray recent;
    std::vector<juce::uint32> noticeScratch;
    std::vector<juce::uint64> slotScratch;
};

} // namespace zd8

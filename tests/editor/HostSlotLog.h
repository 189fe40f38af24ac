#pragma once

#include <juce_audio_processors/juce_audio_processors.h>

#include <vector>

namespace zd8test
{

/** Listens to a processor as a host does and keeps the parameter indices (slots) it
    reports, in order. */
struct HostSlotLog : juce::AudioProcessorListener
{
    void audioProcessorParameterChanged (juce::AudioProcessor*, int index, float) override;
    void audioProcessorChanged (juce::AudioProcessor*, const ChangeDetails&) override {}

    std::vector<int> slots;
};

} // namespace zd8test

#pragma once

#include <juce_audio_processors/juce_audio_processors.h>

namespace zd8
{

class VantorAudioProcessor;

/** One parameter slot as a host parameter: value, name and text all come from the
    hub's parameter table through the processor. */
class SlotParameter : public juce::AudioProcessorParameter
{
public:
    SlotParameter (VantorAudioProcessor& owner, int slot);

    float getValue() const override;
    void setValue (float newValue) override;
    float getDefaultValue() const override { return defaultValue; }
    juce::String getName (int maximumStringLength) const override;
    juce::String getLabel() const override { return {}; }
    juce::String getText (float normalisedValue, int maximumStringLength) const override;
    float getValueForText (const juce::String& text) const override;
    bool isAutomatable() const override { return true; }
    bool isMetaParameter() const override { return false; }

private:
    VantorAudioProcessor& processor;
    const int slot;
    const float defaultValue;
};

} // namespace zd8

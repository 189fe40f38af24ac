#pragma once

#include <juce_audio_processors/juce_audio_processors.h>

namespace zd8
{

class VantorAudioProcessor;

/** One parameter slot as a host parameter: value, name and text all come from the
    hub's parameter table through the processor. */
class SlotParameter : public juce::AudioProcessorParameterWithID
{
public:
    SlotParameter (VantorAudioProcessor& owner, int slot, const juce::String& identifier);

    /** The slot's identifier in the format the processor was made for. VST3 hosts store
        automation under a hash of the slot number, the identifier every release so far
        gave them; LV2 names a parameter by an IRI, which may not start with a digit
        (numbers alone would make "_" of slots 0..9, "_0" of 10 and 100..109, and so on). */
    static juce::String identifierFor (int slot, juce::AudioProcessor::WrapperType format);

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

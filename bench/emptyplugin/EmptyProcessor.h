#pragma once

#include <juce_audio_processors/juce_audio_processors.h>

namespace zd8bench
{

/** The floor for opening and closing a plug-in: as many host parameters as ours, the
    same buses and MIDI flags, and nothing else. processBlock does nothing, there is no
    editor and no state; each parameter only keeps its value. */
class EmptyProcessor : public juce::AudioProcessor
{
public:
    static constexpr int numParameters = 2314;

    EmptyProcessor();

    const juce::String getName() const override { return "Empty 2314"; }
    void prepareToPlay (double, int) override {}
    void releaseResources() override {}
    bool isBusesLayoutSupported (const BusesLayout& layouts) const override;
    void processBlock (juce::AudioBuffer<float>&, juce::MidiBuffer&) override {}
    using juce::AudioProcessor::processBlock;

    double getTailLengthSeconds() const override { return 0.0; }
    bool acceptsMidi() const override { return true; }
    bool producesMidi() const override { return true; }

    juce::AudioProcessorEditor* createEditor() override { return nullptr; }
    bool hasEditor() const override { return false; }

    int getNumPrograms() override { return 1; }
    int getCurrentProgram() override { return 0; }
    void setCurrentProgram (int) override {}
    const juce::String getProgramName (int) override { return {}; }
    void changeProgramName (int, const juce::String&) override {}

    void getStateInformation (juce::MemoryBlock&) override {}
    void setStateInformation (const void*, int) override {}

private:
    /** A host parameter that only stores its normalised value (0..1). */
    struct Parameter : juce::AudioProcessorParameter
    {
        explicit Parameter (int i) : index (i) {}
        float getValue() const override { return value; }
        void setValue (float x) override { value = x; }
        float getDefaultValue() const override { return 0.0f; }
        juce::String getName (int maximumStringLength) const override;
        juce::String getLabel() const override { return {}; }
        float getValueForText (const juce::String& text) const override { return text.getFloatValue(); }

        const int index;
        float value = 0.0f;
    };

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (EmptyProcessor)
};

} // namespace zd8bench

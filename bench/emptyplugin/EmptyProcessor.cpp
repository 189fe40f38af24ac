#include "EmptyProcessor.h"

namespace zd8bench
{

EmptyProcessor::EmptyProcessor()
    : juce::AudioProcessor (BusesProperties()
                                .withInput ("Input", juce::AudioChannelSet::stereo(), true)
                                .withOutput ("Output", juce::AudioChannelSet::stereo(), true))
{
    for (int i = 0; i < numParameters; ++i)
        addParameter (new Parameter (i));
}

bool EmptyProcessor::isBusesLayoutSupported (const BusesLayout& layouts) const
{
    // Stereo only, as ours: otherwise the VST 2 wrapper advertises 64 ins and outs.
    return layouts.getMainOutputChannelSet() == juce::AudioChannelSet::stereo()
        && layouts.getMainInputChannelSet() == juce::AudioChannelSet::stereo();
}

juce::String EmptyProcessor::Parameter::getName (int maximumStringLength) const
{
    return ("Parameter " + juce::String (index + 1)).substring (0, juce::jmax (0, maximumStringLength));
}

} // namespace zd8bench

// The wrapper's entry point.
juce::AudioProcessor* JUCE_CALLTYPE createPluginFilter()
{
    return new zd8bench::EmptyProcessor();
}

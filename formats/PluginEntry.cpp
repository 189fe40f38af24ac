#include "editor/shell/VantorAudioProcessorEditor.h"
#include "plugin/VantorAudioProcessor.h"

#include "formats/DemoDevice.h"
#include "formats/ProcessorHandover.h"

// The plug-in's entry point, called by every format wrapper.
juce::AudioProcessor* JUCE_CALLTYPE createPluginFilter()
{
    zd8::DemoDevice::addIfWanted (juce::PluginHostType::getPluginLoadedAs() == juce::AudioProcessor::wrapperType_Standalone);
    zd8::VantorAudioProcessorEditor::registerWithProcessor();
    auto* processor = new zd8::VantorAudioProcessor();
    zd8::ProcessorHandover::created (*processor);
    return processor;
}

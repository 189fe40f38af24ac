#include "editor/shell/VantorAudioProcessorEditor.h"
#include "plugin/VantorAudioProcessor.h"

#include "link/VirtualMidiDevices.h"
#include "sim/InstrumentSimulator.h"

// The plug-in's entry point, called by every format wrapper.
juce::AudioProcessor* JUCE_CALLTYPE createPluginFilter()
{
    // The stand-alone program brings the instrument simulator along as a demo device:
    // it appears as "ZD8 Simulator" in the port lists, beside the real devices.
    if (juce::PluginHostType::getPluginLoadedAs() == juce::AudioProcessor::wrapperType_Standalone)
    {
        struct DemoDevice : juce::DeletedAtShutdown
        {
            DemoDevice() { zd8::VirtualMidiDevices::shared().add (simulator.getDevice()); }
            ~DemoDevice() override { zd8::VirtualMidiDevices::shared().remove (simulator.getDevice()); }
            zd8sim::InstrumentSimulator simulator;
        };
        static DemoDevice* demo = new DemoDevice();
        juce::ignoreUnused (demo);
    }
    zd8::VantorAudioProcessorEditor::registerWithProcessor();
    return new zd8::VantorAudioProcessor();
}

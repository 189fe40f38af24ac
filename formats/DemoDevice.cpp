#include "formats/DemoDevice.h"

#include "link/VirtualMidiDevices.h"

namespace zd8
{

JUCE_IMPLEMENT_SINGLETON (DemoDevice)

void DemoDevice::addIfWanted (bool standalone)
{
    if (standalone || juce::SystemStats::getEnvironmentVariable (enableVariable, {}) == "1")
        getInstance();
}

DemoDevice::DemoDevice()
{
    const auto logPath = juce::SystemStats::getEnvironmentVariable (logVariable, {});
    if (juce::File::isAbsolutePath (logPath))
    {
        logFile = juce::File (logPath);
        // Between the device and the simulator, so that the log sees every message first.
        simulator.getDevice()->toDevice.connect (this);
    }
    VirtualMidiDevices::shared().add (simulator.getDevice());
}

DemoDevice::~DemoDevice()
{
    VirtualMidiDevices::shared().remove (simulator.getDevice());
    simulator.getDevice()->toDevice.connect (nullptr);
    clearSingletonInstance();
}

void DemoDevice::handleIncomingMidiMessage (juce::MidiInput* source, const juce::MidiMessage& message)
{
    const auto* bytes = message.getRawData();
    juce::String line;
    for (int i = 0; i < message.getRawDataSize(); ++i)
        line << (i == 0 ? "" : " ") << juce::String::toHexString (bytes[i]).paddedLeft ('0', 2).toUpperCase();
    logFile.appendText (line + "\n", false, false, "\n");

    simulator.getInputCallback().handleIncomingMidiMessage (source, message);
}

void DemoDevice::handlePartialSysexMessage (juce::MidiInput* source, const juce::uint8* data, int size, double time)
{
    simulator.getInputCallback().handlePartialSysexMessage (source, data, size, time);
}

} // namespace zd8

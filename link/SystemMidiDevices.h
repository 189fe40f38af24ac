#pragma once

#include "link/MidiDeviceProvider.h"

#include <memory>

namespace zd8
{

/** Two providers as one list: the first one's devices, then the second one's, with
    indices continuing. The product's list is the operating system's devices followed
    by the process's virtual devices (VirtualMidiDevices::shared()). */
class SystemMidiDevices : public MidiDeviceProvider
{
public:
    /** JUCE's devices, then VirtualMidiDevices::shared(). */
    SystemMidiDevices();
    /** first and second must outlive this object. */
    SystemMidiDevices (MidiDeviceProvider& first, MidiDeviceProvider& second);
    ~SystemMidiDevices() override;

    juce::StringArray getInputNames() override;
    juce::StringArray getOutputNames() override;
    std::unique_ptr<MidiInPort> openInput (int index, juce::MidiInputCallback* callback) override;
    std::unique_ptr<MidiOutPort> openOutput (int index) override;

private:
    std::unique_ptr<MidiDeviceProvider> ownedFirst;
    MidiDeviceProvider& first;
    MidiDeviceProvider& second;

    JUCE_DECLARE_NON_COPYABLE (SystemMidiDevices)
};

} // namespace zd8

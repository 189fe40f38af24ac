#pragma once

#include "link/MidiDeviceProvider.h"
#include "link/VirtualMidiDevice.h"

#include <memory>

namespace zd8
{

/** A provider over a list of virtual devices. Thread-safe list. The process-wide
    instance (shared()) is what the product lists after the system's own devices, so a
    simulator started in the same process can be chosen like a real instrument. */
class VirtualMidiDevices : public MidiDeviceProvider
{
public:
    VirtualMidiDevices();
    ~VirtualMidiDevices() override;

    void add (std::shared_ptr<VirtualMidiDevice> device);
    void remove (const std::shared_ptr<VirtualMidiDevice>& device);
    int size() const;

    juce::StringArray getInputNames() override;
    juce::StringArray getOutputNames() override;
    std::unique_ptr<MidiInPort> openInput (int index, juce::MidiInputCallback* callback) override;
    std::unique_ptr<MidiOutPort> openOutput (int index) override;

    static VirtualMidiDevices& shared();

private:
    struct Impl;
    std::unique_ptr<Impl> impl;
};

} // namespace zd8

#pragma once

#include "link/MidiInPort.h"
#include "link/VirtualMidiDevice.h"

#include <juce_audio_devices/juce_audio_devices.h>
#include <memory>

namespace zd8
{

/** The plug-in's input from a virtual device: once started, what the device sends up
    its fromDevice cable reaches the callback on the cable's delivery thread. Keeps the
    device alive while open. A cable has one receiver, so the last port started on a
    device is the one that hears it. */
class VirtualMidiInPort : public MidiInPort
{
public:
    VirtualMidiInPort (std::shared_ptr<VirtualMidiDevice> device, juce::MidiInputCallback* callback);
    ~VirtualMidiInPort() override;

    juce::String getName() const override;
    void start() override;
    /** Returns after a delivery in progress to the callback has finished. */
    void stop() override;

private:
    std::shared_ptr<VirtualMidiDevice> device;
    juce::MidiInputCallback* callback;
    bool started = false;

    JUCE_DECLARE_NON_COPYABLE (VirtualMidiInPort)
};

} // namespace zd8

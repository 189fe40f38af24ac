#include "link/VirtualMidiInPort.h"

namespace zd8
{

VirtualMidiInPort::VirtualMidiInPort (std::shared_ptr<VirtualMidiDevice> d, juce::MidiInputCallback* cb)
    : device (std::move (d)), callback (cb)
{
}

VirtualMidiInPort::~VirtualMidiInPort()
{
    stop();
}

juce::String VirtualMidiInPort::getName() const
{
    return device->getName();
}

void VirtualMidiInPort::start()
{
    device->fromDevice.connect (callback);
    started = true;
}

void VirtualMidiInPort::stop()
{
    if (! started)
        return;

    device->fromDevice.connect (nullptr);
    started = false;
}

} // namespace zd8

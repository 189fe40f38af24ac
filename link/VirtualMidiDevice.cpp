#include "link/VirtualMidiDevice.h"

namespace zd8
{

VirtualMidiDevice::VirtualMidiDevice (juce::String deviceName, TimeSource& time)
    : toDevice (time), fromDevice (time), name (std::move (deviceName))
{
}

} // namespace zd8

#pragma once

#include "link/VirtualMidiCable.h"

#include <memory>

namespace zd8
{

/** A named in-process MIDI device with one cable in each direction, as seen from the
    plug-in: it appears under the same name in the input list and in the output list.
    What the plug-in sends to its output travels down toDevice; what the device sends
    travels up fromDevice to the plug-in's input. */
class VirtualMidiDevice
{
public:
    explicit VirtualMidiDevice (juce::String name, TimeSource& time = TimeSource::system());

    const juce::String& getName() const noexcept { return name; }

    VirtualMidiCable toDevice;   // plug-in output -> device
    VirtualMidiCable fromDevice; // device -> plug-in input

private:
    juce::String name;
};

} // namespace zd8

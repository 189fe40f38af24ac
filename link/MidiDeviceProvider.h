#pragma once

#include "link/MidiInPort.h"
#include "link/MidiOutPort.h"

#include <juce_audio_devices/juce_audio_devices.h>
#include <memory>

namespace zd8
{

/** The system's MIDI devices: lists their names and opens them by 0-based index. */
class MidiDeviceProvider
{
public:
    virtual ~MidiDeviceProvider() = default;

    virtual juce::StringArray getInputNames() = 0;
    virtual juce::StringArray getOutputNames() = 0;

    /** nullptr when the index is out of range or the device cannot be opened. */
    virtual std::unique_ptr<MidiInPort> openInput (int index, juce::MidiInputCallback* callback) = 0;
    virtual std::unique_ptr<MidiOutPort> openOutput (int index) = 0;
};

} // namespace zd8

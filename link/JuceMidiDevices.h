#pragma once

#include "link/MidiDeviceProvider.h"

namespace zd8
{

/** The operating system's MIDI devices, through juce::MidiInput and juce::MidiOutput.
    The lists are read afresh on every call; where the system has no MIDI layer they
    are empty and nothing opens. */
class JuceMidiDevices : public MidiDeviceProvider
{
public:
    juce::StringArray getInputNames() override;
    juce::StringArray getOutputNames() override;
    std::unique_ptr<MidiInPort> openInput (int index, juce::MidiInputCallback* callback) override;
    std::unique_ptr<MidiOutPort> openOutput (int index) override;
};

} // namespace zd8

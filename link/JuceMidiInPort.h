#pragma once

#include "link/MidiInPort.h"

#include <juce_audio_devices/juce_audio_devices.h>
#include <memory>

namespace zd8
{

/** A MIDI input of the operating system, through juce::MidiInput. */
class JuceMidiInPort : public MidiInPort
{
public:
    explicit JuceMidiInPort (std::unique_ptr<juce::MidiInput> input);
    ~JuceMidiInPort() override;

    juce::String getName() const override;
    void start() override;
    void stop() override;

private:
    std::unique_ptr<juce::MidiInput> input;

    JUCE_DECLARE_NON_COPYABLE (JuceMidiInPort)
};

} // namespace zd8

#pragma once

#include <juce_audio_devices/juce_audio_devices.h>

namespace zd8sim
{

/** Passes everything it receives on to a real MIDI output at once: connected to the
    simulator's fromDevice cable, it puts the simulated instrument on a real port. */
class MidiOutputForwarder : public juce::MidiInputCallback
{
public:
    explicit MidiOutputForwarder (juce::MidiOutput& output) : output (output) {}

    // The cable's delivery thread.
    void handleIncomingMidiMessage (juce::MidiInput*, const juce::MidiMessage& message) override;

private:
    juce::MidiOutput& output;
};

} // namespace zd8sim

#pragma once

#include "link/HostPosition.h"

#include <juce_audio_basics/juce_audio_basics.h>

namespace zd8
{

/** Makes the MIDI clock, continue, stop and song position messages that follow the
    host's transport. Audio thread only. This version keeps the on/off state; the
    sample-accurate generation arrives with the clock and latency settings. */
class MidiClockGenerator
{
public:
    MidiClockGenerator();

    void setClockOn (bool on) noexcept { clockOn = on; }
    bool isClockOn() const noexcept { return clockOn; }

    /** Appends this block's clock messages to buffer, at their sample positions. */
    void generateClock (const HostPosition& position, juce::MidiBuffer& buffer, int numSamples, double sampleRate);

private:
    bool clockOn = true;
    juce::MidiMessage clock, continueMessage, stop, songPosition;
};

} // namespace zd8

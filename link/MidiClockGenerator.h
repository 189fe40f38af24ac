#pragma once

#include "link/HostPosition.h"

#include <juce_audio_basics/juce_audio_basics.h>

namespace zd8
{

/** Makes MIDI clock (24 per quarter note), continue, stop and song position messages
    that follow the host's transport sample-accurately. Audio thread only; places a
    block's messages arithmetically (its cost does not grow with the block's length
    but with the messages it makes) and allocates nothing (the prepared messages are
    copied into the block's buffer, which the caller reserves). */
class MidiClockGenerator
{
public:
    static constexpr int ticksPerQuarter = 24;
    static constexpr double defaultToleranceSeconds = 0.001;

    MidiClockGenerator();

    /** Called before each block with the user's "Clock ON/OFF" setting. Switching it
        on resynchronises the instrument in the next block, whatever the transport
        does: stop, then song position at the next sixteenth; while playing, continue
        at that sixteenth, with clock from the first sample on. */
    void setClockOn (bool on) noexcept
    {
        resyncPending = resyncPending || (on && ! clockOn);
        clockOn = on;
    }
    bool isClockOn() const noexcept { return clockOn; }

    /** Appends this block's messages to buffer at their sample positions. */
    void generateClock (const HostPosition& position, juce::MidiBuffer& buffer, int numSamples, double sampleRate);

    /** Song position ceil(ppq * 4) sixteenths, at sample 0. */
    void sendPosition (double ppq, juce::MidiBuffer& buffer) const;

private:
    static constexpr juce::uint8 continuePending = 2; // flag bits
    static constexpr juce::uint8 stopSentBeforeLoopEnd = 1;

    void add (const juce::MidiMessage& m, juce::MidiBuffer& buffer, int sample) const;

    bool clockOn = true;
    bool resyncPending = false; // clock was switched on: the instrument missed what went before
    bool wasPlaying = false;
    double lastPosition = -999.0;
    double tolerance = defaultToleranceSeconds;
    double startPosition = 0.0;
    bool resyncOnJump = true;
    juce::uint8 flags = 0;
    int sampleOffset = 0;
    juce::MidiMessage clock, continueMessage, stop, songPosition;
};

} // namespace zd8

#pragma once

// The clock generator as it once was: a walk over every sample of the block, each rule
// tried at each sample. Kept only as the yardstick the generator's arithmetic placement
// is compared against (same samples, same messages, same order).

#include "link/HostPosition.h"

#include <juce_audio_basics/juce_audio_basics.h>

#include <cmath>
#include <utility>

namespace zd8test
{

class MidiClockWalk
{
public:
    void setClockOn (bool on) noexcept
    {
        resyncPending = resyncPending || (on && ! clockOn);
        clockOn = on;
    }

    void generateClock (const zd8::HostPosition& position, juce::MidiBuffer& buffer, int numSamples, double sampleRate)
    {
        const double bpm = position.bpm;
        // A tempo of zero or below has no tick length: nothing to clock.
        if (! (bpm > 0.0) || ! (sampleRate > 0.0) || numSamples <= 0 || ! std::isfinite (position.ppqPosition))
            return;

        const double b = bpm / 60.0 / sampleRate;                 // quarter notes per sample
        const double c = position.ppqPosition + sampleOffset * b; // position at the block's first sample
        const double tol = sampleRate * tolerance * b;            // the tolerance in quarter notes
        // While clock was off nothing reached the instrument (the processor drops the
        // block's messages): it may still be running from before, or be somewhere else.
        const bool resync = std::exchange (resyncPending, false);
        const bool jumped = resync || std::abs (c - lastPosition) > tol;

        if (! position.isPlaying && ! position.isRecording)
        {
            if (wasPlaying || jumped)
            {
                add (stop, buffer, 0);
                sendPosition (c, buffer);
            }
            lastPosition = c;
            flags = continuePending;
            wasPlaying = false;
            return;
        }

        if (! wasPlaying)
        {
            startPosition = std::ceil (c * 4.0) / 4.0;
            if (resync)
            {
                add (stop, buffer, 0);
                flags = continuePending;
            }
            if (jumped)
                sendPosition (c, buffer);
        }
        else if (jumped)
        {
            startPosition = std::ceil (c * 4.0) / 4.0;
            if (flags == 0 || resync)
                add (stop, buffer, 0);
            if (flags == 0 || resyncOnJump || resync)
            {
                sendPosition (c, buffer);
                // A new pass: the next loop end gets its own stop.
                flags = continuePending;
            }
        }

        const double samplesPerTickExact = sampleRate * 60.0 / (bpm * ticksPerQuarter);
        const auto samplesPerTick = (juce::int64) std::nearbyint (samplesPerTickExact);
        const auto firstSongSample = (juce::int64) roundHalfUp (60.0 / bpm * c * sampleRate);
        const bool loops = position.isLooping && position.ppqLoopStart != position.ppqLoopEnd;

        for (int i = 0; i < numSamples; ++i)
        {
            lastPosition = c + i * b;

            if (lastPosition >= startPosition)
            {
                if ((flags & continuePending) != 0)
                {
                    add (continueMessage, buffer, i);
                    flags &= (juce::uint8) ~continuePending;
                }

                if (loops && (flags & stopSentBeforeLoopEnd) == 0)
                {
                    const double r = roundHalfUp (std::abs (position.ppqLoopEnd - lastPosition) * 60.0 / bpm * sampleRate);
                    if (r <= (double) samplesPerTick)
                    {
                        add (stop, buffer, i);
                        flags |= stopSentBeforeLoopEnd;
                    }
                }
            }

            if (clockOn && samplesPerTick > 0)
            {
                const auto songSample = firstSongSample + i;
                if (songSample % samplesPerTick == 0)
                    add (clock, buffer, i);
            }
        }

        wasPlaying = true;
    }

private:
    static constexpr int ticksPerQuarter = 24;
    static constexpr juce::uint8 continuePending = 2;
    static constexpr juce::uint8 stopSentBeforeLoopEnd = 1;

    static double roundHalfUp (double x) { return std::floor (x + 0.5); }

    void add (const juce::MidiMessage& m, juce::MidiBuffer& buffer, int sample) const
    {
        buffer.addEvent (m.getRawData(), m.getRawDataSize(), sample);
    }

    void sendPosition (double ppq, juce::MidiBuffer& buffer) const
    {
        const auto sixteenths = (juce::int64) std::ceil (ppq * 4.0);
        const auto value = (int) juce::jlimit<juce::int64> (0, 16383, sixteenths);
        const juce::uint8 bytes[3] = { 0xF2, (juce::uint8) (value & 0x7F), (juce::uint8) ((value >> 7) & 0x7F) };
        buffer.addEvent (bytes, 3, 0);
    }

    bool clockOn = true;
    bool resyncPending = false;
    bool wasPlaying = false;
    double lastPosition = -999.0;
    double tolerance = 0.001;
    double startPosition = 0.0;
    bool resyncOnJump = true;
    juce::uint8 flags = 0;
    int sampleOffset = 0;
    juce::MidiMessage clock { juce::MidiMessage::midiClock() }, continueMessage { juce::MidiMessage::midiContinue() },
        stop { juce::MidiMessage::midiStop() };
};

} // namespace zd8test

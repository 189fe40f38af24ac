#include "link/MidiClockGenerator.h"

#include <cmath>
#include <utility>

namespace zd8
{

namespace
{
    double roundHalfUp (double x) { return std::floor (x + 0.5); }

    /** The first i in from..to-1 where holds(i), or to when there is none; holds must be
        false up to some i and true from there on. */
    template <typename Predicate>
    int firstWhere (int from, int to, Predicate holds)
    {
        while (from < to)
        {
            const int middle = from + (to - from) / 2;
            if (holds (middle))
                to = middle;
            else
                from = middle + 1;
        }
        return from;
    }
}

MidiClockGenerator::MidiClockGenerator()
    : clock (juce::MidiMessage::midiClock()),
      continueMessage (juce::MidiMessage::midiContinue()),
      stop (juce::MidiMessage::midiStop()),
      songPosition (juce::MidiMessage::songPositionPointer (0))
{
}

void MidiClockGenerator::add (const juce::MidiMessage& m, juce::MidiBuffer& buffer, int sample) const
{
    buffer.addEvent (m.getRawData(), m.getRawDataSize(), sample);
}

void MidiClockGenerator::sendPosition (double ppq, juce::MidiBuffer& buffer) const
{
    const auto sixteenths = (juce::int64) std::ceil (ppq * 4.0);
    const auto value = (int) juce::jlimit<juce::int64> (0, 16383, sixteenths);
    const juce::uint8 bytes[3] = { 0xF2, (juce::uint8) (value & 0x7F), (juce::uint8) ((value >> 7) & 0x7F) };
    buffer.addEvent (bytes, 3, 0);
}

void MidiClockGenerator::generateClock (const HostPosition& position, juce::MidiBuffer& buffer, int numSamples, double sampleRate)
{
    const double bpm = position.bpm;
    // A tempo of zero or below has no tick length: nothing to clock.
    if (! (bpm > 0.0) || ! std::isfinite (bpm) || ! (sampleRate > 0.0) || ! std::isfinite (sampleRate) || numSamples <= 0 || ! std::isfinite (position.ppqPosition))
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

    // The block's events are placed arithmetically, at the samples a walk over every
    // sample would find: sample i is at position c + i * b (computed so, not summed,
    // which makes it rise with i), and each rule below is a threshold on that position,
    // found by bisection with the very expression of the walk.
    const auto positionAt = [c, b] (int i) { return c + i * b; };
    const auto firstReaching = [&positionAt] (double threshold, int from, int to)
    {
        return firstWhere (from, to, [&] (int i) { return positionAt (i) >= threshold; });
    };

    const bool continueDue = (flags & continuePending) != 0;
    const bool stopDue = loops && (flags & stopSentBeforeLoopEnd) == 0;
    int continueAt = -1, stopAt = -1;

    if (continueDue || stopDue)
    {
        const int started = firstReaching (startPosition, 0, numSamples);
        if (continueDue && started < numSamples)
        {
            continueAt = started;
            flags &= (juce::uint8) ~continuePending;
        }

        if (stopDue && started < numSamples)
        {
            // Samples to the loop end fall until the end is reached, then rise again: a
            // stop goes out at the first sample within one tick of the end.
            const auto withinATick = [&] (int i)
            {
                const double r = roundHalfUp (std::abs (position.ppqLoopEnd - positionAt (i)) * 60.0 / bpm * sampleRate);
                return r <= (double) samplesPerTick;
            };
            const int atEnd = firstReaching (position.ppqLoopEnd, started, numSamples);
            const int before = firstWhere (started, atEnd, withinATick);
            if (before < atEnd)
                stopAt = before;
            else if (atEnd < numSamples && withinATick (atEnd))
                stopAt = atEnd;
            if (stopAt >= 0)
                flags |= stopSentBeforeLoopEnd;
        }
    }

    // Clock on every song sample that is a multiple of the tick; at a sample with
    // several events the order is continue, stop, clock.
    juce::int64 nextClock = numSamples;
    if (clockOn && samplesPerTick > 0)
    {
        const auto rest = firstSongSample % samplesPerTick;
        nextClock = rest == 0 ? 0 : (rest > 0 ? samplesPerTick - rest : -rest);
    }
    const auto clocksBefore = [&] (juce::int64 end)
    {
        for (; nextClock < end; nextClock += samplesPerTick)
            add (clock, buffer, (int) nextClock);
    };

    if (continueAt >= 0)
    {
        clocksBefore (continueAt);
        add (continueMessage, buffer, continueAt);
    }
    if (stopAt >= 0)
    {
        clocksBefore (stopAt);
        add (stop, buffer, stopAt);
    }
    clocksBefore (numSamples);

    lastPosition = positionAt (numSamples - 1);
    wasPlaying = true;
}

} // namespace zd8

#pragma once

#include <juce_audio_basics/juce_audio_basics.h>

namespace zd8
{

/** An open MIDI output, as the port owner needs it. Mirrors juce::MidiOutput so that
    the real device, an in-process virtual device and the instrument simulator sit
    behind the same calls.

    Threads: sends may come from the message thread, the MIDI input thread and the
    audio thread at once; implementations must cope. */
class MidiOutPort
{
public:
    virtual ~MidiOutPort() = default;

    virtual juce::String getName() const = 0;

    /** Sends at once, on the caller's thread. */
    virtual void sendMessageNow (const juce::MidiMessage& message) = 0;

    /** Sends raw bytes at once (a piece of a long system-exclusive message). */
    virtual void sendRawNow (const juce::uint8* data, int size) = 0;

    /** Timed send: each event goes out at startMs + position * 1000 / samplesPerSecond,
        from the output's background thread. Times are on juce::Time's high-resolution
        millisecond counter. Must not allocate for short messages (audio thread). */
    virtual void sendBlockOfMessages (const juce::MidiBuffer& buffer, double startMs, double samplesPerSecond) = 0;

    /** Drops everything still waiting in the timed queue. */
    virtual void clearAllPendingMessages() = 0;

    virtual void startBackgroundThread() = 0;
    virtual void stopBackgroundThread() = 0;
};

} // namespace zd8

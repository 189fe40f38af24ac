#pragma once

#include <juce_audio_basics/juce_audio_basics.h>

namespace zd8
{

/** An open MIDI output, as the port owner needs it. Mirrors juce::MidiOutput so that
    the real device, an in-process virtual device and the instrument simulator sit
    behind the same calls.

    Threads: sends may come from the message thread, the MIDI input thread and the
    audio thread at once; implementations must cope. The audio thread only makes
    timed sends (sendBlockOfMessages), which therefore take no lock and allocate
    nothing: the implementations queue them in a MidiSendQueue. */
class MidiOutPort
{
public:
    virtual ~MidiOutPort() = default;

    virtual juce::String getName() const = 0;

    /** Sends at once (a real device on the caller's thread), also while the background
        thread is stopped. Not the audio thread. */
    virtual void sendMessageNow (const juce::MidiMessage& message) = 0;

    /** Sends raw bytes at once (a piece of a long system-exclusive message), like
        sendMessageNow. */
    virtual void sendRawNow (const juce::uint8* data, int size) = 0;

    /** Timed send: each event goes out at startMs + position * 1000 / samplesPerSecond,
        from the output's background thread, in due-time order. Times are on the port's
        time source (juce::Time's high-resolution millisecond counter for real devices).
        Events of up to 256 bytes; longer ones are dropped. Any thread, the audio thread
        included: takes no lock, allocates nothing, never waits; when the queue is full
        the event is dropped. */
    virtual void sendBlockOfMessages (const juce::MidiBuffer& buffer, double startMs, double samplesPerSecond) = 0;

    /** Drops everything still waiting in the timed queue (what was already due goes
        out first). Not the audio thread. */
    virtual void clearAllPendingMessages() = 0;

    /** Pausing the timed sends around a long system-exclusive message sent in pieces:
        once stopBackgroundThread returns, no timed send goes out until
        startBackgroundThread; timed sends made meanwhile wait. Not the audio thread. */
    virtual void startBackgroundThread() = 0;
    virtual void stopBackgroundThread() = 0;
};

} // namespace zd8

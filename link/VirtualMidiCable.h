#pragma once

#include "link/TimeSource.h"

#include <juce_audio_devices/juce_audio_devices.h>

namespace zd8
{

class MidiSendQueue;

/** One direction of an in-process MIDI connection (a virtual cable). Whatever is sent
    into it is delivered, in the order sent, to the connected juce::MidiInputCallback
    on the cable's own delivery thread, as a real MIDI input would deliver it. Each
    message is stamped with the time it was due (timed sends) or sent (immediate
    sends); delivery itself does not wait for the due time, so tests stay fast and the
    stamps stay exact.

    send* may be called from any thread: short messages are queued in a pre-sized
    ring without allocating, under a lock held for the copy. The plug-in's output
    port puts its sends behind a MidiSendQueue, so the audio thread never takes that
    lock. */
class VirtualMidiCable
{
public:
    /** Messages that can wait for delivery; more are dropped (and counted), never
        blocking the sender. */
    static constexpr int capacity = 4096;

    explicit VirtualMidiCable (TimeSource& time = TimeSource::system());
    ~VirtualMidiCable();

    /** Connects the receiver (nullptr disconnects). Returns after any delivery in
        progress to the previous receiver has finished. */
    void connect (juce::MidiInputCallback* receiver);

    /** Queues a message stamped with dueMs. */
    void send (const juce::MidiMessage& message, double dueMs);
    /** Queues a message stamped with now. */
    void sendNow (const juce::MidiMessage& message);
    /** Queues raw bytes (for example one piece of a long system-exclusive message),
        delivered as one juce::MidiMessage holding exactly those bytes. */
    void sendRaw (const juce::uint8* data, int size, double dueMs);

    /** Drops what is queued and not yet delivered. */
    void clearPending();

    /** Waits until the queue is empty and no delivery is running, after flushing the
        feeders (see addFeeder). */
    bool waitUntilIdle (int timeoutMs = 2000);

    /** A send queue that hands its messages on into this cable from a thread of its
        own (a port's MidiSendQueue): waitUntilIdle flushes it first, so that whatever
        was sent towards the cable before counts. The queue must be removed before it
        goes; removing waits for a flush in progress. Not the audio thread. */
    void addFeeder (MidiSendQueue& queue);
    void removeFeeder (MidiSendQueue& queue);

    /** Messages dropped because the queue was full. */
    int getDroppedCount() const;

    TimeSource& getTimeSource() const noexcept;

private:
    struct Impl;
    std::unique_ptr<Impl> impl;

    JUCE_DECLARE_NON_COPYABLE (VirtualMidiCable)
};

} // namespace zd8

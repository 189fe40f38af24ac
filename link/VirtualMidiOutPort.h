#pragma once

#include "link/MidiOutPort.h"
#include "link/MidiSendQueue.h"
#include "link/VirtualMidiDevice.h"

#include <memory>

namespace zd8
{

/** The plug-in's output to a virtual device: everything goes down the device's
    toDevice cable, stamped with the time it is due (timed sends) or was sent
    (immediate sends).

    Every send passes through a MidiSendQueue in atOnce timing, whose thread puts it
    into the cable without waiting for its due time: so a send on the audio thread
    takes no lock (the cable's lock is taken on the queue's thread), and immediate and
    timed sends reach the cable in the order they were made. The cable counts the
    queue as feeding it, so its waitUntilIdle first flushes the queue.

    The background thread is the queue's pause: the port starts with it running; while
    it is stopped, timed sends wait in the queue and go down the cable when it starts
    again, behind the immediate sends made meanwhile, so that nothing timed lands
    inside a long system-exclusive message sent in pieces. clearAllPendingMessages
    drops only what is held that way: a timed send made while running counts as sent,
    as far as the port is concerned.

    Keeps the device alive while open. */
class VirtualMidiOutPort : public MidiOutPort
{
public:
    explicit VirtualMidiOutPort (std::shared_ptr<VirtualMidiDevice> device);
    ~VirtualMidiOutPort() override;

    juce::String getName() const override;
    void sendMessageNow (const juce::MidiMessage& message) override;
    void sendRawNow (const juce::uint8* data, int size) override;
    void sendBlockOfMessages (const juce::MidiBuffer& buffer, double startMs, double samplesPerSecond) override;
    void clearAllPendingMessages() override;
    void startBackgroundThread() override;
    void stopBackgroundThread() override;

    /** Waits until every send made before the call is in the cable (timed sends held
        by a stopped background thread stay held). */
    bool flush (int timeoutMs = 2000);

private:
    void sendImmediate (const juce::uint8* data, int size);

    std::shared_ptr<VirtualMidiDevice> device;
    MidiSendQueue queue; // after device: stops handing on before the device may go

    JUCE_DECLARE_NON_COPYABLE (VirtualMidiOutPort)
};

} // namespace zd8

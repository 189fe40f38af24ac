#include "link/VirtualMidiOutPort.h"

namespace zd8
{

VirtualMidiOutPort::VirtualMidiOutPort (std::shared_ptr<VirtualMidiDevice> d)
    : device (std::move (d)),
      queue (device->toDevice.getTimeSource(), MidiSendQueue::Timing::atOnce,
             [this] (const juce::uint8* data, int size, double dueMs) {
                 // The queue's thread (or a caller flushing, stopping or clearing it).
                 device->toDevice.sendRaw (data, size, dueMs);
             })
{
    device->toDevice.addFeeder (queue);
}

VirtualMidiOutPort::~VirtualMidiOutPort()
{
    device->toDevice.removeFeeder (queue);
}

juce::String VirtualMidiOutPort::getName() const
{
    return device->getName();
}

void VirtualMidiOutPort::sendMessageNow (const juce::MidiMessage& message)
{
    sendImmediate (message.getRawData(), message.getRawDataSize());
}

void VirtualMidiOutPort::sendRawNow (const juce::uint8* data, int size)
{
    sendImmediate (data, size);
}

void VirtualMidiOutPort::sendImmediate (const juce::uint8* data, int size)
{
    if (data == nullptr || size <= 0)
        return;

    const double now = device->toDevice.getTimeSource().nowMs();
    if (size <= MidiSendQueue::maxEventBytes)
    {
        queue.pushImmediate (data, size, now);
        return;
    }

    // Too long for a queue slot (never the audio thread: nothing it sends is this
    // long): everything queued before goes first, then this, straight into the cable.
    queue.flush();
    device->toDevice.sendRaw (data, size, now);
}

void VirtualMidiOutPort::sendBlockOfMessages (const juce::MidiBuffer& buffer, double startMs, double samplesPerSecond)
{
    queue.pushBlock (buffer, startMs, samplesPerSecond);
}

void VirtualMidiOutPort::clearAllPendingMessages() { queue.clearAllPending(); }
void VirtualMidiOutPort::startBackgroundThread() { queue.start(); }
void VirtualMidiOutPort::stopBackgroundThread() { queue.stop(); }
bool VirtualMidiOutPort::flush (int timeoutMs) { return queue.flush (timeoutMs); }

} // namespace zd8

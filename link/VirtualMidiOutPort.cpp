#include "link/VirtualMidiOutPort.h"

#include "link/LockWatch.h"

namespace zd8
{

namespace
{
    // Two bytes, stored inline: overwriting a held slot with it releases its heap data.
    const juce::MidiMessage& emptyMessage()
    {
        static const juce::MidiMessage empty;
        return empty;
    }
}

VirtualMidiOutPort::VirtualMidiOutPort (std::shared_ptr<VirtualMidiDevice> d)
    : device (std::move (d)), held ((size_t) heldCapacity)
{
}

juce::String VirtualMidiOutPort::getName() const
{
    return device->getName();
}

void VirtualMidiOutPort::sendMessageNow (const juce::MidiMessage& message)
{
    device->toDevice.sendNow (message);
}

void VirtualMidiOutPort::sendRawNow (const juce::uint8* data, int size)
{
    device->toDevice.sendRaw (data, size, device->toDevice.getTimeSource().nowMs());
}

void VirtualMidiOutPort::sendBlockOfMessages (const juce::MidiBuffer& buffer, double startMs, double samplesPerSecond)
{
    if (! (samplesPerSecond > 0.0))
        return;

    const double msPerSample = 1000.0 / samplesPerSecond;
    LockWatch::taken ("virtual output port lock");
    std::lock_guard<std::mutex> g (lock);

    for (const auto event : buffer)
    {
        const double dueMs = startMs + event.samplePosition * msPerSample;

        if (running)
        {
            device->toDevice.send (event.getMessage(), dueMs);
        }
        else if (heldCount < held.size())
        {
            auto& slot = held[heldCount++];
            slot = event.getMessage();
            slot.setTimeStamp (dueMs);
        }
    }
}

// What is already in the cable counts as sent, as it would be on a real port; only
// timed sends held while the background thread is stopped are still waiting.
void VirtualMidiOutPort::clearAllPendingMessages()
{
    std::lock_guard<std::mutex> g (lock);

    for (size_t i = 0; i < heldCount; ++i)
        held[i] = emptyMessage();

    heldCount = 0;
}

void VirtualMidiOutPort::startBackgroundThread()
{
    std::lock_guard<std::mutex> g (lock);
    if (running)
        return;

    running = true;
    for (size_t i = 0; i < heldCount; ++i)
    {
        device->toDevice.send (held[i], held[i].getTimeStamp());
        held[i] = emptyMessage();
    }

    heldCount = 0;
}

void VirtualMidiOutPort::stopBackgroundThread()
{
    std::lock_guard<std::mutex> g (lock);
    running = false;
}

} // namespace zd8

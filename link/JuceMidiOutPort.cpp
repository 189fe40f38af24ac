#include "link/JuceMidiOutPort.h"

namespace zd8
{

JuceMidiOutPort::JuceMidiOutPort (std::unique_ptr<juce::MidiOutput> out, TimeSource& time)
    : output (std::move (out)),
      timed (time, MidiSendQueue::Timing::atDueTime, [this] (const juce::uint8* data, int size, double) {
          // The queue's sending thread (or a stop/clear on the caller's thread).
          sendToDevice (juce::MidiMessage (data, size));
      })
{
    jassert (output != nullptr);
}

JuceMidiOutPort::~JuceMidiOutPort() = default;

juce::String JuceMidiOutPort::getName() const { return output->getName(); }

void JuceMidiOutPort::sendToDevice (const juce::MidiMessage& message)
{
    std::lock_guard<std::mutex> g (deviceLock);
    output->sendMessageNow (message);
}

void JuceMidiOutPort::sendMessageNow (const juce::MidiMessage& message) { sendToDevice (message); }

void JuceMidiOutPort::sendRawNow (const juce::uint8* data, int size)
{
    if (data != nullptr && size > 0)
        sendToDevice (juce::MidiMessage (data, size));
}

void JuceMidiOutPort::sendBlockOfMessages (const juce::MidiBuffer& buffer, double startMs, double samplesPerSecond)
{
    timed.pushBlock (buffer, startMs, samplesPerSecond);
}

void JuceMidiOutPort::clearAllPendingMessages() { timed.clearAllPending(); }
void JuceMidiOutPort::startBackgroundThread() { timed.start(); }
void JuceMidiOutPort::stopBackgroundThread() { timed.stop(); }

} // namespace zd8

#include "link/JuceMidiOutPort.h"

namespace zd8
{

JuceMidiOutPort::JuceMidiOutPort (std::unique_ptr<juce::MidiOutput> out) : output (std::move (out))
{
    jassert (output != nullptr);
}

JuceMidiOutPort::~JuceMidiOutPort()
{
    output->stopBackgroundThread();
}

juce::String JuceMidiOutPort::getName() const { return output->getName(); }

void JuceMidiOutPort::sendMessageNow (const juce::MidiMessage& message) { output->sendMessageNow (message); }

void JuceMidiOutPort::sendRawNow (const juce::uint8* data, int size)
{
    if (data != nullptr && size > 0)
        output->sendMessageNow (juce::MidiMessage (data, size));
}

void JuceMidiOutPort::sendBlockOfMessages (const juce::MidiBuffer& buffer, double startMs, double samplesPerSecond)
{
    if (samplesPerSecond > 0.0)
        output->sendBlockOfMessages (buffer, startMs, samplesPerSecond);
}

void JuceMidiOutPort::clearAllPendingMessages() { output->clearAllPendingMessages(); }
void JuceMidiOutPort::startBackgroundThread() { output->startBackgroundThread(); }
void JuceMidiOutPort::stopBackgroundThread() { output->stopBackgroundThread(); }

} // namespace zd8

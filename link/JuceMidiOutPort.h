#pragma once

#include "link/MidiOutPort.h"

#include <juce_audio_devices/juce_audio_devices.h>
#include <memory>

namespace zd8
{

/** A MIDI output of the operating system, through juce::MidiOutput: every call goes
    straight to it. Its timed sends are JUCE's, which allocate one queue entry per
    event. */
class JuceMidiOutPort : public MidiOutPort
{
public:
    explicit JuceMidiOutPort (std::unique_ptr<juce::MidiOutput> output);
    ~JuceMidiOutPort() override;

    juce::String getName() const override;
    void sendMessageNow (const juce::MidiMessage& message) override;
    void sendRawNow (const juce::uint8* data, int size) override;
    void sendBlockOfMessages (const juce::MidiBuffer& buffer, double startMs, double samplesPerSecond) override;
    void clearAllPendingMessages() override;
    void startBackgroundThread() override;
    void stopBackgroundThread() override;

private:
    std::unique_ptr<juce::MidiOutput> output;

    JUCE_DECLARE_NON_COPYABLE (JuceMidiOutPort)
};

} // namespace zd8

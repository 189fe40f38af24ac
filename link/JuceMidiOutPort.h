#pragma once

#include "link/MidiOutPort.h"
#include "link/MidiSendQueue.h"

#include <juce_audio_devices/juce_audio_devices.h>
#include <memory>
#include <mutex>

namespace zd8
{

/** A MIDI output of the operating system, through juce::MidiOutput. Immediate sends go
    straight to it on the caller's thread; timed sends wait in a MidiSendQueue whose
    thread sends each one with sendMessageNow at its due time (JUCE's own timed send
    allocates and locks, which the audio thread must not). JUCE's background thread
    is never started.

    Calls into the device are made one at a time (JUCE's ALSA output keeps one
    message encoder per port and does not guard it), from the message thread, the
    MIDI input thread and the queue's thread; never from the audio thread. */
class JuceMidiOutPort : public MidiOutPort
{
public:
    explicit JuceMidiOutPort (std::unique_ptr<juce::MidiOutput> output, TimeSource& time = TimeSource::system());
    ~JuceMidiOutPort() override;

    juce::String getName() const override;
    void sendMessageNow (const juce::MidiMessage& message) override;
    void sendRawNow (const juce::uint8* data, int size) override;
    void sendBlockOfMessages (const juce::MidiBuffer& buffer, double startMs, double samplesPerSecond) override;
    void clearAllPendingMessages() override;
    void startBackgroundThread() override;
    void stopBackgroundThread() override;

private:
    void sendToDevice (const juce::MidiMessage& message);

    std::unique_ptr<juce::MidiOutput> output;
    std::mutex deviceLock; // held for each call into the device
    MidiSendQueue timed; // after output: its thread stops before the output goes

    JUCE_DECLARE_NON_COPYABLE (JuceMidiOutPort)
};

} // namespace zd8

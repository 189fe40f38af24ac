#pragma once

#include "link/MidiOutPort.h"
#include "link/VirtualMidiDevice.h"

#include <memory>
#include <mutex>
#include <vector>

namespace zd8
{

/** The plug-in's output to a virtual device: everything goes down the device's
    toDevice cable, stamped with the time it is due.

    The background thread is emulated: the port starts with it running (a cable needs
    no thread), and while it is stopped, timed sends wait in the port (up to
    heldCapacity, more are dropped) and go down the cable when it starts again, so
    that nothing timed lands inside a long system-exclusive message sent in pieces.
    clearAllPendingMessages drops only those held sends: whatever is in the cable has
    been sent, as far as the port is concerned.
    Keeps the device alive while open. */
class VirtualMidiOutPort : public MidiOutPort
{
public:
    static constexpr int heldCapacity = 1024;

    explicit VirtualMidiOutPort (std::shared_ptr<VirtualMidiDevice> device);

    juce::String getName() const override;
    void sendMessageNow (const juce::MidiMessage& message) override;
    void sendRawNow (const juce::uint8* data, int size) override;
    void sendBlockOfMessages (const juce::MidiBuffer& buffer, double startMs, double samplesPerSecond) override;
    void clearAllPendingMessages() override;
    void startBackgroundThread() override;
    void stopBackgroundThread() override;

private:
    std::shared_ptr<VirtualMidiDevice> device;

    // Guards running and the held messages; taken briefly by every timed send so
    // that a send cannot slip past a stop.
    std::mutex lock;
    bool running = true;
    std::vector<juce::MidiMessage> held; // pre-sized; the first heldCount are waiting
    size_t heldCount = 0;

    JUCE_DECLARE_NON_COPYABLE (VirtualMidiOutPort)
};

} // namespace zd8

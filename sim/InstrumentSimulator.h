#pragma once

#include "link/TimerFactory.h"
#include "link/VirtualMidiDevice.h"
#include "sim/AddressedChangeDecoder.h"
#include "sim/ObjectMemory.h"

#include <juce_audio_devices/juce_audio_devices.h>
#include <array>
#include <map>
#include <memory>
#include <mutex>
#include <vector>

namespace zd8sim
{

/** A software stand-in for the ZD8, written from the instrument's published message
    tables (it shares no encoder with the plug-in). It sits behind a virtual MIDI
    device, answers the identity request, records everything it receives with its
    time, follows program, multi and channel selections and controller-addressed
    parameter changes, and can play notes, controllers, program changes and
    system-exclusive messages (whole or split) to the plug-in. Its object memory
    answers the transfer family and takes program and multi writes; the replies it
    sends can be dropped, delayed, duplicated or garbled on request.

    What the plug-in sends arrives on the device's toDevice cable thread (or a real
    MIDI input thread); the accessors may be called from any thread. */
class InstrumentSimulator : private juce::MidiInputCallback
{
public:
    static constexpr const char* defaultName = "ZD8 Simulator";

    struct Received
    {
        double timeMs = 0;                 // stamp of the cable: due or send time
        std::vector<juce::uint8> bytes;    // the message as it arrived
        bool partial = false;              // a partial-sysex notification: the bytes so far
    };

    /** One controller-addressed parameter change as decoded from its seven CCs:
        midiChannel 1..16, address A1..A5, value signed, (msb * 128 + lsb) - 8192. */
    using AddressedChange = AddressedChangeDecoder::Change;

    /** timers run delayed replies; tests pass their manual timeline. */
    explicit InstrumentSimulator (juce::String name = defaultName,
                                  zd8::TimeSource& time = zd8::TimeSource::system(),
                                  zd8::TimerFactory& timers = zd8::TimerFactory::system());
    ~InstrumentSimulator() override;

    /** Where timers for delayed replies come from (before any delay is injected). */
    void setTimers (zd8::TimerFactory& timers);

    /** The device to register with a device provider or to open directly. */
    std::shared_ptr<zd8::VirtualMidiDevice> getDevice() const { return device; }

    //==============================================================================
    // What the instrument says in its identity reply: bytes 6 and 8 (0x46 / 1 = ZD8),
    // and byte 7 / byte 9 for the older models.
    void setIdentity (int byte6, int byte7, int byte8, int byte9);
    void setAnswersIdentity (bool shouldAnswer);

    //==============================================================================
    std::vector<Received> getReceived() const;
    void clearReceived();
    /** Waits until at least count messages have been received. */
    bool waitForReceived (size_t count, int timeoutMs = 2000) const;
    /** Waits until everything sent to the simulator has been handled. */
    bool waitUntilHandled (int timeoutMs = 2000) const;

    /** Every complete system-exclusive message, once each, as assembled from the
        pieces it arrived in. */
    std::vector<std::vector<juce::uint8>> getAssembledSysex() const;

    int getChannelProgram (int channel) const;   // channel 0..15: last channel program select, -1 none
    int getMulti() const;                        // last multi select, -1 none
    int getSelectedChannel() const;              // last channel select (0..15), -1 none
    std::vector<AddressedChange> getAddressedChanges() const;
    int getIdentityRequestCount() const;

    /** Forgets selections, addressed changes, the identity request count and any
        half-received message (the record of received messages stays). */
    void resetState();

    /** The instrument's programs, multis and FX chains (thread-safe). */
    ObjectMemory& getMemory() noexcept;

    //==============================================================================
    // Faults on the way back: each reply the simulator sends (identity replies and
    // object memory answers) takes the first pending fault, until its count runs out.
    enum class ReplyFault
    {
        drop,       // never sent
        delay,      // sent delayMs later, by the simulator's timers
        duplicate,  // sent twice, back to back
        garble      // every byte after the five header bytes is inverted (xor 0x7F): the
                    // frame and header stay, no field means what it did
    };

    /** Queues a fault for the next count replies (after those queued before). */
    void injectReplyFault (ReplyFault fault, int count = 1, int delayMs = 0);
    void clearReplyFaults();
    /** Replies that pending faults will still affect. */
    int getPendingReplyFaults() const;
    /** Delayed replies not sent yet. */
    int getHeldReplyCount() const;

    //==============================================================================
    // Playing to the plug-in (channels 1..16). Values out of MIDI range send nothing.
    void sendNoteOn (int channel, int note, int velocity);
    void sendNoteOff (int channel, int note);
    void sendController (int channel, int controller, int value);
    void sendProgramChange (int channel, int program);
    void sendPitchBend (int channel, int value14);
    void sendRaw (const std::vector<juce::uint8>& bytes);
    /** A system-exclusive message as one delivery, or cut after splitAt bytes into two
        deliveries (F0 ... and ... F7). */
    void sendSysex (const std::vector<juce::uint8>& message, size_t splitAt = 0);

    /** Waits until everything sent to the plug-in has been delivered. */
    bool waitUntilDelivered (int timeoutMs = 2000) const;

    //==============================================================================
    /** Feeding the simulator from a real MIDI input (zd8-sim): the same path the
        virtual cable uses. Call from one input thread at a time. */
    juce::MidiInputCallback& getInputCallback() noexcept { return *this; }

private:
    void handleIncomingMidiMessage (juce::MidiInput*, const juce::MidiMessage&) override;
    void handlePartialSysexMessage (juce::MidiInput*, const juce::uint8*, int, double) override;

    void handleSysex (const std::vector<juce::uint8>& message);
    void handleShortMessage (const juce::uint8* data, size_t size);
    void sendToPlugin (const juce::MidiMessage& message);
    void sendReply (std::vector<juce::uint8> reply);
    void sendDueReplies();

    struct State;
    std::unique_ptr<State> state;
    std::shared_ptr<zd8::VirtualMidiDevice> device;
};

} // namespace zd8sim

#pragma once

#include "model/InstrumentImage.h"
#include "model/ParameterTable.h"
#include "plugin/HostMidiBridge.h"
#include "plugin/HostReports.h"
#include "plugin/LinkSettings.h"
#include "plugin/NoticeBoard.h"
#include "plugin/PlayingModeSwitch.h"
#include "plugin/ProgramSelection.h"
#include "transfer/TransferMailbox.h"

#include <juce_audio_devices/juce_audio_devices.h>

#include <array>
#include <atomic>
#include <mutex>

namespace zd8
{

/** Everything the instrument sends, as it arrives: the port pair delivers it here.
    - Channel messages: notes into the note table and notices; controllers into the
      controller slots (queued for the host, noticed); program changes, with the bank
      select before them, select the channel's program; the thru-to-host selection of
      them goes into the buffer bound for the host.
    - System exclusive, assembled from the pieces the port delivers (real-time bytes in
      between are left out; garbage beyond maxSysexSize is dropped), then routed: the
      identity reply is answered and noticed; while a transfer runs every instrument
      message, and otherwise the transfer replies, go to the transfer mailbox; the
      program, multi and master messages go into the instrument image (a changed
      channel-program table moves the program rows with it).
    - The identity exchange: the request (message thread) and the reply.

    Threads: the MidiInputCallback functions and handleInstrumentSysex on the MIDI
    input thread (nothing arrives while the playing-mode switch blocks input);
    requestIdentity, setTransferFlag and the getters on the message thread. The
    channel's bank and program numbers and the transfer flag are atomics, the device
    name has a lock of its own, the sysex assembly belongs to the MIDI input thread. */
class InstrumentInput : public juce::MidiInputCallback
{
public:
    // A system-exclusive message longer than this is garbage: the instrument's largest
    // object message is a few kilobytes.
    static constexpr size_t maxSysexSize = 1 << 20;

    InstrumentInput (LinkSettings& link, HostMidiBridge& hostMidi, ProgramSelection& selection,
                     PlayingModeSwitch& modeSwitch, HostReports& hostReports, NoticeBoard& notices,
                     ParameterTable& parameters, InstrumentImage& image, TransferMailbox& mailbox);

    void handleIncomingMidiMessage (juce::MidiInput* source, const juce::MidiMessage& message) override;
    void handlePartialSysexMessage (juce::MidiInput* source, const juce::uint8* data, int size, double time) override;

    /** A complete system-exclusive message (F0 .. F7) from the instrument. */
    void handleInstrumentSysex (const juce::uint8* message, size_t size);

    /** While on, every instrument message goes to the transfer mailbox. */
    void setTransferFlag (bool on) noexcept { transferFlag = on; }
    bool isTransferRunning() const noexcept { return transferFlag.load(); }

    void requestIdentity();
    void handleIdentityReply (const juce::uint8* message, size_t size);
    juce::String getDeviceName() const;

    /** The program number (bank * 128 + program) the instrument last selected on channel
        slot channel (0..15). */
    int getChannelProgramNumber (int channel) const noexcept;

private:
    void handleChannelMessage (const juce::MidiMessage& message);
    void appendToSysex (const juce::uint8* data, size_t size);
    void compareChannelProgramTable();
    void instrumentControllerWrite (int channel, int controller, int value);
    void instrumentProgramChange (int channel, int program);

    LinkSettings& link;
    HostMidiBridge& hostMidi;
    ProgramSelection& selection;
    PlayingModeSwitch& modeSwitch;
    HostReports& hostReports;
    NoticeBoard& notices;
    ParameterTable& parameters;
    InstrumentImage& image;
    TransferMailbox& mailbox;

    std::atomic<bool> transferFlag { false };

    std::array<std::atomic<int>, 16> instrumentBankLsb {};
    std::array<std::atomic<int>, 16> instrumentProgram {};
    std::array<std::atomic<int>, 16> instrumentProgramNumber {};

    // MIDI input thread only.
    juce::MemoryBlock sysexAssembly;

    mutable std::mutex deviceNameLock;
    juce::String deviceName;

    JUCE_DECLARE_NON_COPYABLE (InstrumentInput)
};

} // namespace zd8

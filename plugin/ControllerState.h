#pragma once

#include "arrangements/ArrangementBank.h"
#include "link/LinkEnvironment.h"
#include "link/InstrumentPorts.h"
#include "model/InstrumentImage.h"
#include "plugin/EditorSession.h"
#include "plugin/HostReports.h"
#include "plugin/LinkSettings.h"
#include "plugin/Notice.h"
#include "plugin/NoticeBoard.h"
#include "model/ParameterTable.h"
#include "plugin/SettingsList.h"
#include "plugin/StateListenerList.h"
#include "plugin/HostReporter.h"
#include "plugin/StateListener.h"
#include "transfer/TransferContext.h"
#include "transfer/TransferMailbox.h"

#include <juce_audio_devices/juce_audio_devices.h>

#include <array>
#include <atomic>
#include <mutex>
#include <vector>

namespace zd8
{

/** The controller state (the hub): the one object that knows the instrument. It owns
    the instrument image, the Arrangement bank, the parameter table, the settings and
    the port owner; it receives everything the instrument sends, tracks the MIDI the
    host sends, sends what the editor and the host ask for, and reports what happened
    to its listeners through notices.

    Threads: handleIncomingMidiMessage runs on the MIDI input thread, trackHostMidi and
    the host-bound buffer's merge on the audio thread, everything else on the message
    thread unless said otherwise. */
class ControllerState : public juce::MidiInputCallback, public TransferContext
{
public:
    // Notice words of the link events (see Notice).
    static constexpr juce::uint32 identityReplyNotice = Notice::identityReply().toWord();
    static constexpr juce::uint32 identityRequestNotice = Notice::identityRequest().toWord();
    static constexpr juce::uint32 arrangementRecalledNotice = Notice::arrangementRecalled().toWord();

    static constexpr int programMode = 1;
    static constexpr int multiMode = 2;
    static constexpr int programModeBlockMs = 2000;
    static constexpr int multiModeBlockMs = 1000;
    static constexpr double hostBufferWindowMs = 500.0;
    static constexpr int numRateIndexes = LinkSettings::numRateIndexes;
    static constexpr int numDelays = LinkSettings::numDelays;
    static constexpr int maxDelayMs = LinkSettings::maxDelayMs;

    explicit ControllerState (LinkEnvironment environment = LinkEnvironment::system());
    ~ControllerState() override;

    //==============================================================================
    // Incoming MIDI from the instrument (MIDI input thread).
    void handleIncomingMidiMessage (juce::MidiInput* source, const juce::MidiMessage& message) override;
    void handlePartialSysexMessage (juce::MidiInput* source, const juce::uint8* data, int size, double time) override;

    /** A complete system-exclusive message (F0 .. F7) from the instrument. */
    void handleInstrumentSysex (const juce::uint8* message, size_t size);

    /** Host MIDI seen by processBlock (audio thread): updates the note table and
        notices; sends nothing. */
    void trackHostMidi (const juce::MidiMessage& message);

    //==============================================================================
    // The buffer of instrument MIDI bound for the host. Positions are arrival times in
    // milliseconds since the hub started.
    juce::CriticalSection& getLock() noexcept { return hubLock; }

    /** Audio thread, with the hub lock held: places the buffered events into hostMidi in
        proportion to their arrival times over a block of numSamples, then empties it. */
    void mergeHostBoundMidi (juce::MidiBuffer& hostMidi, int numSamples);

    /** Under the hub lock: all notes off in the note table, buffer bound for the host
        emptied (prepareToPlay / releaseResources). */
    void resetHostBoundMidi();

    void sendControllerToHost (int channel, int controller, int value);
    void sendPitchWheelToHost (int channel, int value);

    //==============================================================================
    // Channel messages to the instrument (editor); channel is 1..16.
    void sendNoteOn (int channel, int note, int velocity);
    void sendNoteOff (int channel, int note);
    void sendPitchWheel (int channel, int value, bool toHost);

    //==============================================================================
    // Notices (any thread appends; the message thread drains).
    /** A notice word as it is (Notice::toWord builds one). */
    void addNotice (juce::uint32 code);
    void addSlotNotice (int slot, int value);
    void drainNotices (std::vector<juce::uint32>& out) { notices.drainNotices (out); }
    void drainSlotNotices (std::vector<juce::uint64>& out) { notices.drainSlotNotices (out); }

    void addStateListener (StateListener* listener);
    void removeStateListener (StateListener* listener);
    void addCable (HostReporter* cable);
    void removeCable (HostReporter* cable);

    //==============================================================================
    // Changes waiting to be reported to the host (any thread queues; the message thread
    // takes them after the host queue signal's broadcast).
    void queueForHost (int slot, int value);
    void takeHostQueue (std::vector<std::pair<int, int>>& out);
    /** Broadcasts (asynchronously, on the message thread) that the queue of changes
        for the host is not empty. */
    juce::ChangeBroadcaster& getHostQueueSignal() noexcept { return hostReports.getSignal(); }

    //==============================================================================
    // Identity.
    void requestIdentity();
    void handleIdentityReply (const juce::uint8* message, size_t size);
    juce::String getDeviceName() const;

    //==============================================================================
    // Parameter slots.
    ParameterTable& getParameters() noexcept { return parameters; }
    const ParameterTable& getParameters() const noexcept { return parameters; }

    /** The host write rule; value is already in the slot's range. Any thread. */
    void setFromHost (int slot, int value);
    void setFromEditor (int slot, int value, bool reportToHost, bool notify);
    void setAndReport (int slot, int value);
    void sendSlot (int slot, int value);
    void selectProgram (int program, int channel);
    void setMulti (int number, bool reportToHost, bool notify);
    void sendAddressed (int selector, int channel, const int address[5], int value);

    juce::String slotLabel (int slot) const;
    juce::String slotValueText (int slot) const;

    /** After an Arrangement was applied to the table: playing mode (0 counts as 1), the
        multi in multi mode, the sixteen channel programs, then the recall notice. */
    void bringInstrumentIntoLine();

    /** The playing-mode switch: blocks incoming MIDI for a while and reports slot 2305. */
    void switchPlayingMode (int mode);
    bool isInputBlocked() const noexcept { return inputBlocked.load(); }
    int getPlayingMode() const noexcept { return playingMode.load(); }

    //==============================================================================
    // Ports.
    InstrumentPorts& getPorts() noexcept override { return link.getPorts(); }
    void selectInputPort (int n);
    void selectOutputPort (int n);
    juce::StringArray getPortNames() const;
    void savePortFile() const;

    //==============================================================================
    // Settings, flags, timing.
    SettingsList& getSettings() noexcept { return link.getSettings(); }
    const LinkEnvironment& getEnvironment() const noexcept override { return environment; }

    bool isClockOn() const noexcept;
    bool isThruHostToOut() const noexcept;
    bool isThruInToHost() const noexcept;
    bool isProgramChangeByAutomation() const noexcept;
    bool isTransferRunning() const noexcept { return transferFlag.load(); }
    void setClockOn (bool on);
    void setThruHostToOut (bool on);
    void setThruInToHost (bool on);
    void setProgramChangeByAutomation (bool on);
    void setTransferFlag (bool on) noexcept override { transferFlag = on; }

    /** Stores the rate and picks the rate index (44100 0, 48000 1, 88200 2, 96000 3,
        176400 4, 192000 5, others 0). Audio thread. */
    void setSampleRate (double rate) noexcept;
    double getSampleRate() const noexcept;
    int getRateIndex() const noexcept;
    void setBlockSize (int n) noexcept;
    int getBlockSize() const noexcept;
    /** Delay of the current rate in milliseconds. */
    int getCurrentDelay() const noexcept;
    int getDelay (int index) const noexcept;
    std::array<int, numDelays> getDelays() const noexcept;
    /** The latency setting (MIDI setup panel): index 0..5 is a rate index, 6 the
        seventh entry; others do nothing. The delay is kept in 0..maxDelayMs (a negative
        one would schedule in the past), takes effect with the next block and is
        written into the settings list (entries 11..16, 18), whose latency marker is
        made sure of so that the next start keeps it. */
    void setDelay (int index, int milliseconds);

    int getMidiChannel() const noexcept;
    void setMidiChannel (int channel) noexcept;

    bool isNoteHeld (int note) const noexcept;
    int getChannelProgramNumber (int channel) const noexcept;

    /** The controller numbers of a channel's FX parameter list (0 program "Synth",
        1 "Prg Insert", 2 "Aux 1", 3 "Aux 2"), rebuilt with every program selection. */
    std::vector<int> getFxParameterList (int channel, int list) const;

    InstrumentImage& getImage() noexcept override { return image; }
    const InstrumentImage& getImage() const noexcept { return image; }
    /** The instrument's transfer replies, handed from the MIDI input thread to the
        running transfer. */
    TransferMailbox& getMailbox() noexcept override { return mailbox; }
    ArrangementBank& getBank() noexcept { return bank; }
    EditorSession& getEditorSession() noexcept { return editorSession; }

    double nowMs() const { return environment.time.nowMs(); }

private:
    void handleChannelMessage (const juce::MidiMessage& message);
    void appendToSysex (const juce::uint8* data, size_t size);
    void addToHostBuffer (const juce::MidiMessage& message);
    void instrumentControllerWrite (int channel, int controller, int value);
    void instrumentProgramChange (int channel, int program);
    void compareChannelProgramTable();
    void sendBuffer (const juce::MidiBuffer& buffer, bool delayed);
    void reloadFxChains (int channel, int insertChain, int aux1Chain, int aux2Chain);
    void reloadFxChainsForRow (int slot, int chain);
    void rebuildFxParameterLists (int channel);
    int adjustAddressedValue (int selector, int channel, const int address[5], int value);

    LinkEnvironment environment;

    juce::CriticalSection hubLock;          // host-bound buffer, host reporters, note table reset
    NoticeBoard notices;
    HostReports hostReports { hubLock };

    std::atomic<bool> inputBlocked { false };
    std::atomic<bool> transferFlag { false };
    std::atomic<int> playingMode { programMode };

    ParameterTable parameters;

    std::array<std::atomic<int>, 16> instrumentBankLsb {};
    std::array<std::atomic<int>, 16> instrumentProgram {};
    std::array<std::atomic<int>, 16> instrumentProgramNumber {};
    std::array<std::atomic<int>, 16> loadedProgram {};

    InstrumentImage image;
    TransferMailbox mailbox;
    ArrangementBank bank;
    EditorSession editorSession;
    LinkSettings link { environment };

    // A program selection (or FX chain reload) runs whole before the next one starts:
    // the editor, the host and the instrument may all select at once.
    std::recursive_mutex selectionLock;

    // Controller numbers of each channel's four FX parameter lists.
    mutable std::mutex fxListLock;
    std::array<std::array<std::vector<int>, 4>, 16> fxParameterLists;

    // MIDI input thread only.
    juce::MemoryBlock sysexAssembly;

    juce::MidiBuffer hostBound, hostBoundSpare;
    double epochMs = 0;
    std::array<std::atomic<juce::uint8>, 128> noteTable {};

    std::unique_ptr<OneShotTimer> inputBlockTimer;

    mutable std::mutex deviceNameLock;
    juce::String deviceName;

    JUCE_DECLARE_NON_COPYABLE (ControllerState)
};

} // namespace zd8

#pragma once

#include "arrangements/ArrangementBank.h"
#include "link/InstrumentPorts.h"
#include "link/LinkEnvironment.h"
#include "model/InstrumentImage.h"
#include "model/ParameterTable.h"
#include "plugin/EditorSession.h"
#include "plugin/HostMidiBridge.h"
#include "plugin/HostReporter.h"
#include "plugin/HostReports.h"
#include "plugin/InstrumentInput.h"
#include "plugin/LiveStateRestore.h"
#include "plugin/LinkSettings.h"
#include "plugin/Notice.h"
#include "plugin/NoticeBoard.h"
#include "plugin/PlayingModeSwitch.h"
#include "plugin/ProgramSelection.h"
#include "plugin/SettingsList.h"
#include "plugin/SlotRouter.h"
#include "plugin/StateListener.h"
#include "transfer/TransferContext.h"
#include "transfer/TransferMailbox.h"

#include <juce_audio_devices/juce_audio_devices.h>

#include <array>
#include <vector>

namespace zd8
{

/** The controller state (the hub): the one object that knows the instrument, and the
    one everybody holds. It owns the instrument image, the Arrangement bank, the
    parameter table and the window's session, and the parts that do the work:
    - LinkSettings: the port pair, the settings list, flags, rates and delays;
    - InstrumentInput: everything the instrument sends (MIDI input thread), and the
      identity exchange;
    - HostMidiBridge: the host's MIDI, the note table and the MIDI bound for the host;
    - ProgramSelection: programs loaded into the edit buffers, FX chains and lists;
    - SlotRouter: writes to the slots from the host and the window, and what they send;
    - PlayingModeSwitch: the playing-mode switch and bringing the instrument into line;
    - LiveStateRestore: a project's saved live state back in the table and the instrument;
    - NoticeBoard and HostReports: what the window and the host are told.
    Its functions below are the parts' own, each documented (and its thread named)
    where it lives; the ones that join two parts are here.

    Threads: handleIncomingMidiMessage runs on the MIDI input thread, trackHostMidi and
    the host-bound buffer's merge on the audio thread, everything else on the message
    thread unless said otherwise. */
class ControllerState : public TransferContext
{
public:
    // Notice words of the link events (see Notice).
    static constexpr juce::uint32 identityReplyNotice = Notice::identityReply().toWord();
    static constexpr juce::uint32 identityRequestNotice = Notice::identityRequest().toWord();
    static constexpr juce::uint32 arrangementRecalledNotice = Notice::arrangementRecalled().toWord();

    static constexpr int programMode = SlotRouter::programMode;
    static constexpr int multiMode = SlotRouter::multiMode;
    static constexpr int programModeBlockMs = PlayingModeSwitch::programModeBlockMs;
    static constexpr int multiModeBlockMs = PlayingModeSwitch::multiModeBlockMs;
    static constexpr double hostBufferWindowMs = HostMidiBridge::bufferWindowMs;
    static constexpr int numRateIndexes = LinkSettings::numRateIndexes;
    static constexpr int numDelays = LinkSettings::numDelays;
    /** A temporary file of an interrupted write is removed at open once it is this old. */
    static constexpr int staleTemporaryMinutes = 10;
    static constexpr int maxDelayMs = LinkSettings::maxDelayMs;

    explicit ControllerState (LinkEnvironment environment = LinkEnvironment::system());
    ~ControllerState() override;

    /** What the user is told about the data files at this start: the damaged ones that
        were set aside for the built-in banks ("" when none). Given out once: the first
        call empties it, so it is shown once. Message thread. */
    juce::String takeDataFileWarning();

    //==============================================================================
    // Incoming MIDI from the instrument (MIDI input thread): InstrumentInput.
    void handleIncomingMidiMessage (juce::MidiInput* source, const juce::MidiMessage& message);
    void handlePartialSysexMessage (juce::MidiInput* source, const juce::uint8* data, int size, double time);
    void handleInstrumentSysex (const juce::uint8* message, size_t size);

    //==============================================================================
    // Host MIDI, the note table and the buffer bound for the host: HostMidiBridge.
    void trackHostMidi (const juce::MidiMessage& message);
    /** The hub lock: the buffer bound for the host and the host reporters' list. */
    juce::CriticalSection& getLock() noexcept { return hubLock; }
    void mergeHostBoundMidi (juce::MidiBuffer& block, int numSamples);
    void resetHostBoundMidi();
    void sendControllerToHost (int channel, int controller, int value);
    void sendPitchWheelToHost (int channel, int value);
    bool isNoteHeld (int note) const noexcept;

    //==============================================================================
    // Channel messages to the instrument (the window); channel is 1..16. A pitch wheel
    // with toHost goes to the host's buffer as well.
    void sendNoteOn (int channel, int note, int velocity);
    void sendNoteOff (int channel, int note);
    void sendPitchWheel (int channel, int value, bool toHost);

    //==============================================================================
    // Notices (any thread appends; the message thread drains): NoticeBoard.
    /** A notice word as it is (Notice::toWord builds one). */
    void addNotice (juce::uint32 word);
    void addSlotNotice (int slot, int value);
    void drainNotices (std::vector<juce::uint32>& out);
    void drainSlotNotices (std::vector<juce::uint64>& out);
    void addStateListener (StateListener* listener);
    void removeStateListener (StateListener* listener);

    //==============================================================================
    // Changes waiting to be reported to the host: HostReports.
    void addCable (HostReporter* cable);
    void removeCable (HostReporter* cable);
    void queueForHost (int slot, int value);
    void takeHostQueue (std::vector<HostReports::Change>& out);
    juce::ChangeBroadcaster& getHostQueueSignal() noexcept;

    //==============================================================================
    // Identity: InstrumentInput.
    void requestIdentity();
    void handleIdentityReply (const juce::uint8* message, size_t size);
    juce::String getDeviceName() const;

    //==============================================================================
    // Parameter slots: SlotRouter, ProgramSelection, PlayingModeSwitch.
    ParameterTable& getParameters() noexcept { return parameters; }
    const ParameterTable& getParameters() const noexcept { return parameters; }

    void setFromHost (int slot, int value);
    void setFromEditor (int slot, int value, bool reportToHost, bool notify);
    void setAndReport (int slot, int value);
    void sendSlot (int slot, int value);
    void selectProgram (int program, int channel);
    void setMulti (int number, bool reportToHost, bool notify);
    void sendAddressed (int selector, int channel, const int address[5], int value);
    juce::String slotLabel (int slot) const;
    juce::String slotValueText (int slot) const;
    std::vector<int> getFxParameterList (int channel, int list) const;
    int getChannelProgramNumber (int channel) const noexcept;

    void bringInstrumentIntoLine();
    /** A saved live state back in the table and on the instrument: LiveStateRestore. */
    void restoreLiveState (const std::vector<int>& values);
    /** The host hears what the slot holds, when the host queue is next taken. */
    void tellHostLater (int slot);
    /** A kept slot sent again, behind its channel's program select. */
    void sendSlotAfterProgram (int slot, int value);
    void switchPlayingMode (int mode);
    bool isInputBlocked() const noexcept;
    int getPlayingMode() const noexcept;

    //==============================================================================
    // Ports, settings, flags and timing: LinkSettings.
    InstrumentPorts& getPorts() noexcept override { return link.getPorts(); }
    void selectInputPort (int n);
    void selectOutputPort (int n);
    juce::StringArray getPortNames() const;
    void savePortFile() const;

    SettingsList& getSettings() noexcept { return link.getSettings(); }
    const LinkEnvironment& getEnvironment() const noexcept override { return environment; }

    bool isClockOn() const noexcept;
    bool isThruHostToOut() const noexcept;
    bool isThruInToHost() const noexcept;
    bool isProgramChangeByAutomation() const noexcept;
    bool isTransferRunning() const noexcept;
    void setClockOn (bool on);
    void setThruHostToOut (bool on);
    void setThruInToHost (bool on);
    void setProgramChangeByAutomation (bool on);
    void setTransferFlag (bool on) noexcept override;

    void setSampleRate (double rate) noexcept;
    double getSampleRate() const noexcept;
    int getRateIndex() const noexcept;
    void setBlockSize (int n) noexcept;
    int getBlockSize() const noexcept;
    int getCurrentDelay() const noexcept;
    int getDelay (int index) const noexcept;
    std::array<int, numDelays> getDelays() const noexcept;
    void setDelay (int index, int milliseconds);

    int getMidiChannel() const noexcept;
    void setMidiChannel (int channel) noexcept;

    //==============================================================================
    InstrumentImage& getImage() noexcept override { return image; }
    const InstrumentImage& getImage() const noexcept { return image; }
    /** The instrument's transfer replies, handed from the MIDI input thread to the
        running transfer. */
    TransferMailbox& getMailbox() noexcept override { return mailbox; }
    ArrangementBank& getBank() noexcept { return bank; }
    EditorSession& getEditorSession() noexcept { return editorSession; }

    double nowMs() const { return environment.time.nowMs(); }

private:
    // Declared in the order they are made: each part is made after the ones it uses.
    LinkEnvironment environment;

    juce::CriticalSection hubLock;          // host-bound buffer, host reporters
    NoticeBoard notices;
    HostReports hostReports { hubLock };

    ParameterTable parameters;
    InstrumentImage image;
    TransferMailbox mailbox;
    ArrangementBank bank;
    EditorSession editorSession;
    juce::String dataFileWarning;

    LinkSettings link { environment };
    HostMidiBridge hostMidi { environment.time, hubLock, notices };
    ProgramSelection selection { image, parameters };
    SlotRouter slots { parameters, image, link, selection, hostReports, notices };
    PlayingModeSwitch modeSwitch { environment.timers, parameters, slots, notices };
    LiveStateRestore liveRestore { parameters, selection, slots, modeSwitch, hostReports, notices, link };
    InstrumentInput input { link, hostMidi, selection, modeSwitch, hostReports, notices, parameters, image, mailbox };

    JUCE_DECLARE_NON_COPYABLE (ControllerState)
};

} // namespace zd8

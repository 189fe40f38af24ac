#include "plugin/ControllerState.h"

#include "link/SafeFileWriter.h"

#include <utility>

namespace zd8
{

ControllerState::ControllerState (LinkEnvironment env)
    : environment (env)
{
    parameters.resetToDefaults();

    // A write cut short (the host killed while closing) leaves its temporary file
    // behind; one older than any write takes is nobody's any more.
    SafeFileWriter::removeStaleTemporaries (environment.folder,
                                            juce::Time::getCurrentTime() - juce::RelativeTime::minutes (staleTemporaryMinutes));
    const auto setAside = image.loadBanks (environment.folder);
    if (! setAside.isEmpty())
    {
        juce::StringArray names;
        for (const auto& f : setAside)
            names.add (f.getFileName());
        dataFileWarning = "Damaged data file set aside: " + names.joinIntoString (", ");
    }
    for (int c = 0; c < 16; ++c)
        selection.selectProgram (1, c);
    // The host reads the table from the start: only later changes are news to it.
    selection.tellHostThrough (hostReports);

    link.openPorts (input);
    link.readFlagsAndDelays();
}

ControllerState::~ControllerState()
{
    link.saveSettings();
    image.saveBanks (environment.folder);
    link.closePorts();
}

juce::String ControllerState::takeDataFileWarning()
{
    return std::exchange (dataFileWarning, {});
}

//==============================================================================
// Incoming MIDI, identity

void ControllerState::handleIncomingMidiMessage (juce::MidiInput* source, const juce::MidiMessage& message)
{
    input.handleIncomingMidiMessage (source, message);
}

void ControllerState::handlePartialSysexMessage (juce::MidiInput* source, const juce::uint8* data, int size, double time)
{
    input.handlePartialSysexMessage (source, data, size, time);
}

void ControllerState::handleInstrumentSysex (const juce::uint8* message, size_t size) { input.handleInstrumentSysex (message, size); }
void ControllerState::requestIdentity() { input.requestIdentity(); }
void ControllerState::handleIdentityReply (const juce::uint8* message, size_t size) { input.handleIdentityReply (message, size); }
juce::String ControllerState::getDeviceName() const { return input.getDeviceName(); }
int ControllerState::getChannelProgramNumber (int channel) const noexcept { return input.getChannelProgramNumber (channel); }
bool ControllerState::isTransferRunning() const noexcept { return input.isTransferRunning(); }
void ControllerState::setTransferFlag (bool on) noexcept { input.setTransferFlag (on); }

//==============================================================================
// Host MIDI

void ControllerState::trackHostMidi (const juce::MidiMessage& message) { hostMidi.trackHostMidi (message); }
void ControllerState::mergeHostBoundMidi (juce::MidiBuffer& block, int numSamples) { hostMidi.mergeHostBoundMidi (block, numSamples); }
void ControllerState::resetHostBoundMidi() { hostMidi.resetHostBoundMidi(); }
void ControllerState::sendControllerToHost (int channel, int controller, int value) { hostMidi.sendControllerToHost (channel, controller, value); }
void ControllerState::sendPitchWheelToHost (int channel, int value) { hostMidi.sendPitchWheelToHost (channel, value); }
bool ControllerState::isNoteHeld (int note) const noexcept { return hostMidi.isNoteHeld (note); }

//==============================================================================
// Channel messages from the window

void ControllerState::sendNoteOn (int channel, int note, int velocity)
{
    auto& ports = link.getPorts();
    if (! ports.isOutputOpen() || channel < 1 || channel > 16 || ! juce::isPositiveAndBelow (note, 128))
        return;
    juce::MidiBuffer b;
    b.addEvent (juce::MidiMessage::noteOn (channel, note, (juce::uint8) juce::jlimit (0, 127, velocity)), 0);
    ports.sendNow (b);
}

void ControllerState::sendNoteOff (int channel, int note)
{
    auto& ports = link.getPorts();
    if (! ports.isOutputOpen() || channel < 1 || channel > 16 || ! juce::isPositiveAndBelow (note, 128))
        return;
    juce::MidiBuffer b;
    b.addEvent (juce::MidiMessage::noteOff (channel, note), 0);
    ports.sendNow (b);
}

void ControllerState::sendPitchWheel (int channel, int value, bool toHost)
{
    auto& ports = link.getPorts();
    if (! ports.isOutputOpen() || channel < 1 || channel > 16)
        return;
    if (toHost)
        hostMidi.sendPitchWheelToHost (channel, value);
    juce::MidiBuffer b;
    b.addEvent (juce::MidiMessage::pitchWheel (channel, juce::jlimit (0, 16383, value)), 0);
    ports.sendNow (b);
}

//==============================================================================
// Notices and reports to the host

void ControllerState::addNotice (juce::uint32 word) { notices.postWord (word); }
void ControllerState::addSlotNotice (int slot, int value) { notices.post (Notice::slotChanged (slot, value)); }
void ControllerState::drainNotices (std::vector<juce::uint32>& out) { notices.drainNotices (out); }
void ControllerState::drainSlotNotices (std::vector<juce::uint64>& out) { notices.drainSlotNotices (out); }
void ControllerState::addStateListener (StateListener* listener) { notices.addListener (listener); }
void ControllerState::removeStateListener (StateListener* listener) { notices.removeListener (listener); }

void ControllerState::addCable (HostReporter* cable) { hostReports.addReporter (cable); }
void ControllerState::removeCable (HostReporter* cable) { hostReports.removeReporter (cable); }
void ControllerState::queueForHost (int slot, int value) { hostReports.queue (slot, value); }
void ControllerState::takeHostQueue (std::vector<HostReports::Change>& out) { hostReports.take (out); }
juce::ChangeBroadcaster& ControllerState::getHostQueueSignal() noexcept { return hostReports.getSignal(); }

//==============================================================================
// Parameter slots

void ControllerState::setFromHost (int slot, int value) { slots.setFromHost (slot, value); }
void ControllerState::setFromEditor (int slot, int value, bool reportToHost, bool notify) { slots.setFromEditor (slot, value, reportToHost, notify); }
void ControllerState::setAndReport (int slot, int value) { slots.setAndReport (slot, value); }
void ControllerState::sendSlot (int slot, int value) { slots.sendSlot (slot, value); }
void ControllerState::setMulti (int number, bool reportToHost, bool notify) { slots.setMulti (number, reportToHost, notify); }

void ControllerState::sendAddressed (int selector, int channel, const int address[5], int value)
{
    slots.sendAddressed (selector, channel, address, value);
}

juce::String ControllerState::slotLabel (int slot) const { return slots.slotLabel (slot); }
juce::String ControllerState::slotValueText (int slot) const { return slots.slotValueText (slot); }
void ControllerState::selectProgram (int program, int channel) { selection.selectProgram (program, channel); }
std::vector<int> ControllerState::getFxParameterList (int channel, int list) const { return selection.getFxParameterList (channel, list); }

void ControllerState::bringInstrumentIntoLine()
{
    modeSwitch.bringInstrumentIntoLine();
    liveRestore.noteInstrumentInLine();
    // The applied record wrote the multi and the AUX overrides, which nothing above
    // reports: the host hears them as they now are.
    for (int slot = ParameterTable::multiSlot; slot <= ParameterTable::aux2OverrideModSlot; ++slot)
        if (slot != ParameterTable::playingModeSlot)
            hostReports.queue (slot, parameters.value (slot), HostReports::How::tellOnly);
}

void ControllerState::tellHostLater (int slot)
{
    hostReports.queue (slot, parameters.value (slot), HostReports::How::tellOnly);
}

void ControllerState::restoreLiveState (const std::vector<int>& values) { liveRestore.restore (values); }
void ControllerState::sendSlotAfterProgram (int slot, int value) { slots.sendSlotAfterProgram (slot, value); }
void ControllerState::switchPlayingMode (int mode) { modeSwitch.switchPlayingMode (mode); }
bool ControllerState::isInputBlocked() const noexcept { return modeSwitch.isInputBlocked(); }
int ControllerState::getPlayingMode() const noexcept { return modeSwitch.getPlayingMode(); }

//==============================================================================
// Ports, settings, flags and timing

void ControllerState::selectInputPort (int n) { link.selectInputPort (n); }
void ControllerState::selectOutputPort (int n)
{
    link.selectOutputPort (n);
    liveRestore.forgetInstrumentInLine();
}
juce::StringArray ControllerState::getPortNames() const { return link.getPortNames(); }
void ControllerState::savePortFile() const { link.savePortFile(); }

bool ControllerState::isClockOn() const noexcept { return link.isClockOn(); }
bool ControllerState::isThruHostToOut() const noexcept { return link.isThruHostToOut(); }
bool ControllerState::isThruInToHost() const noexcept { return link.isThruInToHost(); }
bool ControllerState::isProgramChangeByAutomation() const noexcept { return link.isProgramChangeByAutomation(); }
void ControllerState::setClockOn (bool on) { link.setClockOn (on); }
void ControllerState::setThruHostToOut (bool on) { link.setThruHostToOut (on); }
void ControllerState::setThruInToHost (bool on) { link.setThruInToHost (on); }
void ControllerState::setProgramChangeByAutomation (bool on) { link.setProgramChangeByAutomation (on); }

void ControllerState::setSampleRate (double rate) noexcept { link.setSampleRate (rate); }
double ControllerState::getSampleRate() const noexcept { return link.getSampleRate(); }
int ControllerState::getRateIndex() const noexcept { return link.getRateIndex(); }
void ControllerState::setBlockSize (int n) noexcept { link.setBlockSize (n); }
int ControllerState::getBlockSize() const noexcept { return link.getBlockSize(); }
int ControllerState::getCurrentDelay() const noexcept { return link.getCurrentDelay(); }
int ControllerState::getDelay (int index) const noexcept { return link.getDelay (index); }
std::array<int, ControllerState::numDelays> ControllerState::getDelays() const noexcept { return link.getDelays(); }
void ControllerState::setDelay (int index, int milliseconds) { link.setDelay (index, milliseconds); }
int ControllerState::getMidiChannel() const noexcept { return link.getMidiChannel(); }
void ControllerState::setMidiChannel (int channel) noexcept { link.setMidiChannel (channel); }

} // namespace zd8

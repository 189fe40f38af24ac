#include "plugin/EngineConnection.h"

#include "link/SysexProtocol.h"
#include "plugin/Notice.h"
#include "plugin/VantorAudioProcessor.h"
#include "transfer/WriteTransfer.h"

#include <algorithm>

namespace zd8
{

static_assert (EditorConnection::numRateIndexes == ControllerState::numRateIndexes);
static_assert (EditorConnection::numDelays == ControllerState::numDelays);
static_assert (EditorConnection::maxDelayMs == ControllerState::maxDelayMs);

EngineConnection::EngineConnection (VantorAudioProcessor& p, ControllerState& h) : processor (p), hub (h)
{
    slotWords.reserve (1024);
}

EngineConnection::~EngineConnection()
{
    if (listeningToHub)
        hub.removeStateListener (this);
    cancelPendingUpdate();
}

//==============================================================================
void EngineConnection::selectProgram (int program, int channel) { hub.selectProgram (program, channel); }
void EngineConnection::selectMulti (int number, bool reportToHost, bool notify) { hub.setMulti (number, reportToHost, notify); }
void EngineConnection::switchPlayingMode (int mode) { hub.switchPlayingMode (mode); }
int EngineConnection::getChannelProgramNumber (int channelSlot) const { return hub.getChannelProgramNumber (channelSlot); }
int EngineConnection::getMidiChannel() const { return hub.getMidiChannel(); }
void EngineConnection::setMidiChannel (int channel) { hub.setMidiChannel (channel); }

void EngineConnection::sendChannelSelect (int channel)
{
    auto& ports = hub.getPorts();
    ports.sendSysEx (SysexProtocol::channelSelect (channel, ports.getDeviceByte()));
}

//==============================================================================
void EngineConnection::sendNoteOn (int channel, int note, int velocity) { hub.sendNoteOn (channel, note, velocity); }
void EngineConnection::sendNoteOff (int channel, int note) { hub.sendNoteOff (channel, note); }
bool EngineConnection::isNoteHeld (int note) const { return hub.isNoteHeld (note); }
void EngineConnection::sendPitchWheel (int channel, int value, bool toHost) { hub.sendPitchWheel (channel, value, toHost); }

void EngineConnection::sendController (int channel, int controller, int value)
{
    hub.getPorts().sendControllerNow (channel, controller, value);
    hub.sendControllerToHost (channel, controller, value);
}

//==============================================================================
const ParameterTable& EngineConnection::getParameters() const { return hub.getParameters(); }
int EngineConnection::getSlotValue (int slot) const { return hub.getParameters().value (slot); }
juce::String EngineConnection::getSlotText (int slot) const { return hub.slotValueText (slot); }
juce::String EngineConnection::getSlotLabel (int slot) const { return hub.slotLabel (slot); }
void EngineConnection::setSlotFromEditor (int slot, int value) { hub.setAndReport (slot, value); }

void EngineConnection::setSlotFromEditor (int slot, int value, bool reportToHost, bool notify)
{
    hub.setFromEditor (slot, value, reportToHost, notify);
}

void EngineConnection::sendAddressed (int selector, int channel, const int address[5], int value)
{
    hub.sendAddressed (selector, channel, address, value);
}

std::vector<int> EngineConnection::getFxParameterList (int channelSlot, int list) const
{
    return hub.getFxParameterList (channelSlot, list);
}

void EngineConnection::sendProgramNameList (int channel, int program)
{
    auto& image = hub.getImage();
    juce::MemoryBlock names;
    {
        const juce::ScopedReadLock rl (image.getStoreLock());
        names = image.getPrograms().nameListForSending (program);
    }
    if (names.isEmpty())
        return;
    auto& ports = hub.getPorts();
    ports.sendSysEx (SysexProtocol::programDataMessage (channel, WriteTransfer::nameListBlock, WriteTransfer::nameListMode,
                                                        names, ports.getDeviceByte()));
}

//==============================================================================
const InstrumentImage& EngineConnection::getImage() const { return hub.getImage(); }
ArrangementBank& EngineConnection::getArrangements() { return hub.getBank(); }
void EngineConnection::recallArrangement (int n) { processor.recallArrangement (n); }
void EngineConnection::getLiveArrangement (juce::MemoryBlock& dest) { processor.getCurrentProgramStateInformation (dest); }

void EngineConnection::setLiveArrangement (const void* data, int sizeInBytes)
{
    processor.setCurrentProgramStateInformation (data, sizeInBytes);
}

TransferContext& EngineConnection::getTransfers() { return hub; }
ProgramEditBuffers* EngineConnection::getEditBuffer (int channelSlot) { return hub.getImage().getEditBuffer (channelSlot); }
MultiEditBuffer& EngineConnection::getMultiEdit() { return hub.getImage().getMultiEdit(); }
const MultiStore& EngineConnection::getMultis() const { return hub.getImage().getMultis(); }
void EngineConnection::setSelectedMulti (int multi) { hub.getImage().setSelectedMulti (multi); }

//==============================================================================
juce::StringArray EngineConnection::getInputNames() { return hub.getPorts().getInputNames(); }
juce::StringArray EngineConnection::getOutputNames() { return hub.getPorts().getOutputNames(); }
int EngineConnection::getInputIndex() const { return hub.getPorts().getInputIndex(); }
int EngineConnection::getOutputIndex() const { return hub.getPorts().getOutputIndex(); }
juce::StringArray EngineConnection::getPortNames() const { return hub.getPortNames(); }
bool EngineConnection::isInputOpen() const { return hub.getPorts().isInputOpen(); }
bool EngineConnection::isOutputOpen() const { return hub.getPorts().isOutputOpen(); }
void EngineConnection::selectInputPort (int index) { hub.selectInputPort (index); }
void EngineConnection::selectOutputPort (int index) { hub.selectOutputPort (index); }
void EngineConnection::savePortFile() const { hub.savePortFile(); }
void EngineConnection::requestIdentity() { hub.requestIdentity(); }
juce::String EngineConnection::getDeviceName() const { return hub.getDeviceName(); }
juce::String EngineConnection::takeDataFileWarning() { return hub.takeDataFileWarning(); }

bool EngineConnection::isClockOn() const { return hub.isClockOn(); }
bool EngineConnection::isThruHostToOut() const { return hub.isThruHostToOut(); }
bool EngineConnection::isThruInToHost() const { return hub.isThruInToHost(); }
bool EngineConnection::isProgramChangeByAutomation() const { return hub.isProgramChangeByAutomation(); }
void EngineConnection::setClockOn (bool on) { hub.setClockOn (on); }
void EngineConnection::setThruHostToOut (bool on) { hub.setThruHostToOut (on); }
void EngineConnection::setThruInToHost (bool on) { hub.setThruInToHost (on); }
void EngineConnection::setProgramChangeByAutomation (bool on) { hub.setProgramChangeByAutomation (on); }
int EngineConnection::getRateIndex() const { return hub.getRateIndex(); }
std::array<int, EditorConnection::numDelays> EngineConnection::getDelays() const { return hub.getDelays(); }
void EngineConnection::setDelay (int index, int milliseconds) { hub.setDelay (index, milliseconds); }
SettingsList& EngineConnection::getSettings() { return hub.getSettings(); }

//==============================================================================
// Slot listeners

void EngineConnection::addSlotListener (int slot, SlotListener* listener)
{
    jassert (juce::MessageManager::existsAndIsCurrentThread());
    if (listener == nullptr)
        return;

    auto& list = slotListeners[slot];
    if (std::find (list.begin(), list.end(), listener) != list.end())
        return;
    list.push_back (listener);

    if (! listeningToHub)
    {
        hub.addStateListener (this);
        listeningToHub = true;
    }
}

void EngineConnection::removeSlotListener (int slot, SlotListener* listener)
{
    jassert (juce::MessageManager::existsAndIsCurrentThread());
    const auto found = slotListeners.find (slot);
    if (found == slotListeners.end())
        return;

    auto& list = found->second;
    const auto entry = std::find (list.begin(), list.end(), listener);
    if (entry == list.end())
        return;

    if (dispatchDepth > 0)
    {
        *entry = nullptr;
        listenersRemovedInDispatch = true;
        return;
    }
    list.erase (entry);
    if (list.empty())
        slotListeners.erase (found);
    stopListeningWhenUnused();
}

void EngineConnection::stateChanged (int)
{
    triggerAsyncUpdate();
}

void EngineConnection::handleAsyncUpdate()
{
    dispatchSlotChanges();
}

void EngineConnection::dispatchSlotChanges()
{
    jassert (juce::MessageManager::existsAndIsCurrentThread());
    // A listener that asks for a dispatch from inside one gets it at the next update:
    // the words being walked stay as they are.
    if (dispatchDepth > 0)
    {
        triggerAsyncUpdate();
        return;
    }

    slotWords.clear();
    hub.drainSlotNotices (slotWords);

    ++dispatchDepth;
    for (auto word : slotWords)
    {
        const auto notice = Notice::fromSlotWord (word);
        if (notice.kind == Notice::Kind::slotChanged)
            callSlotListeners (notice.number, notice.value);
    }
    --dispatchDepth;

    if (listenersRemovedInDispatch)
    {
        listenersRemovedInDispatch = false;
        for (auto entry = slotListeners.begin(); entry != slotListeners.end();)
        {
            auto& list = entry->second;
            list.erase (std::remove (list.begin(), list.end(), nullptr), list.end());
            entry = list.empty() ? slotListeners.erase (entry) : std::next (entry);
        }
        stopListeningWhenUnused();
    }
}

void EngineConnection::callSlotListeners (int slot, int value)
{
    const auto found = slotListeners.find (slot);
    if (found == slotListeners.end())
        return;

    // The map's entries stay where they are while listeners are added (a removal
    // during the dispatch only nulls its place); those added during this call come
    // after count and wait for the next change.
    auto& list = found->second;
    const size_t count = list.size();
    for (size_t i = 0; i < count; ++i)
        if (auto* listener = list[i])
            listener->slotChanged (slot, value);
}

void EngineConnection::stopListeningWhenUnused()
{
    if (slotListeners.empty() && listeningToHub)
    {
        hub.removeStateListener (this);
        listeningToHub = false;
    }
}

void EngineConnection::addStateListener (StateListener* listener) { hub.addStateListener (listener); }
void EngineConnection::removeStateListener (StateListener* listener) { hub.removeStateListener (listener); }
void EngineConnection::drainNotices (std::vector<juce::uint32>& out) { hub.drainNotices (out); }
void EngineConnection::addArrangementListener (juce::ChangeListener* listener) { processor.addChangeListener (listener); }
void EngineConnection::removeArrangementListener (juce::ChangeListener* listener) { processor.removeChangeListener (listener); }

//==============================================================================
EditorSession& EngineConnection::getEditorSession() { return hub.getEditorSession(); }
TimerFactory& EngineConnection::getTimers() { return hub.getEnvironment().timers; }
juce::File EngineConnection::getDataFolder() const { return hub.getEnvironment().folder; }
int EngineConnection::getEditorWidth() const { return processor.editorWidth; }
int EngineConnection::getEditorHeight() const { return processor.editorHeight; }

void EngineConnection::setEditorSize (int width, int height)
{
    processor.editorWidth = width;
    processor.editorHeight = height;
}

} // namespace zd8

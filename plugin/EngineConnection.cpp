#include "plugin/EngineConnection.h"

#include "link/SysexProtocol.h"
#include "model/MultiZone.h"
#include "model/ParameterNameList.h"
#include "model/ProgramEditBuffers.h"
#include "model/VirtualParameterTable.h"
#include "plugin/Notice.h"
#include "plugin/VantorAudioProcessor.h"
#include "transfer/WriteTransfer.h"

#include <algorithm>

namespace zd8
{

namespace
{
    // The zone fields of the multi as the instrument addresses them: A1 5, A2 the zone,
    // A5 the field; and the numbers the multi edit buffer reads them by.
    constexpr int zoneA1 = 5;
    constexpr int zoneProgramA5 = 14;
    constexpr int zoneLowKeyA5 = 15;
    constexpr int zoneHighKeyA5 = 16;
    constexpr int zoneLowKeyNumber = 17;
    constexpr int zoneHighKeyNumber = 18;
    constexpr int zoneCount = 16;
    // The addressed change as the window sends it: no adjustment from the edit buffer.
    constexpr int plainSelector = 0;
    // The multi page's zone fields send on MIDI channel 1.
    constexpr int zoneFieldChannel = 1;
    // A program's controller assignments as the parameter table page addresses them:
    // A1 1, A2 0, A3 9, A4 the assignment, A5 1 for its entry value or 2 for its
    // controller.
    constexpr int assignmentA1 = 1, assignmentA2 = 0, assignmentA3 = 9;
    constexpr int entryValueA5 = 1, controllerA5 = 2;

    using Kind = EditHistory::Kind;

    EditHistory::Edit makeEdit (Kind kind, int target, int channel, int before, int after)
    {
        EditHistory::Edit e;
        e.kind = kind;
        e.target = target;
        e.channel = channel;
        e.before[0] = before;
        e.after[0] = after;
        return e;
    }

    /** The playing mode as the instrument plays it: anything but multi mode is program mode. */
    int playingModeOf (int slotValue)
    {
        return slotValue == EditorConnection::multiMode ? EditorConnection::multiMode : EditorConnection::programMode;
    }
}

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

void EngineConnection::selectMulti (int number, bool reportToHost, bool notify)
{
    // Only a choice the instrument hears (through the host reports) is an edit; a
    // multi only shown is not.
    const int before = getSlotValue (ParameterTable::multiSlot);
    // The window reloads the edit buffer with the multi chosen, dropping the zone edits
    // made before: the undo gives them back.
    auto edit = makeEdit (Kind::multi, 0, 0, before, number);
    if (reportToHost && ! replaying)
        edit.zonesBefore = zoneValues();
    hub.setMulti (number, reportToHost, notify);
    edit.after[0] = getSlotValue (ParameterTable::multiSlot);
    if (reportToHost)
        recordEdit (edit);
}

void EngineConnection::switchPlayingMode (int mode)
{
    const int before = playingModeOf (getSlotValue (ParameterTable::playingModeSlot));
    hub.switchPlayingMode (mode);
    recordEdit (makeEdit (Kind::playingMode, 0, 0, before, playingModeOf (getSlotValue (ParameterTable::playingModeSlot))));
}
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

void EngineConnection::setSlotFromEditor (int slot, int value)
{
    if (! ParameterTable::isValid (slot))
        return;
    const auto& table = getParameters();
    const bool program = table.kind (slot) == ParameterTable::kindProgram;
    const int before = getSlotValue (slot);
    const auto rowsBefore = program ? programRowValues (table.channel (slot)) : std::vector<int>();

    hub.setAndReport (slot, value);

    if (program)
        recordProgramChoice (slot, before, rowsBefore, true);
    else
        recordEdit (makeEdit (Kind::slot, slot, 0, before, getSlotValue (slot)));
}

void EngineConnection::setSlotFromEditor (int slot, int value, bool reportToHost, bool notify)
{
    if (! ParameterTable::isValid (slot))
        return;
    const auto& table = getParameters();
    const bool program = table.kind (slot) == ParameterTable::kindProgram;
    const int before = getSlotValue (slot);
    const auto rowsBefore = program ? programRowValues (table.channel (slot)) : std::vector<int>();

    hub.setFromEditor (slot, value, reportToHost, notify);

    if (program)
        recordProgramChoice (slot, before, rowsBefore, reportToHost);
    // What is only shown is no edit of the user's.
    else if (reportToHost)
        recordEdit (makeEdit (Kind::slot, slot, 0, before, getSlotValue (slot)));
}

void EngineConnection::sendAddressed (int selector, int channel, const int address[5], int value)
{
    if (address != nullptr && ! replaying)
    {
        recordZoneChange (channel, address, value);
        recordAssignmentChange (channel, address, value);
    }
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
// Undo and redo

bool EngineConnection::undoEdit()
{
    replayedChannel = -1;
    return history.undo (*this);
}

bool EngineConnection::redoEdit()
{
    replayedChannel = -1;
    return history.redo (*this);
}
bool EngineConnection::canUndoEdit() const { return history.canUndo(); }
bool EngineConnection::canRedoEdit() const { return history.canRedo(); }
void EngineConnection::beginEditGesture() { history.beginGesture(); }
void EngineConnection::endEditGesture() { history.endGesture(); }

void EngineConnection::recordEdit (const EditHistory::Edit& edit)
{
    if (! replaying)
        history.record (edit, hub.getEnvironment().time.nowMs());
}

std::vector<int> EngineConnection::programRowValues (int channel) const
{
    std::vector<int> values;
    for (int row = 0; row < ParameterTable::rowsPerChannel; ++row)
        values.push_back (getSlotValue (ParameterTable::programSlot (channel, row)));
    return values;
}

void EngineConnection::recordProgramChoice (int slot, int before, std::vector<int> rowsBefore, bool chosen)
{
    if (replaying)
        return;
    const int channel = getParameters().channel (slot);
    if (! juce::isPositiveAndBelow (channel, (int) quietSelections.size()))
        return;

    // A list that steps through programs loads each one into the plug-in and tells no
    // one (the keypad's Enter does so too, just before its choice): the choice that
    // follows goes back to what was there before the first of those steps.
    auto& quiet = quietSelections[(size_t) channel];
    if (! chosen)
    {
        if (! quiet.pending && getSlotValue (slot) != before)
            quiet = { true, before, std::move (rowsBefore) };
        return;
    }
    if (quiet.pending)
    {
        before = quiet.program;
        rowsBefore = std::move (quiet.rows);
        quiet = {};
    }

    const auto rowsAfter = programRowValues (channel);
    // The rows go first: an undo selects the old program, then gives its rows back what
    // the user had set on them (the program's own values would come with the selection).
    std::vector<EditHistory::Edit> edits;
    for (int row = 0; row < (int) rowsBefore.size() && row < (int) rowsAfter.size(); ++row)
    {
        const int rowSlot = ParameterTable::programSlot (channel, row);
        if (rowSlot == slot || row == ParameterTable::programBankRow || row == ParameterTable::programNumberRow)
            continue;
        edits.push_back (makeEdit (Kind::reloadedRow, rowSlot, 0, rowsBefore[(size_t) row], rowsAfter[(size_t) row]));
    }
    edits.push_back (makeEdit (Kind::choice, slot, 0, before, getSlotValue (slot)));
    history.record (edits, hub.getEnvironment().time.nowMs());
}

int EngineConnection::zoneValue (int zone, int parameterNumber) const
{
    return hub.getImage().getMultiEdit().multiParameter (MultiZone::typeHeader, zone, parameterNumber);
}

void EngineConnection::recordZoneChange (int channel, const int address[5], int value)
{
    const int zone = address[1];
    if (address[0] != zoneA1 || address[2] != 0 || address[3] != 0 || zone < 0 || zone >= zoneCount)
        return;

    const int field = address[4];
    if (field == zoneProgramA5)
    {
        recordEdit (makeEdit (Kind::zoneProgram, zone, channel, zoneValue (zone, MultiZone::numberProgram), value));
        return;
    }
    if (field != zoneLowKeyA5 && field != zoneHighKeyA5)
        return;

    // The page writes the key range into the multi edit buffer when its field's change
    // message arrives; within one gesture the values go on from the edit before. The
    // instrument keeps low <= high itself: the other key follows, as the page shows it.
    const int low = zoneValue (zone, zoneLowKeyNumber);
    const int high = zoneValue (zone, zoneHighKeyNumber);
    auto edit = makeEdit (Kind::zoneKeys, zone, channel, low, low);
    edit.before[1] = high;
    edit.after[0] = field == zoneLowKeyA5 ? value : juce::jmin (low, value);
    edit.after[1] = field == zoneHighKeyA5 ? value : juce::jmax (high, value);
    recordEdit (edit);
}

void EngineConnection::sendZoneValue (int channel, int zone, int a5, int value)
{
    const int address[5] = { zoneA1, zone, 0, 0, a5 };
    hub.sendAddressed (plainSelector, channel, address, value);
}

std::vector<int> EngineConnection::zoneValues() const
{
    std::vector<int> values;
    for (int zone = 0; zone < zoneCount; ++zone)
        for (int number : { MultiZone::numberProgram, zoneLowKeyNumber, zoneHighKeyNumber })
            values.push_back (zoneValue (zone, number));
    return values;
}

void EngineConnection::putZoneKeys (int channel, int zone, int low, int high)
{
    const int lowNow = zoneValue (zone, zoneLowKeyNumber);
    const int highNow = zoneValue (zone, zoneHighKeyNumber);
    // In the order that never puts the low key above the high one on the way, which
    // the instrument would correct by moving the other.
    const bool lowFirst = low <= highNow;
    if (lowFirst && low != lowNow)
        sendZoneValue (channel, zone, zoneLowKeyA5, low);
    if (high != highNow)
        sendZoneValue (channel, zone, zoneHighKeyA5, high);
    if (! lowFirst && low != lowNow)
        sendZoneValue (channel, zone, zoneLowKeyA5, low);
    hub.getImage().getMultiEdit().setZoneKeyRange (zone, low, high);
}

void EngineConnection::putZoneProgram (int channel, int zone, int program)
{
    sendZoneValue (channel, zone, zoneProgramA5, program);
    hub.getImage().getMultiEdit().setZoneProgram (zone, program);
}

void EngineConnection::putZones (const std::vector<int>& values)
{
    // The multi select goes out first: the instrument loads the stored multi with it,
    // and the zones' edits follow as the zone fields sent them.
    hub.getHostQueueSignal().dispatchPendingMessages();
    const int zones = juce::jmin (hub.getImage().getMultiEdit().zoneCount(), (int) values.size() / 3);
    for (int zone = 0; zone < zones; ++zone)
    {
        const auto* v = values.data() + 3 * zone;
        if (v[0] != zoneValue (zone, MultiZone::numberProgram))
            putZoneProgram (zoneFieldChannel, zone, v[0]);
        if (v[1] != zoneValue (zone, zoneLowKeyNumber) || v[2] != zoneValue (zone, zoneHighKeyNumber))
            putZoneKeys (zoneFieldChannel, zone, v[1], v[2]);
    }
}

void EngineConnection::recordAssignmentChange (int channel, const int address[5], int value)
{
    const int row = address[3];
    const int a5 = address[4];
    if (address[0] != assignmentA1 || address[1] != assignmentA2 || address[2] != assignmentA3
        || (a5 != entryValueA5 && a5 != controllerA5))
        return;
    auto* edit = hub.getImage().getEditBuffer (channel - 1);
    if (edit == nullptr || row < 0 || row >= edit->assignmentCount())
        return;
    const int place = row * (int) VirtualParameterTable::assignmentSize
                    + (a5 == controllerA5 ? ProgramEditBuffers::assignmentControllerByte : ProgramEditBuffers::assignmentValueByte);
    recordEdit (makeEdit (Kind::assignment, place, channel, assignmentValue (channel, place), value));
}

int EngineConnection::assignmentValue (int channel, int place) const
{
    auto* edit = hub.getImage().getEditBuffer (channel - 1);
    if (edit == nullptr)
        return 0;
    const auto a = edit->getTable().assignment (place / (int) VirtualParameterTable::assignmentSize);
    return place % (int) VirtualParameterTable::assignmentSize == ProgramEditBuffers::assignmentControllerByte ? a.controller : a.value;
}

bool EngineConnection::isChainRow (int slot) const
{
    const int kind = getParameters().kind (slot);
    return kind == ParameterTable::kindInsertChain || kind == ParameterTable::kindAux1Chain
        || kind == ParameterTable::kindAux2Chain;
}

bool EngineConnection::holds (const EditHistory::Edit& edit, bool before)
{
    const int* values = before ? edit.before : edit.after;
    switch (edit.kind)
    {
        case Kind::slot:
        case Kind::choice:
        case Kind::reloadedRow:
            return getSlotValue (edit.target) == values[0];
        case Kind::multi:
            return getSlotValue (ParameterTable::multiSlot) == values[0];
        case Kind::zoneKeys:
            return zoneValue (edit.target, zoneLowKeyNumber) == values[0]
                && zoneValue (edit.target, zoneHighKeyNumber) == values[1];
        case Kind::zoneProgram:
            return zoneValue (edit.target, MultiZone::numberProgram) == values[0];
        case Kind::assignment:
            return assignmentValue (edit.channel, edit.target) == values[0];
        case Kind::playingMode:
            return playingModeOf (getSlotValue (ParameterTable::playingModeSlot)) == values[0];
    }
    return false;
}

void EngineConnection::replay (const EditHistory::Edit& edit, bool before)
{
    const int* values = before ? edit.before : edit.after;
    const juce::ScopedValueSetter<bool> quiet (replaying, true);
    // What belongs to one channel is shown on that channel, whichever the window shows.
    if (edit.isSlotKind() && edit.target < ParameterTable::multiSlot)
        replayedChannel = getParameters().channel (edit.target);
    else if (edit.kind == Kind::assignment)
        replayedChannel = edit.channel - 1;

    switch (edit.kind)
    {
        case Kind::slot:
            // An FX chain row goes to the host only (the host's own writes of it change
            // nothing), so the window hears of it from here.
            if (isChainRow (edit.target))
                hub.setFromEditor (edit.target, values[0], true, true);
            else
                hub.setAndReport (edit.target, values[0]);
            break;

        case Kind::choice:
            // As chosen, and the pages that show the channel's program follow it. The
            // host hears the program rows at once, so that the select they send reaches
            // the instrument before the rows given back after it.
            hub.setFromEditor (edit.target, values[0], true, true);
            hub.getHostQueueSignal().dispatchPendingMessages();
            break;

        case Kind::reloadedRow:
            // Forward, the choice next to it reloads the row. Back, a row the old
            // program's own value did not bring back is kept and reported, and what it sends goes out behind the channel's program select
            // (the instrument loads the program's own values with the select).
            if (before && getSlotValue (edit.target) != values[0])
            {
                hub.setFromEditor (edit.target, values[0], true, true);
                hub.sendSlotAfterProgram (edit.target, values[0]);
            }
            break;

        case Kind::multi:
        {
            const int multi = values[0];
            hub.setMulti (multi, true, true);
            auto& image = hub.getImage();
            image.setSelectedMulti (multi);
            {
                const juce::ScopedReadLock rl (image.getStoreLock());
                image.getMultis().loadMulti (multi, image.getMultiEdit());
            }
            if (before)
                putZones (edit.zonesBefore);
            break;
        }

        case Kind::zoneKeys:
            putZoneKeys (edit.channel, edit.target, values[0], values[1]);
            break;

        case Kind::zoneProgram:
            putZoneProgram (edit.channel, edit.target, values[0]);
            break;

        case Kind::assignment:
        {
            // As the table's field sent it, and the edit buffer keeps it as the page wrote it.
            const int row = edit.target / (int) VirtualParameterTable::assignmentSize;
            const bool controller = edit.target % (int) VirtualParameterTable::assignmentSize == ProgramEditBuffers::assignmentControllerByte;
            const int address[5] = { assignmentA1, assignmentA2, assignmentA3, row, controller ? controllerA5 : entryValueA5 };
            hub.sendAddressed (plainSelector, edit.channel, address, values[0]);
            if (auto* buffer = hub.getImage().getEditBuffer (edit.channel - 1))
                buffer->setAssignmentByte ((int) ParameterNameList::headerSize + edit.target, values[0]);
            break;
        }

        case Kind::playingMode:
            hub.switchPlayingMode (values[0]);
            break;
    }
}

//==============================================================================
const InstrumentImage& EngineConnection::getImage() const { return hub.getImage(); }
ArrangementBank& EngineConnection::getArrangements() { return hub.getBank(); }

void EngineConnection::recallArrangement (int n)
{
    // A recall puts everything the window edited elsewhere: nothing to take back.
    history.clear();
    processor.recallArrangement (n);
}

void EngineConnection::getLiveArrangement (juce::MemoryBlock& dest) { processor.getCurrentProgramStateInformation (dest); }

void EngineConnection::setLiveArrangement (const void* data, int sizeInBytes)
{
    history.clear();
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

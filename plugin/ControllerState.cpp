#include "plugin/ControllerState.h"

#include "link/DeviceIdentity.h"
#include "link/InstrumentMessage.h"
#include "link/LockWatch.h"
#include "link/SysexProtocol.h"
#include "model/ParameterLabels.h"

#include <cmath>

namespace zd8
{

namespace
{
    constexpr int bankSelectMsb = 0;
    constexpr int modulationWheel = 1;
    constexpr int bankSelectLsb = 32;
    constexpr int allNotesOff = 123;
    constexpr int panController = 10;

    // A system-exclusive message longer than this is garbage: the instrument's largest
    // object message is a few kilobytes.
    constexpr size_t maxSysexSize = 1 << 20;

    // Instrument addresses (A1..A5) of the program rows sent as addressed changes.
    struct RowAddress
    {
        int row;
        int address[5];
    };

    constexpr RowAddress rowAddresses[] = {
        { 1, { 1, 0, 5, 0, 0 } },
        { 4, { 1, 0, 5, 0, 2 } },
        { 7, { 1, 0, 5, 0, 3 } },
        { ParameterTable::panRow, { 1, 0, 1, 0, 22 } },
        { ParameterTable::levelRow, { 1, 0, 1, 0, 20 } },
    };

    constexpr int playingModeAddress[5] = { 12, 0, 0, 0, 11 };
    constexpr int identityAnswerSlot = 250; // channel 16, level row
    constexpr int programNumberDescription = 2102;

    const int* addressOfRow (int row)
    {
        for (auto& r : rowAddresses)
            if (r.row == row)
                return r.address;
        return nullptr;
    }

    /** A channel message of the right length whose data bytes are all below 0x80: only
        those are read, so a garbled one can never index outside the note table. */
    bool isWellFormedChannelMessage (const juce::uint8* data, size_t size)
    {
        if (data == nullptr || size == 0 || data[0] < 0x80 || data[0] >= 0xF0)
            return false;
        const size_t expected = ((data[0] & 0xF0) == 0xC0 || (data[0] & 0xF0) == 0xD0) ? 2 : 3;
        if (size < expected)
            return false;
        for (size_t i = 1; i < expected; ++i)
            if (data[i] >= 0x80)
                return false;
        return true;
    }

    bool isSystemRealTime (const juce::uint8* data, size_t size)
    {
        return size == 1 && data[0] >= 0xF8;
    }
}

//==============================================================================
ControllerState::ControllerState (LinkEnvironment env)
    : environment (env)
{
    hostBound.ensureSize (8192);
    hostBoundSpare.ensureSize (8192);
    epochMs = environment.time.nowMs();

    for (int c = 0; c < 16; ++c)
        loadedProgram[(size_t) c] = -1;

    inputBlockTimer = environment.timers.createTimer();
    inputBlockTimer->onTick = [this]
    {
        inputBlocked = false;
        inputBlockTimer->stop();
    };

    parameters.resetToDefaults();

    image.loadBanks (environment.folder);
    for (int c = 0; c < 16; ++c)
        selectProgram (1, c);

    link.openPorts (*this);
    link.readFlagsAndDelays();
}

ControllerState::~ControllerState()
{
    inputBlockTimer->stop();
    link.saveSettings();
    image.saveBanks (environment.folder);
    link.closePorts();
}

//==============================================================================
// Incoming MIDI (MIDI input thread)

void ControllerState::handleIncomingMidiMessage (juce::MidiInput*, const juce::MidiMessage& message)
{
    if (inputBlocked.load())
        return;

    const auto* raw = message.getRawData();
    const auto size = (size_t) message.getRawDataSize();
    if (raw == nullptr || size == 0)
        return;

    if (link.isThruInToHost())
    {
        const bool forHost = isWellFormedChannelMessage (raw, size)
                             && (message.isNoteOnOrOff() || message.isProgramChange()
                             || (message.isController()
                                 && (message.getControllerNumber() == bankSelectMsb
                                     || message.getControllerNumber() == modulationWheel
                                     || message.getControllerNumber() == bankSelectLsb)));
        if (forHost)
            addToHostBuffer (message);

        if (message.isMidiClock())
            return;
    }

    const int status = raw[0];
    if (status >= 0x80 && status < 0xF0)
    {
        if (isWellFormedChannelMessage (raw, size))
            handleChannelMessage (message);
        return;
    }

    appendToSysex (raw, size);
}

void ControllerState::handleChannelMessage (const juce::MidiMessage& message)
{
    const int channel = message.getChannel() - 1;

    if (message.isNoteOn())
    {
        noteTable[(size_t) message.getNoteNumber()] = 1;
        addNotice (Notice::noteOn (channel, message.getNoteNumber(), message.getVelocity()).toWord());
    }
    else if (message.isNoteOff()) // includes note on with velocity 0
    {
        noteTable[(size_t) message.getNoteNumber()] = 0;
        addNotice (Notice::noteOff (channel, message.getNoteNumber()).toWord());
    }
    else if (message.isController())
    {
        const int controller = message.getControllerNumber();
        const int value = message.getControllerValue();

        if (controller == allNotesOff)
        {
            for (auto& n : noteTable)
                n = 0;
        }
        else if (controller == bankSelectMsb)
        {
        }
        else if (controller == bankSelectLsb)
        {
            instrumentBankLsb[(size_t) channel] = value;
        }
        else
        {
            instrumentControllerWrite (channel, controller, value);
            if (controller == modulationWheel)
                addNotice (Notice::controller (channel, controller, value).toWord());
        }
    }
    else if (message.isProgramChange())
    {
        instrumentProgramChange (channel, message.getProgramChangeNumber());
    }
    else if (message.isPitchWheel())
    {
        addNotice (Notice::pitchBend (channel, message.getPitchWheelValue()).toWord());
    }
}

void ControllerState::appendToSysex (const juce::uint8* data, size_t size)
{
    // Real-time bytes may arrive between the pieces of a long message; they belong to
    // no message and are kept out of it.
    if (isSystemRealTime (data, size))
        return;

    if (data[0] == SysexProtocol::sysexStart)
    {
        sysexAssembly.replaceAll (data, size);
    }
    else
    {
        // Only continuation data (data bytes, or the closing F7) can belong to a message
        // being assembled; any other status message is not part of it.
        if (sysexAssembly.isEmpty() || (data[0] >= 0x80 && data[0] != SysexProtocol::sysexEnd))
            return;
        sysexAssembly.append (data, size);
    }

    if (sysexAssembly.getSize() > maxSysexSize)
    {
        sysexAssembly.reset();
        return;
    }

    auto* bytes = static_cast<const juce::uint8*> (sysexAssembly.getData());
    const auto n = sysexAssembly.getSize();
    if (n >= 2 && bytes[0] == SysexProtocol::sysexStart && bytes[n - 1] == SysexProtocol::sysexEnd)
    {
        const juce::MemoryBlock complete (std::move (sysexAssembly));
        sysexAssembly.reset();
        handleInstrumentSysex (static_cast<const juce::uint8*> (complete.getData()), complete.getSize());
    }
}

void ControllerState::handlePartialSysexMessage (juce::MidiInput*, const juce::uint8*, int, double)
{
    // The framework delivers the complete message afterwards; a message that was being
    // assembled and never got its F7 is handed on (and dropped there) now.
    if (inputBlocked.load() || sysexAssembly.isEmpty())
        return;

    const juce::MemoryBlock pending (std::move (sysexAssembly));
    sysexAssembly.reset();
    handleInstrumentSysex (static_cast<const juce::uint8*> (pending.getData()), pending.getSize());
}

void ControllerState::handleInstrumentSysex (const juce::uint8* message, size_t size)
{
    if (message == nullptr || size < 2 || message[0] != SysexProtocol::sysexStart
        || message[size - 1] != SysexProtocol::sysexEnd)
        return;

    if (SysexProtocol::isIdentityReply (message, size))
    {
        handleIdentityReply (message, size);
        return;
    }

    if (! SysexProtocol::isInstrumentMessage (message, size))
        return;

    if (transferFlag.load())
    {
        mailbox.handOver (message + 1, size - 1);
        return;
    }

    const auto m = InstrumentMessage::parse (message, size);
    using Route = InstrumentMessage::Route;

    switch (m.route)
    {
        case Route::transfer: mailbox.handOver (message + 1, size - 1); break;
        case Route::programEditBlock: image.programEditBlock (m.part, m.blockIndex, m.data); break;
        case Route::programChanged: image.programMarked (m.part, m.mark); break;
        case Route::programDataReplace: image.programDataReplaced (m.part, m.data); break;
        case Route::multiHeader: image.multiHeader (m.header, m.data); break;
        case Route::multiBlock1: image.multiBlock1 (m.data); break;
        case Route::multiBlock2: image.multiBlock2 (m.blockIndex, m.data); break;
        case Route::masterData:
            image.getMaster().setBlock (m.masterBlock, m.data, m.masterBlock);
            if (m.blockType == 3 && size - 1 >= 10)
                compareChannelProgramTable();
            break;
        case Route::identityReply:
        case Route::discard:
        case Route::ignore:
            break;
    }
}

void ControllerState::compareChannelProgramTable()
{
    for (int c = 0; c < 16; ++c)
    {
        const int number = image.getMaster().getChannelProgram (c);
        const int slot = ParameterTable::programSlot (c, ParameterTable::programRow);
        // Numbers outside the program range (a short table reads as 0) are not programs.
        if (number < parameters.minimum (slot) || number > parameters.maximum (slot))
            continue;
        if (number != parameters.value (slot))
        {
            parameters.setValue (slot, number);
            addSlotNotice (slot, number);
        }
    }
}

//==============================================================================
// Host MIDI (audio thread)

void ControllerState::trackHostMidi (const juce::MidiMessage& message)
{
    if (! isWellFormedChannelMessage (message.getRawData(), (size_t) message.getRawDataSize()))
        return;
    const int channel = message.getChannel() - 1;

    if (message.isController())
    {
        const int controller = message.getControllerNumber();
        const int value = message.getControllerValue();

        if (controller == bankSelectMsb)
            return;

        // Controller 1 carries the channel as 0..15, the others as 1..16.
        addNotice (Notice::controller (controller == modulationWheel ? channel : channel + 1, controller, value).toWord());

        if (controller == allNotesOff)
            for (int n = 0; n < 128; ++n)
            {
                noteTable[(size_t) n] = 0;
                addNotice (Notice::noteOff (channel, n).toWord());
            }
    }
    else if (message.isNoteOn())
    {
        noteTable[(size_t) message.getNoteNumber()] = 1;
        addNotice (Notice::noteOn (channel, message.getNoteNumber(), message.getVelocity()).toWord());
    }
    else if (message.isNoteOff())
    {
        noteTable[(size_t) message.getNoteNumber()] = 0;
        addNotice (Notice::noteOff (channel, message.getNoteNumber()).toWord());
    }
    else if (message.isPitchWheel())
    {
        addNotice (Notice::pitchBend (channel, message.getPitchWheelValue()).toWord());
    }
    else if (message.isProgramChange())
    {
        addNotice (Notice::programChange (channel + 1, message.getProgramChangeNumber()).toWord());
    }
}

//==============================================================================
// The buffer bound for the host

void ControllerState::addToHostBuffer (const juce::MidiMessage& message)
{
    const juce::ScopedLock sl (hubLock);
    const int now = (int) std::floor (environment.time.nowMs() - epochMs);
    hostBound.addEvent (message, now);

    // Keep only what arrived in the last 500 ms.
    if (! hostBound.isEmpty() && hostBound.getFirstEventTime() < now - (int) hostBufferWindowMs)
    {
        hostBoundSpare.clear();
        for (const auto m : hostBound)
            if (m.samplePosition >= now - (int) hostBufferWindowMs)
                hostBoundSpare.addEvent (m.data, m.numBytes, m.samplePosition);
        hostBound.swapWith (hostBoundSpare);
    }
}

void ControllerState::mergeHostBoundMidi (juce::MidiBuffer& hostMidi, int numSamples)
{
    LockWatch::taken (LockWatch::hubLock);
    const juce::ScopedLock sl (hubLock);
    if (hostBound.isEmpty() || numSamples <= 0)
        return;

    const double first = hostBound.getFirstEventTime();
    const double last = hostBound.getLastEventTime();
    for (const auto m : hostBound)
    {
        const double pos = std::nearbyint ((m.samplePosition - first) * numSamples / (last - first + 1.0));
        hostMidi.addEvent (m.data, m.numBytes, juce::jlimit (0, numSamples - 1, (int) pos));
    }
    hostBound.clear();
}

void ControllerState::resetHostBoundMidi()
{
    const juce::ScopedLock sl (hubLock);
    for (auto& n : noteTable)
        n = 0;
    hostBound.clear();
}

void ControllerState::sendControllerToHost (int channel, int controller, int value)
{
    if (channel < 1 || channel > 16 || ! juce::isPositiveAndBelow (controller, 128) || ! juce::isPositiveAndBelow (value, 128))
        return;
    addToHostBuffer (juce::MidiMessage::controllerEvent (channel, controller, value));
}

void ControllerState::sendPitchWheelToHost (int channel, int value)
{
    if (channel < 1 || channel > 16)
        return;
    addToHostBuffer (juce::MidiMessage::pitchWheel (channel, juce::jlimit (0, 16383, value)));
}

//==============================================================================
// Channel messages from the editor

void ControllerState::sendNoteOn (int channel, int note, int velocity)
{
    if (! link.getPorts().isOutputOpen() || channel < 1 || channel > 16 || ! juce::isPositiveAndBelow (note, 128))
        return;
    juce::MidiBuffer b;
    b.addEvent (juce::MidiMessage::noteOn (channel, note, (juce::uint8) juce::jlimit (0, 127, velocity)), 0);
    link.getPorts().sendNow (b);
}

void ControllerState::sendNoteOff (int channel, int note)
{
    if (! link.getPorts().isOutputOpen() || channel < 1 || channel > 16 || ! juce::isPositiveAndBelow (note, 128))
        return;
    juce::MidiBuffer b;
    b.addEvent (juce::MidiMessage::noteOff (channel, note), 0);
    link.getPorts().sendNow (b);
}

void ControllerState::sendPitchWheel (int channel, int value, bool toHost)
{
    if (! link.getPorts().isOutputOpen() || channel < 1 || channel > 16)
        return;
    if (toHost)
        sendPitchWheelToHost (channel, value);
    juce::MidiBuffer b;
    b.addEvent (juce::MidiMessage::pitchWheel (channel, juce::jlimit (0, 16383, value)), 0);
    link.getPorts().sendNow (b);
}

//==============================================================================
// Notices

void ControllerState::addNotice (juce::uint32 code)
{
    notices.postWord (code);
}

void ControllerState::addSlotNotice (int slot, int value)
{
    notices.post (Notice::slotChanged (slot, value));
}

void ControllerState::addStateListener (StateListener* l)
{
    notices.addListener (l);
}

void ControllerState::removeStateListener (StateListener* l)
{
    notices.removeListener (l);
}

void ControllerState::addCable (HostReporter* c)
{
    hostReports.addReporter (c);
}

void ControllerState::removeCable (HostReporter* c)
{
    hostReports.removeReporter (c);
}

//==============================================================================
// Host queues

void ControllerState::queueForHost (int slot, int value)
{
    hostReports.queue (slot, value);
}

void ControllerState::takeHostQueue (std::vector<std::pair<int, int>>& out)
{
    hostReports.take (out);
}

//==============================================================================
// Identity

void ControllerState::requestIdentity()
{
    addNotice (identityRequestNotice);
    link.getPorts().sendSysEx (SysexProtocol::identityRequest());
}

void ControllerState::handleIdentityReply (const juce::uint8* message, size_t size)
{
    {
        std::lock_guard<std::mutex> g (deviceNameLock);
        deviceName = DeviceIdentity::nameFromReply (message, size, deviceName);
    }

    // Answered at once with the level of channel 16 set to -1.
    const int slot = identityAnswerSlot;
    juce::MidiBuffer b;
    SysexProtocol::addControllerAddressed (b, parameters.channel (slot) + 1, addressOfRow (parameters.subIndex (slot)), -1);
    link.getPorts().sendNow (b);

    addNotice (identityReplyNotice);
}

juce::String ControllerState::getDeviceName() const
{
    std::lock_guard<std::mutex> g (deviceNameLock);
    return deviceName;
}

//==============================================================================
// Parameter slots

void ControllerState::setFromHost (int slot, int value)
{
    if (! ParameterTable::isValid (slot))
        return;

    const int kind = parameters.kind (slot);
    int target = slot;
    int targetValue = value;

    if (kind == ParameterTable::kindProgramNumber)
    {
        if (! link.isProgramChangeByAutomation())
            return;
        parameters.setValue (slot, value);
        const int channel = parameters.channel (slot);
        target = ParameterTable::programSlot (channel, ParameterTable::programRow);
        targetValue = value + 128 * parameters.value (ParameterTable::programSlot (channel, ParameterTable::programBankRow));
    }
    else
    {
        if (value == parameters.value (slot))
            return;

        switch (kind)
        {
            case ParameterTable::kindProgram:
            case ParameterTable::kindMulti:
            case ParameterTable::kindProgramBank:
                parameters.setValue (slot, value);
                return;

            case ParameterTable::kindInsertChain:
            case ParameterTable::kindAux1Chain:
            case ParameterTable::kindAux2Chain:
                return;

            case ParameterTable::kindMultiBank:
                parameters.setValue (slot, value);
                target = ParameterTable::multiSlot;
                targetValue = value * 128 + parameters.value (ParameterTable::multiProgramSlot);
                break;

            case ParameterTable::kindMultiProgram:
                parameters.setValue (slot, value);
                target = ParameterTable::multiSlot;
                targetValue = value + 128 * parameters.value (ParameterTable::multiBankSlot);
                break;

            default:
                parameters.setValue (slot, value);
                break;
        }
    }

    sendSlot (target, targetValue);
    addSlotNotice (target, targetValue);
}

void ControllerState::sendSlot (int slot, int value)
{
    if (! ParameterTable::isValid (slot))
        return;

    const int kind = parameters.kind (slot);
    const int channel = parameters.channel (slot);
    const int row = parameters.subIndex (slot);
    const bool programRow = parameters.displayKind (slot) == ParameterTable::displayProgramRow;

    switch (kind)
    {
        case ParameterTable::kindProgram:
            link.getPorts().selectChannelProgram (channel, value / 128, value % 128);
            return;

        case ParameterTable::kindMulti:
            link.getPorts().sendSysEx (SysexProtocol::multiSelect (value, link.getPorts().getDeviceByte()));
            return;

        case ParameterTable::kindPlayingMode:
            if (value == programMode || value == multiMode)
            {
                juce::MidiBuffer b;
                SysexProtocol::addControllerAddressed (b, 1, playingModeAddress, value);
                link.getPorts().sendNow (b);
            }
            return;

        default:
            break;
    }

    juce::MidiBuffer b;

    if (programRow && row == ParameterTable::panRow)
        b.addEvent (juce::MidiMessage::controllerEvent (channel + 1, panController, juce::jlimit (0, 127, value + 63)), 0);

    // Rows 2, 5 and 8 mirror program bits that are never sent.
    const bool neverSent = programRow && (row == 2 || row == 5 || row == 8);

    if (! neverSent)
    {
        if (kind == ParameterTable::kindAddressed && programRow)
        {
            if (auto* address = addressOfRow (row))
                SysexProtocol::addControllerAddressed (b, channel + 1, address, value);
        }
        else if (kind == ParameterTable::kindController)
        {
            b.addEvent (juce::MidiMessage::controllerEvent (channel + 1, parameters.controller (slot), juce::jlimit (0, 127, value)), 0);
        }
    }

    sendBuffer (b, true);
}

void ControllerState::sendBuffer (const juce::MidiBuffer& buffer, bool delayed)
{
    if (buffer.isEmpty())
        return;
    const int d = getCurrentDelay();
    if (delayed && d > 0)
        link.getPorts().sendDelayed (buffer, d, link.getSampleRate());
    else
        link.getPorts().sendNow (buffer);
}

void ControllerState::setFromEditor (int slot, int value, bool reportToHost, bool notify)
{
    if (! ParameterTable::isValid (slot))
        return;

    const int kind = parameters.kind (slot);
    const int channel = parameters.channel (slot);

    if (kind == ParameterTable::kindProgram)
    {
        selectProgram (value, channel);
        if (reportToHost)
        {
            queueForHost (ParameterTable::programSlot (channel, ParameterTable::programBankRow), value / 128);
            queueForHost (ParameterTable::programSlot (channel, ParameterTable::programNumberRow), value % 128);
        }
        if (notify)
            addSlotNotice (slot, value);
        return;
    }

    reloadFxChainsForRow (slot, value);
    if (reportToHost)
        queueForHost (slot, value);
    parameters.setValue (slot, value);
    if (notify)
        addSlotNotice (slot, value);
}

void ControllerState::setAndReport (int slot, int value)
{
    if (! ParameterTable::isValid (slot))
        return;

    if (parameters.kind (slot) == ParameterTable::kindProgram)
    {
        const int channel = parameters.channel (slot);
        selectProgram (value, channel);
        queueForHost (ParameterTable::programSlot (channel, ParameterTable::programBankRow), value / 128);
        queueForHost (ParameterTable::programSlot (channel, ParameterTable::programNumberRow), value % 128);
        return;
    }

    reloadFxChainsForRow (slot, value);
    // Reporting runs the host write rule before the value is stored here, so a changed
    // value reaches the instrument.
    hostReports.reportNow (slot, value);
    parameters.setValue (slot, value);
}

void ControllerState::selectProgram (int program, int channel)
{
    const std::lock_guard<std::recursive_mutex> g (selectionLock);
    auto* edit = image.getEditBuffer (channel);
    if (edit == nullptr || program == loadedProgram[(size_t) channel].load())
        return;
    loadedProgram[(size_t) channel] = program;

    {
        const juce::ScopedReadLock sl (image.getStoreLock());
        edit->loadFromStore (image.getPrograms(), program);
    }

    // A buffer without a program has no common block to refresh the rows from.
    constexpr int commonBlockStart = ProgramStore::commonBlockOffset;
    constexpr int smallestCommonBlock = 30;
    if ((int) edit->getProgramData().getSize() - commonBlockStart < smallestCommonBlock)
        return;

    auto row = [channel] (int k) { return ParameterTable::programSlot (channel, k); };
    auto signedByte = [edit] (int position) { return (int) (juce::int8) (juce::uint8) edit->byteAt (position); };

    parameters.setValue (row (ParameterTable::insertChainRow), edit->bigEndian16At (ProgramStore::insertChainOffset));
    parameters.setValue (row (1), edit->byteAt (ProgramStore::insertSwitchesOffset) & 1);
    parameters.setValue (row (ParameterTable::aux1ChainRow), edit->bigEndian16At (ProgramStore::aux1ChainOffset));
    parameters.setValue (row (4), edit->byteAt (ProgramStore::aux1LevelOffset) & 0x7F);
    parameters.setValue (row (5), edit->byteAt (ProgramStore::aux1LevelOffset) >> 7 & 1);
    parameters.setValue (row (ParameterTable::aux2ChainRow), edit->bigEndian16At (ProgramStore::aux2ChainOffset));
    parameters.setValue (row (7), edit->byteAt (ProgramStore::aux2LevelOffset) & 0x7F);
    parameters.setValue (row (8), edit->byteAt (ProgramStore::aux2LevelOffset) >> 7 & 1);
    // The pan byte is read signed, which keeps the row inside its -64..64 range.
    parameters.setValue (row (ParameterTable::panRow), juce::jlimit (-64, 64, signedByte (ProgramStore::panOffset)));
    parameters.setValue (row (ParameterTable::levelRow), signedByte (ProgramStore::levelOffset));
    parameters.setValue (row (ParameterTable::programRow), program);
    parameters.setValue (row (ParameterTable::programBankRow), program / 128);
    parameters.setValue (row (ParameterTable::programNumberRow), program % 128);

    reloadFxChains (channel,
                    parameters.value (row (ParameterTable::insertChainRow)),
                    parameters.value (row (ParameterTable::aux1ChainRow)),
                    parameters.value (row (ParameterTable::aux2ChainRow)));
}

void ControllerState::reloadFxChains (int channel, int insertChain, int aux1Chain, int aux2Chain)
{
    const std::lock_guard<std::recursive_mutex> g (selectionLock);
    auto* edit = image.getEditBuffer (channel);
    if (edit == nullptr)
        return;
    {
        const juce::ScopedReadLock sl (image.getStoreLock());
        edit->decodeTable (image.getFxChains(), insertChain, aux1Chain, aux2Chain);
    }
    rebuildFxParameterLists (channel);
}

void ControllerState::rebuildFxParameterLists (int channel)
{
    auto* edit = image.getEditBuffer (channel);
    if (edit == nullptr)
        return;

    const auto table = edit->getTable();
    std::array<std::vector<int>, 4> lists;
    std::array<bool, 128> taken {};

    for (int i = 0; i < table.assignmentCount(); ++i)
    {
        const auto a = table.assignment (i);
        int list = -1;
        switch (a.subSystem)
        {
            case 1: list = 0; break; // "Synth"
            case 4: list = 1; break; // "Prg Insert"
            case 2: list = 2; break; // "Aux 1"
            case 3: list = 3; break; // "Aux 2"
            default: break;
        }
        const int n = a.controller;
        if (list < 0 || n < 0 || n > 127 || n == bankSelectMsb || n == bankSelectLsb || taken[(size_t) n])
            continue;

        taken[(size_t) n] = true; // the first assignment that names a controller wins
        lists[(size_t) list].push_back (n);
        const int slot = ParameterTable::controllerSlot (channel, n);
        parameters.setLabelCode (slot, table.parameterName (i));
        parameters.setValue (slot, juce::jlimit (0, 127, a.value)); // "no value" (-1) reads as 0
    }

    std::lock_guard<std::mutex> g (fxListLock);
    fxParameterLists[(size_t) channel] = std::move (lists);
}

void ControllerState::reloadFxChainsForRow (int slot, int chain)
{
    const int kind = parameters.kind (slot);
    if (kind != ParameterTable::kindInsertChain && kind != ParameterTable::kindAux1Chain && kind != ParameterTable::kindAux2Chain)
        return;

    const int channel = parameters.channel (slot);
    auto stored = [this, channel] (int row) { return parameters.value (ParameterTable::programSlot (channel, row)); };
    reloadFxChains (channel,
                    kind == ParameterTable::kindInsertChain ? chain : stored (ParameterTable::insertChainRow),
                    kind == ParameterTable::kindAux1Chain ? chain : stored (ParameterTable::aux1ChainRow),
                    kind == ParameterTable::kindAux2Chain ? chain : stored (ParameterTable::aux2ChainRow));
}

std::vector<int> ControllerState::getFxParameterList (int channel, int list) const
{
    if (! juce::isPositiveAndBelow (channel, 16) || ! juce::isPositiveAndBelow (list, 4))
        return {};
    std::lock_guard<std::mutex> g (fxListLock);
    return fxParameterLists[(size_t) channel][(size_t) list];
}

void ControllerState::setMulti (int number, bool reportToHost, bool notify)
{
    if (reportToHost)
    {
        // Each report that changes its slot sends a multi select made of both slots.
        // When the bank changes, the program slot takes its new value first, so the
        // bank's report selects the new multi instead of passing through "new bank, old
        // program" (the program's report then changes nothing and sends nothing).
        if (number / 128 != parameters.value (ParameterTable::multiBankSlot))
            parameters.setValue (ParameterTable::multiProgramSlot, number % 128);
        queueForHost (ParameterTable::multiBankSlot, number / 128);
        queueForHost (ParameterTable::multiProgramSlot, number % 128);
    }
    if (notify)
        addSlotNotice (ParameterTable::multiSlot, number);
}

void ControllerState::sendAddressed (int selector, int channel, const int address[5], int value)
{
    if (! link.getPorts().isOutputOpen() || address == nullptr || channel < 1 || channel > 16)
        return;
    if (selector != 0)
        value = adjustAddressedValue (selector, channel, address, value);
    juce::MidiBuffer b;
    SysexProtocol::addControllerAddressed (b, channel, address, value);
    link.getPorts().sendNow (b);
}

int ControllerState::adjustAddressedValue (int selector, int channel, const int a[5], int value)
{
    auto* edit = image.getEditBuffer (channel - 1);
    if (edit == nullptr)
        return value;

    auto is = [a] (int a1, int a2, int a3, int a4, int a5) { return a[0] == a1 && a[1] == a2 && a[2] == a3 && a[3] == a4 && a[4] == a5; };
    // The byte with bit (selector - 1) set, for selectors 1..count; the byte alone otherwise.
    auto setSelectorBit = [edit, selector] (int position, int count) {
        if (selector >= 1 && selector <= count)
            return edit->updateByte (position, 1 << (selector - 1), 1 << (selector - 1));
        return edit->byteAt (position);
    };
    // Bits 0..6 take the value (selector 1), or bit 7 takes its bit 0 (selector 2).
    auto levelByte = [edit, selector, value] (int position) {
        if (selector == 1)
            return edit->updateByte (position, 0x7F, value & 0x7F);
        if (selector == 2)
            return edit->updateByte (position, 0x80, (value & 1) << 7);
        return edit->byteAt (position);
    };

    if (is (1, 0, 1, 0, 19))
        return selector == 6 ? -value : value;
    if (is (1, 0, 1, 0, 2) && value == 1)
        return setSelectorBit (ProgramStore::layerSwitchesOffset, 5);
    if (is (1, 0, 5, 0, 0) && value == 1)
        return setSelectorBit (ProgramStore::insertSwitchesOffset, 3);
    if (a[0] == 1 && a[2] == 5 && a[3] == 0 && a[4] == 2)
        return levelByte (ProgramStore::aux1LevelOffset);
    if (a[0] == 1 && a[2] == 5 && a[3] == 0 && a[4] == 3)
        return levelByte (ProgramStore::aux2LevelOffset);
    if (is (5, 0, 5, 0, 24))
        return value == 0 ? image.getMaster().getTempo() : 0;
    return value;
}

void ControllerState::instrumentControllerWrite (int channel, int controller, int value)
{
    const int slot = ParameterTable::controllerSlot (channel, controller);
    if (value == parameters.value (slot))
        return;
    queueForHost (slot, value);
    parameters.setValue (slot, value);
    addSlotNotice (slot, value);
}

void ControllerState::instrumentProgramChange (int channel, int program)
{
    const auto c = (size_t) channel;
    instrumentProgram[c] = program;
    const int number = instrumentBankLsb[c].load() * 128 + program;
    if (number == instrumentProgramNumber[c].load())
        return;
    instrumentProgramNumber[c] = number;

    const int programSlot = ParameterTable::programSlot (channel, ParameterTable::programRow);
    const bool differs = number != parameters.value (programSlot);

    selectProgram (number, channel);

    if (link.isProgramChangeByAutomation() || differs)
    {
        queueForHost (ParameterTable::programSlot (channel, ParameterTable::programBankRow), number / 128);
        queueForHost (ParameterTable::programSlot (channel, ParameterTable::programNumberRow), number % 128);
        if (! link.isProgramChangeByAutomation())
            addSlotNotice (programSlot, number);
    }
}

juce::String ControllerState::slotLabel (int slot) const
{
    if (! ParameterTable::isValid (slot))
        return {};

    const auto code = parameters.labelCode (slot);
    const auto channelText = " Ch." + juce::String (parameters.channel (slot) + 1);

    switch (parameters.displayKind (slot))
    {
        case ParameterTable::displayProgramRow:
            return ParameterLabels::programRowLabel (code.getIntValue()) + channelText;
        case ParameterTable::displayController:
            if (code.isEmpty())
                return "MIDI " + juce::String (parameters.controller (slot)) + channelText;
            return code + channelText;
        case ParameterTable::displayGlobal:
            return ParameterLabels::globalLabel (code.getIntValue());
        default:
            return {};
    }
}

juce::String ControllerState::slotValueText (int slot) const
{
    if (! ParameterTable::isValid (slot))
        return {};
    int value = parameters.value (slot);
    // The program-number row shows the whole program number: its bank row sits just
    // before it.
    if (parameters.descriptionCode (slot) == programNumberDescription && slot > 0)
        value += 128 * parameters.value (slot - 1);
    return image.getValueFormatter().formatValue (parameters.descriptionCode (slot), value);
}

void ControllerState::bringInstrumentIntoLine()
{
    int mode = parameters.value (ParameterTable::playingModeSlot);
    if (mode == 0)
        mode = programMode;

    // The applied record has already stored the mode, and a stored value is never
    // sent again: clear it so that the switch tells the instrument in every case.
    parameters.setValue (ParameterTable::playingModeSlot, 0);
    switchPlayingMode (mode);

    if (mode == multiMode)
    {
        // The host write rule never sends the multi slot itself; the instrument is told
        // here, or it would keep playing the previous multi.
        const int multi = parameters.value (ParameterTable::multiSlot);
        setFromEditor (ParameterTable::multiSlot, multi, true, true);
        sendSlot (ParameterTable::multiSlot, multi);
    }

    for (int c = 0; c < 16; ++c)
    {
        const int slot = ParameterTable::programSlot (c, ParameterTable::programRow);
        setFromEditor (slot, parameters.value (slot), true, true);
    }

    addNotice (arrangementRecalledNotice);
}

void ControllerState::switchPlayingMode (int mode)
{
    inputBlockTimer->start (mode == multiMode ? multiModeBlockMs : programModeBlockMs);
    inputBlocked = true;
    playingMode = mode;
    setAndReport (ParameterTable::playingModeSlot, mode);
}

//==============================================================================
// Ports, settings, flags and timing: LinkSettings

void ControllerState::selectInputPort (int n) { link.selectInputPort (n); }
void ControllerState::selectOutputPort (int n) { link.selectOutputPort (n); }
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

bool ControllerState::isNoteHeld (int note) const noexcept
{
    return juce::isPositiveAndBelow (note, 128) && noteTable[(size_t) note].load() != 0;
}

int ControllerState::getChannelProgramNumber (int channel) const noexcept
{
    return juce::isPositiveAndBelow (channel, 16) ? instrumentProgramNumber[(size_t) channel].load() : 0;
}

} // namespace zd8

#include "plugin/InstrumentInput.h"

#include "link/DeviceIdentity.h"
#include "link/InstrumentMessage.h"
#include "link/SysexProtocol.h"
#include "plugin/ChannelMessages.h"
#include "plugin/SlotRouter.h"

namespace zd8
{

namespace
{
    constexpr int identityAnswerSlot = 250; // channel 16, level row

    bool isSystemRealTime (const juce::uint8* data, size_t size)
    {
        return size == 1 && data[0] >= 0xF8;
    }
}

InstrumentInput::InstrumentInput (LinkSettings& l, HostMidiBridge& h, ProgramSelection& s, PlayingModeSwitch& m,
                                  HostReports& r, NoticeBoard& n, ParameterTable& p, InstrumentImage& i, TransferMailbox& t)
    : link (l), hostMidi (h), selection (s), modeSwitch (m), hostReports (r), notices (n), parameters (p), image (i), mailbox (t)
{
}

//==============================================================================
// Incoming MIDI (MIDI input thread)

void InstrumentInput::handleIncomingMidiMessage (juce::MidiInput*, const juce::MidiMessage& message)
{
    if (modeSwitch.isInputBlocked())
        return;

    const auto* raw = message.getRawData();
    const auto size = (size_t) message.getRawDataSize();
    if (raw == nullptr || size == 0)
        return;

    if (link.isThruInToHost())
    {
        const bool forHost = ChannelMessages::isWellFormed (raw, size)
                             && (message.isNoteOnOrOff() || message.isProgramChange()
                             || (message.isController()
                                 && (message.getControllerNumber() == ChannelMessages::bankSelectMsb
                                     || message.getControllerNumber() == ChannelMessages::modulationWheel
                                     || message.getControllerNumber() == ChannelMessages::bankSelectLsb)));
        if (forHost)
            hostMidi.addToHostBuffer (message);

        if (message.isMidiClock())
            return;
    }

    const int status = raw[0];
    if (status >= 0x80 && status < 0xF0)
    {
        if (ChannelMessages::isWellFormed (raw, size))
            handleChannelMessage (message);
        return;
    }

    appendToSysex (raw, size);
}

void InstrumentInput::handleChannelMessage (const juce::MidiMessage& message)
{
    const int channel = message.getChannel() - 1;

    if (message.isNoteOn())
    {
        hostMidi.setNoteHeld (message.getNoteNumber(), true);
        notices.post (Notice::noteOn (channel, message.getNoteNumber(), message.getVelocity()));
    }
    else if (message.isNoteOff()) // includes note on with velocity 0
    {
        hostMidi.setNoteHeld (message.getNoteNumber(), false);
        notices.post (Notice::noteOff (channel, message.getNoteNumber()));
    }
    else if (message.isController())
    {
        const int controller = message.getControllerNumber();
        const int value = message.getControllerValue();

        if (controller == ChannelMessages::allNotesOff)
        {
            hostMidi.releaseAllNotes();
        }
        else if (controller == ChannelMessages::bankSelectMsb)
        {
        }
        else if (controller == ChannelMessages::bankSelectLsb)
        {
            instrumentBankLsb[(size_t) channel] = value;
        }
        else
        {
            instrumentControllerWrite (channel, controller, value);
            if (controller == ChannelMessages::modulationWheel)
                notices.post (Notice::controller (channel, controller, value));
        }
    }
    else if (message.isProgramChange())
    {
        instrumentProgramChange (channel, message.getProgramChangeNumber());
    }
    else if (message.isPitchWheel())
    {
        notices.post (Notice::pitchBend (channel, message.getPitchWheelValue()));
    }
}

void InstrumentInput::appendToSysex (const juce::uint8* data, size_t size)
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

void InstrumentInput::handlePartialSysexMessage (juce::MidiInput*, const juce::uint8*, int, double)
{
    // The framework delivers the complete message afterwards; a message that was being
    // assembled and never got its F7 is handed on (and dropped there) now.
    if (modeSwitch.isInputBlocked() || sysexAssembly.isEmpty())
        return;

    const juce::MemoryBlock pending (std::move (sysexAssembly));
    sysexAssembly.reset();
    handleInstrumentSysex (static_cast<const juce::uint8*> (pending.getData()), pending.getSize());
}

void InstrumentInput::handleInstrumentSysex (const juce::uint8* message, size_t size)
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

void InstrumentInput::compareChannelProgramTable()
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
            notices.post (Notice::slotChanged (slot, number));
        }
    }
}

void InstrumentInput::instrumentControllerWrite (int channel, int controller, int value)
{
    const int slot = ParameterTable::controllerSlot (channel, controller);
    if (value == parameters.value (slot))
        return;
    hostReports.queue (slot, value);
    parameters.setValue (slot, value);
    notices.post (Notice::slotChanged (slot, value));
}

void InstrumentInput::instrumentProgramChange (int channel, int program)
{
    const auto c = (size_t) channel;
    instrumentProgram[c] = program;
    const int number = instrumentBankLsb[c].load() * 128 + program;
    if (number == instrumentProgramNumber[c].load())
        return;
    instrumentProgramNumber[c] = number;

    const int programSlot = ParameterTable::programSlot (channel, ParameterTable::programRow);
    const bool differs = number != parameters.value (programSlot);

    selection.selectProgram (number, channel);

    if (link.isProgramChangeByAutomation() || differs)
    {
        hostReports.queue (ParameterTable::programSlot (channel, ParameterTable::programBankRow), number / 128);
        hostReports.queue (ParameterTable::programSlot (channel, ParameterTable::programNumberRow), number % 128);
        if (! link.isProgramChangeByAutomation())
            notices.post (Notice::slotChanged (programSlot, number));
    }
}

int InstrumentInput::getChannelProgramNumber (int channel) const noexcept
{
    return juce::isPositiveAndBelow (channel, 16) ? instrumentProgramNumber[(size_t) channel].load() : 0;
}

//==============================================================================
// Identity

void InstrumentInput::requestIdentity()
{
    notices.post (Notice::identityRequest());
    link.getPorts().sendSysEx (SysexProtocol::identityRequest());
}

void InstrumentInput::handleIdentityReply (const juce::uint8* message, size_t size)
{
    {
        std::lock_guard<std::mutex> g (deviceNameLock);
        deviceName = DeviceIdentity::nameFromReply (message, size, deviceName);
    }

    // Answered at once with the level of channel 16 set to -1.
    const int slot = identityAnswerSlot;
    juce::MidiBuffer b;
    SysexProtocol::addControllerAddressed (b, parameters.channel (slot) + 1, SlotRouter::addressOfRow (parameters.subIndex (slot)), -1);
    link.getPorts().sendNow (b);

    notices.post (Notice::identityReply());
}

juce::String InstrumentInput::getDeviceName() const
{
    std::lock_guard<std::mutex> g (deviceNameLock);
    return deviceName;
}

} // namespace zd8

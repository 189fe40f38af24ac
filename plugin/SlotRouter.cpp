#include "plugin/SlotRouter.h"

#include "link/SysexProtocol.h"
#include "model/BuiltInBanks.h"
#include "model/ParameterLabels.h"
#include "plugin/ChannelMessages.h"

namespace zd8
{

namespace
{
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
    constexpr int programNumberDescription = 2102;
}

SlotRouter::SlotRouter (ParameterTable& p, InstrumentImage& i, LinkSettings& l, ProgramSelection& s, HostReports& h, NoticeBoard& n)
    : parameters (p), image (i), link (l), selection (s), hostReports (h), notices (n)
{
}

const int* SlotRouter::addressOfRow (int row)
{
    for (auto& r : rowAddresses)
        if (r.row == row)
            return r.address;
    return nullptr;
}

//==============================================================================
// Writes

void SlotRouter::setFromHost (int slot, int value)
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
        // The program the instrument is told to play is the channel's program in the
        // live Arrangement too, or the project, the host's preset and SET CURRENT would
        // save the one before it. Only the number is kept here (this may be the audio
        // thread); the channel's edit buffer follows at the next selection.
        if (targetValue >= 1 && targetValue <= BuiltInBanks::programHighestId && targetValue != parameters.value (target))
        {
            parameters.setValue (target, targetValue);
            hostReports.queue (target, targetValue, HostReports::How::tellOnly);
        }
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
                keepMulti (targetValue);
                break;

            case ParameterTable::kindMultiProgram:
                parameters.setValue (slot, value);
                target = ParameterTable::multiSlot;
                targetValue = value + 128 * parameters.value (ParameterTable::multiBankSlot);
                keepMulti (targetValue);
                break;

            default:
                parameters.setValue (slot, value);
                break;
        }
    }

    sendSlot (target, targetValue);
    notices.post (Notice::slotChanged (target, targetValue));
}

void SlotRouter::keepMulti (int number) noexcept
{
    // The multi the instrument is told to play is the live Arrangement's multi.
    if (number >= 1 && number <= BuiltInBanks::multiHighestId && number != parameters.value (ParameterTable::multiSlot))
    {
        parameters.setValue (ParameterTable::multiSlot, number);
        hostReports.queue (ParameterTable::multiSlot, number, HostReports::How::tellOnly);
    }
}

void SlotRouter::setFromEditor (int slot, int value, bool reportToHost, bool notify)
{
    if (! ParameterTable::isValid (slot))
        return;

    const int kind = parameters.kind (slot);
    const int channel = parameters.channel (slot);

    if (kind == ParameterTable::kindProgram)
    {
        selection.selectProgram (value, channel);
        if (reportToHost)
        {
            hostReports.queue (slot, value, HostReports::How::tellOnly);
            hostReports.queue (ParameterTable::programSlot (channel, ParameterTable::programBankRow), value / 128);
            hostReports.queue (ParameterTable::programSlot (channel, ParameterTable::programNumberRow), value % 128);
        }
        if (notify)
            notices.post (Notice::slotChanged (slot, value));
        return;
    }

    selection.reloadFxChainsForRow (slot, value);
    if (reportToHost)
        hostReports.queue (slot, value);
    parameters.setValue (slot, value);
    if (notify)
        notices.post (Notice::slotChanged (slot, value));
}

void SlotRouter::setAndReport (int slot, int value)
{
    if (! ParameterTable::isValid (slot))
        return;

    if (parameters.kind (slot) == ParameterTable::kindProgram)
    {
        const int channel = parameters.channel (slot);
        selection.selectProgram (value, channel);
        hostReports.queue (slot, value, HostReports::How::tellOnly);
        hostReports.queue (ParameterTable::programSlot (channel, ParameterTable::programBankRow), value / 128);
        hostReports.queue (ParameterTable::programSlot (channel, ParameterTable::programNumberRow), value % 128);
        return;
    }

    selection.reloadFxChainsForRow (slot, value);
    // Reporting runs the host write rule before the value is stored here, so a changed
    // value reaches the instrument.
    hostReports.reportNow (slot, value);
    parameters.setValue (slot, value);
}

void SlotRouter::setMulti (int number, bool reportToHost, bool notify)
{
    if (reportToHost)
    {
        // The multi the user chose is the live Arrangement's multi: SET CURRENT, the
        // host's preset and the Arrangement file at close save it. The host write rule
        // of the bank and program slots below sends it but leaves this slot alone.
        keepMulti (number);

        // Each report that changes its slot sends a multi select made of both slots.
        // When the bank changes, the program slot takes its new value first, so the
        // bank's report selects the new multi instead of passing through "new bank, old
        // program" (the program's report then changes nothing and sends nothing).
        if (number / 128 != parameters.value (ParameterTable::multiBankSlot))
            parameters.setValue (ParameterTable::multiProgramSlot, number % 128);
        hostReports.queue (ParameterTable::multiBankSlot, number / 128);
        hostReports.queue (ParameterTable::multiProgramSlot, number % 128);
    }
    if (notify)
        notices.post (Notice::slotChanged (ParameterTable::multiSlot, number));
}

//==============================================================================
// Sends

void SlotRouter::sendSlot (int slot, int value) { send (slot, value, false); }
void SlotRouter::sendSlotAfterProgram (int slot, int value) { send (slot, value, true); }

void SlotRouter::send (int slot, int value, bool afterProgram)
{
    if (! ParameterTable::isValid (slot))
        return;

    auto& ports = link.getPorts();
    const int kind = parameters.kind (slot);
    const int channel = parameters.channel (slot);
    const int row = parameters.subIndex (slot);
    const bool programRow = parameters.displayKind (slot) == ParameterTable::displayProgramRow;

    switch (kind)
    {
        case ParameterTable::kindProgram:
            ports.selectChannelProgram (channel, value / 128, value % 128);
            return;

        case ParameterTable::kindMulti:
            ports.sendSysEx (SysexProtocol::multiSelect (value, ports.getDeviceByte()));
            return;

        case ParameterTable::kindPlayingMode:
            if (value == programMode || value == multiMode)
            {
                juce::MidiBuffer b;
                SysexProtocol::addControllerAddressed (b, 1, playingModeAddress, value);
                ports.sendNow (b);
            }
            return;

        default:
            break;
    }

    juce::MidiBuffer b;

    if (programRow && row == ParameterTable::panRow)
        b.addEvent (juce::MidiMessage::controllerEvent (channel + 1, ChannelMessages::panController, juce::jlimit (0, 127, value + 63)), 0);

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

    if (afterProgram)
        ports.sendAfterChannelProgram (channel, b);
    else
        sendBuffer (b, true);
}

void SlotRouter::sendBuffer (const juce::MidiBuffer& buffer, bool delayed)
{
    if (buffer.isEmpty())
        return;
    const int d = link.getCurrentDelay();
    if (delayed && d > 0)
        link.getPorts().sendDelayed (buffer, d, link.getSampleRate());
    else
        link.getPorts().sendNow (buffer);
}

void SlotRouter::sendAddressed (int selector, int channel, const int address[5], int value)
{
    auto& ports = link.getPorts();
    if (! ports.isOutputOpen() || address == nullptr || channel < 1 || channel > 16)
        return;
    if (selector != 0)
        value = adjustAddressedValue (selector, channel, address, value);
    juce::MidiBuffer b;
    SysexProtocol::addControllerAddressed (b, channel, address, value);
    ports.sendNow (b);
}

int SlotRouter::adjustAddressedValue (int selector, int channel, const int a[5], int value)
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

//==============================================================================
// Texts

juce::String SlotRouter::slotLabel (int slot) const
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

juce::String SlotRouter::slotValueText (int slot) const
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

} // namespace zd8

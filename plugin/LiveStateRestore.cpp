#include "plugin/LiveStateRestore.h"

#include <limits>

namespace zd8
{

namespace
{
    using How = HostReports::How;

    bool isChainRow (int kind) noexcept
    {
        return kind == ParameterTable::kindInsertChain || kind == ParameterTable::kindAux1Chain || kind == ParameterTable::kindAux2Chain;
    }
}

LiveStateRestore::LiveStateRestore (ParameterTable& p, ProgramSelection& s, SlotRouter& r, PlayingModeSwitch& m,
                                    HostReports& h, NoticeBoard& n, LinkSettings& l)
    : parameters (p), selection (s), slots (r), modeSwitch (m), hostReports (h), notices (n), link (l)
{
}

void LiveStateRestore::noteInstrumentInLine()
{
    inLine = link.getPorts().isOutputOpen();
}

bool LiveStateRestore::tellsInstrument (int slot) const noexcept
{
    const int kind = parameters.kind (slot);
    return kind == ParameterTable::kindAddressed || kind == ParameterTable::kindController;
}

void LiveStateRestore::restore (const std::vector<int>& values)
{
    if ((int) values.size() < ParameterTable::numSlots)
        return;

    // Changes still waiting for the host (a recall's program rows, an echo) would run
    // the host write rule after this and select their programs again: they are dropped,
    // and the host hears the restored values of their slots instead. Whatever they
    // would have sent, this sends.
    std::vector<HostReports::Change> waiting;
    hostReports.take (waiting);
    const bool full = ! inLine || ! waiting.empty();

    // What the host was told last is, for all it knows, what the table holds now: every
    // slot that ends otherwise is told again, after the state call (a host may ignore
    // what it hears during it, and may echo what it heard before it as writes).
    std::vector<int> before ((size_t) ParameterTable::numSlots);
    for (int slot = 0; slot < ParameterTable::numSlots; ++slot)
        before[(size_t) slot] = parameters.value (slot);
    std::vector<bool> told ((size_t) ParameterTable::numSlots, false);

    auto keep = [&] (int slot, int value, bool send) {
        parameters.setValue (slot, value);
        notices.post (Notice::slotChanged (slot, value));
        if (send)
        {
            hostReports.queue (slot, value, How::tellAndSend);
            told[(size_t) slot] = true;
        }
    };

    // The playing mode and the multi go out first, at once.
    const int mode = values[(size_t) ParameterTable::playingModeSlot] == SlotRouter::multiMode ? SlotRouter::multiMode
                                                                                                 : SlotRouter::programMode;
    const int multi = values[(size_t) ParameterTable::multiSlot];
    const bool modeChanged = mode != parameters.value (ParameterTable::playingModeSlot);
    const bool multiChanged = multi != parameters.value (ParameterTable::multiSlot);
    if (full || modeChanged)
    {
        // A stored value is not sent again: cleared, the switch tells the instrument.
        parameters.setValue (ParameterTable::playingModeSlot, 0);
        modeSwitch.switchPlayingMode (mode);
    }
    if (multiChanged)
        keep (ParameterTable::multiSlot, multi, false);
    if (mode == SlotRouter::multiMode && (full || modeChanged || multiChanged))
        slots.sendSlot (ParameterTable::multiSlot, multi);

    // The channel programs, loaded here as the instrument loads them: the rows take the
    // program's own values, against which the saved ones are compared below.
    const bool sendPrograms = link.isProgramChangeByAutomation();
    for (int c = 0; c < 16; ++c)
    {
        const int slot = ParameterTable::programSlot (c, ParameterTable::programRow);
        const int program = values[(size_t) slot];
        const bool changed = program != parameters.value (slot);
        if (full)
            selection.reloadProgram (program, c);
        else
            selection.selectProgram (program, c);
        if (full || changed)
            keep (slot, program, sendPrograms);
    }

    // FX chains next: decoding them names the channel's controller rows and sets the
    // values of those in its FX lists.
    for (int slot = 0; slot < ParameterTable::firstControllerSlot; ++slot)
    {
        const int value = values[(size_t) slot];
        if (isChainRow (parameters.kind (slot)) && value != parameters.value (slot))
        {
            selection.reloadFxChainsForRow (slot, value);
            keep (slot, value, false);
        }
    }

    // Everything else that differs from what the selections left: kept, told, and sent
    // where the slot is something the instrument hears.
    for (int slot = 0; slot < ParameterTable::numSlots; ++slot)
    {
        const int kind = parameters.kind (slot);
        if (slot == ParameterTable::multiSlot || slot == ParameterTable::playingModeSlot
            || kind == ParameterTable::kindProgram || isChainRow (kind))
            continue;
        const int value = values[(size_t) slot];
        if (value != parameters.value (slot))
            keep (slot, value, tellsInstrument (slot));
    }

    for (auto& c : waiting)
        if (ParameterTable::isValid (c.slot))
            before[(size_t) c.slot] = std::numeric_limits<int>::min();
    for (int slot = 0; slot < ParameterTable::numSlots; ++slot)
        if (! told[(size_t) slot] && parameters.value (slot) != before[(size_t) slot])
            hostReports.queue (slot, parameters.value (slot), How::tellOnly);

    notices.post (Notice::arrangementRecalled());
    noteInstrumentInLine();
}

} // namespace zd8

#include "plugin/ProgramSelection.h"

#include "plugin/ChannelMessages.h"

namespace zd8
{

ProgramSelection::ProgramSelection (InstrumentImage& i, ParameterTable& p) : image (i), parameters (p)
{
    for (auto& program : loadedProgram)
        program = -1;
}

void ProgramSelection::selectProgram (int program, int channel)
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

    refresh (row (ParameterTable::insertChainRow), edit->bigEndian16At (ProgramStore::insertChainOffset));
    refresh (row (1), edit->byteAt (ProgramStore::insertSwitchesOffset) & 1);
    refresh (row (ParameterTable::aux1ChainRow), edit->bigEndian16At (ProgramStore::aux1ChainOffset));
    refresh (row (4), edit->byteAt (ProgramStore::aux1LevelOffset) & 0x7F);
    refresh (row (5), edit->byteAt (ProgramStore::aux1LevelOffset) >> 7 & 1);
    refresh (row (ParameterTable::aux2ChainRow), edit->bigEndian16At (ProgramStore::aux2ChainOffset));
    refresh (row (7), edit->byteAt (ProgramStore::aux2LevelOffset) & 0x7F);
    refresh (row (8), edit->byteAt (ProgramStore::aux2LevelOffset) >> 7 & 1);
    // The pan byte is read signed, which keeps the row inside its -64..64 range.
    refresh (row (ParameterTable::panRow), juce::jlimit (-64, 64, signedByte (ProgramStore::panOffset)));
    refresh (row (ParameterTable::levelRow), signedByte (ProgramStore::levelOffset));
    refresh (row (ParameterTable::programRow), program);
    parameters.setValue (row (ParameterTable::programBankRow), program / 128);
    parameters.setValue (row (ParameterTable::programNumberRow), program % 128);

    reloadFxChains (channel,
                    parameters.value (row (ParameterTable::insertChainRow)),
                    parameters.value (row (ParameterTable::aux1ChainRow)),
                    parameters.value (row (ParameterTable::aux2ChainRow)));
}

void ProgramSelection::reloadProgram (int program, int channel)
{
    const std::lock_guard<std::recursive_mutex> g (selectionLock);
    if (juce::isPositiveAndBelow (channel, (int) loadedProgram.size()))
        loadedProgram[(size_t) channel] = -1;
    selectProgram (program, channel);
}

void ProgramSelection::reloadFxChains (int channel, int insertChain, int aux1Chain, int aux2Chain)
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

void ProgramSelection::rebuildFxParameterLists (int channel)
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
        if (list < 0 || n < 0 || n > 127 || n == ChannelMessages::bankSelectMsb || n == ChannelMessages::bankSelectLsb
            || taken[(size_t) n])
            continue;

        taken[(size_t) n] = true; // the first assignment that names a controller wins
        lists[(size_t) list].push_back (n);
        const int slot = ParameterTable::controllerSlot (channel, n);
        parameters.setLabelCode (slot, table.parameterName (i));
        refresh (slot, juce::jlimit (0, 127, a.value)); // "no value" (-1) reads as 0
    }

    std::lock_guard<std::mutex> g (fxListLock);
    fxParameterLists[(size_t) channel] = std::move (lists);
}

void ProgramSelection::refresh (int slot, int value)
{
    if (parameters.value (slot) == value)
        return;
    parameters.setValue (slot, value);
    if (hostReports != nullptr)
        hostReports->queue (slot, value, HostReports::How::tellOnly);
}

void ProgramSelection::reloadFxChainsForRow (int slot, int chain)
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

std::vector<int> ProgramSelection::getFxParameterList (int channel, int list) const
{
    if (! juce::isPositiveAndBelow (channel, 16) || ! juce::isPositiveAndBelow (list, 4))
        return {};
    std::lock_guard<std::mutex> g (fxListLock);
    return fxParameterLists[(size_t) channel][(size_t) list];
}

} // namespace zd8

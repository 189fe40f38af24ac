#include "model/ProgramEditBuffers.h"

#include "model/FxChainStore.h"

namespace zd8
{

namespace
{
    using Bank = ProgramStore;

    bool listIsShown (const juce::MemoryBlock& list) noexcept
    {
        return list.getSize() >= ParameterNameList::minimumSize;
    }

    /** The assignment list of a record when it is long enough to be shown, else empty. */
    juce::MemoryBlock shownAssignmentList (const juce::MemoryBlock& content)
    {
        auto list = Bank::assignmentListOf (content);
        return listIsShown (list) ? list : juce::MemoryBlock();
    }
}

bool ProgramEditBuffers::loadFromStore (const ProgramStore& store, int id)
{
    if (! store.isPresent (id))
        return false;

    auto record = store.readBytes (id, 0, store.recordLength (id));
    if (record.getSize() <= (size_t) ObjectStore::nameLength)
        return false;

    setProgramData (record);
    return true;
}

void ProgramEditBuffers::setProgramData (const juce::MemoryBlock& content)
{
    withLock ([&] { programData = content; return 0; });
    sendChangeMessage();
}

juce::MemoryBlock ProgramEditBuffers::getProgramData() const
{
    return withLock ([&] { return programData; });
}

bool ProgramEditBuffers::hasProgram() const
{
    return withLock ([&] { return programData.getSize() > 0; });
}

juce::String ProgramEditBuffers::name() const
{
    return withLock ([&] { return Bank::nameOf (programData); });
}

juce::String ProgramEditBuffers::modeText() const
{
    return withLock ([&] { return Bank::modeTextOf (programData); });
}

juce::MemoryBlock ProgramEditBuffers::commonBlock() const
{
    return withLock ([&] { return programData.isEmpty() ? juce::MemoryBlock() : Bank::commonBlockOf (programData); });
}

int ProgramEditBuffers::byteAt (int position) const
{
    return withLock ([&] { return Bank::contentByte (programData, position); });
}

int ProgramEditBuffers::bigEndian16At (int position) const
{
    return withLock ([&] { return Bank::contentBigEndian16 (programData, position); });
}

int ProgramEditBuffers::updateByte (int position, int mask, int bits)
{
    return withLock ([&] {
        const int old = Bank::contentByte (programData, position);
        const int updated = ((old & ~mask) | (bits & mask)) & 0xFF;
        if (position >= 0 && (size_t) position < programData.getSize())
            programData[(size_t) position] = (char) updated;
        return updated;
    });
}

void ProgramEditBuffers::decodeTable (const FxChainStore& chains)
{
    const auto data = getProgramData();
    decodeTable (chains,
                 Bank::contentBigEndian16 (data, Bank::insertChainOffset),
                 Bank::contentBigEndian16 (data, Bank::aux1ChainOffset),
                 Bank::contentBigEndian16 (data, Bank::aux2ChainOffset));
}

void ProgramEditBuffers::decodeTable (const FxChainStore& chains, int insertChain, int aux1Chain, int aux2Chain)
{
    // The chains' lists come from the FX chain store, outside our lock.
    VirtualParameterTable decoded;
    decoded.lists[VirtualParameterTable::insertList] = ParameterNameList::parse (chains.parameterNameList (insertChain));
    decoded.lists[VirtualParameterTable::aux1List] = ParameterNameList::parse (chains.parameterNameList (aux1Chain));
    decoded.lists[VirtualParameterTable::aux2List] = ParameterNameList::parse (chains.parameterNameList (aux2Chain));

    withLock ([&] {
        // A program's assignments are shown only with a name list of its own: without
        // one (shorter than 20 bytes) the instrument shows none, not even those of FX
        // chain parameters, and the built-in banks never hold such assignments.
        const auto names = Bank::nameListOf (programData);
        if (listIsShown (names))
        {
            decoded.lists[VirtualParameterTable::programList] = ParameterNameList::parse (names);
            const auto assignments = Bank::assignmentListOf (programData);
            decoded.parseAssignments (assignments.getData(), assignments.getSize());
        }
        table = std::move (decoded);
        return 0;
    });
    sendChangeMessage();
}

VirtualParameterTable ProgramEditBuffers::getTable() const
{
    return withLock ([&] { return table; });
}

int ProgramEditBuffers::nameListCount() const
{
    return withLock ([&] {
        auto list = Bank::nameListOf (programData);
        return listIsShown (list) ? Bank::contentBigEndian16 (list, 2) : 0;
    });
}

int ProgramEditBuffers::assignmentCount() const
{
    return withLock ([&] { return Bank::contentBigEndian16 (shownAssignmentList (programData), 2); });
}

void ProgramEditBuffers::setAssignmentByte (int position, int value)
{
    const bool written = withLock ([&] {
        if (position < 0 || shownAssignmentList (programData).isEmpty())
            return false;
        const size_t at = Bank::layerAreaEndOf (programData) + Bank::nameListLengthOf (programData) + (size_t) position;
        if (at >= programData.getSize())
            return false;
        programData[at] = (char) value;
        table.assignmentByteChanged ((size_t) position, value);
        return true;
    });

    if (written)
        sendChangeMessage();
}

juce::String ProgramEditBuffers::subSystemText (int i) const
{
    return withLock ([&] { return table.subSystemText (i); });
}

juce::String ProgramEditBuffers::entryValueText (int i) const
{
    return withLock ([&] { return table.entryValueText (i); });
}

juce::String ProgramEditBuffers::assignedToText (int i) const
{
    return withLock ([&] { return table.assignedToText (i); });
}

juce::String ProgramEditBuffers::parameterName (int i) const
{
    return withLock ([&] { return table.parameterName (i); });
}

void ProgramEditBuffers::instrumentMessage (int subType, const juce::MemoryBlock& data)
{
    switch (subType)
    {
        case messageChanged:
        case messageMarked:
            sendChangeMessage();
            break;
        case messageExtraData:
            withLock ([&] { extraBlock = data; return 0; });
            sendChangeMessage();
            break;
        default:
            break;
    }
}

juce::MemoryBlock ProgramEditBuffers::getExtraBlock() const
{
    return withLock ([&] { return extraBlock; });
}

} // namespace zd8

#include "model/InstrumentImage.h"

#include "model/BuiltInBanks.h"

namespace zd8
{

InstrumentImage::InstrumentImage()
{
    for (int c = 0; c < numChannels; ++c)
        editBuffers[(size_t) c] = std::make_unique<ProgramEditBuffers> (c);
    for (size_t i = 0; i < listedOnlyTypes.size(); ++i)
        listedOnlyStores[i].buildEmptyBank (listedOnlyTypes[i]);
}

InstrumentImage::~InstrumentImage()
{
    for (int c = numChannels; --c >= 0;)
        editBuffers[(size_t) c].reset();
}

namespace
{
    constexpr std::array<int, 3> bankTypes { ObjectStore::typeProgram, ObjectStore::typeMulti, ObjectStore::typeFxChain };
}

juce::Array<juce::File> InstrumentImage::loadBanks (const juce::File& folder)
{
    juce::Array<juce::File> setAside;
    {
        const juce::ScopedWriteLock sl (storeLock);
        bankFolder = folder;
        for (size_t i = 0; i < bankTypes.size(); ++i)
        {
            auto& store = *storeFor (bankTypes[i]);
            juce::File moved;
            const bool fromFile = BuiltInBanks::loadBank (store, bankTypes[i], folder, &moved);
            fileEditCounts[i] = fromFile ? store.getEditCount() : 0;
            if (moved != juce::File())
                setAside.add (moved);
        }
    }
    const juce::ScopedReadLock sl (storeLock);
    multis.loadMulti (1, multiEdit);
    return setAside;
}

void InstrumentImage::saveBanks (const juce::File& folder) const
{
    const juce::ScopedReadLock sl (storeLock);
    for (size_t i = 0; i < bankTypes.size(); ++i)
    {
        const auto& store = *storeFor (bankTypes[i]);

        // A store that nothing changed since it was read from (or written to) its file
        // is not written again: that saves megabytes of writes and disk waits at every
        // close, and an instance that changed nothing does not overwrite what another
        // instance of the same user saved in the meantime.
        const bool unchanged = fileEditCounts[i] != 0 && fileEditCounts[i] == store.getEditCount() && folder == bankFolder;
        if (unchanged && BuiltInBanks::dataFile (bankTypes[i], folder).existsAsFile())
            continue;

        if (BuiltInBanks::saveBank (store, folder) && folder == bankFolder)
            fileEditCounts[i] = store.getEditCount();
    }
}

ObjectStore* InstrumentImage::storeFor (int typeCode) noexcept
{
    return const_cast<ObjectStore*> (static_cast<const InstrumentImage*> (this)->storeFor (typeCode));
}

const ObjectStore* InstrumentImage::storeFor (int typeCode) const noexcept
{
    switch (typeCode)
    {
        case ObjectStore::typeProgram: return &programs;
        case ObjectStore::typeMulti: return &multis;
        case ObjectStore::typeFxChain: return &fxChains;
        default: break;
    }
    for (size_t i = 0; i < listedOnlyTypes.size(); ++i)
        if (listedOnlyTypes[i] == typeCode)
            return &listedOnlyStores[i];
    return nullptr;
}

juce::String InstrumentImage::objectName (int typeCode, int id) const
{
    const juce::ScopedReadLock sl (storeLock);
    if (auto* store = storeFor (typeCode))
        return store->recordName (id);
    return {};
}

ProgramEditBuffers* InstrumentImage::getEditBuffer (int channel) noexcept
{
    return juce::isPositiveAndBelow (channel, numChannels) ? editBuffers[(size_t) channel].get() : nullptr;
}

void InstrumentImage::programEditBlock (int part, int, const juce::MemoryBlock& data)
{
    if (auto* edit = getEditBuffer (part))
    {
        ++programMessages;
        edit->instrumentMessage (ProgramEditBuffers::messageEditBlock, data);
    }
}

void InstrumentImage::programMarked (int part, char mark)
{
    if (auto* edit = getEditBuffer (part))
    {
        programMarks[(size_t) part] = mark;
        ++programMessages;
        edit->instrumentMessage (mark == '#' ? ProgramEditBuffers::messageChanged : ProgramEditBuffers::messageMarked, {});
    }
}

void InstrumentImage::programDataReplaced (int part, const juce::MemoryBlock& data)
{
    if (auto* edit = getEditBuffer (part))
    {
        programMarks[(size_t) part] = '$';
        ++programMessages;
        edit->instrumentMessage (ProgramEditBuffers::messageExtraData, data);
    }
}

void InstrumentImage::multiHeader (const juce::MemoryBlock& header, const juce::MemoryBlock& data)
{
    ++multiMessages;
    multiEdit.multiHeader (header, data);
}

void InstrumentImage::multiBlock1 (const juce::MemoryBlock& data)
{
    ++multiMessages;
    multiEdit.multiBlock1 (data);
}

void InstrumentImage::multiBlock2 (int blockIndex, const juce::MemoryBlock& data)
{
    ++multiMessages;
    multiEdit.multiBlock2 (blockIndex, data);
}

char InstrumentImage::getProgramMark (int part) const
{
    return juce::isPositiveAndBelow (part, numChannels) ? programMarks[(size_t) part].load() : 0;
}

} // namespace zd8

#include "model/BuiltInBanks.h"

#include "link/SafeFileWriter.h"

#include <Zd8Banks.h> // generated: the banks zd8-bankgen wrote, embedded at build time

namespace zd8
{

juce::File BuiltInBanks::dataFolder()
{
    return juce::File::getSpecialLocation (juce::File::userApplicationDataDirectory).getChildFile (folderName);
}

juce::File BuiltInBanks::dataFile (int typeCode, const juce::File& folder)
{
    switch (typeCode)
    {
        case ObjectStore::typeProgram: return folder.getChildFile (programFileName);
        case ObjectStore::typeMulti: return folder.getChildFile (multiFileName);
        case ObjectStore::typeFxChain: return folder.getChildFile (fxChainFileName);
        default: return {};
    }
}

int BuiltInBanks::highestId (int typeCode) noexcept
{
    switch (typeCode)
    {
        case ObjectStore::typeProgram: return programHighestId;
        case ObjectStore::typeMulti: return multiHighestId;
        case ObjectStore::typeFxChain: return fxChainHighestId;
        default: return 0;
    }
}

juce::MemoryBlock BuiltInBanks::builtInBank (int typeCode)
{
    switch (typeCode)
    {
        case ObjectStore::typeProgram: return { Zd8Banks::programs_bank, (size_t) Zd8Banks::programs_bankSize };
        case ObjectStore::typeMulti: return { Zd8Banks::multis_bank, (size_t) Zd8Banks::multis_bankSize };
        case ObjectStore::typeFxChain: return { Zd8Banks::fxchains_bank, (size_t) Zd8Banks::fxchains_bankSize };
        default: return {};
    }
}

juce::MemoryBlock BuiltInBanks::readDataFile (const juce::File& file)
{
    // One read into a block of the file's size: the banks are megabytes, and reading
    // them in small growing pieces cost more than indexing them.
    if (! file.existsAsFile())
        return {};

    juce::FileInputStream in (file);
    if (! in.openedOk())
        return {};

    const auto size = in.getTotalLength();
    if (size <= 0)
        return {};

    juce::MemoryBlock bytes ((size_t) size);
    auto* data = static_cast<char*> (bytes.getData());
    juce::int64 done = 0;
    while (done < size)
    {
        const int n = in.read (data + done, (int) juce::jmin<juce::int64> (size - done, 1 << 30));
        if (n <= 0)
            break;
        done += n;
    }

    if (done < size)
    {
        if (in.getStatus().failed())
            return {}; // unreadable: the built-in bank, as for a missing file
        bytes.setSize ((size_t) done); // the file shrank while it was read
    }
    return bytes;
}

template <typename BuiltIn>
static bool loadBankOr (ObjectStore& store, int typeCode, const juce::File& folder, BuiltIn&& builtIn)
{
    const auto file = BuiltInBanks::dataFile (typeCode, folder);
    if (file == juce::File())
        return false;

    // A missing, unreadable or empty file all read as no bytes.
    auto bytes = BuiltInBanks::readDataFile (file);
    if (bytes.isEmpty())
    {
        store.buildIndex (typeCode, builtIn(), BuiltInBanks::highestId (typeCode));
        return false;
    }

    store.buildIndex (typeCode, std::move (bytes), BuiltInBanks::highestId (typeCode));
    return true;
}

bool BuiltInBanks::loadBank (ObjectStore& store, int typeCode, const juce::File& folder)
{
    return loadBankOr (store, typeCode, folder, [typeCode] { return builtInBank (typeCode); });
}

bool BuiltInBanks::loadBank (ObjectStore& store, int typeCode, const juce::File& folder, const juce::MemoryBlock& builtIn)
{
    return loadBankOr (store, typeCode, folder, [&builtIn]() -> const juce::MemoryBlock& { return builtIn; });
}

bool BuiltInBanks::saveBank (const ObjectStore& store, const juce::File& folder)
{
    const auto file = dataFile (store.getTypeCode(), folder);
    if (file == juce::File())
        return false;
    return SafeFileWriter::write (file, store.getBlock());
}

} // namespace zd8

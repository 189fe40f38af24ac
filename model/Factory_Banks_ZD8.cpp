#include "model/Factory_Banks_ZD8.h"

#include "link/SafeFileWriter.h"

#include <Zd8Banks.h> // generated: the banks zd8-bankgen wrote, embedded at build time

namespace zd8
{

juce::File Factory_Banks_ZD8::dataFolder()
{
    return juce::File::getSpecialLocation (juce::File::userApplicationDataDirectory).getChildFile (folderName);
}

juce::File Factory_Banks_ZD8::dataFile (int typeCode, const juce::File& folder)
{
    switch (typeCode)
    {
        case ObjectStore::typeProgram: return folder.getChildFile (programFileName);
        case ObjectStore::typeMulti: return folder.getChildFile (multiFileName);
        case ObjectStore::typeFxChain: return folder.getChildFile (fxChainFileName);
        default: return {};
    }
}

int Factory_Banks_ZD8::highestId (int typeCode) noexcept
{
    switch (typeCode)
    {
        case ObjectStore::typeProgram: return programHighestId;
        case ObjectStore::typeMulti: return multiHighestId;
        case ObjectStore::typeFxChain: return fxChainHighestId;
        default: return 0;
    }
}

juce::MemoryBlock Factory_Banks_ZD8::builtInBank (int typeCode)
{
    switch (typeCode)
    {
        case ObjectStore::typeProgram: return { Zd8Banks::programs_bank, (size_t) Zd8Banks::programs_bankSize };
        case ObjectStore::typeMulti: return { Zd8Banks::multis_bank, (size_t) Zd8Banks::multis_bankSize };
        case ObjectStore::typeFxChain: return { Zd8Banks::fxchains_bank, (size_t) Zd8Banks::fxchains_bankSize };
        default: return {};
    }
}

void Factory_Banks_ZD8::loadBank (ObjectStore& store, int typeCode, const juce::File& folder)
{
    loadBank (store, typeCode, folder, builtInBank (typeCode));
}

void Factory_Banks_ZD8::loadBank (ObjectStore& store, int typeCode, const juce::File& folder, const juce::MemoryBlock& builtIn)
{
    const auto file = dataFile (typeCode, folder);
    if (file == juce::File())
        return;

    // A missing, unreadable or empty file all read as no bytes.
    juce::MemoryBlock bytes;
    if (file.existsAsFile() && ! file.loadFileAsData (bytes))
        bytes.reset();

    if (bytes.isEmpty())
        store.buildIndex (typeCode, builtIn, highestId (typeCode));
    else
        store.buildIndex (typeCode, std::move (bytes), highestId (typeCode));
}

bool Factory_Banks_ZD8::saveBank (const ObjectStore& store, const juce::File& folder)
{
    const auto file = dataFile (store.getTypeCode(), folder);
    if (file == juce::File())
        return false;
    return SafeFileWriter::write (file, store.getBlock());
}

} // namespace zd8

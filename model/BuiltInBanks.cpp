#include "model/BuiltInBanks.h"

#include "model/BankImageCache.h"

#include "link/SafeFileWriter.h"

#include <algorithm>
#include <cstring>
#include <string>

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

bool BuiltInBanks::isWholeBank (int typeCode, const juce::MemoryBlock& bytes)
{
    const auto* layout = BankLayout::forType (typeCode);
    if (layout == nullptr || ! layout->hasBankTags())
        return false;

    const auto* data = static_cast<const char*> (bytes.getData());
    const size_t size = bytes.getSize();
    size_t position = 0;

    const auto takes = [&] (const char* text, size_t length) {
        if (size - position < length || std::memcmp (data + position, text, length) != 0)
            return false;
        position += length;
        return true;
    };

    const size_t innerOpenLength = std::strlen (layout->innerOpen);
    const size_t bankCloseLength = std::strlen (layout->bankClose);
    if (! takes (layout->bankOpen, std::strlen (layout->bankOpen)))
        return false;

    // The bytes that end the slot of an ID: inner close tag, "<", the stem less its
    // last byte, the four digits.
    std::string closing (layout->innerClose);
    const size_t closingDigits = closing.size() + BankLayout::tagLength;
    closing += '<';
    closing.append (layout->stem, BankLayout::tagLength - 1);
    closing.append ((size_t) BankLayout::idDigits, '0');

    int id = 1;
    for (;; ++id)
    {
        if (size - position == bankCloseLength && takes (layout->bankClose, bankCloseLength))
            return id > 1;
        if (id > BankLayout::highestTaggedId)
            return false;

        char digits[BankLayout::idDigits];
        BankLayout::writeId (id, digits);
        if (! takes (layout->stem, BankLayout::tagLength) || ! takes (digits, sizeof (digits))
            || ! takes (layout->innerOpen, innerOpenLength))
            return false;

        // The content runs to the first closing of this ID (a slot's content never
        // holds its own closing: the store finds records by their tags alike).
        std::memcpy (closing.data() + closingDigits, digits, sizeof (digits));
        const auto* end = std::search (data + position, data + size, closing.begin(), closing.end());
        if (end == data + size)
            return false;
        position = (size_t) (end - data) + closing.size();
    }
}

juce::File BuiltInBanks::setAside (const juce::File& file)
{
    const auto base = file.getFileName() + ".damaged-" + juce::Time::getCurrentTime().formatted ("%Y-%m-%d");
    auto target = file.getSiblingFile (base);
    for (int n = 2; target.exists(); ++n)
        target = file.getSiblingFile (base + "-" + juce::String (n));
    return file.moveFileTo (target) ? target : juce::File();
}

namespace
{
    /** Fills store from the data file of typeCode in folder, or with useBuiltIn. The
        file's image comes from the process's cache (read and indexed only when no
        instance has read it as it stands now). */
    template <typename UseBuiltIn>
    bool loadBankOr (ObjectStore& store, int typeCode, const juce::File& folder, juce::File* setAsideAs, UseBuiltIn&& useBuiltIn)
    {
        if (setAsideAs != nullptr)
            *setAsideAs = juce::File();

        const auto file = BuiltInBanks::dataFile (typeCode, folder);
        if (file == juce::File())
            return false;

        // A missing, unreadable or empty file all read as no bytes. A file that is not
        // a whole bank is kept for the user (and whoever looks into what went wrong),
        // out of the way of the next start; the store is written back to the file's
        // name at the close.
        auto state = BankImageCache::FileState::noBytes;
        const auto image = BankImageCache::instance().fileImage (typeCode, file, BuiltInBanks::highestId (typeCode), state,
                                                                 [setAsideAs] (const juce::File& damaged)
                                                                 {
                                                                     const auto moved = BuiltInBanks::setAside (damaged);
                                                                     if (setAsideAs != nullptr)
                                                                         *setAsideAs = moved != juce::File() ? moved : damaged;
                                                                 });
        if (state != BankImageCache::FileState::wholeBank)
        {
            useBuiltIn();
            return false;
        }

        store.useImage (image);
        return true;
    }
}

bool BuiltInBanks::loadBank (ObjectStore& store, int typeCode, const juce::File& folder, juce::File* setAsideAs)
{
    return loadBankOr (store, typeCode, folder, setAsideAs, [&store, typeCode]
    {
        // One indexed copy of each built-in bank per process, shared by every store
        // until it changes.
        store.useImage (BankImageCache::instance().builtInImage (typeCode, highestId (typeCode), [typeCode] { return builtInBank (typeCode); }));
    });
}

bool BuiltInBanks::loadBank (ObjectStore& store, int typeCode, const juce::File& folder, const juce::MemoryBlock& builtIn,
                             juce::File* setAsideAs)
{
    return loadBankOr (store, typeCode, folder, setAsideAs, [&]
    {
        store.buildIndex (typeCode, builtIn, highestId (typeCode));
    });
}

bool BuiltInBanks::saveBank (const ObjectStore& store, const juce::File& folder)
{
    const auto file = dataFile (store.getTypeCode(), folder);
    if (file == juce::File())
        return false;
    if (! SafeFileWriter::write (file, store.getBlock()))
        return false;
    // What was written is the file's content now: the next open in this process takes
    // it from the cache (the store copies its block before its next change).
    BankImageCache::instance().fileSaved (file, store.shareImage());
    return true;
}

} // namespace zd8

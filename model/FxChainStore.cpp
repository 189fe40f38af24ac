#include "model/FxChainStore.h"

#include "model/EffectCategories.h"

#include <cstring>

namespace zd8
{

namespace
{
    constexpr int listHeaderSize = 4;
    constexpr int listCountLowByte = 3;      // low byte of the 16-bit entry count
    constexpr int listEntryHeaderSize = 8;
    constexpr int entryNameLengthLowByte = 7; // low byte of the 16-bit name length

    /** Byte at position, 0 outside the record. */
    int byteOf (const juce::uint8* record, size_t size, long long position) noexcept
    {
        return position >= 0 && (unsigned long long) position < size ? record[position] : 0;
    }

    int bigEndian16 (const juce::uint8* record, size_t size, long long position) noexcept
    {
        return byteOf (record, size, position) << 8 | byteOf (record, size, position + 1);
    }
}

FxChainStore::FxChainStore() : ObjectStore (typeFxChain)
{
}

//==============================================================================
int FxChainStore::headerPositionOf (const juce::uint8* record, size_t size) noexcept
{
    if (record == nullptr || size <= (size_t) nameLength)
        return -1;

    for (int h = firstHeaderPosition; h <= lastHeaderPosition; ++h)
        if (byteOf (record, size, h) == settingsMark && byteOf (record, size, h - 1) == 0
            && byteOf (record, size, h - 2) == 0)
            return h;
    return -1;
}

FxChainStore::DecodedChain FxChainStore::decode (const juce::uint8* record, size_t size) noexcept
{
    DecodedChain chain;
    chain.headerPosition = headerPositionOf (record, size);
    if (chain.headerPosition < 0)
        return chain;

    const int h = chain.headerPosition;
    chain.effectCount = (int) (juce::int8) byteOf (record, size, h + settingsSize);

    // At most 127 entries of at most 8 + 2 * 65535 bytes: p stays far below INT_MAX.
    int p = h + settingsSize + 1;
    for (int i = 0; i < chain.effectCount; ++i)
    {
        chain.effectStart[(size_t) i] = p;
        chain.algorithm[(size_t) i] = bigEndian16 (record, size, p);
        chain.effectSize[(size_t) i] = effectHeaderSize + 2 * bigEndian16 (record, size, p + parameterCountOffset);
        p += chain.effectSize[(size_t) i];
    }
    chain.listPosition = p;
    return chain;
}

int FxChainStore::nameListLength (const juce::uint8* record, size_t size, int position) noexcept
{
    const int count = byteOf (record, size, (long long) position + listCountLowByte);
    long long q = (long long) position + listHeaderSize;
    for (int i = 0; i < count; ++i)
        q += listEntryHeaderSize + byteOf (record, size, q + entryNameLengthLowByte);
    return (int) (q - position); // at most 4 + 255 * (8 + 255)
}

juce::MemoryBlock FxChainStore::nameListOf (const juce::uint8* record, size_t size, const DecodedChain& chain)
{
    if (chain.headerPosition < 0)
        return {};

    const int position = chain.listPosition;
    const int length = nameListLength (record, size, position);
    juce::MemoryBlock list ((size_t) length, true);
    if ((size_t) position < size)
        std::memcpy (list.getData(), record + position, juce::jmin ((size_t) length, size - (size_t) position));
    return list;
}

//==============================================================================
const juce::uint8* FxChainStore::recordContent (int chainId, size_t& size) const noexcept
{
    size = 0;
    const int offset = recordOffset (chainId); // -1 unless the record is present
    const int length = recordLength (chainId);
    const auto& block = getBlock();
    if (offset < 0 || length <= nameLength || (size_t) offset + (size_t) length > block.getSize())
        return nullptr;

    size = (size_t) length;
    return static_cast<const juce::uint8*> (block.getData()) + offset;
}

int FxChainStore::headerPosition (int chainId) const
{
    size_t size = 0;
    const auto* record = recordContent (chainId, size);
    return headerPositionOf (record, size);
}

void FxChainStore::decodeChain (int chainId)
{
    size_t size = 0;
    const auto* record = recordContent (chainId, size);
    const auto chain = decode (record, size);

    std::lock_guard<std::mutex> g (decodedLock);
    decoded = chain;
}

FxChainStore::DecodedChain FxChainStore::getDecodedChain() const
{
    std::lock_guard<std::mutex> g (decodedLock);
    return decoded;
}

juce::MemoryBlock FxChainStore::parameterNameList (int chainId) const
{
    size_t size = 0;
    const auto* record = recordContent (chainId, size);
    const auto chain = decode (record, size);
    {
        std::lock_guard<std::mutex> g (decodedLock);
        decoded = chain;
    }
    return nameListOf (record, size, chain);
}

juce::String FxChainStore::shortCode (int algorithmId) const
{
    return AlgorithmShortCodes::shortCode (algorithmId);
}

//==============================================================================
std::vector<int> FxChainStore::chainsOfCategory (const juce::String& categoryName) const
{
    return chainsOfCategory (Categories::effectCategoryIndex (categoryName));
}

std::vector<int> FxChainStore::chainsOfCategory (int categoryIndex) const
{
    if (categoryIndex < 1 || categoryIndex > Categories::effectCategoryCount)
        return {};

    std::lock_guard<std::mutex> g (categoryLock);
    if (! categoriesBuilt)
    {
        buildCategoryLists();
        categoriesBuilt = true;
    }
    return categoryLists[(size_t) categoryIndex - 1];
}

void FxChainStore::buildCategoryLists() const
{
    shortCodes = AlgorithmShortCodes::table();

    for (int id = 0; id <= lastCategorisedChain; ++id)
    {
        size_t size = 0;
        const auto* record = recordContent (id, size);
        if (record == nullptr)
            continue;

        const auto chain = decode (record, size);
        if (chain.headerPosition < 0 || chain.effectCount < 1 || chain.effectCount > maxCategorisedEffects)
            continue;

        for (int i = 0; i < chain.effectCount; ++i)
        {
            const auto mask = EffectCategories::categoryMask (AlgorithmShortCodes::entry (shortCodes, chain.algorithm[(size_t) i]));
            for (int c = 1; c <= Categories::effectCategoryCount; ++c)
                if ((mask >> c) & 1u)
                    categoryLists[(size_t) c - 1].push_back (id);
        }
    }
}

} // namespace zd8

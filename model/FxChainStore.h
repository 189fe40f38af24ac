#pragma once

#include "model/AlgorithmShortCodes.h"
#include "model/Categories.h"
#include "model/ObjectStore.h"

#include <array>
#include <cstdint>
#include <mutex>
#include <vector>

namespace zd8
{

/** Every FX chain the plug-in knows (an ObjectStore of type 156), a decoder for one
    chain at a time, the algorithm short codes and the effect-category lists of the
    FX chain chooser.

    Chain record content (big-endian 16-bit numbers):
        0..19      name, blank-padded
        20..H-1    chain header; H is the first position 20..59 whose byte is 0x14 with
                   zero bytes at H-1 and H-2
        H..H+348   chain settings (not interpreted)
        H+349      effect count N, a signed byte
        H+350      N effect entries: algorithm ID at 0..1, parameter count P at 6..7,
                   8 + 2P bytes long
        then       the parameter name list (the layout programs use for their own list)
    Every read of a chain treats bytes beyond its record as 0, so damaged records decode
    to something harmless and are never read past.

    Threads: the decoded chain is guarded by a brief lock, so parameterNameList() may be
    called from the MIDI input thread (program selection) while the message thread
    decodes too; its result depends only on the store's bytes. The store's bytes
    themselves are not locked here: the image keeps writers (received chains, loading)
    apart from readers. The category lists are built and read on the message thread
    (their own lock makes a stray call from elsewhere safe, not fast). */
class FxChainStore : public ObjectStore
{
public:
    static constexpr int firstHeaderPosition = nameLength;  // 20
    static constexpr int lastHeaderPosition = 59;
    static constexpr juce::uint8 settingsMark = 0x14;
    static constexpr int settingsSize = 349;                // the effect count follows
    static constexpr int effectHeaderSize = 8;
    static constexpr int parameterCountOffset = 6;          // within an effect entry
    /** The count byte is signed: no chain holds more effects than this. */
    static constexpr int maxEffects = 127;
    /** Chains with more effects than this are in no effect category. */
    static constexpr int maxCategorisedEffects = 15;
    /** The category lists cover chain IDs 0..lastCategorisedChain. */
    static constexpr int lastCategorisedChain = 8119;

    /** One chain decoded. */
    struct DecodedChain
    {
        /** H, or -1 when the chain has no header (then everything else is 0). */
        int headerPosition = -1;
        /** The signed count byte as stored; entries exist for 0..effectCount-1. */
        int effectCount = 0;
        std::array<int, maxEffects> effectStart {};
        std::array<int, maxEffects> algorithm {};
        std::array<int, maxEffects> effectSize {};
        /** Where the parameter name list starts (0 without a header); may lie beyond
            the record. */
        int listPosition = 0;
    };

    FxChainStore();

    /** H of chain chainId, or -1 when the record is not present (length <= 20) or no
        position 20..59 qualifies. */
    int headerPosition (int chainId) const;

    /** Decodes chain chainId into the decoded chain; a chain without a header (or
        without a record) decodes to no effects and list position 0. */
    void decodeChain (int chainId);

    /** A copy of the last chain decoded (by decodeChain or parameterNameList). */
    DecodedChain getDecodedChain() const;

    /** Decodes the chain, then returns the bytes of its parameter name list: the list's
        measured length from its position, bytes beyond the record as 0. Empty when the
        chain has no header. Any thread (see above). */
    juce::MemoryBlock parameterNameList (int chainId) const;

    /** The four characters of the algorithm's short code ("Dly " keeps its blank);
        empty text for an ID outside 0..1500. */
    juce::String shortCode (int algorithmId) const;

    /** The chain IDs of an effect category ("Reverb" .. "EQ"), built from the whole
        store on the first request and never rebuilt. A chain stands once for every
        effect that puts it into the category. Any other name gives an empty list. */
    std::vector<int> chainsOfCategory (const juce::String& categoryName) const;
    /** The same by category index 1..17 (Categories::effectCategoryName). */
    std::vector<int> chainsOfCategory (int categoryIndex) const;

    //==============================================================================
    // Pure decoding of one record's content (name first); bytes at or beyond size read
    // as 0. Usable on any bytes, from any thread.
    static int headerPositionOf (const juce::uint8* record, size_t size) noexcept;
    static DecodedChain decode (const juce::uint8* record, size_t size) noexcept;
    /** The parameter name list of a decoded record, as parameterNameList() returns it. */
    static juce::MemoryBlock nameListOf (const juce::uint8* record, size_t size, const DecodedChain& chain);
    /** Length of the name list at position: 4 when its count's low byte is 0, else 4 plus
        8 + n for each entry, n the low byte of the entry's name length. */
    static int nameListLength (const juce::uint8* record, size_t size, int position) noexcept;

private:
    /** The content of a present record in place, or nullptr. */
    const juce::uint8* recordContent (int chainId, size_t& size) const noexcept;
    void buildCategoryLists() const;

    // Built on the first request, under the lock: a cache, not the store's content.
    mutable std::array<std::vector<int>, Categories::effectCategoryCount> categoryLists;
    mutable AlgorithmShortCodes::Table shortCodes {};
    mutable bool categoriesBuilt = false;
    mutable std::mutex categoryLock;

    mutable std::mutex decodedLock;
    mutable DecodedChain decoded;
};

} // namespace zd8

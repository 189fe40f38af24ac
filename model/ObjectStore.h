#pragma once

#include "model/BankLayout.h"

#include <juce_events/juce_events.h>

#include <memory>
#include <vector>

namespace zd8
{

/** One store of the instrument image: a single byte block holding every object of one
    kind as a tagged record (the layout of the built-in banks and of the data files),
    with an index from object ID to the record's place in the block.

    Record content: a 20-byte blank-padded name, then the object's data as the
    instrument sends it (big-endian numbers). Every read outside the block yields the
    empty result (0, -1, empty text or an empty block); replace and remove on an ID
    without a slot do nothing.

    An ID's record runs from its offset to the next ID's offset less the tags, so the
    highest indexed ID never holds content, and an ID whose own tag or whose next ID's
    tag is missing from the block has no record.

    Threads: the store has no lock of its own; the image serialises access. Every
    change (indexing, replace, remove) is broadcast and counted (getEditCount), so the
    owner can tell whether the block still holds what it was filled with. */
class ObjectStore : public juce::ChangeBroadcaster
{
public:
    static constexpr int nameLength = 20;

    // Object type codes.
    static constexpr int typeIntonationTable = 103;
    static constexpr int typeSong = 112;
    static constexpr int typeKeymap = 133;
    static constexpr int typeProgram = 138;
    static constexpr int typeAlgorithm = 149;
    static constexpr int typeFxPreset = 151;
    static constexpr int typeMulti = 155;
    static constexpr int typeFxChain = 156;
    static constexpr int typeSample = 158;
    static constexpr int typeShiftPattern = 163;
    static constexpr int typeVelocityPattern = 164;
    static constexpr int typeArpeggiator = 168;

    // listIds modes.
    static constexpr int listEvery = 0;
    static constexpr int listRange = 1;      // argument 0 factory, 1 user, 100 every user slot
    static constexpr int listCategory = 2;
    static constexpr int listPresent = 4;
    static constexpr int rangeFactory = 0;
    static constexpr int rangeUser = 1;
    static constexpr int rangeUserSlots = 100;
    static constexpr int firstUserId = 4096;
    /** Every bank, built-in or started empty, has tagged slots for IDs 1..8192. */
    static constexpr int bankSlots = 8192;

    /** Four digits write IDs up to 9999 and the index reaches one ID past the highest
        asked for, so a larger highest ID is taken as this one. */
    static constexpr int maxHighestId = BankLayout::highestTaggedId - 1;
    /** Offsets are 32-bit: a larger block is kept but not indexed (it has no records),
        and a replacement that would grow the block past this is refused. */
    static constexpr size_t maxBlockSize = 1u << 30;

    ObjectStore() = default;
    explicit ObjectStore (int typeCode) : typeCode (typeCode) {}

    /** Copies block into the store and indexes it as a bank of type typeCode with IDs
        1..highestId (slot count highestId + 1), in one forward pass. A type without tags
        (FX Preset) or an unknown type gives an empty store. */
    void buildIndex (int typeCode, const juce::MemoryBlock& block, int highestId);
    /** The same, taking the block over without a copy. */
    void buildIndex (int typeCode, juce::MemoryBlock&& block, int highestId);
    /** The same as buildIndex (typeCode, emptyBank (typeCode, bankSlots), bankSlots - 1),
        but taken from an image that is built once per process and type: the stores
        that start empty cost no pass over 8192 tags at every open, and they share the
        image's block and index until their first replace or removal. */
    void buildEmptyBank (int typeCode);

    /** A store's content as it stood once indexed: the block and its index, read-only
        for as long as any store shares them. Stores of one process share an image
        (BankImageCache) instead of each holding a copy of a bank of megabytes. */
    struct Image
    {
        std::shared_ptr<const juce::MemoryBlock> block;
        std::shared_ptr<const std::vector<int>> offsets;
        int typeCode = 0;
        int highestId = -1;
        int indexedSize = 0;

        bool isEmpty() const noexcept { return block == nullptr; }
    };

    /** The store's content as an image others may share. From now on the store copies
        its block (and its index) before its next change, so the image stays as it is.
        The store's content and edit count do not change. */
    Image shareImage() const;
    /** The store takes image's content (counted as an indexing, like buildIndex),
        sharing its block and index until its first replace or removal. An empty image
        gives an empty store of type 0. */
    void useImage (const Image& image);
    /** Whether the store's block is one it shares with an image (no change since it
        took or gave one). */
    bool sharesImage() const noexcept { return shared; }

    /** Content length of record id (name + data), never negative; 0 for an empty slot,
        an ID without a record and the highest indexed ID. */
    int recordLength (int id) const noexcept;
    /** Block position of record id's content, or -1 when it holds no more than a name. */
    int recordOffset (int id) const noexcept;
    /** Copy of the whole content when it is at least 24 bytes long, else empty. */
    juce::MemoryBlock readRecord (int id) const;
    /** length bytes from content position; empty unless the slot spans at least the
        20 name bytes and all of them lie inside the block. The bytes may run past the
        content into the tags that follow. */
    juce::MemoryBlock readBytes (int id, int position, int length) const;
    /** Content byte (0..255) at position, or 0 unless the slot spans at least 50 bytes
        with its tags and the byte lies inside the block. */
    int byteAt (int id, int position) const noexcept;
    /** The 20 name bytes as text, leaving out every byte that is 0 or above 127; empty
        when the content is shorter than 25 bytes. */
    juce::String recordName (int id) const;
    /** Main-category text of a program (content byte 30, as a signed byte) when its
        content is longer than 23 bytes; empty for other stores. */
    juce::String categoryName (int id) const;
    /** Ascending IDs, N being the slot count:
        listEvery: 1..N, present or not;
        listRange with argument 0: present IDs below 4096; 1: present IDs 4096..N;
        100: every ID 4096..N; other arguments: none;
        listCategory with argument c: IDs 0..N-1 whose byte at the category offset,
        signed, is c (an empty slot reads 0, so c = 0 lists the empty slots and ID 0);
        listPresent: present IDs 1..N; every other mode: none. */
    std::vector<int> listIds (int mode, int argument) const;
    /** A record is present when it holds more than its name. */
    bool isPresent (int id) const noexcept { return recordLength (id) > nameLength; }

    /** The content of record id becomes prefix followed by data (the transfer puts the
        20-byte name in front of the received object). Nothing happens when id has no
        slot in the block. */
    void replaceRecord (int id, const void* data, size_t size, const void* prefix = nullptr, size_t prefixSize = 0);
    void replaceRecord (int id, const juce::MemoryBlock& data, const juce::MemoryBlock& prefix = {});
    /** Deletes record id's content; the slot and its tags stay. */
    void removeRecord (int id);

    const juce::MemoryBlock& getBlock() const noexcept { return *block; }
    int getTypeCode() const noexcept { return typeCode; }
    int getSlotCount() const noexcept { return slotCount; }
    int getCategoryOffset() const noexcept { return categoryOffset; }
    int getSubCategoryOffset() const noexcept { return subCategoryOffset; }
    /** Size of the block when it was indexed (replace and remove change the block). */
    int getIndexedSize() const noexcept { return indexedSize; }
    /** Rises with every indexing, every replace on an ID that has a slot and every
        removal of content; a call that changes nothing leaves it. Equal counts mean
        the same content. */
    std::uint64_t getEditCount() const noexcept { return editCount; }

    /** The tag texts of a type: bank open/close tags (empty for the auxiliary kinds),
        the 10-byte open-tag stem, inner tags (empty when none), and the record
        parameters. */
    using Tags = BankLayout;

    /** nullptr for a type without tags (151) or an unknown type. */
    static const Tags* tagsFor (int typeCode) noexcept { return BankLayout::forType (typeCode); }

    /** A block of the given type with empty tagged slots for IDs 1..slots (what a
        store that has received nothing yet holds). */
    static juce::MemoryBlock emptyBank (int typeCode, int slots);

private:
    /** offsets[id + 1] - offsets[id] (content plus tags), or -1 when either is missing. */
    int slotSpan (int id) const noexcept;
    bool inBlock (int64_t position, int64_t length) const noexcept;
    void shiftOffsetsAfter (int id, int delta) noexcept;
    void resetIndex (int typeCode, int highestId) noexcept;
    /** The block, made this store's own (with its index) first when it is shared. */
    juce::MemoryBlock& ownBlock();
    /** The index, which ownBlock has made this store's own: only after ownBlock. */
    std::vector<int>& ownOffsets() noexcept { return *offsets; }
    const std::vector<int>& index() const noexcept { return *offsets; }

    // Never null, never made const (an image's are only seen as const). While shared
    // (taken from an image or given as one) neither is written: the first change copies
    // both (ownBlock). shared is read and set by writers and by shareImage, which the
    // instrument image's lock keeps apart.
    std::shared_ptr<juce::MemoryBlock> block = std::make_shared<juce::MemoryBlock>();
    std::shared_ptr<std::vector<int>> offsets = std::make_shared<std::vector<int>>();
    mutable bool shared = false;
    int typeCode = 0;
    int indexedSize = 0;
    int slotCount = 0;
    int categoryOffset = 0, subCategoryOffset = 0;
    int nameSkip = 0, tagOverhead = 0;
    std::uint64_t editCount = 0;
};

} // namespace zd8

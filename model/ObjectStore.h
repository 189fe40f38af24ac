#pragma once

#include <juce_events/juce_events.h>

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

    Threads: the store has no lock of its own; the image serialises access. */
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

    ObjectStore() = default;
    explicit ObjectStore (int typeCode) : typeCode (typeCode) {}

    /** Indexes block as a bank of type typeCode with IDs 1..highestId, in one forward
        pass. */
    void buildIndex (int typeCode, const juce::MemoryBlock& block, int highestId);

    int recordLength (int id) const noexcept;
    int recordOffset (int id) const noexcept;
    juce::MemoryBlock readRecord (int id) const;
    juce::MemoryBlock readBytes (int id, int position, int length) const;
    int byteAt (int id, int position) const noexcept;
    juce::String recordName (int id) const;
    /** Main-category text of a program (content byte 30); empty for other stores. */
    juce::String categoryName (int id) const;
    std::vector<int> listIds (int mode, int argument) const;
    bool isPresent (int id) const noexcept { return recordLength (id) > nameLength; }

    void replaceRecord (int id, const void* data, size_t size, const void* prefix = nullptr, size_t prefixSize = 0);
    void removeRecord (int id);

    const juce::MemoryBlock& getBlock() const noexcept { return block; }
    int getTypeCode() const noexcept { return typeCode; }
    int getSlotCount() const noexcept { return slotCount; }
    int getCategoryOffset() const noexcept { return categoryOffset; }
    int getSubCategoryOffset() const noexcept { return subCategoryOffset; }

    /** The tag texts of a type: bank open/close tags (empty for the auxiliary kinds),
        the 10-byte open-tag stem, inner tags (empty when none). */
    struct Tags
    {
        const char* bankOpen;
        const char* bankClose;
        const char* stem;
        const char* innerOpen;
        const char* innerClose;
        int nameSkip, tagOverhead, categoryOffset, subCategoryOffset;
    };

    /** nullptr for a type without tags (151) or an unknown type. */
    static const Tags* tagsFor (int typeCode) noexcept;

    /** A block of the given type with empty tagged slots for IDs 1..slots (what a
        store that has received nothing yet holds). */
    static juce::MemoryBlock emptyBank (int typeCode, int slots);

private:
    juce::MemoryBlock block;
    int typeCode = 0;
    std::vector<int> offsets;
    int indexedSize = 0;
    int slotCount = 0;
    int categoryOffset = 0, subCategoryOffset = 0;
    int nameSkip = 0, tagOverhead = 0;
};

} // namespace zd8

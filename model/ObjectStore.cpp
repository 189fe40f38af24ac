#include "model/ObjectStore.h"

#include "model/Categories.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <iterator>
#include <mutex>

namespace zd8
{

namespace
{
constexpr int categoryNameMinLength = 24;  // content longer than 23 bytes has a category
constexpr int readRecordMinLength = 24;
constexpr int recordNameMinLength = 25;
constexpr int readBytesMinSpan = 20;       // offsets[id + 1] - offsets[id], tags included
constexpr int byteAtMinSpan = 50;

/** Calls visit (id, position) for every record open tag of the stem (stem + four ASCII
    digits, wholly inside the block), in block order.

    Scans once with memchr for the stem's last byte ('>') and checks the bytes before
    it: that byte is rare in object data, so this runs at close to memchr's speed. A
    stem has no border (no proper prefix equal to a suffix), so tags never overlap and
    each one is seen exactly once. */
template <typename Visit>
void forEachRecordTag (const juce::uint8* data, size_t size, const char* stem, Visit&& visit)
{
    constexpr size_t stemLength = (size_t) BankLayout::tagLength;
    if (size < (size_t) BankLayout::recordTagLength)
        return;

    const int last = (juce::uint8) stem[stemLength - 1];
    const juce::uint8* p = data + stemLength - 1;
    const juce::uint8* const end = data + size - BankLayout::idDigits; // the digits must fit after p

    while (p < end)
    {
        p = static_cast<const juce::uint8*> (std::memchr (p, last, (size_t) (end - p)));
        if (p == nullptr)
            return;

        const juce::uint8* start = p - (stemLength - 1);
        if (std::memcmp (start, stem, stemLength - 1) == 0)
        {
            const int id = BankLayout::readId (p + 1);
            if (id >= 0)
                visit (id, (int) (start - data));
        }
        ++p;
    }
}

/** The offsets of IDs 1..highestId + 1 in a block of the layout's type (entry 0 and
    the IDs whose tags are not found are 0). */
std::vector<int> indexOffsets (const juce::uint8* data, size_t size, const BankLayout& layout, int highestId)
{
    // Entries 0..highestId + 1: the index reaches one ID past the highest asked for, so
    // that the highest ID's record has an end.
    const int lastId = highestId + 1;
    std::vector<int> offsets ((size_t) lastId + 1, 0);

    // One scan collects every tag of the stem; the tags are then put into one bucket
    // per ID (their positions stay ascending inside a bucket). Indexing then asks, ID
    // after ID, for the first tag of that ID at or after the search position, which
    // only moves forward: a missing or out-of-order tag costs one lookup, not a scan.
    std::vector<int> bucketStart ((size_t) lastId + 2, 0);
    std::vector<std::pair<int, int>> hits;
    hits.reserve ((size_t) lastId + 1);

    forEachRecordTag (data, size, layout.stem, [&] (int id, int position)
    {
        if (id >= 1 && id <= lastId)
        {
            hits.emplace_back (id, position);
            ++bucketStart[(size_t) id + 1];
        }
    });

    for (size_t i = 1; i < bucketStart.size(); ++i)
        bucketStart[i] += bucketStart[i - 1];

    std::vector<int> positions (hits.size());
    {
        auto fill = bucketStart;
        for (const auto& [id, position] : hits)
            positions[(size_t) fill[(size_t) id]++] = position;
    }

    int searchPosition = 0;
    for (int id = 1; id <= lastId; ++id)
    {
        const auto first = positions.begin() + bucketStart[(size_t) id];
        const auto last = positions.begin() + bucketStart[(size_t) id + 1];
        const auto hit = std::lower_bound (first, last, searchPosition);
        if (hit != last)
        {
            offsets[(size_t) id] = *hit + layout.nameSkip;
            searchPosition = offsets[(size_t) id];
        }
    }

    return offsets;
}

} // namespace

void ObjectStore::buildIndex (int type, const juce::MemoryBlock& source, int highestId)
{
    buildIndex (type, juce::MemoryBlock (source), highestId);
}

void ObjectStore::resetIndex (int type, int highestId) noexcept
{
    ++editCount;
    offsets = std::make_shared<std::vector<int>>();
    shared = false;
    indexedSize = 0;
    nameSkip = tagOverhead = categoryOffset = subCategoryOffset = 0;

    typeCode = type;
    slotCount = juce::jlimit (-1, maxHighestId, highestId) + 1;

    if (const auto* layout = tagsFor (type))
    {
        nameSkip = layout->nameSkip;
        tagOverhead = layout->tagOverhead;
        categoryOffset = layout->categoryOffset;
        subCategoryOffset = layout->subCategoryOffset;
    }
}

void ObjectStore::buildIndex (int type, juce::MemoryBlock&& source, int highestId)
{
    resetIndex (type, highestId);
    block = std::make_shared<juce::MemoryBlock>();

    const auto* layout = tagsFor (type);
    if (layout == nullptr)
    {
        sendChangeMessage();
        return;
    }

    block = std::make_shared<juce::MemoryBlock> (std::move (source));
    if (block->getSize() > maxBlockSize || slotCount < 1)
    {
        sendChangeMessage();
        return;
    }
    indexedSize = (int) block->getSize();
    *offsets = indexOffsets (static_cast<const juce::uint8*> (block->getData()), block->getSize(), *layout, slotCount - 1);
    sendChangeMessage();
}

void ObjectStore::buildEmptyBank (int type)
{
    const auto* layout = tagsFor (type);
    if (layout == nullptr)
    {
        buildIndex (type, juce::MemoryBlock(), bankSlots - 1);
        return;
    }

    // The empty bank of each type, indexed, made once per process on first use and
    // never changed afterwards (call_once: hosts may open instances on several
    // threads). Every store shares it until it writes to it (ownBlock).
    static std::array<std::once_flag, std::size (bankLayouts)> made;
    static std::array<Image, std::size (bankLayouts)> images;

    const auto i = (size_t) (layout - bankLayouts);
    std::call_once (made[i], [&]
    {
        ObjectStore filled;
        filled.buildIndex (type, emptyBank (type, bankSlots), bankSlots - 1);
        images[i] = filled.shareImage();
    });

    useImage (images[i]);
}

ObjectStore::Image ObjectStore::shareImage() const
{
    shared = true;
    return { block, offsets, typeCode, slotCount - 1, indexedSize };
}

void ObjectStore::useImage (const Image& image)
{
    if (image.isEmpty() || image.offsets == nullptr)
    {
        buildIndex (0, juce::MemoryBlock(), -1);
        return;
    }

    resetIndex (image.typeCode, image.highestId);
    // Never written while shared: ownBlock copies both before the first change.
    block = std::const_pointer_cast<juce::MemoryBlock> (image.block);
    offsets = std::const_pointer_cast<std::vector<int>> (image.offsets);
    indexedSize = image.indexedSize;
    shared = true;
    sendChangeMessage();
}

juce::MemoryBlock& ObjectStore::ownBlock()
{
    // A block shared with an image (which other stores, maybe on other threads, read
    // at the same time) is copied with its index before the first write. The flag, not
    // the pointers' use counts, decides: a count read alone does not order the other
    // owners' reads before this store's writes.
    if (shared)
    {
        block = std::make_shared<juce::MemoryBlock> (*block);
        offsets = std::make_shared<std::vector<int>> (*offsets);
        shared = false;
    }
    return *block;
}

int ObjectStore::slotSpan (int id) const noexcept
{
    if (id < 0 || (size_t) id + 1 >= index().size())
        return -1;

    const int start = index()[(size_t) id];
    const int next = index()[(size_t) id + 1];
    if (start == 0 || next == 0)
        return -1;
    return next - start;
}

bool ObjectStore::inBlock (int64_t position, int64_t length) const noexcept
{
    return position >= 0 && length >= 0 && position + length <= (int64_t) block->getSize();
}

int ObjectStore::recordLength (int id) const noexcept
{
    const int span = slotSpan (id);
    return span < 0 ? 0 : std::max (0, span - tagOverhead);
}

int ObjectStore::recordOffset (int id) const noexcept
{
    return recordLength (id) > nameLength ? index()[(size_t) id] : -1;
}

juce::MemoryBlock ObjectStore::readRecord (int id) const
{
    const int length = recordLength (id);
    if (length < readRecordMinLength || ! inBlock (index()[(size_t) id], length))
        return {};
    return { static_cast<const char*> (block->getData()) + index()[(size_t) id], (size_t) length };
}

juce::MemoryBlock ObjectStore::readBytes (int id, int position, int length) const
{
    if (slotSpan (id) < readBytesMinSpan || length <= 0 || position < 0)
        return {};

    const int64_t start = (int64_t) index()[(size_t) id] + position;
    if (! inBlock (start, length))
        return {};
    return { static_cast<const char*> (block->getData()) + start, (size_t) length };
}

int ObjectStore::byteAt (int id, int position) const noexcept
{
    if (slotSpan (id) < byteAtMinSpan || position < 0)
        return 0;

    const int64_t at = (int64_t) index()[(size_t) id] + position;
    return inBlock (at, 1) ? (int) static_cast<const juce::uint8*> (block->getData())[at] : 0;
}

juce::String ObjectStore::recordName (int id) const
{
    if (recordLength (id) < recordNameMinLength || ! inBlock (index()[(size_t) id], nameLength))
        return {};

    // Zeros and bytes above 127 (negative as signed bytes) are left out: the
    // instrument pads with blanks, and anything else is not text.
    const auto* bytes = static_cast<const juce::uint8*> (block->getData()) + index()[(size_t) id];
    char text[nameLength];
    size_t count = 0;
    for (int i = 0; i < nameLength; ++i)
        if ((juce::int8) bytes[i] > 0)
            text[count++] = (char) bytes[i];
    return juce::String (text, count);
}

juce::String ObjectStore::categoryName (int id) const
{
    if (typeCode != typeProgram || recordLength (id) < categoryNameMinLength)
        return {};
    return Categories::mainCategoryName (byteAt (id, categoryOffset));
}

std::vector<int> ObjectStore::listIds (int mode, int argument) const
{
    std::vector<int> ids;
    const int n = slotCount;

    auto addPresent = [&] (int from, int to)
    {
        for (int id = std::max (from, 0); id <= to; ++id)
            if (isPresent (id))
                ids.push_back (id);
    };

    switch (mode)
    {
        case listEvery:
            for (int id = 1; id <= n; ++id)
                ids.push_back (id);
            break;

        case listRange:
            if (argument == rangeFactory)
                addPresent (0, std::min (firstUserId - 1, n));
            else if (argument == rangeUser)
                addPresent (firstUserId, n);
            else if (argument == rangeUserSlots)
                for (int id = firstUserId; id <= n; ++id)
                    ids.push_back (id);
            break;

        case listCategory:
            for (int id = 0; id < n; ++id)
                if (byteAt (id, categoryOffset) == argument)
                    ids.push_back (id);
            break;

        case listPresent:
            addPresent (1, n);
            break;

        default:
            break;
    }
    return ids;
}

void ObjectStore::shiftOffsetsAfter (int id, int delta) noexcept
{
    auto& own = ownOffsets();
    for (size_t k = (size_t) id + 1; k < offsets->size(); ++k)
        if (own[k] != 0)
            own[k] += delta;
}

void ObjectStore::removeRecord (int id)
{
    const int length = recordLength (id);
    if (length <= 0 || ! inBlock (index()[(size_t) id], length))
        return;

    ownBlock().removeSection ((size_t) index()[(size_t) id], (size_t) length);
    shiftOffsetsAfter (id, -length);
    ++editCount;
    sendChangeMessage();
}

void ObjectStore::replaceRecord (int id, const void* data, size_t size, const void* prefix, size_t prefixSize)
{
    if (id < 0 || (size_t) id >= index().size() || index()[(size_t) id] == 0)
        return; // no slot: a store never grows new ones
    if ((data == nullptr && size > 0) || (prefix == nullptr && prefixSize > 0))
        return;

    const int position = index()[(size_t) id];
    const int oldLength = recordLength (id);
    if (! inBlock (position, oldLength))
        return;

    const size_t added = prefixSize + size;
    if (added < size || added > maxBlockSize || block->getSize() - (size_t) oldLength + added > maxBlockSize)
        return;

    auto& own = ownBlock();
    if (oldLength > 0)
        own.removeSection ((size_t) position, (size_t) oldLength);
    if (prefixSize > 0)
        own.insert (prefix, prefixSize, (size_t) position);
    if (size > 0)
        own.insert (data, size, (size_t) position + prefixSize);

    shiftOffsetsAfter (id, (int) added - oldLength);
    ++editCount;
    sendChangeMessage();
}

void ObjectStore::replaceRecord (int id, const juce::MemoryBlock& data, const juce::MemoryBlock& prefix)
{
    replaceRecord (id, data.getData(), data.getSize(), prefix.getData(), prefix.getSize());
}

juce::MemoryBlock ObjectStore::emptyBank (int type, int slots)
{
    const auto* layout = tagsFor (type);
    if (layout == nullptr)
        return {};

    slots = juce::jlimit (0, BankLayout::highestTaggedId, slots);
    std::vector<std::uint8_t> bytes;
    bytes.reserve ((size_t) slots * (size_t) layout->tagOverhead + 2 * BankLayout::tagLength);
    layout->appendBankOpen (bytes);
    for (int id = 1; id <= slots; ++id)
        layout->appendRecord (bytes, id, nullptr, 0);
    layout->appendBankClose (bytes);
    return { bytes.data(), bytes.size() };
}

} // namespace zd8

#include "model/ProgramStore.h"

#include "model/ParameterNameList.h"
#include "model/VirtualParameterTable.h"

namespace zd8
{

namespace
{
    /** size bytes from position, cut at the end of content. */
    juce::MemoryBlock bytesWithin (const juce::MemoryBlock& content, size_t position, size_t size)
    {
        if (position >= content.getSize())
            return {};
        return juce::MemoryBlock (static_cast<const char*> (content.getData()) + position,
                                  juce::jmin (size, content.getSize() - position));
    }

    constexpr int assignmentCountPosition = 2;
}

juce::MemoryBlock ProgramStore::content (int id) const
{
    if (! isPresent (id))
        return {};
    return readBytes (id, 0, recordLength (id));
}

juce::String ProgramStore::programName (int id) const
{
    if (! isPresent (id))
        return {};
    return nameOf (readBytes (id, 0, nameLength));
}

juce::String ProgramStore::modeText (int id) const
{
    if (! isPresent (id))
        return {};
    const int mode = recordLength (id) > modeOffset ? byteAt (id, modeOffset) : 0;
    return mode == modeTw7 ? "TW7" : "LAYRA";
}

juce::MemoryBlock ProgramStore::commonBlock (int id) const
{
    if (! isPresent (id))
        return {};
    return commonBlockOf (content (id));
}

juce::MemoryBlock ProgramStore::commonBlockForSending (int id) const
{
    if (! isPresent (id))
        return {};
    auto record = content (id);
    auto block = commonBlockOf (record);
    block.append (record.getData(), (size_t) nameLength); // present records hold more than the name
    return block;
}

juce::MemoryBlock ProgramStore::nameListForSending (int id) const
{
    return nameListOf (content (id));
}

juce::MemoryBlock ProgramStore::assignmentListForSending (int id) const
{
    return assignmentListOf (content (id));
}

int ProgramStore::layerAreaEnd (int id) const
{
    if (! isPresent (id))
        return -1;
    const int count = recordLength (id) > layerCountOffset ? byteAt (id, layerCountOffset) : 0;
    return count == maxLayers ? fullLayerAreaEnd : layerAreaOffset + layerSize * count;
}

int ProgramStore::contentByte (const juce::MemoryBlock& content, int position) noexcept
{
    if (position < 0 || (size_t) position >= content.getSize())
        return 0;
    return (juce::uint8) content[(size_t) position];
}

int ProgramStore::contentBigEndian16 (const juce::MemoryBlock& content, int position) noexcept
{
    return contentByte (content, position) << 8 | contentByte (content, position + 1);
}

juce::String ProgramStore::nameOf (const juce::MemoryBlock& content)
{
    juce::String name;
    const size_t length = juce::jmin ((size_t) nameLength, content.getSize());
    for (size_t i = 0; i < length; ++i)
        if ((juce::int8) content[i] > 0)
            name += (char) content[i];
    return name;
}

juce::String ProgramStore::modeTextOf (const juce::MemoryBlock& content)
{
    return contentByte (content, modeOffset) == modeTw7 ? "TW7" : "LAYRA";
}

juce::MemoryBlock ProgramStore::commonBlockOf (const juce::MemoryBlock& content)
{
    juce::MemoryBlock block ((size_t) commonBlockSize, true);
    auto part = bytesWithin (content, (size_t) commonBlockOffset, (size_t) commonBlockSize);
    block.copyFrom (part.getData(), 0, part.getSize());
    return block;
}

size_t ProgramStore::layerAreaEndOf (const juce::MemoryBlock& content) noexcept
{
    const int count = contentByte (content, layerCountOffset);
    return (size_t) (count == maxLayers ? fullLayerAreaEnd : layerAreaOffset + layerSize * count);
}

size_t ProgramStore::nameListLengthOf (const juce::MemoryBlock& content) noexcept
{
    const size_t v = layerAreaEndOf (content);
    if (v >= content.getSize())
        return ParameterNameList::measure (nullptr, 0);
    return ParameterNameList::measure (static_cast<const char*> (content.getData()) + v, content.getSize() - v);
}

juce::MemoryBlock ProgramStore::nameListOf (const juce::MemoryBlock& content)
{
    return bytesWithin (content, layerAreaEndOf (content), nameListLengthOf (content));
}

size_t ProgramStore::assignmentListLengthOf (const juce::MemoryBlock& content) noexcept
{
    const size_t start = layerAreaEndOf (content) + nameListLengthOf (content);
    // start stays far below INT_MAX: V <= 250 + 318 x 255, L1 <= 4 + 255 x 263
    const int count = contentBigEndian16 (content, (int) start + assignmentCountPosition);
    return ParameterNameList::headerSize + VirtualParameterTable::assignmentSize * (size_t) count;
}

juce::MemoryBlock ProgramStore::assignmentListOf (const juce::MemoryBlock& content)
{
    const size_t start = layerAreaEndOf (content) + nameListLengthOf (content);
    return bytesWithin (content, start, assignmentListLengthOf (content));
}

} // namespace zd8

#include "model/ParameterNameList.h"

namespace zd8
{

namespace
{
    int byteAt (const juce::uint8* data, size_t size, size_t position) noexcept
    {
        return position < size ? data[position] : 0;
    }

    int bigEndian16 (const juce::uint8* data, size_t size, size_t position) noexcept
    {
        return byteAt (data, size, position) << 8 | byteAt (data, size, position + 1);
    }

    // Positions within the list and within an entry.
    constexpr size_t countPosition = 2;
    constexpr size_t countLowBytePosition = 3;
    constexpr size_t entryIdPosition = 2;
    constexpr size_t entryValuePosition = 4;
    constexpr size_t entryNameLengthPosition = 6;
    constexpr size_t entryNameLengthLowBytePosition = 7;
}

const ParameterNameList::Entry* ParameterNameList::find (int parameterId) const noexcept
{
    for (const auto& e : entries)
        if (e.id == parameterId)
            return &e;
    return nullptr;
}

ParameterNameList ParameterNameList::parse (const void* data, size_t size)
{
    ParameterNameList list;
    auto* bytes = static_cast<const juce::uint8*> (data);

    if (bytes == nullptr || size < minimumSize)
        return list;

    list.identifier = bigEndian16 (bytes, size, 0);
    const int count = bigEndian16 (bytes, size, countPosition);

    size_t position = headerSize;
    for (int i = 0; i < count && list.size() < maxEntries; ++i)
    {
        if (size - position < entryHeaderSize) // position <= size holds throughout
            break;

        Entry e;
        e.id = bigEndian16 (bytes, size, position + entryIdPosition);
        const int value = bigEndian16 (bytes, size, position + entryValuePosition);
        e.value = value >= valueLimit ? -1 : value;

        const size_t nameLength = (size_t) bigEndian16 (bytes, size, position + entryNameLengthPosition);
        const size_t namePosition = position + entryHeaderSize;
        const size_t available = juce::jmin (nameLength, size - namePosition);
        e.name = nameText (bytes + namePosition, available);
        list.entries.push_back (std::move (e));

        if (available < nameLength)
            break;
        position = namePosition + nameLength;
    }

    return list;
}

size_t ParameterNameList::measure (const void* data, size_t size) noexcept
{
    auto* bytes = static_cast<const juce::uint8*> (data);
    if (bytes == nullptr)
        size = 0;

    const int count = byteAt (bytes, size, countLowBytePosition);
    size_t length = headerSize;
    for (int i = 0; i < count; ++i)
        length += entryHeaderSize + (size_t) byteAt (bytes, size, length + entryNameLengthLowBytePosition);
    return length;
}

juce::String ParameterNameList::nameText (const juce::uint8* name, size_t length)
{
    if (name == nullptr || length == 0)
        return {};

    size_t first = (juce::int8) name[0] < nameMarkerLimit ? 1 : 0;
    juce::String text;
    text.preallocateBytes (length);
    for (size_t i = first; i < length; ++i)
        if (name[i] >= 1 && name[i] <= 127)
            text += (char) name[i];
    return text;
}

} // namespace zd8

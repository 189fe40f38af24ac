#include "model/ParameterNameList.h"

#include <map>
#include <mutex>
#include <string>
#include <string_view>

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

    /** The lists this process has decoded, by their bytes. Every instance selects
        program 1 on all sixteen channels at open, so the same few FX chain lists are
        decoded again and again: a list seen before is handed out as a copy whose names
        share their text. Keyed by the whole content, so an edited list is simply another
        key and an instance never sees another's edit. Any thread; the lock is held only
        to look up or to add, never while decoding. */
    class DecodedLists
    {
    public:
        static DecodedLists& instance()
        {
            static DecodedLists lists;
            return lists;
        }

        bool find (std::string_view bytes, ParameterNameList& result)
        {
            const std::lock_guard<std::mutex> g (lock);
            const auto found = lists.find (bytes);
            if (found == lists.end())
                return false;
            result = found->second;
            return true;
        }

        void add (std::string_view bytes, const ParameterNameList& list)
        {
            const std::lock_guard<std::mutex> g (lock);
            // A bound on what a session editing many chains leaves behind; the lists in
            // use come back at their next decoding.
            if (lists.size() >= maxLists)
                lists.clear();
            lists.emplace (std::string (bytes), list);
        }

    private:
        static constexpr size_t maxLists = 256;
        std::mutex lock;
        std::map<std::string, ParameterNameList, std::less<>> lists;
    };

    ParameterNameList decode (const juce::uint8* bytes, size_t size)
    {
        using Entry = ParameterNameList::Entry;
        constexpr auto maxEntries = ParameterNameList::maxEntries;
        constexpr auto headerSize = ParameterNameList::headerSize;
        constexpr auto entryHeaderSize = ParameterNameList::entryHeaderSize;
        constexpr auto valueLimit = ParameterNameList::valueLimit;

        ParameterNameList list;

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
            e.name = ParameterNameList::nameText (bytes + namePosition, available);
            list.entries.push_back (std::move (e));

            if (available < nameLength)
                break;
            position = namePosition + nameLength;
        }

        return list;
    }
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
    auto* bytes = static_cast<const juce::uint8*> (data);
    if (bytes == nullptr || size < minimumSize)
        return {};

    const std::string_view key (static_cast<const char*> (data), size);
    ParameterNameList list;
    if (DecodedLists::instance().find (key, list))
        return list;

    list = decode (bytes, size);
    DecodedLists::instance().add (key, list);
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

    // Gathered first and made into a text once: appending character by character
    // reallocates and re-measures the text at every step.
    size_t first = (juce::int8) name[0] < nameMarkerLimit ? 1 : 0;
    constexpr size_t stackLength = 256;
    char stackBuffer[stackLength];
    std::string heapBuffer;
    char* kept = stackBuffer;
    if (length > stackLength)
    {
        heapBuffer.resize (length);
        kept = heapBuffer.data();
    }
    size_t n = 0;
    for (size_t i = first; i < length; ++i)
        if (name[i] >= 1 && name[i] <= 127)
            kept[n++] = (char) name[i];
    return juce::String (juce::CharPointer_UTF8 (kept), n);
}

} // namespace zd8

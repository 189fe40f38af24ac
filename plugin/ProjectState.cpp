#include "plugin/ProjectState.h"

#include "arrangements/ArrangementFiles.h"

namespace zd8
{

namespace
{
    void put (juce::MemoryOutputStream& out, juce::uint32 value, int bytes)
    {
        for (int shift = (bytes - 1) * 8; shift >= 0; shift -= 8)
            out.writeByte ((char) ((value >> shift) & 0xFF));
    }

    juce::uint32 get (const juce::uint8* p, int bytes)
    {
        juce::uint32 v = 0;
        for (int i = 0; i < bytes; ++i)
            v = v << 8 | p[i];
        return v;
    }
}

juce::MemoryBlock ProjectState::makeLiveSection (const Live& live)
{
    juce::MemoryOutputStream out;
    out.write (liveTag, (size_t) liveTagSize);
    out.write (ArrangementFiles::versionTag, (size_t) ArrangementFiles::versionTagSize);
    put (out, (juce::uint32) (liveFixedSize + 4 * live.values.size()), 4);
    put (out, (juce::uint32) live.slot, 2);
    put (out, (juce::uint32) live.editorWidth, 2);
    put (out, (juce::uint32) live.editorHeight, 2);
    put (out, (juce::uint32) live.values.size(), 2);
    for (int v : live.values)
        put (out, (juce::uint32) v, 4);
    return out.getMemoryBlock();
}

std::optional<ProjectState::Live> ProjectState::readLiveSection (const void* data, size_t size, const ParameterTable& table)
{
    constexpr int numSlots = ParameterTable::numSlots;
    constexpr int minSize = 100, maxSize = 8192;
    auto* p = static_cast<const juce::uint8*> (data);
    if (p == nullptr || size < (size_t) (liveHeaderSize + liveFixedSize) || memcmp (p, liveTag, (size_t) liveTagSize) != 0)
        return std::nullopt;

    // The length must cover the fixed part and its values, and lie inside the data:
    // a section cut short is not used at all (no half a live state).
    const auto length = (size_t) get (p + liveTagSize + ArrangementFiles::versionTagSize, 4);
    const auto* body = p + liveHeaderSize;
    if (length < (size_t) liveFixedSize || length > size - (size_t) liveHeaderSize)
        return std::nullopt;
    const auto count = (size_t) get (body + 6, 2);
    if ((size_t) liveFixedSize + 4 * count > length)
        return std::nullopt;

    Live live;
    const int slot = (int) get (body, 2);
    live.slot = juce::isPositiveAndBelow (slot, ArrangementBank::numSlots) ? slot : 0;
    auto size16 = [&] (int offset) {
        const int v = (int) get (body + offset, 2);
        return v >= minSize && v <= maxSize ? v : 0;
    };
    live.editorWidth = size16 (2);
    live.editorHeight = size16 (4);

    live.values.resize ((size_t) numSlots);
    for (int s = 0; s < numSlots; ++s)
        live.values[(size_t) s] = (size_t) s < count ? table.holdable (s, (int) (juce::int32) get (body + liveFixedSize + 4 * s, 4))
                                                     : table.holdable (s, table.value (s));
    return live;
}

} // namespace zd8

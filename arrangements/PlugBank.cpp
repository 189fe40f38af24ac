#include "arrangements/PlugBank.h"

#include "link/ByteText.h"

namespace zd8
{

namespace
{
    constexpr int channelProgramOffset = 24;
    constexpr int modeBytesOffset = 56;
    constexpr int modeBytesSize = 11;

    struct DefaultArrangement
    {
        const char* name;
        int programs[16];
    };

    constexpr DefaultArrangement namedDefaults[] = {
        { "EDM", { 36, 54, 847, 821, 825, 145, 713, 92, 47, 869, 932, 943, 990, 409, 257, 573 } },
        { "Hip Hop", { 45, 858, 611, 608, 503, 286, 713, 820, 498, 869, 910, 23, 867, 105, 274, 931 } },
        { "Rock", { 8, 54, 847, 821, 825, 145, 713, 92, 47, 869, 932, 943, 990, 409, 257, 573 } },
    };

    constexpr juce::uint8 namedModeBytes[modeBytesSize] = { 0x00, 0x01, 0x01, 0, 0, 0, 0, 0, 0, 0, 0 };
    constexpr juce::uint8 emptyModeBytes[modeBytesSize] = { 0, 0, 0, 0, 0, 0, 0, 0x7F, 0, 0, 0x40 };
    constexpr const char* emptyName = "------------------------";
}

PlugBank::PlugBank() { fillDefaults(); }

juce::MemoryBlock PlugBank::encodeName (const juce::String& name)
{
    juce::MemoryBlock bytes ((size_t) nameLength);
    bytes.fillWith (' ');
    for (int i = 0; i < juce::jmin (nameLength, name.length()); ++i)
    {
        const auto c = name[i];
        bytes[(size_t) i] = (char) (c >= 20 && c <= 159 ? (juce::uint8) c : (juce::uint8) ' ');
    }
    return bytes;
}

void PlugBank::fillDefaults()
{
    std::lock_guard<std::mutex> g (lock);
    records.setSize ((size_t) blockSize);
    records.fillWith (0);

    auto* data = static_cast<juce::uint8*> (records.getData());
    for (int slot = 0; slot < numSlots; ++slot)
    {
        auto* r = data + slot * recordSize;
        const bool named = slot < (int) std::size (namedDefaults);
        const auto name = encodeName (named ? namedDefaults[slot].name : emptyName);
        memcpy (r, name.getData(), (size_t) nameLength);

        for (int c = 0; c < 16; ++c)
        {
            const int program = named ? namedDefaults[slot].programs[c] : 1;
            r[channelProgramOffset + 2 * c] = (juce::uint8) (program >> 8);
            r[channelProgramOffset + 2 * c + 1] = (juce::uint8) (program & 0xFF);
        }

        memcpy (r + modeBytesOffset, named ? namedModeBytes : emptyModeBytes, (size_t) modeBytesSize);
    }
}

juce::String PlugBank::getName (int slot) const
{
    if (! juce::isPositiveAndBelow (slot, numSlots))
        return {};
    std::lock_guard<std::mutex> g (lock);
    return ByteText::fromBytes (static_cast<const juce::uint8*> (records.getData()) + slot * recordSize, (size_t) nameLength);
}

void PlugBank::setName (int slot, const juce::String& name)
{
    if (! juce::isPositiveAndBelow (slot, numSlots))
        return;
    const auto bytes = encodeName (name);
    std::lock_guard<std::mutex> g (lock);
    records.copyFrom (bytes.getData(), slot * recordSize, (size_t) nameLength);
}

juce::MemoryBlock PlugBank::getRecord (int slot) const
{
    if (! juce::isPositiveAndBelow (slot, numSlots))
        return {};
    std::lock_guard<std::mutex> g (lock);
    return { static_cast<const juce::uint8*> (records.getData()) + slot * recordSize, (size_t) recordSize };
}

void PlugBank::putRecord (int slot, const void* bytes, size_t size)
{
    if (! juce::isPositiveAndBelow (slot, numSlots) || bytes == nullptr)
        return;
    std::lock_guard<std::mutex> g (lock);
    records.copyFrom (bytes, slot * recordSize, juce::jmin (size, (size_t) recordSize));
}

juce::MemoryBlock PlugBank::getBlock() const
{
    std::lock_guard<std::mutex> g (lock);
    return records;
}

void PlugBank::overwriteBlock (const void* bytes, size_t size)
{
    if (bytes == nullptr)
        return;
    std::lock_guard<std::mutex> g (lock);
    if (size > records.getSize())
        records.setSize (size, true);
    records.copyFrom (bytes, 0, size);
}

} // namespace zd8

#include "arrangements/ArrangementBank.h"

#include "link/ByteText.h"
#include "model/BuiltInBanks.h"

namespace zd8
{

namespace
{
    constexpr int channelProgramOffset = 24;
    constexpr int nameHeadLength = 23;

    // The global slots an Arrangement keeps, with their place and width in the record,
    // and what a slot can hold: a record that passed its tag check may still carry any
    // bytes (a damaged file, another program's chunk), and applying them as they are
    // would have the host read far outside 0..1 and the instrument hear what it has not
    // got. A value outside lowest..highest is applied as the slot's starting value.
    struct GlobalField
    {
        int slot, offset, width, lowest, highest, fallback;
    };

    constexpr GlobalField globalFields[] = {
        // Multis reach past the slot's declared 1..127 (bank * 128 + program).
        { ParameterTable::multiSlot, 56, 2, 1, BuiltInBanks::multiHighestId, 1 },
        // 0 ("not set") and anything but multi mode is program mode: a damaged mode
        // must not switch the instrument to a multi the record does not name.
        { ParameterTable::playingModeSlot, 58, 1, 1, 2, 1 },
        { ParameterTable::aux1OverrideChainSlot, 59, 2, 1, 2048, 1 },
        { ParameterTable::aux1OverrideOnSlot, 61, 1, 0, 1, 0 },
        { ParameterTable::aux1OverrideModSlot, 62, 1, 0, 255, 0 },
        { ParameterTable::aux2OverrideChainSlot, 63, 2, 1, 2048, 1 },
        { ParameterTable::aux2OverrideOnSlot, 65, 1, 0, 1, 0 },
        { ParameterTable::aux2OverrideModSlot, 66, 1, 0, 255, 0 },
    };

    // A channel program outside the programs that exist is applied as program 1, the
    // one every channel starts with.
    constexpr int lowestProgram = 1;
    constexpr int fallbackProgram = 1;

    int inside (int value, int lowest, int highest, int fallback)
    {
        return value >= lowest && value <= highest ? value : fallback;
    }

    void put16 (juce::uint8* r, int offset, int value)
    {
        r[offset] = (juce::uint8) ((value >> 8) & 0xFF);
        r[offset + 1] = (juce::uint8) (value & 0xFF);
    }

    int get16 (const juce::uint8* r, int offset) { return r[offset] << 8 | r[offset + 1]; }
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

ArrangementBank::ArrangementBank() { fillDefaults(); }

juce::MemoryBlock ArrangementBank::encodeName (const juce::String& name)
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

void ArrangementBank::fillDefaults()
{
    // The same for every instance: made once per process (the static's own guard makes
    // it thread-safe) and copied, instead of 75 names encoded at every open.
    static const juce::MemoryBlock defaults = [] {
        juce::MemoryBlock block ((size_t) blockSize, true);
        auto* data = static_cast<juce::uint8*> (block.getData());
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
        return block;
    }();

    std::lock_guard<std::mutex> g (lock);
    records = defaults;
}

juce::String ArrangementBank::getName (int slot) const
{
    if (! juce::isPositiveAndBelow (slot, numSlots))
        return {};
    std::lock_guard<std::mutex> g (lock);
    return ByteText::fromBytes (static_cast<const juce::uint8*> (records.getData()) + slot * recordSize, (size_t) nameLength);
}

void ArrangementBank::setName (int slot, const juce::String& name)
{
    if (! juce::isPositiveAndBelow (slot, numSlots))
        return;
    const auto bytes = encodeName (name);
    std::lock_guard<std::mutex> g (lock);
    records.copyFrom (bytes.getData(), slot * recordSize, (size_t) nameLength);
}

juce::MemoryBlock ArrangementBank::getNameHead (int slot) const
{
    if (! juce::isPositiveAndBelow (slot, numSlots))
        return {};
    std::lock_guard<std::mutex> g (lock);
    return { static_cast<const juce::uint8*> (records.getData()) + slot * recordSize, (size_t) nameHeadLength };
}

juce::MemoryBlock ArrangementBank::captureRecord (const ParameterTable& table, const juce::String& name, int slot)
{
    std::lock_guard<std::mutex> g (lock);

    if (working.getSize() != (size_t) recordSize)
        working = startingRecord (slot);

    fillRecord (working, table, name);
    return working;
}

juce::MemoryBlock ArrangementBank::previewRecord (const ParameterTable& table, const juce::String& name, int slot) const
{
    std::lock_guard<std::mutex> g (lock);

    auto record = working.getSize() == (size_t) recordSize ? working : startingRecord (slot);
    fillRecord (record, table, name);
    return record;
}

juce::MemoryBlock ArrangementBank::startingRecord (int slot) const
{
    juce::MemoryBlock record ((size_t) recordSize, true);
    if (juce::isPositiveAndBelow (slot, numSlots))
        record.copyFrom (static_cast<const juce::uint8*> (records.getData()) + slot * recordSize, 0, (size_t) recordSize);
    return record;
}

void ArrangementBank::fillRecord (juce::MemoryBlock& record, const ParameterTable& table, const juce::String& name)
{
    auto* r = static_cast<juce::uint8*> (record.getData());
    const auto encoded = encodeName (name);
    memcpy (r, encoded.getData(), (size_t) nameLength);

    for (int c = 0; c < 16; ++c)
        put16 (r, channelProgramOffset + 2 * c, table.value (ParameterTable::programSlot (c, ParameterTable::programRow)));

    for (auto& f : globalFields)
    {
        const int v = table.value (f.slot);
        if (f.width == 2)
            put16 (r, f.offset, v);
        else
            r[f.offset] = (juce::uint8) (v & 0xFF);
    }
}

void ArrangementBank::applyRecord (const void* record, size_t size, ParameterTable& table)
{
    if (record == nullptr || size < (size_t) recordSize)
        return;

    auto* r = static_cast<const juce::uint8*> (record);
    for (int c = 0; c < 16; ++c)
        table.setValue (ParameterTable::programSlot (c, ParameterTable::programRow),
                        inside (get16 (r, channelProgramOffset + 2 * c), lowestProgram, BuiltInBanks::programHighestId, fallbackProgram));

    for (auto& f : globalFields)
        table.setValue (f.slot, inside (f.width == 2 ? get16 (r, f.offset) : r[f.offset], f.lowest, f.highest, f.fallback));
}

juce::MemoryBlock ArrangementBank::getRecord (int slot) const
{
    if (! juce::isPositiveAndBelow (slot, numSlots))
        return {};
    std::lock_guard<std::mutex> g (lock);
    return { static_cast<const juce::uint8*> (records.getData()) + slot * recordSize, (size_t) recordSize };
}

void ArrangementBank::putRecord (int slot, const void* bytes, size_t size)
{
    if (! juce::isPositiveAndBelow (slot, numSlots) || bytes == nullptr)
        return;
    std::lock_guard<std::mutex> g (lock);
    records.copyFrom (bytes, slot * recordSize, juce::jmin (size, (size_t) recordSize));
}

juce::MemoryBlock ArrangementBank::getBlock() const
{
    std::lock_guard<std::mutex> g (lock);
    return records;
}

void ArrangementBank::overwriteBlock (const void* bytes, size_t size)
{
    if (bytes == nullptr)
        return;
    std::lock_guard<std::mutex> g (lock);
    if (size > records.getSize())
        records.setSize (size, true);
    records.copyFrom (bytes, 0, size);
}

} // namespace zd8

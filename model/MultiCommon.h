#pragma once

#include "model/MultiZoneWalk.h"

#include <juce_core/juce_core.h>

namespace zd8
{

/** The common part of the multi being edited: the record's first 462 bytes (name,
    "ZD7", common area) in the store layout, or the common part as the instrument's
    edit messages lay it out, where most per-zone and common values sit earlier.

    A plain value: the edit object copies it in and out under its own lock. */
class MultiCommon
{
public:
    // Multi parameter types answered by the common part.
    static constexpr int typeSetting = 3;
    static constexpr int typeZoneSum = 13;          // value A + B of zone n
    static constexpr int typeByNumber1 = 15;
    static constexpr int typeZoneJ = 17;
    static constexpr int typeZoneE = 19;
    static constexpr int typeByNumber2 = 21;
    static constexpr int typeZoneD = 23;
    static constexpr int typeZoneF = 25;
    static constexpr int typeByte301 = 27;
    static constexpr int typeByte307 = 29;
    static constexpr int typeByte303 = 31;
    static constexpr int typeByte309 = 33;
    static constexpr int typeByNumber3 = 46;
    static constexpr int typeByte312 = 271;
    static constexpr int typeValueG = 272;
    static constexpr int typeByte313 = 311;
    static constexpr int typeValueH = 312;

    // Common numbers (the per-zone ones take the zone 0..15 added).
    static constexpr int numberZoneSum = 3000;
    static constexpr int numberZoneE = 3100;
    static constexpr int numberZoneF = 3200;
    static constexpr int numberZoneJ = 3300;
    static constexpr int numberZoneD = 3400;
    static constexpr int numberValueG = 3162;
    static constexpr int numberValueH = 3164;
    static constexpr int numberByte301 = 3167;
    static constexpr int numberByte307 = 3171;
    static constexpr int numberByte309 = 3173;
    static constexpr int numberByte312 = 3174;
    static constexpr int numberByte313 = 3175;

    // Instrument edit messages: the name part's data and the two sizes of the rest.
    static constexpr size_t nameDataSize = 45;
    static constexpr int nameDataOffset = 23;
    static constexpr size_t storeRestSize = 394;
    static constexpr int storeRestOffset = 68;
    static constexpr size_t editRestSize = 319;
    static constexpr int editRestOffset = 50;

    /** 462 zero bytes in the store layout. */
    MultiCommon();

    /** The bytes and their layout (MultiZoneWalk::storeLayout or editMessageLayout). */
    void setData (const juce::MemoryBlock& bytes, int layout);
    const juce::MemoryBlock& getData() const noexcept { return data; }
    int getLayout() const noexcept { return layout; }

    /** Name part from the instrument: the 20 name bytes go to 0..19, zero from the first
        zero byte on (missing bytes count as zero); 45 bytes of data go to 23..67. */
    void setNamePart (const juce::MemoryBlock& name, const juce::MemoryBlock& partData);

    /** Rest of the common part: 394 bytes to 68.. in the store layout, 319 bytes to 50..
        in the edit-message layout; false (nothing copied) for any other size. */
    bool setRest (const juce::MemoryBlock& rest);

    /** Common byte 67 (store layout) or 49 (edit-message layout). */
    int zoneCount() const noexcept;

    /** Value of a common multi parameter type (see the type constants); 0 for other
        types and numbers, and for bytes outside the data. */
    int parameter (int type, int number) const noexcept;

    /** The common table by number (3000..3415 and the single values). */
    int byNumber (int number) const noexcept;

private:
    struct Offsets
    {
        int zoneCount, valueA, valueB, valueJ, valueD, valueE, valueF, valueG, valueH;
        int byte301, byte303, byte307, byte309, byte312, byte313;
    };
    const Offsets& offsets() const noexcept;
    MultiBytes bytes() const noexcept { return { data.getData(), data.getSize() }; }
    void copyInto (int offset, const juce::MemoryBlock& source);

    juce::MemoryBlock data;
    int layout = MultiZoneWalk::storeLayout;
};

} // namespace zd8

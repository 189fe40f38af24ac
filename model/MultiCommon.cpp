#include "model/MultiCommon.h"

#include <algorithm>
#include <cstring>

namespace zd8
{

namespace
{
    constexpr int nameLength = 20;
    constexpr int zonesPerValue = MultiZoneWalk::maxZones;
    constexpr int pairStride = 2;   // J, D, E and F are one 2-byte pair per zone

    // Type 3: numbers read at their own offset, and four numbers read elsewhere.
    constexpr int directSettings[] = { 26, 27, 28, 30, 31, 32, 34, 35, 36 };
    struct MovedSetting { int number, offset; };
    constexpr MovedSetting movedSettings[] = { { 15, 38 }, { 16, 39 }, { 22, 46 }, { 24, 48 } };
}

MultiCommon::MultiCommon()
{
    data.setSize ((size_t) MultiZoneWalk::commonSize, true);
}

const MultiCommon::Offsets& MultiCommon::offsets() const noexcept
{
    // The edit messages leave out 18 bytes in front of the per-zone values, and more
    // in front of the common values G, H and the single bytes.
    static constexpr Offsets store { 67, 70, 86, 102, 134, 199, 231, 294, 296, 301, 303, 307, 309, 312, 313 };
    static constexpr Offsets edit { 49, 52, 68, 84, 116, 181, 213, 212, 214, 217, 219, 221, 223, 224, 225 };
    return layout == MultiZoneWalk::storeLayout ? store : edit;
}

void MultiCommon::setData (const juce::MemoryBlock& bytesIn, int newLayout)
{
    data = bytesIn;
    layout = newLayout == MultiZoneWalk::storeLayout ? MultiZoneWalk::storeLayout : MultiZoneWalk::editMessageLayout;
}

void MultiCommon::copyInto (int offset, const juce::MemoryBlock& source)
{
    const size_t needed = (size_t) offset + source.getSize();
    if (data.getSize() < needed)
        data.setSize (needed, true);
    if (source.getSize() > 0)
        std::memcpy (static_cast<char*> (data.getData()) + offset, source.getData(), source.getSize());
}

void MultiCommon::setNamePart (const juce::MemoryBlock& name, const juce::MemoryBlock& partData)
{
    juce::MemoryBlock cleaned ((size_t) nameLength, true);
    const size_t available = std::min (name.getSize(), (size_t) nameLength);
    for (size_t i = 0; i < available && name[i] != 0; ++i)
        cleaned[i] = name[i];
    copyInto (0, cleaned);

    if (partData.getSize() == nameDataSize)
        copyInto (nameDataOffset, partData);
}

bool MultiCommon::setRest (const juce::MemoryBlock& rest)
{
    if (layout == MultiZoneWalk::storeLayout && rest.getSize() == storeRestSize)
        copyInto (storeRestOffset, rest);
    else if (layout == MultiZoneWalk::editMessageLayout && rest.getSize() == editRestSize)
        copyInto (editRestOffset, rest);
    else
        return false;
    return true;
}

int MultiCommon::zoneCount() const noexcept
{
    return bytes().u8 (offsets().zoneCount);
}

int MultiCommon::byNumber (int number) const noexcept
{
    const auto b = bytes();
    const auto& o = offsets();
    const auto inZoneRange = [number] (int base) { return number >= base && number < base + zonesPerValue; };

    if (inZoneRange (numberZoneSum))
    {
        const int zone = number - numberZoneSum;
        const int a = b.u8 (o.valueA + zone);
        return a == 0 ? 0 : a + b.u8 (o.valueB + zone);
    }
    if (inZoneRange (numberZoneE))
        return b.u8 (o.valueE + pairStride * (number - numberZoneE));
    if (inZoneRange (numberZoneF))
        return b.u8 (o.valueF + pairStride * (number - numberZoneF));
    if (inZoneRange (numberZoneJ))
        return b.s16 (o.valueJ + pairStride * (number - numberZoneJ));
    if (inZoneRange (numberZoneD))
        return b.s16 (o.valueD + pairStride * (number - numberZoneD));

    switch (number)
    {
        case numberValueG: return b.u16 (o.valueG);
        case numberValueH: return b.u16 (o.valueH);
        case numberByte301: return b.u8 (o.byte301);
        case numberByte307: return b.u8 (o.byte307);
        case numberByte309: return b.u8 (o.byte309);
        case numberByte312: return b.u8 (o.byte312);
        case numberByte313: return b.u8 (o.byte313);
        default: return 0;
    }
}

int MultiCommon::parameter (int type, int number) const noexcept
{
    const auto b = bytes();
    const auto& o = offsets();
    const auto perZone = [this, number] (int base) {
        return number >= 0 && number < zonesPerValue ? byNumber (base + number) : 0;
    };

    switch (type)
    {
        case typeSetting:
            if (std::find (std::begin (directSettings), std::end (directSettings), number) != std::end (directSettings))
                return b.u8 (number);
            for (const auto& m : movedSettings)
                if (m.number == number)
                    return b.u8 (m.offset);
            return 0;

        case typeZoneSum: return perZone (numberZoneSum);
        case typeZoneJ: return perZone (numberZoneJ);
        case typeZoneE: return perZone (numberZoneE);
        case typeZoneD: return perZone (numberZoneD);
        case typeZoneF: return perZone (numberZoneF);

        case typeByNumber1:
        case typeByNumber2:
        case typeByNumber3: return byNumber (number);

        case typeByte301: return b.u8 (o.byte301);
        case typeByte307: return b.u8 (o.byte307);
        case typeByte303: return b.u8 (o.byte303);
        case typeByte309: return b.u8 (o.byte309);
        case typeByte312: return b.u8 (o.byte312);
        case typeValueG: return b.u16 (o.valueG);
        case typeByte313: return b.u8 (o.byte313);
        case typeValueH: return b.u16 (o.valueH);
        default: return 0;
    }
}

} // namespace zd8

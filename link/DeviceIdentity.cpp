#include "link/DeviceIdentity.h"

namespace zd8
{

namespace
{
    constexpr size_t familyOffset = 6;     // family / model byte of the newer models
    constexpr size_t olderMarkOffset = 7;  // 0x40 marks the older models
    constexpr size_t memberOffset = 8;
    constexpr size_t olderModelOffset = 9;

    int at (const juce::uint8* m, size_t size, size_t offset)
    {
        return m != nullptr && offset < size ? m[offset] : 0;
    }

    const char* olderModel (int code)
    {
        switch (code)
        {
            case 10: return "BRISVANE ZD7M";
            case 11: return "BRISVANE LT4";
            case 15: return "BRISVANE ZD7X";
            case 16: return "BRISVANE LT5";
            case 19: return "BRISVANE MORVA";
            case 64: return "BRISVANE ZD7";
            default: return DeviceIdentity::unknownDevice;
        }
    }
}

juce::String DeviceIdentity::nameFromReply (const juce::uint8* m, size_t size, const juce::String& previous)
{
    juce::String name = previous;
    const int family = at (m, size, familyOffset);
    const int member = at (m, size, memberOffset);

    if (at (m, size, olderMarkOffset) == 0x40)
        name = olderModel (at (m, size, olderModelOffset));

    if (family == 0x41)
        name = member == 1 ? "BRISVANE GRAVO" : member == 3 ? "ZD8 SE" : unknownDevice;

    if (family == 0x42)
        name = member == 1 ? "BRISVANE GRAVO SE" : unknownDevice;

    if (family == 0x44)
        name = member == 3 ? "BRISVANE LT6" : unknownDevice;

    if (family == 0x46)
        name = member == 1 ? "BRISVANE ZD8" : member == 2 ? "BRISVANE Q5100" : member == 3 ? "BRISVANE ZD8 SE" : unknownDevice;

    return name;
}

} // namespace zd8

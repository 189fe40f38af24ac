#include "link/DeviceIdentity.h"

#include <gtest/gtest.h>

using namespace zd8;

TEST (DeviceIdentity, EveryModelOfTheTableIsNamedAndLaterTestsWin)
{
    struct Case
    {
        int byte6, byte7, byte8, byte9;
        const char* name;
    };
    const Case cases[] = {
        { 0, 0x40, 0, 10, "BRISVANE ZD7M" },   { 0, 0x40, 0, 11, "BRISVANE LT4" },
        { 0, 0x40, 0, 15, "BRISVANE ZD7X" },   { 0, 0x40, 0, 16, "BRISVANE LT5" },
        { 0, 0x40, 0, 19, "BRISVANE MORVA" },  { 0, 0x40, 0, 64, "BRISVANE ZD7" },
        { 0, 0x40, 0, 65, "Connected - Device Unknown" },
        { 0x41, 0, 1, 0, "BRISVANE GRAVO" },   { 0x41, 0, 3, 0, "ZD8 SE" },
        { 0x41, 0, 2, 0, "Connected - Device Unknown" },
        { 0x42, 0, 1, 0, "BRISVANE GRAVO SE" }, { 0x42, 0, 3, 0, "Connected - Device Unknown" },
        { 0x44, 0, 3, 0, "BRISVANE LT6" },     { 0x44, 0, 1, 0, "Connected - Device Unknown" },
        { 0x46, 0, 1, 0, "BRISVANE ZD8" },     { 0x46, 0, 2, 0, "BRISVANE Q5100" },
        { 0x46, 0, 3, 0, "BRISVANE ZD8 SE" },  { 0x46, 0, 9, 0, "Connected - Device Unknown" },
        { 0x46, 0x40, 3, 64, "BRISVANE ZD8 SE" }, // the later test replaces the earlier name
        { 0x47, 0, 1, 0, "previous" },         // nothing matches: the name stays
    };
    for (auto& c : cases)
    {
        const juce::uint8 reply[] = { 0xF0, 0x7E, 0x7F, 0x06, 0x02, 0x07, (juce::uint8) c.byte6, (juce::uint8) c.byte7,
                                      (juce::uint8) c.byte8, (juce::uint8) c.byte9, 1, 0, 0, 0, 0xF7 };
        EXPECT_EQ (DeviceIdentity::nameFromReply (reply, sizeof (reply), "previous"), c.name)
            << c.byte6 << " " << c.byte7 << " " << c.byte8 << " " << c.byte9;
    }

    // A five-byte reply names nothing new; missing bytes read as 0.
    const juce::uint8 shortReply[] = { 0xF0, 0x7E, 0x00, 0x06, 0xF7 };
    EXPECT_EQ (DeviceIdentity::nameFromReply (shortReply, sizeof (shortReply), "BRISVANE ZD8"), "BRISVANE ZD8");
    EXPECT_EQ (DeviceIdentity::nameFromReply (nullptr, 0, ""), "");
}

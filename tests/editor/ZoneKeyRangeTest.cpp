#include "editor/KitMouse.h"
#include "editor/kit/ZoneKeyRange.h"

#include <gtest/gtest.h>

using namespace zd8;
using zd8test::ChangeCounter;
using zd8test::KitMouse;

namespace
{
    struct ZoneStrip : testing::Test
    {
        ZoneStrip()
        {
            strip.setBounds (206, 2, 341, 14);
            strip.setZone (100, 120);
        }

        ZoneKeyRange strip;
        ChangeCounter changes { strip };
        KitMouse mouse { strip };
    };
}

TEST (ZoneKeyRange, KeysSitThirtyFivePixelsAnOctaveApart)
{
    const std::pair<int, int> cases[] = { { 0, 0 }, { 1, 4 }, { 4, 10 }, { 5, 15 }, { 11, 30 },
                                          { 12, 35 }, { 60, 175 }, { 127, 370 } };
    for (const auto& [key, x] : cases)
        EXPECT_EQ (ZoneKeyRange::keyX (key), x) << "key " << key;
}

TEST_F (ZoneStrip, DragMovesTheWholeZoneWithinTheKeyboard)
{
    struct Case { float toX; int low, high; };
    const Case cases[] = {
        { 202, 100, 120 },    // 2 px: less than a key
        { 198, 100, 120 },
        { 203, 101, 121 },    // 3 px: one key (341 / 127 px per key)
        { 2000, 107, 127 },   // far right: the top key stops it
        { -2000, 0, 20 },     // far left: key 0 stops it
        { 200, 100, 120 },    // back to the press point
    };
    mouse.down (200, 7);
    for (const auto& c : cases)
    {
        mouse.drag (c.toX, 7);
        EXPECT_EQ (strip.getLow(), c.low) << "to " << c.toX;
        EXPECT_EQ (strip.getHigh(), c.high) << "to " << c.toX;
    }
    EXPECT_EQ (changes.flush(), 1) << "the moves were announced";
    mouse.up (200, 7);
    EXPECT_EQ (changes.flush(), 1) << "so is the release inside the strip";
}

TEST_F (ZoneStrip, SmallDragsAndDragsPastTheEndAnnounceNothing)
{
    mouse.down (200, 7);
    mouse.drag (202, 7);
    EXPECT_EQ (changes.flush(), 0);
    mouse.drag (2000, 7);
    EXPECT_EQ (changes.flush(), 1);
    mouse.drag (3000, 7);   // still 107..127
    EXPECT_EQ (changes.flush(), 0);
    mouse.up (3000, 7);     // released outside the strip
    EXPECT_EQ (changes.flush(), 0);
    EXPECT_FALSE (strip.isDragging());

    mouse.drag (0, 7);      // a drag without a press moves nothing
    EXPECT_EQ (strip.getHigh(), 127);
}

TEST_F (ZoneStrip, PressesOnlyAnnouncesThePressAndKeepsTheZone)
{
    strip.setPressesOnly (true);
    mouse.down (200, 7);
    EXPECT_EQ (changes.flush(), 1);
    mouse.drag (2000, 7);
    EXPECT_EQ (strip.getLow(), 100);
    EXPECT_EQ (strip.getHigh(), 120);
    EXPECT_FALSE (strip.isDragging());
}

TEST (ZoneKeyRange, OwnerZonesAreKeptInOrderWithinTheKeys)
{
    ZoneKeyRange strip;
    strip.setZone (60, 40);   // high below low: the zone collapses onto the low key
    EXPECT_EQ (strip.getLow(), 60);
    EXPECT_EQ (strip.getHigh(), 60);
    strip.setZone (-5, 300);
    EXPECT_EQ (strip.getLow(), 0);
    EXPECT_EQ (strip.getHigh(), 127);
}

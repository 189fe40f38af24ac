#include "model/ValueMenu.h"

#include <gtest/gtest.h>

#include <climits>

using namespace zd8;

TEST (ValueMenu, ItemsNumberedValuePlus1000WithTheirTexts)
{
    const ValueFormatter valueFormatter;
    const auto items = ValueMenu::items (valueFormatter, 400, 0, 2);
    ASSERT_EQ (items.size(), 3u);
    EXPECT_EQ (items[0].id, 1000);
    EXPECT_EQ (items[0].text, "NONE");
    EXPECT_EQ (items[1].id, 1001);
    EXPECT_EQ (items[1].text, "PROGRAM");
    EXPECT_EQ (items[2].id, 1002);
    EXPECT_EQ (items[2].text, "MULTI");

    const auto pan = ValueMenu::items (valueFormatter, 107, -64, 64);
    ASSERT_EQ (pan.size(), 129u);
    EXPECT_EQ (pan.front().id, 936);
    EXPECT_EQ (pan.front().text, "L: 64");
    EXPECT_EQ (pan[64].text, "< 0 >");
    for (const auto& item : pan)
        EXPECT_EQ (valueFormatter.formatValue (107, ValueMenu::valueForId (item.id)), item.text);
}

TEST (ValueMenu, ChosenIdMapsBackAndDismissGivesMinus1000)
{
    EXPECT_EQ (ValueMenu::valueForId (1000), 0);
    EXPECT_EQ (ValueMenu::valueForId (1005), 5);
    EXPECT_EQ (ValueMenu::valueForId (936), -64);
    EXPECT_EQ (ValueMenu::valueForId (0), -1000);
    EXPECT_EQ (ValueMenu::dismissed, -1000);
    EXPECT_EQ (ValueMenu::valueForId (INT_MAX), INT_MAX - 1000);
    EXPECT_EQ (ValueMenu::valueForId (INT_MIN), -1000); // no item has it
}

TEST (ValueMenu, RangesThatCannotBeNumberedSafely)
{
    const ValueFormatter valueFormatter;
    EXPECT_TRUE (ValueMenu::items (valueFormatter, 0, 5, 4).empty());
    EXPECT_TRUE (ValueMenu::items (valueFormatter, 0, INT_MAX, INT_MIN).empty());

    // -1000 would get ID 0, the menu's own "dismissed": it is left out.
    const auto around = ValueMenu::items (valueFormatter, 0, -1001, -999);
    ASSERT_EQ (around.size(), 2u);
    EXPECT_EQ (around[0].id, -1);
    EXPECT_EQ (around[1].id, 1);

    // IDs that would pass INT_MAX are left out.
    const auto top = ValueMenu::items (valueFormatter, 0, INT_MAX - 1001, INT_MAX);
    ASSERT_EQ (top.size(), 2u);
    EXPECT_EQ (top.back().id, INT_MAX);
    EXPECT_EQ (ValueMenu::valueForId (top.back().id), INT_MAX - 1000);

    // The whole int range is cut to the first maxItems values.
    const auto all = ValueMenu::items (valueFormatter, 0, INT_MIN, INT_MAX);
    ASSERT_EQ (all.size(), size_t (ValueMenu::maxItems));
    EXPECT_EQ (all.front().id, INT_MIN + 1000);
    EXPECT_EQ (all.front().text, "-2147483648");
}

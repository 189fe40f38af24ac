#pragma once

#include "model/ValueFormatter.h"

#include <vector>

namespace zd8
{

/** The items of the choose-value pop-up menu: one per value of a range, each showing
    the value's text. The pop-up itself belongs to the editor; this is the numbering
    both sides agree on: item ID = value + 1000, so the menu's "dismissed" result 0
    maps back to dismissed (-1000). */
class ValueMenu
{
public:
    static constexpr int idOffset = 1000;
    static constexpr int dismissed = -idOffset;
    /** More values than this are cut off at the end of the range: a menu that long is
        unusable, and an unbounded range must not build billions of items. */
    static constexpr int maxItems = 16384;

    /** The menu's colours (ARGB). */
    static constexpr juce::uint32 backgroundColour = 0xFF000000;
    static constexpr juce::uint32 textColour = 0xFFFFFFFF;
    static constexpr juce::uint32 highlightedBackgroundColour = 0xFF808080;
    static constexpr juce::uint32 highlightedTextColour = 0xFFFFFFFF;
    static constexpr juce::uint32 headerTextColour = 0xFFFFFFFF;

    struct Item
    {
        int id;
        juce::String text;
    };

    /** Items for first..last in order, each with ValueFormatter::formatValue of its value.
        Empty when last < first. The value -1000 is left out (its ID would be 0, the
        menu's "dismissed"), as are values whose ID would not fit in an int. */
    static std::vector<Item> items (const ValueFormatter& valueFormatter, int descriptionCode, int first, int last);

    /** The value an item ID stands for; 0 (menu dismissed) and IDs no item can have
        give dismissed. */
    static int valueForId (int chosenId) noexcept;
};

} // namespace zd8

#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include <optional>

namespace zd8
{

/** What a key does in a list with find-by-name, the same in every list: the moving
    keys give the row to select, the typed characters edit the find text. */
class ListKeys
{
public:
    /** The row the key moves the selection to (from: the selected row or -1; last: the
        last row; page: rows in sight), or nullopt when the key does not move it. */
    static std::optional<int> movedRow (int keyCode, int from, int last, int page);

    /** The find text after the key, or nullopt when the key is not the list's (Escape
        with no text to clear is the owner's: it may close the page). */
    static std::optional<juce::String> editedFilter (const juce::KeyPress& key, const juce::String& filter);
};

} // namespace zd8

#include "editor/kit/ListKeys.h"

namespace zd8
{

std::optional<int> ListKeys::movedRow (int code, int from, int last, int page)
{
    if (code == juce::KeyPress::upKey)
        return from < 0 ? last : juce::jmax (0, from - 1);
    if (code == juce::KeyPress::downKey)
        return from < 0 ? 0 : juce::jmin (last, from + 1);
    if (code == juce::KeyPress::pageUpKey)
        return from < 0 ? 0 : juce::jmax (0, from - page);
    if (code == juce::KeyPress::pageDownKey)
        return juce::jmin (last, from < 0 ? page - 1 : from + page);
    if (code == juce::KeyPress::homeKey)
        return 0;
    if (code == juce::KeyPress::endKey)
        return last;
    return std::nullopt;
}

std::optional<juce::String> ListKeys::editedFilter (const juce::KeyPress& key, const juce::String& filter)
{
    const int code = key.getKeyCode();
    if (code == juce::KeyPress::backspaceKey)
        return filter.dropLastCharacters (1);
    if (code == juce::KeyPress::escapeKey)
        return filter.isEmpty() ? std::nullopt : std::optional<juce::String> (juce::String());

    const auto mods = key.getModifiers();
    if (mods.isCommandDown() || mods.isCtrlDown() || mods.isAltDown())
        return std::nullopt;
    // The framework gives the typed character; a key code alone (as some hosts deliver
    // keys) stands for the character on its key.
    juce::juce_wchar c = key.getTextCharacter();
    if (c < ' ' && code >= ' ' && code < 0x7f)
        c = (juce::juce_wchar) code;
    if (c < ' ' || c == 0x7f)
        return std::nullopt;
    // A name does not start with a blank: a leading space is taken and ignored.
    return c != ' ' || filter.isNotEmpty() ? filter + juce::String::charToString (c) : filter;
}

} // namespace zd8

#pragma once

#include "editor/kit/KitButton.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <memory>
#include <vector>

namespace zd8
{

class ObjectDisplay;
class ObjectList;
class KitButtonListener;

/** The numeric keypad of the object selectors: "1".."9", "Clear", "0", "Enter" in four
    rows of three, and "-" / "+" beside them. The entry is the display's typed number;
    "Enter", "-" and "+" choose through the list, whose own events (14, then 7) the
    selector forwards. Positions are relative to the selector's content box.
    Message thread only. */
class SelectorKeypad
{
public:
    static constexpr int clearKey = 99;
    static constexpr int enterKey = 100;
    static constexpr int minusKey = 200;
    static constexpr int plusKey = 201;
    /** An entry above this takes no further digit (four digits at most). */
    static constexpr int largestExtendableEntry = 999;

    /** What a key press asks the selector to do afterwards. */
    enum class Outcome
    {
        nothing,
        showAll,       // "Enter": the list was set to every object ("ALL" lights)
        reportChoice   // "-" / "+": report code 7 with the list's selection
    };

    SelectorKeypad (juce::Component& parent, KitButtonListener& listener);
    ~SelectorKeypad();

    /** Places every key at its position plus the content box's origin. */
    void place (juce::Point<int> origin);
    bool owns (const KitButton* button) const noexcept;
    KitButton* findButton (const juce::String& caption) const;
    /** The frame drawn around the keys, relative to the content box. */
    static juce::Rectangle<int> frame() noexcept;

    /** The entry after typing a digit: appended while the entry has at most three
        digits; an empty entry (0) takes only digits other than 0. */
    static int typeDigit (int entry, int digit) noexcept;

    Outcome press (int identifier, ObjectDisplay& display, ObjectList& list);

private:
    struct Key
    {
        std::unique_ptr<KitButton> button;
        juce::Point<int> position;
    };

    KitButtonListener& listener;
    std::vector<Key> keys;

    JUCE_DECLARE_NON_COPYABLE (SelectorKeypad)
};

} // namespace zd8

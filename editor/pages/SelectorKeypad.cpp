#include "editor/pages/SelectorKeypad.h"

#include "editor/kit/ObjectDisplay.h"
#include "editor/kit/ObjectList.h"
#include "editor/kit/KitButtonListener.h"
#include "model/ObjectStore.h"

namespace zd8
{

namespace
{
    constexpr int keyWidth = 44, keyHeight = 34;
    constexpr int keyColumns[3] = { 784, 830, 876 };
    constexpr int keyRows[4] = { 28, 64, 100, 136 };
    constexpr int minusX = 653, plusX = 709, stepY = 125;
}

SelectorKeypad::SelectorKeypad (juce::Component& parent, KitButtonListener& l) : listener (l)
{
    const char* captions[12] = { "1", "2", "3", "4", "5", "6", "7", "8", "9", "Clear", "0", "Enter" };
    const int ids[12] = { 1, 2, 3, 4, 5, 6, 7, 8, 9, clearKey, 0, enterKey };

    auto add = [this, &parent] (const char* caption, int id, int x, int y) {
        Key k { std::make_unique<KitButton> (caption, id), { x, y } };
        k.button->setSize (keyWidth, keyHeight);
        k.button->addListener (&listener);
        parent.addAndMakeVisible (*k.button);
        keys.push_back (std::move (k));
    };

    for (int i = 0; i < 12; ++i)
        add (captions[i], ids[i], keyColumns[i % 3], keyRows[i / 3]);
    add ("-", minusKey, minusX, stepY);
    add ("+", plusKey, plusX, stepY);
}

SelectorKeypad::~SelectorKeypad()
{
    for (auto& k : keys)
        k.button->removeListener (&listener);
}

void SelectorKeypad::place (juce::Point<int> origin)
{
    for (auto& k : keys)
        k.button->setTopLeftPosition (origin + k.position);
}

bool SelectorKeypad::owns (const KitButton* button) const noexcept
{
    for (auto& k : keys)
        if (k.button.get() == button)
            return true;
    return false;
}

KitButton* SelectorKeypad::findButton (const juce::String& caption) const
{
    for (auto& k : keys)
        if (k.button->getText() == caption)
            return k.button.get();
    return nullptr;
}

juce::Rectangle<int> SelectorKeypad::frame() noexcept
{
    return { minusX - 12, keyRows[0] - 12, keyColumns[2] + keyWidth + 12 - (minusX - 12), keyRows[3] + keyHeight + 12 - (keyRows[0] - 12) };
}

int SelectorKeypad::typeDigit (int entry, int digit) noexcept
{
    if (entry > 0 && entry <= largestExtendableEntry)
        return entry * 10 + digit;
    if (entry == 0 && digit != 0)
        return digit;
    return entry;
}

SelectorKeypad::Outcome SelectorKeypad::press (int id, ObjectDisplay& display, ObjectList& list)
{
    const int entry = display.isTyped() ? display.getTypedNumber() : 0;

    if (id >= 0 && id <= 9)
    {
        const int next = typeDigit (entry, id);
        if (next != entry)
            display.setTyped (next);
        return Outcome::nothing;
    }

    switch (id)
    {
        case clearKey:
            display.setNumber (display.getNumber());
            return Outcome::nothing;

        case enterKey:
            list.bind (ObjectStore::listPresent, 0);
            // An entry naming no listed object selects nothing and reports nothing.
            if (entry > 0)
                list.selectId (entry, true);
            return Outcome::showAll;

        case minusKey:
        case plusKey:
            // A step past either end selects nothing new; the choice is reported anyway.
            list.selectIndex (list.getSelectedIndex() + (id == plusKey ? 1 : -1));
            return Outcome::reportChoice;

        default:
            return Outcome::nothing;
    }
}

} // namespace zd8

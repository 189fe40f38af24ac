#include "editor/pages/ProgramChooser.h"

#include "editor/kit/EditEvent.h"
#include "editor/kit/ObjectDisplay.h"
#include "editor/kit/Palette.h"
#include "editor/kit/ZD8LookAndFeel.h"
#include "model/Categories.h"
#include "model/InstrumentImage.h"
#include "plugin/EditorConnection.h"

namespace zd8
{

namespace
{
    constexpr int keyWidth = 44, keyHeight = 34;
    constexpr int keyColumns[3] = { 779, 835, 891 };
    constexpr int keyRows[4] = { 17, 53, 89, 125 };
    constexpr int minusX = 653, plusX = 709;

    constexpr int bankX = 380, bankWidth = 74, bankHeight = 34;
    constexpr int categoryWidth = 86, categoryHeight = 34;
    constexpr int categoryColumns[4] = { 490, 592, 694, 796 };
    constexpr int categoryRows[3] = { 218, 266, 314 };

    // The largest entry that may still take another digit (four digits at most).
    constexpr int largestExtendableEntry = 999;

    constexpr juce::uint32 panelFill = Palette::programChooserPanelFill;
    constexpr juce::uint32 captionColour = Palette::textSoft;

    // Frames around the bank buttons, the category buttons and the keypad.
    const juce::Rectangle<int> bankFrame { 366, 206, 102, 158 };
    const juce::Rectangle<int> categoryFrame { 476, 206, 420, 204 };
    const juce::Rectangle<int> keypadFrame { 640, 6, 308, 166 };
}

ProgramChooser::ProgramChooser (EditorConnection& c, ObjectDisplay& d)
    : connection (c), display (d)
{
    list = std::make_unique<ObjectList> (connection.getImage().getPrograms());
    list->setBounds (0, 0, 274, 510);
    list->setColumns ({ 50, 180, 0, 0 });
    list->setRowHeight (34);
    list->setFontSizes (14.0f, 15.0f, 11.0f);
    list->setRowFill (0);
    list->setColours (Palette::objectListRows);
    list->setParameterNumber (programParameter);
    addAndMakeVisible (*list);

    closeButton = std::make_unique<KitButton> ("CLOSE", closeId);
    closeButton->setBounds (838, 518, 60, 36);
    closeButton->addListener (this);
    addAndMakeVisible (*closeButton);

    // Keypad: digits by rows, then "Clear" "0" "Enter", then "-" and "+".
    const char* keyCaptions[12] = { "1", "2", "3", "4", "5", "6", "7", "8", "9", "Clear", "0", "Enter" };
    const int keyIds[12] = { 1, 2, 3, 4, 5, 6, 7, 8, 9, clearKey, 0, enterKey };
    for (int i = 0; i < 12; ++i)
        addButton (keypadButtons, keyCaptions[i], keyIds[i], keyColumns[i % 3], keyRows[i / 3], keyWidth, keyHeight);
    addButton (keypadButtons, "-", minusKey, minusX, keyRows[3], keyWidth, keyHeight);
    addButton (keypadButtons, "+", plusKey, plusX, keyRows[3], keyWidth, keyHeight);

    addButton (bankButtons, "ALL", allBank, bankX, 220, bankWidth, bankHeight);
    addButton (bankButtons, "FACTORY", factoryBank, bankX, 268, bankWidth, bankHeight);
    addButton (bankButtons, "USER", userBank, bankX, 316, bankWidth, bankHeight);

    for (int c = 0; c < categoryCount; ++c)
    {
        int x = 0, y = 0;
        if (c >= 1 && c <= 12)
            x = categoryColumns[(c - 1) % 4], y = categoryRows[(c - 1) / 4];
        else if (c == 13)
            x = 592, y = 362;
        else if (c == 14)
            x = -490, y = 362;   // "FM" has no place on the panel
        else
            x = -1000, y = 208;
        auto* b = addButton (categoryButtons, c == 0 ? juce::String ("- - - - -") : Categories::mainCategoryName (c),
                             firstCategoryId + c, x, y, categoryWidth, categoryHeight);
        if (c == 0)
            b->setVisible (false);
        if (c == 4)
            b->setColours (juce::Colour (organCategoryColour), juce::Colour (Palette::buttonPressed), juce::Colour (Palette::buttonOn));
    }

    highlight (getBankButton (allBank), nullptr);
}

ProgramChooser::~ProgramChooser()
{
    for (auto* group : { &bankButtons, &categoryButtons, &keypadButtons })
        for (auto& b : *group)
            b->removeListener (this);
    closeButton->removeListener (this);
}

KitButton* ProgramChooser::addButton (std::vector<std::unique_ptr<KitButton>>& group, const juce::String& caption, int id,
                              int x, int y, int w, int h)
{
    auto b = std::make_unique<KitButton> (caption, id);
    b->setBounds (x, y, w, h);
    b->addListener (this);
    addAndMakeVisible (*b);
    group.push_back (std::move (b));
    return group.back().get();
}

void ProgramChooser::setChannel (int c)
{
    channel = c;
    list->setChannel (c);
}

KitButton* ProgramChooser::findButton (const juce::String& caption) const
{
    if (closeButton->getText() == caption)
        return closeButton.get();
    for (auto* group : { &bankButtons, &categoryButtons, &keypadButtons })
        for (auto& b : *group)
            if (b->getText() == caption)
                return b.get();
    return nullptr;
}

KitButton* ProgramChooser::getCategoryButton (int category) const
{
    return juce::isPositiveAndBelow (category, categoryCount) ? categoryButtons[(size_t) category].get() : nullptr;
}

KitButton* ProgramChooser::getBankButton (int id) const
{
    for (auto& b : bankButtons)
        if (b->getIdentifier() == id)
            return b.get();
    return nullptr;
}

bool ProgramChooser::contains (const std::vector<std::unique_ptr<KitButton>>& group, const KitButton* button)
{
    for (auto& b : group)
        if (b.get() == button)
            return true;
    return false;
}

void ProgramChooser::setFilter (int newMode, int newArgument)
{
    mode = newMode;
    argument = newArgument;
    list->bind (mode, argument);
}

void ProgramChooser::highlight (KitButton* bank, KitButton* category)
{
    if (highlightedBank != nullptr)
        highlightedBank->setOn (false);
    if (highlightedCategory != nullptr)
        highlightedCategory->setOn (false);
    highlightedBank = bank;
    highlightedCategory = category;
    if (bank != nullptr)
        bank->setOn (true);
    if (category != nullptr)
        category->setOn (true);
}

void ProgramChooser::buttonPressed (KitButton* button, int identifier)
{
    // Identifiers repeat across the groups ("ALL" and "-" are both 200), so the group
    // is found by the button itself.
    if (button == closeButton.get())
    {
        if (onClose)
            onClose();
    }
    else if (contains (bankButtons, button))
        bankPressed (button, identifier);
    else if (contains (categoryButtons, button))
        categoryPressed (button, identifier);
    else if (contains (keypadButtons, button))
        keypadPressed (identifier);
}

void ProgramChooser::bankPressed (KitButton* button, int id)
{
    highlight (button, nullptr);
    if (id == allBank)
        setFilter (modeAll, 0);
    else
        setFilter (modeBank, id);
}

void ProgramChooser::categoryPressed (KitButton* button, int id)
{
    highlight (nullptr, button);
    setFilter (modeCategory, id - firstCategoryId);
}

void ProgramChooser::keypadPressed (int id)
{
    const int entry = display.isTyped() ? display.getTypedNumber() : 0;

    if (id >= 0 && id <= 9)
    {
        if (entry > 0 && entry <= largestExtendableEntry)
            display.setTyped (entry * 10 + id);
        else if (entry == 0 && id != 0)
            display.setTyped (id);
        return;
    }

    switch (id)
    {
        case clearKey:
            display.setNumber (display.getNumber());
            break;

        case enterKey:
            highlight (getBankButton (allBank), nullptr);
            setFilter (modeAll, 0);
            list->selectId (entry, true);
            // The list's 14 and 7 go out now, before anything else happens.
            list->dispatchPendingMessages();
            break;

        case minusKey:
        case plusKey:
        {
            list->selectIndex (list->getSelectedIndex() + (id == plusKey ? 1 : -1));
            list->dispatchPendingMessages();
            // Sent also when the step went past either end: the selection stays and is
            // chosen again. With nothing selected (after a filter) there is nothing to
            // choose, and no program 0 may go out.
            if (onEvent && list->getSelectedIndex() >= 0)
                onEvent (EditEvent::make (EditEvent::chosen, programParameter, programParameter, channel,
                                          list->getSelectedId()));
            break;
        }

        default:
            break;
    }
}

void ProgramChooser::paint (juce::Graphics& g)
{
    g.fillAll (juce::Colour (panelFill));
    g.setColour (juce::Colour (captionColour));
    g.setFont (juce::Font ("Arial", 13.0f, juce::Font::plain));
    g.drawText ("BANK", 360, 182, 74, 30, juce::Justification::centred);
    g.drawText ("CATEGORY", 560, 182, 200, 30, juce::Justification::centred);
    juce::SharedResourcePointer<ZD8LookAndFeel> look;
    for (auto r : { bankFrame, categoryFrame, keypadFrame })
        look->paintFrame (g, r.getX(), r.getY(), r.getWidth(), r.getHeight());
}

} // namespace zd8

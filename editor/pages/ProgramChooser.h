#pragma once

#include "editor/kit/Palette.h"
#include "editor/kit/KitButton.h"
#include "editor/kit/ObjectList.h"
#include "editor/kit/KitButtonListener.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <functional>
#include <memory>
#include <vector>

namespace zd8
{

class ObjectDisplay;
class EditorConnection;

/** The program chooser of the program page: a panel that covers the page while open,
    with the program list, bank and category filters, a numeric keypad and "CLOSE".

    The keypad types into the page's program display; "Enter", "+" and "-" choose
    through the list, whose events (code 14, then 7) reach the page through the list's
    change message. The code 7 that "+" and "-" raise after stepping the list does not
    come from the list itself and goes out through onEvent. Message thread only. */
class ProgramChooser : public juce::Component, public KitButtonListener
{
public:
    static constexpr int programParameter = 11;   // channel parameter number of the program row

    // Filter modes of the list (ObjectStore::listIds).
    static constexpr int modeBank = 1;
    static constexpr int modeCategory = 2;
    static constexpr int modeAll = 4;

    // Button identifiers.
    static constexpr int clearKey = 99;
    static constexpr int enterKey = 100;
    static constexpr int minusKey = 200;
    static constexpr int plusKey = 201;
    static constexpr int allBank = 200;
    static constexpr int factoryBank = 0;
    static constexpr int userBank = 1;
    static constexpr int firstCategoryId = 100;
    static constexpr int categoryCount = 15;
    static constexpr int closeId = 0;

    static constexpr juce::uint32 organCategoryColour = Palette::programChooserOrganCategory;

    ProgramChooser (EditorConnection& connection, ObjectDisplay& display);
    ~ProgramChooser() override;

    /** Events the panel raises itself (the code 7 after "+" and "-"). */
    std::function<void (juce::uint64)> onEvent;
    /** "CLOSE" was pressed; the page closes the chooser. */
    std::function<void()> onClose;

    ObjectList& getList() noexcept { return *list; }

    void setChannel (int c);
    int getChannel() const noexcept { return channel; }
    int getMode() const noexcept { return mode; }
    int getArgument() const noexcept { return argument; }

    /** The page tells the panel whether it is shown. */
    void setShown (bool shown) noexcept { visibleFlag = shown; }
    bool isShown() const noexcept { return visibleFlag; }

    /** The button with that caption, or nullptr ("1", "Enter", "ALL", "PIANO", ...). */
    KitButton* findButton (const juce::String& caption) const;
    KitButton* getCategoryButton (int category) const;
    KitButton* getBankButton (int id) const;

    /** Sets the filter, highlights nothing and refills the list. */
    void setFilter (int newMode, int newArgument);

    // KitButtonListener: every button of the panel reports here.
    void buttonPressed (KitButton* button, int identifier) override;

    void paint (juce::Graphics&) override;

private:
    KitButton* addButton (std::vector<std::unique_ptr<KitButton>>& group, const juce::String& caption, int id,
                       int x, int y, int w, int h);
    void bankPressed (KitButton* button, int id);
    void categoryPressed (KitButton* button, int id);
    void keypadPressed (int id);
    void highlight (KitButton* bank, KitButton* category);
    static bool contains (const std::vector<std::unique_ptr<KitButton>>& group, const KitButton* button);

    EditorConnection& connection;
    ObjectDisplay& display;
    std::unique_ptr<ObjectList> list;
    std::unique_ptr<KitButton> closeButton;
    std::vector<std::unique_ptr<KitButton>> bankButtons, categoryButtons, keypadButtons;
    KitButton* highlightedBank = nullptr;
    KitButton* highlightedCategory = nullptr;
    int mode = modeAll, argument = 0;
    int channel = 0;
    bool visibleFlag = false;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (ProgramChooser)
};

} // namespace zd8

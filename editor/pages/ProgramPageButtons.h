#pragma once

#include "editor/kit/KitButton.h"
#include "editor/kit/KitButtonListener.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <array>
#include <functional>
#include <memory>

namespace zd8
{

/** The program page's way to the pages about a channel's program: its parameter table
    (the controller assignments) and the selectors of the instrument's keymaps,
    algorithms, intonation tables, shift and velocity patterns and songs. A column of
    buttons; a press asks the page's owner through onRequest: code EditEvent::openTable
    for the table, or EditEvent::channelEvent with the selector's object type. Message
    thread only. */
class ProgramPageButtons : public juce::Component,
                           private KitButtonListener
{
public:
    static constexpr int buttonCount = 7;
    static constexpr int buttonWidth = 96, buttonHeight = 22, gap = 4;
    static constexpr int width = buttonWidth;
    static constexpr int height = buttonCount * buttonHeight + (buttonCount - 1) * gap;
    /** The identifier of the table's button; the selectors' buttons carry their type. */
    static constexpr int tableId = 1;

    struct Entry
    {
        const char* caption;
        int identifier;
    };
    static const std::array<Entry, buttonCount> entries;

    ProgramPageButtons();
    ~ProgramPageButtons() override;

    /** (event code, object type or 0). */
    std::function<void (int, int)> onRequest;

    /** The button with that caption, or nullptr. */
    KitButton* findButton (const juce::String& caption) const;
    KitButton& getButton (int index) noexcept { return *buttons[(size_t) index]; }

    void resized() override;

private:
    void buttonPressed (KitButton* button, int identifier) override;

    std::array<std::unique_ptr<KitButton>, buttonCount> buttons;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (ProgramPageButtons)
};

} // namespace zd8

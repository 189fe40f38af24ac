#pragma once

#include "editor/shell/MenuButton.h"
#include "editor/kit/KitButton.h"
#include "editor/shell/WindowButtons.h"
#include "editor/kit/KitButtonListener.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <memory>
#include <vector>

namespace zd8
{

/** The window's top bar: the page tabs, UNDO and REDO, and the menu button. It draws nothing itself
    (the window paints the bar behind it); a press stores the tab's identifier and sends
    the change message, and the window reads getLastPressed(). */
class TabBar : public juce::Component, public KitButtonListener, public juce::ChangeBroadcaster
{
public:
    // Tab identifiers.
    static constexpr int programTab = 301;
    static constexpr int multiTab = 302;
    static constexpr int mixerTab = 816;
    static constexpr int controlsTab = 817;
    static constexpr int midiTab = 77;
    static constexpr int keysTab = 967;
    static constexpr int aboutTab = 888;
    static constexpr int libraryButton = MenuButton::identifier;
    /** Take back the window's last edit, and make it again. */
    static constexpr int undoButton = 311;
    static constexpr int redoButton = 312;

    static constexpr int width = 1024;
    static constexpr int height = 64;

    TabBar();
    ~TabBar() override;

    /** Identifier of the last tab or button pressed (0 before any press). */
    int getLastPressed() const noexcept { return lastPressed; }

    /** Stores the identifier and sends the change message, as a press of that tab does. */
    void report (int identifier);

    /** Exactly one of "PROGRAM" (mode 1) and "MULTI" (mode 2) is lit. */
    void setMode (int playingMode);

    /** The tab of that identifier, nullptr for an unknown one. */
    KitButton* getTab (int identifier) const noexcept;
    MenuButton& getMenuButton() noexcept { return menuButton; }
    /** The window buttons; they stay hidden inside a host's window. */
    WindowButtons& getWindowButtons() noexcept { return windowButtons; }

    // KitButtonListener
    void buttonPressed (KitButton* button, int identifier) override;

private:
    int lastPressed = 0;
    std::vector<std::unique_ptr<KitButton>> tabs;
    MenuButton menuButton;
    WindowButtons windowButtons;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (TabBar)
};

} // namespace zd8

#include "editor/shell/TabBar.h"

#include "editor/kit/Palette.h"

namespace zd8
{

namespace
{
    struct TabPlace
    {
        const char* label;
        int identifier, x, width;
    };

    constexpr int tabY = 12, tabHeight = 33;
    constexpr float tabFontSize = 12.0f;
    constexpr TabPlace tabPlaces[] = {
        { "PROGRAM", TabBar::programTab, 42, 96 },
        { "MULTI", TabBar::multiTab, 143, 96 },
        { "MIXER", TabBar::mixerTab, 252, 90 },
        { "CONTROLS", TabBar::controlsTab, 347, 90 },
        { "MIDI", TabBar::midiTab, 477, 60 },
        { "KEYS", TabBar::keysTab, 542, 60 },
        { "ABOUT", TabBar::aboutTab, 607, 60 },
        // Between the tabs and the logo, in smaller type.
        { "UNDO", TabBar::undoButton, 671, 34 },
        { "REDO", TabBar::redoButton, 707, 34 },
    };
    constexpr float commandFontSize = 10.0f;

    constexpr int menuX = 0, menuY = 14;

    const juce::Colour tabNormal (Palette::tabBarTabNormal);
    const juce::Colour tabPressed (Palette::tabBarTabPressed);
    const juce::Colour tabOn (Palette::tabBarTabOn);
    const juce::Colour tabText (Palette::textBright);
}

TabBar::TabBar()
{
    setSize (width, height);
    // Only the tabs and the menu button take the mouse; the rest of the bar is the
    // window's painting (the logo lies under it).
    setInterceptsMouseClicks (false, true);

    for (const auto& place : tabPlaces)
    {
        const bool command = place.identifier == TabBar::undoButton || place.identifier == TabBar::redoButton;
        auto tab = std::make_unique<KitButton> (place.label, place.identifier, 0, command ? commandFontSize : tabFontSize);
        tab->setColours (tabNormal, tabPressed, tabOn, tabText);
        tab->setBounds (place.x, tabY, place.width, tabHeight);
        tab->addListener (this);
        addAndMakeVisible (*tab);
        tabs.push_back (std::move (tab));
    }

    menuButton.setTopLeftPosition (menuX, menuY);
    menuButton.onRelease = [this] (int identifier) { report (identifier); };
    addAndMakeVisible (menuButton);

    windowButtons.setTopLeftPosition (width - windowButtons.getWidth() - 8, 17);
    addChildComponent (windowButtons);
}

TabBar::~TabBar()
{
    for (auto& tab : tabs)
        tab->removeListener (this);
}

void TabBar::report (int identifier)
{
    lastPressed = identifier;
    sendChangeMessage();
}

void TabBar::buttonPressed (KitButton*, int identifier)
{
    report (identifier);
}

void TabBar::setMode (int playingMode)
{
    if (auto* program = getTab (programTab))
        program->setOn (playingMode != 2);
    if (auto* multi = getTab (multiTab))
        multi->setOn (playingMode == 2);
}

KitButton* TabBar::getTab (int identifier) const noexcept
{
    for (auto& tab : tabs)
        if (tab->getIdentifier() == identifier)
            return tab.get();
    return nullptr;
}

} // namespace zd8

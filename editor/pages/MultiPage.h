#pragma once

#include "editor/kit/ObjectDisplay.h"
#include "editor/kit/KitButton.h"
#include "editor/kit/ObjectList.h"
#include "editor/pages/MultiPageListener.h"
#include "editor/pages/ZonesArray.h"
#include "editor/kit/KitButtonListener.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <memory>
#include <mutex>
#include <vector>

namespace zd8
{

class EditorConnection;

/** The multi page: the list of the instrument's multis with bank filters and a keypad,
    the display of the multi on show, and its zone table.

    A choice in the list (or on the keypad) goes to the MultiPageListeners (the main window)
    as the list's EditEvent: code 7 to select the multi on the instrument, 14 to show it
    without sending. The main window loads the multi into the multi edit object and
    calls showMulti. The zone fields send their own changes. "WRITE" under the bank
    buttons asks for the write dialog of the multi on show (EditEvent code 20, object
    type 155 in the slot field, the multi as value). Message thread only. */
class MultiPage : public juce::Component, public KitButtonListener, private juce::ChangeListener
{
public:
    static constexpr char pageCode = '{';
    static constexpr int contentWidth = 970;
    static constexpr int contentHeight = 640;

    // Filter modes of the list (ObjectStore::listIds).
    static constexpr int modeBank = 1;
    static constexpr int modeAll = 4;

    // Button identifiers (the groups share 200: "ALL" and "-").
    static constexpr int factoryBank = 0;
    static constexpr int userBank = 1;
    static constexpr int allBank = 200;
    static constexpr int clearKey = 99;
    static constexpr int enterKey = 100;
    static constexpr int minusKey = 200;
    static constexpr int plusKey = 201;

    explicit MultiPage (EditorConnection& connection);
    ~MultiPage() override;

    /** Shows the page in the given area with its 970x640 content centred across it, and
        makes it the current page. */
    void open (int x, int y, int width, int height);
    /** Moves the page out of sight. */
    void hidePage();
    bool isPageVisible() const noexcept { return pageVisible; }

    /** Makes multi the selected multi, shows its number and name and rebuilds the zone
        table from the multi edit object (which the caller has loaded). */
    void showMulti (int multi);

    void addListener (MultiPageListener* listener);
    void removeListener (MultiPageListener* listener);

    ObjectList& getList() noexcept { return *list; }
    ObjectDisplay& getDisplay() noexcept { return *display; }
    ZonesArray& getZones() noexcept { return *zones; }
    /** The button with that caption ("FACTORY", "7", "Enter", "+"), or nullptr. */
    KitButton* findButton (const juce::String& caption) const;
    KitButton* getBankButton (int id) const;
    KitButton& getWriteButton() noexcept { return *writeButton; }
    int getMode() const noexcept { return mode; }
    int getArgument() const noexcept { return argument; }
    /** The content box: (x, 0, 970, 640) with x centring it on the page. */
    juce::Rectangle<int> getContentBox() const noexcept { return { contentX, 0, contentWidth, contentHeight }; }

    /** Sets the list's filter and refills it (no highlight changes). */
    void setFilter (int newMode, int newArgument);

    // KitButtonListener: the bank buttons and the keypad.
    void buttonPressed (KitButton* button, int identifier) override;

    void paint (juce::Graphics&) override;
    void resized() override;

private:
    KitButton* addButton (std::vector<std::unique_ptr<KitButton>>& group, const juce::String& caption, int id,
                       juce::Rectangle<int> place);
    void changeListenerCallback (juce::ChangeBroadcaster* source) override;
    void forwardListEvents();
    void post (juce::uint64 event);
    void bankPressed (KitButton* button, int id);
    void keypadPressed (int id);
    void highlightBank (KitButton* button);
    void layoutChildren();
    static bool contains (const std::vector<std::unique_ptr<KitButton>>& group, const KitButton* button);

    EditorConnection& connection;
    std::unique_ptr<ObjectDisplay> display;
    std::unique_ptr<ObjectList> list;
    std::unique_ptr<ZonesArray> zones;
    std::vector<std::unique_ptr<KitButton>> bankButtons, keypadButtons;
    std::unique_ptr<KitButton> writeButton;
    std::vector<juce::Rectangle<int>> bankPlaces, keypadPlaces;
    KitButton* highlightedBank = nullptr;
    int mode = modeAll, argument = 0;
    int contentX = 0;
    bool pageVisible = false;

    std::mutex listenerLock;
    juce::Array<MultiPageListener*> listeners;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (MultiPage)
};

} // namespace zd8

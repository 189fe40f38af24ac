#pragma once

#include "editor/kit/Palette.h"
#include "editor/kit/BigKnob.h"
#include "editor/kit/ObjectDisplay.h"
#include "editor/kit/KitButton.h"
#include "editor/kit/ObjectList.h"
#include "editor/pages/SelectorKeypad.h"
#include "editor/kit/KitButtonListener.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <array>
#include <memory>
#include <vector>

namespace zd8
{

class EditorConnection;
class ObjectStore;

/** A template selector: the page that lists one store's objects (keymaps, algorithms,
    intonation tables, shift and velocity patterns, songs; a row of `kinds` each), with
    a display of the chosen one, a keypad, a data knob, filter buttons and "OK".

    The selector never changes the instrument. It passes the list's events (7 chosen,
    14 selected without sending, with the object ID as value and the list number in
    the number fields) on unchanged, adds code 7 after a step of "-", "+" or the knob,
    and code 13 for "OK"; each goes into its queue followed by the change message, and
    the main window takes them with takeEvents(). Message thread only. */
class ObjectSelector : public juce::Component,
                    public juce::ChangeBroadcaster,
                    public KitButtonListener,
                    private juce::ChangeListener
{
public:
    /** What tells the template selectors apart. */
    struct Kind
    {
        int typeCode;           // the store listed
        int listNumber;         // the list's channel parameter number, set by the window
        char pageCode;
        int parameterNumber;
        bool categoryFilters;   // 21 category buttons (keymaps, velocity patterns)
        juce::Point<int> parkedAt;
        const char* title;      // shown above the object's name
    };

    static constexpr int contentWidth = 950;
    static constexpr int contentHeight = 598;
    static constexpr juce::uint32 pageFill = Palette::pageFill;

    // Button identifiers.
    static constexpr int okId = 0;
    static constexpr int editId = 6;
    static constexpr int libraryId = 6;
    static constexpr int allId = 200;
    static constexpr int factoryId = 0;
    static constexpr int userId = 1;
    static constexpr int firstCategoryId = 100;
    static constexpr int categoryButtonCount = 21;

    /** The kinds, in the order the window hides them: algorithms, keymaps, intonation
        tables, shift patterns, velocity patterns, songs. */
    static const std::array<Kind, 6> kinds;
    /** The kind listing typeCode's store, or nullptr. */
    static const Kind* kindOf (int typeCode) noexcept;

    ObjectSelector (EditorConnection& connection, const Kind& kind);
    ~ObjectSelector() override;

    const Kind& getKind() const noexcept { return kind; }

    /** Makes the selector visible and the current page, in the given area. */
    void open (int x, int y, int width, int height);
    /** Moves the selector out of sight (to its parking place, 50 x 50). */
    void park();
    /** Out of sight where it is (the song selector is never parked). */
    void setHidden();
    bool isShown() const noexcept { return shownFlag; }

    /** A new, empty list with the template's settings; the window calls it on every
        opening, then sets the list number, the filter and the selection. */
    void recreateList();
    ObjectList& getList() noexcept { return *list; }
    ObjectDisplay& getDisplay() noexcept { return *display; }
    BigKnob& getKnob() noexcept { return *knob; }

    /** The channel written into the selector's own events (and the list's). */
    void setChannel (int channel);
    int getChannel() const noexcept { return channel; }

    /** Sets the list's filter (mode 1 bank, 2 category, 4 every object) and lights the
        matching button ("ALL" for mode 4). */
    void setFilter (int mode, int argument);
    int getFilterMode() const noexcept { return filterMode; }
    int getFilterArgument() const noexcept { return filterArgument; }
    /** The lit filter button, or nullptr. */
    KitButton* getHighlighted() const noexcept { return highlighted; }

    /** Any button by caption ("OK", "ALL", "7", "Enter", ...), or nullptr. */
    KitButton* findButton (const juce::String& caption) const;
    /** The filter button with that identifier (0..19, 25, 32, 33, 200), or nullptr. */
    KitButton* getFilterButton (int id) const;
    /** Category button 0..20 (keymap and velocity selectors only), or nullptr. */
    KitButton* getCategoryButton (int category) const;

    /** The queued events, oldest first; empties the queue. */
    std::vector<juce::uint64> takeEvents();
    /** Passes the list's queued events on at once (they otherwise follow the list's own
        change message). */
    void forwardListEvents();

    // KitButtonListener: every button of the page.
    void buttonPressed (KitButton* button, int identifier) override;

    void paint (juce::Graphics&) override;
    void resized() override;

private:
    void changeListenerCallback (juce::ChangeBroadcaster* source) override;
    void post (int code, int value);
    void knobTurned();
    void filterPressed (KitButton* button, int id);
    void highlight (KitButton* button);
    void showObject (int id);
    int contentX() const noexcept;
    KitButton* addButton (std::vector<std::unique_ptr<KitButton>>& group, const juce::String& caption, int id);

    EditorConnection& connection;
    const Kind kind;
    const ObjectStore& store;

    std::unique_ptr<ObjectList> list;
    std::unique_ptr<ObjectDisplay> display;
    std::unique_ptr<BigKnob> knob;
    std::unique_ptr<SelectorKeypad> keypad;
    std::unique_ptr<KitButton> okButton, editButton, libraryButton;
    std::vector<std::unique_ptr<KitButton>> filterButtons, categoryButtons;
    std::vector<juce::Point<int>> filterPlaces, categoryPlaces;

    int channel = 0;
    int filterMode = 4, filterArgument = 0;
    KitButton* highlighted = nullptr;
    bool shownFlag = false;

    std::vector<juce::uint64> events;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (ObjectSelector)
};

} // namespace zd8

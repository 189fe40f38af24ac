#pragma once

#include "editor/kit/BigKnob.h"
#include "editor/kit/ObjectDisplay.h"
#include "editor/kit/KitButton.h"
#include "editor/kit/ObjectList.h"
#include "editor/pages/SelectorKeypad.h"
#include "editor/kit/KitButtonListener.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <memory>
#include <vector>

namespace zd8
{

class FxChainStore;
class EditorConnection;

/** The FX chain selector: picks the insert, Aux 1 or Aux 2 chain of one channel from
    the FX chain store, filtered by effect category ("Reverb" .. "EQ", the data knob
    steps through them), with a keypad, "SELECT NONE" and "CLOSE".

    The main window creates it for each use and destroys it when hidden. Events go to
    the queue followed by the change message: the list's own (7 chosen, 14 selected
    without sending, value = chain, number = slot type 0, 3 or 6), code 7 after a
    step of "-" or "+", code 7 with 0 for "SELECT NONE" and 13 for "CLOSE". The main
    window applies them; the selector itself changes nothing. Message thread only. */
class FxChainSelector : public juce::Component,
                    public juce::ChangeBroadcaster,
                    public KitButtonListener,
                    private juce::ChangeListener
{
public:
    static constexpr char pageCode = 'u';
    static constexpr int contentWidth = 1010;
    static constexpr int contentHeight = 640;

    // Slot types: the channel row each one changes.
    static constexpr int insertType = 0;
    static constexpr int aux1Type = 3;
    static constexpr int aux2Type = 6;

    static constexpr int closeId = 0;
    static constexpr int noneId = 0;
    static constexpr int allId = 200;
    static constexpr int firstCategoryId = 100;
    static constexpr int categoryButtonCount = 18;   // "------", then "Reverb" .. "EQ"

    explicit FxChainSelector (EditorConnection& connection);
    ~FxChainSelector() override;

    /** Stores the slot type (0, 3 or 6) and makes a new list of FX chains for it. */
    void setType (int type);
    /** Makes the selector visible and the current page ("u") for (channel, type) with
        chain shown as the current one. */
    void open (int channel, int type, int chain, int x, int y, int width, int height);
    /** Shows chain in the display, but only for the selector's own channel and type. */
    void showCurrent (int channel, int type, int chain);

    int getChannel() const noexcept { return channel; }
    int getType() const noexcept { return type; }
    int getChain() const noexcept { return chain; }

    ObjectList& getList() noexcept { return *list; }
    ObjectDisplay& getDisplay() noexcept { return *display; }
    BigKnob& getKnob() noexcept { return *knob; }

    /** Any button by caption ("CLOSE", "SELECT NONE", "ALL", "Reverb", "7", ...). */
    KitButton* findButton (const juce::String& caption) const;
    /** Effect category button 0..17, or nullptr. */
    KitButton* getCategoryButton (int category) const;
    /** The lit filter: 0 for "ALL", 1..17 for an effect category. */
    int getFilter() const noexcept { return filter; }
    /** Lights "ALL" (0) or an effect category (1..17) and lists its chains. */
    void setFilter (int category);

    /** The chains of an effect category, each once, in the store's order of the
        category list. */
    static std::vector<int> chainsToList (const FxChainStore& chains, const juce::String& categoryName);

    std::vector<juce::uint64> takeEvents();
    /** Passes the list's queued events on at once. */
    void forwardListEvents();

    void buttonPressed (KitButton* button, int identifier) override;

    void paint (juce::Graphics&) override;
    void resized() override;

private:
    void changeListenerCallback (juce::ChangeBroadcaster* source) override;
    void post (int code, int value);
    void knobTurned();
    int contentX() const noexcept;

    EditorConnection& connection;
    std::unique_ptr<ObjectList> list;
    std::unique_ptr<ObjectDisplay> display;
    std::unique_ptr<BigKnob> knob;
    std::unique_ptr<SelectorKeypad> keypad;
    std::unique_ptr<KitButton> closeButton, noneButton, allButton;
    std::vector<std::unique_ptr<KitButton>> categoryButtons;

    int channel = 0, type = insertType, chain = 0;
    int filter = 0;
    std::vector<juce::uint64> events;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (FxChainSelector)
};

} // namespace zd8

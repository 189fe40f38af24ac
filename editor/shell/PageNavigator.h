#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include <array>
#include <memory>

namespace zd8
{

class ControlsPage;
class EditorConnection;
class FxChainSelector;
class ObjectSelector;
class MainPanel;
class MixerPage;
class MultiPage;
class EditorConnection;
class ParameterTablePage;
class ProgramPage;

/** The pages of the window. The values are what the editor session keeps as the
    current and previous page (the codes the pages enter when they are shown); the
    parameter table is never the session's page. */
enum class Page : int
{
    mixer = 'q',
    program = 'z',
    controls = 'o',
    multi = '{',
    parameterTable = 'p',
    algorithmSelector = 't',
    fxChainSelector = 'u',
    keymapSelector = 'v',
    intonationSelector = 'w',
    shiftSelector = 'x',
    velocitySelector = 'y',
    songSelector = '|'
};

/** Which pages the window shows, and the pages themselves: it makes each page on first
    use, shows it in its area, hides it (parked out of sight) and brings back the page
    the session had before a selector. Several pages can be shown at once: the mixer as
    a strip above the program page or a selector.

    The selectors' events (a choice, "OK", "CLOSE") are handled here; the other pages
    report to the window, which asks for the pages to show. Message thread only. */
class PageNavigator : private juce::ChangeListener
{
public:
    static constexpr int pageCount = 12;
    /** The pages in the order hiding all pages hides them. */
    static const std::array<Page, pageCount> hidingOrder;

    PageNavigator (MainPanel& window, EditorConnection& connection);
    ~PageNavigator() override;

    /** Makes the mixer, which is there from the start. */
    void createMixer();

    bool isShown (Page page) const noexcept;
    /** The mixer shows only its top row (above the program page or a selector). */
    bool isMixerStrip() const noexcept { return isShown (Page::mixer) && mixerAsStrip; }

    MixerPage& getMixer() noexcept { return *mixer; }
    ProgramPage* getProgramPage() noexcept { return programPage.get(); }
    ParameterTablePage* getParameterTable() noexcept { return parameterTable.get(); }
    ControlsPage* getControlsPage() noexcept { return controlsPage.get(); }
    MultiPage* getMultiPage() noexcept { return multiPage.get(); }
    FxChainSelector* getFxChainSelector() noexcept { return fxChainSelector.get(); }
    /** The selector of an object type once it was opened, else nullptr. */
    ObjectSelector* getSelector (int objectType) noexcept;
    bool isSelectorShown (int objectType) const noexcept;

    /** Where the pages are drawn: between the tab bar and the status line, or the top of
        the keyboard panel while it is shown. */
    juce::Rectangle<int> getPageArea() const noexcept;
    /** Where the pages are laid out: the page area at its full height, the panel hidden.
        While the page area is shorter, each page keeps this layout and is drawn scaled
        down (aspect kept, centred across the area) so the whole of it shows and its
        controls take clicks where they are drawn. */
    juce::Rectangle<int> getLayoutArea() const noexcept;
    /** The selectors' and the program page's bounds: the layout area below the mixer strip. */
    juce::Rectangle<int> getSelectorArea() const noexcept;
    /** The transform every shown page is drawn with: none at full height. */
    juce::AffineTransform getPageTransform() const noexcept;

    /** Playing mode from the slot (1 program, 2 multi). */
    int playingModeNow() const noexcept;
    int programOfChannel (int channel) const noexcept;

    //==============================================================================
    /** Hides every page, in hidingOrder. Hiding a shown selector brings back the page
        it was opened from (which may stay shown when it comes earlier in the order). */
    void hideAll();
    /** Hides every page, then shows the mixer over the page area. */
    void showMixerPage();
    /** Shows again the page that was the session's page ("q" mixer over the whole
        area, "z" program, "o" controls, "{" multi, a template selector); any other
        shows nothing. */
    void showPage (Page page);
    /** Shows the program page for channel 0..15 with that program (above it the mixer
        strip in program mode). Hides nothing. */
    void showProgramPage (int channel, int program);
    /** The multi page in the page area, showing the selected multi. Hides nothing. */
    void showMultiPage();
    void refreshMultiPage();
    /** Hides every page, then shows the controls page. */
    void showControlsPage();
    /** Hides every page; the parameter table for a channel takes the page area. */
    void openParameterTable (int channel);
    /** Hides every page and opens the selector of an object type (149 algorithm, 133
        keymap, 103 intonation table, 163 shift pattern, 164 velocity pattern, 112
        song) for channel 0..15, with currentObject selected. Any other type opens
        nothing. */
    void openObjectSelector (int objectType, int channel, int currentObject);
    /** Hides every page and opens the FX chain selector for a channel's insert (0),
        Aux 1 (3) or Aux 2 (6) chain, created anew, with the slot's chain selected. */
    void openFxChainSelector (int channel, int type);

    /** The shown pages to the window's new size. */
    void layout();

private:
    // The template selectors, in the order in which hiding all pages hides them (the
    // FX chain selector goes between the first two), which is ObjectSelector::kinds'.
    enum SelectorIndex : size_t
    {
        algorithmSelector,
        keymapSelector,
        intonationSelector,
        shiftSelector,
        velocitySelector,
        songSelector,
        selectorCount
    };
    static size_t selectorIndexOf (int objectType) noexcept;
    static Page selectorPage (size_t index) noexcept;
    static size_t indexOf (Page page) noexcept;
    void setShown (Page page, bool shown);

    void hide (Page page);
    void hideMixer();
    void showMixerAt (juce::Rectangle<int> area, bool asStrip);
    /** Opens selector index in the selector area without hiding anything. */
    void showSelector (size_t index, int channel, int currentObject);
    /** Hides a shown selector (the song selector keeps its place), then shows the
        session's previous page again. */
    void hideSelector (size_t index);
    /** Destroys the FX chain selector, then shows the session's previous page. */
    void hideFxChainSelector();
    juce::Rectangle<int> getFxChainSelectorArea() const noexcept;
    void fitToShownArea (juce::Component& page) const;

    void changeListenerCallback (juce::ChangeBroadcaster* source) override;
    void selectorEvents (ObjectSelector& selector);
    void fxChainSelectorEvents();

    MainPanel& window;
    EditorConnection& connection;

    std::array<bool, pageCount> shown {};
    bool mixerAsStrip = false;

    std::unique_ptr<MixerPage> mixer;
    std::unique_ptr<ProgramPage> programPage;
    std::array<std::unique_ptr<ObjectSelector>, selectorCount> selectors;
    std::unique_ptr<FxChainSelector> fxChainSelector;
    std::unique_ptr<ParameterTablePage> parameterTable;
    std::unique_ptr<ControlsPage> controlsPage;
    std::unique_ptr<MultiPage> multiPage;

    JUCE_DECLARE_NON_COPYABLE (PageNavigator)
};

} // namespace zd8

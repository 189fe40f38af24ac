#include "editor/shell/PageNavigator.h"

#include "editor/kit/EditEvent.h"
#include "editor/pages/ControlsPage.h"
#include "editor/pages/FxChainSelector.h"
#include "editor/pages/ObjectSelector.h"
#include "editor/pages/MixerPage.h"
#include "editor/pages/MultiPage.h"
#include "editor/pages/ParameterTablePage.h"
#include "editor/pages/ProgramPage.h"
#include "editor/shell/MainPanel.h"
#include "model/InstrumentImage.h"
#include "model/ObjectStore.h"
#include "model/ParameterTable.h"
#include "plugin/EditorSession.h"

namespace zd8
{

namespace
{
    const juce::Point<int> mixerParked (-4000, 50);
    const juce::Point<int> controlsParked (-2000, -2000);
    const juce::Point<int> parameterTableParked (-4000, -3000);
    constexpr int parkedSize = 50;
    // The FX chain selector takes the page area less this strip at the bottom.
    constexpr int fxChainSelectorShortening = 20;

    bool isChainType (int type) noexcept
    {
        return type == FxChainSelector::insertType || type == FxChainSelector::aux1Type || type == FxChainSelector::aux2Type;
    }
}

// The pages enter these codes into the session themselves when they are shown.
static_assert ((int) Page::program == ProgramPage::pageCode);
static_assert ((int) Page::controls == ControlsPage::pageCode);
static_assert ((int) Page::multi == MultiPage::pageCode);
static_assert ((int) Page::fxChainSelector == FxChainSelector::pageCode);
static_assert ((int) Page::mixer == EditorSession::firstPage, "a new session is on the mixer");

const std::array<Page, PageNavigator::pageCount> PageNavigator::hidingOrder {
    Page::controls, Page::mixer, Page::algorithmSelector, Page::fxChainSelector, Page::keymapSelector,
    Page::intonationSelector, Page::shiftSelector, Page::velocitySelector, Page::program, Page::multi,
    Page::songSelector, Page::parameterTable
};

PageNavigator::PageNavigator (MainPanel& w, EditorConnection& c) : window (w), connection (c) {}

PageNavigator::~PageNavigator()
{
    if (programPage != nullptr)
        programPage->removeListener (&window);
    if (multiPage != nullptr)
        multiPage->removeListener (&window);
    if (parameterTable != nullptr)
        parameterTable->removeChangeListener (&window);
    if (mixer != nullptr)
        mixer->removeChangeListener (&window);
}

void PageNavigator::createMixer()
{
    mixer = std::make_unique<MixerPage> (connection);
    mixer->addChangeListener (&window);
    window.addChildComponent (*mixer);
}

//==============================================================================
size_t PageNavigator::indexOf (Page page) noexcept
{
    for (size_t i = 0; i < hidingOrder.size(); ++i)
        if (hidingOrder[i] == page)
            return i;
    return hidingOrder.size();
}

bool PageNavigator::isShown (Page page) const noexcept
{
    if (page == Page::fxChainSelector)
        return fxChainSelector != nullptr;
    const auto i = indexOf (page);
    return i < shown.size() && shown[i];
}

void PageNavigator::setShown (Page page, bool isNowShown)
{
    const auto i = indexOf (page);
    if (i < shown.size() && shown[i] != isNowShown)
    {
        shown[i] = isNowShown;
        // Another page: the notes played on the one before end with it.
        window.releaseHeldNotes();
    }
}

size_t PageNavigator::selectorIndexOf (int objectType) noexcept
{
    const auto* kind = ObjectSelector::kindOf (objectType);
    return kind != nullptr ? (size_t) (kind - ObjectSelector::kinds.data()) : selectorCount;
}

Page PageNavigator::selectorPage (size_t index) noexcept
{
    return (Page) ObjectSelector::kinds[juce::jmin (index, selectorCount - 1)].pageCode;
}

ObjectSelector* PageNavigator::getSelector (int objectType) noexcept
{
    const auto index = selectorIndexOf (objectType);
    return index < selectorCount ? selectors[index].get() : nullptr;
}

bool PageNavigator::isSelectorShown (int objectType) const noexcept
{
    const auto index = selectorIndexOf (objectType);
    return index < selectorCount && isShown (selectorPage (index));
}

juce::Rectangle<int> PageNavigator::getPageArea() const noexcept
{
    return getLayoutArea().withBottom (window.getPageBottom());
}

juce::Rectangle<int> PageNavigator::getLayoutArea() const noexcept
{
    return { MainPanel::sideWidth, MainPanel::topBarHeight, window.getWidth() - 2 * MainPanel::sideWidth,
             window.getHeight() - MainPanel::footerHeight - MainPanel::topBarHeight };
}

juce::Rectangle<int> PageNavigator::getSelectorArea() const noexcept
{
    return getLayoutArea().withTrimmedTop (MainPanel::mixerStripHeight);
}

juce::Rectangle<int> PageNavigator::getFxChainSelectorArea() const noexcept
{
    return getLayoutArea().withTrimmedBottom (fxChainSelectorShortening);
}

juce::AffineTransform PageNavigator::getPageTransform() const noexcept
{
    const auto layoutArea = getLayoutArea();
    const auto drawn = getPageArea();
    if (drawn.getHeight() >= layoutArea.getHeight() || layoutArea.getHeight() <= 0)
        return {};

    // Shrunk about the area's top left corner, then moved right by half the width it
    // gave up, so the page stands in the middle of the area above the panel.
    const float s = (float) juce::jmax (0, drawn.getHeight()) / (float) layoutArea.getHeight();
    return juce::AffineTransform::scale (s, s, (float) layoutArea.getX(), (float) layoutArea.getY())
        .translated ((float) layoutArea.getWidth() * (1.0f - s) * 0.5f, 0.0f);
}

void PageNavigator::fitToShownArea (juce::Component& page) const
{
    page.setTransform (getPageTransform());
}

int PageNavigator::playingModeNow() const noexcept
{
    const int mode = connection.getSlotValue (ParameterTable::playingModeSlot);
    return mode == EditorConnection::multiMode ? EditorConnection::multiMode : EditorConnection::programMode;
}

int PageNavigator::programOfChannel (int channel) const noexcept
{
    return connection.getSlotValue (ParameterTable::programSlot (channel, ParameterTable::programRow));
}

//==============================================================================
void PageNavigator::hideAll()
{
    for (auto page : hidingOrder)
        hide (page);
}

void PageNavigator::hide (Page page)
{
    switch (page)
    {
        case Page::mixer: hideMixer(); return;
        case Page::fxChainSelector: hideFxChainSelector(); return;
        case Page::controls:
            setShown (page, false);
            if (controlsPage != nullptr)
            {
                controlsPage->setBounds ({ controlsParked.x, controlsParked.y, parkedSize, parkedSize });
                controlsPage->setVisible (false);
            }
            return;
        case Page::program:
            setShown (page, false);
            if (programPage != nullptr)
                programPage->hidePage();
            return;
        case Page::multi:
            setShown (page, false);
            if (multiPage != nullptr)
                multiPage->hidePage();
            return;
        case Page::parameterTable:
            setShown (page, false);
            if (parameterTable != nullptr)
            {
                parameterTable->closePage();
                parameterTable->setBounds ({ parameterTableParked.x, parameterTableParked.y, parkedSize, parkedSize });
                parameterTable->setVisible (false);
            }
            return;
        case Page::algorithmSelector: hideSelector (algorithmSelector); return;
        case Page::keymapSelector: hideSelector (keymapSelector); return;
        case Page::intonationSelector: hideSelector (intonationSelector); return;
        case Page::shiftSelector: hideSelector (shiftSelector); return;
        case Page::velocitySelector: hideSelector (velocitySelector); return;
        case Page::songSelector: hideSelector (songSelector); return;
        default: return;
    }
}

void PageNavigator::hideMixer()
{
    setShown (Page::mixer, false);
    mixerAsStrip = false;
    mixer->setHidden();
    mixer->setBounds ({ mixerParked.x, mixerParked.y, parkedSize, parkedSize });
    mixer->setVisible (false);
}

void PageNavigator::showMixerAt (juce::Rectangle<int> area, bool asStrip)
{
    mixer->setBounds (area);
    fitToShownArea (*mixer);
    mixer->show();
    setShown (Page::mixer, true);
    mixerAsStrip = asStrip;
}

void PageNavigator::showMixerPage()
{
    hideAll();
    showMixerAt (getLayoutArea(), false);
    window.keepKeyboardInFront();
}

void PageNavigator::showPage (Page page)
{
    switch (page)
    {
        case Page::mixer: showMixerAt (getLayoutArea(), false); return;
        case Page::controls: showControlsPage(); return;
        case Page::multi: showMultiPage(); return;
        case Page::program:
        {
            const int channel = programPage != nullptr ? programPage->getChannel() : connection.getMidiChannel() - 1;
            showProgramPage (channel, programOfChannel (channel));
            return;
        }
        default: break;
    }

    for (size_t i = 0; i < selectorCount; ++i)
        if (selectorPage (i) == page && selectors[i] != nullptr && ! isShown (page))
            showSelector (i, selectors[i]->getChannel(), selectors[i]->getList().getSelectedId());
}

void PageNavigator::showProgramPage (int channel, int program)
{
    if (playingModeNow() == EditorConnection::programMode)
        showMixerAt (getLayoutArea().withHeight (MainPanel::mixerStripHeight), true);

    if (programPage == nullptr)
    {
        programPage = std::make_unique<ProgramPage> (connection);
        programPage->addListener (&window);
        window.addChildComponent (*programPage);
    }

    // The chooser lists every program with the channel's own one selected (quietly:
    // the list's code 14 only schedules the page's refresh).
    auto& list = programPage->getProgramList();
    list.setParameterNumber (ParameterTable::programRow);
    list.setChannel (channel);
    list.bind (4, 0);
    list.selectId (program, false);

    const auto area = getSelectorArea();
    programPage->open (channel, area.getX(), area.getY(), area.getWidth(), area.getHeight());
    fitToShownArea (*programPage);
    programPage->showProgram (channel, program);
    setShown (Page::program, true);
    window.keepOverlaysInFront();
}

void PageNavigator::showMultiPage()
{
    if (multiPage == nullptr)
    {
        multiPage = std::make_unique<MultiPage> (connection);
        multiPage->addListener (&window);
        window.addChildComponent (*multiPage);
    }

    const auto area = getLayoutArea();
    multiPage->open (area.getX(), area.getY(), area.getWidth(), area.getHeight());
    fitToShownArea (*multiPage);
    multiPage->showMulti (connection.getImage().getSelectedMulti());
    setShown (Page::multi, true);
    window.keepOverlaysInFront();
}

void PageNavigator::refreshMultiPage()
{
    if (multiPage != nullptr)
        multiPage->showMulti (connection.getImage().getSelectedMulti());
}

void PageNavigator::showControlsPage()
{
    hideAll();
    if (controlsPage == nullptr)
    {
        controlsPage = std::make_unique<ControlsPage> (connection);
        window.addChildComponent (*controlsPage);
    }
    controlsPage->setBounds (getLayoutArea());
    fitToShownArea (*controlsPage);
    controlsPage->showAllValues();
    controlsPage->setVisible (true);
    setShown (Page::controls, true);
    connection.getEditorSession().enterPage ((int) Page::controls);
    window.keepOverlaysInFront();
}

void PageNavigator::openParameterTable (int channel)
{
    hideAll();
    if (parameterTable == nullptr)
    {
        parameterTable = std::make_unique<ParameterTablePage> (connection);
        parameterTable->addChangeListener (&window);
        window.addChildComponent (*parameterTable);
    }

    const auto area = getLayoutArea();
    parameterTable->open (channel, area.getX(), area.getY(), area.getWidth(), area.getHeight());
    fitToShownArea (*parameterTable);
    setShown (Page::parameterTable, true);
    window.keepOverlaysInFront();
}

//==============================================================================
// Selectors

void PageNavigator::openObjectSelector (int objectType, int channel, int currentObject)
{
    const auto index = selectorIndexOf (objectType);
    if (index >= selectorCount || ! juce::isPositiveAndBelow (channel, InstrumentImage::numChannels))
        return;
    hideAll();
    // Hiding a shown selector brings back the page it was opened from; the mixer stays
    // as the strip above the selector area.
    if (isShown (Page::mixer))
        showMixerAt (getLayoutArea().withHeight (MainPanel::mixerStripHeight), true);
    showSelector (index, channel, currentObject);
}

void PageNavigator::showSelector (size_t index, int channel, int currentObject)
{
    auto& selector = selectors[index];
    if (selector == nullptr)
    {
        selector = std::make_unique<ObjectSelector> (connection, ObjectSelector::kinds[index]);
        selector->addChangeListener (this);
        window.addChildComponent (*selector);
    }

    // A new list on every opening, showing every object with the current one selected
    // quietly: the list raises its code 14 and no code 7.
    selector->recreateList();
    selector->setChannel (channel);
    selector->getList().setParameterNumber (selector->getKind().listNumber);
    selector->setFilter (ObjectStore::listPresent, 0);
    selector->getList().selectId (currentObject, false);
    selector->forwardListEvents();

    const auto area = getSelectorArea();
    selector->open (area.getX(), area.getY(), area.getWidth(), area.getHeight());
    fitToShownArea (*selector);
    setShown (selectorPage (index), true);
    window.keepOverlaysInFront();
}

void PageNavigator::hideSelector (size_t index)
{
    if (index >= selectorCount || ! isShown (selectorPage (index)))
        return;
    setShown (selectorPage (index), false);
    // The song selector keeps its place (it is shown again where it was) but must not
    // stay over the page that comes back.
    if (index == songSelector)
        selectors[index]->setHidden();
    else
        selectors[index]->park();
    showPage ((Page) connection.getEditorSession().getPreviousPage());
}

void PageNavigator::openFxChainSelector (int channel, int type)
{
    if (! juce::isPositiveAndBelow (channel, InstrumentImage::numChannels) || ! isChainType (type))
        return;

    hideAll();
    const int chain = connection.getSlotValue (ParameterTable::programSlot (channel, type));

    fxChainSelector = std::make_unique<FxChainSelector> (connection);
    fxChainSelector->addChangeListener (this);
    window.addChildComponent (*fxChainSelector);
    fxChainSelector->setType (type);
    auto& list = fxChainSelector->getList();
    list.setChannel (channel);
    list.bind (ObjectStore::listPresent, 0);
    list.selectId (chain, false);

    const auto area = getFxChainSelectorArea();
    fxChainSelector->open (channel, type, chain, area.getX(), area.getY(), area.getWidth(), area.getHeight());
    fitToShownArea (*fxChainSelector);
    fxChainSelector->forwardListEvents();
    window.keepOverlaysInFront();
}

void PageNavigator::hideFxChainSelector()
{
    if (fxChainSelector == nullptr)
        return;
    fxChainSelector->removeChangeListener (this);
    fxChainSelector->setVisible (false);
    window.removeChildComponent (fxChainSelector.get());
    // Its own "CLOSE" may be what is being handled: deleted after this call returns.
    window.retire (std::move (fxChainSelector));
    showPage ((Page) connection.getEditorSession().getPreviousPage());
}

void PageNavigator::changeListenerCallback (juce::ChangeBroadcaster* source)
{
    if (fxChainSelector != nullptr && source == fxChainSelector.get())
        fxChainSelectorEvents();
    else if (auto* selector = dynamic_cast<ObjectSelector*> (source))
        selectorEvents (*selector);
}

void PageNavigator::selectorEvents (ObjectSelector& selector)
{
    size_t index = selectorCount;
    for (size_t i = 0; i < selectorCount; ++i)
        if (selectors[i].get() == &selector)
            index = i;
    if (index >= selectorCount)
        return;

    // A choice changes nothing the plug-in keeps (these objects are not edited here);
    // "OK" closes the selector.
    for (auto event : selector.takeEvents())
        if (EditEvent::code (event) == EditEvent::closePage)
            hideSelector (index);
}

void PageNavigator::fxChainSelectorEvents()
{
    if (fxChainSelector == nullptr)
        return;

    for (auto event : fxChainSelector->takeEvents())
    {
        const int code = EditEvent::code (event);
        if (code == EditEvent::closePage)
        {
            hideFxChainSelector();
            return;
        }

        const int type = EditEvent::slot (event);
        if ((code != EditEvent::chosen && code != EditEvent::selectedQuietly) || ! isChainType (type))
            continue;

        const int channel = EditEvent::channel (event);
        const int chain = EditEvent::value (event);
        const int slot = ParameterTable::programSlot (channel, type);
        // A choice reloads the channel's chains and goes to the host; the instrument
        // is not told (the FX chain rows are never sent).
        if (code == EditEvent::chosen)
            connection.setSlotFromEditor (slot, chain);
        mixer->showValue (slot, chain);
        fxChainSelector->showCurrent (channel, type, chain);
    }
}

//==============================================================================
void PageNavigator::layout()
{
    // Every shown page keeps its layout at the full height; while the keyboard panel
    // leaves less room, each is drawn smaller by the same transform (see getPageTransform).
    auto place = [this] (juce::Component& page, juce::Rectangle<int> bounds)
    {
        page.setBounds (bounds);
        fitToShownArea (page);
    };

    if (isShown (Page::mixer))
        place (*mixer, mixerAsStrip ? getLayoutArea().withHeight (MainPanel::mixerStripHeight) : getLayoutArea());
    if (isShown (Page::program) && programPage != nullptr)
        place (*programPage, getSelectorArea());
    for (size_t i = 0; i < selectorCount; ++i)
        if (isShown (selectorPage (i)))
            place (*selectors[i], getSelectorArea());
    if (fxChainSelector != nullptr)
        place (*fxChainSelector, getFxChainSelectorArea());
    if (isShown (Page::controls))
    {
        place (*controlsPage, getLayoutArea());
        auto& session = connection.getEditorSession();
        if (session.getCurrentPage() != (int) Page::controls)
            session.enterPage ((int) Page::controls);
    }
    if (isShown (Page::multi) && multiPage != nullptr)
        place (*multiPage, getLayoutArea());
    if (isShown (Page::parameterTable))
        place (*parameterTable, getLayoutArea());
}

} // namespace zd8

#include "editor/shell/MainPanel.h"

#include "editor/shell/AboutPanel.h"
#include "editor/shell/TabBar.h"
#include "editor/shell/StatusBar.h"
#include "editor/kit/EditEvent.h"
#include "editor/library/LibraryContent.h"
#include "editor/library/LibraryWindow.h"
#include "editor/kit/Pictures.h"
#include "editor/shell/SidePanel.h"
#include "editor/pages/AlgorithmSelector.h"
#include "editor/pages/MixerPage.h"
#include "editor/pages/FxChainSelector.h"
#include "editor/pages/KeymapSelector.h"
#include "editor/pages/IntonationSelector.h"
#include "editor/pages/ShiftPatternSelector.h"
#include "editor/pages/VelocityPatternSelector.h"
#include "editor/pages/SongSelector.h"
#include "editor/pages/KeysPage.h"
#include "editor/pages/MidiSetupPanel.h"
#include "editor/pages/ProgramPage.h"
#include "editor/shell/ReceiveDialog.h"
#include "editor/shell/WriteDialog.h"
#include "editor/pages/ControlsPage.h"
#include "editor/pages/MultiPage.h"
#include "editor/pages/ParameterTablePage.h"
#include "link/SysexProtocol.h"
#include "plugin/VantorAudioProcessor.h"

namespace zd8
{

namespace
{
    const juce::Colour windowBack (0xff191919);
    const juce::Point<int> mixerParked (-4000, 50);
    // The FX chain selector takes the page area less this strip at the bottom.
    constexpr int fxChainSelectorShortening = 20;
    const juce::Point<int> controlsParked (-2000, -2000);
    const juce::Point<int> parameterTableParked (-4000, -3000);
    constexpr int parkedSize = 50;

    // Where the logo goes: its whole 564 x 62 picture scaled into this box, measured
    // from the window's right edge.
    constexpr int logoFromRight = 261, logoY = 23, logoWidth = 225, logoHeight = 24;

    // Notice codes (the top byte of a notice word).
    constexpr int onLineNotice = 0x03;
    constexpr int offLineNotice = 0x04;
    constexpr int arrangementNotice = 0x0B;
    constexpr int noteOnNotice = 0x90;
    constexpr int noteOffNotice = 0x80;
    constexpr int controllerNotice = 0xB0;
    constexpr int pitchBendNotice = 0xE0;
    constexpr int modulationController = 1;

    // The keyboard panel's pitch wheel (0..127) times this is the bend sent.
    constexpr int pitchWheelStep = 128;

    // Parameter-change words: kind in bits 48..63 (1 = a slot changed).
    constexpr int slotChangedKind = 1;
    // Values of 32770 and above are negative values cut to 16 bits.
    constexpr int firstNegativeValue = 32770;

    // Channel events of the mixer page (code 12) with this sub-kind ask for the
    // channel's program page.
    constexpr int programSubKind = ParameterTable::programRow;

    const juce::String onLineSuffix (": ON-LINE");
    const juce::String offLineText ("OFF-LINE");
}

MainPanel::MainPanel (VantorAudioProcessor& p) : juce::AudioProcessorEditor (p), processor (p)
{
    auto& h = hub();
    noticeScratch.reserve (1024);
    slotScratch.reserve (1024);

    h.addStateListener (this);

    logo = Pictures::get ("logo");

    h.setTransferFlag (false);

    leftSide = std::make_unique<SidePanel>();
    rightSide = std::make_unique<SidePanel>();
    addAndMakeVisible (*leftSide);
    addAndMakeVisible (*rightSide);

    keyboard = std::make_unique<KeysPage> (h);
    keyboard->place (defaultHeight - keyboardHeight, defaultWidth - 2 * sideWidth, keyboardHeight);
    addChildComponent (*keyboard);
    keyboard->getPitchWheel().addChangeListener (this);
    keyboard->getModWheel().addChangeListener (this);
    keyboard->getVelocity().addChangeListener (this);
    keyboard->getOctaveStrip().addChangeListener (this);

    tabBar = std::make_unique<TabBar>();
    tabBar->setBounds (sideWidth, 0, defaultWidth, topBarHeight);
    tabBar->addChangeListener (this);
    tabBar->getWindowButtons().addListener (this);
    addAndMakeVisible (*tabBar);

    footer = std::make_unique<StatusBar> (h);
    addAndMakeVisible (*footer);

    setSize (defaultWidth, defaultHeight);
    h.requestIdentity();

    mixer = std::make_unique<MixerPage> (processor);
    mixer->addChangeListener (this);
    addChildComponent (*mixer);

    windowMode = playingModeNow();
    constructed = true;

    auto& session = h.getEditorSession();
    keyboard->setVisible (session.keyboardShown.load());
    if (! session.aboutShown.load())
    {
        openAbout (firstAboutDelayMs);
        session.aboutShown = true;
    }

    showPlayingModeTab();
    showMixerPage();
    resized();
}

MainPanel::~MainPanel()
{
    hub().removeStateListener (this);
    stopTimer();
    cancelPendingUpdate();

    if (setupPanel != nullptr)
        setupPanel->close();
    if (aboutPanel != nullptr)
        aboutPanel->stopTimer();
    tabBar->getWindowButtons().removeListener (this);
    if (programPage != nullptr)
        programPage->removeListener (this);
    if (multiPage != nullptr)
        multiPage->removeListener (this);
    if (parameterTable != nullptr)
        parameterTable->removeChangeListener (this);
}

ControllerState& MainPanel::hub() const noexcept
{
    return processor.getHub();
}

int MainPanel::playingModeNow() const noexcept
{
    const int mode = hub().getParameters().value (ParameterTable::playingModeSlot);
    return mode == ControllerState::multiMode ? ControllerState::multiMode : ControllerState::programMode;
}

int MainPanel::programOfChannel (int channel) const noexcept
{
    return hub().getParameters().value (ParameterTable::programSlot (channel, ParameterTable::programRow));
}

bool MainPanel::isKeyboardShown() const
{
    return hub().getEditorSession().keyboardShown.load();
}

juce::Rectangle<int> MainPanel::getPageArea() const noexcept
{
    return { sideWidth, topBarHeight, getWidth() - 2 * sideWidth, getHeight() - topBarHeight - footerHeight };
}

juce::Rectangle<int> MainPanel::getSelectorArea() const noexcept
{
    return getPageArea().withTrimmedTop (mixerStripHeight);
}

//==============================================================================
void MainPanel::paint (juce::Graphics& g)
{
    g.fillAll (windowBack);
    look->paintBar (g, getWidth(), topBarHeight, juce::Colours::black);

    g.drawImage (logo, getWidth() - logoFromRight, logoY, logoWidth, logoHeight, 0, 0, logo.getWidth(), logo.getHeight());
}

void MainPanel::resized()
{
    if (! constructed)
        return;

    const int w = getWidth(), h = getHeight();
    tabBar->setBounds (sideWidth, 0, w, topBarHeight);

    if (mixerShown)
        mixer->setBounds (mixerAsStrip ? getPageArea().withHeight (mixerStripHeight) : getPageArea());
    if (programShown && programPage != nullptr)
        programPage->setBounds (getSelectorArea());
    for (size_t i = 0; i < selectorCount; ++i)
        if (selectorShown[i])
            selectors[i]->setBounds (getSelectorArea());
    if (fxChainSelector != nullptr)
        fxChainSelector->setBounds (getFxChainSelectorArea());
    if (controlsShown)
    {
        controlsPage->setBounds (getPageArea());
        auto& session = hub().getEditorSession();
        if (session.getCurrentPage() != ControlsPage::pageCode)
            session.enterPage (ControlsPage::pageCode);
    }
    if (multiShown && multiPage != nullptr)
        multiPage->setBounds (getPageArea());
    if (parameterTableShown)
        parameterTable->setBounds (getPageArea());

    footer->setBounds (sideWidth, h - footerHeight - 4, w - 2 * sideWidth, footerHeight);

    if (isKeyboardShown())
    {
        keyboard->place (h - keyboardHeight, w - 2 * sideWidth, keyboardHeight);
        keyboard->toFront (false);
    }

    auto& settings = hub().getSettings();
    settings.set (6, juce::String (w));
    settings.set (7, juce::String (h));

    if (setupPanel != nullptr)
        setupPanel->setBounds (getLocalBounds());
    if (aboutPanel != nullptr)
        aboutPanel->setBounds (getLocalBounds());
    if (receiveDialog != nullptr)
        receiveDialog->setBounds (0, topBarHeight, w, h);
    if (writeDialog != nullptr)
        writeDialog->setBounds (getPageArea());
    layoutSidePanels();
}

void MainPanel::layoutSidePanels()
{
    if (aboutPanel != nullptr)
        return;
    leftSide->setBounds (0, 0, sideWidth, getHeight());
    rightSide->setBounds (getWidth() - sideWidth, 0, sideWidth, getHeight());
}

//==============================================================================
// Notices

void MainPanel::stateChanged (int)
{
    triggerAsyncUpdate();
}

void MainPanel::handleAsyncUpdate()
{
    retired.clear();
    drainNotices();
}

void MainPanel::drainNotices()
{
    noticeScratch.clear();
    slotScratch.clear();
    hub().drainNotices (noticeScratch);
    hub().drainSlotNotices (slotScratch);

    if (drainObserver)
        drainObserver (noticeScratch, slotScratch);

    for (auto notice : noticeScratch)
        handleNotice (notice);
    for (auto notice : slotScratch)
        handleSlotNotice (notice);
}

void MainPanel::handleNotice (juce::uint32 notice)
{
    const int code = (int) (notice >> 24);
    const int channel = (int) ((notice >> 16) & 0x0F);

    switch (code)
    {
        case noteOnNotice:
            if (mixerShown)
                mixer->notePeak (channel, (int) (notice & 0x7F));
            if (channel == hub().getMidiChannel() - 1)
                keyboard->showNote ((int) ((notice >> 8) & 0x7F), (notice & 0x7F) != 0);
            break;

        case noteOffNotice:
            if (channel == hub().getMidiChannel() - 1)
                keyboard->showNote ((int) ((notice >> 8) & 0x7F), false);
            break;

        case onLineNotice:
        {
            const auto text = hub().getDeviceName() + onLineSuffix;
            footer->setText (text);
            if (setupPanel != nullptr)
            {
                setupPanel->refreshPorts();
                setupPanel->setStatus (text);
            }
            break;
        }

        case offLineNotice:
            footer->setText (offLineText);
            if (setupPanel != nullptr)
                setupPanel->setStatus (offLineText);
            break;

        case arrangementNotice:
            showPlayingModeTab();
            break;

        case controllerNotice:
            // The modulation wheel (controller 1) of the current channel also moves the
            // keyboard's wheel.
            if (controlsShown && (int) ((notice >> 8) & 0x7F) == modulationController)
                controlsPage->showModWheel (channel, (int) (notice & 0x7F));
            if ((int) ((notice >> 8) & 0x7F) == modulationController && channel == hub().getMidiChannel() - 1)
                keyboard->getModWheel().setValue ((int) (notice & 0x7F));
            break;

        case pitchBendNotice:
            // The bend's upper seven bits; the keyboard's pitch wheel follows the current
            // channel.
            if (controlsShown)
                controlsPage->showPitchWheel (channel, (int) ((notice >> 7) & 0x7F));
            if (channel == hub().getMidiChannel() - 1)
                keyboard->getPitchWheel().setValue ((int) ((notice >> 7) & 0x7F));
            break;

        default:
            break;
    }
}

void MainPanel::handleSlotNotice (juce::uint64 notice)
{
    if ((int) (notice >> 48) != slotChangedKind)
        return;
    const int slot = (int) ((notice >> 32) & 0xFFFF);
    const int raw = (int) (notice & 0xFFFF);
    const int value = raw >= firstNegativeValue ? raw - 0x10000 : raw;

    const int kind = hub().getParameters().displayKind (slot);
    if (kind == ParameterTable::displayProgramRow)
    {
        if (mixerShown)
            mixer->showValue (slot, value);
        if (programShown)
            programPage->showValue (slot, value);
    }
    else if (kind == ParameterTable::displayController)
    {
        if (controlsShown)
            controlsPage->showValue (slot, value);
        if (programShown)
            programPage->showValue (slot, value);
    }
    else if (slot == ParameterTable::playingModeSlot)
    {
        pendingSlot = slot;
        startTimer (playingModeCheckMs);
    }
}

void MainPanel::timerCallback()
{
    stopTimer();
    if (pendingSlot != ParameterTable::playingModeSlot)
        return;
    pendingSlot = -1;
    // The host changed the playing mode: the page on show may belong to the other mode.
    if (playingModeNow() != windowMode)
        showMixerPage();
}

//==============================================================================
// Top bar

void MainPanel::changeListenerCallback (juce::ChangeBroadcaster* source)
{
    if (source == tabBar.get())
        dispatchTab (tabBar->getLastPressed());
    else if (source == mixer.get())
        mixerEvents();
    else if (fxChainSelector != nullptr && source == fxChainSelector.get())
        fxChainSelectorEvents();
    else if (auto* selector = dynamic_cast<KeymapSelector*> (source))
        selectorEvents (*selector);
    else if (parameterTable != nullptr && source == parameterTable.get())
        parameterTableEvents();
    else if (aboutPanel != nullptr && source == aboutPanel.get())
        closeAbout();
    else if (receiveDialog != nullptr && source == receiveDialog.get())
    {
        if (receiveDialog->getState() == ReceiveDialog::closeState)
            closeReceiveDialog();
    }
    else if (libraryWindow != nullptr && source == &libraryWindow->getContent())
    {
        if (libraryWindow->getContent().getLastReport() == LibraryContent::doneReport)
            libraryWindow.reset();
    }
    else
        keyboardEvent (source);
}

void MainPanel::dispatchTab (int identifier)
{
    if (isReceiveDialogOpen())
        return;
    if (setupPanel != nullptr)
    {
        closeSetupPanel();
        return;
    }

    switch (identifier)
    {
        case TabBar::programTab: selectPlayingMode (ControllerState::programMode); break;
        case TabBar::multiTab: selectPlayingMode (ControllerState::multiMode); break;
        case TabBar::midiTab: openSetupPanel(); break;
        case TabBar::keysTab: toggleKeyboard(); break;
        case TabBar::mixerTab: showMixerPage(); break;
        case TabBar::controlsTab: showControlsPage(); break;
        case TabBar::aboutTab:
            if (aboutPanel != nullptr)
                closeAbout();
            else
                openAbout (0);
            break;
        case TabBar::libraryButton: openLibraryWindow(); break;
        default: break;
    }
}

void MainPanel::selectPlayingMode (int mode)
{
    hub().switchPlayingMode (mode);
    tabBar->setMode (mode);
    windowMode = mode;
    hideAllPages();

    if (mode == ControllerState::programMode)
    {
        const int channel = hub().getMidiChannel() - 1;
        showProgramPage (channel, programOfChannel (channel));
    }
    else
    {
        showMultiPage();
    }

    if (isKeyboardShown())
        keyboard->toFront (false);
}

void MainPanel::showPlayingModeTab()
{
    tabBar->setMode (playingModeNow());
    mixer->refresh();
    if (controlsShown)
        controlsPage->showAllValues();
}

void MainPanel::keyboardEvent (juce::ChangeBroadcaster* source)
{
    auto& h = hub();
    auto& session = h.getEditorSession();
    const int channel = h.getMidiChannel();

    if (source == &keyboard->getPitchWheel())
    {
        // To the instrument and the host; the top position bends to 16256, the rest 8192.
        h.sendPitchWheel (channel, keyboard->getPitchWheel().getValue() * pitchWheelStep, true);
        if (controlsShown)
            controlsPage->showPitchWheel (channel - 1, keyboard->getPitchWheel().getValue());
    }
    else if (source == &keyboard->getModWheel())
    {
        const int value = keyboard->getModWheel().getValue();
        h.getPorts().sendControllerNow (channel, modulationController, value);
        h.sendControllerToHost (channel, modulationController, value);
        if (controlsShown)
            controlsPage->showModWheel (channel - 1, value);
    }
    else if (source == &keyboard->getVelocity())
    {
        session.keyboardVelocity = keyboard->getVelocity().getValue();
    }
    else if (source == &keyboard->getOctaveStrip())
    {
        session.keyboardOctave = keyboard->getOctaveStrip().getOctave();
        keyboard->octaveChanged();
    }
}

void MainPanel::toggleKeyboard()
{
    auto& flag = hub().getEditorSession().keyboardShown;
    flag = ! flag.load();
    if (flag.load())
    {
        resized();
        keyboard->toFront (false);
    }
    else
    {
        keyboard->place (getHeight() - keyboardHeight, getWidth() - 2 * sideWidth, keyboardHeight);
        resized();
    }
    keyboard->setVisible (flag.load());
    if (aboutPanel != nullptr)
        aboutPanel->toFront (false);
}

//==============================================================================
// Pages

void MainPanel::hideAllPages()
{
    // Order: controls, mixer, the selectors, program, multi, song selector.
    hideControlsPage();
    hideMixer();
    hideSelector (algorithmSelector);
    hideFxChainSelector();
    for (size_t i = keymapSelector; i < songSelector; ++i)
        hideSelector (i);
    hideProgramPage();
    hideMultiPage();
    hideSelector (songSelector);
    hideParameterTable();
}

void MainPanel::hideMixer()
{
    mixerShown = false;
    mixerAsStrip = false;
    mixer->setHidden();
    mixer->setBounds ({ mixerParked.x, mixerParked.y, parkedSize, parkedSize });
    mixer->setVisible (false);
}

void MainPanel::hideProgramPage()
{
    programShown = false;
    if (programPage != nullptr)
        programPage->hidePage();
}

void MainPanel::showMixerAt (juce::Rectangle<int> area, bool asStrip)
{
    mixer->setBounds (area);
    mixer->show();
    mixerShown = true;
    mixerAsStrip = asStrip;
}

void MainPanel::showMixerPage()
{
    hideAllPages();
    showMixerAt (getPageArea(), false);
    if (isKeyboardShown())
        keyboard->toFront (false);
}

void MainPanel::showProgramPage (int channel, int program)
{
    if (playingModeNow() == ControllerState::programMode)
        showMixerAt (getPageArea().withHeight (mixerStripHeight), true);

    if (programPage == nullptr)
    {
        programPage = std::make_unique<ProgramPage> (processor);
        programPage->addListener (this);
        addChildComponent (*programPage);
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
    programPage->showProgram (channel, program);
    programShown = true;

    if (isKeyboardShown())
        keyboard->toFront (false);
    if (aboutPanel != nullptr)
        aboutPanel->toFront (false);
}

void MainPanel::mixerEvents()
{
    for (auto event : mixer->takeEvents())
    {
        if (EditEvent::code (event) != EditEvent::channelEvent)
            continue;
        const int channel = EditEvent::channel (event);
        hub().setMidiChannel (channel + 1);

        const int subKind = EditEvent::subKind (event);
        if (subKind == programSubKind)
            openProgramPageFromMixer (channel);
        else if (subKind != ParameterTable::insertChainRow && subKind != ParameterTable::aux1ChainRow
                 && subKind != ParameterTable::aux2ChainRow)
            openSelectorForChannel (subKind, channel, EditEvent::value (event));
        // The effect fields (sub-kinds 0, 3, 6) only pick the channel.
    }
}

void MainPanel::openProgramPageFromMixer (int channel)
{
    if (playingModeNow() == ControllerState::programMode)
    {
        auto& ports = hub().getPorts();
        ports.sendSysEx (SysexProtocol::channelSelect (channel, ports.getDeviceByte()));
    }
    hideAllPages();
    showProgramPage (channel, programOfChannel (channel));
}

void MainPanel::programPageEvent (juce::uint64 event)
{
    const int code = EditEvent::code (event);
    const int channel = EditEvent::channel (event);
    const int number = EditEvent::slot (event);
    const int value = EditEvent::value (event);

    if (code == EditEvent::closePage)
    {
        hideAllPages();
        if (playingModeNow() == ControllerState::programMode)
            showMixerAt (getPageArea(), false);
        else
            showMultiPage();
        return;
    }

    if (code == EditEvent::chosen || code == EditEvent::selectedQuietly)
    {
        const int slot = ParameterTable::programSlot (channel, number);
        if (number == ParameterTable::programRow)
        {
            hub().setFromEditor (slot, value, code == EditEvent::chosen, code == EditEvent::selectedQuietly);
            if (programPage != nullptr)
                programPage->restartRefresh (channel, value);
        }
        // The mixer strip above the page follows what the program page changed.
        if (mixerShown && (code == EditEvent::chosen || number != ParameterTable::programRow))
            mixer->showValue (slot, value);
        return;
    }

    if (code == EditEvent::openTable)
        openParameterTable (channel);
    else if (code == EditEvent::writeRequested || code == EditEvent::writeRequestedAlt)
        openWriteDialog (number, channel, value);
}

void MainPanel::multiPageEvent (juce::uint64 event)
{
    const int code = EditEvent::code (event);
    const int multi = EditEvent::value (event);

    if (code == EditEvent::closePage)
    {
        hideAllPages();
        return;
    }
    if (code == EditEvent::writeRequested)
    {
        openWriteDialog (EditEvent::slot (event), 0, multi);
        return;
    }
    if (code != EditEvent::chosen && code != EditEvent::selectedQuietly)
        return;

    // Code 7 goes to the instrument (through the host report of the multi's bank and
    // number), code 14 is only shown.
    hub().setMulti (multi, code == EditEvent::chosen, code == EditEvent::selectedQuietly);
    if (multi <= 0)
        return;

    auto& image = hub().getImage();
    {
        const juce::ScopedReadLock rl (image.getStoreLock());
        image.getMultis().loadMulti (multi, image.getMultiEdit());
    }
    if (multiPage != nullptr)
        multiPage->showMulti (multi);
}

void MainPanel::buttonPressed (KitButton*, int)
{
    // The tabs report through the top bar's change message.
}

void MainPanel::windowTool (int)
{
}

//==============================================================================
// Panels

void MainPanel::openSetupPanel()
{
    // The panel sends the identity request itself when it opens.
    setupPanel = std::make_unique<MidiSetupPanel> (processor);
    setupPanel->addListener (this);
    setupPanel->setBounds (getLocalBounds());
    addAndMakeVisible (*setupPanel);
    setupPanel->toFront (true);
}

void MainPanel::closeSetupPanel()
{
    if (setupPanel == nullptr)
        return;
    setupPanel->close();
    setupPanel->removeListener (this);
    setupPanel->setVisible (false);
    removeChildComponent (setupPanel.get());
    retire (std::move (setupPanel));
}

void MainPanel::setupRequest (int code, int value)
{
    auto& h = hub();
    const bool on = value != 0;
    switch (code)
    {
        case MidiSetupPanel::requestThruHostToOut: h.setThruHostToOut (on); break;
        case MidiSetupPanel::requestClock: h.setClockOn (on); break;
        case MidiSetupPanel::requestThruInToHost: h.setThruInToHost (on); break;
        case MidiSetupPanel::requestProgramChangeByAutomation: h.setProgramChangeByAutomation (on); break;
        case MidiSetupPanel::requestOk: closeSetupPanel(); break;

        case MidiSetupPanel::requestInputPort:
            h.selectInputPort (value);
            if (setupPanel != nullptr)
                setupPanel->refreshLamps();
            break;

        case MidiSetupPanel::requestOutputPort:
            h.selectOutputPort (value);
            if (setupPanel != nullptr)
                setupPanel->refreshLamps();
            break;

        case MidiSetupPanel::requestReceiveData:
            closeSetupPanel();
            openReceiveDialog();
            return;

        default:
            return;
    }
    h.requestIdentity();
}

void MainPanel::openAbout (int closingDelayMs)
{
    aboutPanel = std::make_unique<AboutPanel> (processor, closingDelayMs);
    aboutPanel->addChangeListener (this);
    aboutPanel->setBounds (getLocalBounds());
    addAndMakeVisible (*aboutPanel);
    aboutPanel->toFront (true);
    aboutPanel->enterModalState (false);
}

void MainPanel::closeAbout()
{
    if (aboutPanel == nullptr)
        return;
    aboutPanel->stopTimer();
    aboutPanel->removeChangeListener (this);
    if (aboutPanel->isCurrentlyModal (false))
        aboutPanel->exitModalState (0);
    aboutPanel->setVisible (false);
    removeChildComponent (aboutPanel.get());
    retire (std::move (aboutPanel));
    layoutSidePanels();
}

void MainPanel::retire (std::unique_ptr<juce::Component> component)
{
    retired.push_back (std::move (component));
    triggerAsyncUpdate();
}

//==============================================================================
// Places for the pages still to come.

void MainPanel::openReceiveDialog()
{
    if (receiveDialog == nullptr)
    {
        receiveDialog = std::make_unique<ReceiveDialog> (hub());
        receiveDialog->addChangeListener (this);
        addAndMakeVisible (*receiveDialog);
    }
    receiveDialog->setBounds (0, topBarHeight, getWidth(), getHeight());
    receiveDialog->toFront (true);
}

void MainPanel::closeReceiveDialog()
{
    if (receiveDialog == nullptr)
        return;
    receiveDialog->removeChangeListener (this);
    receiveDialog->setVisible (false);
    removeChildComponent (receiveDialog.get());
    retire (std::move (receiveDialog));
}

void MainPanel::showMultiPage()
{
    if (multiPage == nullptr)
    {
        multiPage = std::make_unique<MultiPage> (processor);
        multiPage->addListener (this);
        addChildComponent (*multiPage);
    }

    const auto area = getPageArea();
    multiPage->open (area.getX(), area.getY(), area.getWidth(), area.getHeight());
    multiPage->showMulti (hub().getImage().getSelectedMulti());
    multiShown = true;

    if (isKeyboardShown())
        keyboard->toFront (false);
    if (aboutPanel != nullptr)
        aboutPanel->toFront (false);
}

void MainPanel::hideMultiPage()
{
    multiShown = false;
    if (multiPage != nullptr)
        multiPage->hidePage();
}

void MainPanel::refreshMultiPage()
{
    if (multiPage != nullptr)
        multiPage->showMulti (hub().getImage().getSelectedMulti());
}

void MainPanel::showControlsPage()
{
    hideAllPages();
    if (controlsPage == nullptr)
    {
        controlsPage = std::make_unique<ControlsPage> (processor);
        addChildComponent (*controlsPage);
    }
    controlsPage->setBounds (getPageArea());
    controlsPage->showAllValues();
    controlsPage->setVisible (true);
    controlsShown = true;
    hub().getEditorSession().enterPage (ControlsPage::pageCode);

    if (isKeyboardShown())
        keyboard->toFront (false);
    if (aboutPanel != nullptr)
        aboutPanel->toFront (false);
}

void MainPanel::hideControlsPage()
{
    controlsShown = false;
    if (controlsPage == nullptr)
        return;
    controlsPage->setBounds ({ controlsParked.x, controlsParked.y, parkedSize, parkedSize });
    controlsPage->setVisible (false);
}

void MainPanel::openLibraryWindow()
{
    if (libraryWindow == nullptr)
    {
        libraryWindow = std::make_unique<LibraryWindow> (processor);
        libraryWindow->getContent().addChangeListener (this);
    }
    libraryWindow->present();
}

void MainPanel::openParameterTable (int channel)
{
    hideAllPages();
    if (parameterTable == nullptr)
    {
        parameterTable = std::make_unique<ParameterTablePage> (processor);
        parameterTable->addChangeListener (this);
        addChildComponent (*parameterTable);
    }

    const auto area = getPageArea();
    parameterTable->open (channel, area.getX(), area.getY(), area.getWidth(), area.getHeight());
    parameterTableShown = true;

    if (isKeyboardShown())
        keyboard->toFront (false);
    if (aboutPanel != nullptr)
        aboutPanel->toFront (false);
}

void MainPanel::hideParameterTable()
{
    parameterTableShown = false;
    if (parameterTable == nullptr)
        return;
    parameterTable->closePage();
    parameterTable->setBounds ({ parameterTableParked.x, parameterTableParked.y, parkedSize, parkedSize });
    parameterTable->setVisible (false);
}

void MainPanel::parameterTableEvents()
{
    for (auto event : parameterTable->takeEvents())
    {
        const int code = EditEvent::code (event);
        const int channel = EditEvent::channel (event);
        if (code != EditEvent::closePage && code != EditEvent::writeRequested && code != EditEvent::writeRequestedAlt)
            continue;   // the value field's entry requests are the table's own business

        // Back to the program page the table was opened from.
        hideAllPages();
        showProgramPage (channel, programOfChannel (channel));
        if (code != EditEvent::closePage)
            openWriteDialog (EditEvent::slot (event), channel, EditEvent::value (event));
        return;
    }
}

void MainPanel::openWriteDialog (int objectType, int channel, int value)
{
    closeWriteDialog();
    writeDialog = std::make_unique<WriteDialog> (hub(), objectType, channel, value);
    writeDialog->onEvent = [this] (juce::uint64 event) { writeDialogEvent (event); };
    writeDialog->setBounds (getPageArea());
    addAndMakeVisible (*writeDialog);
    writeDialog->toFront (true);
    if (aboutPanel != nullptr)
        aboutPanel->toFront (false);
}

void MainPanel::closeWriteDialog()
{
    if (writeDialog == nullptr)
        return;
    writeDialog->onEvent = nullptr;
    writeDialog->setVisible (false);
    removeChildComponent (writeDialog.get());
    // The dialog's own button asked: it is deleted after that call has returned.
    retire (std::move (writeDialog));
}

void MainPanel::writeDialogEvent (juce::uint64 event)
{
    const int code = EditEvent::code (event);
    if (code != EditEvent::closePage && code != EditEvent::writeDone)
        return;

    const bool multiWritten = code == EditEvent::writeDone && writeDialog != nullptr && writeDialog->isWritingMulti();
    closeWriteDialog();
    if (multiWritten)
    {
        selectPlayingMode (ControllerState::multiMode);
        refreshMultiPage();
    }
}

void MainPanel::openSelectorForChannel (int objectType, int channel, int currentObject)
{
    openObjectSelector (objectType, channel, currentObject);
}

//==============================================================================
// Object selectors

namespace
{
    // Page codes the window can return to after a selector was hidden.
    constexpr char mixerPageCode = 'q';
    constexpr char controlsPageCode = 'o';
    constexpr char multiPageCode = '{';
}

size_t MainPanel::selectorIndexOf (int objectType) noexcept
{
    switch (objectType)
    {
        case ObjectStore::typeAlgorithm: return algorithmSelector;
        case ObjectStore::typeKeymap: return keymapSelector;
        case ObjectStore::typeIntonationTable: return intonationSelector;
        case ObjectStore::typeShiftPattern: return shiftSelector;
        case ObjectStore::typeVelocityPattern: return velocitySelector;
        case ObjectStore::typeSong: return songSelector;
        default: return selectorCount;
    }
}

KeymapSelector* MainPanel::getSelector (int objectType) noexcept
{
    const auto index = selectorIndexOf (objectType);
    return index < selectorCount ? selectors[index].get() : nullptr;
}

bool MainPanel::isSelectorShown (int objectType) const noexcept
{
    const auto index = selectorIndexOf (objectType);
    return index < selectorCount && selectorShown[index];
}

juce::Rectangle<int> MainPanel::getFxChainSelectorArea() const noexcept
{
    return getPageArea().withTrimmedBottom (fxChainSelectorShortening);
}

void MainPanel::openObjectSelector (int objectType, int channel, int currentObject)
{
    const auto index = selectorIndexOf (objectType);
    if (index >= selectorCount || ! juce::isPositiveAndBelow (channel, InstrumentImage::numChannels))
        return;
    hideAllPages();
    // Hiding a shown selector brings back the page it was opened from; the mixer stays
    // as the strip above the selector area.
    if (mixerShown)
        showMixerAt (getPageArea().withHeight (mixerStripHeight), true);
    showSelector (index, channel, currentObject);
}

void MainPanel::showSelector (size_t index, int channel, int currentObject)
{
    auto& selector = selectors[index];
    if (selector == nullptr)
    {
        switch (index)
        {
            case algorithmSelector: selector = std::make_unique<AlgorithmSelector> (processor); break;
            case keymapSelector: selector = std::make_unique<KeymapSelector> (processor); break;
            case intonationSelector: selector = std::make_unique<IntonationSelector> (processor); break;
            case shiftSelector: selector = std::make_unique<ShiftPatternSelector> (processor); break;
            case velocitySelector: selector = std::make_unique<VelocityPatternSelector> (processor); break;
            default: selector = std::make_unique<SongSelector> (processor); break;
        }
        selector->addChangeListener (this);
        addChildComponent (*selector);
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
    selectorShown[index] = true;

    if (isKeyboardShown())
        keyboard->toFront (false);
    if (aboutPanel != nullptr)
        aboutPanel->toFront (false);
}

void MainPanel::hideSelector (size_t index)
{
    if (index >= selectorCount || ! selectorShown[index])
        return;
    selectorShown[index] = false;
    // The song selector keeps its place (it is shown again where it was) but must not
    // stay over the page that comes back.
    if (index == songSelector)
        selectors[index]->setHidden();
    else
        selectors[index]->park();
    showPageOfCode (hub().getEditorSession().getPreviousPage());
}

void MainPanel::openFxChainSelector (int channel, int type)
{
    if (! juce::isPositiveAndBelow (channel, InstrumentImage::numChannels)
        || (type != FxChainSelector::insertType && type != FxChainSelector::aux1Type && type != FxChainSelector::aux2Type))
        return;

    hideAllPages();
    const int chain = hub().getParameters().value (ParameterTable::programSlot (channel, type));

    fxChainSelector = std::make_unique<FxChainSelector> (processor);
    fxChainSelector->addChangeListener (this);
    addChildComponent (*fxChainSelector);
    fxChainSelector->setType (type);
    auto& list = fxChainSelector->getList();
    list.setChannel (channel);
    list.bind (ObjectStore::listPresent, 0);
    list.selectId (chain, false);

    const auto area = getFxChainSelectorArea();
    fxChainSelector->open (channel, type, chain, area.getX(), area.getY(), area.getWidth(), area.getHeight());
    fxChainSelector->forwardListEvents();

    if (isKeyboardShown())
        keyboard->toFront (false);
    if (aboutPanel != nullptr)
        aboutPanel->toFront (false);
}

void MainPanel::hideFxChainSelector()
{
    if (fxChainSelector == nullptr)
        return;
    fxChainSelector->removeChangeListener (this);
    fxChainSelector->setVisible (false);
    removeChildComponent (fxChainSelector.get());
    // Its own "CLOSE" may be what is being handled: deleted after this call returns.
    retire (std::move (fxChainSelector));
    showPageOfCode (hub().getEditorSession().getPreviousPage());
}

void MainPanel::selectorEvents (KeymapSelector& selector)
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

void MainPanel::fxChainSelectorEvents()
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
        if ((code != EditEvent::chosen && code != EditEvent::selectedQuietly)
            || (type != FxChainSelector::insertType && type != FxChainSelector::aux1Type && type != FxChainSelector::aux2Type))
            continue;

        const int channel = EditEvent::channel (event);
        const int chain = EditEvent::value (event);
        const int slot = ParameterTable::programSlot (channel, type);
        // A choice reloads the channel's chains and goes to the host; the instrument
        // is not told (the FX chain rows are never sent).
        if (code == EditEvent::chosen)
            hub().setAndReport (slot, chain);
        mixer->showValue (slot, chain);
        fxChainSelector->showCurrent (channel, type, chain);
    }
}

void MainPanel::showPageOfCode (char code)
{
    switch (code)
    {
        case mixerPageCode: showMixerAt (getPageArea(), false); return;
        case controlsPageCode: showControlsPage(); return;
        case multiPageCode: showMultiPage(); return;
        case ProgramPage::pageCode:
        {
            const int channel = programPage != nullptr ? programPage->getChannel() : hub().getMidiChannel() - 1;
            showProgramPage (channel, programOfChannel (channel));
            return;
        }
        default: break;
    }

    for (size_t i = 0; i < selectorCount; ++i)
        if (selectors[i] != nullptr && ! selectorShown[i] && selectors[i]->getKind().pageCode == code)
            showSelector (i, selectors[i]->getChannel(), selectors[i]->getList().getSelectedId());
}

} // namespace zd8

#include "editor/shell/MainPanel.h"

#include "editor/kit/EditEvent.h"
#include "editor/kit/Palette.h"
#include "editor/kit/PictureDraw.h"
#include "editor/kit/Pictures.h"
#include "editor/pages/ControlsPage.h"
#include "editor/pages/KeysPage.h"
#include "editor/pages/MidiSetupPanel.h"
#include "editor/pages/MixerPage.h"
#include "editor/pages/MultiPage.h"
#include "editor/pages/ObjectSelector.h"
#include "editor/pages/ParameterTablePage.h"
#include "editor/pages/ProgramPage.h"
#include "editor/shell/AboutPanel.h"
#include "editor/shell/SidePanel.h"
#include "editor/shell/StatusBar.h"
#include "editor/shell/TabBar.h"
#include "model/InstrumentImage.h"
#include "model/ObjectStore.h"
#include "model/ParameterTable.h"
#include "plugin/EditorSession.h"
#include "plugin/Notice.h"
#include "plugin/SettingsList.h"
#include "transfer/TransferContext.h"

namespace zd8
{

namespace
{
    const juce::Colour windowBack (Palette::pageFill);

    // Where the logo goes: its whole 564 x 62 picture scaled into this box, measured
    // from the window's right edge.
    constexpr int logoFromRight = 261, logoY = 23, logoWidth = 225, logoHeight = 24;

    constexpr int modulationController = 1;

    // The keyboard panel's pitch wheel (0..127) times this is the bend sent; a bend
    // divided by it is what the wheels show.
    constexpr int pitchWheelStep = 128;

    // Channel events of the mixer page (code 12) with this sub-kind ask for the
    // channel's program page.
    constexpr int programSubKind = ParameterTable::programRow;

    /** A page's request for a selector (code 12, the object type as sub-kind): the FX
        chain selector for the program row in the slot field (0 insert, 3 Aux 1, 6 Aux
        2), or a template selector with the event's object selected, or, for none, the
        one it showed when last open. */
    void openSelectorFor (PageNavigator& pages, juce::uint64 event)
    {
        const int type = EditEvent::subKind (event);
        const int channel = EditEvent::channel (event);
        if (type == ObjectStore::typeFxChain)
        {
            pages.openFxChainSelector (channel, EditEvent::slot (event));
            return;
        }
        int current = EditEvent::value (event);
        if (auto* selector = pages.getSelector (type); selector != nullptr && current <= 0)
            current = selector->getList().getSelectedId();
        pages.openObjectSelector (type, channel, current);
    }

    const juce::String onLineSuffix (": ON-LINE");
    const juce::String offLineText ("OFF-LINE");
}

MainPanel::MainPanel (EditorConnection& c) : connection (c)
{
    noticeScratch.reserve (1024);
    connection.addStateListener (this);
    connection.addSlotListener (ParameterTable::playingModeSlot, this);

    logo = Pictures::get ("logo");

    connection.getTransfers().setTransferFlag (false);

    leftSide = std::make_unique<SidePanel>();
    rightSide = std::make_unique<SidePanel>();
    addAndMakeVisible (*leftSide);
    addAndMakeVisible (*rightSide);

    keyboard = std::make_unique<KeysPage> (connection);
    keyboard->place (defaultHeight - keyboardHeight, defaultWidth - 2 * sideWidth, keyboardHeight);
    addChildComponent (*keyboard);
    keyboard->onGripResize = [this] { resized(); };
    keyboard->getPitchWheel().addChangeListener (this);
    keyboard->getModWheel().addChangeListener (this);
    keyboard->getVelocity().addChangeListener (this);
    keyboard->getOctaveStrip().addChangeListener (this);

    tabBar = std::make_unique<TabBar>();
    tabBar->setBounds (sideWidth, 0, defaultWidth, topBarHeight);
    tabBar->addChangeListener (this);
    tabBar->getWindowButtons().addListener (this);
    addAndMakeVisible (*tabBar);

    footer = std::make_unique<StatusBar> (connection);
    addAndMakeVisible (*footer);

    setSize (defaultWidth, defaultHeight);
    connection.requestIdentity();

    pages.createMixer();
    dialogs.onMultiWritten = [this]
    {
        selectPlayingMode (EditorConnection::multiMode);
        pages.refreshMultiPage();
    };

    windowMode = pages.playingModeNow();
    constructed = true;

    auto& session = connection.getEditorSession();
    keyboard->setVisible (session.keyboardShown.load());
    if (! session.aboutShown.load())
    {
        dialogs.openAbout (firstAboutDelayMs);
        session.aboutShown = true;
    }

    showPlayingModeTab();
    pages.showMixerPage();
    resized();
}

MainPanel::~MainPanel()
{
    releaseHeldNotes();
    connection.removeStateListener (this);
    connection.removeSlotListener (ParameterTable::playingModeSlot, this);
    stopTimer();
    cancelPendingUpdate();
    tabBar->getWindowButtons().removeListener (this);
}

bool MainPanel::isKeyboardShown() const
{
    return connection.getEditorSession().keyboardShown.load();
}

//==============================================================================
void MainPanel::paint (juce::Graphics& g)
{
    g.fillAll (windowBack);
    look->paintBar (g, getWidth(), topBarHeight, juce::Colours::black);

    PictureDraw::draw (g, logo, { getWidth() - logoFromRight, logoY, logoWidth, logoHeight }, logo.getBounds());
}

void MainPanel::resized()
{
    if (! constructed)
        return;

    const int w = getWidth(), h = getHeight();
    tabBar->setBounds (sideWidth, 0, w, topBarHeight);
    if (isKeyboardShown())
        placeKeyboard();
    pages.layout();
    footer->setBounds (sideWidth, getFooterTop(), w - 2 * sideWidth, footerHeight);

    if (isKeyboardShown())
        keyboard->toFront (false);

    auto& settings = connection.getSettings();
    settings.set (6, juce::String (w));
    settings.set (7, juce::String (h));

    dialogs.layout();
    layoutSidePanels();
}

void MainPanel::layoutSidePanels()
{
    if (dialogs.getAboutPanel() != nullptr)
        return;
    leftSide->setBounds (0, 0, sideWidth, getHeight());
    rightSide->setBounds (getWidth() - sideWidth, 0, sideWidth, getHeight());
}

int MainPanel::getFooterTop() const noexcept
{
    return getHeight() - footerHeight - footerGap;
}

int MainPanel::getPageBottom() const noexcept
{
    return isKeyboardShown() ? keyboard->getY() : getHeight() - footerHeight;
}

void MainPanel::placeKeyboard()
{
    // On the status line, as tall as the player made it, leaving the pages at least the
    // mixer's row above it.
    const int bottom = getFooterTop();
    keyboard->setTallestHeight (bottom - topBarHeight - mixerStripHeight);
    const int h = juce::jlimit (KeysPage::minHeight, keyboard->getTallestHeight(), keyboard->getHeight());
    keyboard->place (bottom - h, getWidth() - 2 * sideWidth, h);
}

void MainPanel::keepKeyboardInFront()
{
    if (isKeyboardShown())
        keyboard->toFront (false);
}

void MainPanel::releaseHeldNotes()
{
    if (keyboard != nullptr)
        keyboard->silence();
    if (footer != nullptr)
        footer->getKeyPlayer().releaseAll();
}

bool MainPanel::keyPressed (const juce::KeyPress& key)
{
    return undoCommands.keyPressed (key);
}

void MainPanel::parentHierarchyChanged()
{
    // The host's window (or the Standalone's) gets the keys while nothing inside has
    // the focus.
    auto* top = getTopLevelComponent();
    undoCommands.listenTo (top != this ? top : nullptr);
}

void MainPanel::focusOfChildComponentChanged (FocusChangeType)
{
    // The host window went inactive (or the focus left the window): no key-up or
    // mouse-up is going to reach the keys any more.
    if (! hasKeyboardFocus (true))
        releaseHeldNotes();
}

void MainPanel::keepOverlaysInFront()
{
    keepKeyboardInFront();
    if (auto* about = dialogs.getAboutPanel())
        about->toFront (false);
}

void MainPanel::retire (std::unique_ptr<juce::Component> component)
{
    retired.push_back (std::move (component));
    triggerAsyncUpdate();
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
    connection.drainNotices (noticeScratch);

    if (drainObserver)
        drainObserver (noticeScratch);

    for (auto notice : noticeScratch)
        handleNotice (notice);
    connection.dispatchSlotChanges();
}

void MainPanel::handleNotice (juce::uint32 word)
{
    const auto notice = Notice::fromWord (word);
    const bool currentChannel = notice.channel == connection.getMidiChannel() - 1;
    auto* controls = pages.isShown (Page::controls) ? pages.getControlsPage() : nullptr;

    switch (notice.kind)
    {
        case Notice::Kind::noteOn:
            if (pages.isShown (Page::mixer))
                pages.getMixer().notePeak (notice.channel, notice.value);
            if (currentChannel)
                keyboard->showNote (notice.number, notice.value != 0);
            break;

        case Notice::Kind::noteOff:
            if (currentChannel)
                keyboard->showNote (notice.number, false);
            break;

        case Notice::Kind::identityReply:
        {
            const auto text = connection.getDeviceName() + onLineSuffix;
            footer->setText (text);
            if (auto* setup = dialogs.getSetupPanel())
            {
                setup->refreshPorts();
                setup->setStatus (text);
            }
            break;
        }

        case Notice::Kind::identityRequest:
            footer->setText (offLineText);
            if (auto* setup = dialogs.getSetupPanel())
                setup->setStatus (offLineText);
            break;

        case Notice::Kind::arrangementRecalled:
            showPlayingModeTab();
            break;

        case Notice::Kind::controller:
            // The modulation wheel (controller 1, its channel 0..15) of the current
            // channel also moves the keyboard's wheel.
            if (notice.number != modulationController)
                break;
            if (controls != nullptr)
                controls->showModWheel (notice.channel, notice.value);
            if (currentChannel)
                keyboard->getModWheel().setValue (notice.value);
            break;

        case Notice::Kind::pitchBend:
        {
            // The bend's upper seven bits; the keyboard's pitch wheel follows the current
            // channel.
            const int wheel = notice.value / pitchWheelStep;
            if (controls != nullptr)
                controls->showPitchWheel (notice.channel, wheel);
            if (currentChannel)
                keyboard->getPitchWheel().setValue (wheel);
            break;
        }

        default:
            break;
    }
}

void MainPanel::slotChanged (int slot, int)
{
    // The host changed the playing mode: checked once the change has settled.
    if (slot != ParameterTable::playingModeSlot)
        return;
    pendingSlot = slot;
    startTimer (playingModeCheckMs);
}

void MainPanel::timerCallback()
{
    stopTimer();
    if (pendingSlot != ParameterTable::playingModeSlot)
        return;
    pendingSlot = -1;
    // The host changed the playing mode: the lit tab is the new mode's, and the page on
    // show may belong to the other mode.
    tabBar->setMode (pages.playingModeNow());
    if (pages.playingModeNow() != windowMode)
        pages.showMixerPage();
}

//==============================================================================
// Top bar and keyboard panel

void MainPanel::changeListenerCallback (juce::ChangeBroadcaster* source)
{
    if (source == tabBar.get())
        dispatchTab (tabBar->getLastPressed());
    else if (source == &pages.getMixer())
        mixerEvents();
    else if (pages.getParameterTable() != nullptr && source == pages.getParameterTable())
        parameterTableEvents();
    else
        keyboardEvent (source);
}

void MainPanel::dispatchTab (int identifier)
{
    if (dialogs.getReceiveDialog() != nullptr)
        return;
    if (identifier == TabBar::undoButton || identifier == TabBar::redoButton)
    {
        if (identifier == TabBar::undoButton)
            undoCommands.undo();
        else
            undoCommands.redo();
        return;
    }
    if (dialogs.getSetupPanel() != nullptr)
    {
        dialogs.closeSetupPanel();
        return;
    }

    switch (identifier)
    {
        case TabBar::programTab: selectPlayingMode (EditorConnection::programMode); break;
        case TabBar::multiTab: selectPlayingMode (EditorConnection::multiMode); break;
        case TabBar::midiTab: dialogs.openSetupPanel(); break;
        case TabBar::keysTab: toggleKeyboard(); break;
        case TabBar::mixerTab: pages.showMixerPage(); break;
        case TabBar::controlsTab: pages.showControlsPage(); break;
        case TabBar::aboutTab:
            if (dialogs.getAboutPanel() != nullptr)
                dialogs.closeAbout();
            else
                dialogs.openAbout (0);
            break;
        case TabBar::libraryButton: dialogs.openLibraryWindow(); break;
        default: break;
    }
}

void MainPanel::selectPlayingMode (int mode)
{
    connection.switchPlayingMode (mode);
    showPlayingMode (mode);
}

void MainPanel::showPlayingMode (int mode)
{
    tabBar->setMode (mode);
    windowMode = mode;
    pages.hideAll();

    if (mode == EditorConnection::programMode)
    {
        const int channel = connection.getMidiChannel() - 1;
        pages.showProgramPage (channel, pages.programOfChannel (channel));
    }
    else
    {
        pages.showMultiPage();
    }
    keepKeyboardInFront();
}

void MainPanel::showPlayingModeTab()
{
    tabBar->setMode (pages.playingModeNow());
    pages.getMixer().refresh();
    if (pages.isShown (Page::controls))
        pages.getControlsPage()->showAllValues();
}

void MainPanel::keyboardEvent (juce::ChangeBroadcaster* source)
{
    auto& session = connection.getEditorSession();
    const int channel = connection.getMidiChannel();
    auto* controls = pages.isShown (Page::controls) ? pages.getControlsPage() : nullptr;

    if (source == &keyboard->getPitchWheel())
    {
        // To the instrument and the host; the top position bends to 16256, the rest 8192.
        connection.sendPitchWheel (channel, keyboard->getPitchWheel().getValue() * pitchWheelStep, true);
        if (controls != nullptr)
            controls->showPitchWheel (channel - 1, keyboard->getPitchWheel().getValue());
    }
    else if (source == &keyboard->getModWheel())
    {
        const int value = keyboard->getModWheel().getValue();
        connection.sendController (channel, modulationController, value);
        if (controls != nullptr)
            controls->showModWheel (channel - 1, value);
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
    // The panel takes its own room: it stands on the status line and the pages are laid
    // out above it, so it covers no page and not the status line. (The window keeps its
    // size: the panel is always laid out at its design size and only scaled to the window.)
    auto& flag = connection.getEditorSession().keyboardShown;
    flag = ! flag.load();
    if (flag.load())
    {
        resized();
        keyboard->toFront (false);
    }
    else
    {
        keyboard->silence();
        resized();
    }
    keyboard->setVisible (flag.load());
    if (auto* about = dialogs.getAboutPanel())
        about->toFront (false);
}

void MainPanel::windowTool (int)
{
}

//==============================================================================
// Page events

void MainPanel::mixerEvents()
{
    for (auto event : pages.getMixer().takeEvents())
    {
        if (EditEvent::code (event) != EditEvent::channelEvent)
            continue;
        const int channel = EditEvent::channel (event);
        connection.setMidiChannel (channel + 1);

        const int subKind = EditEvent::subKind (event);
        if (subKind == programSubKind)
            openProgramPageFromMixer (channel);
        else if (subKind != ParameterTable::insertChainRow && subKind != ParameterTable::aux1ChainRow
                 && subKind != ParameterTable::aux2ChainRow)
            openSelectorFor (pages, event);
        // The effect fields' wheel (sub-kinds 0, 3, 6) only picks the channel.
    }
}

void MainPanel::openProgramPageFromMixer (int channel)
{
    if (pages.playingModeNow() == EditorConnection::programMode)
        connection.sendChannelSelect (channel);
    pages.hideAll();
    pages.showProgramPage (channel, pages.programOfChannel (channel));
}

void MainPanel::programPageEvent (juce::uint64 event)
{
    const int code = EditEvent::code (event);
    const int channel = EditEvent::channel (event);
    const int number = EditEvent::slot (event);
    const int value = EditEvent::value (event);

    if (code == EditEvent::closePage)
    {
        pages.hideAll();
        pages.showPage (pages.playingModeNow() == EditorConnection::programMode ? Page::mixer : Page::multi);
        return;
    }

    if (code == EditEvent::chosen || code == EditEvent::selectedQuietly)
    {
        const int slot = ParameterTable::programSlot (channel, number);
        if (number == ParameterTable::programRow)
        {
            connection.setSlotFromEditor (slot, value, code == EditEvent::chosen, code == EditEvent::selectedQuietly);
            if (auto* program = pages.getProgramPage())
                program->restartRefresh (channel, value);
        }
        // The mixer strip above the page follows what the program page changed.
        if (pages.isShown (Page::mixer) && (code == EditEvent::chosen || number != ParameterTable::programRow))
            pages.getMixer().showValue (slot, value);
        return;
    }

    if (code == EditEvent::channelEvent)
        openSelectorFor (pages, event);
    else if (code == EditEvent::openTable)
        pages.openParameterTable (channel);
    else if (code == EditEvent::writeRequested || code == EditEvent::writeRequestedAlt)
        dialogs.openWriteDialog (number, channel, value);
}

void MainPanel::multiPageEvent (juce::uint64 event)
{
    const int code = EditEvent::code (event);
    const int multi = EditEvent::value (event);

    if (code == EditEvent::closePage)
    {
        pages.hideAll();
        return;
    }
    if (code == EditEvent::writeRequested)
    {
        dialogs.openWriteDialog (EditEvent::slot (event), 0, multi);
        return;
    }
    if (code != EditEvent::chosen && code != EditEvent::selectedQuietly)
        return;

    // Code 7 goes to the instrument (through the host report of the multi's bank and
    // number), code 14 is only shown.
    connection.selectMulti (multi, code == EditEvent::chosen, code == EditEvent::selectedQuietly);
    if (multi <= 0)
        return;

    {
        const juce::ScopedReadLock rl (connection.getImage().getStoreLock());
        connection.getMultis().loadMulti (multi, connection.getMultiEdit());
    }
    if (auto* page = pages.getMultiPage())
        page->showMulti (multi);
}

void MainPanel::parameterTableEvents()
{
    for (auto event : pages.getParameterTable()->takeEvents())
    {
        const int code = EditEvent::code (event);
        const int channel = EditEvent::channel (event);
        if (code != EditEvent::closePage && code != EditEvent::writeRequested && code != EditEvent::writeRequestedAlt)
            continue;   // the value field's entry requests are the table's own business

        // Back to the program page the table was opened from.
        pages.hideAll();
        pages.showProgramPage (channel, pages.programOfChannel (channel));
        if (code != EditEvent::closePage)
            dialogs.openWriteDialog (EditEvent::slot (event), channel, EditEvent::value (event));
        return;
    }
}

} // namespace zd8

#include "editor/pages/ProgramPage.h"

#include "editor/kit/EditEvent.h"
#include "editor/kit/Palette.h"
#include "editor/kit/PictureDraw.h"
#include "editor/kit/Pictures.h"
#include "link/TimerFactory.h"
#include "model/Categories.h"
#include "model/InstrumentImage.h"
#include "model/ParameterTable.h"
#include "model/ProgramStore.h"
#include "plugin/EditorConnection.h"
#include "plugin/EditorSession.h"

namespace zd8
{

namespace
{
    using Table = ParameterTable;

    constexpr juce::uint32 statusColour = Palette::programPageStatus;
    const juce::Rectangle<int> statusBounds { 50, 176, 200, 14 };
    // Under the program display's right edge, clear of the status line's text and of
    // the organ layout's channel section.
    const juce::Rectangle<int> writeBounds { 236, 166, 54, 18 };
    constexpr int writeIdentifier = 1;
    // The column of buttons to the table and the selectors: right of the mix controls
    // in the standard layout, between the mix column and the drawbars in the organ's.
    const juce::Point<int> pageButtonsStandard { 850, 12 };
    const juce::Point<int> pageButtonsOrgan { 244, 204 };

    constexpr int displayWidth = 280, displayHeight = 150;
    const juce::Point<int> displayHome { 10, 10 };
    const juce::Point<int> displayOverChooser { 360, 22 };
    const juce::Rectangle<int> listOverChooser { 30, 26, 274, 510 };
    const juce::Rectangle<int> chooserParked { -2000, -100, 50, 50 };
    const juce::Rectangle<int> pageParked { -3600, -3000, 50, 50 };

    // The display's press codes are 501, 502 and 503 (by where it was pressed).
    constexpr int firstPressCode = 501;

    // The seven mix controls: label, program row, style.
    struct HeaderControl
    {
        const char* name;
        int row;
        int style;
    };

    constexpr int aux1SendRow = 4, aux2SendRow = 7;

    constexpr HeaderControl headerControls[7] = {
        { "Level", Table::levelRow, ParameterControl::fader },
        { "Pan", Table::panRow, ParameterControl::knob },
        { "Insert", Table::insertChainRow, ParameterControl::valueBox },
        { "Aux 1 FX", Table::aux1ChainRow, ParameterControl::valueBox },
        { "Aux 1 Send", aux1SendRow, ParameterControl::knob },
        { "Aux 2 FX", Table::aux2ChainRow, ParameterControl::valueBox },
        { "Aux 2 Send", aux2SendRow, ParameterControl::knob },
    };

    // Program rows whose fields this page only shows (the FX chain rows); controller
    // rows carry their controller number as sub-index, so controllers 3 and 6 are
    // display-only here too.
    bool isDisplayOnly (int subIndex) noexcept
    {
        return subIndex == Table::insertChainRow || subIndex == Table::aux1ChainRow || subIndex == Table::aux2ChainRow;
    }

    // Generic grid places.
    constexpr int gridPlaceWidth = 74, gridPlaceHeight = 80, switchHeight = 50;

    std::vector<juce::Rectangle<int>> gridPlaces (int x0, int y0, int step, int lastX, int rowStep, int count)
    {
        std::vector<juce::Rectangle<int>> places;
        int x = x0, y = y0;
        while ((int) places.size() < count)
        {
            places.emplace_back (x, y, gridPlaceWidth, gridPlaceHeight);
            x += step;
            if (x > lastX)
                x = x0, y += rowStep;
        }
        return places;
    }

    // Organ layout: drawbars and switches, by column.
    constexpr int drawbarCount = 9;
    constexpr int drawbarControllers[drawbarCount] = { 12, 13, 22, 23, 24, 25, 26, 27, 28 };
    constexpr const char* drawbarNames[drawbarCount] = { "16'", "5 1/3'", "8'", "4'", "2 2/3'", "2'", "1 3/5'", "1 1/3'", "1'" };
    // Which of the three drawbar pictures each drawbar shows.
    constexpr int drawbarPictures[drawbarCount] = { 0, 0, 1, 1, 2, 1, 2, 2, 1 };
    constexpr int drawbarX = 360, drawbarStep = 66, drawbarY = 212, drawbarWidth = 35, drawbarHeight = 178;

    constexpr int organSwitchControllers[drawbarCount] = { 80, 81, 82, 83, 85, 86, 87, 89, 90 };
    constexpr const char* organSwitchNames[drawbarCount] = { "Brake", "On/Off", "Chor/Vib", "Depth", "On/Off",
                                                             "Loud/Soft", "Decay F/S", "Pitch H/L", "Key Click" };
    constexpr int organSwitchY = 130, organSwitchWidth = 52, organSwitchHeight = 34, organSwitchShift = 10;

    bool shownByOrganSection (int controller) noexcept
    {
        for (int i = 0; i < drawbarCount; ++i)
            if (drawbarControllers[i] == controller || organSwitchControllers[i] == controller)
                return true;
        return false;
    }

    constexpr int controllerMaximum = 127;
    constexpr int fxListCount = 4;
}

ProgramPage::ProgramPage (EditorConnection& c) : connection (c)
{
    controllerStyles.fill ((juce::uint8) knobStyle);
    for (int cc : { 29, 64, 66, 80, 81, 82, 83, 85, 86, 87, 89, 90 })
        controllerStyles[(size_t) cc] = (juce::uint8) switchStyle;

    for (size_t i = 0; i < controls.size(); ++i)
    {
        auto& c = controls[i];
        c = std::make_unique<ParameterControl>();
        c->setHoverReporting (true);
        c->addListener (this);
        addChildComponent (*c);
        attachments[i] = std::make_unique<SlotAttachment> (connection, *c);
        // The page shows a user's change itself, and only on the channel it shows: after
        // open() on another channel and until the rebuild, a drag sets its slot unseen.
        attachments[i]->setEchoesUserChanges (false);
    }
    // The program row of the channel shown (rebound when the page opens on another).
    connection.addSlotListener (Table::programSlot (channel, Table::programRow), this);

    statusLine = std::make_unique<KitLabel> (juce::String(), 12.0f, juce::Colour (statusColour));
    statusLine->setBounds (statusBounds);
    addAndMakeVisible (*statusLine);

    display = std::make_unique<ObjectDisplay> (ObjectDisplay::programDisplay, displayWidth, displayHeight);
    display->placeAt (displayHome.x, displayHome.y, 1.0f);
    display->addChangeListener (this);

    chooser = std::make_unique<ProgramChooser> (connection, *display);
    chooser->setBounds (chooserParked);
    chooser->onEvent = [this] (juce::uint64 e) { post (e); };
    chooser->onClose = [this] { closeChooser(); };
    chooser->getList().addChangeListener (this);
    addChildComponent (*chooser);

    // The display sits above the chooser while that is open.
    addAndMakeVisible (*display);

    // The chooser, brought to the front when it opens, covers it.
    writeButton = std::make_unique<KitButton> ("WRITE", writeIdentifier, 0, 11.0f);
    writeButton->setBounds (writeBounds);
    writeButton->addListener (this);
    addAndMakeVisible (*writeButton);

    pageButtons = std::make_unique<ProgramPageButtons>();
    pageButtons->setTopLeftPosition (pageButtonsStandard);
    pageButtons->onRequest = [this] (int code, int objectType)
    {
        post (EditEvent::make (code, 0, objectType, channel, code == EditEvent::openTable ? program : 0));
    };
    addAndMakeVisible (*pageButtons);

    refreshTimer = connection.getTimers().createTimer();
    refreshTimer->onTick = [this] { refreshNow(); };
}

ProgramPage::~ProgramPage()
{
    connection.removeSlotListener (Table::programSlot (channel, Table::programRow), this);
    refreshTimer->stop();
    refreshTimer->onTick = nullptr;
    chooser->getList().removeChangeListener (this);
    display->removeChangeListener (this);
    writeButton->removeListener (this);
    for (auto& c : controls)
        c->removeListener (this);
}

//==============================================================================
void ProgramPage::open (int newChannel, int x, int y, int width, int height)
{
    setVisible (true);
    connection.getEditorSession().enterPage (pageCode);
    if (newChannel != channel)
    {
        connection.removeSlotListener (Table::programSlot (channel, Table::programRow), this);
        connection.addSlotListener (Table::programSlot (newChannel, Table::programRow), this);
    }
    channel = newChannel;
    chooser->setChannel (newChannel);
    setBounds (x, y, width, height);
    if (chooserOpen)
        openChooser();
}

void ProgramPage::hidePage()
{
    setBounds (pageParked);
    setVisible (false);
}

void ProgramPage::openChooser()
{
    chooserOpen = true;
    chooser->setShown (true);
    chooser->setBounds (getLocalBounds());
    chooser->getList().setBounds (listOverChooser);
    chooser->setVisible (true);
    chooser->toFront (false);
    display->placeAt (displayOverChooser.x, displayOverChooser.y, 1.0f);
    display->toFront (false);
    connection.getEditorSession().enterPage (pageCode);
}

void ProgramPage::closeChooser()
{
    chooserOpen = false;
    chooser->setShown (false);
    chooser->setVisible (false);
    chooser->setBounds (chooserParked);
    display->placeAt (displayHome.x, displayHome.y, 1.0f);
    repaint();
}

void ProgramPage::displayPressed()
{
    const int code = display->getPressCode();
    // Any of the display's three press codes toggles the chooser; its release does nothing.
    if (code == firstPressCode || code == firstPressCode + 1 || code == firstPressCode + 2)
    {
        if (chooserOpen)
            closeChooser();
        else
            openChooser();
    }
}

//==============================================================================
void ProgramPage::addListener (ProgramPageListener* listener)
{
    const std::lock_guard<std::mutex> g (listenerLock);
    listeners.addIfNotAlreadyThere (listener);
}

void ProgramPage::removeListener (ProgramPageListener* listener)
{
    const std::lock_guard<std::mutex> g (listenerLock);
    listeners.removeAllInstancesOf (listener);
}

void ProgramPage::post (juce::uint64 event)
{
    juce::Array<ProgramPageListener*> copy;
    {
        const std::lock_guard<std::mutex> g (listenerLock);
        copy = listeners;
    }
    for (int i = copy.size(); --i >= 0;)
        copy.getUnchecked (i)->programPageEvent (event);
}

void ProgramPage::buttonPressed (KitButton*, int identifier)
{
    if (identifier == writeIdentifier)
        post (EditEvent::make (EditEvent::writeRequested, ObjectStore::typeProgram, 0, channel, program));
}

void ProgramPage::forwardListEvents()
{
    for (auto e : chooser->getList().takeEvents())
        post (e);
}

void ProgramPage::changeListenerCallback (juce::ChangeBroadcaster* source)
{
    if (source == &chooser->getList())
        forwardListEvents();
    else if (source == display.get())
        displayPressed();
}

//==============================================================================
void ProgramPage::restartRefresh (int newChannel, int newProgram)
{
    pendingChannel = newChannel;
    pendingProgram = newProgram;
    refreshTimer->start (refreshDelayMs);
}

bool ProgramPage::isRefreshPending() const
{
    return refreshTimer->isRunning();
}

void ProgramPage::refreshNow()
{
    refreshTimer->stop();
    showProgram (pendingChannel, pendingProgram);
}

void ProgramPage::showValue (int slot, int value)
{
    for (int i = 0; i < controlCount; ++i)
        if (attachments[(size_t) i]->getSlot() == slot)
            attachments[(size_t) i]->showValue (value);

    if (slot == Table::programSlot (channel, Table::programRow))
        restartRefresh (channel, value);
}

void ProgramPage::slotChanged (int slot, int value)
{
    // The program row of the channel shown (the only one the page listens to), while
    // the page is shown: rebuilt 50 ms later. Another channel's program is not this
    // page's: it keeps showing, and writing, its own.
    if (isVisible() && slot == Table::programSlot (channel, Table::programRow))
        restartRefresh (channel, value);
}

//==============================================================================
void ProgramPage::showProgram (int forChannel, int newProgram)
{
    if (forChannel != channel)
        return;

    auto& image = connection.getImage();
    juce::MemoryBlock record;
    {
        const juce::ScopedReadLock sl (image.getStoreLock());
        record = image.getPrograms().readRecord (newProgram);
    }

    using P = ProgramStore;
    const int mainCategory = P::contentByte (record, P::mainCategoryOffset);
    const int subCategory = P::contentByte (record, P::subCategoryOffset);
    const bool organ = P::contentByte (record, P::modeOffset) == P::modeTw7;

    display->setContents (newProgram, mainCategory, subCategory, P::nameOf (record).trimEnd(),
                          Categories::mainCategoryName (mainCategory), "Ch. " + juce::String (channel + 1),
                          P::modeTextOf (record));

    program = newProgram;
    if (organ)
    {
        layoutCode = organLayoutCode;
        buildOrganLayout();
    }
    else
    {
        layoutCode = mainCategory;
        buildStandardLayout();
    }

    pageButtons->setTopLeftPosition (organ ? pageButtonsOrgan : pageButtonsStandard);
    if (! chooserOpen)
        display->placeAt (displayHome.x, displayHome.y, 1.0f);
    updateBackground();
    repaint();
}

void ProgramPage::clearControls()
{
    for (size_t i = 0; i < controls.size(); ++i)
    {
        controls[i]->setVisible (false);
        attachments[i]->detach();
    }
    controlCount = 0;
}

bool ProgramPage::addControl (const juce::String& name, int slot, Place place, int minimum, int maximum, int style)
{
    if (controlCount >= maxControls)
        return false;

    const auto i = (size_t) controlCount++;
    placeX[i] = place.x;
    placeY[i] = place.y;
    placeWidth[i] = place.width;
    placeHeight[i] = place.height;

    auto& c = *controls[i];
    c.setup (name, slot, place.width, place.height, place.x, place.y, minimum, maximum, style);
    const auto& table = connection.getParameters();
    c.setSubKind (table.displayKind (slot));
    c.setChannel (channel);
    c.setVisible (true);
    // Bound, the control shows the slot's stored value; the effect chain fields only show.
    auto& a = *attachments[i];
    a.setEditCodes (isDisplayOnly (table.subIndex (slot)) ? SlotAttachment::showOnly : SlotAttachment::allChanges);
    a.bind (slot);
    return true;
}

void ProgramPage::addHeaderControls (const Place (&places)[7])
{
    const auto& table = connection.getParameters();
    for (int i = 0; i < 7; ++i)
    {
        const int slot = Table::programSlot (channel, headerControls[i].row);
        addControl (headerControls[i].name, slot, places[i], table.minimum (slot), table.maximum (slot),
                    headerControls[i].style);
    }
}

void ProgramPage::addControllers (const std::vector<Place>& grid, bool organ)
{
    size_t next = 0;
    for (int list = 0; list < fxListCount; ++list)
    {
        for (int cc : connection.getFxParameterList (channel, list))
        {
            if (! juce::isPositiveAndBelow (cc, 128) || (organ && shownByOrganSection (cc)))
                continue;
            if (next >= grid.size() || controlCount >= maxControls)
                return;   // more controllers than places: the rest is not shown

            const int style = controllerStyles[(size_t) cc];
            auto place = grid[next++];
            if (style == switchStyle)
                place.height = switchHeight;
            const int slot = Table::controllerSlot (channel, cc);
            addControl (controllerName (slot), slot, place, 0, controllerMaximum, style);
        }
    }
}

void ProgramPage::buildStandardLayout()
{
    clearControls();

    static constexpr Place header[7] = {
        { 320, 10, 50, 180 },   // Level
        { 390, 115, 60, 80 },   // Pan
        { 480, 10, 140, 36 },   // Insert
        { 480, 65, 140, 36 },   // Aux 1 FX
        { 520, 115, 60, 80 },   // Aux 1 Send
        { 650, 65, 140, 36 },   // Aux 2 FX
        { 690, 115, 60, 80 },   // Aux 2 Send
    };
    addHeaderControls (header);

    std::vector<Place> grid;
    for (auto r : gridPlaces (20, 230, 88, 900, 90, maxControls - controlCount))
        grid.push_back (Place { r.getX(), r.getY(), r.getWidth(), r.getHeight() });
    addControllers (grid, false);
}

void ProgramPage::buildOrganLayout()
{
    clearControls();

    static constexpr Place header[7] = {
        { 10, 200, 50, 180 },   // Level
        { 5, 400, 60, 80 },     // Pan
        { 90, 200, 140, 36 },   // Insert
        { 90, 260, 140, 36 },   // Aux 1 FX
        { 90, 400, 60, 80 },    // Aux 1 Send
        { 90, 320, 140, 36 },   // Aux 2 FX
        { 170, 400, 60, 80 },   // Aux 2 Send
    };
    addHeaderControls (header);

    for (int i = 0; i < drawbarCount; ++i)
    {
        const int x = drawbarX + drawbarStep * i;
        addControl (drawbarNames[i], Table::controllerSlot (channel, drawbarControllers[i]),
                    { x, drawbarY, drawbarWidth, drawbarHeight }, 0, controllerMaximum, ParameterControl::drawbar);
        controls[(size_t) controlCount - 1]->setDrawbarPicture (drawbarPictures[i]);
    }

    for (int i = 0; i < drawbarCount; ++i)
    {
        const int x = drawbarX + drawbarStep * i - organSwitchShift;
        addControl (organSwitchNames[i], Table::controllerSlot (channel, organSwitchControllers[i]),
                    { x, organSwitchY, organSwitchWidth, organSwitchHeight }, 0, controllerMaximum, switchStyle);
    }

    std::vector<Place> grid;
    for (int i = 0; i < 6; ++i)
        grid.push_back (Place { 372 + 92 * i, 36, gridPlaceWidth, gridPlaceHeight });
    for (auto r : gridPlaces (312, 416, 92, 924, 86, maxControls - controlCount - 6))
        grid.push_back (Place { r.getX(), r.getY(), r.getWidth(), r.getHeight() });
    addControllers (grid, true);
}

ParameterControl* ProgramPage::getControl (int i) const noexcept
{
    return juce::isPositiveAndBelow (i, controlCount) ? controls[(size_t) i].get() : nullptr;
}

SlotAttachment* ProgramPage::findAttachment (const ParameterControl* control) const noexcept
{
    for (int i = 0; i < controlCount; ++i)
        if (controls[(size_t) i].get() == control)
            return attachments[(size_t) i].get();
    return nullptr;
}

ParameterControl* ProgramPage::findControl (int slot) const noexcept
{
    for (int i = 0; i < controlCount; ++i)
        if (controls[(size_t) i]->getSlot() == slot)
            return controls[(size_t) i].get();
    return nullptr;
}

//==============================================================================
juce::String ProgramPage::controllerName (int slot) const
{
    const auto& table = connection.getParameters();
    const auto label = table.labelCode (slot);
    return label.isNotEmpty() ? label : "MIDI " + juce::String (table.controller (slot));
}

juce::String ProgramPage::describeSlot (int slot) const
{
    const auto& table = connection.getParameters();
    if (! Table::isValid (slot))
        return {};
    if (table.displayKind (slot) != Table::displayController)
        return connection.getSlotLabel (slot);

    juce::String text = "Ch " + juce::String (table.channel (slot) + 1) + "  CC " + juce::String (table.controller (slot));
    const auto label = table.labelCode (slot);
    if (label.isNotEmpty())
        text << "  " << label;
    return text;
}

void ProgramPage::controlEvent (ParameterControl* control, juce::uint64 event)
{
    const int slot = EditEvent::slot (event);
    const auto& table = connection.getParameters();
    if (isDisplayOnly (table.subIndex (slot)))
    {
        // A click on an effect chain field opens the FX chain selector for it.
        if (EditEvent::code (event) == EditEvent::menuRequest && table.displayKind (slot) == Table::displayProgramRow)
            post (EditEvent::make (EditEvent::channelEvent, table.subIndex (slot), ObjectStore::typeFxChain,
                                   table.channel (slot), EditEvent::value (event)));
        return;
    }

    const int value = EditEvent::value (event);
    switch (EditEvent::code (event))
    {
        case EditEvent::pointerEntered:
            statusLine->setText (describeSlot (slot));
            break;

        case EditEvent::pointerLeft:
            statusLine->setText ({});
            break;

        case EditEvent::valueDragged:
        case EditEvent::toggled:
        case EditEvent::chosen:
        {
            if (EditEvent::channel (event) == channel)
                showValue (slot, value);
            // The control's attachment sends a change of the slot it is bound to; an
            // event posted under an earlier binding still sets the slot it names.
            const auto* a = findAttachment (control);
            if (a == nullptr || a->getSlot() != slot)
                connection.setSlotFromEditor (slot, value);
            break;
        }

        default:
            break;
    }
}

//==============================================================================
void ProgramPage::updateBackground()
{
    const int w = getWidth(), h = getHeight();
    if (w <= 0 || h <= 0)
        return;
    // At the device's pixel density, so that a scaled window or a high-density display
    // shows the double-density picture instead of the page-sized one stretched.
    if (layoutCode == backgroundLayoutCode && PictureDraw::cacheFits (background, w, h, backgroundScale))
        return;

    const auto picture = Pictures::get (layoutCode == organLayoutCode ? "program_back_organ" : "program_back_standard");
    background = PictureDraw::makeCache (juce::Image::ARGB, w, h, backgroundScale);
    juce::Graphics g (background);
    g.addTransform (PictureDraw::cacheTransform (background, w, h));
    PictureDraw::draw (g, picture, { 0, 0, w, h }, picture.getBounds());
    backgroundLayoutCode = layoutCode;
    ++backgroundDraws;
}

void ProgramPage::resized()
{
    updateBackground();
    if (chooserOpen)
        chooser->setBounds (getLocalBounds());
}

void ProgramPage::paint (juce::Graphics& g)
{
    g.fillAll (juce::Colours::black);
    if (isVisible() && ! chooserOpen)
    {
        backgroundScale = PictureDraw::pixelScale (g);
        updateBackground();
        PictureDraw::drawCache (g, background, getLocalBounds());
    }
}

} // namespace zd8

#include "editor/pages/MultiPage.h"

#include "editor/kit/EditEvent.h"
#include "editor/kit/Palette.h"
#include "editor/kit/ZD8LookAndFeel.h"
#include "model/InstrumentImage.h"
#include "model/MultiStore.h"
#include "model/ParameterTable.h"
#include "plugin/EditorConnection.h"
#include "plugin/EditorSession.h"

namespace zd8
{

namespace
{
    // Places inside the content box.
    // The list's names and its whole scroll bar (its thumb ends 280 pixels in); the bank
    // column and the display sit right of it.
    const juce::Rectangle<int> listPlace { 0, 0, 280, 544 };
    const juce::Point<int> displayPlace { 364, 16 };
    constexpr int displayWidth = 268, displayHeight = 150;
    const juce::Rectangle<int> zonesPlace { 290, 174, 670, 460 };

    constexpr int bankX = 292, bankWidth = 60, bankHeight = 34;
    constexpr int allBankY = 10, factoryBankY = 50, userBankY = 90;

    constexpr int keyWidth = 48, keyHeight = 34;
    constexpr int keyColumns[3] = { 779, 835, 891 };
    constexpr int keyRows[4] = { 17, 53, 89, 125 };
    constexpr int minusX = 653, plusX = 709;

    // The largest entry that may still take another digit (four digits at most).
    constexpr int largestExtendableEntry = 999;

    const juce::Rectangle<int> pageParked { -3800, -3000, 50, 50 };
    constexpr juce::uint32 pageFill = Palette::multiPagePageFill;

    // Frames drawn behind the bank buttons and the keypad.
    const juce::Rectangle<int> bankFrame { 280, 0, 84, 134 };
    const juce::Rectangle<int> keypadFrame { 640, 6, 308, 160 };
    // Under the bank buttons, above the zone table.
    const juce::Rectangle<int> writePlace { 292, 142, 60, 24 };
    constexpr int writeIdentifier = 300;

    // The list reports the multi under the number of the multi slot.
    constexpr int listParameterNumber = ParameterTable::multiSlot;
}

MultiPage::MultiPage (EditorConnection& c) : connection (c)
{
    list = std::make_unique<ObjectList> (connection.getMultis());
    list->setColumns ({ 50, 180, 0, 0 });
    list->setRowHeight (34);
    list->setFontSizes (14.0f, 15.0f, 11.0f);
    list->setRowFill (0);
    list->setColours (Palette::objectListRows);
    list->setParameterNumber (listParameterNumber);
    list->addChangeListener (this);
    addAndMakeVisible (*list);

    display = std::make_unique<ObjectDisplay> (ObjectDisplay::multiDisplay, displayWidth, displayHeight);
    addAndMakeVisible (*display);

    zones = std::make_unique<ZonesArray> (connection);
    addAndMakeVisible (*zones);

    addButton (bankButtons, "ALL", allBank, { bankX, allBankY, bankWidth, bankHeight });
    addButton (bankButtons, "FACTORY", factoryBank, { bankX, factoryBankY, bankWidth, bankHeight });
    addButton (bankButtons, "USER", userBank, { bankX, userBankY, bankWidth, bankHeight });

    const char* keyCaptions[12] = { "1", "2", "3", "4", "5", "6", "7", "8", "9", "Clear", "0", "Enter" };
    const int keyIds[12] = { 1, 2, 3, 4, 5, 6, 7, 8, 9, clearKey, 0, enterKey };
    for (int i = 0; i < 12; ++i)
        addButton (keypadButtons, keyCaptions[i], keyIds[i], { keyColumns[i % 3], keyRows[i / 3], keyWidth, keyHeight });
    addButton (keypadButtons, "-", minusKey, { minusX, keyRows[3], keyWidth, keyHeight });
    addButton (keypadButtons, "+", plusKey, { plusX, keyRows[3], keyWidth, keyHeight });

    writeButton = std::make_unique<KitButton> ("WRITE", writeIdentifier, 0, 11.0f);
    writeButton->addListener (this);
    addAndMakeVisible (*writeButton);

    highlightBank (getBankButton (allBank));
    setFilter (modeAll, 0);
    layoutChildren();
}

MultiPage::~MultiPage()
{
    list->removeChangeListener (this);
    writeButton->removeListener (this);
    for (auto* group : { &bankButtons, &keypadButtons })
        for (auto& b : *group)
            b->removeListener (this);
}

KitButton* MultiPage::addButton (std::vector<std::unique_ptr<KitButton>>& group, const juce::String& caption, int id,
                                juce::Rectangle<int> place)
{
    auto b = std::make_unique<KitButton> (caption, id);
    b->addListener (this);
    addAndMakeVisible (*b);
    (&group == &bankButtons ? bankPlaces : keypadPlaces).push_back (place);
    group.push_back (std::move (b));
    return group.back().get();
}

//==============================================================================
void MultiPage::open (int x, int y, int width, int height)
{
    pageVisible = true;
    setVisible (true);
    connection.getEditorSession().enterPage (pageCode);
    setBounds (x, y, width, height);
    layoutChildren();
    repaint();
}

void MultiPage::hidePage()
{
    pageVisible = false;
    setBounds (pageParked);
    setVisible (false);
}

void MultiPage::resized()
{
    layoutChildren();
}

void MultiPage::layoutChildren()
{
    // A page narrower than the content still starts it at its left edge.
    contentX = juce::jmax (0, (getWidth() - contentWidth) / 2);
    list->setBounds (listPlace.translated (contentX, 0));
    display->placeAt (contentX + displayPlace.x, displayPlace.y, 1.0f);
    zones->setBounds (zonesPlace.translated (contentX, 0));
    for (size_t i = 0; i < bankButtons.size(); ++i)
        bankButtons[i]->setBounds (bankPlaces[i].translated (contentX, 0));
    for (size_t i = 0; i < keypadButtons.size(); ++i)
        keypadButtons[i]->setBounds (keypadPlaces[i].translated (contentX, 0));
    writeButton->setBounds (writePlace.translated (contentX, 0));
}

//==============================================================================
void MultiPage::showMulti (int multi)
{
    connection.setSelectedMulti (multi);
    const auto& image = connection.getImage();

    int mainCategory = 0, subCategory = 0;
    juce::String name, categoryName;
    {
        const juce::ScopedReadLock rl (image.getStoreLock());
        const auto& store = connection.getMultis();
        mainCategory = store.byteAt (multi, store.getCategoryOffset());
        subCategory = store.byteAt (multi, store.getSubCategoryOffset());
        name = store.recordName (multi).trimEnd();
        categoryName = store.categoryName (multi);
    }
    display->setContents (multi, mainCategory, subCategory, name, categoryName, {}, {});

    // Mark the multi in the list without reporting it again (the caller is acting on
    // that report); a row the user just clicked stays where it is.
    if (list->getSelectedId() != multi)
    {
        list->selectId (multi, false);
        list->takeEvents();
    }

    zones->showZones();
}

//==============================================================================
void MultiPage::addListener (MultiPageListener* listener)
{
    const std::lock_guard<std::mutex> g (listenerLock);
    listeners.addIfNotAlreadyThere (listener);
}

void MultiPage::removeListener (MultiPageListener* listener)
{
    const std::lock_guard<std::mutex> g (listenerLock);
    listeners.removeAllInstancesOf (listener);
}

void MultiPage::post (juce::uint64 event)
{
    juce::Array<MultiPageListener*> copy;
    {
        const std::lock_guard<std::mutex> g (listenerLock);
        copy = listeners;
    }
    for (int i = copy.size(); --i >= 0;)
        copy.getUnchecked (i)->multiPageEvent (event);
}

void MultiPage::forwardListEvents()
{
    for (auto e : list->takeEvents())
        post (e);
}

void MultiPage::changeListenerCallback (juce::ChangeBroadcaster* source)
{
    if (source == list.get())
        forwardListEvents();
}

//==============================================================================
KitButton* MultiPage::findButton (const juce::String& caption) const
{
    for (auto* group : { &bankButtons, &keypadButtons })
        for (auto& b : *group)
            if (b->getText() == caption)
                return b.get();
    return nullptr;
}

KitButton* MultiPage::getBankButton (int id) const
{
    for (auto& b : bankButtons)
        if (b->getIdentifier() == id)
            return b.get();
    return nullptr;
}

bool MultiPage::contains (const std::vector<std::unique_ptr<KitButton>>& group, const KitButton* button)
{
    for (auto& b : group)
        if (b.get() == button)
            return true;
    return false;
}

void MultiPage::setFilter (int newMode, int newArgument)
{
    mode = newMode;
    argument = newArgument;
    list->bind (mode, argument);
}

void MultiPage::highlightBank (KitButton* button)
{
    if (highlightedBank != nullptr)
        highlightedBank->setOn (false);
    highlightedBank = button;
    if (button != nullptr)
        button->setOn (true);
}

void MultiPage::buttonPressed (KitButton* button, int identifier)
{
    // "ALL" and "-" share an identifier, so the group is found by the button itself.
    if (button == writeButton.get())
        post (EditEvent::make (EditEvent::writeRequested, ObjectStore::typeMulti, 0, 0,
                               connection.getImage().getSelectedMulti()));
    else if (contains (bankButtons, button))
        bankPressed (button, identifier);
    else if (contains (keypadButtons, button))
        keypadPressed (identifier);
}

void MultiPage::bankPressed (KitButton* button, int id)
{
    highlightBank (button);
    if (id == allBank)
        setFilter (modeAll, 0);
    else
        setFilter (modeBank, id);
}

void MultiPage::keypadPressed (int id)
{
    const int entry = display->isTyped() ? display->getTypedNumber() : 0;

    if (id >= 0 && id <= 9)
    {
        if (entry > 0 && entry <= largestExtendableEntry)
            display->setTyped (entry * 10 + id);
        else if (entry == 0 && id != 0)
            display->setTyped (id);
        return;
    }

    switch (id)
    {
        case clearKey:
            display->setNumber (display->getNumber());
            break;

        case enterKey:
            highlightBank (getBankButton (allBank));
            setFilter (modeAll, 0);
            // An entry that names no listed multi (0 included) selects nothing.
            list->selectId (entry, true);
            list->dispatchPendingMessages();
            break;

        case minusKey:
        case plusKey:
        {
            list->selectIndex (list->getSelectedIndex() + (id == plusKey ? 1 : -1));
            list->dispatchPendingMessages();
            // Past either end the selection stays and is chosen again; with nothing
            // selected there is nothing to choose.
            if (list->getSelectedIndex() >= 0)
                post (EditEvent::make (EditEvent::chosen, listParameterNumber, listParameterNumber, 0,
                                       list->getSelectedId()));
            break;
        }

        default:
            break;
    }
}

//==============================================================================
void MultiPage::paint (juce::Graphics& g)
{
    g.fillAll (juce::Colour (pageFill));
    juce::SharedResourcePointer<ZD8LookAndFeel> look;
    for (auto r : { bankFrame, keypadFrame })
        look->paintFrame (g, contentX + r.getX(), r.getY(), r.getWidth(), r.getHeight());
}

} // namespace zd8

#include "editor/pages/ObjectSelector.h"

#include "editor/kit/EditEvent.h"
#include "editor/kit/Palette.h"
#include "editor/kit/ZD8LookAndFeel.h"
#include "model/ObjectStore.h"
#include "model/InstrumentImage.h"
#include "plugin/EditorConnection.h"
#include "plugin/EditorSession.h"

namespace zd8
{

namespace
{
    // Everything below is relative to the content box (950 x 598, centred).
    const juce::Point<int> displayPlace { 160, 44 };
    const juce::Point<int> displaySize { 216, 48 };
    const juce::Rectangle<int> listPlace { 30, 132, 274, 442 };   // 13 rows of 34
    // The knob sits at its own place shifted right by 34.
    const juce::Point<int> knobOwnPlace { 692, 210 };   // under the keypad
    constexpr int knobShift = 34;

    const juce::Rectangle<int> okPlace { 820, 518, 60, 20 };
    const juce::Rectangle<int> editPlace { 36, 44, 60, 20 };
    const juce::Rectangle<int> libraryParked { -1000, 30, 60, 36 };   // in the page, not the content box

    constexpr int filterWidth = 54, filterHeight = 34;
    // The bank filters share the row of "ALL"; the id-25 button ends the header row.
    const juce::Point<int> allPlace { 370, 136 };
    const juce::Point<int> factoryPlace { 426, 136 };
    const juce::Point<int> userPlace { 482, 136 };
    const juce::Point<int> unnamedBankPlace { 426, 28 };   // id 25
    // Buttons without a place of their own wait here, invisible.
    const juce::Point<int> nowhere { -1000, -1000 };

    constexpr int unnamedBankId = 25;
    constexpr int filterIds[23] = { 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 25, 32, 33 };

    // The list's looks, shared with the program chooser.
    constexpr int rowHeight = 34;
    const std::array<juce::uint32, 9> listColours = Palette::objectListRows;

    constexpr int parkedSize = 50;
    constexpr int frameMargin = 10;

    // A whole knob turn is 36 positions; a change of more than half of that is a turn
    // across the wrap-around point.

    const ObjectStore& storeOf (EditorConnection& connection, int typeCode)
    {
        static const ObjectStore none;
        const auto* s = connection.getImage().storeFor (typeCode);
        return s != nullptr ? *s : none;
    }
}

// Type listed, list number, page code, parameter number, category buttons, parking
// place, title. The song selector is never parked (the window only hides it).
const std::array<ObjectSelector::Kind, 6> ObjectSelector::kinds { {
    { ObjectStore::typeAlgorithm, 0, 't', 787, false, { -3100, -3000 }, "Algorithm" },
    { ObjectStore::typeKeymap, ObjectStore::typeKeymap, 'v', ObjectStore::typeKeymap, true, { -3300, -3000 }, "Keymap" },
    { ObjectStore::typeIntonationTable, ObjectStore::typeIntonationTable, 'w', ObjectStore::typeIntonationTable, false,
      { -3400, -3000 }, "Intonation" },
    { ObjectStore::typeShiftPattern, ObjectStore::typeShiftPattern, 'x', ObjectStore::typeShiftPattern, false,
      { -3900, -3000 }, "Shift Pattern" },
    { ObjectStore::typeVelocityPattern, ObjectStore::typeVelocityPattern, 'y', ObjectStore::typeVelocityPattern, true,
      { -3500, -3000 }, "Velocity Pattern" },
    { ObjectStore::typeSong, ObjectStore::typeSong, '|', ObjectStore::typeSong, false, { 0, 0 }, "Song" },
} };

const ObjectSelector::Kind* ObjectSelector::kindOf (int typeCode) noexcept
{
    for (const auto& k : kinds)
        if (k.typeCode == typeCode)
            return &k;
    return nullptr;
}

ObjectSelector::ObjectSelector (EditorConnection& c, const Kind& k)
    : connection (c), kind (k), store (storeOf (c, k.typeCode))
{
    display = std::make_unique<ObjectDisplay> (ObjectDisplay::smallDisplay, displaySize.x, displaySize.y);
    display->setContents (0, 0, 0, {}, kind.title, {}, {});
    addAndMakeVisible (*display);

    knob = std::make_unique<BigKnob>();
    knob->addChangeListener (this);
    addAndMakeVisible (*knob);

    keypad = std::make_unique<SelectorKeypad> (*this, *this);

    okButton = std::make_unique<KitButton> ("OK", okId);
    editButton = std::make_unique<KitButton> ("EDIT", editId);
    libraryButton = std::make_unique<KitButton> ("LIBRARY", libraryId);
    for (auto* b : { okButton.get(), editButton.get(), libraryButton.get() })
    {
        b->addListener (this);
        addAndMakeVisible (*b);
    }
    okButton->setSize (okPlace.getWidth(), okPlace.getHeight());
    editButton->setSize (editPlace.getWidth(), editPlace.getHeight());
    libraryButton->setBounds (libraryParked);

    for (int id : filterIds)
    {
        auto* b = addButton (filterButtons, {}, id);
        juce::Point<int> place = nowhere;
        if (id == factoryId)
            b->setText ("FACTORY"), place = factoryPlace;
        else if (id == userId)
            b->setText ("USER"), place = userPlace;
        else if (id == unnamedBankId)
            b->setText ("- -"), place = unnamedBankPlace;
        b->setVisible (place != nowhere);
        filterPlaces.push_back (place);
    }
    addButton (filterButtons, "ALL", allId);
    filterPlaces.push_back (allPlace);

    // The stores name no categories, so the category buttons have no place on the
    // page; they filter when pressed all the same.
    if (kind.categoryFilters)
        for (int c = 0; c < categoryButtonCount; ++c)
        {
            auto* b = addButton (categoryButtons, {}, firstCategoryId + c);
            b->setVisible (false);
            categoryPlaces.push_back (nowhere);
        }

    recreateList();
    highlight (getFilterButton (allId));
}

ObjectSelector::~ObjectSelector()
{
    knob->removeChangeListener (this);
    list->removeChangeListener (this);
    for (auto* group : { &filterButtons, &categoryButtons })
        for (auto& b : *group)
            b->removeListener (this);
    for (auto* b : { okButton.get(), editButton.get(), libraryButton.get() })
        b->removeListener (this);
}

KitButton* ObjectSelector::addButton (std::vector<std::unique_ptr<KitButton>>& group, const juce::String& caption, int id)
{
    auto b = std::make_unique<KitButton> (caption, id);
    b->setSize (filterWidth, filterHeight);
    b->addListener (this);
    addAndMakeVisible (*b);
    group.push_back (std::move (b));
    return group.back().get();
}

//==============================================================================
void ObjectSelector::open (int x, int y, int width, int height)
{
    shownFlag = true;
    setVisible (true);
    connection.getEditorSession().enterPage (kind.pageCode);
    setBounds (x, y, width, height);
}

void ObjectSelector::park()
{
    shownFlag = false;
    setBounds (kind.parkedAt.x, kind.parkedAt.y, parkedSize, parkedSize);
    setVisible (false);
}

void ObjectSelector::setHidden()
{
    shownFlag = false;
    setVisible (false);
}

void ObjectSelector::recreateList()
{
    if (list != nullptr)
    {
        list->removeChangeListener (this);
        removeChildComponent (list.get());
    }
    list = std::make_unique<ObjectList> (store);
    list->setSize (listPlace.getWidth(), listPlace.getHeight());
    list->setColumns ({ 50, 180, 0, 0 });
    list->setRowHeight (rowHeight);
    list->setFontSizes (14.0f, 15.0f, 11.0f);
    list->setRowFill (0);
    list->setColours (listColours);
    list->setParameterNumber (kind.listNumber);
    list->setChannel (channel);
    list->addChangeListener (this);
    addAndMakeVisible (*list);
    resized();
}

void ObjectSelector::setChannel (int c)
{
    channel = c;
    list->setChannel (c);
}

void ObjectSelector::setFilter (int mode, int argument)
{
    filterMode = mode;
    filterArgument = argument;
    list->bind (mode, argument);

    KitButton* lit = nullptr;
    if (mode == ObjectStore::listPresent)
        lit = getFilterButton (allId);
    else if (mode == ObjectStore::listRange)
        lit = getFilterButton (argument);
    else if (mode == ObjectStore::listCategory)
        lit = getCategoryButton (argument);
    highlight (lit);
}

KitButton* ObjectSelector::findButton (const juce::String& caption) const
{
    for (auto* b : { okButton.get(), editButton.get(), libraryButton.get() })
        if (b->getText() == caption)
            return b;
    if (auto* k = keypad->findButton (caption))
        return k;
    for (auto& b : filterButtons)
        if (caption.isNotEmpty() && b->getText() == caption)
            return b.get();
    return nullptr;
}

KitButton* ObjectSelector::getFilterButton (int id) const
{
    for (auto& b : filterButtons)
        if (b->getIdentifier() == id)
            return b.get();
    return nullptr;
}

KitButton* ObjectSelector::getCategoryButton (int category) const
{
    return juce::isPositiveAndBelow (category, (int) categoryButtons.size()) ? categoryButtons[(size_t) category].get()
                                                                             : nullptr;
}

//==============================================================================
std::vector<juce::uint64> ObjectSelector::takeEvents()
{
    std::vector<juce::uint64> taken;
    taken.swap (events);
    return taken;
}

void ObjectSelector::forwardListEvents()
{
    const auto fromList = list->takeEvents();
    if (fromList.empty())
        return;
    for (auto e : fromList)
    {
        events.push_back (e);
        const int code = EditEvent::code (e);
        if (code == EditEvent::chosen || code == EditEvent::selectedQuietly)
            showObject (EditEvent::value (e));
    }
    sendChangeMessage();
}

void ObjectSelector::post (int code, int value)
{
    events.push_back (EditEvent::make (code, kind.listNumber, kind.listNumber, channel, value));
    sendChangeMessage();
}

void ObjectSelector::showObject (int id)
{
    display->setContents (id, 0, 0, store.recordName (id), kind.title, {}, {});
}

void ObjectSelector::changeListenerCallback (juce::ChangeBroadcaster* source)
{
    if (source == list.get())
        forwardListEvents();
    else if (source == knob.get())
        knobTurned();
}

void ObjectSelector::knobTurned()
{
    const int step = knob->lastStep();

    list->selectIndex (list->getSelectedIndex() + step);
    forwardListEvents();
    post (EditEvent::chosen, list->getSelectedId());
}

void ObjectSelector::buttonPressed (KitButton* button, int identifier)
{
    // Identifiers repeat ("OK" and "FACTORY" are 0, "ALL" and "-" 200), so the group
    // is found by the button itself.
    if (button == okButton.get())
    {
        post (EditEvent::closePage, 0);
        return;
    }
    if (button == editButton.get() || button == libraryButton.get())
        return;   // part of the page, with nothing to open yet

    if (keypad->owns (button))
    {
        const auto outcome = keypad->press (identifier, *display, *list);
        if (outcome == SelectorKeypad::Outcome::showAll)
        {
            filterMode = ObjectStore::listPresent;
            filterArgument = 0;
            highlight (getFilterButton (allId));
        }
        forwardListEvents();
        if (outcome == SelectorKeypad::Outcome::reportChoice)
            post (EditEvent::chosen, list->getSelectedId());
        return;
    }

    filterPressed (button, identifier);
}

void ObjectSelector::filterPressed (KitButton* button, int id)
{
    const bool isFilter = std::any_of (filterButtons.begin(), filterButtons.end(), [button] (auto& b) { return b.get() == button; });
    const bool isCategory = std::any_of (categoryButtons.begin(), categoryButtons.end(), [button] (auto& b) { return b.get() == button; });
    if (! isFilter && ! isCategory)
        return;

    if (isCategory)
        setFilter (ObjectStore::listCategory, id - firstCategoryId);
    else if (id == allId)
        setFilter (ObjectStore::listPresent, 0);
    else
        setFilter (ObjectStore::listRange, id);
}

void ObjectSelector::highlight (KitButton* button)
{
    if (highlighted != nullptr)
        highlighted->setOn (false);
    highlighted = button;
    if (highlighted != nullptr)
        highlighted->setOn (true);
}

//==============================================================================
int ObjectSelector::contentX() const noexcept
{
    return (getWidth() - contentWidth) / 2;
}

void ObjectSelector::resized()
{
    const juce::Point<int> origin (contentX(), 0);
    display->placeAt (origin.x + displayPlace.x, origin.y + displayPlace.y, 1.0f);
    list->setTopLeftPosition (origin + listPlace.getPosition());
    knob->setTopLeftPosition (knobOwnPlace.x + origin.x + knobShift, knobOwnPlace.y + origin.y);
    okButton->setTopLeftPosition (origin + okPlace.getPosition());
    editButton->setTopLeftPosition (origin + editPlace.getPosition());
    keypad->place (origin);
    for (size_t i = 0; i < filterButtons.size(); ++i)
        filterButtons[i]->setTopLeftPosition (filterPlaces[i] == nowhere ? nowhere : origin + filterPlaces[i]);
    for (size_t i = 0; i < categoryButtons.size(); ++i)
        categoryButtons[i]->setTopLeftPosition (nowhere);
}

void ObjectSelector::paint (juce::Graphics& g)
{
    if (! shownFlag)
        return;
    g.fillAll (juce::Colour (pageFill));

    const juce::Point<int> origin (contentX(), 0);
    juce::SharedResourcePointer<ZD8LookAndFeel> look;
    auto frame = [&] (juce::Rectangle<int> r) {
        r = r.translated (origin.x, origin.y).expanded (frameMargin);
        look->paintFrame (g, r.getX(), r.getY(), r.getWidth(), r.getHeight());
    };

    frame (listPlace);
    // Header: "EDIT", the display and the id-25 button.
    frame (juce::Rectangle<int> (editPlace.getX(), unnamedBankPlace.y, unnamedBankPlace.x + filterWidth - editPlace.getX(),
                                 displayPlace.y + displaySize.y - unnamedBankPlace.y));
    frame (juce::Rectangle<int> (allPlace.x, allPlace.y, userPlace.x + filterWidth - allPlace.x, filterHeight));
    const auto keys = SelectorKeypad::frame();
    look->paintFrame (g, origin.x + keys.getX(), origin.y + keys.getY(), keys.getWidth(), keys.getHeight());
    frame (juce::Rectangle<int> (knobOwnPlace.x + knobShift, knobOwnPlace.y, BigKnob::size, BigKnob::size));
}

} // namespace zd8

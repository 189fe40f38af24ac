#include "editor/pages/FxChainSelector.h"

#include "editor/kit/EditEvent.h"
#include "editor/kit/Palette.h"
#include "editor/kit/ZD8LookAndFeel.h"
#include "model/Categories.h"
#include "model/FxChainStore.h"
#include "model/InstrumentImage.h"
#include "plugin/EditorConnection.h"
#include "plugin/EditorSession.h"

namespace zd8
{

namespace
{
    // Relative to the content box (1010 x 640, centred).
    const juce::Rectangle<int> listPlace { 30, 40, 274, 510 };
    // Exactly the display's picture area, so that its frame fits closely.
    const juce::Rectangle<int> displayPlace { 384, 44, 212, 103 };
    const juce::Rectangle<int> closePlace { 790, 500, 60, 20 };
    const juce::Rectangle<int> allPlace { 370, 242, 68, 34 };
    // Beside "ALL": the row of the third category line would cover it at (370, 410).
    const juce::Rectangle<int> nonePlace { 454, 249, 100, 20 };
    const juce::Point<int> knobPlace { 556, 486 };   // centred under the categories

    constexpr int categoryWidth = 72, categoryHeight = 36;
    constexpr int categoryX = 370, categoryStep = 84, categoriesPerRow = 6;
    constexpr int categoryRows[3] = { 300, 360, 420 };
    const juce::Point<int> nowhere { -1000, -1000 };

    constexpr int rowHeight = 34;
    const std::array<juce::uint32, 9> listColours = Palette::objectListRows;

    constexpr juce::uint32 pageFill = Palette::pageFill;
    constexpr juce::uint32 captionColour = Palette::textSoft;
    constexpr int frameMargin = 10;

    /** Where category button c (1..17) sits; "------" (0) lists nothing and has no place. */
    juce::Point<int> categoryPlace (int c)
    {
        if (c < 1)
            return nowhere;
        const int i = c - 1;
        return { categoryX + categoryStep * (i % categoriesPerRow), categoryRows[i / categoriesPerRow] };
    }
}

FxChainSelector::FxChainSelector (EditorConnection& c) : connection (c)
{
    display = std::make_unique<ObjectDisplay> (ObjectDisplay::fxChainDisplay, displayPlace.getWidth(), displayPlace.getHeight());
    addAndMakeVisible (*display);

    knob = std::make_unique<BigKnob>();
    knob->addChangeListener (this);
    addAndMakeVisible (*knob);

    keypad = std::make_unique<SelectorKeypad> (*this, *this);

    closeButton = std::make_unique<KitButton> ("CLOSE", closeId);
    closeButton->setSize (closePlace.getWidth(), closePlace.getHeight());
    noneButton = std::make_unique<KitButton> ("SELECT NONE", noneId);
    noneButton->setSize (nonePlace.getWidth(), nonePlace.getHeight());
    allButton = std::make_unique<KitButton> ("ALL", allId);
    allButton->setSize (allPlace.getWidth(), allPlace.getHeight());
    for (auto* b : { closeButton.get(), noneButton.get(), allButton.get() })
    {
        b->addListener (this);
        addAndMakeVisible (*b);
    }

    for (int c = 0; c < categoryButtonCount; ++c)
    {
        auto b = std::make_unique<KitButton> (Categories::effectCategoryName (c), firstCategoryId + c);
        b->setSize (categoryWidth, categoryHeight);
        b->addListener (this);
        addChildComponent (*b);
        b->setVisible (categoryPlace (c) != nowhere);
        categoryButtons.push_back (std::move (b));
    }

    setType (insertType);
    allButton->setOn (true);
}

FxChainSelector::~FxChainSelector()
{
    knob->removeChangeListener (this);
    list->removeChangeListener (this);
    for (auto& b : categoryButtons)
        b->removeListener (this);
    for (auto* b : { closeButton.get(), noneButton.get(), allButton.get() })
        b->removeListener (this);
}

//==============================================================================
void FxChainSelector::setType (int newType)
{
    type = newType;
    if (list != nullptr)
    {
        list->removeChangeListener (this);
        removeChildComponent (list.get());
    }
    list = std::make_unique<ObjectList> (connection.getImage().getFxChains());
    list->setSize (listPlace.getWidth(), listPlace.getHeight());
    list->setColumns ({ 50, 180, 0, 0 });
    list->setRowHeight (rowHeight);
    list->setFontSizes (14.0f, 15.0f, 11.0f);
    list->setRowFill (0);
    list->setColours (listColours);
    list->setParameterNumber (type);
    list->setChannel (channel);
    list->addChangeListener (this);
    addAndMakeVisible (*list);
    resized();
}

void FxChainSelector::open (int newChannel, int newType, int newChain, int x, int y, int width, int height)
{
    channel = newChannel;
    type = newType;
    chain = newChain;
    list->setChannel (channel);
    setVisible (true);
    connection.getEditorSession().enterPage (pageCode);
    setBounds (x, y, width, height);
    showCurrent (channel, type, chain);
}

void FxChainSelector::showCurrent (int forChannel, int forType, int newChain)
{
    if (forChannel != channel || forType != type)
        return;
    chain = newChain;
    const auto& chains = connection.getImage().getFxChains();
    display->setContents (chain, chains.byteAt (chain, chains.getCategoryOffset()),
                          chains.byteAt (chain, chains.getSubCategoryOffset()), chains.recordName (chain), {}, {}, {});
}

std::vector<int> FxChainSelector::chainsToList (const FxChainStore& chains, const juce::String& categoryName)
{
    // A chain stands in a category once for every effect that puts it there; the list
    // shows it once.
    std::vector<int> listed;
    for (int id : chains.chainsOfCategory (categoryName))
        if (std::find (listed.begin(), listed.end(), id) == listed.end())
            listed.push_back (id);
    return listed;
}

void FxChainSelector::setFilter (int category)
{
    auto* lit = juce::isPositiveAndBelow (category, categoryButtonCount) && category > 0
                    ? categoryButtons[(size_t) category].get()
                    : nullptr;
    filter = lit != nullptr ? category : 0;

    allButton->setOn (lit == nullptr);
    for (auto& b : categoryButtons)
        b->setOn (b.get() == lit);

    if (lit == nullptr)
        list->bind (ObjectStore::listPresent, 0);
    else
        list->bindIds (chainsToList (connection.getImage().getFxChains(), lit->getText()));
}

KitButton* FxChainSelector::findButton (const juce::String& caption) const
{
    for (auto* b : { closeButton.get(), noneButton.get(), allButton.get() })
        if (b->getText() == caption)
            return b;
    if (auto* k = keypad->findButton (caption))
        return k;
    for (auto& b : categoryButtons)
        if (b->getText() == caption)
            return b.get();
    return nullptr;
}

KitButton* FxChainSelector::getCategoryButton (int category) const
{
    return juce::isPositiveAndBelow (category, categoryButtonCount) ? categoryButtons[(size_t) category].get() : nullptr;
}

//==============================================================================
std::vector<juce::uint64> FxChainSelector::takeEvents()
{
    std::vector<juce::uint64> taken;
    taken.swap (events);
    return taken;
}

void FxChainSelector::forwardListEvents()
{
    const auto fromList = list->takeEvents();
    if (fromList.empty())
        return;
    events.insert (events.end(), fromList.begin(), fromList.end());
    sendChangeMessage();
}

void FxChainSelector::post (int code, int value)
{
    events.push_back (EditEvent::make (code, type, type, channel, value));
    sendChangeMessage();
}

void FxChainSelector::changeListenerCallback (juce::ChangeBroadcaster* source)
{
    if (source == list.get())
        forwardListEvents();
    else if (source == knob.get())
        knobTurned();
}

void FxChainSelector::knobTurned()
{
    // Each knob position is one category further, from "ALL" (0) to "EQ" (17).
    setFilter (juce::jlimit (0, Categories::effectCategoryCount, filter + knob->lastStep()));
}

void FxChainSelector::buttonPressed (KitButton* button, int identifier)
{
    if (button == closeButton.get())
        post (EditEvent::closePage, 0);
    else if (button == noneButton.get())
        post (EditEvent::chosen, 0);   // no chain; the list keeps its selection
    else if (button == allButton.get())
        setFilter (0);
    else if (keypad->owns (button))
    {
        const auto outcome = keypad->press (identifier, *display, *list);
        if (outcome == SelectorKeypad::Outcome::showAll)
        {
            filter = 0;
            allButton->setOn (true);
            for (auto& b : categoryButtons)
                b->setOn (false);
        }
        forwardListEvents();
        if (outcome == SelectorKeypad::Outcome::reportChoice)
            post (EditEvent::chosen, list->getSelectedId());
    }
    else
        for (int c = 0; c < categoryButtonCount; ++c)
            if (button == categoryButtons[(size_t) c].get())
                setFilter (c);
}

//==============================================================================
int FxChainSelector::contentX() const noexcept
{
    return (getWidth() - contentWidth) / 2;
}

void FxChainSelector::resized()
{
    const juce::Point<int> origin (contentX(), 0);
    list->setTopLeftPosition (origin + listPlace.getPosition());
    display->placeAt (origin.x + displayPlace.getX(), origin.y + displayPlace.getY(), 1.0f);
    knob->setTopLeftPosition (origin + knobPlace);
    closeButton->setTopLeftPosition (origin + closePlace.getPosition());
    noneButton->setTopLeftPosition (origin + nonePlace.getPosition());
    allButton->setTopLeftPosition (origin + allPlace.getPosition());
    keypad->place (origin);
    for (int c = 0; c < categoryButtonCount; ++c)
    {
        const auto place = categoryPlace (c);
        categoryButtons[(size_t) c]->setTopLeftPosition (place == nowhere ? nowhere : origin + place);
    }
}

void FxChainSelector::paint (juce::Graphics& g)
{
    g.fillAll (juce::Colour (pageFill));

    const juce::Point<int> origin (contentX(), 0);
    juce::SharedResourcePointer<ZD8LookAndFeel> look;
    auto frame = [&] (juce::Rectangle<int> r) {
        r = r.translated (origin.x, origin.y).expanded (frameMargin);
        look->paintFrame (g, r.getX(), r.getY(), r.getWidth(), r.getHeight());
    };

    frame (listPlace);
    const auto last = categoryPlace (Categories::effectCategoryCount);
    const auto firstRowEnd = categoryPlace (categoriesPerRow);
    frame ({ allPlace.getX(), allPlace.getY(), firstRowEnd.x + categoryWidth - allPlace.getX(),
             last.y + categoryHeight - allPlace.getY() });
    frame (SelectorKeypad::frame().reduced (frameMargin));
    frame (displayPlace);
    frame ({ knobPlace.x, knobPlace.y, BigKnob::size, BigKnob::size });

    g.setColour (juce::Colour (captionColour));
    g.setFont (juce::Font ("Arial", 13.0f, juce::Font::plain));
    g.drawText ("EFFECT CATEGORY", origin.x + 600, origin.y + allPlace.getY(), 200, allPlace.getHeight(),
                juce::Justification::centredLeft);
}

} // namespace zd8

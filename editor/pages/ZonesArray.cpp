#include "editor/pages/ZonesArray.h"

#include "editor/kit/EditEvent.h"
#include "editor/kit/Palette.h"
#include "model/MultiEditBuffer.h"
#include "model/MultiZone.h"
#include "plugin/EditorConnection.h"

namespace zd8
{

namespace
{
    // Value formats of the zone fields.
    constexpr int programFormat = 2100;   // program number and name
    constexpr int noteFormat = 777;       // note name
    constexpr int statusFormat = 327;     // zone state

    constexpr int lowestStatus = 1;

    // Zone header fields read for a row.
    constexpr int headerLowKey = 17;      // header byte 18
    constexpr int headerHighKey = 18;     // header byte 19

    // Places inside a row, x and y offset from the row's top.
    const juce::Rectangle<int> programPlace { 25, 0, 140, 22 };
    const juce::Rectangle<int> lowPlace { 168, 1, 36, 18 };
    const juce::Rectangle<int> stripPlace { 206, 2, ZoneKeyRange::stripWidth, ZoneKeyRange::stripHeight };
    const juce::Rectangle<int> highPlace { 552, 1, 36, 18 };
    const juce::Rectangle<int> statusPlace { -100, 0, 80, 18 };   // off the table: never seen
    const juce::Rectangle<int> curtainPlace { 25, -1, 564, 26 };
    const juce::Rectangle<int> curtainParked { -10, -10, 5, 5 };

    constexpr juce::uint32 tableFill = Palette::zonesArrayTableFill;
    constexpr juce::uint32 numberColour = Palette::textLight;
    constexpr int numberWidth = 18;
    constexpr float numberSize = 11.0f;
    // The number box is as high as a row, centred on the row's fields.
    constexpr int numberBoxShift = -3;

    constexpr juce::uint32 highlightFill = Palette::zonesArrayHighlightFill;
    constexpr juce::uint32 highlightOutline = Palette::zonesArrayHighlightOutline;
    const juce::Rectangle<int> highlightPlace { -2, -1, 600, 24 };
}

ZonesArray::ZonesArray (EditorConnection& c) : connection (c)
{
    for (int i = 0; i < rowCount; ++i)
    {
        auto& r = rows[(size_t) i];
        r.program = makeField (i, programNumber, "Program Assign", 0, highestProgram, programFormat, programA5,
                               programPlace, ZoneValueField::pressBox);
        r.low = makeField (i, lowKeyNumber, "Key Zone Low", 0, highestKey, noteFormat, lowKeyA5, lowPlace,
                           ZoneValueField::dragBox);
        r.high = makeField (i, highKeyNumber, "Key Zone High", 0, highestKey, noteFormat, highKeyA5, highPlace,
                            ZoneValueField::dragBox);
        r.status = makeField (i, statusNumber, "Status", lowestStatus, playingStatus, statusFormat, statusA5,
                              statusPlace, ZoneValueField::plainBox);

        r.strip = std::make_unique<ZoneKeyRange>();
        r.strip->setBounds (stripPlace.translated (0, rowY (i)));
        r.strip->addChangeListener (this);
        addChildComponent (*r.strip);

        r.curtain = std::make_unique<ModalVeil>();
        r.curtain->setBounds (curtainParked);
        r.curtain->addChangeListener (this);
        addChildComponent (*r.curtain);
    }

    multi().addChangeListener (this);
}

ZonesArray::~ZonesArray()
{
    multi().removeChangeListener (this);
    for (auto& r : rows)
    {
        for (auto* f : { r.program.get(), r.low.get(), r.high.get(), r.status.get() })
            f->removeChangeListener (this);
        r.strip->removeChangeListener (this);
        r.curtain->removeChangeListener (this);
    }
}

MultiEditBuffer& ZonesArray::multi() const
{
    return connection.getMultiEdit();
}

std::unique_ptr<ZoneValueField> ZonesArray::makeField (int row, int number, const juce::String& label, int minimum,
                                                 int maximum, int format, int a5, juce::Rectangle<int> bounds,
                                                 int style)
{
    auto f = std::make_unique<ZoneValueField> (connection);
    f->setup (number, label, minimum, maximum, format);
    f->place (bounds.getX(), rowY (row) + bounds.getY(), bounds.getWidth(), bounds.getHeight(), style);
    f->setSubKind (zoneSubKind);
    f->setChannel (0);
    f->setAddress (zoneAddress, row, 0, 0, a5);
    f->setLabelHidden (true);
    f->addChangeListener (this);
    // The status field sits off the table and is never shown; the others show with
    // their zone.
    if (style == ZoneValueField::plainBox)
        addAndMakeVisible (*f);
    else
        addChildComponent (*f);
    return f;
}

//==============================================================================
void ZonesArray::showZones()
{
    const auto& m = multi();
    zoneCount = juce::jlimit (0, rowCount, m.zoneCount());

    for (int i = 0; i < rowCount; ++i)
    {
        auto& r = rows[(size_t) i];
        const bool used = i < zoneCount;
        if (used)
        {
            const int low = m.multiParameter (MultiZone::typeHeader, i, headerLowKey);
            const int high = m.multiParameter (MultiZone::typeHeader, i, headerHighKey);
            r.status->setValue (m.multiParameter (MultiZone::typeHeader, i, statusNumber));
            r.program->setValue (m.multiParameter (MultiZone::typeHeader, i, MultiZone::numberProgram));
            r.low->setValue (low);
            r.high->setValue (high);
            r.strip->setZone (low, high);
        }
        for (auto* f : { r.program.get(), r.low.get(), r.high.get() })
        {
            f->setPressesOnly (selectionMode);
            f->setVisible (used);
        }
        r.strip->setPressesOnly (selectionMode);
        r.strip->setVisible (used);

        placeCurtain (i, used && r.status->getValue() != playingStatus);
    }

    if (selectedRow >= zoneCount)
        selectedRow = -1;
    repaint();
}

void ZonesArray::placeCurtain (int row, bool veiled)
{
    auto& c = *rows[(size_t) row].curtain;
    if (veiled)
    {
        c.setBounds (curtainPlace.translated (0, rowY (row)));
        c.setVisible (true);
        c.toFront (false);
    }
    else
    {
        c.setBounds (curtainParked);
        c.setVisible (false);
    }
}

void ZonesArray::deliverPendingChanges()
{
    for (auto& r : rows)
    {
        for (auto* f : { r.program.get(), r.low.get(), r.high.get(), r.status.get() })
            f->dispatchPendingMessages();
        r.strip->dispatchPendingMessages();
        r.curtain->dispatchPendingMessages();
    }
}

//==============================================================================
void ZonesArray::changeListenerCallback (juce::ChangeBroadcaster* source)
{
    if (source == &multi())
    {
        showZones();
        return;
    }

    for (int i = 0; i < rowCount; ++i)
    {
        auto& r = rows[(size_t) i];
        if (source == r.curtain.get())
            return selectRow (i);
        if (source == r.strip.get())
        {
            if (selectionMode)
                return selectRow (i);
            return stripMoved (i);
        }
        for (auto* f : { r.program.get(), r.low.get(), r.high.get(), r.status.get() })
            if (source == f)
                return fieldChanged (i, *f);
    }
}

void ZonesArray::fieldChanged (int row, ZoneValueField& field)
{
    auto& r = rows[(size_t) row];
    juce::uint64 event = 0;
    while (field.nextEvent (event))
    {
        // A press on the program field asks for nothing here; in the selection mode the
        // fields only announce presses.
        if (EditEvent::code (event) != ZoneValueField::changedCode || selectionMode)
            continue;
        // The event's value, not the field's: a refresh may have come in between.
        const int value = EditEvent::value (event);
        if (&field == r.low.get())
            lowKeyChanged (row, value);
        else if (&field == r.high.get())
            highKeyChanged (row, value);
        else if (&field == r.program.get())
            multi().setZoneProgram (row, value);
    }

    if (selectionMode)
        selectRow (row);
}

void ZonesArray::lowKeyChanged (int row, int low)
{
    auto& r = rows[(size_t) row];
    r.low->setValue (low);
    // The instrument keeps low <= high by itself; the high field only follows on screen.
    if (r.high->getValue() <= low)
        r.high->setValue (low);
    r.strip->setZone (r.low->getValue(), r.high->getValue());
    r.strip->repaint();
    multi().setZoneKeyRange (row, r.low->getValue(), r.high->getValue());
}

void ZonesArray::highKeyChanged (int row, int high)
{
    auto& r = rows[(size_t) row];
    r.high->setValue (high);
    if (r.low->getValue() >= high)
        r.low->setValue (high);
    r.strip->setZone (r.low->getValue(), r.high->getValue());
    r.strip->repaint();
    multi().setZoneKeyRange (row, r.low->getValue(), r.high->getValue());
}

void ZonesArray::stripMoved (int row)
{
    auto& r = rows[(size_t) row];
    // Low first, then high: each field sends its own change (A5 15, then 16) and
    // reports back here.
    r.low->userSet (r.strip->getLow());
    r.high->userSet (r.strip->getHigh());
}

void ZonesArray::selectRow (int row)
{
    selectedRow = row;
    sendChangeMessage();
    repaint();
}

//==============================================================================
void ZonesArray::paint (juce::Graphics& g)
{
    g.fillAll (juce::Colour (tableFill));

    g.setColour (juce::Colour (numberColour));
    g.setFont (juce::Font ("Arial", numberSize, juce::Font::plain));
    for (int i = 0; i < zoneCount; ++i)
        g.drawText (juce::String (i + 1), 0, rowY (i) + numberBoxShift, numberWidth, rowPitch,
                    juce::Justification::centred);

    if (selectionMode && selectedRow >= 0)
    {
        const auto box = highlightPlace.translated (0, rowY (selectedRow));
        g.setColour (juce::Colour (highlightFill));
        g.fillRect (box);
        g.setColour (juce::Colour (highlightOutline));
        g.drawRect (box, 1);
    }
}

} // namespace zd8

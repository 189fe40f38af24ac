#include "editor/pages/ParameterTablePage.h"

#include "editor/kit/EditEvent.h"
#include "editor/kit/Palette.h"
#include "model/ObjectStore.h"
#include "model/ParameterNameList.h"
#include "model/ParameterTable.h"
#include "model/ProgramEditBuffers.h"
#include "model/VirtualParameterTable.h"
#include "plugin/EditorConnection.h"

namespace zd8
{

namespace
{
    // Places within the content box (x) and the page (y), unscaled.
    constexpr int titleX = 44, titleY = 16, titleWidth = 200, titleHeight = 14;
    constexpr int programTextX = 260, programTextWidth = 600;
    constexpr int headingY = 36, headingHeight = 16;
    constexpr int headingIndent = 7;   // as the left-aligned cells below
    constexpr int headingGap = 2;
    constexpr int wideHeading = 90;    // room for a heading wider than its column
    constexpr int tableX = 84, tableY = 56, tableWidth = 810, tableHeight = 540;
    constexpr int fieldWidth = 86, fieldHeight = 40;
    constexpr int closeX = 875, closeY = 620, buttonWidth = 80, buttonHeight = 32;
    constexpr int writeX = closeX - buttonWidth - 10;
    constexpr int bottomMargin = 6;   // a short page pulls the buttons up to stay inside

    // The entry sits inside its cell, this far from the cell's edges.
    constexpr int entryInsetX = 3, entryInsetY = 5;
    constexpr int entryMaxChars = 4;

    const juce::Colour titleColour (Palette::textLight);
    const juce::Colour headingColour (Palette::parameterTablePageHeading);
    const juce::Colour programTextColour (Palette::parameterTablePageProgramText);
    const juce::Colour entryFill (Palette::parameterTablePageEntryFill);
    const juce::Colour entryOutline (Palette::parameterTablePageEntryOutline);
    const juce::Colour entryText (juce::Colours::white);

    juce::Font arial (float size, bool bold = false)
    {
        return juce::Font ("Arial", size, bold ? juce::Font::bold : juce::Font::plain);
    }

    // The parts of an assignment list entry the page edits, from the list's first byte.
    int assignmentBytePosition (int row, int kind)
    {
        return (int) ParameterNameList::headerSize + (int) VirtualParameterTable::assignmentSize * row
             + (kind == ParameterTablePage::controllerKind ? ProgramEditBuffers::assignmentControllerByte
                                                    : ProgramEditBuffers::assignmentValueByte);
    }
} // namespace

ParameterTablePage::ParameterTablePage (EditorConnection& c) : connection (c)
{
    grid = std::make_unique<AssignmentGrid> (connection);
    grid->addChangeListener (this);
    grid->onScrolled = [this] {
        if (isEntryOpen())
            placeEntry();
    };
    addAndMakeVisible (*grid);

    // The value field only carries the value and its address; the entry below is what
    // the user sees.
    field = std::make_unique<ZoneValueField> (connection);
    field->place (0, 0, fieldWidth, fieldHeight, ZoneValueField::plainBox);
    field->addChangeListener (this);
    addChildComponent (*field);

    closeButton = std::make_unique<KitButton> ("CLOSE", closeId);
    closeButton->addListener (this);
    addAndMakeVisible (*closeButton);

    writeButton = std::make_unique<KitButton> ("WRITE", writeId);
    writeButton->addListener (this);
    addAndMakeVisible (*writeButton);

    entry = std::make_unique<juce::TextEditor>();
    entry->setFont (arial (15.0f, true));
    entry->setJustification (juce::Justification::centred);
    entry->setInputRestrictions (entryMaxChars, "-0123456789");
    entry->setColour (juce::TextEditor::backgroundColourId, entryFill);
    entry->setColour (juce::TextEditor::outlineColourId, entryOutline);
    entry->setColour (juce::TextEditor::focusedOutlineColourId, entryOutline);
    entry->setColour (juce::TextEditor::textColourId, entryText);
    entry->setColour (juce::TextEditor::highlightColourId, juce::Colour (Palette::parameterTableEntryHighlight));
    entry->onReturnKey = [this] { commitEntry(); };
    entry->onEscapeKey = [this] { cancelEntry(); };
    entry->onFocusLost = [this] { cancelEntry(); };
    addChildComponent (*entry);
}

ParameterTablePage::~ParameterTablePage()
{
    closeButton->removeListener (this);
    writeButton->removeListener (this);
    field->removeChangeListener (this);
    grid->removeChangeListener (this);
}

int ParameterTablePage::currentProgram() const
{
    return connection.getParameters().value (ParameterTable::programSlot (channel, ParameterTable::programRow));
}

void ParameterTablePage::open (int c, int x, int y, int width, int height)
{
    cancelEntry();
    channel = juce::jlimit (0, 15, c);
    grid->setChannel (channel);
    setBounds (x, y, width, height);
    shown = true;
    setVisible (true);
    resized();
    repaint();
    sendNameList();
}

void ParameterTablePage::closePage()
{
    cancelEntry();
    shown = false;
}

void ParameterTablePage::sendNameList()
{
    connection.sendProgramNameList (channel, currentProgram());
}

//==============================================================================
void ParameterTablePage::resized()
{
    contentX = (getWidth() - contentWidth) / 2;
    grid->setBounds (juce::Rectangle<int> (contentX + tableX, tableY, tableWidth, tableHeight) * scale);

    const int buttonsY = juce::jmin (closeY, getHeight() - buttonHeight - bottomMargin);
    closeButton->setBounds (juce::Rectangle<int> (contentX + closeX, buttonsY, buttonWidth, buttonHeight) * scale);
    writeButton->setBounds (juce::Rectangle<int> (contentX + writeX, buttonsY, buttonWidth, buttonHeight) * scale);

    if (isEntryOpen())
        placeEntry();
}

void ParameterTablePage::paint (juce::Graphics& g)
{
    look->paintBar (g, getWidth(), getHeight(), juce::Colours::black);

    g.setColour (titleColour);
    g.setFont (arial (14.0f, true));
    g.drawText ("Virtual Parameter Table", contentX + titleX, titleY, titleWidth, titleHeight, juce::Justification::centredLeft, false);

    juce::String programText = "Channel " + juce::String (channel + 1);
    if (auto* edit = connection.getEditBuffer (channel); edit != nullptr && edit->hasProgram())
        programText << "   " << juce::String (currentProgram()).paddedLeft ('0', 4) << "  " << edit->name().trim();
    g.setColour (programTextColour);
    g.setFont (arial (14.0f));
    g.drawText (programText, contentX + programTextX, titleY, programTextWidth, titleHeight, juce::Justification::centredLeft, true);

    // Headings over the table's columns; "Assigned to:" spans the controller name and
    // its number.
    enum Align
    {
        centred,
        left,
        right
    };
    struct Heading
    {
        const char* text;
        int firstColumn, lastColumn;
        Align align;
    };
    // The ID column is narrower than its heading, which therefore ends at the column's
    // right edge and reaches out into the margin.
    const Heading headings[] = {
        { "Unique ID#", AssignmentGrid::idColumn, AssignmentGrid::idColumn, right },
        { "Virtual Parameter", AssignmentGrid::nameColumn, AssignmentGrid::nameColumn, left },
        { "Sub System", AssignmentGrid::subSystemColumn, AssignmentGrid::subSystemColumn, centred },
        { "Assigned to:", AssignmentGrid::assignedColumn, AssignmentGrid::controllerColumn, left },
        { "Entry Value", AssignmentGrid::entryValueColumn, AssignmentGrid::entryValueColumn, centred },
    };
    g.setColour (headingColour);
    g.setFont (arial (14.0f));
    const int tableLeft = contentX + tableX;
    for (auto& h : headings)
    {
        const int x = tableLeft + AssignmentGrid::columnX (h.firstColumn);
        const int w = AssignmentGrid::columnX (h.lastColumn) + AssignmentGrid::columnWidth (h.lastColumn) - AssignmentGrid::columnX (h.firstColumn);
        if (h.align == left)
        {
            g.drawText (h.text, x + headingIndent, headingY, w - headingIndent, headingHeight, juce::Justification::centredLeft, false);
        }
        else if (h.align == right)
        {
            g.drawText (h.text, x + w - wideHeading, headingY, wideHeading - headingGap, headingHeight, juce::Justification::centredRight, false);
        }
        else
        {
            // A narrow column's heading reaches past the column on both sides.
            const int centre = x + w / 2, half = juce::jmax (w, wideHeading) / 2;
            g.drawText (h.text, centre - half, headingY, 2 * half, headingHeight, juce::Justification::centred, false);
        }
    }
}

//==============================================================================
void ParameterTablePage::buttonPressed (KitButton*, int identifier)
{
    if (identifier == closeId)
        post (EditEvent::make (EditEvent::closePage, channelProgramNumber, 0, channel, currentProgram()));
    else if (identifier == writeId)
        post (EditEvent::make (EditEvent::writeRequested, ObjectStore::typeProgram, 0, channel, currentProgram()));
}

void ParameterTablePage::changeListenerCallback (juce::ChangeBroadcaster* source)
{
    if (source == grid.get())
        gridEvents();
    else if (source == field.get())
        fieldEvents();
}

void ParameterTablePage::gridEvents()
{
    for (auto e : grid->takeEvents())
        if (EditEvent::code (e) == AssignmentGrid::editRequestCode)
            editCell (EditEvent::value (e), EditEvent::slot (e));
    // A press with the secondary button (91) has nothing to offer here.
}

void ParameterTablePage::editCell (int row, int column)
{
    if (row < 0 || row >= grid->assignmentCount())
        return;
    if (column != AssignmentGrid::controllerColumn && column != AssignmentGrid::entryValueColumn)
        return;

    cancelEntry();
    const bool controller = column == AssignmentGrid::controllerColumn;
    // setup starts the field at its minimum: the field does not show the assignment's
    // value, the entry does.
    if (controller)
        field->setup (fieldParameter, "MIDI CC", 1, 127, valueFormat);
    else
        field->setup (fieldParameter, "Entry Value", -1, 127, valueFormat);
    field->setSubKind (controller ? controllerKind : entryValueKind);
    field->setChannel (channel);
    field->setAddress (addressA1, addressA2, addressA3, row, controller ? controllerKind : entryValueKind);
    field->requestEntry();
    fieldEvents();

    entryRow = row;
    entryColumn = column;
    auto text = grid->cellText (row, column);
    if (controller)
        text = text.fromFirstOccurrenceOf ("# ", false, false);
    entry->setText (text, false);
    placeEntry();
    entry->setVisible (true);
    entry->selectAll();
    if (entry->isShowing())
        entry->grabKeyboardFocus();
}

void ParameterTablePage::placeEntry()
{
    const auto cell = grid->cellBounds (entryRow, entryColumn);
    if (cell.isEmpty())
    {
        // Scrolled out of sight: the entry goes with it.
        entry->setVisible (false);
        return;
    }
    entry->setBounds (cell.translated (grid->getX(), grid->getY()).reduced (entryInsetX, entryInsetY));
}

bool ParameterTablePage::parseEntry (int& value) const
{
    const auto text = entry->getText().trim();
    const int minimum = field->getMinimum();
    if (minimum < 0 && (text == "-" || text == "---"))
    {
        value = -1;
        return true;
    }
    const auto digits = text.startsWithChar ('-') ? text.substring (1) : text;
    if (digits.isEmpty() || ! digits.containsOnly ("0123456789"))
        return false;
    value = text.getIntValue();
    return value >= minimum && value <= field->getMaximum();
}

bool ParameterTablePage::commitEntry()
{
    if (entryRow < 0)
        return false;
    int value = 0;
    if (! parseEntry (value))
    {
        entry->selectAll();
        return false;
    }

    // The field starts at its minimum and reports only changes; a typed value equal to
    // what it holds must still reach the instrument.
    if (value == field->getValue())
        field->setValue (value == field->getMaximum() ? field->getMinimum() : field->getMaximum());
    field->userSet (value);
    fieldEvents();
    cancelEntry();
    return true;
}

void ParameterTablePage::cancelEntry()
{
    entryRow = entryColumn = -1;
    if (entry != nullptr)
        entry->setVisible (false);
}

void ParameterTablePage::fieldEvents()
{
    juce::uint64 e = 0;
    while (field->nextEvent (e))
    {
        const int code = EditEvent::code (e);
        if (code == ZoneValueField::entryCode)
        {
            post (e);
        }
        else if (code == ZoneValueField::changedCode)
        {
            // The field has sent the value; the edit buffer follows.
            if (auto* edit = connection.getEditBuffer (channel))
                edit->setAssignmentByte (assignmentBytePosition (field->getAddress (3), EditEvent::subKind (e)), EditEvent::value (e));
            grid->repaint();
        }
    }
}

void ParameterTablePage::post (juce::uint64 event)
{
    events.push_back (event);
    sendChangeMessage();
}

std::vector<juce::uint64> ParameterTablePage::takeEvents()
{
    std::vector<juce::uint64> out;
    out.swap (events);
    return out;
}

} // namespace zd8

#pragma once

#include "editor/kit/ZoneValueField.h"
#include "editor/kit/ZD8LookAndFeel.h"
#include "editor/kit/KitButton.h"
#include "editor/kit/KitButtonListener.h"
#include "editor/pages/AssignmentGrid.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <memory>
#include <vector>

namespace zd8
{

class EditorConnection;

/** The virtual parameter table page: for one MIDI channel, the controller assignments
    of the program in that channel's edit buffer (AssignmentGrid), with their MIDI controller
    numbers and entry values editable.

    Editing goes through a hidden value field (ZoneValueField) addressed at the assignment:
    a press on a controller or entry-value cell sets the field up for that row, the
    field's entry request (code 19) goes on to the main window, and a small text entry
    over the cell takes the number. Return hands it to the field, which sends it to the
    instrument as a controller-addressed change; its change report (code 17) makes the
    page write the byte into the edit buffer.

    Opening the page for a channel sends the instrument the name list of that channel's
    program (program data block 4) from the program store.

    Events for the main window (EditEvent words, announced with the change message,
    taken with takeEvents()): CLOSE gives code 13 (number 11, channel, the channel's
    program), WRITE code 20 (object type 138, channel, program), and the field's entry
    requests are passed on unchanged. Message thread only. */
class ParameterTablePage : public juce::Component,
                    public juce::ChangeBroadcaster,
                    public KitButtonListener,
                    private juce::ChangeListener
{
public:
    static constexpr int closeId = 1111;
    static constexpr int writeId = 1112;
    static constexpr int contentWidth = 950;
    static constexpr int channelProgramNumber = 11;   // number of the close event

    // The hidden value field: parameter number 2; its sub-kind says which byte of the
    // assignment it edits.
    static constexpr int fieldParameter = 2;
    static constexpr int entryValueKind = 1;
    static constexpr int controllerKind = 2;
    static constexpr int valueFormat = 783;

    // Address of assignment row r's bytes: 1, 0, 9, r, then 1 (entry value) or 2
    // (MIDI controller).
    static constexpr int addressA1 = 1, addressA2 = 0, addressA3 = 9;

    explicit ParameterTablePage (EditorConnection& connection);
    ~ParameterTablePage() override;

    /** Shows the page for channel 0..15 at the given bounds, centres the content box
        and sends the channel's program name list to the instrument. */
    void open (int channel, int x, int y, int width, int height);
    /** Clears the visible flag and drops an open entry (the main window parks the
        page). */
    void closePage();
    bool isShown() const noexcept { return shown; }
    int getChannel() const noexcept { return channel; }
    /** The program number the channel's program slot holds. */
    int currentProgram() const;

    AssignmentGrid& getGrid() noexcept { return *grid; }
    ZoneValueField& getField() noexcept { return *field; }
    KitButton& getCloseButton() noexcept { return *closeButton; }
    KitButton& getWriteButton() noexcept { return *writeButton; }
    int getContentX() const noexcept { return contentX; }

    /** Sets the hidden field up for (row, column) of the table and asks for a value;
        what a press on an editable cell does. Rows without an assignment and other
        columns do nothing. */
    void editCell (int row, int column);
    bool isEntryOpen() const noexcept { return entry->isVisible(); }
    juce::TextEditor& getEntry() noexcept { return *entry; }
    /** Row and column the open entry edits (-1 when none). */
    int getEntryRow() const noexcept { return entryRow; }
    int getEntryColumn() const noexcept { return entryColumn; }
    /** What Return in the entry does: a whole number inside the field's range is handed
        to the field (and so to the instrument) and the entry closes; anything else
        leaves the entry open with its text selected and sends nothing. True when
        taken. "---" and "-" mean -1 where -1 is allowed. */
    bool commitEntry();
    /** Escape, or the entry losing the focus: closes it without a change. */
    void cancelEntry();

    /** Takes the queued events in order and empties the queue. */
    std::vector<juce::uint64> takeEvents();

    // KitButtonListener: CLOSE and WRITE.
    void buttonPressed (KitButton* button, int identifier) override;

    void paint (juce::Graphics&) override;
    void resized() override;

private:
    void changeListenerCallback (juce::ChangeBroadcaster* source) override;
    void post (juce::uint64 event);
    void gridEvents();
    void fieldEvents();
    void sendNameList();
    void placeEntry();
    /** The entry's text as a value of the field's range; false when it is not one. */
    bool parseEntry (int& value) const;

    EditorConnection& connection;
    juce::SharedResourcePointer<ZD8LookAndFeel> look;

    std::unique_ptr<AssignmentGrid> grid;
    std::unique_ptr<ZoneValueField> field;
    std::unique_ptr<KitButton> closeButton, writeButton;
    std::unique_ptr<juce::TextEditor> entry;

    int channel = 0;
    bool shown = false;
    float scale = 1.0f;
    int contentX = 0;
    int entryRow = -1, entryColumn = -1;
    std::vector<juce::uint64> events;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (ParameterTablePage)
};

} // namespace zd8

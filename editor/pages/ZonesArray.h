#pragma once

#include "editor/kit/ZoneValueField.h"
#include "editor/kit/ZoneKeyRange.h"
#include "editor/kit/ModalVeil.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <array>
#include <memory>

namespace zd8
{

class MultiEditBuffer;
class EditorConnection;

/** The zone table of the multi page: one row per zone of the multi in the multi edit
    object, with the zone's program, its low and high key as value fields and a keyboard
    strip showing the key range. Rows of zones that are not playing lie under a curtain.

    The fields send their own changes to the instrument (controller-addressed, A1 5,
    A2 the zone index); the table keeps each row's range consistent, mirrors what was
    sent into the multi edit object and follows that object's change broadcasts, so the
    rows show what the instrument reports. It broadcasts a change when a row becomes the
    selected row. Message thread only. */
class ZonesArray : public juce::Component, public juce::ChangeBroadcaster, private juce::ChangeListener
{
public:
    static constexpr int rowCount = 16;
    static constexpr int firstRowY = 9;
    static constexpr int rowPitch = 28;

    // Identity of the zone fields in their events and addresses.
    static constexpr int zoneSubKind = 43;
    static constexpr int zoneAddress = 5;          // A1 of every zone field
    static constexpr int programNumber = 93;       // also the zone parameter read for it
    static constexpr int lowKeyNumber = 17;
    static constexpr int highKeyNumber = 18;
    static constexpr int statusNumber = 2;
    static constexpr int programA5 = 14;
    static constexpr int lowKeyA5 = 15;
    static constexpr int highKeyA5 = 16;
    static constexpr int statusA5 = 0;

    static constexpr int highestProgram = 8191;
    static constexpr int highestKey = 127;
    static constexpr int playingStatus = 2;        // any other status veils the row

    explicit ZonesArray (EditorConnection& connection);
    ~ZonesArray() override;

    /** Rebuilds the rows from the multi edit object (display only: nothing is sent). */
    void showZones();

    int getZoneCount() const noexcept { return zoneCount; }
    /** -1 when no row is selected. */
    int getSelectedRow() const noexcept { return selectedRow; }
    /** While on, presses on the fields and strips select rows instead of editing; the
        fields and strips take the flag when the table is next built. Starts off. */
    void setSelectionMode (bool on) noexcept { selectionMode = on; }
    bool isSelectionMode() const noexcept { return selectionMode; }

    ZoneValueField& getProgramField (int row) const { return *rows[index (row)].program; }
    ZoneValueField& getLowField (int row) const { return *rows[index (row)].low; }
    ZoneValueField& getHighField (int row) const { return *rows[index (row)].high; }
    ZoneValueField& getStatusField (int row) const { return *rows[index (row)].status; }
    ZoneKeyRange& getStrip (int row) const { return *rows[index (row)].strip; }
    ModalVeil& getCurtain (int row) const { return *rows[index (row)].curtain; }

    /** Delivers every change message the rows have pending (the fields', strips' and
        curtains'), as the message loop would. */
    void deliverPendingChanges();

    void paint (juce::Graphics&) override;

private:
    struct Row
    {
        std::unique_ptr<ZoneValueField> program, low, high, status;
        std::unique_ptr<ZoneKeyRange> strip;
        std::unique_ptr<ModalVeil> curtain;
    };

    static size_t index (int row) noexcept { return (size_t) juce::jlimit (0, rowCount - 1, row); }
    static int rowY (int row) noexcept { return firstRowY + rowPitch * row; }

    std::unique_ptr<ZoneValueField> makeField (int row, int number, const juce::String& label, int minimum, int maximum,
                                         int format, int a5, juce::Rectangle<int> bounds, int style);
    void changeListenerCallback (juce::ChangeBroadcaster* source) override;
    void fieldChanged (int row, ZoneValueField& field);
    void lowKeyChanged (int row, int low);
    void highKeyChanged (int row, int high);
    void stripMoved (int row);
    void selectRow (int row);
    void placeCurtain (int row, bool veiled);
    MultiEditBuffer& multi() const;

    EditorConnection& connection;
    std::array<Row, rowCount> rows;
    int zoneCount = 0;
    int selectedRow = -1;
    bool selectionMode = false;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (ZonesArray)
};

} // namespace zd8

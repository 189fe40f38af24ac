#pragma once

#include "model/MultiCommon.h"
#include "model/MultiZone.h"

#include <juce_events/juce_events.h>

#include <array>
#include <mutex>

namespace zd8
{

/** The multi being shown and edited: the record it was loaded from, its common part
    and up to sixteen zones, read by the multi page through one accessor (parameter
    type, zone, number).

    Threads: loads and local edits come from the message thread, the instrument's edit
    messages from the MIDI input thread. All data sits behind one briefly held lock and
    leaves it only as values or copies; every change broadcasts (delivered on the
    message thread). */
class MultiEditBuffer : public juce::ChangeBroadcaster
{
public:
    static constexpr int zoneSlots = MultiZoneWalk::maxZones;

    // Last-change codes (a zone change reports the zone index 0..15).
    static constexpr int changedNamePart = 16;
    static constexpr int changedCommonRest = 17;

    MultiEditBuffer();

    /** Loads a multi from its record content (as the multi store's readRecord gives it):
        the record is kept, the common part is its first 462 bytes and the zones are
        walked out of it, all in the store layout. A record shorter than 1000 bytes
        leaves every zone empty. Tail entries flagged for reordering are reordered in
        the kept record and in the zone. Broadcasts a change. */
    void loadRecord (const juce::MemoryBlock& record);

    // Edit messages from the instrument (MIDI input thread).

    /** Name part: header is the message's first 20 bytes without its 0xF0, data the
        decoded bytes (45 of them go to common bytes 23..67). Last change 16. */
    void multiHeader (const juce::MemoryBlock& header, const juce::MemoryBlock& data);
    /** Rest of the common part (394 bytes in the store layout, 319 in the edit-message
        layout; any other size changes nothing). Last change 17 either way. */
    void multiBlock1 (const juce::MemoryBlock& data);
    /** Zone blockIndex (0..15) := data in the store layout, when blockIndex is at most
        the zone count + 1; otherwise ignored. Last change blockIndex. */
    void multiBlock2 (int blockIndex, const juce::MemoryBlock& data);

    /** Replaces the common part with bytes in the given layout (MultiZoneWalk::
        storeLayout or editMessageLayout). Last change 17. */
    void setCommonData (const juce::MemoryBlock& data, int layout);

    // Local edits of one zone (message thread): false when the zone has no such field.
    bool setZoneKeyRange (int zone, int lowKey, int highKey);
    bool setZoneProgram (int zone, int program);

    /** Common byte 67 (store layout) or 49 (edit-message layout), as stored. */
    int zoneCount() const;

    /** The multi parameter of the given type for zone (zone types) or number; 0 for
        unknown types, zones outside 0..15 and values outside the data. */
    int multiParameter (int type, int zone, int number) const;

    int getLastChange() const;

    // Copies for the pages.
    juce::MemoryBlock getRecord() const;
    MultiCommon getCommon() const;
    MultiZone getZone (int zone) const;   // an empty zone outside 0..15

    /** The record walk of the last load: zone start in the record, length, and whether
        its tail entries were reordered (0 and false for zones the walk did not reach). */
    std::int64_t getZoneStart (int zone) const;
    std::int64_t getZoneLength (int zone) const;
    bool getZoneReordered (int zone) const;

private:
    static bool validZone (int zone) noexcept { return zone >= 0 && zone < zoneSlots; }

    mutable std::mutex lock;
    MultiCommon common;
    std::array<MultiZone, zoneSlots> zones;
    std::array<std::int64_t, zoneSlots> zoneStarts {};
    std::array<std::int64_t, zoneSlots> zoneLengths {};
    std::array<bool, zoneSlots> zoneMarks {};
    int lastChange = 0;
    juce::MemoryBlock record;
};

} // namespace zd8

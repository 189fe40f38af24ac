#pragma once

#include "model/MultiBytes.h"

#include <cstdint>
#include <vector>

namespace zd8
{

/** The walk over a multi's zones: where each part of a zone lies and where the zone
    ends. A zone is a header, list A, list B, eight typed blocks, section S (two
    forms) and a tail; every length comes from the bytes themselves.

    Pure functions over bytes; nothing here reads outside the view. Counts that point
    past the end keep being added up arithmetically (entries there read as zero), so
    the walk costs at most one step per byte of data whatever the counts say. */
class MultiZoneWalk
{
public:
    // Layout flags of the common part and of a zone.
    static constexpr int editMessageLayout = 0;
    static constexpr int storeLayout = 1;

    // Record layout.
    static constexpr int commonSize = 462;             // name, "ZD7", common area; zones follow
    static constexpr int storeZoneCountOffset = 67;
    static constexpr int maxZones = 16;
    static constexpr size_t minimumWalkSize = 1000;    // shorter records and zones are not walked

    // Zone layout.
    static constexpr int headerStatus = 2;
    static constexpr int headerZoneNumber = 3;
    static constexpr int headerLowKey = 18;
    static constexpr int headerHighKey = 19;
    static constexpr int listACountOffset = 40;        // 32-bit
    static constexpr int listAStartOffset = 43;        // overlaps the count's last byte
    static constexpr int listAShortMark = 3;           // entry byte 255 here: a 3-byte entry
    static constexpr int listAShortSize = 3;
    static constexpr int listALongSize = 53;
    static constexpr int listBCountAfterA = 5;          // 32-bit, after the end of list A
    static constexpr int listBStartAfterA = 8;
    static constexpr int listBShortMark = 4;           // entry byte 255 here: a 4-byte entry
    static constexpr int listBShortSize = 4;
    static constexpr int listBStoreSize = 157;
    static constexpr int listBEditMessageSize = 153;
    static constexpr int typedBlockCount = 8;
    static constexpr int typedBlockTypeOffset = 3;     // 32-bit type
    static constexpr int sectionAfterBlocks = 4;
    static constexpr int sectionFieldOffset = 1;       // value field 1 position from the section start
    static constexpr int tailProgram = 45;             // 16-bit program number
    static constexpr int tailCount = 52;               // 16-bit count NC
    static constexpr int tailEntries = 54;             // NC 4-byte entries
    static constexpr int tailEndBase = 56;             // zone end = T + 56 + 4 * NC
    static constexpr int tailEntrySize = 4;
    static constexpr int tailReorderFlag = 55;         // 1: the first tail entry belongs last
    static constexpr int tailReorderSpan = 12;         // three entries

    static constexpr int byteMark = 255;

    /** Byte length of a typed block of the given type. */
    static int typedBlockSize (std::uint32_t type) noexcept;

    /** Position just past section S that starts at sectionStart (either form). */
    static std::int64_t sectionEnd (const MultiBytes& bytes, std::int64_t sectionStart) noexcept;

    /** Where one zone's parts lie, as positions in the walked bytes. */
    struct ZoneParts
    {
        std::int64_t start = 0;
        std::int64_t listAStart = 0;
        std::uint32_t listACount = 0;
        std::int64_t listBStart = 0;
        std::uint32_t listBCount = 0;
        std::int64_t sectionStart = 0;   // P; value field 1 is at P + 1
        std::int64_t tail = 0;           // T
        std::int64_t end = 0;            // one past the zone's last byte
        /** Byte T + 55 is 1 and the three tail entries it reorders lie inside the zone
            and inside the bytes. */
        bool reorder = false;
        /** Entry positions (filled only when asked for), those that start inside the
            bytes; entries past the end read as 0 and need no position. */
        std::vector<std::int64_t> listAEntries, listBEntries;
    };

    /** Walks one zone that starts at start. layout chooses the long list B entry size
        (157 bytes in a stored record, 153 in an edit message). */
    static ZoneParts walkZone (const MultiBytes& bytes, std::int64_t start, int layout, bool keepEntries);

    /** The first 12 bytes of a tail's entries become entries 2, 3, 1. Does nothing
        unless parts.reorder. */
    static void applyReorder (std::uint8_t* bytes, size_t size, const ZoneParts& parts) noexcept;

    /** One zone of a stored record: its start, its length by the walk (it may reach past
        the record's end when the record is cut short) and the reorder mark. */
    struct ZoneSpan
    {
        std::int64_t start = 0;
        std::int64_t length = 0;
        bool reorder = false;
        ZoneParts parts;
    };

    /** Walks the zones of a stored record: the zone count (at most 16) from byte 67,
        the first zone at 462, each next one at the previous one's end. Records shorter
        than 1000 bytes give no zones; a zone that would start at or past the record's
        end ends the walk. */
    static std::vector<ZoneSpan> walkRecord (const MultiBytes& record);
};

} // namespace zd8

// The multi edit object on arbitrary bytes: loaded as a stored record, handed over as a
// zone from the instrument (both zone layouts) and as the common part's messages; then
// every accessor for every zone and a wide range of numbers. Nothing may crash, read
// outside a buffer (ASan) or take long: the walk is bounded by the data's size whatever
// its counts say.
//
// Input: byte 0 picks the zone index for the zone message; the whole input is the record.

#include "model/MultiEditBuffer.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace
{
    using zd8::MultiZoneWalk;
    using zd8::MultiEditBuffer;
    using zd8::MultiZone;

    // Common types: the ones that take a common number, and the rest.
    constexpr int byNumberTypes[] = { 15, 21, 46 };
    constexpr int otherCommonTypes[] = { 3, 4, 13, 17, 19, 23, 25, 27, 29, 31, 33, 271, 272, 311, 312, 0, 5 };
    // One type of each group of aliases gets the whole range; the aliases a few numbers.
    constexpr int aliasTypes[] = { 37, 70, 441, 41, 111 };
    constexpr int zoneTypes[] = { 7, 35, 39, 43, 470 };

    volatile unsigned sink = 0;   // sums wrap: unsigned

    int maxEntries (std::uint32_t count) { return (int) std::min<std::uint32_t> (count, 15) + 1; }

    void readEverything (const MultiEditBuffer& multi)
    {
        unsigned sum = (unsigned) multi.zoneCount() + (unsigned) multi.getLastChange();
        for (int type : byNumberTypes)
            for (int n = 2990; n <= 3420; ++n)
                sum += (unsigned) multi.multiParameter (type, 0, n);
        for (int type : otherCommonTypes)
        {
            for (int n = -1; n <= 50; ++n)
                sum += (unsigned) multi.multiParameter (type, 0, n);
            for (int n = 100; n <= 102; ++n)
                sum += (unsigned) multi.multiParameter (type, 0, n);
        }

        for (int zone = -1; zone <= MultiEditBuffer::zoneSlots; ++zone)
        {
            const auto z = multi.getZone (zone);
            const auto& parts = z.getParts();
            for (int n = -1; n <= 100; ++n)
                sum += (unsigned) multi.multiParameter (MultiZone::typeHeader, zone, n);
            for (int n = -1; n <= 25; ++n)
                sum += (unsigned) multi.multiParameter (MultiZone::typeSection, zone, n);
            for (int n = 255; n <= 293; ++n)
                sum += (unsigned) multi.multiParameter (MultiZone::typeTail, zone, n);
            for (int n = -1; n < 10 * maxEntries (parts.listACount); ++n)
                sum += (unsigned) multi.multiParameter (MultiZone::typeListA1, zone, n);
            for (int k = 0; k < maxEntries (parts.listBCount); ++k)
                for (int f = 0; f <= 20; ++f)
                    sum += (unsigned) multi.multiParameter (MultiZone::typeListB1, zone, 100 * k + f);
            for (int type : aliasTypes)
                sum += (unsigned) multi.multiParameter (type, zone, 10) + (unsigned) multi.multiParameter (type, zone, 100);
        }
        sink = sum;
    }

    void checkZones (const MultiEditBuffer& multi, size_t recordSize)
    {
        for (int zone = 0; zone < MultiEditBuffer::zoneSlots; ++zone)
        {
            const auto start = multi.getZoneStart (zone);
            const auto size = multi.getZone (zone).getData().getSize();
            if (size > recordSize || start < 0 || (size > 0 && start + (std::int64_t) size > (std::int64_t) recordSize))
                abort();
        }
    }
}

extern "C" int LLVMFuzzerTestOneInput (const uint8_t* data, size_t size)
{
    const juce::MemoryBlock bytes (data, size);

    MultiEditBuffer multi;
    multi.loadRecord (bytes);
    if (multi.getRecord().getSize() != size)
        abort();
    checkZones (multi, size);
    readEverything (multi);

    // The same bytes as a zone from the instrument, and through the common messages.
    const int zone = size > 0 ? (int) (data[0] % 20) - 2 : 0;
    multi.multiBlock2 (zone, bytes);
    multi.multiHeader (juce::MemoryBlock (data, std::min<size_t> (size, 20)), bytes);
    multi.multiBlock1 (bytes);
    readEverything (multi);

    // A zone in the edit-message layout (shorter list B entries).
    MultiZone edit;
    edit.setData (bytes, MultiZoneWalk::editMessageLayout);
    unsigned sum = 0;
    for (int type : zoneTypes)
        for (int n = -1; n <= 300; ++n)
            sum += (unsigned) edit.parameter (type, n);
    for (int type : aliasTypes)
        sum += (unsigned) edit.parameter (type, 100);
    sum += (unsigned) edit.tempoParameter (100);

    multi.setCommonData (bytes, MultiZoneWalk::editMessageLayout);
    readEverything (multi);
    sink = sink + sum;
    return 0;
}

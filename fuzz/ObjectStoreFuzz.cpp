// The object store on arbitrary bytes: indexing with a small highest ID, every record
// query and list mode for every ID, then replaces and removes driven by the input, and
// every query again. Nothing may read outside the block, and the answers must agree
// with each other.
//
// Input: byte 0 picks the type code, byte 1 the highest ID, byte 2 the edits; the rest
// is the block.
#include "model/ObjectStore.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstdlib>

using zd8::ObjectStore;

namespace
{
constexpr int typeCodes[] = { 138, 155, 156, 103, 112, 133, 149, 151, 158, 163, 164, 168, 0 };

void check (bool condition)
{
    if (! condition)
        abort();
}

void queryEverything (const ObjectStore& store)
{
    const auto blockSize = store.getBlock().getSize();
    const int slots = store.getSlotCount();

    // Every ID of a small store; of the large one the first IDs and the top ones, so
    // that one input stays fast.
    for (int id = -1; id <= slots + 2; id = (id == 80 && slots > 90) ? slots - 4 : id + 1)
    {
        const int length = store.recordLength (id);
        check (length >= 0);
        check ((store.recordOffset (id) == -1) == ! store.isPresent (id));
        if (store.isPresent (id))
            check ((size_t) store.recordOffset (id) + (size_t) length <= blockSize);

        const auto record = store.readRecord (id);
        check (record.getSize() == (length >= 24 ? (size_t) length : 0));

        const auto all = store.readBytes (id, 0, length);
        check (all.isEmpty() || all.getSize() == (size_t) length);
        check (store.readBytes (id, INT_MAX - 2, 8).isEmpty());
        check (store.readBytes (id, -1, 2).isEmpty());

        check (store.recordName (id).length() <= ObjectStore::nameLength);
        check (store.categoryName (id).length() < 16);
        for (int position : { -1, 0, 19, 30, 31, 49, 50, length - 1, length, length + 60, INT_MAX })
        {
            const int byte = store.byteAt (id, position);
            check (byte >= 0 && byte <= 255);
        }
    }

    for (int mode = -1; mode <= 5; ++mode)
    {
        for (int argument : { 0, 1, 100, -1 })
        {
            const auto ids = store.listIds (mode, argument);
            check (std::is_sorted (ids.begin(), ids.end()));
            check (ids.size() <= (size_t) std::max (0, store.getSlotCount() + 1));
        }
    }
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput (const uint8_t* data, size_t size)
{
    if (size < 3)
        return 0;

    const int type = typeCodes[data[0] % std::size (typeCodes)];
    // 255: a store reaching just into the user range (IDs from 4096).
    const int highestId = data[1] == 255 ? 4099 : data[1] % 40 - 1;
    const int edits = data[2];
    const juce::MemoryBlock block (data + 3, size - 3);

    ObjectStore store;
    store.buildIndex (type, block, highestId);
    queryEverything (store);

    const char name[] = "Fuzzed Name         ";
    for (int id = -1; id <= std::min (store.getSlotCount() + 1, 60); ++id)
    {
        const int before = store.recordLength (id);
        switch ((edits + id) % 4)
        {
            case 1:
                store.removeRecord (id);
                check (store.recordLength (id) == 0);
                break;

            case 2:
            {
                const size_t length = std::min<size_t> ((size_t) (id + edits) % 48, size);
                store.replaceRecord (id, data, length, name, ObjectStore::nameLength);
                if (before > 0)
                    check (store.recordLength (id) == (int) length + ObjectStore::nameLength);
                break;
            }

            case 3:
                store.replaceRecord (id, nullptr, 0);
                if (before > 0)
                    check (store.recordLength (id) == 0);
                break;

            default:
                break;
        }
    }
    queryEverything (store);
    return 0;
}

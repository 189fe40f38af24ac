// FX chain records from arbitrary bytes: the header position, the decode, the
// parameter name list and the effect-category build never read outside the record,
// give results within their documented ranges and agree between the pure decoder and
// the store.
//
// Input: byte 0 chooses how many records (1..4) the rest is cut into; they go into
// the store as chains 1, 2, 3 ... of a small tagged bank.
#include "model/BankLayout.h"
#include "model/FxChainStore.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

using zd8::FxChainStore;

namespace
{
constexpr int slots = 8;
constexpr int maxListLength = 4 + 255 * (8 + 255);

void check (bool condition)
{
    if (! condition)
        abort();
}

FxChainStore::DecodedChain checkRecord (const uint8_t* record, size_t size)
{
    const int h = FxChainStore::headerPositionOf (record, size);
    check (h == -1 || (h >= 20 && h <= 59));
    if (h >= 0)
        check ((size_t) h < size && record[h] == 0x14 && record[h - 1] == 0 && record[h - 2] == 0);

    const auto d = FxChainStore::decode (record, size);
    check (d.headerPosition == h);
    if (h < 0)
    {
        check (d.effectCount == 0 && d.listPosition == 0);
        check (FxChainStore::nameListOf (record, size, d).getSize() == 0);
        return d;
    }

    check (d.effectCount >= -128 && d.effectCount <= 127);
    int p = h + 350;
    for (int i = 0; i < d.effectCount; ++i)
    {
        check (d.effectStart[(size_t) i] == p);
        check (d.effectSize[(size_t) i] >= 8 && d.effectSize[(size_t) i] <= 8 + 2 * 65535);
        p += d.effectSize[(size_t) i];
    }
    check (d.listPosition == p);

    const auto list = FxChainStore::nameListOf (record, size, d);
    check (list.getSize() >= 4 && list.getSize() <= (size_t) maxListLength);
    check ((int) list.getSize() == FxChainStore::nameListLength (record, size, d.listPosition));
    const auto* bytes = static_cast<const uint8_t*> (list.getData());
    for (size_t i = 0; i < list.getSize(); ++i)
    {
        const size_t at = (size_t) d.listPosition + i;
        check (bytes[i] == (at < size ? record[at] : 0));
    }
    return d;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput (const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;

    const int records = 1 + data[0] % 4;
    const uint8_t* rest = data + 1;
    const size_t restSize = size - 1;
    const size_t piece = restSize / (size_t) records;

    // Each record alone, on exactly its own bytes (ASan sees any read past them).
    std::vector<std::vector<uint8_t>> contents;
    for (int r = 0; r < records; ++r)
    {
        const size_t from = piece * (size_t) r;
        const size_t length = r + 1 == records ? restSize - from : piece;
        contents.emplace_back (rest + from, rest + from + length);
        std::vector<uint8_t> exact (contents.back());
        checkRecord (exact.data(), exact.size());
    }

    // The same records in a store.
    const auto* layout = zd8::BankLayout::forType (zd8::ObjectStore::typeFxChain);
    std::vector<uint8_t> bank;
    layout->appendBankOpen (bank);
    for (int id = 1; id <= slots; ++id)
    {
        const auto* c = id <= records ? &contents[(size_t) id - 1] : nullptr;
        layout->appendRecord (bank, id, c != nullptr ? c->data() : nullptr, c != nullptr ? c->size() : 0);
    }
    layout->appendBankClose (bank);

    FxChainStore store;
    store.buildIndex (zd8::ObjectStore::typeFxChain, juce::MemoryBlock (bank.data(), bank.size()), slots);

    size_t categorisable = 0;
    for (int id = -1; id <= slots + 1; ++id)
    {
        const bool stored = id >= 1 && id <= records && contents[(size_t) id - 1].size() > 20;
        const auto* record = stored ? contents[(size_t) id - 1].data() : nullptr;
        const size_t length = stored ? contents[(size_t) id - 1].size() : 0;

        check (store.headerPosition (id) == FxChainStore::headerPositionOf (record, length));
        const auto expected = FxChainStore::decode (record, length);
        check (store.parameterNameList (id) == FxChainStore::nameListOf (record, length, expected));
        store.decodeChain (id);
        const auto d = store.getDecodedChain();
        check (d.effectCount == expected.effectCount && d.listPosition == expected.listPosition);

        if (expected.headerPosition >= 0 && expected.effectCount >= 1 && expected.effectCount <= 15)
            categorisable += (size_t) expected.effectCount;
    }

    // Every listed chain is one of ours, and no chain stands more often than its
    // effects allow (at most two categories per effect).
    size_t listed = 0;
    for (int c = 1; c <= zd8::Categories::effectCategoryCount; ++c)
    {
        const auto ids = store.chainsOfCategory (c);
        for (int id : ids)
            check (id >= 1 && id <= records);
        listed += ids.size();
        if (c == 9 || c == 14) // "Echo", "Drums"
            check (ids.empty());
    }
    check (listed <= 2 * categorisable);
    return 0;
}

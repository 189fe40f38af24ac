// Indexing the built-in program bank (about 4 MB) and FX chain bank (about 2 MB), each
// next to a baseline of one raw memmem scan over the same bytes for the record stem;
// listing a category; and the memory the three stores hold per plug-in instance.

#include "model/BuiltInBanks.h"

#include <benchmark/benchmark.h>

#include <cstring>

namespace
{
using zd8::BuiltInBanks;
using zd8::ObjectStore;

const juce::MemoryBlock& bank (int typeCode)
{
    static const juce::MemoryBlock programs = BuiltInBanks::builtInBank (ObjectStore::typeProgram);
    static const juce::MemoryBlock multis = BuiltInBanks::builtInBank (ObjectStore::typeMulti);
    static const juce::MemoryBlock chains = BuiltInBanks::builtInBank (ObjectStore::typeFxChain);
    return typeCode == ObjectStore::typeProgram ? programs : typeCode == ObjectStore::typeMulti ? multis : chains;
}

size_t storeBytes (const ObjectStore& store)
{
    // The block plus one 32-bit offset per indexed ID.
    return store.getBlock().getSize() + (size_t) (store.getSlotCount() + 1) * sizeof (int);
}

void indexBank (benchmark::State& state, int typeCode)
{
    const auto& bytes = bank (typeCode);
    ObjectStore store;
    for (auto _ : state)
    {
        store.buildIndex (typeCode, bytes, BuiltInBanks::highestId (typeCode));
        benchmark::DoNotOptimize (store.getSlotCount());
    }
    state.SetBytesProcessed ((int64_t) state.iterations() * (int64_t) bytes.getSize());
    state.counters["records"] = (double) store.listIds (ObjectStore::listPresent, 0).size();
}

void memmemScan (benchmark::State& state, int typeCode)
{
    const auto& bytes = bank (typeCode);
    const char* stem = ObjectStore::tagsFor (typeCode)->stem;
    const auto* begin = static_cast<const char*> (bytes.getData());
    const auto* end = begin + bytes.getSize();

    size_t tags = 0;
    for (auto _ : state)
    {
        tags = 0;
        for (const char* p = begin; p < end; ++p, ++tags)
        {
            p = static_cast<const char*> (memmem (p, (size_t) (end - p), stem, zd8::BankLayout::tagLength));
            if (p == nullptr)
                break;
        }
        benchmark::DoNotOptimize (tags);
    }
    state.SetBytesProcessed ((int64_t) state.iterations() * (int64_t) bytes.getSize());
    state.counters["tags"] = (double) tags;
}

void BM_IndexProgramBank (benchmark::State& state) { indexBank (state, ObjectStore::typeProgram); }
void BM_MemmemScanProgramBank (benchmark::State& state) { memmemScan (state, ObjectStore::typeProgram); }
void BM_IndexFxChainBank (benchmark::State& state) { indexBank (state, ObjectStore::typeFxChain); }
void BM_MemmemScanFxChainBank (benchmark::State& state) { memmemScan (state, ObjectStore::typeFxChain); }

void BM_ListProgramCategory (benchmark::State& state)
{
    ObjectStore store;
    store.buildIndex (ObjectStore::typeProgram, bank (ObjectStore::typeProgram), BuiltInBanks::programHighestId);
    for (auto _ : state)
        benchmark::DoNotOptimize (store.listIds (ObjectStore::listCategory, 1));
}

void BM_StoreMemoryPerInstance (benchmark::State& state)
{
    ObjectStore programs, multis, chains;
    for (auto* store : { &programs, &multis, &chains })
    {
        const int type = store == &programs ? ObjectStore::typeProgram : store == &multis ? ObjectStore::typeMulti : ObjectStore::typeFxChain;
        store->buildIndex (type, bank (type), BuiltInBanks::highestId (type));
    }
    for (auto _ : state)
        benchmark::DoNotOptimize (storeBytes (programs));
    state.counters["program_store_bytes"] = (double) storeBytes (programs);
    state.counters["multi_store_bytes"] = (double) storeBytes (multis);
    state.counters["fx_chain_store_bytes"] = (double) storeBytes (chains);
    state.counters["total_bytes"] = (double) (storeBytes (programs) + storeBytes (multis) + storeBytes (chains));
}
} // namespace

BENCHMARK (BM_IndexProgramBank)->Unit (benchmark::kMillisecond);
BENCHMARK (BM_MemmemScanProgramBank)->Unit (benchmark::kMillisecond);
BENCHMARK (BM_IndexFxChainBank)->Unit (benchmark::kMillisecond);
BENCHMARK (BM_MemmemScanFxChainBank)->Unit (benchmark::kMillisecond);
BENCHMARK (BM_ListProgramCategory)->Unit (benchmark::kMicrosecond);
BENCHMARK (BM_StoreMemoryPerInstance)->Iterations (1);

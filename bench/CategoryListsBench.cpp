// Building the seventeen effect-category lists over the built-in FX chain bank (done
// once, when the FX chain chooser first asks).

#include "model/BuiltInBanks.h"
#include "model/FxChainStore.h"

#include <benchmark/benchmark.h>

namespace
{
    void buildCategoryLists (benchmark::State& state)
    {
        const auto bank = zd8::BuiltInBanks::builtInBank (zd8::ObjectStore::typeFxChain);
        for (auto _ : state)
        {
            state.PauseTiming();
            zd8::FxChainStore chains;
            chains.buildIndex (zd8::ObjectStore::typeFxChain, bank, zd8::BuiltInBanks::fxChainHighestId);
            state.ResumeTiming();
            benchmark::DoNotOptimize (chains.chainsOfCategory ("Reverb"));
        }
    }
}

BENCHMARK (buildCategoryLists)->Unit (benchmark::kMillisecond);

// Building the seventeen effect-category lists over the built-in FX chain bank (done
// once, when the FX chain chooser first asks).

#include "model/Factory_Banks_ZD8.h"
#include "model/ObjFXChainClass.h"

#include <benchmark/benchmark.h>

namespace
{
    void buildCategoryLists (benchmark::State& state)
    {
        const auto bank = zd8::Factory_Banks_ZD8::builtInBank (zd8::ObjectStore::typeFxChain);
        for (auto _ : state)
        {
            state.PauseTiming();
            zd8::ObjFXChainClass chains;
            chains.buildIndex (zd8::ObjectStore::typeFxChain, bank, zd8::Factory_Banks_ZD8::fxChainHighestId);
            state.ResumeTiming();
            benchmark::DoNotOptimize (chains.chainsOfCategory ("Reverb"));
        }
    }
}

BENCHMARK (buildCategoryLists)->Unit (benchmark::kMillisecond);

// Opening and closing the VST 2 plug-in through its exported entry point, as a host
// does, beside the same for an empty JUCE plug-in with as many parameters; and the
// memory one open instance holds. The libraries are loaded once per process.

#include "VstLoader.h"

#include <benchmark/benchmark.h>

#include <malloc.h>
#include <unistd.h>

#include <array>
#include <chrono>
#include <cstdio>
#include <memory>
#include <thread>
#include <vector>

namespace
{
    enum Plugin
    {
        ours,
        empty
    };

    using Clock = std::chrono::steady_clock;

    double secondsSince (Clock::time_point start)
    {
        return std::chrono::duration<double> (Clock::now() - start).count();
    }

    /** One library, loaded on first use; the first load (dlopen, then the first
        instance opened and closed) is timed as it happens. */
    struct Library
    {
        std::unique_ptr<VstLoader> loader;
        double dlopenSeconds = 0.0, firstCycleSeconds = 0.0;
    };

    Library& library (Plugin which)
    {
        static std::array<Library, 2> libraries;
        auto& lib = libraries[(size_t) which];
        if (lib.loader == nullptr)
        {
            // Before any plug-in reads its settings folder.
            VstLoader::useTemporaryHome();
            const auto start = Clock::now();
            lib.loader = std::make_unique<VstLoader> (which == ours ? ZD8_PLUGIN_VST_PATH : ZD8_EMPTY_VST_PATH);
            lib.dlopenSeconds = secondsSince (start);
            const auto cycle = Clock::now();
            VstLoader::close (lib.loader->open());
            lib.firstCycleSeconds = secondsSince (cycle);
        }
        return lib;
    }

    /** The library, or nullptr after telling the benchmark why it cannot run. */
    const VstLoader* loaded (benchmark::State& state, Plugin which)
    {
        auto& lib = library (which);
        if (! lib.loader->isLoaded())
        {
            state.SkipWithError (lib.loader->getError().c_str());
            return nullptr;
        }
        return lib.loader.get();
    }

    //==============================================================================
    void firstLoad (benchmark::State& state, Plugin which)
    {
        auto& lib = library (which);
        if (loaded (state, which) == nullptr)
            return;
        for (auto _ : state)
            state.SetIterationTime (lib.dlopenSeconds + lib.firstCycleSeconds);
        state.counters["dlopen_ms"] = lib.dlopenSeconds * 1e3;
        state.counters["first_cycle_ms"] = lib.firstCycleSeconds * 1e3;
    }

    /** One instance opened and closed, alone: the wrapper's JUCE start-up (its message
        thread and singletons) comes and goes with it, as in a host with one instance. */
    void openClose (benchmark::State& state, Plugin which)
    {
        const auto* loader = loaded (state, which);
        if (loader == nullptr)
            return;
        for (auto _ : state)
        {
            auto* effect = loader->open();
            if (effect == nullptr)
            {
                state.SkipWithError ("VSTPluginMain returned no effect");
                return;
            }
            VstLoader::close (effect);
        }
    }

    /** One instance opened and closed while another stays open: the plug-in's own
        cost, without JUCE's per-process start-up. */
    void openCloseBesideAnother (benchmark::State& state, Plugin which)
    {
        const auto* loader = loaded (state, which);
        if (loader == nullptr)
            return;
        auto* other = loader->open();
        for (auto _ : state)
            VstLoader::close (loader->open());
        VstLoader::close (other);
    }

    //==============================================================================
    struct MemoryUse
    {
        double heap = 0, rss = 0; // bytes

        static MemoryUse now()
        {
            const auto m = mallinfo2();
            long pages = 0, resident = 0;
            if (FILE* statm = std::fopen ("/proc/self/statm", "r"))
            {
                if (std::fscanf (statm, "%ld %ld", &pages, &resident) != 2)
                    resident = 0;
                std::fclose (statm);
            }
            // Bytes handed out by malloc, from its heaps and its own mappings.
            return { (double) (m.uordblks + m.hblkhd), (double) resident * (double) sysconf (_SC_PAGESIZE) };
        }
    };

    /** What each open instance holds: one instance opened first (so JUCE's shared
        start-up is not counted), then eight more; the growth divided by eight. */
    void memoryPerInstance (benchmark::State& state, Plugin which)
    {
        constexpr int count = 8;
        const auto* loader = loaded (state, which);
        if (loader == nullptr)
            return;

        // The message thread finishes what opening posted before memory is read.
        const auto settle = [] { std::this_thread::sleep_for (std::chrono::milliseconds (50)); };
        double firstHeap = 0, heap = 0, rss = 0;
        int rounds = 0;
        for (auto _ : state)
        {
            const auto before = MemoryUse::now();
            auto* first = loader->open();
            settle();
            // Free pages go back to the system, so what the instances touch shows in
            // the resident size rather than reusing what earlier rounds left.
            malloc_trim (0);
            const auto one = MemoryUse::now();
            std::vector<AEffect*> effects;
            for (int i = 0; i < count; ++i)
                effects.push_back (loader->open());
            settle();
            const auto all = MemoryUse::now();
            for (auto* e : effects)
                VstLoader::close (e);
            VstLoader::close (first);

            firstHeap += one.heap - before.heap;
            heap += (all.heap - one.heap) / count;
            rss += (all.rss - one.rss) / count;
            ++rounds;
        }
        state.counters["heap_bytes_per_instance"] = heap / rounds;
        state.counters["rss_bytes_per_instance"] = rss / rounds;
        state.counters["first_instance_heap_bytes"] = firstHeap / rounds;
    }
}

// The first loads come first, so that they are the process's first loads.
BENCHMARK_CAPTURE (firstLoad, pluginFirstLoad, ours)->Name ("pluginFirstLoad")->Iterations (1)->UseManualTime();
BENCHMARK_CAPTURE (firstLoad, pluginFirstLoadEmpty, empty)->Name ("pluginFirstLoadEmpty")->Iterations (1)->UseManualTime();
BENCHMARK_CAPTURE (openClose, ours, ours)->Name ("pluginOpenClose")->UseRealTime()->Unit (benchmark::kMillisecond);
BENCHMARK_CAPTURE (openClose, empty, empty)->Name ("pluginOpenCloseEmpty")->UseRealTime()->Unit (benchmark::kMillisecond);
BENCHMARK_CAPTURE (openCloseBesideAnother, ours, ours)->Name ("pluginOpenCloseBesideAnother")->UseRealTime()->Unit (benchmark::kMillisecond);
BENCHMARK_CAPTURE (openCloseBesideAnother, empty, empty)->Name ("pluginOpenCloseBesideAnotherEmpty")->UseRealTime()->Unit (benchmark::kMillisecond);
BENCHMARK_CAPTURE (memoryPerInstance, ours, ours)->Name ("pluginMemoryPerInstance")->Iterations (3)->Unit (benchmark::kMillisecond);
BENCHMARK_CAPTURE (memoryPerInstance, empty, empty)->Name ("pluginMemoryPerInstanceEmpty")->Iterations (3)->Unit (benchmark::kMillisecond);

// What a host does most with parameters: writes a row that the instrument hears as an
// addressed change, and reads the value texts of all 2314 slots (hosts redraw them
// often). The baseline formats 2314 plain integers with std::to_string.

#include "BenchRig.h"
#include "plugin/VantorAudioProcessor.h"

#include <benchmark/benchmark.h>

namespace
{
    void setParameterToPort (benchmark::State& state)
    {
        juce::ScopedJuceInitialiser_GUI juce;
        BenchRig rig;
        zd8::VantorAudioProcessor p (rig.environment);
        auto* level = p.getParameters()[zd8::ParameterTable::programSlot (0, zd8::ParameterTable::levelRow)];
        int i = 0;
        for (auto _ : state)
            level->setValue ((float) (i++ % 121) / 120.0f); // always a new value: eight messages each
    }

    void slotTextsOfAllSlots (benchmark::State& state)
    {
        juce::ScopedJuceInitialiser_GUI juce;
        BenchRig rig;
        zd8::VantorAudioProcessor p (rig.environment);
        for (auto _ : state)
            for (int slot = 0; slot < zd8::ParameterTable::numSlots; ++slot)
                benchmark::DoNotOptimize (p.getSlotText (slot));
    }

    void plainIntegerTexts (benchmark::State& state)
    {
        for (auto _ : state)
            for (int slot = 0; slot < zd8::ParameterTable::numSlots; ++slot)
                benchmark::DoNotOptimize (std::to_string (slot));
    }
}

BENCHMARK (setParameterToPort);
BENCHMARK (slotTextsOfAllSlots);
BENCHMARK (plainIntegerTexts);

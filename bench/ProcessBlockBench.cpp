// processBlock cost per 512-sample block: idle, and with 64 host events forwarded to
// the instrument plus 64 instrument events merged for the host.

#include "BenchRig.h"
#include "plugin/VantorAudioProcessor.h"

#include <benchmark/benchmark.h>

namespace
{
    void processBlockIdle (benchmark::State& state)
    {
        juce::ScopedJuceInitialiser_GUI juce;
        BenchRig rig;
        zd8::VantorAudioProcessor p (rig.environment);
        p.prepareToPlay (48000.0, 512);
        juce::AudioBuffer<float> audio (2, 512);
        juce::MidiBuffer midi;

        for (auto _ : state)
            p.processBlock (audio, midi);
    }

    void processBlockBusy (benchmark::State& state)
    {
        juce::ScopedJuceInitialiser_GUI juce;
        BenchRig rig;
        zd8::VantorAudioProcessor p (rig.environment);
        p.getHub().setThruInToHost (true);
        p.prepareToPlay (48000.0, 512);
        juce::AudioBuffer<float> audio (2, 512);
        juce::MidiBuffer midi, events;
        midi.ensureSize (4096);
        for (int i = 0; i < 64; ++i)
            events.addEvent (juce::MidiMessage::noteOn (1 + i % 16, 40 + i % 40, (juce::uint8) 90), i * 8);

        for (auto _ : state)
        {
            state.PauseTiming();
            midi = events;
            for (int i = 0; i < 64; ++i)
                p.getHub().sendControllerToHost (1, 1, i);
            state.ResumeTiming();
            p.processBlock (audio, midi);
        }
    }
}

BENCHMARK (processBlockIdle);
BENCHMARK (processBlockBusy);
BENCHMARK_MAIN();

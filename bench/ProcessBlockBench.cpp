// processBlock cost per 512-sample block: idle, and with 64 host events forwarded to
// the instrument plus 64 instrument events merged for the host.

#include "BenchRig.h"
#include "plugin/VantorAudioProcessor.h"

#include <benchmark/benchmark.h>

namespace
{
    // The floor: a JUCE processor whose processBlock does nothing, called the same way.
    struct EmptyProcessor : juce::AudioProcessor
    {
        EmptyProcessor()
            : juce::AudioProcessor (BusesProperties().withOutput ("Output", juce::AudioChannelSet::stereo(), true))
        {
        }
        const juce::String getName() const override { return "Empty"; }
        void prepareToPlay (double, int) override {}
        void releaseResources() override {}
        void processBlock (juce::AudioBuffer<float>&, juce::MidiBuffer&) override {}
        double getTailLengthSeconds() const override { return 0.0; }
        bool acceptsMidi() const override { return true; }
        bool producesMidi() const override { return true; }
        juce::AudioProcessorEditor* createEditor() override { return nullptr; }
        bool hasEditor() const override { return false; }
        int getNumPrograms() override { return 1; }
        int getCurrentProgram() override { return 0; }
        void setCurrentProgram (int) override {}
        const juce::String getProgramName (int) override { return {}; }
        void changeProgramName (int, const juce::String&) override {}
        void getStateInformation (juce::MemoryBlock&) override {}
        void setStateInformation (const void*, int) override {}
    };

    void processBlockEmpty (benchmark::State& state)
    {
        juce::ScopedJuceInitialiser_GUI juce;
        EmptyProcessor p;
        juce::AudioProcessor& base = p;
        base.prepareToPlay (48000.0, 512);
        juce::AudioBuffer<float> audio (2, 512);
        juce::MidiBuffer midi;

        for (auto _ : state)
        {
            base.processBlock (audio, midi);
            benchmark::ClobberMemory();
        }
    }

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

BENCHMARK (processBlockEmpty);
BENCHMARK (processBlockIdle);
BENCHMARK (processBlockBusy);
BENCHMARK_MAIN();

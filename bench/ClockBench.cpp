// The cost of MIDI clock per 512-sample block at 120 BPM and 48 kHz (one clock every
// 1000 samples, so about one block in two sends one), in pairs:
//   BM_ClockBlock_Playing / BM_ClockBlock_Baseline: processBlock with the host playing
//     and clock on (generation plus the timed send to the output port) / the same block
//     with the transport stopped and clock off;
//   BM_ClockGenerator_Playing / BM_ClockGenerator_Stopped: the generator alone, placing
//     the block's clocks from the song position / the stopped block's position check.

#include "BenchRig.h"
#include "link/MidiClockGenerator.h"
#include "plugin/VantorAudioProcessor.h"

#include <benchmark/benchmark.h>

namespace
{
    constexpr double sampleRate = 48000.0;
    constexpr int blockSize = 512;
    constexpr double bpm = 120.0;
    constexpr double quartersPerBlock = blockSize * bpm / 60.0 / sampleRate;

    struct BenchPlayHead : juce::AudioPlayHead
    {
        juce::Optional<PositionInfo> getPosition() const override
        {
            PositionInfo info;
            info.setBpm (bpm);
            info.setIsPlaying (playing);
            info.setPpqPosition (ppq);
            return info;
        }
        bool playing = false;
        double ppq = 0.0;
    };

    void clockBlock (benchmark::State& state, bool playing)
    {
        juce::ScopedJuceInitialiser_GUI juce;
        BenchRig rig;
        zd8::VantorAudioProcessor p (rig.environment);
        p.getHub().setClockOn (playing);
        BenchPlayHead head;
        head.playing = playing;
        p.setPlayHead (&head);
        p.prepareToPlay (sampleRate, blockSize);
        if (! p.getHub().getPorts().isOutputOpen())
        {
            state.SkipWithError ("the output port is not open: no clock would be made");
            return;
        }
        juce::AudioBuffer<float> audio (2, blockSize);
        juce::MidiBuffer midi;

        for (auto _ : state)
        {
            p.processBlock (audio, midi);
            if (playing)
                head.ppq += quartersPerBlock;
        }

        p.setPlayHead (nullptr);
    }

    void BM_ClockBlock_Playing (benchmark::State& state) { clockBlock (state, true); }
    void BM_ClockBlock_Baseline (benchmark::State& state) { clockBlock (state, false); }

    void clockGenerator (benchmark::State& state, bool playing)
    {
        zd8::MidiClockGenerator generator;
        zd8::HostPosition position;
        position.bpm = bpm;
        position.isPlaying = playing;
        juce::MidiBuffer buffer;
        buffer.ensureSize (4096);
        int64_t messages = 0;

        for (auto _ : state)
        {
            generator.generateClock (position, buffer, blockSize, sampleRate);
            messages += buffer.getNumEvents();
            buffer.clear();
            if (playing)
                position.ppqPosition += quartersPerBlock;
        }

        state.counters["messages_per_block"] = benchmark::Counter ((double) messages, benchmark::Counter::kAvgIterations);
    }

    void BM_ClockGenerator_Playing (benchmark::State& state) { clockGenerator (state, true); }
    void BM_ClockGenerator_Stopped (benchmark::State& state) { clockGenerator (state, false); }
}

BENCHMARK (BM_ClockBlock_Playing);
BENCHMARK (BM_ClockBlock_Baseline);
BENCHMARK (BM_ClockGenerator_Playing);
BENCHMARK (BM_ClockGenerator_Stopped);

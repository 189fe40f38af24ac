// The mixer page's meters while notes play: every 60 ms each of the sixteen meters
// falls a step and is painted again. Measured per frame: a few channels get a new
// note, every meter ticks, and the page is painted into an image, once whole and once
// clipped to the sixteen meters (what the window repaints, since a meter repaints only
// itself). "core_share" is the part of one core that takes at one frame per 60 ms tick
// (1000 / 60 frames per second); the library prints it with an "s" suffix (CPU seconds
// per second): 0.1 is a tenth of a core. The baseline paints an empty component of the
// same 996 x 646 size.

#include "BenchRig.h"
#include "editor/pages/MixerPage.h"
#include "plugin/VantorAudioProcessor.h"

#include <benchmark/benchmark.h>

namespace
{
    constexpr int width = 996, height = 646;
    constexpr double framesPerSecond = 1000.0 / zd8::NoteMeter::tickMs;

    /** Share of one core at one frame per meter tick: time per frame x frames per second. */
    void reportCoreShare (benchmark::State& state)
    {
        state.counters["core_share"] = benchmark::Counter ((double) state.iterations() / framesPerSecond,
                                                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
    }

    /** One frame of animation: a new note on a few channels, then every meter falls. */
    void animate (zd8::MixerPage& mixer, int frame)
    {
        for (int c = 0; c < zd8::MixerPage::numChannels; ++c)
        {
            if ((frame + c) % 12 == 0)
                mixer.notePeak (c, 60 + (c * 29 + frame) % 68);
            auto& meter = mixer.getStrip (c).getMeter();
            if (meter.getPeak() > 0)
                meter.tick();
        }
    }

    void mixerMetersWholePage (benchmark::State& state)
    {
        juce::ScopedJuceInitialiser_GUI juce;
        BenchRig rig;
        zd8::VantorAudioProcessor p (rig.environment);
        zd8::MixerPage mixer (p.getEditorConnection());
        mixer.setBounds (0, 0, width, height);
        juce::Image image (juce::Image::ARGB, width, height, true);
        int frame = 0;
        for (auto _ : state)
        {
            animate (mixer, frame++);
            juce::Graphics g (image);
            mixer.paintEntireComponent (g, true);
            benchmark::ClobberMemory();
        }
        reportCoreShare (state);
    }

    void mixerMetersOnly (benchmark::State& state)
    {
        juce::ScopedJuceInitialiser_GUI juce;
        BenchRig rig;
        zd8::VantorAudioProcessor p (rig.environment);
        zd8::MixerPage mixer (p.getEditorConnection());
        mixer.setBounds (0, 0, width, height);
        juce::RectangleList<int> meters;
        for (int c = 0; c < zd8::MixerPage::numChannels; ++c)
        {
            auto& strip = mixer.getStrip (c);
            meters.add (strip.getMeter().getBounds() + strip.getPosition());
        }
        juce::Image image (juce::Image::ARGB, width, height, true);
        int frame = 0;
        for (auto _ : state)
        {
            animate (mixer, frame++);
            juce::Graphics g (image);
            g.reduceClipRegion (meters);
            mixer.paintEntireComponent (g, true);
            benchmark::ClobberMemory();
        }
        reportCoreShare (state);
    }

    void mixerEmptyComponent (benchmark::State& state)
    {
        juce::ScopedJuceInitialiser_GUI juce;
        juce::Component component;
        component.setSize (width, height);
        juce::Image image (juce::Image::ARGB, width, height, true);
        for (auto _ : state)
        {
            juce::Graphics g (image);
            component.paintEntireComponent (g, true);
            benchmark::ClobberMemory();
        }
        reportCoreShare (state);
    }
}

BENCHMARK (mixerMetersWholePage)->Unit (benchmark::kMillisecond);
BENCHMARK (mixerMetersOnly)->Unit (benchmark::kMicrosecond);
BENCHMARK (mixerEmptyComponent)->Unit (benchmark::kMicrosecond);

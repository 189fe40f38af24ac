// Opening the plug-in window: the host asks for the editor and the first paint follows.
// Measured as createEditor plus a snapshot of the whole 1028x730 window on the mixer
// page; the baseline paints an empty component of the same size the same way.

#include "BenchRig.h"
#include "editor/shell/VantorAudioProcessorEditor.h"
#include "plugin/VantorAudioProcessor.h"

#include <benchmark/benchmark.h>

namespace
{
    constexpr int width = 1028, height = 730;

    void openEditorAndPaint (benchmark::State& state)
    {
        juce::ScopedJuceInitialiser_GUI juce;
        zd8::VantorAudioProcessorEditor::registerWithProcessor();
        BenchRig rig;
        zd8::VantorAudioProcessor p (rig.environment);
        // Only the first window of an instance shows the About panel over the mixer.
        p.getHub().getEditorSession().aboutShown = true;
        for (auto _ : state)
        {
            std::unique_ptr<juce::AudioProcessorEditor> editor (p.createEditor());
            benchmark::DoNotOptimize (editor->createComponentSnapshot ({ 0, 0, width, height }, true, 1.0f));
        }
    }

    void emptyComponentPaint (benchmark::State& state)
    {
        juce::ScopedJuceInitialiser_GUI juce;
        for (auto _ : state)
        {
            auto component = std::make_unique<juce::Component>();
            component->setSize (width, height);
            benchmark::DoNotOptimize (component->createComponentSnapshot ({ 0, 0, width, height }, true, 1.0f));
        }
    }
}

BENCHMARK (openEditorAndPaint)->Unit (benchmark::kMillisecond);
BENCHMARK (emptyComponentPaint)->Unit (benchmark::kMillisecond);

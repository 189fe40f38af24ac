// What opening and closing one instance of the plug-in costs, piece by piece, in this
// process (no VST 2 wrapper, no dlopen): the whole processor, and the parts its
// constructor and destructor go through, beside the empty processor with as many
// parameters. Each piece works in a plug-in folder of its own under /tmp.

#include "emptyplugin/EmptyProcessor.h"
#include "link/JuceMidiDevices.h"
#include "link/SystemMidiDevices.h"
#include "model/BankImageCache.h"
#include "model/InstrumentImage.h"
#include "plugin/SettingsList.h"
#include "plugin/VantorAudioProcessor.h"

#include <benchmark/benchmark.h>

#include <malloc.h>

namespace
{
    /** Bytes handed out by malloc. */
    double heapInUse()
    {
        const auto m = mallinfo2();
        return (double) (m.uordblks + m.hblkhd);
    }

    /** A folder of its own, and the environment the plug-in builds for itself, with
        that folder in place of the user's. */
    struct SystemFolderRig
    {
        SystemFolderRig() { folder.createDirectory(); }
        ~SystemFolderRig() { folder.deleteRecursively(); }

        void emptyFolder()
        {
            folder.deleteRecursively();
            folder.createDirectory();
        }

        juce::File folder = juce::File::getSpecialLocation (juce::File::tempDirectory).getChildFile ("zd8parts-" + juce::Uuid().toString());
        zd8::SystemMidiDevices devices;
        zd8::LinkEnvironment environment { devices, zd8::TimeSource::system(), zd8::TimerFactory::system(), folder };
    };

    /** The processor made and deleted, its files already written by an earlier
        instance: what every open after the first one goes through. */
    void openPartsProcessor (benchmark::State& state)
    {
        juce::ScopedJuceInitialiser_GUI juce;
        SystemFolderRig rig;
        std::make_unique<zd8::VantorAudioProcessor> (rig.environment).reset();
        {
            const double before = heapInUse();
            zd8::VantorAudioProcessor p (rig.environment);
            state.counters["heap_bytes"] = heapInUse() - before;
        }
        for (auto _ : state)
            std::make_unique<zd8::VantorAudioProcessor> (rig.environment).reset();
    }

    /** The same, the constructor alone or the destructor alone. */
    void openPartsProcessorHalf (benchmark::State& state)
    {
        const bool constructor = state.range (0) == 0;
        juce::ScopedJuceInitialiser_GUI juce;
        SystemFolderRig rig;
        std::make_unique<zd8::VantorAudioProcessor> (rig.environment).reset();
        for (auto _ : state)
        {
            if (! constructor)
                state.PauseTiming();
            auto p = std::make_unique<zd8::VantorAudioProcessor> (rig.environment);
            if (constructor)
                state.PauseTiming();
            else
                state.ResumeTiming();
            p.reset();
            if (constructor)
                state.ResumeTiming();
        }
        state.SetLabel (constructor ? "constructor" : "destructor");
    }

    /** The processor made and deleted in an empty folder: the first open of all. */
    void openPartsProcessorFirstUse (benchmark::State& state)
    {
        juce::ScopedJuceInitialiser_GUI juce;
        SystemFolderRig rig;
        for (auto _ : state)
        {
            state.PauseTiming();
            rig.emptyFolder();
            state.ResumeTiming();
            std::make_unique<zd8::VantorAudioProcessor> (rig.environment).reset();
        }
    }

    /** The floor: an AudioProcessor with 2314 parameters made and deleted. */
    void openPartsEmptyProcessor (benchmark::State& state)
    {
        juce::ScopedJuceInitialiser_GUI juce;
        {
            const double before = heapInUse();
            zd8bench::EmptyProcessor p;
            state.counters["heap_bytes"] = heapInUse() - before;
        }
        for (auto _ : state)
            std::make_unique<zd8bench::EmptyProcessor>().reset();
    }

    /** The three banks loaded (0: from the files an earlier instance saved, 1: the
        built-in ones, the folder being empty), both taking the images the process
        already holds; saved (2); and loaded from the saved files with nothing shared yet
        (3: read and indexed, as the first open in a process does). */
    void openPartsBanks (benchmark::State& state)
    {
        const auto mode = state.range (0);
        juce::ScopedJuceInitialiser_GUI juce;
        SystemFolderRig rig;
        zd8::InstrumentImage saved;
        saved.loadBanks (rig.folder);
        if (mode != 1)
            saved.saveBanks (rig.folder);
        if (mode != 2)
        {
            const double before = heapInUse();
            zd8::InstrumentImage image;
            state.counters["heap_bytes_empty_image"] = heapInUse() - before;
            image.loadBanks (rig.folder);
            state.counters["heap_bytes"] = heapInUse() - before;
        }
        for (auto _ : state)
        {
            if (mode == 2)
            {
                saved.saveBanks (rig.folder);
                continue;
            }
            if (mode == 3)
            {
                state.PauseTiming();
                zd8::BankImageCache::instance().clear();
                state.ResumeTiming();
            }
            zd8::InstrumentImage image;
            image.loadBanks (rig.folder);
        }
        state.SetLabel (mode == 0 ? "load from files" : mode == 1 ? "load built-in" : mode == 2 ? "save" : "first load from files");
    }

    /** The settings file read and written. */
    void openPartsSettings (benchmark::State& state)
    {
        juce::ScopedJuceInitialiser_GUI juce;
        SystemFolderRig rig;
        zd8::SettingsList settings;
        settings.load (rig.folder);
        for (auto _ : state)
        {
            settings.load (rig.folder);
            settings.save (rig.folder);
        }
    }

    /** JUCE's MIDI device lists, in and out, as the port owner reads them on open. */
    void openPartsMidiDeviceLists (benchmark::State& state)
    {
        juce::ScopedJuceInitialiser_GUI juce;
        zd8::JuceMidiDevices devices;
        for (auto _ : state)
        {
            auto inputs = devices.getInputNames();
            auto outputs = devices.getOutputNames();
            benchmark::DoNotOptimize (inputs);
            benchmark::DoNotOptimize (outputs);
        }
    }
}

BENCHMARK (openPartsProcessor)->Unit (benchmark::kMillisecond)->UseRealTime();
BENCHMARK (openPartsProcessorHalf)->Arg (0)->Arg (1)->Unit (benchmark::kMillisecond)->UseRealTime();
BENCHMARK (openPartsProcessorFirstUse)->Unit (benchmark::kMillisecond)->UseRealTime();
BENCHMARK (openPartsEmptyProcessor)->Unit (benchmark::kMillisecond)->UseRealTime();
BENCHMARK (openPartsBanks)->Arg (0)->Arg (1)->Arg (2)->Arg (3)->Unit (benchmark::kMillisecond)->UseRealTime();
BENCHMARK (openPartsSettings)->Unit (benchmark::kMillisecond)->UseRealTime();
BENCHMARK (openPartsMidiDeviceLists)->Unit (benchmark::kMillisecond)->UseRealTime();

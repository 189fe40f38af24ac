// Repainting the program chooser's list (274x510, fifteen rows of the built-in
// programs) one row further on each time, as the wheel or the scroll bar does, next to
// painting an empty component of the same size into the same kind of picture.

#include "editor/kit/ObjectList.h"
#include "model/BuiltInBanks.h"
#include "model/ProgramStore.h"

#include <benchmark/benchmark.h>

namespace
{
    constexpr int listWidth = 274, listHeight = 510;

    void paintInto (juce::Component& component, juce::Image& picture)
    {
        juce::Graphics g (picture);
        component.paintEntireComponent (g, true);
    }

    void programListScrolling (benchmark::State& state)
    {
        juce::ScopedJuceInitialiser_GUI juce;
        zd8::ProgramStore programs;
        programs.buildIndex (zd8::ObjectStore::typeProgram,
                             zd8::BuiltInBanks::builtInBank (zd8::ObjectStore::typeProgram),
                             zd8::BuiltInBanks::programHighestId);

        // Set up as the program chooser sets its list.
        zd8::ObjectList grid (programs);
        grid.setColumns ({ 50, 180, 0, 0 });
        grid.setRowHeight (34);
        grid.setFontSizes (14, 15, 11);
        grid.setColours ({ 0x22606060, 0x11303030, 0x11050505, 0xffaaaaaa, 0xffcccccc, 0xffbbbbbb, 0xffeeeeee,
                           0xffffffff, 0xffffffff });
        grid.setSize (listWidth, listHeight);
        grid.bind (zd8::ObjectStore::listRange, zd8::ObjectStore::rangeFactory);
        grid.selectIndex (4);

        juce::Image picture (juce::Image::ARGB, listWidth, listHeight, true);
        const int lastFirstRow = grid.getCount() - grid.visibleRows();
        int row = 0;
        for (auto _ : state)
        {
            row = row >= lastFirstRow ? 0 : row + 1;
            grid.scrollTo (row);
            paintInto (grid, picture);
            benchmark::ClobberMemory();
        }
        state.counters["rows"] = grid.visibleRows();
    }

    void emptyComponentBaseline (benchmark::State& state)
    {
        juce::ScopedJuceInitialiser_GUI juce;
        juce::Component empty;
        empty.setSize (listWidth, listHeight);
        juce::Image picture (juce::Image::ARGB, listWidth, listHeight, true);
        for (auto _ : state)
        {
            paintInto (empty, picture);
            benchmark::ClobberMemory();
        }
    }
} // namespace

BENCHMARK (programListScrolling)->Unit (benchmark::kMicrosecond);
BENCHMARK (emptyComponentBaseline)->Unit (benchmark::kMicrosecond);

// Value texts of all 2314 parameter slots, as a host redraws them, next to writing the
// same 2314 values as plain integers with std::to_string (the yardstick: within 5x).

#include "model/ValueFormatter.h"

#include <benchmark/benchmark.h>

#include <string>
#include <utility>
#include <vector>

namespace
{
    constexpr int channels = 16;
    constexpr int controllersPerChannel = 128;

    struct Row
    {
        int code, min, max;
    };

    // Description codes and ranges of the sixteen program rows of a channel.
    const Row programRows[16] = {
        { 2200, 0, 8192 }, { 778, 0, 1 }, { 778, 0, 1 }, { 2200, 0, 8192 }, { 782, 0, 100 }, { 778, 0, 1 },
        { 2200, 0, 8192 }, { 118, 0, 120 }, { 778, 0, 1 }, { 107, -64, 64 }, { 108, -96, 24 }, { 2100, 1, 8191 },
        { 778, 0, 1 }, { 778, 0, 1 }, { 744, 0, 31 }, { 2102, 0, 127 },
    };

    // The ten global slots: multi, playing mode, AUX overrides, multi bank and program.
    const Row globalRows[10] = {
        { 2800, 1, 127 }, { 400, 1, 2 }, { 2200, 1, 2048 }, { 778, 0, 1 }, { 0, 0, 255 },
        { 2200, 1, 2048 }, { 778, 0, 1 }, { 0, 0, 255 }, { 744, 0, 31 }, { 2800, 0, 127 },
    };

    // A spread of values inside each row's range, different per channel.
    int valueIn (const Row& row, int salt)
    {
        const int span = row.max - row.min + 1;
        return row.min + (salt * 37 + 11) % span;
    }

    std::vector<std::pair<int, int>> allSlots()
    {
        std::vector<std::pair<int, int>> slots;
        for (int c = 0; c < channels; ++c)
            for (int k = 0; k < 16; ++k)
                slots.emplace_back (programRows[k].code, valueIn (programRows[k], c * 16 + k));
        for (int c = 0; c < channels; ++c)
            for (int n = 0; n < controllersPerChannel; ++n)
                slots.emplace_back (0, (c * 7 + n) % 128);
        for (int g = 0; g < 10; ++g)
            slots.emplace_back (globalRows[g].code, valueIn (globalRows[g], g));
        return slots;
    }

    // Stores as the image answers: a name per object, looked up by index.
    class BenchNames : public zd8::ObjectNameSource
    {
    public:
        BenchNames()
        {
            for (int i = 0; i <= 8192; ++i)
                names.add ("Object " + juce::String (i).paddedLeft ('0', 5) + " Name");
        }

        juce::String objectName (int, int id) const override
        {
            return juce::isPositiveAndBelow (id, names.size()) ? names[id] : juce::String();
        }

    private:
        juce::StringArray names;
    };

    void formatAllSlots (benchmark::State& state, const zd8::ObjectNameSource* names)
    {
        const auto slots = allSlots();
        const zd8::ValueFormatter valueFormatter (names);
        for (auto _ : state)
            for (auto& [code, value] : slots)
            {
                auto text = valueFormatter.formatValue (code, value);
                benchmark::DoNotOptimize (text);
            }
        state.SetItemsProcessed (state.iterations() * int64_t (slots.size()));
    }

    void formatValueAllSlotsWithoutStores (benchmark::State& state)
    {
        formatAllSlots (state, nullptr);
    }

    void formatValueAllSlotsWithNames (benchmark::State& state)
    {
        const BenchNames names;
        formatAllSlots (state, &names);
    }

    void toStringAllSlots (benchmark::State& state)
    {
        const auto slots = allSlots();
        for (auto _ : state)
            for (auto& slot : slots)
            {
                auto text = std::to_string (slot.second);
                benchmark::DoNotOptimize (text);
            }
        state.SetItemsProcessed (state.iterations() * int64_t (slots.size()));
    }

    // The floor for any text handed over as a juce::String: one allocation per slot.
    void juceStringAllSlots (benchmark::State& state)
    {
        const auto slots = allSlots();
        for (auto _ : state)
            for (auto& slot : slots)
            {
                auto text = juce::String (slot.second);
                benchmark::DoNotOptimize (text);
            }
        state.SetItemsProcessed (state.iterations() * int64_t (slots.size()));
    }
}

BENCHMARK (toStringAllSlots);
BENCHMARK (juceStringAllSlots);
BENCHMARK (formatValueAllSlotsWithoutStores);
BENCHMARK (formatValueAllSlotsWithNames);

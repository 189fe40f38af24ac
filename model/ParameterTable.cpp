#include "model/ParameterTable.h"

#include <cmath>

namespace zd8
{

namespace
{
    struct ProgramRowDefault
    {
        int kind, min, max, descriptionCode;
        const char* labelCode;
    };

    // The sixteen program rows every channel has.
    constexpr ProgramRowDefault programRows[ParameterTable::rowsPerChannel] = {
        { ParameterTable::kindInsertChain, 0, 8192, 2200, "216" },
        { ParameterTable::kindAddressed, 0, 1, 778, "201" },
        { ParameterTable::kindAddressed, 0, 1, 778, "202" },
        { ParameterTable::kindAux1Chain, 0, 8192, 2200, "216" },
        { ParameterTable::kindAddressed, 0, 100, 782, "204" },
        { ParameterTable::kindAddressed, 0, 1, 778, "205" },
        { ParameterTable::kindAux2Chain, 0, 8192, 2200, "216" },
        { ParameterTable::kindAddressed, 0, 120, 118, "207" },
        { ParameterTable::kindAddressed, 0, 1, 778, "208" },
        { ParameterTable::kindAddressed, -64, 64, 107, "209" },
        { ParameterTable::kindAddressed, -96, 24, 108, "210" },
        { ParameterTable::kindProgram, 1, 8191, 2100, "211" },
        { ParameterTable::kindNone, 0, 1, 778, "212" },
        { ParameterTable::kindNone, 0, 1, 778, "213" },
        { ParameterTable::kindProgramBank, 0, 31, 744, "215" },
        { ParameterTable::kindProgramNumber, 0, 127, 2102, "217" },
    };

    struct GlobalDefault
    {
        int kind, min, max, initial, descriptionCode;
        const char* labelCode;
    };

    constexpr GlobalDefault globalSlots[ParameterTable::numSlots - ParameterTable::firstGlobalSlot] = {
        { ParameterTable::kindMulti, 1, 127, 1, 2800, "410" },
        { ParameterTable::kindPlayingMode, 1, 2, 1, 400, "400" },
        { 6, 1, 2048, 1, 2200, "402" },
        { 8, 0, 1, 0, 778, "403" },
        { 10, 0, 255, 0, 0, "404" },
        { 7, 1, 2048, 1, 2200, "405" },
        { 9, 0, 1, 0, 778, "406" },
        { 11, 0, 255, 0, 0, "407" },
        { ParameterTable::kindMultiBank, 0, 31, 1, 744, "409" },
        { ParameterTable::kindMultiProgram, 0, 127, 1, 2800, "408" },
    };

    constexpr int globalControllerColumn = 84;
}

const ParameterTable::FixedColumns& ParameterTable::fixedColumns()
{
    static const FixedColumns fixed = [] {
        FixedColumns f;
        auto& rows = f.rows;
        auto& labels = f.labels;
        rows.reserve (numSlots);
        labels.ensureStorageAllocated (numSlots);

        for (int c = 0; c < 16; ++c)
            for (int k = 0; k < rowsPerChannel; ++k)
            {
                const auto& d = programRows[k];
                rows.push_back ({ k, d.kind, 0, displayProgramRow, c, d.min, d.max, 0, d.descriptionCode });
                labels.add (d.labelCode);
            }

        for (int c = 0; c < 16; ++c)
            for (int n = 0; n < controllersPerChannel; ++n)
            {
                rows.push_back ({ n, kindController, n, displayController, c, 0, 127, 0, 0 });
                labels.add ({});
            }

        for (int g = 0; g < numSlots - firstGlobalSlot; ++g)
        {
            const auto& d = globalSlots[g];
            rows.push_back ({ g, d.kind, globalControllerColumn, displayGlobal, 0, d.min, d.max, d.initial, d.descriptionCode });
            labels.add (d.labelCode);
        }

        jassert ((int) rows.size() == numSlots);
        return f;
    }();
    return fixed;
}

ParameterTable::ParameterTable()
    : rows (fixedColumns().rows),
      values (new std::atomic<int>[numSlots]),
      labels (fixedColumns().labels)
{
    resetToDefaults();
}

void ParameterTable::resetToDefaults()
{
    // Relaxed, as every reader loads them (an ordered store is a locked exchange on
    // x86, and every open makes 2314 of them).
    for (int s = 0; s < numSlots; ++s)
        values[s].store (rows[(size_t) s].initial, std::memory_order_relaxed);
}

int ParameterTable::subIndex (int s) const noexcept { return isValid (s) ? rows[(size_t) s].subIndex : 0; }
int ParameterTable::kind (int s) const noexcept { return isValid (s) ? rows[(size_t) s].kind : 0; }
int ParameterTable::controller (int s) const noexcept { return isValid (s) ? rows[(size_t) s].controller : 0; }
int ParameterTable::displayKind (int s) const noexcept { return isValid (s) ? rows[(size_t) s].displayKind : 0; }
int ParameterTable::channel (int s) const noexcept { return isValid (s) ? rows[(size_t) s].channel : 0; }
int ParameterTable::minimum (int s) const noexcept { return isValid (s) ? rows[(size_t) s].min : 0; }
int ParameterTable::maximum (int s) const noexcept { return isValid (s) ? rows[(size_t) s].max : 0; }
int ParameterTable::descriptionCode (int s) const noexcept { return isValid (s) ? rows[(size_t) s].descriptionCode : 0; }
int ParameterTable::value (int s) const noexcept { return isValid (s) ? values[s].load (std::memory_order_relaxed) : 0; }

juce::String ParameterTable::labelCode (int s) const
{
    if (! isValid (s))
        return {};
    std::lock_guard<std::mutex> g (labelLock);
    return labels[s];
}

void ParameterTable::setValue (int s, int v) noexcept
{
    if (isValid (s) && values[s].exchange (v, std::memory_order_relaxed) != v)
        changeCount.fetch_add (1, std::memory_order_relaxed);
}

int ParameterTable::holdable (int s, int v) const noexcept
{
    if (! isValid (s))
        return 0;
    constexpr int highestNumber = 8191;
    constexpr int highestBankHalf = highestNumber / 128;
    if (s == multiSlot)
        return juce::jlimit (1, highestNumber, v);
    // A mode the instrument does not know is program mode, never multi mode.
    constexpr int programMode = 1, multiMode = 2;
    if (s == playingModeSlot)
        return v == multiMode ? multiMode : programMode;
    if (s == multiBankSlot || (displayKind (s) == displayProgramRow && subIndex (s) == programBankRow))
        return juce::jlimit (0, highestBankHalf, v);
    return juce::jlimit (minimum (s), maximum (s), v);
}

void ParameterTable::setLabelCode (int s, const juce::String& code)
{
    if (! isValid (s))
        return;
    std::lock_guard<std::mutex> g (labelLock);
    labels.set (s, code);
}

float ParameterTable::normalised (int s) const noexcept
{
    const int lo = minimum (s), hi = maximum (s);
    if (hi == lo)
        return 0.0f;
    return (float) (value (s) - lo) / (float) (hi - lo);
}

int ParameterTable::fromNormalised (int s, float x) const noexcept
{
    const int lo = minimum (s), hi = maximum (s);
    // A host may hand in anything; values outside 0..1 never leave the slot's range.
    x = juce::jlimit (0.0f, 1.0f, std::isnan (x) ? 0.0f : x);
    // std::nearbyint rounds half to even in the default rounding mode.
    return lo + (int) std::nearbyint ((double) (hi - lo) * (double) x);
}

} // namespace zd8

#include "model/ValueScales.h"

#include "model/TextTable.h"
#include "model/ValueText.h"

#include <cmath>
#include <cstdint>

namespace zd8
{

namespace
{
    constexpr int lastTimeStep = 255;

    // Piecewise-linear steps: values first..last give (scale * v + offset).
    struct Step
    {
        int first, last;
        int64_t scale, offset;
    };

    template <size_t N>
    const Step* findStep (const Step (&steps)[N], int v) noexcept
    {
        for (auto& s : steps)
            if (v >= s.first && v <= s.last)
                return &s;
        return nullptr;
    }

    // The instrument's tuning knob moves in coarser steps away from the centre.
    constexpr Step centSteps[] = {
        { -123, -119, 500, 500 * 123 - 7200 },
        { -118, -118, 0, -5300 },
        { -117, -77, 100, 100 * 67 },
        { -76, -65, 50, 50 * 57 },
        { -64, -55, 20, 20 * 45 },
        { -54, -45, 10, 10 * 35 },
        { -44, -35, 5, 5 * 25 },
        { -34, -20, 2, 20 },
        { -19, 19, 1, 0 },
        { 20, 34, 2, -18 },
        { 35, 45, 5, -5 * 24 },
        { 46, 55, 10, -10 * 35 },
        { 56, 65, 20, -20 * 45 },
        { 66, 77, 50, -50 * 57 },
        { 78, 117, 100, -100 * 67 },
        { 118, 118, 0, 5300 },
        { 119, 121, 500, -500 * 108 },
        { 122, 122, 0, 6700 },
        { 123, 123, 0, 7200 },
    };

    // Rates in tenths of a key per second. The first step is open downwards.
    constexpr Step keyRateSteps[] = {
        { INT32_MIN, 20, 2, 10 },
        { 21, 22, 3, 50 - 3 * 20 },
        { 23, 31, 5, 60 - 5 * 23 },
        { 32, 47, 10, 100 - 10 * 31 },
        { 48, 59, 20, 260 - 20 * 47 },
        { 60, 61, 30, 530 - 30 * 60 },
        { 62, 70, 50, 600 - 50 * 62 },
        { 71, 86, 100, 1000 - 100 * 70 },
        { 87, 98, 200, 2800 - 200 * 87 },
        { 99, 100, 300, 5300 - 300 * 99 },
        { 101, 109, 500, 6000 - 500 * 101 },
        { 110, 125, 1000, 11000 - 1000 * 110 },
        { 126, 127, 2000, 28000 - 2000 * 126 },
    };

    // Release time in milliseconds; the first step is open downwards.
    constexpr Step longTimeSteps[] = {
        { INT32_MIN, 59, 1, 0 },
        { 60, 102, 2, -60 },
        { 103, 174, 5, -375 },
        { 175, 224, 10, -1250 },
        { 225, 244, 50, -10250 },
        { 245, 255, 100, -22500 },
    };

    // Ratio in tenths.
    constexpr Step ratioSteps[] = {
        { 0, 39, 1, 10 },
        { 40, 64, 2, 50 - 2 * 40 },
        { 65, 84, 5, 100 - 5 * 65 },
    };

    constexpr const char* ratioTops[] = { "20.0:1", "30.0:1", "50.0:1", "100.0:1", "INF" };
    constexpr int firstRatioTop = 85;

    constexpr const char* shortSeconds[] = {
        "0.010", "0.010", "0.011", "0.013", "0.014", "0.015", "0.015", "0.016", "0.018",
        "0.019", "0.020", "0.021", "0.024", "0.025", "0.028", "0.030", "0.031", "0.034",
        "0.035", "0.038", "0.040", "0.041", "0.044", "0.045", "0.048",
    };

    // Seconds beyond the list: units of 10^-decimals.
    struct SecondsStep
    {
        Step step;
        int decimals;
    };

    constexpr SecondsStep secondsSteps[] = {
        { { 25, 34, 5, 50 - 5 * 25 }, 3 },
        { { 35, 44, 1, 10 - 35 }, 2 },
        { { 45, 59, 2, 20 - 2 * 45 }, 2 },
        { { 60, 151, 5, 50 - 5 * 60 }, 2 },
    };

    constexpr const char* noteNames[] = { "C", "C#", "D", "D#", "E", "F", "F#", "G", "G#", "A", "A#", "B" };
    constexpr const char* spacedNoteNames[] = { "C ", "C# ", "D ", "D# ", "E ", "F ", "F# ", "G ", "G# ", "A ", "A# ", "B " };

    juce::String note (int v, const char* const (&names)[12])
    {
        // Octave by truncating division, as the instrument counts: a negative value
        // has no name, only that octave number.
        const auto octave = int64_t (v / 12) - 1;
        ValueText t;
        if (v >= 0)
            t.text (names[v % 12]);
        return t.number (octave).toString();
    }

    constexpr int frequencyLow = -20;
    constexpr int frequencyTop = 127;
    constexpr int concertA = 57; // the note number of 440 Hz on this scale
}

juce::String ValueScales::cents (int v)
{
    if (auto* s = findStep (centSteps, v))
        return ValueText::ofNumber (s->scale * v + s->offset, " ct");
    return {};
}

juce::String ValueScales::keysPerSecond (int v)
{
    if (auto* s = findStep (keyRateSteps, v))
        return ValueText().fixed (s->scale * v + s->offset, 1).text (" Key/s").toString();
    return {};
}

juce::String ValueScales::noteName (int v)
{
    return note (v, noteNames);
}

juce::String ValueScales::spacedNoteName (int v)
{
    return note (v, spacedNoteNames);
}

juce::String ValueScales::onOff (int v)
{
    return v != 0 ? "ON" : "OFF";
}

juce::String ValueScales::sendPoint (int v)
{
    static constexpr const char* points[] = { "PRG", "POST", "PRE" };
    if (auto* t = listText (points, v))
        return t;
    return {};
}

juce::String ValueScales::level (int v)
{
    constexpr int off = -128;
    if (v == off)
        return "OFF";
    // Below -95 the instrument steps in whole decibels, above in half decibels.
    const int64_t tenths = (v >= -127 && v <= -96) ? 10 * (int64_t (v) + 48) : 5 * int64_t (v);
    return ValueText().fixed (tenths, 1).text (" dB").toString();
}

juce::String ValueScales::shortTime (int v)
{
    ValueText t;
    if (v >= 0 && v <= 99)
        t.shortDecimal (v, 1);
    else if (v >= 100 && v <= 189)
        t.number (v - 90);
    else if (v >= 190 && v <= lastTimeStep)
        t.number (2 * v - 280);
    else
        return {};
    return t.text (" mS").toString();
}

juce::String ValueScales::longTime (int v)
{
    if (auto* s = findStep (longTimeSteps, v))
        return ValueText::ofNumber (s->scale * v + s->offset, " mS");
    return {};
}

juce::String ValueScales::frequency (int v)
{
    int64_t hz = 0;
    if (v >= 0 && v <= frequencyTop)
        hz = (int64_t) std::floor (440.0 * std::pow (2.0, (v - concertA) / 12.0) + 0.5);
    else if (v == -2)
        hz = 14;
    else if (v == -1)
        hz = 15;
    else if (v >= frequencyLow && v <= -3)
        hz = 8;
    return ValueText::ofNumber (hz, " Hz");
}

juce::String ValueScales::ratio (int v)
{
    if (auto* s = findStep (ratioSteps, v))
        return ValueText().shortDecimal (s->scale * v + s->offset, 1).text (":1").toString();
    if (v >= firstRatioTop)
        if (auto* t = listText (ratioTops, v - firstRatioTop))
            return t;
    return {};
}

juce::String ValueScales::seconds (int v)
{
    if (auto* t = listText (shortSeconds, v))
        return t;
    for (auto& s : secondsSteps)
        if (v >= s.step.first && v <= s.step.last)
            return ValueText().fixed (s.step.scale * v + s.step.offset, s.decimals).toString();
    return {};
}

} // namespace zd8

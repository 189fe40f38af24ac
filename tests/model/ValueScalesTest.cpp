#include "model/ValueScales.h"

#include <gtest/gtest.h>

#include <climits>
#include <functional>

using namespace zd8;

namespace
{
    struct Case
    {
        int value;
        juce::String text;
    };

    void expectAll (const char* scale, const std::function<juce::String (int)>& f, const std::vector<Case>& cases)
    {
        for (const auto& c : cases)
            EXPECT_EQ (f (c.value), c.text) << scale << " " << c.value;
    }

    // The number at the start of a scale text ("-5300 ct" -> -5300).
    double leadingNumber (const juce::String& s)
    {
        return s.getDoubleValue();
    }
}

TEST (ValueScales, CentsAtEveryStepBoundary)
{
    expectAll ("cents", ValueScales::cents, {
        { -124, "" }, { -123, "-7200 ct" }, { -122, "-6700 ct" }, { -119, "-5200 ct" }, { -118, "-5300 ct" },
        { -117, "-5000 ct" }, { -77, "-1000 ct" }, { -76, "-950 ct" }, { -65, "-400 ct" },
        { -64, "-380 ct" }, { -55, "-200 ct" }, { -54, "-190 ct" }, { -45, "-100 ct" },
        { -44, "-95 ct" }, { -35, "-50 ct" }, { -34, "-48 ct" }, { -20, "-20 ct" },
        { -19, "-19 ct" }, { 0, "0 ct" }, { 19, "19 ct" }, { 20, "22 ct" }, { 34, "50 ct" },
        { 35, "55 ct" }, { 45, "105 ct" }, { 46, "110 ct" }, { 55, "200 ct" }, { 56, "220 ct" },
        { 65, "400 ct" }, { 66, "450 ct" }, { 77, "1000 ct" }, { 78, "1100 ct" }, { 117, "5000 ct" },
        { 118, "5300 ct" }, { 119, "5500 ct" }, { 120, "6000 ct" }, { 121, "6500 ct" }, { 122, "6700 ct" },
        { 123, "7200 ct" }, { 124, "" }, { INT_MIN, "" }, { INT_MAX, "" },
    });
}

TEST (ValueScales, CentsRiseWithTheValueExceptTheInstrumentsOwnDipAtMinus118)
{
    for (int v = -122; v <= 123; ++v)
    {
        if (v == -118)
            continue; // -119 gives -5200, -118 gives -5300: as the instrument shows them
        EXPECT_LT (leadingNumber (ValueScales::cents (v - 1)), leadingNumber (ValueScales::cents (v))) << v;
    }
}

TEST (ValueScales, KeysPerSecondAtEveryStepBoundary)
{
    expectAll ("keys/s", ValueScales::keysPerSecond, {
        { 0, "1.0 Key/s" }, { 1, "1.2 Key/s" }, { 20, "5.0 Key/s" }, { 21, "5.3 Key/s" }, { 22, "5.6 Key/s" },
        { 23, "6.0 Key/s" }, { 31, "10.0 Key/s" }, { 32, "11.0 Key/s" }, { 47, "26.0 Key/s" },
        { 48, "28.0 Key/s" }, { 59, "50.0 Key/s" }, { 60, "53.0 Key/s" }, { 61, "56.0 Key/s" },
        { 62, "60.0 Key/s" }, { 70, "100.0 Key/s" }, { 71, "110.0 Key/s" }, { 86, "260.0 Key/s" },
        { 87, "280.0 Key/s" }, { 98, "500.0 Key/s" }, { 99, "530.0 Key/s" }, { 100, "560.0 Key/s" },
        { 101, "600.0 Key/s" }, { 109, "1000.0 Key/s" }, { 110, "1100.0 Key/s" }, { 125, "2600.0 Key/s" },
        { 126, "2800.0 Key/s" }, { 127, "3000.0 Key/s" }, { 128, "" }, { INT_MAX, "" },
        // "up to 20" is open downwards: small negatives and the extreme stay exact.
        { -1, "0.8 Key/s" }, { -5, "0.0 Key/s" }, { -6, "-0.2 Key/s" }, { -10, "-1.0 Key/s" },
        { INT_MIN, "-429496728.6 Key/s" },
    });
}

TEST (ValueScales, KeysPerSecondRiseStrictlyUpTo127)
{
    for (int v = -3; v <= 127; ++v)
        EXPECT_LT (leadingNumber (ValueScales::keysPerSecond (v - 1)), leadingNumber (ValueScales::keysPerSecond (v))) << v;
}

TEST (ValueScales, NoteNamesAndOctaves)
{
    expectAll ("note", ValueScales::noteName, {
        { 0, "C-1" }, { 1, "C#-1" }, { 11, "B-1" }, { 12, "C0" }, { 59, "B3" }, { 60, "C4" }, { 61, "C#4" },
        { 69, "A4" }, { 127, "G9" }, { 128, "G#9" },
        // Negative values: the octave by truncating division, without a name.
        { -1, "-1" }, { -11, "-1" }, { -12, "-2" }, { -13, "-2" },
        { INT_MAX, "G178956969" }, { INT_MIN, "-178956971" },
    });
    expectAll ("spaced note", ValueScales::spacedNoteName, {
        { 60, "C 4" }, { 61, "C# 4" }, { 0, "C -1" }, { 127, "G 9" }, { -1, "-1" },
    });
}

TEST (ValueScales, SmallEnumerations)
{
    expectAll ("on/off", ValueScales::onOff, { { 0, "OFF" }, { 1, "ON" }, { -1, "ON" }, { INT_MIN, "ON" } });
    expectAll ("send point", ValueScales::sendPoint, {
        { 0, "PRG" }, { 1, "POST" }, { 2, "PRE" }, { 3, "" }, { -1, "" }, { INT_MIN, "" }, { INT_MAX, "" },
    });
}

TEST (ValueScales, LevelInWholeAndHalfDecibels)
{
    expectAll ("level", ValueScales::level, {
        { -128, "OFF" }, { -127, "-79.0 dB" }, { -100, "-52.0 dB" }, { -96, "-48.0 dB" }, { -95, "-47.5 dB" },
        { -1, "-0.5 dB" }, { 0, "0.0 dB" }, { 1, "0.5 dB" }, { 24, "12.0 dB" }, { -129, "-64.5 dB" },
        { INT_MAX, "1073741823.5 dB" }, { INT_MIN, "-1073741824.0 dB" },
    });
}

TEST (ValueScales, ShortAndLongTimes)
{
    expectAll ("short time", ValueScales::shortTime, {
        { -1, "" }, { 0, "0 mS" }, { 1, "0.1 mS" }, { 5, "0.5 mS" }, { 10, "1 mS" }, { 99, "9.9 mS" },
        { 100, "10 mS" }, { 189, "99 mS" }, { 190, "100 mS" }, { 255, "230 mS" }, { 256, "" },
        { INT_MIN, "" }, { INT_MAX, "" },
    });
    expectAll ("long time", ValueScales::longTime, {
        { INT_MIN, "-2147483648 mS" }, { -1, "-1 mS" }, { 0, "0 mS" }, { 59, "59 mS" }, { 60, "60 mS" },
        { 102, "144 mS" }, { 103, "140 mS" }, { 174, "495 mS" }, { 175, "500 mS" }, { 224, "990 mS" },
        { 225, "1000 mS" }, { 244, "1950 mS" }, { 245, "2000 mS" }, { 255, "3000 mS" }, { 256, "" },
        { INT_MAX, "" },
    });
}

TEST (ValueScales, FrequencyRoundsHalvesUp)
{
    expectAll ("frequency", ValueScales::frequency, {
        { -21, "0 Hz" }, { -20, "8 Hz" }, { -3, "8 Hz" }, { -2, "14 Hz" }, { -1, "15 Hz" },
        { 0, "16 Hz" }, { 9, "28 Hz" }, { 45, "220 Hz" }, { 57, "440 Hz" }, { 58, "466 Hz" },
        { 127, "25088 Hz" }, { 128, "0 Hz" }, { INT_MIN, "0 Hz" }, { INT_MAX, "0 Hz" },
    });
}

TEST (ValueScales, RatioWrittenShort)
{
    expectAll ("ratio", ValueScales::ratio, {
        { -1, "" }, { 0, "1:1" }, { 1, "1.1:1" }, { 10, "2:1" }, { 39, "4.9:1" }, { 40, "5:1" }, { 41, "5.2:1" },
        { 64, "9.8:1" }, { 65, "10:1" }, { 66, "10.5:1" }, { 84, "19.5:1" }, { 85, "20.0:1" }, { 86, "30.0:1" },
        { 87, "50.0:1" }, { 88, "100.0:1" }, { 89, "INF" }, { 90, "" }, { INT_MIN, "" }, { INT_MAX, "" },
    });
}

TEST (ValueScales, SecondsKeepTheirDecimals)
{
    expectAll ("seconds", ValueScales::seconds, {
        { -1, "" }, { 0, "0.010" }, { 1, "0.010" }, { 2, "0.011" }, { 12, "0.024" }, { 24, "0.048" },
        { 25, "0.050" }, { 26, "0.055" }, { 34, "0.095" }, { 35, "0.10" }, { 44, "0.19" }, { 45, "0.20" },
        { 59, "0.48" }, { 60, "0.50" }, { 61, "0.55" }, { 151, "5.05" }, { 152, "" },
        { INT_MIN, "" }, { INT_MAX, "" },
    });
}

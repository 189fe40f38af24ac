#include "model/ValueLists.h"

#include <gtest/gtest.h>

#include <climits>

using namespace zd8;

TEST (ValueLists, ControllerNames)
{
    struct Case { int value; juce::String text; };
    const std::vector<Case> cases {
        { -1, "NONE" }, { 0, "Bank" }, { 1, "Mod Wheel" }, { 3, "MIDI 3" }, { 7, "Volume" }, { 9, "MIDI 9" },
        { 32, "Bank MSB" }, { 33, "MIDI 33" }, { 65, "MIDI 65" }, { 66, "Sostenut" }, { 84, "Portamento" },
        { 92, "MIDI 92" }, { 127, "Mono OFF" }, { 128, "Pitch" }, { 139, "Multi Incr" }, { 141, "Multi GoTo" },
        { 163, "Unused" }, { 167, "Unused" }, { 168, "Tap Tempo" }, { 178, "Shift Key Num+Vel" },
        { 181, "ChIntKey" }, { 182, "" }, { 1000, "" }, { INT_MAX, "" },
        // Below -1 the number is shown as a MIDI controller, sign and all.
        { -2, "MIDI -2" }, { INT_MIN, "MIDI -2147483648" },
    };
    for (const auto& c : cases)
        EXPECT_EQ (ValueLists::controllerName (c.value), c.text) << c.value;

    // Every value up to the last function has some text; unnamed ones only below 128.
    for (int v = -1; v <= 181; ++v)
    {
        const auto t = ValueLists::controllerName (v);
        EXPECT_TRUE (t.isNotEmpty()) << v;
        if (v > 127)
        {
            EXPECT_FALSE (t.startsWith ("MIDI ")) << v;
        }
    }
}

TEST (ValueLists, ControlSourceNames)
{
    struct Case { int value; juce::String text; };
    const std::vector<Case> cases {
        { -1, "OFF" }, { 0, "OFF" }, { 1, "Mod Wheel" }, { 3, "MIDI 3" }, { 9, "MIDI 9" }, { 12, "MIDI 12" },
        { 15, "MIDI 15" }, { 16, "Control A" }, { 20, "MIDI 20" }, { 31, "MIDI 31" }, { 32, "Chan St" },
        { 37, "AbsPw1" }, { 38, "MIDI 38" }, { 42, "MIDI 42" }, { 43, "Vol Ctl" }, { 69, "Frez Pd" },
        { 70, "MIDI 70" }, { 79, "MIDI 79" }, { 80, "Control E" }, { 84, "MIDI 84" }, { 90, "MIDI 90" },
        { 91, "FX Depth" }, { 92, "MIDI 92" }, { 95, "MIDI 95" }, { 96, "Note St" }, { 127, "ON" },
        { 128, "-ON" }, { 132, "GHiKey" }, { 133, "" }, { 200, "" }, { 251, "" }, { 252, "Roll Off" },
        { 254, "Slider 9 + Sw 9" }, { 255, "Soft Pd+ MW" }, { 256, "" }, { INT_MAX, "" },
        { -2, "MIDI -2" }, { INT_MIN, "MIDI -2147483648" },
    };
    for (const auto& c : cases)
        EXPECT_EQ (ValueLists::controlSourceName (c.value), c.text) << c.value;
}

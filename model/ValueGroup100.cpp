#include "model/ValueGroup100.h"

#include "model/ValueLists.h"
#include "model/ValueScales.h"
#include "model/ValueText.h"

#include <cstdint>

namespace zd8
{

namespace
{
    // Levels stored with 0 dB at 96.
    constexpr int64_t unityLevel = 96;

    juce::String levelFromUnity (int v)
    {
        return ValueText::ofNumber (int64_t (v) - unityLevel, " dB");
    }
}

juce::String ValueGroup100::format (int code, int v)
{
    switch (code)
    {
        case 103: return ValueScales::keysPerSecond (v);
        case 104: return ValueScales::cents (v);
        case 105: return ValueLists::controllerName (v);
        case 106:
            if (v == 0) return "Fixed";
            if (v == 1) return "+MIDI";
            return ValueScales::keysPerSecond (v);
        case 107: // pan
            if (v == 0) return "< 0 >";
            if (v > 0) return ValueText::ofText ("R: ", v);
            return ValueText::ofText ("L: ", -int64_t (v));
        case 108: return ValueText::ofNumber (v, " dB");
        case 109:
            if (v == 0) return "OFF";
            if (v == 1) return "Bris 1";
            if (v == 2) return "Bris 2";
            return ValueText::ofNumber (v, " dB");
        case 112: case 117: case 123: case 124: case 125: case 127:
            return {};
        case 118: case 119:
            return v == 0 ? juce::String ("OFF") : levelFromUnity (v);
        case 120: return v == 0 ? "Pre" : "Post";
        case 121: return v == 0 ? "A" : "B";
        case 122: return ValueScales::onOff (v);
        case 126:
            if (v == 0) return "dB";
            if (v == 1) return "%";
            return levelFromUnity (v);
        case 130:
            if (v < 0) return "Current";
            if (v == 0) return "Auto";
            return ValueText::ofText ("Channel ", v);
        case 131:
            if (v < 0) return "Switch";
            if (v == 0) return "Arp";
            if (v == 1) return "CC Sequencer";
            if (v == 2) return "Note/Chords";
            return ValueText::ofNumber (int64_t (v) - 1);
        case 132: return v < 0 ? juce::String ("None") : ValueScales::spacedNoteName (v);
        case 134: return v == 0 ? "Off" : "On";
        case 135:
            if (v < 0) return "Per Note";
            if (v == 0) return "Auto";
            return ValueText::ofNumber (v);
        default:
            return ValueText::ofNumber (v);
    }
}

} // namespace zd8

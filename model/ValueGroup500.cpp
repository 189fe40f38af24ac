#include "model/ValueGroup500.h"

#include "model/TextTable.h"
#include "model/ValueScales.h"
#include "model/ValueText.h"

namespace zd8
{

namespace
{
    constexpr const char* arpModes[] = {
        "Keys", "Overplay", "Arpeg", "Add", "Auto", "Pedals", "AutoHold", "1NoteAuto", "1NoteAutoLow", "1NoteAutoHi",
    };
    constexpr const char* noteOrders[] = {
        "Played", "Upwards", "Downwards", "UpDown", "UpDown Repeat", "Random", "Shuffle", "Walking", "Simultaneous",
    };
    constexpr const char* shiftModes[] = {
        "Stop", "Reset", "Unipolar", "Bipolar", "Float Reset", "Float Unipolar", "Float Bipolar",
    };
    constexpr const char* algorithmOrPattern[] = { "Alg", "Pattern" };
    constexpr const char* velocitySources[] = {
        "First", "Played", "Last", "Aftertouch", "MIDI 109", "Fixed", "Pattern",
        "Human1", "Human2", "Human3", "Human4", "Chimp1", "Chimp2", "Chimp3", "Chimp4",
        "MissNotes1", "MissNotes2", "MissNotes3", "MissNotes4", "MissNotes5", "MissNotes6",
        "MissNotes7", "MissNotes8", "MissNotes9",
    };
    constexpr const char* rhythms[] = {
        "NONE", "Long-Short", "Long-2Short", "Long-3Short", "6 Short", "8 Short", "12 Short", "16 Short",
    };
    constexpr TextTable<-1, 1> arpStyles { { { -1, "Off" }, { 0, "Classic" }, { 1, "Step Sequencer" } } };

    // Tempo values below this follow the system tempo (code 515).
    constexpr int lowestOwnTempo = 20;

    template <size_t N>
    juce::String pick (const char* const (&texts)[N], int v)
    {
        if (auto* t = listText (texts, v))
            return t;
        return {};
    }

    juce::String number (int v) { return ValueText::ofNumber (v); }
}

juce::String ValueGroup500::format (int code, int v)
{
    switch (code)
    {
        case 500: return ValueScales::onOff (v);
        case 501: return pick (arpModes, v);
        case 502: return pick (noteOrders, v);
        case 504: return ValueText::ofText ("1/", v);
        case 505:
            if (auto* t = arpStyles.at (v))
                return t;
            return {};
        case 506: return pick (shiftModes, v);
        case 507: return v == 0 ? "Fixed" : "Pattern";
        case 508: return pick (algorithmOrPattern, v);
        case 509: return ValueText::ofNumber (v, "%");
        case 511: return pick (velocitySources, v);
        case 512: return ValueText::ofNumber (v, " ST");
        case 513:
            if (v == -1) return "NONE";
            if (auto* t = listText (rhythms, v))
                return t;
            return number (v);
        case 515: return v >= lowestOwnTempo ? ValueText::ofNumber (v, " bpm") : juce::String ("System");
        case 516: // hundredths after the point
            return ValueText().text (v > 9 ? "." : ".0").number (v).toString();
        case 518: return v < 0 ? juce::String ("NONE") : ValueScales::noteName (v);
        case 519:
            if (v == 0 || v == 1) return "NONE";
            if (v == 2) return "Any Beat";
            return number (v);
        default: // 503, 510, 514, 517, 520..599
            return number (v);
    }
}

} // namespace zd8

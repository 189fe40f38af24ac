#include "model/ParameterLabels.h"

namespace zd8
{

namespace
{
    struct Label
    {
        int code;
        const char* text;
    };

    constexpr Label programRowLabels[] = {
        { 200, "Insert" }, { 201, "Insert Out" }, { 202, "FX Alloc" }, { 203, "AUX 1 FXC" },
        { 204, "Aux 1 Level" }, { 205, "AUX 1 Out" }, { 206, "AUX 2 FXC" }, { 207, "Aux 2 Level" },
        { 208, "AUX 2 Out" }, { 209, "Pan" }, { 210, "Level" }, { 211, "Program" }, { 212, "Solo" },
        { 213, "Mute" }, { 215, "Program Bank" }, { 216, "RFU" }, { 217, "Program No." },
    };

    constexpr Label globalLabels[] = {
        { 400, "Playing Mode" }, { 401, "Multi" }, { 402, "AUX 1 Override" }, { 403, "AUX 1 Ovr On/Off" },
        { 404, "AUX 1 Ovr Mod" }, { 405, "AUX 2 Override" }, { 406, "AUX 2 Ovr On/Off" },
        { 407, "AUX 2 Ovr Mod" }, { 408, "Multi Prog No" }, { 409, "Multi Bank No" }, { 410, "RFU Multi" },
    };

    template <size_t N>
    const char* find (const Label (&table)[N], int code)
    {
        for (auto& l : table)
            if (l.code == code)
                return l.text;
        return nullptr;
    }
}

juce::String ParameterLabels::programRowLabel (int code)
{
    if (auto* t = find (programRowLabels, code))
        return t;
    return "Index " + juce::String (code);
}

juce::String ParameterLabels::globalLabel (int code)
{
    if (auto* t = find (globalLabels, code))
        return t;
    return {};
}

} // namespace zd8

#include "model/ProgramNames.h"

namespace zd8
{

namespace
{
    struct PanelController
    {
        int number;
        const char* name;
    };

    // The instrument names two controller numbers (69 and 83) "SWITCH 4".
    constexpr PanelController panelControllers[] = {
        { 1, "MOD WHEEL" },   { 2, "BREATH" },      { 3, "KNOB 8" },      { 4, "CC PEDAL 2" },
        { 9, "KNOB 9" },      { 11, "CC PEDAL 1" }, { 12, "SLIDER 1" },   { 13, "SLIDER 2" },
        { 14, "KNOB 5" },     { 17, "KNOB 6" },     { 18, "KNOB 7" },     { 22, "SLIDER 3" },
        { 23, "SLIDER 4" },   { 24, "SLIDER 5" },   { 25, "SLIDER 6" },   { 26, "SLIDER 7" },
        { 27, "SLIDER 8" },   { 28, "SLIDER 9" },   { 29, "VARIATION" },  { 64, "SW.PEDAL 1a" },
        { 66, "SW.PEDAL 2a" }, { 67, "SW.PEDAL 2b" }, { 69, "SWITCH 4" },  { 71, "KNOB 1" },
        { 72, "KNOB 3" },     { 73, "KNOB 2" },     { 79, "KNOB 4" },     { 80, "SWITCH 1" },
        { 81, "SWITCH 2" },   { 82, "SWITCH 3" },   { 83, "SWITCH 4" },   { 85, "SWITCH 5" },
        { 86, "SWITCH 6" },   { 87, "SWITCH 7" },   { 89, "SWITCH 8" },   { 90, "SWITCH 9" },
    };

    const char* panelName (int controller) noexcept
    {
        for (const auto& c : panelControllers)
            if (c.number == controller)
                return c.name;
        return nullptr;
    }

    constexpr const char* subSystemNames[] = { "Global", "Synth", "Aux 1", "Aux 2", "Prg Insert" };
}

juce::String ProgramNames::controllerName (int controller)
{
    if (auto* name = panelName (controller))
        return name;
    if (controller == controllerDescription)
        return "Description";
    if (controller < 0)
        return "NONE";
    if (controller < controllerDescription)
        return "CONTROLLER #" + juce::String (controller);
    return "CC# " + juce::String (controller);
}

juce::String ProgramNames::subSystemName (int subSystem)
{
    if (subSystem >= subSystemGlobal && subSystem <= subSystemPrgInsert)
        return subSystemNames[subSystem];
    if (subSystem >= subSystemFirstLayerInsert && subSystem <= subSystemLastLayerInsert)
        return "Layer Insert " + juce::String (subSystem - subSystemFirstLayerInsert + 1);
    return {};
}

bool ProgramNames::hasPanelName (int controller)
{
    return panelName (controller) != nullptr;
}

} // namespace zd8

#pragma once

#include <juce_core/juce_core.h>

namespace zd8
{

/** The texts a program's controller assignments are shown with: the names of the
    instrument's front-panel controllers by MIDI controller number, and the names of the
    sub-systems an assignment can address. */
class ProgramNames
{
public:
    // Sub-system values of an assignment.
    static constexpr int subSystemGlobal = 0;
    static constexpr int subSystemSynth = 1;
    static constexpr int subSystemAux1 = 2;
    static constexpr int subSystemAux2 = 3;
    static constexpr int subSystemPrgInsert = 4;
    static constexpr int subSystemFirstLayerInsert = 5;
    static constexpr int subSystemLastLayerInsert = 12;

    /** The controller number that stands for the parameter's description rather than a
        controller. */
    static constexpr int controllerDescription = 128;

    /** Name of controller c: a front-panel name, "Description" for 128, "NONE" when
        negative, "CONTROLLER #" + c for other numbers up to 127, "CC# " + c above 128. */
    static juce::String controllerName (int controller);

    /** "Global", "Synth", "Aux 1", "Aux 2", "Prg Insert", "Layer Insert 1".."Layer Insert 8"
        for 0..12; empty text for any other value. */
    static juce::String subSystemName (int subSystem);

    /** True when the controller has a front-panel name (the numbers our factory programs
        assign). */
    static bool hasPanelName (int controller);
};

} // namespace zd8

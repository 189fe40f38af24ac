#include "editor/pages/PanelControllers.h"

#include "model/ParameterTable.h"

namespace zd8
{

namespace
{
    // MIDI controller numbers the instrument's panel sends, left to right.
    constexpr int sliderControllers[PanelControllers::columns] = { 12, 13, 22, 23, 24, 25, 26, 27, 28 };
    constexpr int knobControllers[PanelControllers::columns] = { 71, 73, 72, 79, 14, 17, 18, 3, 9 };
    constexpr int buttonControllers[PanelControllers::columns] = { 80, 81, 82, 83, 85, 86, 87, 89, 90 };
    // Sustain, sostenuto and soft pedal: what the pedal sockets usually carry.
    constexpr int footSwitchControllers[PanelControllers::footSwitches] = { 64, 66, 67 };
}

int PanelControllers::controller (Row row, int i) noexcept
{
    const int count = row == Row::footSwitch ? footSwitches : columns;
    if (i < 0 || i >= count)
        return -1;
    switch (row)
    {
        case Row::slider: return sliderControllers[i];
        case Row::knob: return knobControllers[i];
        case Row::button: return buttonControllers[i];
        case Row::footSwitch: return footSwitchControllers[i];
    }
    return -1;
}

int PanelControllers::slot (Row row, int i, int channel) noexcept
{
    const int c = controller (row, i);
    if (c < 0 || channel < 0 || channel > 15)
        return -1;
    return ParameterTable::controllerSlot (channel, c);
}

std::array<int, PanelControllers::physicalControls> PanelControllers::channelZeroSlots() noexcept
{
    std::array<int, physicalControls> slots {};
    for (int i = 0; i < columns; ++i)
    {
        slots[(size_t) i] = slot (Row::slider, i, 0);
        slots[(size_t) (columns + i)] = slot (Row::knob, i, 0);
        slots[(size_t) (2 * columns + i)] = slot (Row::button, i, 0);
    }
    return slots;
}

int PanelControllers::sliderIndexOfSlot (int s) noexcept
{
    if (s < ParameterTable::firstControllerSlot || s >= ParameterTable::firstGlobalSlot)
        return -1;
    const int controllerNumber = (s - ParameterTable::firstControllerSlot) % ParameterTable::controllersPerChannel;
    for (int i = 0; i < columns; ++i)
        if (sliderControllers[i] == controllerNumber)
            return i;
    return -1;
}

} // namespace zd8

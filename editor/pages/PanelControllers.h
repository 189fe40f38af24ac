#pragma once

#include <array>

namespace zd8
{

/** The instrument's physical front-panel controls and the MIDI controllers they send:
    nine sliders, nine knobs and nine buttons, plus three foot switches. A control's slot
    on channel ch is the controller row 256 + ch * 128 + controller of the parameter
    table. Pure data; any thread. */
class PanelControllers
{
public:
    static constexpr int columns = 9;
    static constexpr int footSwitches = 3;
    static constexpr int physicalControls = 3 * columns;   // sliders, knobs, buttons

    enum class Row
    {
        slider,
        knob,
        button,
        footSwitch
    };

    /** Controller number of control i (0-based) of a row; -1 outside the row. */
    static int controller (Row row, int i) noexcept;

    /** The control's slot on channel 0..15; -1 when the control or channel does not exist. */
    static int slot (Row row, int i, int channel) noexcept;

    /** The channel-0 slots of the 27 physical controls: sliders 1..9, knobs 1..9,
        buttons 1..9. */
    static std::array<int, physicalControls> channelZeroSlots() noexcept;

    /** The slider index 0..8 a slot belongs to on its channel, or -1. */
    static int sliderIndexOfSlot (int slot) noexcept;
};

} // namespace zd8

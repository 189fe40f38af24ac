#include "plugin/PlayingModeSwitch.h"

namespace zd8
{

PlayingModeSwitch::PlayingModeSwitch (TimerFactory& timers, ParameterTable& p, SlotRouter& s, NoticeBoard& n)
    : parameters (p), slots (s), notices (n), blockTimer (timers.createTimer())
{
    blockTimer->onTick = [this]
    {
        inputBlocked = false;
        blockTimer->stop();
    };
}

PlayingModeSwitch::~PlayingModeSwitch()
{
    blockTimer->stop();
}

void PlayingModeSwitch::switchPlayingMode (int mode)
{
    blockTimer->start (mode == SlotRouter::multiMode ? multiModeBlockMs : programModeBlockMs);
    inputBlocked = true;
    playingMode = mode;
    slots.setAndReport (ParameterTable::playingModeSlot, mode);
}

void PlayingModeSwitch::bringInstrumentIntoLine()
{
    // 0 ("not set") is program mode, and so is anything else but multi mode: the
    // instrument is never switched to multi mode by a value it does not know.
    const int mode = parameters.value (ParameterTable::playingModeSlot) == SlotRouter::multiMode ? SlotRouter::multiMode
                                                                                                  : SlotRouter::programMode;

    // The applied record has already stored the mode, and a stored value is never
    // sent again: clear it so that the switch tells the instrument in every case.
    parameters.setValue (ParameterTable::playingModeSlot, 0);
    switchPlayingMode (mode);

    if (mode == SlotRouter::multiMode)
    {
        // The host write rule never sends the multi slot itself; the instrument is told
        // here, or it would keep playing the previous multi.
        const int multi = parameters.value (ParameterTable::multiSlot);
        slots.setFromEditor (ParameterTable::multiSlot, multi, true, true);
        slots.sendSlot (ParameterTable::multiSlot, multi);
    }

    for (int c = 0; c < 16; ++c)
    {
        const int slot = ParameterTable::programSlot (c, ParameterTable::programRow);
        slots.setFromEditor (slot, parameters.value (slot), true, true);
    }

    notices.post (Notice::arrangementRecalled());
}

} // namespace zd8

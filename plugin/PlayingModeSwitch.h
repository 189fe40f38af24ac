#pragma once

#include "link/OneShotTimer.h"
#include "link/TimerFactory.h"
#include "model/ParameterTable.h"
#include "plugin/NoticeBoard.h"
#include "plugin/SlotRouter.h"

#include <atomic>
#include <memory>

namespace zd8
{

/** The playing-mode switch, and bringing the instrument into line with the parameter
    table after an Arrangement was applied to it.

    A switch blocks the instrument's incoming MIDI for a while (programModeBlockMs into
    program mode, multiModeBlockMs into multi mode; a second switch starts the period
    again) and reports the playing-mode slot to the host at once.

    Threads: message thread (the window, the host's program change and chunk recall);
    isInputBlocked is read on the MIDI input thread (atomic); the block ends on a
    message-thread timer. */
class PlayingModeSwitch
{
public:
    static constexpr int programModeBlockMs = 2000;
    static constexpr int multiModeBlockMs = 1000;

    PlayingModeSwitch (TimerFactory& timers, ParameterTable& parameters, SlotRouter& slots, NoticeBoard& notices);
    ~PlayingModeSwitch();

    void switchPlayingMode (int mode);
    bool isInputBlocked() const noexcept { return inputBlocked.load(); }
    int getPlayingMode() const noexcept { return playingMode.load(); }

    /** After an Arrangement was applied to the table: playing mode (0 counts as 1), the
        multi in multi mode, the sixteen channel programs, then the recall notice. */
    void bringInstrumentIntoLine();

private:
    ParameterTable& parameters;
    SlotRouter& slots;
    NoticeBoard& notices;

    std::unique_ptr<OneShotTimer> blockTimer;
    std::atomic<bool> inputBlocked { false };
    std::atomic<int> playingMode { SlotRouter::programMode };

    JUCE_DECLARE_NON_COPYABLE (PlayingModeSwitch)
};

} // namespace zd8

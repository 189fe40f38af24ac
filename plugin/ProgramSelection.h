#pragma once

#include "model/InstrumentImage.h"
#include "model/ParameterTable.h"
#include "plugin/HostReports.h"

#include <array>
#include <atomic>
#include <mutex>
#include <vector>

namespace zd8
{

/** Which program each channel's edit buffer holds, and what follows from it: loading a
    program into the channel's edit buffer and refreshing the channel's program rows
    (FX chains, aux levels, pan, level, program number) from it; decoding the three FX
    chains into the buffer's parameter assignments, which name the channel's controller
    rows and make its four FX parameter lists.

    Threads: the window, the host and the instrument (MIDI input thread) may all select
    at once; a selection or chain reload runs whole, under the selection lock, before
    the next one starts. The FX lists have a lock of their own, so a reader never waits
    for a selection. */
class ProgramSelection
{
public:
    ProgramSelection (InstrumentImage& image, ParameterTable& parameters);

    /** From now on the host hears the rows a selection or chain reload changes (the
        program's levels, sends, chains, its FX parameters' controllers), which it would
        otherwise go on reading as they were. The program's bank and number rows are told
        by the callers that select, through the host write rule. */
    void tellHostThrough (HostReports& reports) noexcept { hostReports = &reports; }

    /** Loads program (bank * 128 + number) into channel slot channel's (0..15) edit
        buffer, unless it holds it already, and refreshes the channel's rows. */
    void selectProgram (int program, int channel);

    /** As selectProgram, also when the buffer holds the program already: the rows take
        the program's own values again, as the instrument does when it loads it. */
    void reloadProgram (int program, int channel);

    /** A value for slot written from the window: when the slot is an FX chain row, the
        channel's chains are decoded again with chain in that row's place. Other slots
        change nothing. */
    void reloadFxChainsForRow (int slot, int chain);

    /** The controller numbers of a channel's FX parameter list (0 program "Synth",
        1 "Prg Insert", 2 "Aux 1", 3 "Aux 2"), rebuilt with every program selection. */
    std::vector<int> getFxParameterList (int channel, int list) const;

private:
    void reloadFxChains (int channel, int insertChain, int aux1Chain, int aux2Chain);
    void rebuildFxParameterLists (int channel);
    /** Stores a refreshed value, and has the host told when it changed. */
    void refresh (int slot, int value);

    InstrumentImage& image;
    ParameterTable& parameters;
    HostReports* hostReports = nullptr;

    std::array<std::atomic<int>, 16> loadedProgram {};

    // A program selection (or FX chain reload) runs whole before the next one starts:
    // the editor, the host and the instrument may all select at once.
    std::recursive_mutex selectionLock;

    // Controller numbers of each channel's four FX parameter lists.
    mutable std::mutex fxListLock;
    std::array<std::array<std::vector<int>, 4>, 16> fxParameterLists;

    JUCE_DECLARE_NON_COPYABLE (ProgramSelection)
};

} // namespace zd8

#pragma once

#include "model/ParameterTable.h"
#include "plugin/HostReports.h"
#include "plugin/LinkSettings.h"
#include "plugin/NoticeBoard.h"
#include "plugin/PlayingModeSwitch.h"
#include "plugin/ProgramSelection.h"
#include "plugin/SlotRouter.h"

#include <atomic>
#include <vector>

namespace zd8
{

/** Brings back a live state a project saved: every slot's value, and the instrument
    brought into line once.

    The table takes the saved values at once, so the host reads them as soon as its
    state call returns. The instrument hears, in this order: the playing mode and the
    multi, the sixteen channel programs (as a recall selects them: only while program
    change by automation is on), then only the values that differ from what those
    programs set (levels, pans, sends, controllers), each behind its channel's program
    select. The host is told of every slot that ends otherwise than it was, after the
    state call; nothing runs the host write rule again.

    When the instrument is known to be in line with the table already (a recall or a
    restore went out since the output opened, e.g. the host set a program just before
    the state), only what differs from the table goes out.

    Threads: message thread (the host's state call). */
class LiveStateRestore
{
public:
    LiveStateRestore (ParameterTable& parameters, ProgramSelection& selection, SlotRouter& slots,
                      PlayingModeSwitch& modeSwitch, HostReports& hostReports, NoticeBoard& notices, LinkSettings& link);

    /** values: one per slot, each one its slot can hold. */
    void restore (const std::vector<int>& values);

    /** A recall has just brought the instrument into line (when its output is open). */
    void noteInstrumentInLine();
    /** The instrument on the output is another one, or nothing is known of it. */
    void forgetInstrumentInLine() noexcept { inLine = false; }

private:
    bool tellsInstrument (int slot) const noexcept;

    ParameterTable& parameters;
    ProgramSelection& selection;
    SlotRouter& slots;
    PlayingModeSwitch& modeSwitch;
    HostReports& hostReports;
    NoticeBoard& notices;
    LinkSettings& link;

    std::atomic<bool> inLine { false };

    JUCE_DECLARE_NON_COPYABLE (LiveStateRestore)
};

} // namespace zd8

#pragma once

#include <juce_core/juce_core.h>

#include <vector>

namespace zd8
{

/** The window's edits as steps that can be taken back and made again. An edit says what
    it changed (kind and target), the value before and the value after; a zone's key
    range carries two values (low, high) each way.

    One step is one gesture of the user's: the edits made while a mouse button is held
    on a control (beginGesture .. endGesture), or, outside a held gesture, the changes of
    one target that follow each other less than gestureGapMs apart (a wheel run, a drag
    whose control does not say when it is held, the two keys of a zone's strip). Within a step
    each target keeps the value it had before the step's first edit and the value after
    its last while its edits follow each other; a target back where it started drops
    out, and a step left empty is no step.
    A new edit drops what could be redone.

    The history only keeps the edits: the owner replays them (through a Replayer) by the
    same road the edit took, so the instrument and the host hear an undo as they heard
    the edit. Before a step is replayed, every one of its targets must still hold what
    the step left there; when another hand (the host, the instrument, a recall) changed
    one since, the history no longer describes what is there and is cleared, and nothing
    is replayed. Message thread only. */
class EditHistory
{
public:
    enum class Kind
    {
        slot,         // a slot written from the window (stored, sent, reported to the host)
        choice,       // a program row chosen from a list (program select, host report)
        reloadedRow,  // a program row the choice beside it reloaded: given back on undo only
        multi,        // the multi chosen (target 0)
        zoneKeys,     // a multi zone's key range (target = zone 0..15; values low, high)
        zoneProgram,  // a multi zone's program (target = zone 0..15)
        assignment,   // a byte of a program's controller assignments (target = its place
                      // past the list's header: assignment * 4 + byte; channel 1..16)
        playingMode   // program or multi mode (target 0)
    };

    struct Edit
    {
        Kind kind = Kind::slot;
        int target = 0;
        int channel = 0;   // MIDI channel 1..16 of a zone edit
        int before[2] = { 0, 0 };
        int after[2] = { 0, 0 };
        /** A multi choice: the zones of the multi edit buffer before it (program, low key,
            high key of each), which the choice's reload dropped and its undo gives back. */
        std::vector<int> zonesBefore;

        bool sameTarget (const Edit& other) const noexcept { return kind == other.kind && target == other.target && channel == other.channel; }
        /** Whether both change the same value: a slot's kinds all change the slot. */
        bool samePlace (const Edit& other) const noexcept
        {
            return sameTarget (other) || (isSlotKind() && other.isSlotKind() && target == other.target);
        }
        bool isSlotKind() const noexcept { return kind == Kind::slot || kind == Kind::choice || kind == Kind::reloadedRow; }
        bool changesNothing() const noexcept { return before[0] == after[0] && before[1] == after[1]; }
    };

    /** Puts the values back, and says whether they are still there. */
    class Replayer
    {
    public:
        virtual ~Replayer() = default;
        /** Whether edit's target holds its after values (or, with before, its before values). */
        virtual bool holds (const Edit& edit, bool before) = 0;
        /** Gives edit's target its before values (or, with before false, its after values). */
        virtual void replay (const Edit& edit, bool before) = 0;
    };

    /** Edits closer together than this, outside a held gesture, make one step. */
    static constexpr double gestureGapMs = 600.0;
    /** The oldest steps go beyond this many. */
    static constexpr int maxSteps = 200;

    /** Adds an edit made at nowMs (milliseconds of any steady clock). */
    void record (const Edit& edit, double nowMs);
    /** Adds edits that one action of the user's made together (a program choice and
        the rows it reloaded): they go into one step. */
    void record (const std::vector<Edit>& edits, double nowMs);

    /** A mouse button went down on a control: the next edit starts a step, and every
        edit until endGesture joins it. */
    void beginGesture();
    /** The button went up: the step is over. */
    void endGesture();
    /** The next edit starts a step of its own. */
    void closeStep() noexcept;

    bool canUndo() const noexcept;
    bool canRedo() const noexcept;
    /** Takes the last step back; false when there was none, or when its targets had
        changed since (then the whole history is cleared). */
    bool undo (Replayer& replayer);
    /** Makes the last step taken back again; false as for undo. */
    bool redo (Replayer& replayer);
    void clear();

    int getNumUndoSteps() const noexcept;
    int getNumRedoSteps() const noexcept { return (int) redoSteps.size(); }

private:
    using Step = std::vector<Edit>;

    void dropEmptyTopStep();
    bool replayTop (std::vector<Step>& from, std::vector<Step>& to, Replayer& replayer, bool back);

    std::vector<Step> undoSteps, redoSteps;
    bool stepOpen = false;
    bool gestureHeld = false;
    double lastEditMs = 0.0;
};

} // namespace zd8

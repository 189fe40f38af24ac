#include "plugin/EditHistory.h"

#include <algorithm>

namespace zd8
{

void EditHistory::record (const Edit& edit, double nowMs)
{
    record (std::vector<Edit> { edit }, nowMs);
}

void EditHistory::record (const std::vector<Edit>& edits, double nowMs)
{
    std::vector<Edit> changes;
    for (const auto& e : edits)
        if (! e.changesNothing())
            changes.push_back (e);
    if (changes.empty())
        return;

    redoSteps.clear();

    // Outside a held gesture only a repeat of the step's last change joins it: a drag
    // or a wheel run on one control, the two keys of one zone.
    const bool repeats = ! undoSteps.empty() && ! undoSteps.back().empty()
                      && undoSteps.back().back().sameTarget (changes.back());
    const bool joins = stepOpen && ! undoSteps.empty()
                    && (gestureHeld || (repeats && nowMs - lastEditMs < gestureGapMs));
    lastEditMs = nowMs;
    stepOpen = true;

    if (! joins)
    {
        dropEmptyTopStep();
        undoSteps.push_back ({});
        if ((int) undoSteps.size() > maxSteps)
            undoSteps.erase (undoSteps.begin());
    }

    auto& step = undoSteps.back();
    for (const auto& edit : changes)
    {
        // Only the step's last edit takes a repeat of its target: after an edit of
        // something else, the step keeps the order the values changed in.
        if (step.empty() || ! step.back().sameTarget (edit))
        {
            step.push_back (edit);
            continue;
        }
        // The edit keeps what was there before the first of its repeats.
        step.back().after[0] = edit.after[0];
        step.back().after[1] = edit.after[1];
        if (step.back().changesNothing())
            step.pop_back();
    }
}

void EditHistory::beginGesture()
{
    closeStep();
    gestureHeld = true;
}

void EditHistory::endGesture()
{
    gestureHeld = false;
    closeStep();
}

void EditHistory::closeStep() noexcept
{
    stepOpen = false;
}

bool EditHistory::canUndo() const noexcept
{
    return getNumUndoSteps() > 0;
}

bool EditHistory::canRedo() const noexcept
{
    return ! redoSteps.empty();
}

int EditHistory::getNumUndoSteps() const noexcept
{
    return (int) std::count_if (undoSteps.begin(), undoSteps.end(), [] (const Step& s) { return ! s.empty(); });
}

void EditHistory::dropEmptyTopStep()
{
    while (! undoSteps.empty() && undoSteps.back().empty())
        undoSteps.pop_back();
}

bool EditHistory::undo (Replayer& replayer)
{
    dropEmptyTopStep();
    return replayTop (undoSteps, redoSteps, replayer, true);
}

bool EditHistory::redo (Replayer& replayer)
{
    return replayTop (redoSteps, undoSteps, replayer, false);
}

bool EditHistory::replayTop (std::vector<Step>& from, std::vector<Step>& to, Replayer& replayer, bool back)
{
    // Whatever comes next is a step of its own, also while a button is still held.
    stepOpen = false;
    gestureHeld = false;
    if (from.empty())
        return false;

    // Each place must hold what the step left there (back: its last edit's after) or
    // found (forward: its first edit's before).
    const auto step = from.back();
    for (size_t i = 0; i < step.size(); ++i)
    {
        bool decides = true;
        for (size_t j = 0; j < step.size(); ++j)
            if ((back ? j > i : j < i) && step[j].samePlace (step[i]))
                decides = false;
        if (decides && ! replayer.holds (step[i], ! back))
        {
            clear();
            return false;
        }
    }

    from.pop_back();
    // Back in the reverse order of the edits, forward in their order: a target that
    // depends on another (a program's rows on the program) ends as the user left it.
    if (back)
        for (auto e = step.rbegin(); e != step.rend(); ++e)
            replayer.replay (*e, true);
    else
        for (const auto& e : step)
            replayer.replay (e, false);
    to.push_back (step);
    return true;
}

void EditHistory::clear()
{
    undoSteps.clear();
    redoSteps.clear();
    stepOpen = false;
}

} // namespace zd8

#include "editor/shell/UndoCommands.h"

#include "plugin/EditorConnection.h"

namespace zd8
{

namespace
{
    // The command key is Ctrl on Windows and Linux, Cmd on the Mac.
    constexpr int command = juce::ModifierKeys::commandModifier;
    constexpr int shift = juce::ModifierKeys::shiftModifier;
}

UndoCommands::UndoCommands (EditorConnection& c, std::function<void()> after)
    : connection (c), afterChange (std::move (after))
{
}

UndoCommands::~UndoCommands()
{
    listenTo (nullptr);
}

bool UndoCommands::isUndoKey (const juce::KeyPress& key)
{
    return key == juce::KeyPress ('z', command, 0);
}

bool UndoCommands::isRedoKey (const juce::KeyPress& key)
{
    return key == juce::KeyPress ('z', command | shift, 0) || key == juce::KeyPress ('y', command, 0);
}

bool UndoCommands::keyPressed (const juce::KeyPress& key)
{
    if (isUndoKey (key))
        undo();
    else if (isRedoKey (key))
        redo();
    else
        return false;
    return true;
}

bool UndoCommands::keyPressed (const juce::KeyPress& key, juce::Component*)
{
    return keyPressed (key);
}

void UndoCommands::undo()
{
    if (connection.undoEdit() && afterChange != nullptr)
        afterChange();
}

void UndoCommands::redo()
{
    if (connection.redoEdit() && afterChange != nullptr)
        afterChange();
}

void UndoCommands::listenTo (juce::Component* top)
{
    if (listenedTo.getComponent() == top)
        return;
    if (auto* old = listenedTo.getComponent())
        old->removeKeyListener (this);
    listenedTo = top;
    if (top != nullptr)
        top->addKeyListener (this);
}

} // namespace zd8

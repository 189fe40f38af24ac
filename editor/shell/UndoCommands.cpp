#include "editor/shell/UndoCommands.h"

#include "editor/pages/ControlsPage.h"
#include "editor/pages/ParameterTablePage.h"
#include "editor/pages/ProgramPage.h"
#include "editor/shell/PageNavigator.h"
#include "plugin/EditorConnection.h"

namespace zd8
{

namespace
{
    // The command key is Ctrl on Windows and Linux, Cmd on the Mac.
    constexpr int command = juce::ModifierKeys::commandModifier;
    constexpr int shift = juce::ModifierKeys::shiftModifier;
}

UndoCommands::UndoCommands (EditorConnection& c, PageNavigator& p, std::function<void()> after)
    : connection (c), pages (p), afterChange (std::move (after))
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
    if (connection.undoEdit())
        showStep();
}

void UndoCommands::redo()
{
    if (connection.redoEdit())
        showStep();
}

void UndoCommands::showStep()
{
    // The multi page shows the multi the engine selects only when asked.
    pages.refreshMultiPage();

    const int channel = connection.getReplayedChannel();
    if (channel >= 0)
    {
        if (auto* controls = pages.getControlsPage(); controls != nullptr && pages.isShown (Page::controls))
        {
            if (controls->getChannel() != channel)
                controls->selectChannel (channel);
        }
        else if (auto* table = pages.getParameterTable(); table != nullptr && pages.isShown (Page::parameterTable))
        {
            // The table page opens for a channel as the program page's PARAM TABLE opens
            // it; its values are the edit buffer's, which do not tell it of changes.
            if (table->getChannel() != channel)
            {
                connection.setMidiChannel (channel + 1);
                pages.openParameterTable (channel);
            }
            table->repaint();
        }
        else if (auto* program = pages.getProgramPage(); program != nullptr && pages.isShown (Page::program)
                 && program->getChannel() != channel)
        {
            connection.setMidiChannel (channel + 1);
            pages.showProgramPage (channel, pages.programOfChannel (channel));
        }
    }

    if (afterChange != nullptr)
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

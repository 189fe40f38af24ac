#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include <functional>

namespace zd8
{

class EditorConnection;
class PageNavigator;

/** The window's undo and redo: Ctrl+Z takes the last edit back, Ctrl+Shift+Z and Ctrl+Y
    make it again (Cmd on the Mac), as do the top bar's UNDO and REDO. The window hands
    it the keys its components leave (keyPressed), and it also listens on the window's
    top-level component for the keys pressed while nothing inside has the focus.

    After every undo or redo that changed something, the pages show it: the multi page
    the multi the engine holds, and a page that works on one channel at a time (the
    controls page, the parameter table, the program page) the channel the step changed,
    when it shows another (the channel choice is no edit: an undo of an edit made on
    another channel acts on that channel, and the page goes there). afterChange then runs,
    for what else does not follow the engine's slot changes by itself. Message thread
    only. */
class UndoCommands : private juce::KeyListener
{
public:
    UndoCommands (EditorConnection& connection, PageNavigator& pages, std::function<void()> afterChange);
    ~UndoCommands() override;

    /** Carries out the key when it is one of the commands; false otherwise. */
    bool keyPressed (const juce::KeyPress& key);

    static bool isUndoKey (const juce::KeyPress& key);
    static bool isRedoKey (const juce::KeyPress& key);

    void undo();
    void redo();

    /** Listens on top for the keys no component inside took (the window's top-level
        component, which gets them while nothing has the focus); null stops. */
    void listenTo (juce::Component* top);

private:
    bool keyPressed (const juce::KeyPress& key, juce::Component* origin) override;
    void showStep();

    EditorConnection& connection;
    PageNavigator& pages;
    std::function<void()> afterChange;
    juce::Component::SafePointer<juce::Component> listenedTo;

    JUCE_DECLARE_NON_COPYABLE (UndoCommands)
};

} // namespace zd8

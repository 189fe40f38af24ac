#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

namespace zd8test
{

/** A key press as the framework delivers it: to the component with the keyboard focus
    first, then up its parents until one takes it. */
inline bool pressKey (juce::Component& focused, int code)
{
    for (auto* c = &focused; c != nullptr; c = c->getParentComponent())
        if (c->keyPressed (juce::KeyPress (code)))
            return true;
    return false;
}

/** A key going down or up, delivered the same way. */
inline void keyStateChange (juce::Component& focused, bool down)
{
    for (auto* c = &focused; c != nullptr; c = c->getParentComponent())
        if (c->keyStateChanged (down))
            return;
}

} // namespace zd8test

#pragma once

#include "KitMouse.h"

#include <juce_gui_basics/juce_gui_basics.h>

namespace zd8test
{

/** A double-click as the framework delivers it to one component: press and release,
    a second press counted as the second click, the double-click, the second release.
    Positions are in the component's own coordinates. */
inline void doubleClick (juce::Component& component, float x, float y)
{
    KitMouse mouse (component);
    mouse.click (x, y);
    mouse.down (x, y);
    const auto now = juce::Time::getCurrentTime();
    const juce::MouseEvent second (juce::Desktop::getInstance().getMainMouseSource(), { x, y },
                                   juce::ModifierKeys (juce::ModifierKeys::leftButtonModifier),
                                   juce::MouseInputSource::defaultPressure, 0.0f, 0.0f, 0.0f, 0.0f,
                                   &component, &component, now, { x, y }, now, 2, false);
    component.mouseDoubleClick (second);
    mouse.up (x, y);
}

} // namespace zd8test

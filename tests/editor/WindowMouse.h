#pragma once

#include "KitMouse.h"

#include <juce_gui_basics/juce_gui_basics.h>

namespace zd8test
{

/** Mouse events at a point of a whole component tree (the window, in its own
    coordinates), delivered like the framework's: to the front-most visible component
    under the pointer that takes clicks, in that component's coordinates, and a wheel
    turn passed up its parents as Component's default does. A press that lands on a
    component other than the one a test means shows that something covers it. */
class WindowMouse
{
public:
    explicit WindowMouse (juce::Component& window) : root (window) {}

    /** The component a press at p (window coordinates) reaches, or nullptr. */
    juce::Component* target (juce::Point<int> p) const
    {
        if (! root.getLocalBounds().contains (p))
            return nullptr;
        return root.getComponentAt (p);
    }

    /** Press, optional drag points, release; returns the component that took the press. */
    juce::Component* click (juce::Point<int> p) { return drag (p, {}); }

    juce::Component* drag (juce::Point<int> from, std::initializer_list<juce::Point<int>> through)
    {
        auto* c = target (from);
        if (c == nullptr)
            return nullptr;
        juce::Component::SafePointer<juce::Component> safe (c);
        KitMouse mouse (*c);
        auto local = [this, c] (juce::Point<int> p) { return c->getLocalPoint (&root, p).toFloat(); };
        const auto start = local (from);
        mouse.down (start.x, start.y);
        auto last = start;
        for (auto p : through)
        {
            if (safe == nullptr)
                return nullptr;
            last = local (p);
            mouse.drag (last.x, last.y);
        }
        if (safe != nullptr)
            mouse.up (last.x, last.y);
        return safe.getComponent();
    }

    /** One wheel notch at p: positive is up. Returns the component under the pointer. */
    juce::Component* wheel (juce::Point<int> p, float deltaY)
    {
        auto* c = target (p);
        if (c != nullptr)
        {
            const auto at = c->getLocalPoint (&root, p).toFloat();
            KitMouse (*c).wheel (deltaY, at.x, at.y);
        }
        return c;
    }

private:
    juce::Component& root;
};

} // namespace zd8test

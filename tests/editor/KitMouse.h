#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

namespace zd8test
{

/** Real mouse events, built as the framework builds them and handed straight to one
    component's handlers (no window, no message loop). Positions are in the
    component's own coordinates. */
class KitMouse
{
public:
    explicit KitMouse (juce::Component& target) : component (target) {}

    void down (float x, float y)
    {
        downAt = { x, y };
        dragged = false;
        component.mouseDown (make ({ x, y }, left));
    }

    void drag (float x, float y)
    {
        dragged = true;
        component.mouseDrag (make ({ x, y }, left));
    }

    void up (float x, float y) { component.mouseUp (make ({ x, y }, left)); }

    void click (float x, float y)
    {
        down (x, y);
        up (x, y);
    }

    void move (float x, float y) { component.mouseMove (make ({ x, y }, {}, false)); }
    void enter (float x, float y) { component.mouseEnter (make ({ x, y }, {}, false)); }
    void exit (float x, float y) { component.mouseExit (make ({ x, y }, {}, false)); }

    /** One wheel notch: positive is up (away from the user). */
    void wheel (float deltaY, float x = 1.0f, float y = 1.0f)
    {
        juce::MouseWheelDetails details;
        details.deltaX = 0.0f;
        details.deltaY = deltaY;
        details.isReversed = false;
        details.isSmooth = false;
        details.isInertial = false;
        component.mouseWheelMove (make ({ x, y }, {}, false), details);
    }

private:
    static inline const juce::ModifierKeys left { juce::ModifierKeys::leftButtonModifier };

    juce::MouseEvent make (juce::Point<float> position, juce::ModifierKeys mods, bool useDownPosition = true)
    {
        const auto now = juce::Time::getCurrentTime();
        return juce::MouseEvent (juce::Desktop::getInstance().getMainMouseSource(), position, mods,
                                 juce::MouseInputSource::defaultPressure, 0.0f, 0.0f, 0.0f, 0.0f,
                                 &component, &component, now, useDownPosition ? downAt : position, now, 1,
                                 dragged);
    }

    juce::Component& component;
    juce::Point<float> downAt;
    bool dragged = false;
};

/** Counts change messages; deliver them with flush(). */
struct ChangeCounter : juce::ChangeListener
{
    explicit ChangeCounter (juce::ChangeBroadcaster& b) : broadcaster (b) { broadcaster.addChangeListener (this); }
    ~ChangeCounter() override { broadcaster.removeChangeListener (this); }

    /** Delivers a pending change message and says how many arrived since the last call. */
    int flush()
    {
        broadcaster.dispatchPendingMessages();
        const int n = count;
        count = 0;
        return n;
    }

    void changeListenerCallback (juce::ChangeBroadcaster*) override { ++count; }

    juce::ChangeBroadcaster& broadcaster;
    int count = 0;
};

} // namespace zd8test

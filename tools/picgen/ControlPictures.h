#pragma once

#include <juce_graphics/juce_graphics.h>

namespace zd8gen
{

/** The small parameter widgets: value bars and boxes, switches, buttons, the fader,
    the three drawbars, lamps, tags, menu buttons, check boxes, the library button and
    the window buttons. */
class ControlPictures
{
public:
    /** Draws the picture of that name into g (width x height, transparent to start
        with); false when the name is not one of this family's. */
    static bool draw (const juce::String& name, juce::Graphics& g, int width, int height);

private:
    static void valueBox (juce::Graphics&, juce::Rectangle<float>, bool cap);
    static void toggleSwitch (juce::Graphics&, juce::Rectangle<float>, bool on);
    static void pushButton (juce::Graphics&, juce::Rectangle<float>, bool on);
    static void libraryButton (juce::Graphics&, juce::Rectangle<float>, bool cap, bool lit);
    static void sliderTrack (juce::Graphics&, juce::Rectangle<float>);
    static void sliderThumb (juce::Graphics&, juce::Rectangle<float>);
    static void drawbar (juce::Graphics&, juce::Rectangle<float>, int kind);
    static void lamp (juce::Graphics&, juce::Rectangle<float>, int state);
    static void checkBox (juce::Graphics&, juce::Rectangle<float>, int state);
    static void menuButton (juce::Graphics&, juce::Rectangle<float>, bool pressed);
    static void windowButton (juce::Graphics&, juce::Rectangle<float>, int kind, bool highlighted);
};

} // namespace zd8gen

#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

namespace zd8test
{

/** Renders a component offscreen at its current size and compares the picture with
    the committed reference tests/editor/reference/<name>.png: the sizes must match and
    at most maxDifferingFraction of the pixels may differ by more than 24 in any
    channel (fonts and antialiasing may move a few pixels).
    With ZD8_UPDATE_REFERENCES=1 in the environment, or when the reference does not yet
    exist, the render becomes the reference instead (the test still passes, and says
    so); under CI (CI=true or CI=1) a missing reference fails instead, since nothing
    would have been compared, and the render goes to the temp folder to be looked at.
    With ZD8_SCREENSHOTS=1 the render is also written to docs/screenshots/<name>.png.
    Returns an empty string on success, otherwise what differs. */
juce::String compareWithReference (juce::Component& component, const juce::String& name,
                                   double maxDifferingFraction = 0.01);

/** The render itself (component snapshot of the whole component, scale 1). */
juce::Image renderComponent (juce::Component& component);

} // namespace zd8test

#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

namespace zd8
{

/** Keeps the plug-in window at the main panel's design aspect (1028x730), between 75 %
    and 200 % of it. A drag of the corner scales by the side that moved the more (so a
    drag straight up shrinks as a drag to the left does); a drag of one edge scales by
    that edge. Sizes are the design size times the scale, rounded to whole pixels, the
    same sizes the window opens at (sizeAt). Used by the resizer corner, by hosts that
    ask the editor's constrainer, and by the Standalone's window. */
class WindowSizeConstrainer : public juce::ComponentBoundsConstrainer
{
public:
    static constexpr int designWidth = 1028, designHeight = 730;
    static constexpr double minScale = 0.75, maxScale = 2.0;

    WindowSizeConstrainer();

    /** The window size at this scale (clamped to 75 .. 200 %). */
    static juce::Rectangle<int> sizeAt (double scale);

    /** The scale a size stands for: the one of its two sides that differs the more
        from the scale reference (the scale of the size before), clamped. */
    static double scaleFor (int width, int height, double reference);

    void checkBounds (juce::Rectangle<int>& bounds, const juce::Rectangle<int>& previous,
                      const juce::Rectangle<int>& limits, bool stretchingTop, bool stretchingLeft,
                      bool stretchingBottom, bool stretchingRight) override;
};

} // namespace zd8

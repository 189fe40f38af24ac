#include "editor/shell/WindowSizeConstrainer.h"

#include <cmath>

namespace zd8
{

WindowSizeConstrainer::WindowSizeConstrainer()
{
    const auto smallest = sizeAt (minScale), largest = sizeAt (maxScale);
    setSizeLimits (smallest.getWidth(), smallest.getHeight(), largest.getWidth(), largest.getHeight());
    setFixedAspectRatio ((double) designWidth / (double) designHeight);
}

juce::Rectangle<int> WindowSizeConstrainer::sizeAt (double scale)
{
    scale = juce::jlimit (minScale, maxScale, scale);
    return { juce::roundToInt (designWidth * scale), juce::roundToInt (designHeight * scale) };
}

double WindowSizeConstrainer::scaleFor (int width, int height, double reference)
{
    const double byWidth = (double) width / designWidth, byHeight = (double) height / designHeight;
    const double scale = std::abs (byWidth - reference) >= std::abs (byHeight - reference) ? byWidth : byHeight;
    return juce::jlimit (minScale, maxScale, scale);
}

void WindowSizeConstrainer::checkBounds (juce::Rectangle<int>& bounds, const juce::Rectangle<int>& previous,
                                         const juce::Rectangle<int>&, bool stretchingTop, bool stretchingLeft,
                                         bool stretchingBottom, bool stretchingRight)
{
    const double before = previous.isEmpty() ? 1.0 : (double) previous.getWidth() / designWidth;
    const bool horizontal = stretchingLeft || stretchingRight, vertical = stretchingTop || stretchingBottom;

    double scale;
    if (horizontal && ! vertical)
        scale = juce::jlimit (minScale, maxScale, (double) bounds.getWidth() / designWidth);
    else if (vertical && ! horizontal)
        scale = juce::jlimit (minScale, maxScale, (double) bounds.getHeight() / designHeight);
    else
        scale = scaleFor (bounds.getWidth(), bounds.getHeight(), before);

    // The edges the user holds move; the opposite ones stay where they were.
    const auto size = sizeAt (scale);
    const int x = stretchingLeft ? bounds.getRight() - size.getWidth() : bounds.getX();
    const int y = stretchingTop ? bounds.getBottom() - size.getHeight() : bounds.getY();
    bounds = { x, y, size.getWidth(), size.getHeight() };
}

} // namespace zd8

#pragma once

#include <juce_graphics/juce_graphics.h>

namespace zd8
{

/** Draws the embedded pictures (Pictures) in component coordinates, from the source
    that suits the device pixels behind them: where a component pixel covers more than
    one device pixel (a window scaled above 100 %, a high-density display) the picture's
    double-density companion, drawn into the same rectangle, so that it stays as crisp
    as the display allows; elsewhere the picture itself, exactly as Graphics::drawImage
    would. Any other image (an off-screen picture) is drawn as it is.
    The current fill's opacity applies, as with Graphics::drawImage. */
class PictureDraw
{
public:
    /** Device pixels per component pixel where g draws (window scale times display scale). */
    static float pixelScale (juce::Graphics& g);

    /** The part source (in the picture's own pixels) of the picture, stretched over dest. */
    static void draw (juce::Graphics& g, const juce::Image& picture, juce::Rectangle<int> dest,
                      juce::Rectangle<int> source);

    /** The whole picture stretched over dest. */
    static void draw (juce::Graphics& g, const juce::Image& picture, juce::Rectangle<int> dest);

    /** The whole picture placed in area (as Graphics::drawImage with a placement). */
    static void draw (juce::Graphics& g, const juce::Image& picture, juce::Rectangle<float> area,
                      juce::RectanglePlacement placement = juce::RectanglePlacement::stretchToFit);

    /** The picture at its own size with its top left at (x, y). */
    static void drawAt (juce::Graphics& g, const juce::Image& picture, int x, int y);

    /** A picture for an off-screen cache of w x h component pixels drawn at pixelScale:
        as many pixels as the cache covers on the device (at least w x h), so that
        drawCache shows it 1:1. */
    static juce::Image makeCache (juce::Image::PixelFormat format, int w, int h, float pixelScale);

    /** True when cache is what makeCache would make for these arguments (so it can be
        kept: the size and the device's density are the same). */
    static bool cacheFits (const juce::Image& cache, int w, int h, float pixelScale);

    /** The transform that lets a Graphics on a cache from makeCache draw in the w x h
        component pixels the cache stands for. */
    static juce::AffineTransform cacheTransform (const juce::Image& cache, int w, int h);

    /** A cache from makeCache drawn into dest (its component rectangle). */
    static void drawCache (juce::Graphics& g, const juce::Image& cache, juce::Rectangle<int> dest);

private:
    struct Source
    {
        juce::Image image;
        float density;
    };
    static Source sourceFor (juce::Graphics& g, const juce::Image& picture);
};

} // namespace zd8

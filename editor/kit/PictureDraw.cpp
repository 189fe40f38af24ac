#include "editor/kit/PictureDraw.h"

#include "editor/kit/Pictures.h"

namespace zd8
{

float PictureDraw::pixelScale (juce::Graphics& g)
{
    return g.getInternalContext().getPhysicalPixelScaleFactor();
}

PictureDraw::Source PictureDraw::sourceFor (juce::Graphics& g, const juce::Image& picture)
{
    // At 100 % and below the double-density picture would only be shrunk again: the
    // look-up (and its decoding) is skipped there.
    if (pixelScale (g) > 1.0f)
    {
        auto dense = Pictures::getDouble (picture);
        if (dense.getWidth() == 2 * picture.getWidth() && dense.getHeight() == 2 * picture.getHeight())
            return { std::move (dense), 2.0f };
    }
    return { picture, 1.0f };
}

void PictureDraw::draw (juce::Graphics& g, const juce::Image& picture, juce::Rectangle<int> dest,
                        juce::Rectangle<int> source)
{
    if (! picture.isValid() || dest.isEmpty() || source.isEmpty() || ! g.clipRegionIntersects (dest))
        return;
    const auto s = sourceFor (g, picture);
    const auto part = (source.toFloat() * s.density).toNearestInt();
    g.drawImageTransformed (s.image.getClippedImage (part),
                            juce::AffineTransform::scale ((float) dest.getWidth() / (float) part.getWidth(),
                                                          (float) dest.getHeight() / (float) part.getHeight())
                                .translated ((float) dest.getX(), (float) dest.getY()));
}

void PictureDraw::draw (juce::Graphics& g, const juce::Image& picture, juce::Rectangle<int> dest)
{
    draw (g, picture, dest, picture.getBounds());
}

void PictureDraw::draw (juce::Graphics& g, const juce::Image& picture, juce::Rectangle<float> area,
                        juce::RectanglePlacement placement)
{
    if (! picture.isValid() || area.isEmpty())
        return;
    const auto s = sourceFor (g, picture);
    g.drawImageTransformed (s.image, juce::AffineTransform::scale (1.0f / s.density)
                                         .followedBy (placement.getTransformToFit (picture.getBounds().toFloat(), area)));
}

void PictureDraw::drawAt (juce::Graphics& g, const juce::Image& picture, int x, int y)
{
    if (! picture.isValid())
        return;
    const auto s = sourceFor (g, picture);
    g.drawImageTransformed (s.image, juce::AffineTransform::scale (1.0f / s.density).translated ((float) x, (float) y));
}

juce::Image PictureDraw::makeCache (juce::Image::PixelFormat format, int w, int h, float scale)
{
    if (w <= 0 || h <= 0)
        return {};
    scale = juce::jmax (1.0f, scale);
    return juce::Image (format, juce::jmax (w, juce::roundToInt ((float) w * scale)),
                        juce::jmax (h, juce::roundToInt ((float) h * scale)), true);
}

bool PictureDraw::cacheFits (const juce::Image& cache, int w, int h, float scale)
{
    if (w <= 0 || h <= 0)
        return ! cache.isValid();
    scale = juce::jmax (1.0f, scale);
    return cache.isValid() && cache.getWidth() == juce::jmax (w, juce::roundToInt ((float) w * scale))
           && cache.getHeight() == juce::jmax (h, juce::roundToInt ((float) h * scale));
}

juce::AffineTransform PictureDraw::cacheTransform (const juce::Image& cache, int w, int h)
{
    if (! cache.isValid() || w <= 0 || h <= 0)
        return {};
    return juce::AffineTransform::scale ((float) cache.getWidth() / (float) w, (float) cache.getHeight() / (float) h);
}

void PictureDraw::drawCache (juce::Graphics& g, const juce::Image& cache, juce::Rectangle<int> dest)
{
    if (! cache.isValid() || dest.isEmpty())
        return;
    if (cache.getWidth() == dest.getWidth() && cache.getHeight() == dest.getHeight())
        g.drawImageAt (cache, dest.getX(), dest.getY());
    else
        g.drawImage (cache, dest.getX(), dest.getY(), dest.getWidth(), dest.getHeight(), 0, 0, cache.getWidth(),
                     cache.getHeight());
}

} // namespace zd8

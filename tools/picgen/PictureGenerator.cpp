#include "tools/picgen/PictureGenerator.h"

#include "editor/kit/PictureCatalogue.h"
#include "tools/picgen/CategoryPictures.h"
#include "tools/picgen/ControlPictures.h"
#include "tools/picgen/ControlsPagePictures.h"
#include "tools/picgen/KnobPictures.h"
#include "tools/picgen/MonitorPictures.h"
#include "tools/picgen/PagePictures.h"
#include "tools/picgen/PanelPictures.h"
#include "tools/picgen/PictureKit.h"

namespace zd8gen
{

namespace
{
    juce::MemoryBlock encodePng (const juce::Image& image)
    {
        juce::MemoryOutputStream out;
        juce::PNGImageFormat().writeImageToStream (image, out);
        return out.getMemoryBlock();
    }

    juce::String fileName (const char* name, int scale)
    {
        return juce::String (name) + (scale > 1 ? zd8::doubleDensitySuffix : "") + ".png";
    }

    juce::String writeFile (const juce::File& file, const juce::MemoryBlock& bytes)
    {
        file.getParentDirectory().createDirectory();
        if (! file.replaceWithData (bytes.getData(), bytes.getSize()))
            return "cannot write " + file.getFullPathName();
        return {};
    }
}

juce::Image PictureGenerator::render (const juce::String& name, int width, int height, int scale)
{
    // The same vector drawing at every density: the families draw in catalogue pixels
    // and the transform makes each of them scale x scale device pixels.
    juce::Image image (juce::Image::ARGB, width * scale, height * scale, true, juce::SoftwareImageType());
    juce::Graphics g (image);
    g.addTransform (juce::AffineTransform::scale ((float) scale));
    const bool drawn = KnobPictures::draw (name, g, width, height) || ControlPictures::draw (name, g, width, height)
                       || MonitorPictures::draw (name, g, width, height) || PanelPictures::draw (name, g, width, height)
                       || CategoryPictures::draw (name, g, width, height) || PagePictures::draw (name, g, width, height)
                       || ControlsPagePictures::draw (name, g, width, height);
    return drawn ? image : juce::Image();
}

juce::String PictureGenerator::writeZip (const juce::File& zip)
{
    // PNG is compressed already, so the entries are stored; a fixed date keeps the
    // archive byte-identical from one build to the next.
    juce::ZipFile::Builder builder;
    const juce::Time fixedDate (2024, 0, 1, 0, 0, 0, 0, false);
    for (const auto& entry : zd8::pictureCatalogue)
        for (int scale = 1; scale <= zd8::pictureDensities; ++scale)
        {
            const auto image = render (entry.name, entry.width, entry.height, scale);
            if (! image.isValid())
                return juce::String ("no drawing for picture ") + entry.name;
            builder.addEntry (new juce::MemoryInputStream (encodePng (image), true), 0,
                              fileName (entry.name, scale), fixedDate);
        }
    juce::MemoryOutputStream out;
    if (! builder.writeToStream (out, nullptr))
        return "cannot build the archive";
    return writeFile (zip, out.getMemoryBlock());
}

juce::String PictureGenerator::writeFolder (const juce::File& folder)
{
    for (const auto& entry : zd8::pictureCatalogue)
        for (int scale = 1; scale <= zd8::pictureDensities; ++scale)
        {
            const auto image = render (entry.name, entry.width, entry.height, scale);
            if (! image.isValid())
                return juce::String ("no drawing for picture ") + entry.name;
            const auto error = writeFile (folder.getChildFile (fileName (entry.name, scale)), encodePng (image));
            if (error.isNotEmpty())
                return error;
        }
    return {};
}

juce::String PictureGenerator::writeContactSheet (const juce::File& png)
{
    // Flow layout: each picture scaled to fit a box; very long strips show their first
    // part only, so that a frame stays large enough to see.
    constexpr int sheetWidth = 1400, maxWidth = 660, maxHeight = 220, margin = 12, label = 14;
    struct Placed
    {
        juce::String name;
        juce::Image image;
        juce::Rectangle<int> box;
    };
    std::vector<Placed> placed;
    int x = margin, y = margin + 40, rowHeight = 0;
    for (const auto& entry : zd8::pictureCatalogue)
    {
        auto image = render (entry.name, entry.width, entry.height);
        if (! image.isValid())
            return juce::String ("no drawing for picture ") + entry.name;
        const int cropWidth = juce::jmin (entry.width, juce::jmax (entry.height * 6, maxWidth));
        image = image.getClippedImage ({ 0, 0, cropWidth, entry.height });
        const double scale = juce::jmin (1.0, (double) maxWidth / cropWidth, (double) maxHeight / entry.height);
        const int w = juce::jmax (1, juce::roundToInt (cropWidth * scale)), h = juce::jmax (1, juce::roundToInt (entry.height * scale));
        const int boxWidth = juce::jmax (w, 90);
        if (x + boxWidth > sheetWidth - margin)
        {
            x = margin;
            y += rowHeight + label + margin;
            rowHeight = 0;
        }
        placed.push_back ({ entry.name, image, { x, y, w, h } });
        x += boxWidth + margin;
        rowHeight = juce::jmax (rowHeight, h);
    }

    juce::Image sheet (juce::Image::ARGB, sheetWidth, y + rowHeight + label + margin, true, juce::SoftwareImageType());
    juce::Graphics g (sheet);
    g.fillAll (juce::Colour (0xff0c0c0c));
    g.setColour (PictureKit::c (PictureKit::amberLight));
    g.setFont (PictureKit::font (18.0f, true));
    g.drawText ("Brisvane ZD8 editor pictures (drawn by zd8-picgen)", margin, margin, sheetWidth - 2 * margin, 24,
                juce::Justification::centredLeft);
    g.setFont (PictureKit::font (10.0f));
    for (const auto& p : placed)
    {
        // A checkerboard behind each picture shows where it is transparent
        for (int cy = 0; cy < p.box.getHeight(); cy += 6)
            for (int cx = 0; cx < p.box.getWidth(); cx += 6)
            {
                g.setColour (((cx + cy) / 6) % 2 == 0 ? juce::Colour (0xff3a3a3a) : juce::Colour (0xff2e2e2e));
                g.fillRect (juce::Rectangle<int> (p.box.getX() + cx, p.box.getY() + cy, 6, 6).getIntersection (p.box));
            }
        g.drawImage (p.image, p.box.toFloat(), juce::RectanglePlacement::stretchToFit);
        g.setColour (juce::Colour (0xffa0a0a0));
        g.drawText (p.name, p.box.getX(), p.box.getBottom() + 1, juce::jmax (p.box.getWidth(), 90) + margin, label - 2,
                    juce::Justification::centredLeft);
    }
    return writeFile (png, encodePng (sheet));
}

} // namespace zd8gen

#include "support/RenderCheck.h"

namespace zd8test
{

namespace
{
juce::File sourceFolder()
{
    return juce::File (ZD8_SOURCE_DIR);
}

bool envFlag (const char* name)
{
    return juce::SystemStats::getEnvironmentVariable (name, "0") == "1";
}

bool underCi()
{
    const auto ci = juce::SystemStats::getEnvironmentVariable ("CI", {}).toLowerCase();
    return ci == "true" || ci == "1";
}

juce::File actualFile (const juce::String& name)
{
    return juce::File::getSpecialLocation (juce::File::tempDirectory).getChildFile (name + ".actual.png");
}

bool writePng (const juce::Image& picture, const juce::File& file)
{
    file.getParentDirectory().createDirectory();
    file.deleteFile();
    juce::FileOutputStream out (file);
    juce::PNGImageFormat png;
    return out.openedOk() && png.writeImageToStream (picture, out);
}
} // namespace

juce::Image renderComponent (juce::Component& component)
{
    return component.createComponentSnapshot (component.getLocalBounds(), true, 1.0f);
}

juce::String compareWithReference (juce::Component& component, const juce::String& name,
                                   double maxDifferingFraction)
{
    const auto render = renderComponent (component);
    const auto reference = sourceFolder().getChildFile ("tests/editor/reference").getChildFile (name + ".png");

    if (envFlag ("ZD8_SCREENSHOTS"))
        writePng (render, sourceFolder().getChildFile ("docs/screenshots").getChildFile (name + ".png"));

    if (! reference.existsAsFile() && ! envFlag ("ZD8_UPDATE_REFERENCES") && underCi())
    {
        writePng (render, actualFile (name));
        return "the reference " + reference.getFullPathName() + " is missing (render written to the temp folder as "
             + name + ".actual.png; ZD8_UPDATE_REFERENCES=1 outside CI makes it the reference)";
    }

    if (envFlag ("ZD8_UPDATE_REFERENCES") || ! reference.existsAsFile())
    {
        if (! writePng (render, reference))
            return "could not write the reference " + reference.getFullPathName();
        std::printf ("reference %s written\n", reference.getFullPathName().toRawUTF8());
        return {};
    }

    const auto expected = juce::ImageFileFormat::loadFrom (reference);
    if (! expected.isValid())
        return "unreadable reference " + reference.getFullPathName();
    if (expected.getBounds() != render.getBounds())
        return "size " + render.getBounds().toString() + " differs from the reference's "
             + expected.getBounds().toString();

    const juce::Image::BitmapData a (render, juce::Image::BitmapData::readOnly);
    const juce::Image::BitmapData b (expected, juce::Image::BitmapData::readOnly);
    int64_t differing = 0;
    for (int y = 0; y < render.getHeight(); ++y)
        for (int x = 0; x < render.getWidth(); ++x)
        {
            const auto p = a.getPixelColour (x, y), q = b.getPixelColour (x, y);
            const auto d = juce::jmax (std::abs (p.getRed() - q.getRed()), std::abs (p.getGreen() - q.getGreen()),
                                       std::abs (p.getBlue() - q.getBlue()), std::abs (p.getAlpha() - q.getAlpha()));
            if (d > 24)
                ++differing;
        }

    const auto fraction = (double) differing / (double) juce::jmax (1, render.getWidth() * render.getHeight());
    if (fraction > maxDifferingFraction)
    {
        writePng (render, actualFile (name));
        return juce::String (fraction * 100.0, 2) + "% of the pixels differ from " + reference.getFullPathName()
             + " (render written to the temp folder as " + name + ".actual.png)";
    }
    return {};
}

} // namespace zd8test

#include "editor/kit/Pictures.h"

#include "editor/kit/Palette.h"
#include "editor/kit/PictureCatalogue.h"

#include <Zd8Pictures.h>

#include <cstring>
#include <map>
#include <memory>
#include <mutex>
#include <string>

namespace zd8
{

namespace
{
    // The embedded archive (written by tools/picgen at build time), the pictures decoded
    // from it so far (by file name, so "knob_back" and "knob_back@2x" are two entries) and
    // the name of every picture handed out, by its pixel data, so that a widget holding
    // only the image can still find its double-density companion. All touched only under
    // the lock.
    std::mutex lock;
    std::map<std::string, juce::Image> cache;
    std::map<const juce::ImagePixelData*, std::string> namesByPixels;

    juce::ZipFile& archive()
    {
        static juce::ZipFile zip (new juce::MemoryInputStream (Zd8Pictures::pictures_zip,
                                                               (size_t) Zd8Pictures::pictures_zipSize, false),
                                  true);
        return zip;
    }

    const juce::ZipFile::ZipEntry* entryFor (const char* name)
    {
        return archive().getEntry (juce::String (name) + ".png");
    }

    juce::Image decode (const char* name)
    {
        auto& zip = archive();
        const int index = zip.getIndexOfFileName (juce::String (name) + ".png");
        if (index < 0)
            return {};
        std::unique_ptr<juce::InputStream> stream (zip.createStreamForEntry (index));
        if (stream == nullptr)
            return {};
        return juce::PNGImageFormat().decodeImage (*stream);
    }

    juce::Image placeholder (const char* name)
    {
        int w = 1, h = 1;
        for (const auto& entry : pictureCatalogue)
            if (std::strcmp (entry.name, name) == 0)
                w = entry.width, h = entry.height;
        juce::Image picture (juce::Image::ARGB, w, h, true);
        picture.clear (picture.getBounds(), juce::Colour (Palette::missingPicture));
        return picture;
    }
}

namespace
{
    std::string fileName (const char* name, int density)
    {
        return density > 1 ? std::string (name) + doubleDensitySuffix : std::string (name);
    }

    // Caller holds the lock.
    juce::Image getLocked (const char* name, int density)
    {
        const auto file = fileName (name, density);
        auto found = cache.find (file);
        if (found != cache.end())
            return found->second;

        auto picture = decode (file.c_str());
        if (! picture.isValid() && density == 1)
            picture = placeholder (name);
        cache[file] = picture;
        if (picture.isValid() && density == 1)
            namesByPixels[picture.getPixelData()] = name;
        return picture;
    }
}

juce::Image Pictures::get (const char* name)
{
    const std::lock_guard<std::mutex> g (lock);
    return getLocked (name, 1);
}

juce::Image Pictures::get (const char* name, int density)
{
    const std::lock_guard<std::mutex> g (lock);
    return getLocked (name, density > 1 ? 2 : 1);
}

juce::Image Pictures::getDouble (const juce::Image& picture)
{
    const std::lock_guard<std::mutex> g (lock);
    const auto found = namesByPixels.find (picture.getPixelData());
    if (found == namesByPixels.end())
        return {};
    return getLocked (found->second.c_str(), 2);
}

bool Pictures::isEmbedded (const char* name, int density)
{
    const std::lock_guard<std::mutex> g (lock);
    return entryFor (fileName (name, density).c_str()) != nullptr;
}

} // namespace zd8

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
    // The embedded archive (written by tools/picgen at build time) and the pictures
    // decoded from it so far. Both are touched only under the lock.
    std::mutex lock;
    std::map<std::string, juce::Image> cache;

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

juce::Image Pictures::get (const char* name)
{
    const std::lock_guard<std::mutex> g (lock);
    auto found = cache.find (name);
    if (found != cache.end())
        return found->second;

    auto picture = decode (name);
    if (! picture.isValid())
        picture = placeholder (name);
    cache[name] = picture;
    return picture;
}

bool Pictures::isEmbedded (const char* name)
{
    const std::lock_guard<std::mutex> g (lock);
    return entryFor (name) != nullptr;
}

} // namespace zd8

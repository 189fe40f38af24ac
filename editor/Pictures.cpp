#include "editor/Pictures.h"

#include "editor/PictureCatalogue.h"

#include <cstring>
#include <map>
#include <mutex>
#include <string>

namespace zd8
{

// Until the generated set is embedded, every name gives its grey placeholder.
juce::Image Pictures::get (const char* name)
{
    static std::mutex lock;
    static std::map<std::string, juce::Image> cache;
    const std::lock_guard<std::mutex> g (lock);
    auto found = cache.find (name);
    if (found != cache.end())
        return found->second;

    int w = 1, h = 1;
    for (const auto& spec : pictureCatalogue)
        if (std::strcmp (spec.name, name) == 0)
            w = spec.width, h = spec.height;
    juce::Image picture (juce::Image::ARGB, w, h, true);
    picture.clear (picture.getBounds(), juce::Colour (0xff404040));
    cache[name] = picture;
    return picture;
}

bool Pictures::isEmbedded (const char*)
{
    return false;
}

} // namespace zd8

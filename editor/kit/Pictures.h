#pragma once

#include <juce_graphics/juce_graphics.h>

namespace zd8
{

/** The editor's embedded pictures (see PictureCatalogue.h), decoded once on first
    use and shared by every widget of every plug-in instance. Safe to call from any
    thread: the cache is guarded by a lock held only while it is looked up or filled. */
class Pictures
{
public:
    /** The picture of that catalogue name. A name missing from the embedded set gives
        a neutral grey picture of the catalogue size (never an invalid image), so a
        widget always has something of the right size to draw. */
    static juce::Image get (const char* name);

    /** The picture at density 1 (as get (name)) or 2: the same drawing at exactly double
        the catalogue size. A missing double-density picture gives an invalid image. */
    static juce::Image get (const char* name, int density);

    /** The double-density companion of a picture that get (name) handed out (decoded
        on first use); an invalid image for any other image (off-screen pictures, the
        placeholder of a missing name). */
    static juce::Image getDouble (const juce::Image& picture);

    /** True when the embedded set holds the name at that density (the tests check
        every entry). */
    static bool isEmbedded (const char* name, int density = 1);
};

} // namespace zd8

#pragma once

#include <string>

struct AEffect; // FST's effect, seen only by VstLoader.cpp

/** A VST 2 plug-in library loaded once through dlopen, and instances opened and
    closed through its VSTPluginMain the way a host does, with no JUCE of our own in
    the way. The library stays loaded until the process ends: JUCE plug-ins are not
    written to be unloaded and reloaded, and a host loads a library once. */
class VstLoader
{
public:
    /** Loads the library (RTLD_NOW: every symbol resolved now, as hosts do). */
    explicit VstLoader (const std::string& path);

    bool isLoaded() const noexcept { return entry != nullptr; }
    const std::string& getError() const noexcept { return error; }

    /** VSTPluginMain, effOpen, sample rate 48 kHz, 512-sample blocks, then the mains
        on: an instance ready to process. nullptr if the entry point refuses. */
    AEffect* open() const;

    /** Mains off, then effClose (which deletes the instance). */
    static void close (AEffect* effect);

    /** Points HOME (and XDG_CONFIG_HOME) at a fresh folder under /tmp for the rest of
        the process, so plug-ins keep their settings and banks away from the user's
        own. Call before the first library is loaded; the folder goes at exit. */
    static void useTemporaryHome();

private:
    void* library = nullptr;
    void* entry = nullptr; // VSTPluginMain
    std::string error;
};

#include "VstLoader.h"

#define FST2VST 1
#include <pluginterfaces/fst/fst.h>

#include <dlfcn.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>

namespace
{
    constexpr float sampleRate = 48000.0f;
    constexpr int blockSize = 512;

    VstIntPtr hostCallback (AEffect*, int opcode, int, VstIntPtr, void* ptr, float)
    {
        switch (opcode)
        {
            case audioMasterVersion: return 2400;
            case audioMasterGetSampleRate: return (VstIntPtr) sampleRate;
            case audioMasterGetBlockSize: return blockSize;
            case audioMasterGetProductString:
                if (ptr != nullptr)
                    std::strcpy (static_cast<char*> (ptr), "zd8-bench");
                return 1;
            default: return 0;
        }
    }

    /** The temporary home folder, removed when the process ends. */
    struct TemporaryHome
    {
        TemporaryHome()
        {
            char pattern[] = "/tmp/zd8bench-home-XXXXXX";
            if (mkdtemp (pattern) == nullptr)
                return;
            folder = pattern;
            setenv ("HOME", pattern, 1);
            setenv ("XDG_CONFIG_HOME", (folder / ".config").c_str(), 1);
        }

        ~TemporaryHome()
        {
            std::error_code ignored;
            if (! folder.empty())
                std::filesystem::remove_all (folder, ignored);
        }

        std::filesystem::path folder;
    };
}

VstLoader::VstLoader (const std::string& path)
{
    library = dlopen (path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (library == nullptr)
    {
        const char* why = dlerror();
        error = "dlopen " + path + ": " + (why != nullptr ? why : "failed");
        return;
    }
    entry = dlsym (library, "VSTPluginMain");
    if (entry == nullptr)
        error = path + " exports no VSTPluginMain";
}

AEffect* VstLoader::open() const
{
    if (entry == nullptr)
        return nullptr;
    using MainProc = AEffect* (*) (audioMasterCallback);
    auto* effect = reinterpret_cast<MainProc> (entry) (&hostCallback);
    if (effect == nullptr || effect->magic != kEffectMagic)
        return nullptr;
    effect->dispatcher (effect, effOpen, 0, 0, nullptr, 0.0f);
    effect->dispatcher (effect, effSetSampleRate, 0, 0, nullptr, sampleRate);
    effect->dispatcher (effect, effSetBlockSize, 0, blockSize, nullptr, 0.0f);
    effect->dispatcher (effect, effMainsChanged, 0, 1, nullptr, 0.0f);
    return effect;
}

void VstLoader::close (AEffect* effect)
{
    if (effect == nullptr)
        return;
    effect->dispatcher (effect, effMainsChanged, 0, 0, nullptr, 0.0f);
    effect->dispatcher (effect, effClose, 0, 0, nullptr, 0.0f);
}

void VstLoader::useTemporaryHome()
{
    static TemporaryHome home;
}

// The VST 2 plug-in's exported entry. The framework's wrapper is compiled with its own
// VSTPluginMain renamed zd8JuceVstPluginMain (Formats.cmake); ours calls it through
// VstEntryPoint. On Linux the wrapper also exports "main" for older hosts; the link
// points that name at this function as well.

#include "formats/VstEntryPoint.h"

#undef VSTPluginMain

extern "C" Vst2::AEffect* zd8JuceVstPluginMain (Vst2::audioMasterCallback host);

#ifdef _WIN32
 #define ZD8_VST_EXPORT extern "C" __declspec (dllexport)
#else
 #define ZD8_VST_EXPORT extern "C" __attribute__ ((visibility ("default")))
#endif

ZD8_VST_EXPORT Vst2::AEffect* VSTPluginMain (Vst2::audioMasterCallback host);

ZD8_VST_EXPORT Vst2::AEffect* VSTPluginMain (Vst2::audioMasterCallback host)
{
    return zd8::VstEntryPoint::open (host, zd8JuceVstPluginMain);
}

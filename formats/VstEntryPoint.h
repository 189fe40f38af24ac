#pragma once

// The VST 2 types exactly as the framework's wrapper sees them.
namespace Vst2
{
#include "pluginterfaces/vst2.x/aeffectx.h"
}

namespace zd8
{

class VantorAudioProcessor;

/** Our side of the VST 2 entry: the exported VSTPluginMain calls open(), which lets the
    framework's wrapper make the effect and then takes two of its calls over:

    - setParameter: the wrapper drops a host write equal to the value it holds, but a
      write to a program-number row must reach the instrument every time (replayed
      automation reselects the program). Such a write goes straight to the processor's
      slot write; any other goes to the wrapper. Neither is reported back to the host.
    - the dispatcher's pin requests: the wrapper names the pins after the bus and its
      speakers ("Input L"); ours are named by number, "1" and "2".

    Each effect is kept with its processor in a fixed table (read on the host's audio and
    parameter threads without a lock) from open() until the host closes it. */
class VstEntryPoint
{
public:
    using WrapperEntry = Vst2::AEffect* (*) (Vst2::audioMasterCallback);

    /** The host's thread that loads the plug-in. */
    static Vst2::AEffect* open (Vst2::audioMasterCallback host, WrapperEntry wrapperEntry);

    /** Effects open at once; beyond that an effect keeps the wrapper's own calls. */
    static constexpr int maxEffects = 256;

private:
    static void setParameter (Vst2::AEffect* effect, int index, float value);
    static Vst2::VstIntPtr dispatch (Vst2::AEffect* effect, int opcode, int index, Vst2::VstIntPtr value, void* ptr, float opt);
};

} // namespace zd8

// A minimal VST3 host on the SDK's interfaces alone (the copy JUCE ships), with no JUCE:
// loads the Windows .vst3 module the way a DAW does, creates the processor component and
// its controller, connects them, and checks what a host relies on: the parameters, the
// state handed out and taken back, and a processed block. Runs under wine
// (tests/host/wine-vst3.sh).
// Usage: zd8-vst3-host path\to\BrisvaneZD8.vst3   (the bundle or the module inside it;
//        exit code 0 = every check passed)

#include <pluginterfaces/base/ipluginbase.h>
#include <pluginterfaces/vst/ivstaudioprocessor.h>
#include <pluginterfaces/vst/ivstcomponent.h>
#include <pluginterfaces/vst/ivsteditcontroller.h>
#include <pluginterfaces/vst/ivsthostapplication.h>
#include <pluginterfaces/vst/ivstmessage.h>
#include <public.sdk/source/common/memorystream.h>

#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

using namespace Steinberg;

namespace
{
    int failures = 0, passes = 0;

    void check (bool ok, const std::string& what)
    {
        std::printf ("%s %s\n", ok ? "ok     " : "FAILED ", what.c_str());
        (ok ? passes : failures) += 1;
    }

    std::string narrow (const Vst::TChar* text)
    {
        std::string result;
        for (; *text != 0; ++text)
            result += *text < 128 ? (char) *text : '?';
        return result;
    }

    // The host's side of initialize(): a name, and no objects of its own to lend.
    class HostApplication : public Vst::IHostApplication
    {
    public:
        tresult PLUGIN_API getName (Vst::String128 name) override
        {
            const char* ours = "zd8-vst3-host";
            for (size_t i = 0; i <= std::strlen (ours); ++i)
                name[i] = (Vst::TChar) ours[i];
            return kResultOk;
        }

        tresult PLUGIN_API createInstance (TUID, TUID, void** obj) override
        {
            *obj = nullptr;
            return kResultFalse;
        }

        tresult PLUGIN_API queryInterface (const TUID iid, void** obj) override
        {
            if (FUnknownPrivate::iidEqual (iid, FUnknown::iid) || FUnknownPrivate::iidEqual (iid, Vst::IHostApplication::iid))
            {
                *obj = this;
                return kResultOk;
            }
            *obj = nullptr;
            return kNoInterface;
        }

        // Lives on main()'s stack for the whole run.
        uint32 PLUGIN_API addRef() override { return 1; }
        uint32 PLUGIN_API release() override { return 1; }
    };

    template <typename Interface>
    Interface* query (FUnknown* object)
    {
        void* result = nullptr;
        if (object == nullptr || object->queryInterface (Interface::iid, &result) != kResultOk)
            return nullptr;
        return static_cast<Interface*> (result);
    }

    // A module path inside a bundle folder: Contents\x86_64-win\<name>.vst3.
    std::string modulePath (std::string path)
    {
        while (! path.empty() && (path.back() == '\\' || path.back() == '/'))
            path.pop_back();
        const DWORD attributes = GetFileAttributesA (path.c_str());
        if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0)
            return path;
        const auto slash = path.find_last_of ("\\/");
        return path + "\\Contents\\x86_64-win\\" + path.substr (slash == std::string::npos ? 0 : slash + 1);
    }

    std::vector<char> bytesOf (MemoryStream& stream)
    {
        return std::vector<char> (stream.getData(), stream.getData() + stream.getSize());
    }

    struct ParameterCount
    {
        int slots = 0, bypass = 0, programChange = 0, midiControllers = 0;
    };

    // JUCE adds a bypass parameter, and (for MIDI input) hidden ones that carry MIDI
    // controllers; the slots are the others.
    ParameterCount countParameters (Vst::IEditController& controller)
    {
        ParameterCount count;
        for (int32 i = 0; i < controller.getParameterCount(); ++i)
        {
            Vst::ParameterInfo info {};
            controller.getParameterInfo (i, info);
            if ((info.flags & Vst::ParameterInfo::kIsBypass) != 0)
                ++count.bypass;
            else if ((info.flags & Vst::ParameterInfo::kIsProgramChange) != 0)
                ++count.programChange;
            else if (narrow (info.title).rfind ("MIDI CC ", 0) == 0)
                ++count.midiControllers;
            else
                ++count.slots;
        }
        return count;
    }

    // The ID a slot has always had: JUCE's hash of the slot number's text, in 31 bits.
    Vst::ParamID idOfSlot (int slot)
    {
        int32 hash = 0;
        for (char c : std::to_string (slot))
            hash = (int32) (31u * (uint32) hash + (uint32) c);
        return (Vst::ParamID) hash & 0x7fffffff;
    }

    // Slot n is the n-th parameter, under its ID.
    std::string describeSlot (Vst::IEditController& controller, int slot)
    {
        Vst::ParameterInfo info {};
        if (controller.getParameterInfo (slot, info) != kResultOk)
            return "(none)";
        return "\"" + narrow (info.title) + "\", ID " + std::to_string (info.id)
             + (info.id == idOfSlot (slot) ? "" : " instead of " + std::to_string (idOfSlot (slot)));
    }
}

int main (int argc, char** argv)
{
    // Every line as it happens, also into a pipe: a hang then shows where it stopped.
    std::setvbuf (stdout, nullptr, _IONBF, 0);

    if (argc < 2)
    {
        std::fprintf (stderr, "usage: %s plugin.vst3\n", argv[0]);
        return 2;
    }

    const std::string path = modulePath (argv[1]);
    HMODULE module = LoadLibraryA (path.c_str());
    check (module != nullptr, "loads " + path + (module == nullptr ? " (error " + std::to_string (GetLastError()) + ")" : ""));
    if (module == nullptr)
        return 1;

    // Windows hosts call InitDll first and ExitDll last, when the module has them.
    using InitProc = bool (*)();
    const auto initDll = reinterpret_cast<InitProc> (reinterpret_cast<void*> (GetProcAddress (module, "InitDll")));
    const auto exitDll = reinterpret_cast<InitProc> (reinterpret_cast<void*> (GetProcAddress (module, "ExitDll")));
    check (initDll == nullptr || initDll(), "InitDll");

    using FactoryProc = IPluginFactory* (PLUGIN_API*) ();
    const auto getFactory = reinterpret_cast<FactoryProc> (reinterpret_cast<void*> (GetProcAddress (module, "GetPluginFactory")));
    check (getFactory != nullptr, "exports GetPluginFactory");
    IPluginFactory* factory = getFactory != nullptr ? getFactory() : nullptr;
    check (factory != nullptr, "hands out its factory");
    if (factory == nullptr)
        return 1;

    PFactoryInfo factoryInfo {};
    factory->getFactoryInfo (&factoryInfo);
    check (std::string (factoryInfo.vendor) == "Brisvane", std::string ("vendor \"") + factoryInfo.vendor + "\"");

    // The processor component: the class of the audio-effect category.
    TUID componentId {};
    std::string className;
    for (int32 i = 0; i < factory->countClasses(); ++i)
    {
        PClassInfo info {};
        if (factory->getClassInfo (i, &info) == kResultOk && std::string (info.category) == kVstAudioEffectClass)
        {
            std::memcpy (componentId, info.cid, sizeof (TUID));
            className = info.name;
        }
    }
    check (className == "Brisvane VST", "an audio effect class named \"" + className + "\"");

    HostApplication host;
    Vst::IComponent* component = nullptr;
    factory->createInstance (componentId, Vst::IComponent::iid, reinterpret_cast<void**> (&component));
    check (component != nullptr && component->initialize (&host) == kResultOk, "the component is created and initialised");
    if (component == nullptr)
        return 1;

    // The controller: the component names its class; connected to the component so that
    // they share one processor.
    TUID controllerId {};
    Vst::IEditController* controller = nullptr;
    if (component->getControllerClassId (controllerId) == kResultOk)
        factory->createInstance (controllerId, Vst::IEditController::iid, reinterpret_cast<void**> (&controller));
    check (controller != nullptr && controller->initialize (&host) == kResultOk, "the controller is created and initialised");
    if (controller == nullptr)
        return 1;
    auto* componentPoint = query<Vst::IConnectionPoint> (component);
    auto* controllerPoint = query<Vst::IConnectionPoint> (controller);
    check (componentPoint != nullptr && controllerPoint != nullptr && componentPoint->connect (controllerPoint) == kResultOk
               && controllerPoint->connect (componentPoint) == kResultOk,
           "component and controller connect");

    // The controller reads the component's state, as hosts do after creating both.
    {
        MemoryStream state;
        component->getState (&state);
        state.seek (0, IBStream::kIBSeekSet, nullptr);
        controller->setComponentState (&state);
    }

    const auto count = countParameters (*controller);
    check (count.slots == 2314, "2314 parameters (" + std::to_string (count.slots) + ", plus " + std::to_string (count.bypass) + " bypass, "
                                    + std::to_string (count.programChange) + " program change, " + std::to_string (count.midiControllers)
                                    + " MIDI controller)");
    // VST3 knows the slots by a hash of their number.
    check (describeSlot (*controller, 15) == "\"Program No. Ch.1\", ID " + std::to_string (idOfSlot (15)), "slot 15 is " + describeSlot (*controller, 15));
    check (describeSlot (*controller, 2305) == "\"Playing Mode\", ID " + std::to_string (idOfSlot (2305)), "slot 2305 is " + describeSlot (*controller, 2305));
    const Vst::ParamID playingMode = idOfSlot (2305);

    // State: a change of the playing mode changes it; handing back the earlier state
    // undoes the change, and the component then hands out the same bytes.
    MemoryStream before;
    const bool stateGiven = component->getState (&before) == kResultOk;
    check (stateGiven && before.getSize() > 19225, "the component hands out its state (" + std::to_string (before.getSize()) + " bytes)");
    const auto modeBefore = controller->getParamNormalized (playingMode);
    controller->setParamNormalized (playingMode, modeBefore > 0.5 ? 0.0 : 1.0);
    MemoryStream changed;
    component->getState (&changed);
    check (bytesOf (changed) != bytesOf (before), "a new playing mode changes the state");
    before.seek (0, IBStream::kIBSeekSet, nullptr);
    check (component->setState (&before) == kResultOk, "the component takes the earlier state back");
    before.seek (0, IBStream::kIBSeekSet, nullptr);
    controller->setComponentState (&before);
    MemoryStream after;
    component->getState (&after);
    check (bytesOf (after) == bytesOf (before), "the state round-trips");
    check (controller->getParamNormalized (playingMode) == modeBefore, "the playing mode reads what it read before");

    // Blocks: stereo in and out, silence out whatever comes in.
    auto* processor = query<Vst::IAudioProcessor> (component);
    check (processor != nullptr, "the component is an audio processor");
    if (processor != nullptr)
    {
        Vst::ProcessSetup setup { Vst::kRealtime, Vst::kSample32, 512, 48000.0 };
        check (processor->setupProcessing (setup) == kResultOk, "processing set up at 48 kHz, 512 samples");
        const int32 inputs = component->getBusCount (Vst::kAudio, Vst::kInput);
        const int32 outputs = component->getBusCount (Vst::kAudio, Vst::kOutput);
        check (inputs == 1 && outputs == 1, "one audio bus each way");
        // Buses start inactive: a host turns on those the plug-in marks active by default.
        for (auto type : { Vst::kAudio, Vst::kEvent })
            for (auto direction : { Vst::kInput, Vst::kOutput })
                for (int32 bus = 0; bus < component->getBusCount (type, direction); ++bus)
                {
                    Vst::BusInfo info {};
                    if (component->getBusInfo (type, direction, bus, info) == kResultOk && (info.flags & Vst::BusInfo::kDefaultActive) != 0)
                        component->activateBus (type, direction, bus, true);
                }
        component->setActive (true);
        processor->setProcessing (true);

        std::vector<float> inL (512, 0.5f), inR (512, 0.5f), outL (512, 1.0f), outR (512, 1.0f);
        float* ins[] = { inL.data(), inR.data() };
        float* outs[] = { outL.data(), outR.data() };
        Vst::AudioBusBuffers inBus, outBus;
        inBus.numChannels = 2;
        inBus.channelBuffers32 = ins;
        outBus.numChannels = 2;
        outBus.channelBuffers32 = outs;
        Vst::ProcessData data;
        data.processMode = Vst::kRealtime;
        data.symbolicSampleSize = Vst::kSample32;
        data.numSamples = 512;
        data.numInputs = inputs > 0 ? 1 : 0;
        data.numOutputs = outputs > 0 ? 1 : 0;
        data.inputs = &inBus;
        data.outputs = &outBus;
        int processed = 0;
        for (int i = 0; i < 10; ++i)
            processed += processor->process (data) == kResultOk ? 1 : 0;
        check (processed == 10, "ten blocks processed (" + std::to_string (processed) + ")");
        bool silent = true;
        for (size_t i = 0; i < 512; ++i)
            silent = silent && outL[i] == 0.0f && outR[i] == 0.0f;
        check (silent, "outputs are silent (" + std::to_string (outL[0]) + ", " + std::to_string (outR[0]) + ")");

        processor->setProcessing (false);
        component->setActive (false);
        processor->release();
    }

    componentPoint->disconnect (controllerPoint);
    controllerPoint->disconnect (componentPoint);
    componentPoint->release();
    controllerPoint->release();
    check (controller->terminate() == kResultOk && component->terminate() == kResultOk, "controller and component terminate");
    controller->release();
    component->release();
    factory->release();
    check (exitDll == nullptr || exitDll(), "ExitDll");
    FreeLibrary (module);

    std::printf ("host checks: %d passed, %d failed\n", passes, failures);
    return failures == 0 ? 0 : 1;
}

#include "formats/VstEntryPoint.h"

#include "formats/ProcessorHandover.h"
#include "plugin/VantorAudioProcessor.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <cstring>
#include <mutex>
#include <string>

namespace zd8
{

namespace
{
    struct Instance
    {
        // Written under tableLock before `effect` is published (release); readers find
        // their effect first (acquire) and then read the rest.
        std::atomic<Vst2::AEffect*> effect { nullptr };
        VantorAudioProcessor* processor = nullptr;
        Vst2::AEffectSetParameterProc wrapperSetParameter = nullptr;
        Vst2::AEffectDispatcherProc wrapperDispatcher = nullptr;
    };

    std::array<Instance, VstEntryPoint::maxEffects> instances;
    std::mutex tableLock; // taken only to add and remove, never by a lookup

    Instance* find (Vst2::AEffect* effect) noexcept
    {
        for (auto& instance : instances)
            if (instance.effect.load (std::memory_order_acquire) == effect)
                return &instance;
        return nullptr;
    }

    Instance* add (Vst2::AEffect* effect, VantorAudioProcessor& processor)
    {
        std::lock_guard<std::mutex> g (tableLock);
        for (auto& instance : instances)
        {
            if (instance.effect.load (std::memory_order_relaxed) != nullptr)
                continue;
            instance.processor = &processor;
            instance.wrapperSetParameter = effect->setParameter;
            instance.wrapperDispatcher = effect->dispatcher;
            instance.effect.store (effect, std::memory_order_release);
            return &instance;
        }
        return nullptr;
    }

    void remove (Instance& instance)
    {
        std::lock_guard<std::mutex> g (tableLock);
        instance.effect.store (nullptr, std::memory_order_release);
    }

    // Copies text into a fixed field, cut to fit and always terminated.
    template <size_t size>
    void copyText (char (&field)[size], const std::string& text) noexcept
    {
        std::memset (field, 0, size);
        std::memcpy (field, text.data(), std::min (text.size(), size - 1));
    }
}

Vst2::AEffect* VstEntryPoint::open (Vst2::audioMasterCallback host, WrapperEntry wrapperEntry)
{
    ProcessorHandover::take(); // nothing left over from an earlier call on this thread
    auto* effect = wrapperEntry (host);
    auto* processor = ProcessorHandover::take();

    if (effect != nullptr && processor != nullptr && add (effect, *processor) != nullptr)
    {
        effect->setParameter = &VstEntryPoint::setParameter;
        effect->dispatcher = &VstEntryPoint::dispatch;
    }
    return effect;
}

// The host's parameter or audio thread.
void VstEntryPoint::setParameter (Vst2::AEffect* effect, int index, float value)
{
    auto* instance = find (effect);
    if (instance == nullptr)
        return;

    // The same test the wrapper makes before it drops a write.
    if (effect->getParameter (effect, index) == value)
        instance->processor->setSlotNormalised (index, value);
    else
        instance->wrapperSetParameter (effect, index, value);
}

Vst2::VstIntPtr VstEntryPoint::dispatch (Vst2::AEffect* effect, int opcode, int index, Vst2::VstIntPtr value, void* ptr, float opt)
{
    auto* instance = find (effect);
    if (instance == nullptr)
        return 0;

    const auto wrapperDispatcher = instance->wrapperDispatcher;
    if (opcode == Vst2::effClose)
    {
        // The wrapper deletes the effect and the processor.
        remove (*instance);
        return wrapperDispatcher (effect, opcode, index, value, ptr, opt);
    }

    const auto result = wrapperDispatcher (effect, opcode, index, value, ptr, opt);
    if ((opcode == Vst2::effGetInputProperties || opcode == Vst2::effGetOutputProperties) && result != 0 && ptr != nullptr)
    {
        // Channel i is called i + 1 (the flags and the arrangement stay the wrapper's).
        auto& pin = *static_cast<Vst2::VstPinProperties*> (ptr);
        copyText (pin.label, std::to_string (index + 1));
        copyText (pin.shortLabel, std::to_string (index + 1));
    }
    return result;
}

} // namespace zd8

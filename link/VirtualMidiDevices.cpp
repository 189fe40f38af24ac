#include "link/VirtualMidiDevices.h"

#include "link/VirtualMidiInPort.h"
#include "link/VirtualMidiOutPort.h"

#include <algorithm>
#include <mutex>
#include <vector>

namespace zd8
{

struct VirtualMidiDevices::Impl
{
    std::shared_ptr<VirtualMidiDevice> at (int index)
    {
        std::lock_guard<std::mutex> g (lock);
        if (index < 0 || index >= (int) devices.size())
            return nullptr;

        return devices[(size_t) index];
    }

    juce::StringArray names()
    {
        std::lock_guard<std::mutex> g (lock);
        juce::StringArray result;
        for (auto& d : devices)
            result.add (d->getName());

        return result;
    }

    mutable std::mutex lock;
    std::vector<std::shared_ptr<VirtualMidiDevice>> devices;
};

VirtualMidiDevices::VirtualMidiDevices() : impl (std::make_unique<Impl>()) {}
VirtualMidiDevices::~VirtualMidiDevices() = default;

void VirtualMidiDevices::add (std::shared_ptr<VirtualMidiDevice> device)
{
    if (device == nullptr)
        return;

    std::lock_guard<std::mutex> g (impl->lock);
    impl->devices.push_back (std::move (device));
}

void VirtualMidiDevices::remove (const std::shared_ptr<VirtualMidiDevice>& device)
{
    std::lock_guard<std::mutex> g (impl->lock);
    auto& v = impl->devices;
    v.erase (std::remove (v.begin(), v.end(), device), v.end());
}

int VirtualMidiDevices::size() const
{
    std::lock_guard<std::mutex> g (impl->lock);
    return (int) impl->devices.size();
}

// A virtual device offers the same name as an input and as an output.
juce::StringArray VirtualMidiDevices::getInputNames() { return impl->names(); }
juce::StringArray VirtualMidiDevices::getOutputNames() { return impl->names(); }

std::unique_ptr<MidiInPort> VirtualMidiDevices::openInput (int index, juce::MidiInputCallback* callback)
{
    if (auto device = impl->at (index))
        return std::make_unique<VirtualMidiInPort> (std::move (device), callback);

    return nullptr;
}

std::unique_ptr<MidiOutPort> VirtualMidiDevices::openOutput (int index)
{
    if (auto device = impl->at (index))
        return std::make_unique<VirtualMidiOutPort> (std::move (device));

    return nullptr;
}

VirtualMidiDevices& VirtualMidiDevices::shared()
{
    static VirtualMidiDevices instance;
    return instance;
}

} // namespace zd8

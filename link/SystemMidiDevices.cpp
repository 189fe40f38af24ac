#include "link/SystemMidiDevices.h"

#include "link/JuceMidiDevices.h"
#include "link/VirtualMidiDevices.h"

namespace zd8
{

SystemMidiDevices::SystemMidiDevices()
    : ownedFirst (std::make_unique<JuceMidiDevices>()), first (*ownedFirst), second (VirtualMidiDevices::shared())
{
}

SystemMidiDevices::SystemMidiDevices (MidiDeviceProvider& a, MidiDeviceProvider& b) : first (a), second (b) {}

SystemMidiDevices::~SystemMidiDevices() = default;

juce::StringArray SystemMidiDevices::getInputNames()
{
    auto names = first.getInputNames();
    names.addArray (second.getInputNames());
    return names;
}

juce::StringArray SystemMidiDevices::getOutputNames()
{
    auto names = first.getOutputNames();
    names.addArray (second.getOutputNames());
    return names;
}

// The first list is read again at each open, so an index means what the list said
// at that moment (as with any device list that may change under us).
std::unique_ptr<MidiInPort> SystemMidiDevices::openInput (int index, juce::MidiInputCallback* callback)
{
    if (index < 0)
        return nullptr;

    const int firstCount = first.getInputNames().size();
    return index < firstCount ? first.openInput (index, callback) : second.openInput (index - firstCount, callback);
}

std::unique_ptr<MidiOutPort> SystemMidiDevices::openOutput (int index)
{
    if (index < 0)
        return nullptr;

    const int firstCount = first.getOutputNames().size();
    return index < firstCount ? first.openOutput (index) : second.openOutput (index - firstCount);
}

} // namespace zd8

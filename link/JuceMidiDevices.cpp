#include "link/JuceMidiDevices.h"

#include "link/JuceMidiInPort.h"
#include "link/JuceMidiOutPort.h"

namespace zd8
{

namespace
{
    juce::StringArray namesOf (const juce::Array<juce::MidiDeviceInfo>& devices)
    {
        juce::StringArray names;
        for (const auto& d : devices)
            names.add (d.name);
        return names;
    }
}

juce::StringArray JuceMidiDevices::getInputNames()
{
    return namesOf (juce::MidiInput::getAvailableDevices());
}

juce::StringArray JuceMidiDevices::getOutputNames()
{
    return namesOf (juce::MidiOutput::getAvailableDevices());
}

std::unique_ptr<MidiInPort> JuceMidiDevices::openInput (int index, juce::MidiInputCallback* callback)
{
    const auto devices = juce::MidiInput::getAvailableDevices();
    if (callback == nullptr || ! juce::isPositiveAndBelow (index, devices.size()))
        return nullptr;

    if (auto input = juce::MidiInput::openDevice (devices[index].identifier, callback))
        return std::make_unique<JuceMidiInPort> (std::move (input));

    return nullptr;
}

std::unique_ptr<MidiOutPort> JuceMidiDevices::openOutput (int index)
{
    const auto devices = juce::MidiOutput::getAvailableDevices();
    if (! juce::isPositiveAndBelow (index, devices.size()))
        return nullptr;

    if (auto output = juce::MidiOutput::openDevice (devices[index].identifier))
        return std::make_unique<JuceMidiOutPort> (std::move (output));

    return nullptr;
}

} // namespace zd8

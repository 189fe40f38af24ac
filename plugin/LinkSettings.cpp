#include "plugin/LinkSettings.h"

#include "link/PortFile.h"

namespace zd8
{

namespace
{
    constexpr int rateTable[LinkSettings::numRateIndexes] = { 44100, 48000, 88200, 96000, 176400, 192000 };
}

LinkSettings::LinkSettings (LinkEnvironment& env) : environment (env)
{
    for (auto& d : delays)
        d = 0;

    settings.load (environment.folder);
    const int channel = settings.getInt (SettingsList::midiChannelEntry);
    if (channel < 1 || channel > 16)
        settings.set (SettingsList::midiChannelEntry, "1");
    midiChannel = 1; // the window always starts on channel 1
}

//==============================================================================
// Ports

void LinkSettings::openPorts (juce::MidiInputCallback& input)
{
    {
        std::lock_guard<std::mutex> g (portNamesLock);
        portNames.addArray ({ "NONE", "NONE", "NONE" });
        PortFile::load (environment.folder, portNames);
    }
    ports = std::make_unique<InstrumentPorts> (environment, input);
    ports->openStoredPorts (getPortNames());
}

void LinkSettings::closePorts()
{
    ports.reset();
}

void LinkSettings::rememberPortName (int entry, const juce::StringArray& devices, int n)
{
    std::lock_guard<std::mutex> g (portNamesLock);
    if (n == 0)
        portNames.set (entry, "NONE");
    else if (n >= 1 && n <= devices.size())
        portNames.set (entry, devices[n - 1]); // a number beyond the list leaves the name
}

void LinkSettings::selectInputPort (int n)
{
    rememberPortName (0, ports->getInputNames(), n);
    ports->openInput (n);
}

void LinkSettings::selectOutputPort (int n)
{
    rememberPortName (1, ports->getOutputNames(), n);
    ports->openOutput (n);
}

juce::StringArray LinkSettings::getPortNames() const
{
    std::lock_guard<std::mutex> g (portNamesLock);
    return portNames;
}

void LinkSettings::savePortFile() const
{
    PortFile::save (environment.folder, getPortNames());
}

//==============================================================================
// Settings and flags

void LinkSettings::readFlagsAndDelays()
{
    clockOn = settings.getInt (SettingsList::clockOnEntry) == 1;
    thruHostToOut = settings.getInt (SettingsList::thruHostToOutEntry) == 1;
    thruInToHost = settings.getInt (SettingsList::thruInToHostEntry) == 1;
    programChangeByAutomation = settings.getInt (SettingsList::programChangeByAutomationEntry) == 1;

    settings.validateLatencyEntries();
    for (int i = 0; i < numRateIndexes; ++i)
        delays[(size_t) i] = juce::jlimit (0, maxDelayMs, settings.getInt (SettingsList::firstDelayEntry + i));
    // A hand-edited negative delay would schedule sends in the past.
    delays[6] = juce::jlimit (0, maxDelayMs, settings.getInt (SettingsList::seventhDelayEntry));
}

void LinkSettings::setClockOn (bool on)
{
    clockOn = on;
    settings.set (SettingsList::clockOnEntry, on ? "1" : "0");
}

void LinkSettings::setThruHostToOut (bool on)
{
    thruHostToOut = on;
    settings.set (SettingsList::thruHostToOutEntry, on ? "1" : "0");
}

void LinkSettings::setThruInToHost (bool on)
{
    thruInToHost = on;
    settings.set (SettingsList::thruInToHostEntry, on ? "1" : "0");
}

void LinkSettings::setProgramChangeByAutomation (bool on)
{
    programChangeByAutomation = on;
    settings.set (SettingsList::programChangeByAutomationEntry, on ? "1" : "0");
}

//==============================================================================
// Timing

void LinkSettings::setSampleRate (double rate) noexcept
{
    sampleRate = rate;
    const int r = (int) rate;
    int index = 0;
    for (int i = 0; i < numRateIndexes; ++i)
        if (rateTable[i] == r)
            index = i;
    rateIndex = index;
}

int LinkSettings::getCurrentDelay() const noexcept
{
    return delays[(size_t) juce::jlimit (0, numRateIndexes - 1, rateIndex.load())].load();
}

int LinkSettings::getDelay (int index) const noexcept
{
    return juce::isPositiveAndBelow (index, (int) delays.size()) ? delays[(size_t) index].load() : 0;
}

std::array<int, LinkSettings::numDelays> LinkSettings::getDelays() const noexcept
{
    std::array<int, numDelays> d {};
    for (size_t i = 0; i < d.size(); ++i)
        d[i] = delays[i].load();
    return d;
}

void LinkSettings::setDelay (int index, int milliseconds)
{
    if (! juce::isPositiveAndBelow (index, numDelays))
        return;

    const auto entryOf = [] (int i) { return i < numRateIndexes ? SettingsList::firstDelayEntry + i : SettingsList::seventhDelayEntry; };

    // Without the marker the next start would reset every delay entry: put the marker
    // back and the whole table with it, so that the list holds what the engine uses.
    if (settings.get (SettingsList::latencyMarkerEntry) != SettingsList::latencyMarker)
    {
        settings.validateLatencyEntries();
        for (int i = 0; i < numDelays; ++i)
            settings.set (entryOf (i), juce::String (delays[(size_t) i].load()));
    }

    const int ms = juce::jlimit (0, maxDelayMs, milliseconds);
    delays[(size_t) index] = ms;   // the audio thread reads it at the next block
    settings.set (entryOf (index), juce::String (ms));
}

void LinkSettings::setMidiChannel (int channel) noexcept
{
    if (channel >= 1 && channel <= 16)
        midiChannel = channel;
}

} // namespace zd8

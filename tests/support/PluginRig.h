#pragma once

#include "link/LinkEnvironment.h"
#include "link/VirtualMidiDevices.h"
#include "sim/InstrumentSimulator.h"
#include "support/ManualTimeline.h"

#include <memory>

namespace zd8test
{

/** Everything a plug-in under test needs: a temporary plug-in folder, a manual clock
    and timers, and the instrument simulator as the only MIDI device, stored in the
    port file so that the hub opens it at construction. */
struct PluginRig
{
    explicit PluginRig (bool storeSimulatorPorts = true);
    ~PluginRig();

    /** Writes settings entries (index, text) into the settings file before the hub
        reads it: the rest stays at the defaults. */
    void writeSettings (const std::vector<std::pair<int, juce::String>>& entries);

    /** Waits until the simulator received count messages and everything it sent was
        handled. */
    bool settle (size_t expectedAtSimulator = 0);

    /** One round trip of a transfer: the instrument answers what was sent, then the
        transfer engine's broadcast is delivered. true when that made the plug-in send
        something more. */
    bool roundTrip (juce::ChangeBroadcaster& transferEngine);
    /** Round trips until the plug-in sends nothing more. */
    void pumpTransfers (juce::ChangeBroadcaster& transferEngine);

    /** What the simulator received, as hex lines "B0 07 64". */
    std::vector<juce::String> receivedHex() const;

    juce::File folder;
    ManualTimeline timeline;
    zd8::VirtualMidiDevices devices;
    zd8sim::InstrumentSimulator simulator;
    zd8::LinkEnvironment environment;
};

juce::String toHex (const std::vector<juce::uint8>& bytes);

} // namespace zd8test

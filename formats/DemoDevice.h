#pragma once

#include "sim/InstrumentSimulator.h"

#include <juce_core/juce_core.h>
#include <juce_events/juce_events.h>

namespace zd8
{

/** The instrument simulator as a demo device: it appears as "ZD8 Simulator" in the
    port lists, beside the real devices. The stand-alone program always brings it
    along; every format does with ZD8_DEMO_DEVICE=1 in its environment (the host tests,
    where no MIDI device exists). With ZD8_DEMO_DEVICE_LOG=<file> each message the
    device receives is appended to the file as one line of hex bytes ("F0 07 46 ..."),
    so that a test outside the process sees what reached the instrument.

    One per process, made on first use (message thread, or the host's thread that
    creates a plug-in); deleted when JUCE shuts down with the last instance, and made
    anew by the next one. */
class DemoDevice : public juce::DeletedAtShutdown,
                   private juce::MidiInputCallback
{
public:
    static constexpr const char* enableVariable = "ZD8_DEMO_DEVICE";
    static constexpr const char* logVariable = "ZD8_DEMO_DEVICE_LOG";

    /** Adds the device when this format wants it (the stand-alone program, or the
        environment asks for it); does nothing otherwise or when it is already there. */
    static void addIfWanted (bool standalone);

    ~DemoDevice() override;

    JUCE_DECLARE_SINGLETON (DemoDevice, false)

private:
    DemoDevice();

    // The device's toDevice cable thread: logs, then hands the message to the simulator.
    void handleIncomingMidiMessage (juce::MidiInput*, const juce::MidiMessage& message) override;
    void handlePartialSysexMessage (juce::MidiInput*, const juce::uint8* data, int size, double time) override;

    zd8sim::InstrumentSimulator simulator;
    juce::File logFile;

    JUCE_DECLARE_NON_COPYABLE (DemoDevice)
};

} // namespace zd8

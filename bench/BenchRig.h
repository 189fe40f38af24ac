#pragma once

#include "link/LinkEnvironment.h"
#include "link/VirtualMidiDevices.h"
#include "sim/InstrumentSimulator.h"

#include <juce_events/juce_events.h>

/** A plug-in folder of its own whose port file picks a virtual device nobody listens
    to, so a benchmark measures the plug-in's own cost. */
struct BenchRig
{
    BenchRig()
    {
        folder.createDirectory();
        // A device nobody listens to: the cost measured is the plug-in's own.
        devices.add (sink);
        storePorts (folder, "Bench Sink");
    }

    static juce::File newFolder()
    {
        return juce::File::getSpecialLocation (juce::File::tempDirectory).getChildFile ("zd8bench-" + juce::Uuid().toString());
    }

    /** The port file (input name 0F output name 10, third entry 11) choosing one device
        both ways, and default settings: clock off, zero delays. */
    static void storePorts (const juce::File& folder, const juce::String& device)
    {
        juce::MemoryOutputStream ports;
        ports << device;
        ports.writeByte (0x0F);
        ports << device;
        ports.writeByte (0x10);
        ports.writeByte (0x11);
        folder.getChildFile ("zd8ports.dat").replaceWithData (ports.getData(), ports.getDataSize());
        folder.getChildFile ("brisipzd8.dat").replaceWithText ("", false, false, nullptr);
    }

    ~BenchRig()
    {
        devices.remove (sink);
        folder.deleteRecursively();
    }

    // Set here, not in the constructor's body: the environment below takes a copy.
    juce::File folder = BenchRig::newFolder();
    std::shared_ptr<zd8::VirtualMidiDevice> sink = std::make_shared<zd8::VirtualMidiDevice> ("Bench Sink");
    zd8::VirtualMidiDevices devices;
    zd8::LinkEnvironment environment { devices, zd8::TimeSource::system(), zd8::TimerFactory::system(), folder };
};

/** A plug-in folder of its own whose port file picks the instrument simulator, on the
    system clock: what crosses the in-process cables is answered at once, so a
    benchmark measures the plug-in, the simulator and the two cable threads. */
struct InstrumentBenchRig
{
    InstrumentBenchRig()
    {
        folder.createDirectory();
        devices.add (simulator.getDevice());
        BenchRig::storePorts (folder, zd8sim::InstrumentSimulator::defaultName);
    }

    ~InstrumentBenchRig()
    {
        devices.remove (simulator.getDevice());
        folder.deleteRecursively();
    }

    juce::File folder = BenchRig::newFolder();
    zd8sim::InstrumentSimulator simulator;
    zd8::VirtualMidiDevices devices;
    zd8::LinkEnvironment environment { devices, zd8::TimeSource::system(), zd8::TimerFactory::system(), folder };
};

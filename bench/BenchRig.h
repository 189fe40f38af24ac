#pragma once

#include "link/LinkEnvironment.h"
#include "link/VirtualMidiDevices.h"

#include <juce_events/juce_events.h>

/** A plug-in folder of its own whose port file picks a virtual device nobody listens
    to, so a benchmark measures the plug-in's own cost. */
struct BenchRig
{
    BenchRig()
    {
        folder = juce::File::getSpecialLocation (juce::File::tempDirectory).getChildFile ("zd8bench-" + juce::Uuid().toString());
        folder.createDirectory();
        // A device nobody listens to: the cost measured is the plug-in's own.
        devices.add (sink);
        juce::MemoryOutputStream ports;
        ports << "Bench Sink";
        ports.writeByte (0x0F);
        ports << "Bench Sink";
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

    juce::File folder;
    std::shared_ptr<zd8::VirtualMidiDevice> sink = std::make_shared<zd8::VirtualMidiDevice> ("Bench Sink");
    zd8::VirtualMidiDevices devices;
    zd8::LinkEnvironment environment { devices, zd8::TimeSource::system(), zd8::TimerFactory::system(), folder };
};

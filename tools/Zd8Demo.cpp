// The headless run: loads the plug-in's processor, connects the instrument simulator
// as its MIDI device, asks the instrument who it is, selects a program, plays a note
// each way, and prints everything that crossed the cable.

#include "link/VirtualMidiDevices.h"
#include "plugin/VantorAudioProcessor.h"
#include "sim/InstrumentSimulator.h"

#include <iostream>

namespace
{
    juce::String hex (const std::vector<juce::uint8>& bytes)
    {
        juce::StringArray parts;
        for (auto b : bytes)
            parts.add (juce::String::toHexString ((int) b).paddedLeft ('0', 2).toUpperCase());
        return parts.joinIntoString (" ");
    }

    juce::String describe (const std::vector<juce::uint8>& b)
    {
        if (b.size() == 6 && b[0] == 0xF0 && b[1] == 0x7E && b[3] == 0x06 && b[4] == 0x01)
            return "identity request";
        if (b.size() == 10 && b[0] == 0xF0 && b[5] == 0x20)
            return "channel " + juce::String (b[6] + 1) + " program select " + juce::String (b[7] * 128 + b[8]);
        if (! b.empty() && (b[0] & 0xF0) == 0xB0 && b.size() == 3)
            return "control change " + juce::String (b[1]) + " = " + juce::String (b[2]) + " on channel " + juce::String ((b[0] & 0x0F) + 1);
        if (! b.empty() && (b[0] & 0xF0) == 0x90 && b.size() == 3)
            return "note on " + juce::MidiMessage::getMidiNoteName (b[1], true, true, 3);
        return {};
    }

    bool waitFor (std::function<bool()> condition, int timeoutMs = 2000)
    {
        for (int waited = 0; waited < timeoutMs; waited += 5)
        {
            if (condition())
                return true;
            juce::Thread::sleep (5);
        }
        return condition();
    }

    void printReceived (zd8sim::InstrumentSimulator& sim, size_t& shown)
    {
        const auto got = sim.getReceived();
        for (; shown < got.size(); ++shown)
            std::cout << "  plug-in -> instrument  " << hex (got[shown].bytes) << "   " << describe (got[shown].bytes) << "\n";
    }
}

int main()
{
    juce::ScopedJuceInitialiser_GUI juce;

    // A folder of its own, so the run never touches a user's settings or banks.
    const auto folder = juce::File::getSpecialLocation (juce::File::tempDirectory).getChildFile ("zd8-demo-" + juce::Uuid().toString());
    folder.createDirectory();
    juce::MemoryOutputStream ports;
    ports << zd8sim::InstrumentSimulator::defaultName;
    ports.writeByte (0x0F);
    ports << zd8sim::InstrumentSimulator::defaultName;
    ports.writeByte (0x10);
    ports << "NONE";
    ports.writeByte (0x11);
    folder.getChildFile ("zd8ports.dat").replaceWithData (ports.getData(), ports.getDataSize());

    zd8sim::InstrumentSimulator sim;
    zd8::VirtualMidiDevices devices;
    devices.add (sim.getDevice());
    zd8::LinkEnvironment environment { devices, zd8::TimeSource::system(), zd8::TimerFactory::system(), folder };

    int failures = 0;
    auto check = [&failures] (bool ok, const char* what) {
        std::cout << (ok ? "ok      " : "FAILED  ") << what << "\n";
        failures += ok ? 0 : 1;
    };

    {
        zd8::VantorAudioProcessor plugin (environment);
        auto& hub = plugin.getHub();
        plugin.prepareToPlay (48000.0, 512);
        size_t shown = 0;

        std::cout << "Brisvane VST with " << plugin.getParameters().size() << " parameters and "
                  << plugin.getNumPrograms() << " Arrangements\n";
        const auto names = hub.getPortNames();
        std::cout << "MIDI in: " << names[0] << (hub.getPorts().isInputOpen() ? " (open)" : " (closed)")
                  << ", MIDI out: " << names[1] << (hub.getPorts().isOutputOpen() ? " (open)" : " (closed)") << "\n\n";

        std::cout << "Identity:\n";
        hub.requestIdentity();
        const bool online = waitFor ([&] { return hub.getDeviceName().isNotEmpty(); });
        sim.waitForReceived (8);
        printReceived (sim, shown);
        std::cout << "  instrument -> plug-in  identity reply\n";
        std::cout << "  shown: " << (online ? hub.getDeviceName() + ": ON-LINE" : juce::String ("OFF-LINE")) << "\n";
        check (online && hub.getDeviceName() == "BRISVANE ZD8", "the instrument answers as BRISVANE ZD8");

        std::cout << "\nProgram 643 on channel 1 from host automation:\n";
        auto& params = plugin.getParameters();
        params[14]->setValueNotifyingHost (5.0f / 31.0f);
        params[15]->setValueNotifyingHost (3.0f / 127.0f);
        waitFor ([&] { return sim.getChannelProgram (0) == 643; });
        printReceived (sim, shown);
        check (sim.getChannelProgram (0) == 643, "the instrument plays program 643 on channel 1");

        std::cout << "\nA note from the host to the instrument:\n";
        juce::AudioBuffer<float> audio (2, 512);
        juce::MidiBuffer midi;
        midi.addEvent (juce::MidiMessage::noteOn (1, 64, (juce::uint8) 100), 0);
        plugin.processBlock (audio, midi);
        waitFor ([&] { return sim.getReceived().size() > shown; });
        printReceived (sim, shown);
        check (midi.isEmpty(), "host MIDI is not passed through");

        std::cout << "\nA note from the instrument to the host:\n";
        hub.setThruInToHost (true);
        sim.sendNoteOn (1, 67, 90);
        sim.waitUntilDelivered();
        std::cout << "  instrument -> plug-in  90 43 5A   " << describe ({ 0x90, 67, 90 }) << "\n";
        juce::MidiBuffer out;
        plugin.processBlock (audio, out);
        for (const auto m : out)
            std::cout << "  plug-in -> host        " << m.getMessage().getDescription() << " at sample " << m.samplePosition << "\n";
        check (out.getNumEvents() == 1, "the instrument's note reaches the host");
    }

    devices.remove (sim.getDevice());
    folder.deleteRecursively();
    std::cout << "\n" << (failures == 0 ? "Demo finished: all steps worked." : "Demo finished with failures.") << "\n";
    return failures == 0 ? 0 : 1;
}

// zd8-sim: the instrument simulator on real MIDI ports, as a demo device.
//   zd8-sim               lists the system's MIDI inputs and outputs
//   zd8-sim --port NAME   acts as the instrument on the input/output pair NAME until
//                         interrupted (Ctrl-C)

#include "sim/InstrumentSimulator.h"
#include "sim/MidiOutputForwarder.h"

#include <atomic>
#include <chrono>
#include <csignal>
#include <iostream>
#include <thread>

namespace
{

std::atomic<bool> interrupted { false };

extern "C" void onSignal (int) { interrupted = true; }

const juce::MidiDeviceInfo* findByName (const juce::Array<juce::MidiDeviceInfo>& devices, const juce::String& name)
{
    for (const auto& d : devices)
        if (d.name == name)
            return &d;
    return nullptr;
}

void list (const char* title, const juce::Array<juce::MidiDeviceInfo>& devices)
{
    std::cout << title << '\n';
    for (const auto& d : devices)
        std::cout << "  " << d.name << '\n';
}

int usage()
{
    std::cerr << "usage: zd8-sim [--port NAME]\n";
    return 2;
}

} // namespace

int main (int argc, char** argv)
{
    juce::String portName;
    if (argc == 3 && juce::String (argv[1]) == "--port")
        portName = juce::String::fromUTF8 (argv[2]);
    else if (argc != 1)
        return usage();

    juce::ScopedJuceInitialiser_GUI juceInit;
    const auto inputs = juce::MidiInput::getAvailableDevices();
    const auto outputs = juce::MidiOutput::getAvailableDevices();

    if (inputs.isEmpty() && outputs.isEmpty())
    {
        std::cout << "No MIDI devices found.\n";
        return portName.isEmpty() ? 0 : 1;
    }

    if (portName.isEmpty())
    {
        list ("MIDI inputs:", inputs);
        list ("MIDI outputs:", outputs);
        return 0;
    }

    const auto* inputInfo = findByName (inputs, portName);
    const auto* outputInfo = findByName (outputs, portName);
    if (inputInfo == nullptr || outputInfo == nullptr)
    {
        std::cerr << "No MIDI input and output named \"" << portName << "\".\n";
        return 1;
    }

    auto output = juce::MidiOutput::openDevice (outputInfo->identifier);
    zd8sim::InstrumentSimulator simulator;
    auto input = output != nullptr ? juce::MidiInput::openDevice (inputInfo->identifier, &simulator.getInputCallback())
                                   : nullptr;
    if (output == nullptr || input == nullptr)
    {
        std::cerr << "Could not open \"" << portName << "\".\n";
        return 1;
    }

    zd8sim::MidiOutputForwarder forwarder (*output);
    simulator.getDevice()->fromDevice.connect (&forwarder);

    std::signal (SIGINT, onSignal);
    std::signal (SIGTERM, onSignal);
    input->start();
    std::cout << "Acting as the ZD8 on \"" << portName << "\"; Ctrl-C ends.\n";

    while (! interrupted)
        std::this_thread::sleep_for (std::chrono::milliseconds (100));

    input->stop();
    input.reset();
    simulator.getDevice()->fromDevice.connect (nullptr);
    std::cout << "Received " << simulator.getReceived().size() << " messages.\n";
    return 0;
}

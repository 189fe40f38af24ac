#include "link/JuceMidiInPort.h"

namespace zd8
{

JuceMidiInPort::JuceMidiInPort (std::unique_ptr<juce::MidiInput> in) : input (std::move (in))
{
    jassert (input != nullptr);
}

JuceMidiInPort::~JuceMidiInPort()
{
    input->stop();
}

juce::String JuceMidiInPort::getName() const { return input->getName(); }
void JuceMidiInPort::start() { input->start(); }
void JuceMidiInPort::stop() { input->stop(); }

} // namespace zd8

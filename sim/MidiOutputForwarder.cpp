#include "sim/MidiOutputForwarder.h"

namespace zd8sim
{

void MidiOutputForwarder::handleIncomingMidiMessage (juce::MidiInput*, const juce::MidiMessage& message)
{
    output.sendMessageNow (message);
}

} // namespace zd8sim

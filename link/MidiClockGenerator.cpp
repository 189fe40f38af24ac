#include "link/MidiClockGenerator.h"

namespace zd8
{

MidiClockGenerator::MidiClockGenerator()
    : clock (juce::MidiMessage::midiClock()),
      continueMessage (juce::MidiMessage::midiContinue()),
      stop (juce::MidiMessage::midiStop()),
      songPosition (juce::MidiMessage::songPositionPointer (0))
{
}

void MidiClockGenerator::generateClock (const HostPosition&, juce::MidiBuffer&, int, double)
{
}

} // namespace zd8

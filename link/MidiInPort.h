#pragma once

#include <juce_core/juce_core.h>

namespace zd8
{

/** An open MIDI input. Its messages reach the juce::MidiInputCallback it was opened
    with, on the input's own thread, once started. */
class MidiInPort
{
public:
    virtual ~MidiInPort() = default;

    virtual juce::String getName() const = 0;
    virtual void start() = 0;
    virtual void stop() = 0;
};

} // namespace zd8

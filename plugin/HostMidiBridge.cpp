#include "plugin/HostMidiBridge.h"

#include "link/LockWatch.h"
#include "plugin/ChannelMessages.h"

#include <cmath>

namespace zd8
{

HostMidiBridge::HostMidiBridge (TimeSource& t, juce::CriticalSection& lock, NoticeBoard& n)
    : time (t), hubLock (lock), notices (n)
{
    hostBound.ensureSize (8192);
    hostBoundSpare.ensureSize (8192);
    epochMs = time.nowMs();
}

//==============================================================================
// Host MIDI (audio thread)

void HostMidiBridge::trackHostMidi (const juce::MidiMessage& message)
{
    if (! ChannelMessages::isWellFormed (message.getRawData(), (size_t) message.getRawDataSize()))
        return;
    const int channel = message.getChannel() - 1;

    if (message.isController())
    {
        const int controller = message.getControllerNumber();
        const int value = message.getControllerValue();

        if (controller == ChannelMessages::bankSelectMsb)
            return;

        // Controller 1 carries the channel as 0..15, the others as 1..16.
        const bool modulation = controller == ChannelMessages::modulationWheel;
        notices.post (Notice::controller (modulation ? channel : channel + 1, controller, value));

        if (controller == ChannelMessages::allNotesOff)
            for (int n = 0; n < 128; ++n)
            {
                setNoteHeld (n, false);
                notices.post (Notice::noteOff (channel, n));
            }
    }
    else if (message.isNoteOn())
    {
        setNoteHeld (message.getNoteNumber(), true);
        notices.post (Notice::noteOn (channel, message.getNoteNumber(), message.getVelocity()));
    }
    else if (message.isNoteOff())
    {
        setNoteHeld (message.getNoteNumber(), false);
        notices.post (Notice::noteOff (channel, message.getNoteNumber()));
    }
    else if (message.isPitchWheel())
    {
        notices.post (Notice::pitchBend (channel, message.getPitchWheelValue()));
    }
    else if (message.isProgramChange())
    {
        notices.post (Notice::programChange (channel + 1, message.getProgramChangeNumber()));
    }
}

//==============================================================================
// The buffer bound for the host

void HostMidiBridge::addToHostBuffer (const juce::MidiMessage& message)
{
    const juce::ScopedLock sl (hubLock);
    const int now = (int) std::floor (time.nowMs() - epochMs);
    hostBound.addEvent (message, now);

    // Keep only what arrived in the last 500 ms.
    if (! hostBound.isEmpty() && hostBound.getFirstEventTime() < now - (int) bufferWindowMs)
    {
        hostBoundSpare.clear();
        for (const auto m : hostBound)
            if (m.samplePosition >= now - (int) bufferWindowMs)
                hostBoundSpare.addEvent (m.data, m.numBytes, m.samplePosition);
        hostBound.swapWith (hostBoundSpare);
    }
}

void HostMidiBridge::mergeHostBoundMidi (juce::MidiBuffer& hostMidi, int numSamples)
{
    LockWatch::taken (LockWatch::hubLock);
    const juce::ScopedLock sl (hubLock);
    if (hostBound.isEmpty() || numSamples <= 0)
        return;

    const double first = hostBound.getFirstEventTime();
    const double last = hostBound.getLastEventTime();
    for (const auto m : hostBound)
    {
        const double pos = std::nearbyint ((m.samplePosition - first) * numSamples / (last - first + 1.0));
        hostMidi.addEvent (m.data, m.numBytes, juce::jlimit (0, numSamples - 1, (int) pos));
    }
    hostBound.clear();
}

void HostMidiBridge::resetHostBoundMidi()
{
    const juce::ScopedLock sl (hubLock);
    releaseAllNotes();
    hostBound.clear();
}

void HostMidiBridge::sendControllerToHost (int channel, int controller, int value)
{
    if (channel < 1 || channel > 16 || ! juce::isPositiveAndBelow (controller, 128) || ! juce::isPositiveAndBelow (value, 128))
        return;
    addToHostBuffer (juce::MidiMessage::controllerEvent (channel, controller, value));
}

void HostMidiBridge::sendPitchWheelToHost (int channel, int value)
{
    if (channel < 1 || channel > 16)
        return;
    addToHostBuffer (juce::MidiMessage::pitchWheel (channel, juce::jlimit (0, 16383, value)));
}

//==============================================================================
// Note table

void HostMidiBridge::releaseAllNotes() noexcept
{
    for (auto& n : noteTable)
        n = 0;
}

bool HostMidiBridge::isNoteHeld (int note) const noexcept
{
    return juce::isPositiveAndBelow (note, 128) && noteTable[(size_t) note].load() != 0;
}

} // namespace zd8

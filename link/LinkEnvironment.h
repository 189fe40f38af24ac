#pragma once

#include "link/MidiDeviceProvider.h"
#include "link/TimeSource.h"
#include "link/TimerFactory.h"

namespace zd8
{

/** What the link to the instrument needs from the world: MIDI devices, a millisecond
    clock, message-thread timers and the folder for the plug-in's files. The product
    uses system(); tests hand in virtual devices, a manual clock and a temporary
    folder. */
struct LinkEnvironment
{
    /** The plug-in's folder inside the user's application data folder. */
    static constexpr const char* folderName = "Vantor ZD8";

    MidiDeviceProvider& devices;
    TimeSource& time;
    TimerFactory& timers;
    juce::File folder;

    /** JUCE's MIDI devices followed by the process's virtual devices, the system clock,
        juce::Timer, and the folder "Vantor ZD8" in the user's application data. */
    static LinkEnvironment system();
};

} // namespace zd8

#include "link/LinkEnvironment.h"

#include "link/SystemMidiDevices.h"

namespace zd8
{

LinkEnvironment LinkEnvironment::system()
{
    static SystemMidiDevices devices;

    return { devices,
             TimeSource::system(),
             TimerFactory::system(),
             juce::File::getSpecialLocation (juce::File::userApplicationDataDirectory).getChildFile (folderName) };
}

} // namespace zd8

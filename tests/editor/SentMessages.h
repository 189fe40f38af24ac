#pragma once

#include <juce_core/juce_core.h>

#include <vector>

namespace zd8test
{

/** What the instrument simulator receives for the window's choices and mixer values, as
    the hex texts of PluginRig::receivedHex(). */
struct SentMessages
{
    /** The seven controller messages that address one mixer value (A5) of a channel. */
    static std::vector<juce::String> mixerValue (int channel, int a5, int value);
    /** The channel program select (system exclusive 0x20). */
    static juce::String programSelect (int channel, int program);
    /** The multi select (system exclusive 0x11). */
    static juce::String multiSelect (int multi);
};

} // namespace zd8test

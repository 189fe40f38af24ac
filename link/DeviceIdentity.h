#pragma once

#include <juce_core/juce_core.h>

namespace zd8
{

/** Names the device that sent a MIDI identity reply. */
class DeviceIdentity
{
public:
    static constexpr const char* unknownDevice = "Connected - Device Unknown";

    /** Runs the four model tests on the reply (offsets in the full message, F0 at 0; a
        missing byte reads as 0); each test that matches replaces the name, so the
        result is previous when none matches. */
    static juce::String nameFromReply (const juce::uint8* message, size_t size, const juce::String& previous);
};

} // namespace zd8

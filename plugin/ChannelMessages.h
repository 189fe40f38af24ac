#pragma once

#include <juce_core/juce_core.h>

namespace zd8
{

/** MIDI channel-message facts the engine's parts share: the controller numbers they
    treat apart from the others, and the check that keeps a garbled message out. */
struct ChannelMessages
{
    static constexpr int bankSelectMsb = 0;
    static constexpr int modulationWheel = 1;
    static constexpr int panController = 10;
    static constexpr int bankSelectLsb = 32;
    static constexpr int allNotesOff = 123;

    /** A channel message of the right length whose data bytes are all below 0x80: only
        those are read, so a garbled one can never index outside the note table. */
    static bool isWellFormed (const juce::uint8* data, size_t size) noexcept
    {
        if (data == nullptr || size == 0 || data[0] < 0x80 || data[0] >= 0xF0)
            return false;
        const size_t expected = ((data[0] & 0xF0) == 0xC0 || (data[0] & 0xF0) == 0xD0) ? 2 : 3;
        if (size < expected)
            return false;
        for (size_t i = 1; i < expected; ++i)
            if (data[i] >= 0x80)
                return false;
        return true;
    }
};

} // namespace zd8

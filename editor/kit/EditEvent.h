#pragma once

#include <juce_core/juce_core.h>

namespace zd8
{

/** The 64-bit word in which widgets and pages report a user action to their owner:
    code in bits 48..63, slot (or channel parameter number) in bits 32..47, sub-kind in
    bits 20..31, channel 0..15 in bits 16..19, value (signed 16-bit) in bits 0..15. */
class EditEvent
{
public:
    // Codes used across the pages.
    static constexpr int valueDragged = 1;
    static constexpr int pointerEntered = 2;
    static constexpr int pointerLeft = 3;
    static constexpr int menuRequest = 4;
    static constexpr int toggled = 6;
    static constexpr int chosen = 7;
    static constexpr int channelEvent = 12;
    static constexpr int closePage = 13;
    static constexpr int selectedQuietly = 14;
    static constexpr int openTable = 16;
    static constexpr int fieldChanged = 17;
    static constexpr int fieldPressed = 18;
    static constexpr int entryRequested = 19;
    static constexpr int writeRequested = 20;
    static constexpr int writeRequestedAlt = 21;
    static constexpr int writeDone = 26;

    static juce::uint64 make (int code, int slot, int subKind, int channel, int value) noexcept
    {
        return ((juce::uint64) (juce::uint16) code << 48)
             | ((juce::uint64) (juce::uint16) slot << 32)
             | ((juce::uint64) (subKind & 0xfff) << 20)
             | ((juce::uint64) (channel & 0xf) << 16)
             | (juce::uint64) (juce::uint16) value;
    }

    static int code (juce::uint64 e) noexcept { return (int) ((e >> 48) & 0xffff); }
    static int slot (juce::uint64 e) noexcept { return (int) ((e >> 32) & 0xffff); }
    static int subKind (juce::uint64 e) noexcept { return (int) ((e >> 20) & 0xfff); }
    static int channel (juce::uint64 e) noexcept { return (int) ((e >> 16) & 0xf); }
    /** The value as a signed 16-bit number. */
    static int value (juce::uint64 e) noexcept { return (int) (juce::int16) (e & 0xffff); }
};

} // namespace zd8

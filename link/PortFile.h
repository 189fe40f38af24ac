#pragma once

#include <juce_core/juce_core.h>

namespace zd8
{

/** "zd8ports.dat": input name, 0x0F, output name, 0x10, third name, 0x11; one byte per
    character (the low 8 bits of its code), no header, no terminator. */
class PortFile
{
public:
    static constexpr const char* fileName = "zd8ports.dat";

    static juce::MemoryBlock encode (const juce::StringArray& portNames);

    /** Fills entries 0 and 1 of portNames when the bytes hold both markers above
        position 0; returns false (and changes nothing) otherwise. */
    static bool decode (const juce::MemoryBlock& bytes, juce::StringArray& portNames);

    /** Reads the file in folder into portNames (padded to three "NONE" entries first);
        a missing file, or one of fewer than three bytes, is written from the names. */
    static void load (const juce::File& folder, juce::StringArray& portNames);
    static bool save (const juce::File& folder, const juce::StringArray& portNames);
};

} // namespace zd8

#pragma once

#include <juce_core/juce_core.h>

namespace zd8
{

/** The user's settings: 55 texts kept in "brisipzd8.dat" in the plug-in's folder,
    each written as "^|" + entry + "|^", in order, as one 8-bit text. */
class SettingsList
{
public:
    static constexpr int size = 55;
    static constexpr const char* fileName = "brisipzd8.dat";

    // Entries that are read (decimal integers).
    static constexpr int thruHostToOutEntry = 8;
    static constexpr int latencyMarkerEntry = 10;
    static constexpr int firstDelayEntry = 11;        // 11..16: delay for rate index 0..5
    static constexpr int bufferRangeEntry = 17;
    static constexpr int seventhDelayEntry = 18;
    static constexpr int midiChannelEntry = 42;
    static constexpr int clockOnEntry = 43;
    static constexpr int thruInToHostEntry = 46;
    static constexpr int programChangeByAutomationEntry = 47;

    static constexpr const char* latencyMarker = "333";

    SettingsList();

    void resetToDefaults();

    const juce::String& get (int index) const;
    /** The entry as a decimal integer; text that is not a number reads as 0. */
    int getInt (int index) const;
    void set (int index, const juce::String& text);

    /** When the latency marker is missing, entries 10..18 are reset to the marker,
        six zero delays, "402" and "0". */
    void validateLatencyEntries();

    /** "^|e0|^^|e1|^..." */
    juce::String toText() const;
    /** Splits a settings text; more than two entries are taken (at most 55, padded
        with "0"), otherwise the defaults. */
    void fromText (const juce::String& text);

    /** Reads the file in folder; a missing file gives the defaults and is written. */
    void load (const juce::File& folder);
    /** Writes the file in folder, unless it still exists and already holds exactly
        this text as last read or written by this list. */
    bool save (const juce::File& folder);

private:
    juce::StringArray entries;
    // What the file held when this list last read or wrote it, and which file.
    juce::File knownFile;
    juce::MemoryBlock knownBytes;
};

} // namespace zd8

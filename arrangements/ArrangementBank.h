#pragma once

#include "model/ParameterTable.h"

#include <juce_core/juce_core.h>

#include <mutex>

namespace zd8
{

/** The bank of 64 Arrangement records (300 bytes each, big-endian numbers): the
    plug-in's program list as the host sees it. */
class ArrangementBank
{
public:
    static constexpr int numSlots = 64;
    static constexpr int recordSize = 300;
    static constexpr int nameLength = 24;
    static constexpr int blockSize = numSlots * recordSize;

    ArrangementBank();

    /** The 64 default records: "EDM", "Hip Hop", "Rock" and 61 empty slots. */
    void fillDefaults();

    /** 24 characters, each byte taken as the character of that code. Empty for a slot
        outside 0..63. */
    juce::String getName (int slot) const;
    /** Cut or padded with blanks to 24; codes outside 20..159 stored as blanks. */
    void setName (int slot, const juce::String& name);

    /** Bytes 0..22 of the slot (the program name of a preset file). */
    juce::MemoryBlock getNameHead (int slot) const;

    juce::MemoryBlock getRecord (int slot) const;
    void putRecord (int slot, const void* bytes, size_t size);

    /** The whole record block (at least 19200 bytes). */
    juce::MemoryBlock getBlock() const;
    /** Copies bytes over the record block from its start; the block grows when more
        bytes come than it holds. */
    void overwriteBlock (const void* bytes, size_t size);

    static juce::MemoryBlock encodeName (const juce::String& name);

    /** A record of the live table: name, the sixteen channel programs, multi, playing
        mode and the AUX overrides. The reserved bytes 67..299 are those of the record
        the working record was first filled from (slot's record, on the first capture). */
    juce::MemoryBlock captureRecord (const ParameterTable& table, const juce::String& name, int slot);
    /** What captureRecord would return now, without filling the working record: the
        first capture still takes the reserved bytes from the slot as it is then. */
    juce::MemoryBlock previewRecord (const ParameterTable& table, const juce::String& name, int slot) const;

    /** Writes a 300-byte record's values into the table (bytes read unsigned); a
        shorter record is not applied. Each value is applied inside what its slot can
        hold: a channel program outside 1..8191 as 1, a multi outside 1..8191 as 1, a
        playing mode other than 2 as 1 (program mode), an AUX override chain outside
        1..2048 as 1 and an override switch other than 0 or 1 as 0 (off). */
    static void applyRecord (const void* record, size_t size, ParameterTable& table);

private:
    mutable std::mutex lock;
    juce::MemoryBlock records;
    juce::MemoryBlock working;

    /** The slot's record (zeros for no slot): where the working record starts. The
        caller holds the lock. */
    juce::MemoryBlock startingRecord (int slot) const;
    static void fillRecord (juce::MemoryBlock& record, const ParameterTable& table, const juce::String& name);
};

} // namespace zd8

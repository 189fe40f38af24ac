#pragma once

#include <juce_core/juce_core.h>

#include <mutex>

namespace zd8
{

/** The bank of 64 Arrangement records (300 bytes each, big-endian numbers): the
    plug-in's program list as the host sees it. */
class PlugBank
{
public:
    static constexpr int numSlots = 64;
    static constexpr int recordSize = 300;
    static constexpr int nameLength = 24;
    static constexpr int blockSize = numSlots * recordSize;

    PlugBank();

    /** The 64 default records: "EDM", "Hip Hop", "Rock" and 61 empty slots. */
    void fillDefaults();

    /** 24 characters, each byte taken as the character of that code. Empty for a slot
        outside 0..63. */
    juce::String getName (int slot) const;
    /** Cut or padded with blanks to 24; codes outside 20..159 stored as blanks. */
    void setName (int slot, const juce::String& name);

    juce::MemoryBlock getRecord (int slot) const;
    void putRecord (int slot, const void* bytes, size_t size);

    /** The whole record block (at least 19200 bytes). */
    juce::MemoryBlock getBlock() const;
    /** Copies bytes over the record block from its start; the block grows when more
        bytes come than it holds. */
    void overwriteBlock (const void* bytes, size_t size);

    static juce::MemoryBlock encodeName (const juce::String& name);

private:
    mutable std::mutex lock;
    juce::MemoryBlock records;
};

} // namespace zd8

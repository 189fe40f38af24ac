#pragma once

#include <juce_events/juce_events.h>

#include <array>
#include <mutex>

namespace zd8
{

/** The instrument's four master data blocks as it sends them. Block 3 holds the tempo
    (bytes 23..24, big-endian, hundredths of BPM); block 4 is the channel-program
    table (sixteen 8-byte records, program number in bytes 2..3, big-endian).

    Written on the MIDI input thread, read on the message thread: blocks are copied
    in and out under a brief lock. */
class MasterObject : public juce::ChangeBroadcaster
{
public:
    static constexpr int blockCount = 4;
    static constexpr size_t initialBlockSize = 200;

    MasterObject();

    /** block 1..4; lastChange is the code the message carried (its block number). */
    void setBlock (int block, const juce::MemoryBlock& data, int lastChange);
    juce::MemoryBlock getBlock (int block) const;
    int getLastChange() const;

    /** Program number of channel 0..15 in the channel-program table; 0 when the table
        does not hold that record. */
    int getChannelProgram (int channel) const;

    /** Tempo in BPM from block 3; 120 when that gives 0. */
    int getTempo() const;

private:
    mutable std::mutex lock;
    std::array<juce::MemoryBlock, blockCount> blocks;
    int lastChange = 0;
};

} // namespace zd8

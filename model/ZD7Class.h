#pragma once

#include "link/FIFO_Class.h"
#include "model/ObjMasterClass.h"

#include <array>
#include <atomic>

namespace zd8
{

/** The instrument image: the plug-in's in-memory mirror of the instrument's objects.

    This first version holds the transfer engine and the master object, and counts
    the program and multi messages the instrument sends for its edit buffers; the
    object stores, the program edit buffers and the multi edit object take those
    messages over as they are built. */
class ZD7Class : public juce::ChangeBroadcaster
{
public:
    ZD7Class() = default;

    FIFO_Class& getFifo() noexcept { return fifo; }
    ObjMasterClass& getMaster() noexcept { return master; }

    // Instrument messages for the edit objects (MIDI input thread).
    void programEditBlock (int part, int blockIndex, const juce::MemoryBlock& data);
    void programMarked (int part, char mark);
    void programDataReplaced (int part, const juce::MemoryBlock& data);
    void multiHeader (const juce::MemoryBlock& header, const juce::MemoryBlock& data);
    void multiBlock1 (const juce::MemoryBlock& data);
    void multiBlock2 (int blockIndex, const juce::MemoryBlock& data);

    /** Last mark ('#', '!', '$') the instrument set on channel part's program, 0 none. */
    char getProgramMark (int part) const;
    int getProgramMessageCount() const noexcept { return programMessages.load(); }
    int getMultiMessageCount() const noexcept { return multiMessages.load(); }

private:
    FIFO_Class fifo;
    ObjMasterClass master;
    std::array<std::atomic<char>, 16> programMarks {};
    std::atomic<int> programMessages { 0 };
    std::atomic<int> multiMessages { 0 };
};

} // namespace zd8

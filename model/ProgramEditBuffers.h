#pragma once

#include "model/ProgramStore.h"
#include "model/ProgramCommon.h"
#include "model/VirtualParameterTable.h"

#include <mutex>

namespace zd8
{

class FxChainStore;

/** The program edit buffer of one MIDI channel: a working copy of one program record
    and its decoded virtual parameter table (the program's own named parameters, those
    of its three FX chains, and its controller assignments).

    Threads: the buffer is written on the MIDI input thread (instrument messages, a
    program selection caused by a program change from the instrument) and on the
    message thread, and read on both. The program data, the decoded table and the extra
    block sit behind one briefly held lock; every getter returns a copy. Reads beyond
    the program data yield 0 or empty text; writes beyond it are skipped. */
class ProgramEditBuffers : public juce::ChangeBroadcaster
{
public:
    // Sub-types of the instrument's program edit-buffer messages.
    static constexpr int messageEditBlock = 1;
    static constexpr int messageChanged = 2;
    static constexpr int messageMarked = 4;
    static constexpr int messageExtraData = 6;

    /** Offsets within the assignment list of assignment i's bytes, as the virtual
        parameter table page writes them: headerSize + 4i + these. */
    static constexpr int assignmentValueByte = 2;
    static constexpr int assignmentControllerByte = 3;

    explicit ProgramEditBuffers (int channel = 0) : channel (channel) {}

    int getChannel() const noexcept { return channel; }
    ProgramCommon& getCommon() noexcept { return common; }

    // Program data ------------------------------------------------------------------

    /** Copies program id's record content into the buffer when the store holds it
        (more than a name); otherwise leaves the buffer as it was. True when copied. */
    bool loadFromStore (const ProgramStore& store, int id);
    /** The buffer takes this record content whole (received programs, tests). */
    void setProgramData (const juce::MemoryBlock& content);
    juce::MemoryBlock getProgramData() const;
    bool hasProgram() const;

    juce::String name() const;
    juce::String modeText() const;
    /** Bytes 25..157 (bytes beyond the data read as 0); empty until a program is loaded. */
    juce::MemoryBlock commonBlock() const;
    /** Byte of the program data, 0 beyond its end. */
    int byteAt (int position) const;
    /** Big-endian 16-bit number at position (the FX chain references), 0 beyond the end. */
    int bigEndian16At (int position) const;
    /** Replaces the bits of mask in the byte at position with those of bits and returns
        the new byte. A byte beyond the data reads as 0 and is not written. */
    int updateByte (int position, int mask, int bits);

    // Virtual parameter table -------------------------------------------------------

    /** Rebuilds the table with the FX chains the program names (bytes 109, 121, 133). */
    void decodeTable (const FxChainStore& chains);
    /** Rebuilds the table with the given insert, Aux 1 and Aux 2 chains. Every list is
        rebuilt whole: a list whose data is missing or shorter than 20 bytes is empty,
        and the assignments are decoded only when the program's own name list is not. */
    void decodeTable (const FxChainStore& chains, int insertChain, int aux1Chain, int aux2Chain);
    VirtualParameterTable getTable() const;

    /** Entry count of the program's own name list (16-bit at V + 2); 0 when the list is
        shorter than 20 bytes. */
    int nameListCount() const;
    /** Entry count of the assignment list (16-bit at V + L1 + 2); 0 when the list is
        shorter than 20 bytes. */
    int assignmentCount() const;
    /** Writes byte V + L1 + position of the program data when the assignment list is at
        least 20 bytes long; an assignment byte also updates the decoded table. */
    void setAssignmentByte (int position, int value);

    // Texts of decoded assignment i (empty text when there is none).
    juce::String subSystemText (int i) const;
    juce::String entryValueText (int i) const;
    juce::String assignedToText (int i) const;
    juce::String parameterName (int i) const;

    // Instrument messages -----------------------------------------------------------

    /** An edit-buffer message from the instrument (MIDI input thread): sub-types 2 and
        4 only tell listeners; 6 replaces the extra block with data and tells them; all
        others change nothing. */
    void instrumentMessage (int subType, const juce::MemoryBlock& data);
    juce::MemoryBlock getExtraBlock() const;

private:
    template <typename Fn>
    auto withLock (Fn&& fn) const
    {
        std::lock_guard<std::mutex> g (lock);
        return fn();
    }

    const int channel;
    ProgramCommon common;

    mutable std::mutex lock;
    VirtualParameterTable table;
    juce::MemoryBlock extraBlock;
    juce::MemoryBlock programData;
};

} // namespace zd8

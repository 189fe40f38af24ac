#pragma once

#include <juce_events/juce_events.h>

#include <atomic>

namespace zd8
{

/** The transfer engine: the mailbox between the MIDI input thread and the object
    transfers, and the state of the running transfer.

    handOver() keeps a copy of the last instrument message (without its 0xF0, ending in
    0xF7) and broadcasts a change; listeners run on the message thread, look at
    getEventCode() and take a copy of the message with getLastMessage(). Only the last
    message is held: two hand-overs before the broadcast is delivered leave only the
    second visible (the transfers keep at most one request outstanding). The hand-over
    number returned with the copy lets a listener tell a message it has already seen
    from a new one.

    The transfer state below belongs to the message thread: the progress and write
    dialogs read and set it directly. */
class TransferMailbox : public juce::ChangeBroadcaster
{
public:
    // Event codes.
    static constexpr int eventNone = 0;
    static constexpr int eventMessageHandedOver = 2012;
    static constexpr int eventTransferFinished = 13;

    // Operations of a running transfer.
    static constexpr int operationReceiveRange = 786;
    static constexpr int operationReadBack = 787;

    TransferMailbox();
    ~TransferMailbox() override;

    /** MIDI input thread (any thread): replaces the last message with a copy of size
        bytes, sets the event code to 2012 and broadcasts. A null message counts as
        empty. The lock is held only to swap the prepared copy in. */
    void handOver (const juce::uint8* messageWithoutF0, size_t size);

    /** A copy of the last message handed over (empty before the first). Any thread. */
    juce::MemoryBlock getLastMessage() const;
    /** Copies the last message into copy and returns its hand-over number (1 for the
        first message, 0 when none was handed over yet), both taken together. */
    juce::uint64 getLastMessage (juce::MemoryBlock& copy) const;

    /** Number of hand-overs since construction. Any thread. */
    juce::uint64 getHandOverCount() const noexcept { return handOvers.load(); }

    /** 0 at start, 2012 after a hand-over, 13 after a finish. Any thread. */
    int getEventCode() const noexcept { return eventCode.load(); }

    /** Message thread: clears running, sets total expected to 0, event code 13 and
        broadcasts. Repeating it while nothing runs only repeats code and broadcast. */
    void finishTransfer();

    //==============================================================================
    // Transfer state, message thread only.
    bool running = false;
    int currentId = 0;       // object ID requested last
    int objectType = 0;      // type code of the running transfer
    int totalSize = 0;       // size of the current object as announced by the instrument
    int chunkOffset = 0;     // offset of the last chunk
    int totalExpected = 0;   // size the accumulated data must reach
    juce::MemoryBlock accumulated;  // the current object's data received so far
    int firstId = 0;
    int lastId = 0;
    int operation = 0;       // operationReceiveRange or operationReadBack

private:
    mutable juce::CriticalSection messageLock;
    juce::MemoryBlock lastMessage;           // guarded by messageLock
    juce::uint64 lastMessageNumber = 0;      // guarded by messageLock
    std::atomic<juce::uint64> handOvers { 0 };
    std::atomic<int> eventCode { eventNone };

    JUCE_DECLARE_NON_COPYABLE (TransferMailbox)
};

} // namespace zd8

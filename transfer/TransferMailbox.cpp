#include "transfer/TransferMailbox.h"

namespace zd8
{

TransferMailbox::TransferMailbox() = default;

TransferMailbox::~TransferMailbox() = default;

void TransferMailbox::handOver (const juce::uint8* messageWithoutF0, size_t size)
{
    // Copy outside the lock (this allocates), then swap it in: a reader on the message
    // thread never waits for an allocation and never sees a half-written block.
    juce::MemoryBlock copy;
    if (messageWithoutF0 != nullptr && size > 0)
        copy.replaceAll (messageWithoutF0, size);

    {
        const juce::ScopedLock sl (messageLock);
        lastMessage.swapWith (copy);
        lastMessageNumber = ++handOvers;
    }
    // copy now holds the previous message and is freed here, outside the lock.

    eventCode = eventMessageHandedOver;
    sendChangeMessage();
}

juce::MemoryBlock TransferMailbox::getLastMessage() const
{
    const juce::ScopedLock sl (messageLock);
    return lastMessage;
}

juce::uint64 TransferMailbox::getLastMessage (juce::MemoryBlock& copy) const
{
    const juce::ScopedLock sl (messageLock);
    copy = lastMessage;
    return lastMessageNumber;
}

void TransferMailbox::finishTransfer()
{
    running = false;
    totalExpected = 0;
    eventCode = eventTransferFinished;
    sendChangeMessage();
}

} // namespace zd8

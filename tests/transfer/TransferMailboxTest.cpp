#include "transfer/TransferMailbox.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

namespace juce
{
    // JUCE's own message-loop step (Linux): dispatches one queued message, or returns
    // false at once when none is waiting.
    bool dispatchNextMessageOnSystemQueue (bool returnIfNoPendingMessages);
}

using zd8::TransferMailbox;

namespace
{
    /** Runs the message loop until nothing is queued. */
    void runMessageLoop()
    {
        while (juce::dispatchNextMessageOnSystemQueue (true))
        {
        }
    }

    /** Records what a dialog would see on each broadcast. */
    struct RecordingListener : juce::ChangeListener
    {
        explicit RecordingListener (TransferMailbox& f) : fifo (f) { fifo.addChangeListener (this); }
        ~RecordingListener() override { fifo.removeChangeListener (this); }

        void changeListenerCallback (juce::ChangeBroadcaster*) override
        {
            juce::MemoryBlock m;
            numbers.push_back (fifo.getLastMessage (m));
            codes.push_back (fifo.getEventCode());
            messages.push_back (m);
        }

        TransferMailbox& fifo;
        std::vector<juce::uint64> numbers;
        std::vector<int> codes;
        std::vector<juce::MemoryBlock> messages;
    };

    struct TransferMailboxTest : ::testing::Test
    {
        void SetUp() override { runMessageLoop(); }   // nothing left over from another test

        TransferMailbox fifo;
        RecordingListener listener { fifo };
    };

    const juce::uint8 infoReply[] = { 0x07, 0x46, 0x01, 0x00, 0x5A, 0x05, 0x00, 0x0A, 0x01, 0x00, 0x20, 0x08, 0x27, 0x00, 0x00, 'P', 'n', 'o', 0xF7 };
    const juce::uint8 chunkReply[] = { 0x07, 0x46, 0x01, 0x00, 0x5A, 0x01, 0x00, 0x0A, 0x01, 0x00, 0x20, 0x00, 0x00, 0x00, 0x02, 0x00, 0x00, 0x11, 0x22, 0x33, 0x00, 0x00, 0xF7 };
}

//==============================================================================
TEST_F (TransferMailboxTest, StartsEmptyAndIdle)
{
    EXPECT_EQ (fifo.getEventCode(), TransferMailbox::eventNone);
    EXPECT_EQ (fifo.getHandOverCount(), 0u);
    EXPECT_EQ (fifo.getLastMessage().getSize(), 0u);
    EXPECT_FALSE (fifo.running);
    EXPECT_EQ (fifo.totalExpected, 0);
    EXPECT_EQ (fifo.accumulated.getSize(), 0u);
}

TEST_F (TransferMailboxTest, HandOverKeepsACopyAndAnnouncesItOnTheMessageThread)
{
    std::vector<juce::uint8> reply (std::begin (infoReply), std::end (infoReply));
    fifo.handOver (reply.data(), reply.size());
    reply.assign (reply.size(), 0);   // the caller's buffer is reused at once

    EXPECT_EQ (fifo.getEventCode(), TransferMailbox::eventMessageHandedOver);
    EXPECT_EQ (fifo.getHandOverCount(), 1u);
    EXPECT_TRUE (listener.messages.empty()) << "delivered asynchronously";

    runMessageLoop();

    ASSERT_EQ (listener.messages.size(), 1u);
    EXPECT_EQ (listener.messages[0], juce::MemoryBlock (infoReply, sizeof (infoReply)));
    EXPECT_EQ (listener.codes[0], 2012);
    EXPECT_EQ (listener.numbers[0], 1u);
}

TEST_F (TransferMailboxTest, TwoHandOversBeforeTheLoopRunsLeaveOnlyTheSecondVisible)
{
    fifo.handOver (infoReply, sizeof (infoReply));
    fifo.handOver (chunkReply, sizeof (chunkReply));
    runMessageLoop();

    ASSERT_GE (listener.messages.size(), 1u);
    ASSERT_LE (listener.messages.size(), 2u);
    for (size_t i = 0; i < listener.messages.size(); ++i)
    {
        EXPECT_EQ (listener.messages[i], juce::MemoryBlock (chunkReply, sizeof (chunkReply)));
        EXPECT_EQ (listener.numbers[i], 2u) << "the hand-over number tells a repeat delivery from a new message";
    }
    EXPECT_EQ (fifo.getHandOverCount(), 2u);
}

TEST_F (TransferMailboxTest, TransferFamilyMessageWhileIdleStillReplacesAndBroadcasts)
{
    fifo.handOver (chunkReply, sizeof (chunkReply));
    fifo.handOver (nullptr, 12);   // nothing to copy: an empty message, still announced
    runMessageLoop();

    ASSERT_EQ (listener.messages.size(), 1u);
    EXPECT_EQ (listener.messages[0].getSize(), 0u);
    EXPECT_FALSE (fifo.running);
}

TEST_F (TransferMailboxTest, FinishClearsTheRunningTransferAndBroadcastsTheEndCode)
{
    fifo.running = true;
    fifo.operation = TransferMailbox::operationReceiveRange;
    fifo.objectType = 138;
    fifo.firstId = fifo.currentId = 4096;
    fifo.lastId = 4098;
    fifo.totalExpected = 5000;
    fifo.handOver (chunkReply, sizeof (chunkReply));
    runMessageLoop();

    fifo.finishTransfer();
    runMessageLoop();

    EXPECT_FALSE (fifo.running);
    EXPECT_EQ (fifo.totalExpected, 0);
    EXPECT_EQ (fifo.getEventCode(), TransferMailbox::eventTransferFinished);
    EXPECT_EQ (listener.codes, (std::vector<int> { 2012, 13 }));
    EXPECT_EQ (fifo.getLastMessage(), juce::MemoryBlock (chunkReply, sizeof (chunkReply))) << "a finish keeps the last message";

    // A finish while nothing runs repeats the code and the broadcast.
    fifo.finishTransfer();
    runMessageLoop();
    EXPECT_EQ (listener.codes, (std::vector<int> { 2012, 13, 13 }));
}

TEST_F (TransferMailboxTest, HandOverFromTheMidiThreadWhileTheMessageThreadReads)
{
    // Every message is self-describing (length n, every byte n & 0x7F, then F7), so a
    // torn copy shows up as a mismatch.
    constexpr int rounds = 20000;
    std::atomic<bool> done { false };

    std::thread midiInput ([this, &done]
    {
        std::vector<juce::uint8> m;
        for (int i = 0; i < rounds; ++i)
        {
            const size_t n = 1 + (size_t) (i % 300);
            m.assign (n - 1, (juce::uint8) (n & 0x7F));
            m.push_back (0xF7);
            fifo.handOver (m.data(), m.size());
        }
        done = true;
    });

    int reads = 0;
    juce::uint64 lastNumber = 0;
    while (! done.load() || reads == 0)
    {
        juce::MemoryBlock copy;
        const auto number = fifo.getLastMessage (copy);
        ++reads;

        ASSERT_GE (number, lastNumber) << "hand-over numbers never go back";
        lastNumber = number;
        if (number == 0)
        {
            ASSERT_EQ (copy.getSize(), 0u);
            continue;
        }

        const size_t n = copy.getSize();
        ASSERT_EQ (n, 1 + (size_t) ((number - 1) % 300)) << "copy belongs to its number";
        const auto* bytes = static_cast<const juce::uint8*> (copy.getData());
        for (size_t i = 0; i + 1 < n; ++i)
            ASSERT_EQ (bytes[i], (juce::uint8) (n & 0x7F));
        ASSERT_EQ (bytes[n - 1], 0xF7);
    }

    midiInput.join();
    EXPECT_EQ (fifo.getHandOverCount(), (juce::uint64) rounds);
    EXPECT_EQ (fifo.getLastMessage().getSize(), 1 + (size_t) ((rounds - 1) % 300));

    runMessageLoop();
    EXPECT_GE (listener.messages.size(), 1u);
    EXPECT_EQ (listener.numbers.back(), (juce::uint64) rounds);
}

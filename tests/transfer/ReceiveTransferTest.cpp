#include "transfer/ReceiveTransfer.h"

#include "transfer/TransferMailbox.h"
#include "plugin/ControllerState.h"
#include "support/PluginRig.h"

#include <gtest/gtest.h>

#include <random>

namespace
{

using Bytes = std::vector<std::uint8_t>;
using zd8::TransferMailbox;
using zd8::ReceiveTransfer;
using zd8sim::InstrumentSimulator;
using zd8sim::ObjectMemory;
using Fault = InstrumentSimulator::ReplyFault;
using Request = ObjectMemory::Request;

constexpr int program = 138, multi = 155, fxChain = 156;

Bytes pattern (size_t size, unsigned seed)
{
    Bytes b (size);
    std::mt19937 rng (seed);
    for (auto& x : b)
        x = (std::uint8_t) rng();
    return b;
}

std::string padded (std::string name)
{
    name.resize (20, ' ');
    return name;
}

Request info (int id, int type = program) { return { Request::Kind::info, type, id, 0, 0 }; }
Request chunk (int id, int offset, int length, int type = program) { return { Request::Kind::chunk, type, id, offset, length }; }

std::string describe (const std::vector<Request>& requests)
{
    std::string s;
    for (const auto& r : requests)
        s += (r.kind == Request::Kind::info ? "info " + std::to_string (r.id)
                                            : "chunk " + std::to_string (r.id) + " " + std::to_string (r.offset) + "+"
                                                  + std::to_string (r.length))
           + "; ";
    return s;
}

/** The plug-in with the simulator as its instrument, and the progress dialog's
    controller over it. The instrument's user range holds what each test puts there. */
class ReceiveTransferTest : public ::testing::Test
{
protected:
    ReceiveTransferTest()
    {
        rig.simulator.setTimers (rig.timeline);   // delayed replies run on the test's clock
        // The hub's start-up program selections go out first, so that they do not
        // interleave with the transfers.
        rig.timeline.advance (2000);
        rig.settle();
        fifo.dispatchPendingMessages();
        memory.clearRequests();
    }

    size_t received() const { return rig.simulator.getReceived().size(); }

    /** One round trip: the instrument answers what was sent, then the engine's
        broadcast is delivered. true when that made the plug-in send something. */
    bool step() { return rig.roundTrip (fifo); }
    void pump() { rig.pumpTransfers (fifo); }

    /** Moves the clock and lets what it sent be answered and handled. */
    void advance (double ms)
    {
        rig.timeline.advance (ms);
        pump();
    }

    Bytes record (int type, int id)
    {
        auto& image = hub.getImage();
        const juce::ScopedReadLock sl (image.getStoreLock());
        const auto block = image.storeFor (type)->readRecord (id);
        const auto* b = static_cast<const std::uint8_t*> (block.getData());
        return Bytes (b, b + block.getSize());
    }

    void putIntoStore (int type, int id, const Bytes& content)
    {
        auto& image = hub.getImage();
        const juce::ScopedWriteLock sl (image.getStoreLock());
        image.storeFor (type)->replaceRecord (id, content.data(), content.size());
    }

    static Bytes expectedRecord (const std::string& name, const Bytes& data)
    {
        Bytes r;
        const auto n = padded (name);
        r.insert (r.end(), n.begin(), n.end());
        r.insert (r.end(), data.begin(), data.end());
        return r;
    }

    /** Three programs 4096..4098 of 300 bytes on the instrument. */
    void preloadThree()
    {
        memory.setObject (program, 4096, "Alpha", pattern (300, 1));
        memory.setObject (program, 4097, "Beta", pattern (300, 2));
        memory.setObject (program, 4098, "Gamma", pattern (300, 3));
    }

    void receive (int type, int from, int to)
    {
        ASSERT_TRUE (bar.open (type));
        bar.setFromText (juce::String (from));
        bar.setToText (juce::String (to));
        bar.start();
    }

    void expectFinished()
    {
        EXPECT_EQ (bar.getState(), ReceiveTransfer::State::open);
        EXPECT_FALSE (fifo.running);
        EXPECT_EQ (fifo.getEventCode(), TransferMailbox::eventTransferFinished);
        EXPECT_FALSE (hub.isTransferRunning());
        EXPECT_EQ (bar.getBarWidth(), 0.0);
    }

    void expectThreeReceived()
    {
        EXPECT_EQ (record (program, 4096), expectedRecord ("Alpha", pattern (300, 1)));
        EXPECT_EQ (record (program, 4097), expectedRecord ("Beta", pattern (300, 2)));
        EXPECT_EQ (record (program, 4098), expectedRecord ("Gamma", pattern (300, 3)));
    }

    zd8test::PluginRig rig;
    zd8::ControllerState hub { rig.environment };
    TransferMailbox& fifo = hub.getMailbox();
    ObjectMemory& memory = rig.simulator.getMemory();
    ReceiveTransfer bar { hub };
};

const std::vector<Request> threeClean { info (4096), chunk (4096, 0, 300), info (4097), chunk (4097, 0, 300),
                                        info (4098), chunk (4098, 0, 300) };

} // namespace

//==============================================================================
TEST_F (ReceiveTransferTest, ReceivesARangeAndClearsTheSlotOfAMissingObject)
{
    memory.setObject (program, 4096, "Alpha", pattern (300, 1));
    memory.setObject (program, 4098, "Gamma", pattern (300, 3));
    putIntoStore (program, 4097, expectedRecord ("Stale", pattern (100, 9)));

    receive (program, 4096, 4098);
    EXPECT_TRUE (hub.isTransferRunning());
    EXPECT_TRUE (fifo.running);
    EXPECT_EQ (fifo.operation, TransferMailbox::operationReceiveRange);
    pump();

    EXPECT_EQ (memory.getRequests(),
               (std::vector<Request> { info (4096), chunk (4096, 0, 300), info (4097), info (4098), chunk (4098, 0, 300) }))
        << describe (memory.getRequests());
    EXPECT_EQ (record (program, 4096), expectedRecord ("Alpha", pattern (300, 1)));
    EXPECT_TRUE (record (program, 4097).empty());
    EXPECT_EQ (record (program, 4098), expectedRecord ("Gamma", pattern (300, 3)));
    expectFinished();
}

TEST_F (ReceiveTransferTest, ReadsAnObjectInChunksOfAtMost2048Bytes)
{
    const auto big = pattern (5000, 11);
    memory.setObject (fxChain, 5000, "Big Chain", big);

    receive (fxChain, 5000, 5000);
    pump();

    EXPECT_EQ (memory.getRequests(), (std::vector<Request> { info (5000, fxChain), chunk (5000, 0, 2048, fxChain),
                                                             chunk (5000, 2048, 2048, fxChain), chunk (5000, 4096, 904, fxChain) }))
        << describe (memory.getRequests());
    EXPECT_EQ (record (fxChain, 5000), expectedRecord ("Big Chain", big));
    EXPECT_EQ (fifo.totalSize, 5000);
    EXPECT_EQ (fifo.chunkOffset, 4096);
    expectFinished();
}

TEST_F (ReceiveTransferTest, StartClampsTheRangeAndWritesItBack)
{
    struct Case
    {
        int type;
        const char* from;
        const char* to;
        int expectFrom, expectTo;
    };
    const Case cases[] = {
        { program, "4096", "9000", 4096, 8191 },
        { program, "9000", "9000", 8190, 8191 },
        { multi, "8191", "8191", 8190, 8191 },
        { fxChain, "9000", "9000", 8191, 8192 },
        { fxChain, "100", "8192", 100, 8192 },
        { program, "0", "5", 1, 5 },
        { program, "-3", "x", 1, 1 },
        { program, "10", "5", 10, 10 },
    };

    for (const auto& c : cases)
    {
        ASSERT_TRUE (bar.open (c.type));
        bar.setFromText (c.from);
        bar.setToText (c.to);
        bar.start();
        EXPECT_EQ (bar.getFromText(), juce::String (c.expectFrom)) << c.from << " " << c.to;
        EXPECT_EQ (bar.getToText(), juce::String (c.expectTo)) << c.from << " " << c.to;
        EXPECT_EQ (fifo.firstId, c.expectFrom);
        EXPECT_EQ (fifo.lastId, c.expectTo);
        EXPECT_EQ (fifo.currentId, c.expectFrom);
        EXPECT_EQ (fifo.objectType, c.type);
    }
}

TEST_F (ReceiveTransferTest, OpeningSetsTitleRangeAndTheTransferFlag)
{
    EXPECT_FALSE (bar.open (133)) << "keymaps are not received";
    EXPECT_EQ (bar.getState(), ReceiveTransfer::State::closed);
    EXPECT_FALSE (hub.isTransferRunning());

    const std::pair<int, const char*> titles[] = { { program, "Receive Programs" }, { multi, "Receive Multi" },
                                                   { fxChain, "Receive FX Chains" } };
    for (auto [type, title] : titles)
    {
        ASSERT_TRUE (bar.open (type));
        EXPECT_EQ (bar.getTitle(), title);
        EXPECT_EQ (bar.getFromText(), "4096");
        EXPECT_EQ (bar.getToText(), "8191");
        EXPECT_TRUE (bar.getProgressLine().isEmpty());
        EXPECT_TRUE (bar.isStartVisible());
        EXPECT_TRUE (hub.isTransferRunning());
    }

    ASSERT_TRUE (bar.open (program, true));
    EXPECT_FALSE (bar.isStartVisible());
    EXPECT_FALSE (bar.areRangeFieldsEnabled());
}

TEST_F (ReceiveTransferTest, ShowsTheProgressOfEachRequestedId)
{
    preloadThree();
    receive (program, 4096, 4098);

    struct Seen
    {
        std::string line;
        double width;
        int position;
    };
    std::vector<Seen> seen { { bar.getProgressLine().toStdString(), bar.getBarWidth(), bar.getShownPosition() } };
    while (step())
        seen.push_back ({ bar.getProgressLine().toStdString(), bar.getBarWidth(), bar.getShownPosition() });

    // Each ID is first checked, then received under its name; the bar covers 384
    // pixels over the two steps of the range.
    const std::vector<Seen> expected {
        { "Checking...  ID#: 4096", 0, 4096 },
        { "Receiving ID#: 4096 " + padded ("Alpha"), 0, 4096 },
        { "Checking...  ID#: 4097", 192, 4097 },
        { "Receiving ID#: 4097 " + padded ("Beta"), 192, 4097 },
        { "Checking...  ID#: 4098", 384, 4098 },
        { "Receiving ID#: 4098 " + padded ("Gamma"), 384, 4098 },
    };
    ASSERT_GE (seen.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i)
    {
        EXPECT_EQ (seen[i].line, expected[i].line) << i;
        EXPECT_DOUBLE_EQ (seen[i].width, expected[i].width) << i;
        EXPECT_EQ (seen[i].position, expected[i].position) << i;
    }
    expectThreeReceived();
    expectFinished();
}

TEST_F (ReceiveTransferTest, CancelStopsAtOnceAndLeavesWhatWasReceived)
{
    preloadThree();
    memory.setObject (program, 4099, "Delta", pattern (300, 4));
    int dismissed = 0;
    bar.onDismissed = [&] { ++dismissed; };

    receive (program, 4096, 4099);
    while (record (program, 4097).empty() && step())
    {
    }
    // 4098's information request is out; its answer arrives after CANCEL.
    bar.cancel();
    EXPECT_EQ (bar.getState(), ReceiveTransfer::State::cancelling);
    const auto sent = received();
    pump();
    EXPECT_EQ (received(), sent) << "nothing more is asked for";

    rig.timeline.advance (199);
    EXPECT_EQ (dismissed, 0);
    EXPECT_TRUE (hub.isTransferRunning());
    rig.timeline.advance (1);
    EXPECT_EQ (dismissed, 1);
    EXPECT_EQ (bar.getState(), ReceiveTransfer::State::dismissed);
    EXPECT_FALSE (hub.isTransferRunning());
    EXPECT_FALSE (fifo.running);

    EXPECT_EQ (record (program, 4096), expectedRecord ("Alpha", pattern (300, 1)));
    EXPECT_EQ (record (program, 4097), expectedRecord ("Beta", pattern (300, 2)));
    EXPECT_TRUE (record (program, 4098).empty());

    rig.timeline.advance (10000);
    EXPECT_EQ (received(), sent) << "no re-sends after a cancel";
}

//==============================================================================
// What the instrument or the cable may do wrong.

TEST_F (ReceiveTransferTest, ADroppedReplyIsRecoveredByAReSend)
{
    preloadThree();
    rig.simulator.injectReplyFault (Fault::drop);
    receive (program, 4096, 4098);
    pump();
    EXPECT_EQ (memory.getRequests().size(), 1u);

    advance (1999);
    EXPECT_EQ (memory.getRequests().size(), 1u);
    advance (1);

    auto expected = threeClean;
    expected.insert (expected.begin(), info (4096));
    EXPECT_EQ (memory.getRequests(), expected) << describe (memory.getRequests());
    expectThreeReceived();
    expectFinished();
}

TEST_F (ReceiveTransferTest, ASilentInstrumentStopsTheTransferAfterThreeTries)
{
    const auto big = pattern (5000, 5);
    memory.setObject (program, 4096, "Alpha", pattern (300, 1));
    memory.setObject (program, 4097, "Big", big);

    receive (program, 4096, 4097);
    // Silence from the second chunk of 4097 on.
    while (memory.getRequests().size() < 4 && step())
    {
    }
    ASSERT_EQ (memory.getRequests().back(), chunk (4097, 0, 2048)) << describe (memory.getRequests());
    rig.simulator.injectReplyFault (Fault::drop, 1000);
    pump();
    ASSERT_EQ (memory.getRequests().back(), chunk (4097, 2048, 2048)) << describe (memory.getRequests());
    const auto asked = memory.getRequests().size();

    advance (2000);
    advance (2000);
    EXPECT_EQ (memory.getRequests().size(), asked + 2);
    EXPECT_EQ (memory.getRequests().back(), chunk (4097, 2048, 2048));
    EXPECT_EQ (bar.getState(), ReceiveTransfer::State::running);
    EXPECT_TRUE (bar.getProgressLine().startsWith ("Receiving ID#: 4097"));

    advance (1999);
    EXPECT_EQ (bar.getState(), ReceiveTransfer::State::running);
    advance (1);
    EXPECT_EQ (bar.getState(), ReceiveTransfer::State::noAnswer);
    EXPECT_EQ (bar.getProgressLine(), "No answer from the instrument at ID#: 4097");
    EXPECT_FALSE (fifo.running);
    EXPECT_EQ (fifo.getEventCode(), TransferMailbox::eventTransferFinished);
    EXPECT_FALSE (hub.isTransferRunning());

    advance (60000);
    EXPECT_EQ (memory.getRequests().size(), asked + 2) << "three tries in all";
    EXPECT_EQ (record (program, 4096), expectedRecord ("Alpha", pattern (300, 1)));
    EXPECT_TRUE (record (program, 4097).empty()) << "half an object is not stored";

    // A new START works once the instrument answers again.
    rig.simulator.clearReplyFaults();
    bar.start();
    pump();
    EXPECT_EQ (record (program, 4097), expectedRecord ("Big", big));
}

TEST_F (ReceiveTransferTest, DuplicatedRepliesAreProcessedOnce)
{
    const auto big = pattern (5000, 6);
    memory.setObject (program, 4096, "Alpha", pattern (300, 1));
    memory.setObject (program, 4098, "Big", big);   // 4097 missing: its Nack comes twice too
    rig.simulator.injectReplyFault (Fault::duplicate, 1000);

    receive (program, 4096, 4098);
    pump();

    EXPECT_EQ (memory.getRequests(), (std::vector<Request> { info (4096), chunk (4096, 0, 300), info (4097), info (4098),
                                                             chunk (4098, 0, 2048), chunk (4098, 2048, 2048),
                                                             chunk (4098, 4096, 904) }))
        << describe (memory.getRequests());
    EXPECT_EQ (record (program, 4096), expectedRecord ("Alpha", pattern (300, 1)));
    EXPECT_EQ (record (program, 4098), expectedRecord ("Big", big));
    expectFinished();
}

TEST_F (ReceiveTransferTest, RepliesThatDoNotAnswerTheRequestAreIgnored)
{
    preloadThree();
    rig.simulator.injectReplyFault (Fault::drop);   // the real answer to 4096's information
    receive (program, 4096, 4098);
    pump();

    // Stray messages while 4096's information is awaited: an acknowledge, a Nack for
    // another object, information and a chunk for another ID, a copy of an answer the
    // transfer has not asked for. None is taken; nothing is asked for.
    const std::vector<Bytes> strays {
        { 0xF0, 0x07, 0x46, 0x01, 0x00, 0x5A, 0x02, 0x00, 0xF7 },
        { 0xF0, 0x07, 0x46, 0x01, 0x00, 0x5A, 0x03, 0x04, 0x0A, 0x01, 0x01, 0x20, 0xF7 },   // 4097
        { 0xF0, 0x07, 0x46, 0x01, 0x00, 0x5A, 0x05, 0x00, 0x0A, 0x01, 0x02, 0x20, 0x10, 0x00, 0x00, 0x00,
          'O', 't', 'h', 'e', 'r', ' ', ' ', ' ', ' ', ' ', ' ', ' ', ' ', ' ', ' ', ' ', ' ', ' ', ' ', ' ', 0xF7 },
        { 0xF0, 0x07, 0x46, 0x01, 0x00, 0x5A, 0x01, 0x00, 0x0A, 0x01, 0x00, 0x20, 0x00, 0x00, 0x00, 0x01, 0x00, 0x00,
          0x11, 0x00, 0x00, 0x00, 0xF7 },   // a chunk of 4096 before its information
        { 0xF0, 0x07, 0x46, 0x01, 0x00, 0x20, 0x00, 0x00, 0x05, 0xF7 },   // not a transfer message
    };
    for (const auto& s : strays)
    {
        rig.simulator.sendSysex (s);
        EXPECT_FALSE (step());
    }
    EXPECT_EQ (bar.getProgressLine(), "Checking...  ID#: 4096");

    advance (2000);
    auto expected = threeClean;
    expected.insert (expected.begin(), info (4096));
    EXPECT_EQ (memory.getRequests(), expected) << describe (memory.getRequests());
    expectThreeReceived();
    expectFinished();

    // A copy of an earlier chunk while the next one is awaited.
    const auto big = pattern (5000, 8);
    memory.setObject (program, 4099, "Big", big);
    ObjectMemory elsewhere (false);
    elsewhere.setObject (program, 4099, "Big", big);
    const Bytes firstChunkRequest { 0xF0, 0x07, 0x46, 0x01, 0x00, 0x5A, 0x00, 0x00, 0x0A, 0x01, 0x03, 0x20,
                                    0x00, 0x00, 0x00, 0x00, 0x10, 0x00, 0xF7 };
    const auto firstChunk = elsewhere.handleMessage (firstChunkRequest.data(), firstChunkRequest.size()).at (0);

    memory.clearRequests();
    bar.setFromText ("4099");
    bar.setToText ("4099");
    bar.start();
    step();   // information taken; the first chunk asked for and answered
    rig.simulator.injectReplyFault (Fault::drop);   // the second chunk
    step();   // the first chunk taken; the second asked for
    rig.simulator.sendSysex (firstChunk);
    EXPECT_FALSE (step());
    advance (2000);

    EXPECT_EQ (memory.getRequests(), (std::vector<Request> { info (4099), chunk (4099, 0, 2048), chunk (4099, 2048, 2048),
                                                             chunk (4099, 2048, 2048), chunk (4099, 4096, 904) }))
        << describe (memory.getRequests());
    EXPECT_EQ (record (program, 4099), expectedRecord ("Big", big));
}

TEST_F (ReceiveTransferTest, GarbledRepliesAreIgnoredAndTheRequestSentAgain)
{
    const auto big = pattern (5000, 7);
    memory.setObject (program, 4096, "Big", big);

    rig.simulator.injectReplyFault (Fault::garble);   // 4096's information
    receive (program, 4096, 4096);
    pump();
    EXPECT_EQ (bar.getProgressLine(), "Checking...  ID#: 4096");
    advance (2000);
    EXPECT_EQ (memory.getRequests(), (std::vector<Request> { info (4096), info (4096), chunk (4096, 0, 2048),
                                                             chunk (4096, 2048, 2048), chunk (4096, 4096, 904) }))
        << describe (memory.getRequests());
    EXPECT_EQ (record (program, 4096), expectedRecord ("Big", big));
    putIntoStore (program, 4096, {});

    // And a garbled chunk.
    memory.clearRequests();
    bar.start();
    rig.settle();   // the information is answered, not yet taken
    rig.simulator.injectReplyFault (Fault::garble);   // the first chunk
    pump();
    EXPECT_EQ (memory.getRequests(), (std::vector<Request> { info (4096), chunk (4096, 0, 2048) }));
    advance (2000);

    EXPECT_EQ (memory.getRequests(), (std::vector<Request> { info (4096), chunk (4096, 0, 2048), chunk (4096, 0, 2048),
                                                             chunk (4096, 2048, 2048), chunk (4096, 4096, 904) }))
        << describe (memory.getRequests());
    EXPECT_EQ (record (program, 4096), expectedRecord ("Big", big));
    expectFinished();
}

TEST_F (ReceiveTransferTest, DelayedRepliesAreWaitedForOrOvertakenByTheReSend)
{
    preloadThree();

    // Within the time-out: the answer is simply late.
    rig.simulator.injectReplyFault (Fault::delay, 1, 1500);
    receive (program, 4096, 4098);
    pump();
    EXPECT_EQ (rig.simulator.getHeldReplyCount(), 1);
    advance (1500);
    EXPECT_EQ (memory.getRequests(), threeClean) << describe (memory.getRequests());
    expectThreeReceived();
    expectFinished();

    // Past the time-out: the re-sent request is answered first; the late answer to
    // the first request arrives while 4097's information is awaited and is ignored.
    for (int id : { 4096, 4097, 4098 })
        putIntoStore (program, id, {});
    memory.clearRequests();
    rig.simulator.injectReplyFault (Fault::delay, 1, 2500);
    bar.start();
    pump();
    rig.timeline.advance (2000);   // re-sent
    step();                        // its information taken; the chunk asked for and answered
    rig.simulator.injectReplyFault (Fault::drop);   // the answer to 4097's information
    step();                        // 4096 stored, 4097's information asked for
    EXPECT_EQ (record (program, 4096), expectedRecord ("Alpha", pattern (300, 1)));
    EXPECT_EQ (rig.simulator.getHeldReplyCount(), 1);

    advance (500);
    EXPECT_EQ (rig.simulator.getHeldReplyCount(), 0);
    EXPECT_EQ (bar.getProgressLine(), "Checking...  ID#: 4097");
    EXPECT_EQ (memory.getRequests().size(), 4u) << describe (memory.getRequests());
    EXPECT_EQ (record (program, 4096), expectedRecord ("Alpha", pattern (300, 1)));

    advance (1500);                // 4097's time-out
    const std::vector<Request> expected { info (4096), info (4096), chunk (4096, 0, 300), info (4097), info (4097),
                                          chunk (4097, 0, 300), info (4098), chunk (4098, 0, 300) };
    EXPECT_EQ (memory.getRequests(), expected) << describe (memory.getRequests());
    expectThreeReceived();
    expectFinished();
}

TEST_F (ReceiveTransferTest, ArbitraryRepliesNeverTakeTheLoopOutsideItsRange)
{
    // Only what the engine hands over reaches the loop: random transfer-family
    // messages, most of them near misses of real replies, handed over directly while
    // the instrument itself stays silent.
    rig.simulator.injectReplyFault (Fault::drop, 1000000);
    for (int id = 4090; id <= 4110; ++id)
        putIntoStore (program, id, expectedRecord ("Keep", pattern (40, (unsigned) id)));

    receive (program, 4096, 4100);
    std::mt19937 rng (5);
    auto pick = [&rng] (std::initializer_list<int> values) { return *(values.begin() + rng() % values.size()); };

    int runs = 1;
    for (int i = 0; i < 4000; ++i)
    {
        if (! bar.isRunning())
        {
            bar.start();   // the range again, from its start
            ++runs;
        }

        Bytes m { 0x07, 0x46, 0x01, 0x00, 0x5A, (std::uint8_t) pick ({ 1, 2, 3, 5, 0x7F }), (std::uint8_t) (rng() & 0x7F),
                  0x0A, 0x01, (std::uint8_t) (fifo.currentId & 0x7F), (std::uint8_t) (fifo.currentId >> 7) };
        const size_t extra = rng() % 40;
        for (size_t k = 0; k < extra; ++k)
            m.push_back ((std::uint8_t) (rng() % 5 == 0 ? rng() : rng() & 0x7F));
        for (size_t k = 7; k < m.size(); ++k)
            if (rng() % 8 == 0)
                m[k] = (std::uint8_t) rng();
        m.resize (std::min (m.size(), (size_t) (rng() % 60)));
        m.push_back (0xF7);

        fifo.handOver (m.data(), m.size());
        fifo.dispatchPendingMessages();

        ASSERT_GE (fifo.currentId, 4096);
        ASSERT_LE (fifo.currentId, 4101);
        ASSERT_LE ((int) fifo.accumulated.getSize(), juce::jmax (0, fifo.totalExpected));
    }

    EXPECT_GT (runs, 1) << "replies were taken, the loop went through its range";

    // Nothing outside the range was touched.
    for (int id : { 4090, 4095, 4101, 4110 })
        EXPECT_EQ (record (program, id), expectedRecord ("Keep", pattern (40, (unsigned) id))) << id;
    rig.settle();
}

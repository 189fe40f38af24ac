#include "link/MidiSendQueue.h"
#include "support/AllocationCounter.h"
#include "support/ManualTimeline.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <mutex>
#include <thread>
#include <vector>

using namespace zd8;

namespace
{
using Bytes = std::vector<juce::uint8>;

/** What reached the far side of a queue: bytes, due time, and the clock when handed on.
    Pieces of a long message are written in by the test itself, marked as such. */
struct Delivery
{
    Bytes bytes;
    double dueMs;
    double atMs;
    bool piece;
};

struct Far
{
    explicit Far (const zd8test::ManualTimeline& t) : clock (t) {}

    MidiSendQueue::Sink sink()
    {
        return [this] (const juce::uint8* data, int size, double dueMs) {
            std::lock_guard<std::mutex> g (lock);
            got.push_back ({ Bytes (data, data + size), dueMs, clock.nowMs(), false });
        };
    }

    void piece (juce::uint8 marker)
    {
        std::lock_guard<std::mutex> g (lock);
        got.push_back ({ Bytes { 0xF0, marker }, clock.nowMs(), clock.nowMs(), true });
    }

    std::vector<Delivery> take()
    {
        std::lock_guard<std::mutex> g (lock);
        auto out = std::move (got);
        got.clear();
        return out;
    }

    size_t size()
    {
        std::lock_guard<std::mutex> g (lock);
        return got.size();
    }

    // Waits for the sending thread alone (no flush) to hand on count events.
    bool waitFor (size_t count, int timeoutMs = 2000)
    {
        const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds (timeoutMs);
        while (size() < count)
        {
            if (std::chrono::steady_clock::now() > end)
                return false;
            std::this_thread::sleep_for (std::chrono::microseconds (200));
        }
        return true;
    }

    const zd8test::ManualTimeline& clock;
    std::mutex lock;
    std::vector<Delivery> got;
};

juce::MidiBuffer clocksAt (std::initializer_list<int> positions)
{
    juce::MidiBuffer b;
    for (int p : positions)
        b.addEvent (juce::MidiMessage::midiClock(), p);
    return b;
}

std::vector<double> dueTimes (const std::vector<Delivery>& d)
{
    std::vector<double> out;
    for (auto& x : d)
        out.push_back (x.dueMs);
    return out;
}

Bytes noteOn (int note) { return { 0x90, (juce::uint8) note, 100 }; }
} // namespace

TEST (MidiSendQueue, HandsOnEachEventAtItsDueTimeInDueTimeOrder)
{
    zd8test::ManualTimeline time (1000.0);
    Far far (time);
    MidiSendQueue q (time, MidiSendQueue::Timing::atDueTime, far.sink());

    // As processBlock does: clock at now + 20 ms delay at 48 kHz, then a host event at
    // now, then one 100 samples into the block at now + 20 ms; then a message sent at
    // now with a position in ms, and two events due at the same time.
    q.pushBlock (clocksAt ({ 0, 480 }), 1000.0 + 20.0, 48000.0);
    const auto n1 = noteOn (1), n2 = noteOn (2), n3 = noteOn (3), n4 = noteOn (4);
    q.push (n1.data(), 3, 1000.0);
    q.pushBlock ([&] { juce::MidiBuffer b; b.addEvent (n2.data(), 3, 100); return b; }(), 1020.0, 48000.0);
    q.push (n3.data(), 3, 1030.0);
    q.push (n4.data(), 3, 1030.0);

    ASSERT_TRUE (q.flush());
    auto got = far.take();
    ASSERT_EQ (got.size(), 1u) << "only the event due now";
    EXPECT_EQ (got[0].bytes, n1);

    // The sending thread, not a flush, sends the rest as the clock reaches them.
    std::this_thread::sleep_for (std::chrono::milliseconds (5));
    EXPECT_EQ (far.size(), 0u) << "nothing is due before 1020";

    time.setNow (1021.0);
    ASSERT_TRUE (far.waitFor (1));
    time.setNow (1035.0);
    ASSERT_TRUE (far.waitFor (5));
    got = far.take();
    EXPECT_EQ (dueTimes (got), (std::vector<double> { 1020.0, 1000.0 + 20.0 + 100.0 / 48.0, 1030.0, 1030.0, 1030.0 }));
    EXPECT_EQ (got[1].bytes, n2);
    EXPECT_EQ (got[3].bytes, n3) << "equal due times keep the order pushed";
    EXPECT_EQ (got[4].bytes, n4);
    for (auto& d : got)
        EXPECT_GE (d.atMs, d.dueMs) << "never early";
    EXPECT_EQ (q.getDroppedCount(), 0);
}

TEST (MidiSendQueue, AtOnceTimingKeepsThePushOrderAndStampsTheDueTime)
{
    zd8test::ManualTimeline time (1000.0);
    Far far (time);
    MidiSendQueue q (time, MidiSendQueue::Timing::atOnce, far.sink());

    const auto n1 = noteOn (1), n2 = noteOn (2);
    q.push (n1.data(), 3, 1500.0);
    q.pushImmediate (n2.data(), 3, 1000.0);
    q.pushBlock (clocksAt ({ 441 }), 900.0, 44100.0);

    ASSERT_TRUE (q.flush());
    const auto got = far.take();
    EXPECT_EQ (dueTimes (got), (std::vector<double> { 1500.0, 1000.0, 910.0 }));
    EXPECT_EQ (got[1].bytes, n2);
}

TEST (MidiSendQueue, OverflowAndOversizeAreDroppedAndCountedWithoutWaiting)
{
    zd8test::ManualTimeline time (1000.0);
    Far far (time);
    MidiSendQueue q (time, MidiSendQueue::Timing::atDueTime, far.sink(), 8);
    const auto n = noteOn (60);

    int accepted = 0;
    for (int i = 0; i < 20; ++i)
        accepted += q.push (n.data(), 3, 2000.0 + i) ? 1 : 0; // none due: all wait
    EXPECT_EQ (accepted, 8);
    EXPECT_EQ (q.getDroppedCount(), 12);

    Bytes longest (MidiSendQueue::maxEventBytes, 0x11), tooLong (MidiSendQueue::maxEventBytes + 1, 0x11);
    q.clearAllPending();
    EXPECT_TRUE (q.push (longest.data(), (int) longest.size(), 1000.0));
    EXPECT_FALSE (q.push (tooLong.data(), (int) tooLong.size(), 1000.0));
    EXPECT_EQ (q.getDroppedCount(), 13);

    ASSERT_TRUE (q.flush());
    const auto got = far.take();
    ASSERT_EQ (got.size(), 1u) << "cleared events are gone, the freed slots are reused";
    EXPECT_EQ (got[0].bytes, longest);
}

// The port owner's long system-exclusive path: clear, stop, the pieces, start. With
// timed traffic pushed all along from another thread, no timed event may land between
// the first and the last piece, what waited before the clear is gone, and what came in
// while stopped goes out after start.
TEST (MidiSendQueue, NothingTimedLandsBetweenThePiecesOfALongMessage)
{
    for (auto timing : { MidiSendQueue::Timing::atDueTime, MidiSendQueue::Timing::atOnce })
    {
        SCOPED_TRACE (timing == MidiSendQueue::Timing::atOnce ? "atOnce" : "atDueTime");
        zd8test::ManualTimeline time (1000.0);
        Far far (time);
        MidiSendQueue q (time, timing, far.sink());

        const auto late = noteOn (99);
        q.push (late.data(), 3, 5000.0); // atDueTime: waits, and the clear drops it

        std::atomic<bool> done { false };
        std::atomic<int> pushed { 0 };
        std::thread audio ([&] {
            const auto n = noteOn (10);
            while (! done.load())
            {
                pushed += q.push (n.data(), 3, 1000.0) ? 1 : 0; // due at once
                std::this_thread::sleep_for (std::chrono::microseconds (50));
            }
        });

        std::this_thread::sleep_for (std::chrono::milliseconds (3));
        q.clearAllPending();
        q.stop();
        for (juce::uint8 piece = 1; piece <= 4; ++piece)
        {
            if (timing == MidiSendQueue::Timing::atOnce)
            {
                const juce::uint8 bytes[] = { 0xF0, piece };
                q.pushImmediate (bytes, 2, time.nowMs()); // in-process device: through the queue
                ASSERT_TRUE (q.flush());
            }
            else
            {
                far.piece (piece); // real device: straight out on this thread
            }
            std::this_thread::sleep_for (std::chrono::milliseconds (2));
        }
        q.start();
        std::this_thread::sleep_for (std::chrono::milliseconds (3));
        done = true;
        audio.join();
        ASSERT_TRUE (q.flush());

        const auto got = far.take();
        std::vector<size_t> pieces;
        for (size_t i = 0; i < got.size(); ++i)
            if (got[i].bytes.size() == 2)
                pieces.push_back (i);
        ASSERT_EQ (pieces.size(), 4u);
        EXPECT_EQ (pieces.back() - pieces.front(), 3u) << "timed events landed inside the message";
        EXPECT_LT (pieces.back() + 1, got.size()) << "events pushed while stopped go out after start";
        EXPECT_EQ ((int) got.size() - 4 + q.getDroppedCount(), pushed.load() + (timing == MidiSendQueue::Timing::atOnce ? 1 : 0));
        if (timing == MidiSendQueue::Timing::atDueTime)
        {
            for (auto& d : got)
                EXPECT_NE (d.bytes, late) << "still waiting at the clear";
        }
    }
}

// Runs under ThreadSanitizer in CI: producers on several threads while another thread
// pauses and resumes the queue; every accepted event arrives once, each producer's in
// its order.
TEST (MidiSendQueue, ManyProducersAtOnceLoseNothingAcceptedAndKeepTheirOrder)
{
    zd8test::ManualTimeline time (1000.0);
    Far far (time);
    MidiSendQueue q (time, MidiSendQueue::Timing::atDueTime, far.sink(), 256);

    constexpr int producers = 4, perProducer = 3000;
    std::atomic<int> refused { 0 };
    std::atomic<bool> done { false };

    std::vector<std::thread> threads;
    for (int t = 0; t < producers; ++t)
        threads.emplace_back ([&, t] {
            for (int i = 0; i < perProducer;)
            {
                const juce::uint8 event[] = { (juce::uint8) (0x90 | t), (juce::uint8) (i & 0x7F), (juce::uint8) (i >> 7) };
                if (q.push (event, 3, 1000.0))
                    ++i;
                else
                {
                    ++refused; // full: a real sender would drop it; this one tries again
                    std::this_thread::yield();
                }
            }
        });

    std::thread pauser ([&] {
        while (! done.load())
        {
            q.stop();
            std::this_thread::sleep_for (std::chrono::microseconds (300));
            q.start();
            std::this_thread::sleep_for (std::chrono::microseconds (300));
        }
    });

    for (auto& t : threads)
        t.join();
    done = true;
    pauser.join();
    ASSERT_TRUE (q.flush());

    const auto got = far.take();
    ASSERT_EQ (got.size(), (size_t) producers * perProducer);
    EXPECT_EQ (q.getDroppedCount(), refused.load());
    std::vector<int> next (producers, 0);
    for (auto& d : got)
    {
        const int t = d.bytes[0] & 0x0F, i = d.bytes[1] | d.bytes[2] << 7;
        ASSERT_LT (t, producers);
        ASSERT_EQ (i, next[(size_t) t]++) << "producer " << t;
    }
}

TEST (MidiSendQueue, PushingAllocatesNothing)
{
    zd8test::ManualTimeline time (1000.0);
    Far far (time);
    MidiSendQueue q (time, MidiSendQueue::Timing::atDueTime, far.sink(), 4);

    juce::MidiBuffer block;
    block.addEvent (juce::MidiMessage::noteOn (1, 60, (juce::uint8) 90), 0);
    block.addEvent (juce::MidiMessage::controllerEvent (1, 1, 64), 100);
    block.addEvent (juce::MidiMessage::pitchWheel (1, 9000), 200);
    const Bytes sysex (200, 0x22);

    zd8test::AllocationCounter counter;
    q.pushBlock (block, 2000.0, 48000.0);
    q.push (sysex.data(), (int) sysex.size(), 2000.0);
    q.push (sysex.data(), (int) sysex.size(), 2000.0); // full: dropped
    EXPECT_EQ (counter.count(), 0);
    EXPECT_EQ (q.getDroppedCount(), 1);
}

#include "plugin/NoticeQueue.h"
#include "support/AllocationCounter.h"

#include <juce_core/juce_core.h>

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

using namespace zd8;

// With no editor draining, the queue stays at its size and keeps the latest notices,
// which are the ones a window opened later must not miss.
TEST (NoticeQueue, AFullQueueGivesUpItsOldestEntriesAndCountsThem)
{
    NoticeQueue<juce::uint32> q (8);
    {
        zd8test::AllocationCounter counter;
        for (juce::uint32 i = 0; i < 20; ++i)
            q.push (i);
        EXPECT_EQ (counter.count(), 0) << "pushing allocates nothing, also when full";
    }

    EXPECT_EQ (q.size(), 8u);
    EXPECT_EQ (q.overflowed(), 12u);
    std::vector<juce::uint32> out;
    q.drainInto (out);
    EXPECT_EQ (out, (std::vector<juce::uint32> { 12, 13, 14, 15, 16, 17, 18, 19 }));

    out.clear();
    q.drainInto (out);
    EXPECT_TRUE (out.empty());
}

// Writers overflowing a small queue while the message thread drains: nothing is
// counted twice or lost uncounted, and what arrives keeps each writer's order.
TEST (NoticeQueue, OverflowingWritersAccountForEveryEntry)
{
    NoticeQueue<juce::uint64> q (64);
    constexpr int writers = 4, perWriter = 20000;
    std::atomic<bool> done { false };
    std::vector<juce::uint64> seen;

    std::thread drainer ([&] {
        while (! done.load())
        {
            q.drainInto (seen);
            std::this_thread::yield();
        }
    });

    std::vector<std::thread> threads;
    for (int t = 0; t < writers; ++t)
        threads.emplace_back ([&q, t] {
            for (int i = 0; i < perWriter; ++i)
                q.push ((juce::uint64) t << 32 | (juce::uint64) i);
        });
    for (auto& t : threads)
        t.join();
    done = true;
    drainer.join();
    q.drainInto (seen);

    EXPECT_EQ (seen.size() + q.overflowed(), (size_t) writers * perWriter);
    std::vector<long> last (writers, -1);
    for (auto v : seen)
    {
        const auto t = (size_t) (v >> 32);
        const auto i = (long) (v & 0xFFFFFFFF);
        ASSERT_LT (t, (size_t) writers);
        EXPECT_GT (i, last[t]) << "writer " << t;
        last[t] = i;
    }
}

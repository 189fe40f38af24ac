#include "plugin/StateListenerList.h"
#include "support/AllocationCounter.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

using namespace zd8;

namespace
{
struct Recorder : public StateListener
{
    explicit Recorder (int n, std::vector<int>* log = nullptr) : id (n), order (log) {}

    void stateChanged (int) override
    {
        if (removed.load())
            ++callsAfterRemoval;
        ++calls;
        if (order != nullptr)
            order->push_back (id);
    }

    int id;
    std::vector<int>* order;
    std::atomic<bool> removed { false };
    std::atomic<int> calls { 0 };
    std::atomic<int> callsAfterRemoval { 0 };
};
} // namespace

TEST (StateListenerList, CallsTheLastRegisteredFirstAndEachOnce)
{
    std::vector<int> order;
    Recorder a (1, &order), b (2, &order), c (3, &order);
    StateListenerList list;
    list.add (&a);
    list.add (&b);
    list.add (&a); // already there
    list.add (&c);
    list.remove (&b);
    list.add (&b);

    order.reserve (16);
    {
        zd8test::AllocationCounter counter;
        list.call (7);
        EXPECT_EQ (counter.count(), 0);
    }
    EXPECT_EQ (order, (std::vector<int> { 2, 3, 1 }));

    list.remove (&a);
    list.remove (&a); // not there: nothing
    order.clear();
    list.call (7);
    EXPECT_EQ (order, (std::vector<int> { 2, 3 }));
}

// Notices come from the MIDI input and audio threads while the window goes away on
// the message thread: once remove() has returned, the listener may be destroyed, so it
// must never be called again, however busy the callers are.
TEST (StateListenerList, ARemovedListenerIsNeverCalledAfterRemoveReturns)
{
    StateListenerList list;
    Recorder stays (0);
    list.add (&stays);
    std::atomic<bool> done { false };

    std::vector<std::thread> callers;
    for (int t = 0; t < 2; ++t)
        callers.emplace_back ([&] {
            while (! done.load())
                list.call (1);
        });

    for (int round = 0; round < 50; ++round)
    {
        Recorder window (1);
        list.add (&window);
        while (window.calls.load() == 0)
            std::this_thread::yield();
        list.remove (&window);
        window.removed = true;
        std::this_thread::yield();
        ASSERT_EQ (window.callsAfterRemoval.load(), 0) << "round " << round;
    }

    done = true;
    for (auto& t : callers)
        t.join();
    EXPECT_GT (stays.calls.load(), 0);
    EXPECT_EQ (stays.callsAfterRemoval.load(), 0);
}

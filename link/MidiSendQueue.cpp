#include "link/MidiSendQueue.h"

#include "link/LockWatch.h"

#include <algorithm>
#include <chrono>
#include <cstring>
#include <thread>

namespace zd8
{

namespace
{
    constexpr const char* queueLockName = "send queue lock";
    constexpr int stopTimeoutMs = 2000;
    constexpr double msPerSecond = 1000.0;
}

/** Hands on due events, then sleeps until the next one falls due or for
    pollIntervalMs, whichever is sooner. High priority, as JUCE gives its own MIDI
    output thread. */
class MidiSendQueue::SendingThread : public juce::Thread
{
public:
    explicit SendingThread (MidiSendQueue& q) : juce::Thread ("zd8 midi send"), queue (q) {}

    void run() override
    {
        while (! threadShouldExit())
            queue.runSendingRound();
    }

private:
    MidiSendQueue& queue;
};

MidiSendQueue::MidiSendQueue (TimeSource& t, Timing tm, Sink s, int capacity)
    : time (t), timing (tm), sink (std::move (s)),
      slots ((size_t) juce::jmax (1, capacity)),
      freeSlots (slots.size()),
      ready (slots.size())
{
    for (juce::uint32 i = 0; i < (juce::uint32) slots.size(); ++i)
        freeSlots.tryPush (i);

    waiting.reserve (slots.size());
    thread = std::make_unique<SendingThread> (*this);
    if (! thread->startThread (juce::Thread::Priority::high))
        thread->startThread();
}

MidiSendQueue::~MidiSendQueue()
{
    thread->stopThread (stopTimeoutMs);
}

//==============================================================================
bool MidiSendQueue::pushBlock (const juce::MidiBuffer& buffer, double startMs, double samplesPerSecond) noexcept
{
    if (! (samplesPerSecond > 0.0))
        return false;

    const double msPerSample = msPerSecond / samplesPerSecond;
    bool all = true;
    for (const auto event : buffer)
        all = enqueue (event.data, event.numBytes, startMs + event.samplePosition * msPerSample, false) && all;

    return all;
}

bool MidiSendQueue::push (const juce::uint8* data, int size, double dueMs) noexcept
{
    return enqueue (data, size, dueMs, false);
}

bool MidiSendQueue::pushImmediate (const juce::uint8* data, int size, double stampMs) noexcept
{
    return enqueue (data, size, stampMs, true);
}

// Any thread: two lock-free queue operations and a copy into a slot nobody else holds.
bool MidiSendQueue::enqueue (const juce::uint8* data, int size, double dueMs, bool immediate) noexcept
{
    if (data == nullptr || size <= 0)
        return true; // nothing to send

    juce::uint32 index;
    if (size > maxEventBytes || ! freeSlots.tryPop (index))
    {
        dropped.fetch_add (1);
        return false;
    }

    auto& slot = slots[index];
    slot.dueMs = dueMs;
    slot.size = size;
    slot.immediate = immediate;
    std::memcpy (slot.bytes, data, (size_t) size);

    // Cannot fail: the queue has room for every slot.
    ready.tryPush (index);
    return true;
}

//==============================================================================
bool MidiSendQueue::isDue (const Waiting& w, double now) const noexcept
{
    return timing == Timing::atOnce || w.dueMs <= now;
}

void MidiSendQueue::release (juce::uint32 index)
{
    freeSlots.tryPush (index); // room for every slot: cannot fail
}

void MidiSendQueue::handOn (juce::uint32 index)
{
    const auto& slot = slots[index];
    if (sink)
        sink (slot.bytes, slot.size, slot.dueMs);
    release (index);
}

// The waiting heap keeps the earliest event on top: by due time and then by the
// order taken (atDueTime), or by the order taken alone (atOnce).
bool MidiSendQueue::Later::operator() (const Waiting& a, const Waiting& b) const noexcept
{
    if (byOrderOnly || a.dueMs == b.dueMs)
        return a.order > b.order;
    return a.dueMs > b.dueMs;
}

// Lock held.
void MidiSendQueue::handOnDue (double now)
{
    const Later later { timing == Timing::atOnce };

    while (! waiting.empty() && isDue (waiting.front(), now))
    {
        std::pop_heap (waiting.begin(), waiting.end(), later);
        const auto index = waiting.back().slot;
        waiting.pop_back();
        handOn (index);
    }
}

// Lock held. Takes everything published from the queue, in the order pushed: timed
// events join the waiting heap, immediate ones go out at once (after whatever timed
// event ahead of them is due, so that order holds).
void MidiSendQueue::service (double now)
{
    const Later later { timing == Timing::atOnce };

    juce::uint32 index;
    while (ready.tryPop (index))
    {
        if (slots[index].immediate)
        {
            if (running)
                handOnDue (now);
            handOn (index);
            continue;
        }

        waiting.push_back ({ slots[index].dueMs, nextOrder++, index });
        std::push_heap (waiting.begin(), waiting.end(), later);

        if (running)
            handOnDue (now);
    }

    if (running)
        handOnDue (now);
}

// The sending thread.
void MidiSendQueue::runSendingRound()
{
    double sleepMs = pollIntervalMs;
    {
        LockWatch::taken (queueLockName);
        std::lock_guard<std::mutex> g (lock);
        const double now = time.nowMs();
        service (now);

        if (running && timing == Timing::atDueTime && ! waiting.empty())
            sleepMs = juce::jlimit (0.0, pollIntervalMs, waiting.front().dueMs - now);
    }

    std::this_thread::sleep_for (std::chrono::duration<double, std::milli> (sleepMs));
}

//==============================================================================
void MidiSendQueue::clearAllPending()
{
    LockWatch::taken (queueLockName);
    std::lock_guard<std::mutex> g (lock);
    service (time.nowMs());

    for (const auto& w : waiting)
        release (w.slot);
    waiting.clear();
}

void MidiSendQueue::stop()
{
    LockWatch::taken (queueLockName);
    std::lock_guard<std::mutex> g (lock);
    service (time.nowMs());
    running = false;
}

void MidiSendQueue::start()
{
    LockWatch::taken (queueLockName);
    std::lock_guard<std::mutex> g (lock);

    // What was pushed while stopped is taken as pushed while stopped: immediate
    // events go out ahead of the held timed ones.
    const double now = time.nowMs();
    service (now);
    running = true;
    handOnDue (now);
}

bool MidiSendQueue::isRunning() const
{
    std::lock_guard<std::mutex> g (lock);
    return running;
}

bool MidiSendQueue::flush (int timeoutMs)
{
    const auto target = ready.pushes();
    const auto deadline = juce::Time::getMillisecondCounterHiRes() + juce::jmax (0, timeoutMs);

    for (;;)
    {
        {
            LockWatch::taken (queueLockName);
            std::lock_guard<std::mutex> g (lock);
            service (time.nowMs());
            if (ready.pops() >= target)
                return true;
        }

        // A pusher has claimed its place but not yet published the event: a matter of
        // instructions, unless its thread was preempted.
        if (juce::Time::getMillisecondCounterHiRes() > deadline)
            return false;
        std::this_thread::yield();
    }
}

} // namespace zd8

#pragma once

#include "link/BoundedMpmcQueue.h"
#include "link/TimeSource.h"

#include <juce_audio_basics/juce_audio_basics.h>

#include <atomic>
#include <functional>
#include <mutex>
#include <vector>

namespace zd8
{

/** The timed half of a MIDI output: events waiting for their due time, handed on by
    a sending thread of our own.

    Any thread may push, the audio thread included: a push takes no lock and
    allocates nothing. Events live in a pre-allocated pool of slots (each up to
    maxEventBytes, enough for a short system-exclusive message); a pusher takes a free
    slot, fills it and queues its number, both through lock-free queues. When no slot
    is free the event is dropped and counted, the pusher never waits.

    The sending thread polls instead of being woken, so that a push never has to
    signal it (signalling takes a lock): it sleeps at most pollIntervalMs at a time,
    less when an event falls due sooner. An event is therefore handed on at most
    about a millisecond after its due time, the time one three-byte message takes on
    the MIDI cable anyway.

    Two timings:
    - atDueTime: each event is handed on once the time source reaches its due time, in
      due-time order (events due at the same time in the order they were pushed).
      For a real device.
    - atOnce: each event is handed on as soon as the sending thread sees it, in the
      order pushed, keeping its due time as a stamp. For an in-process device whose
      receiver reads the stamp instead of waiting for the clock, which keeps tests
      exact and fast.

    Stop, start and clear keep a long system-exclusive message in one piece: after
    stop() returns nothing timed is handed on until start(); clearAllPending() drops
    what still waits. Immediate events (pushImmediate) pass a stop, so the pieces of
    a long message can go out while the timed events wait behind them.

    Everything pushed before stop(), start(), clearAllPending() or flush() is first
    seen as it was pushed: what is due by then is handed on (in atOnce timing,
    everything while running), so the poll delay never decides whether an event falls
    before or after such a call. These calls take the queue's lock and may hand
    events on themselves, on the caller's thread; they are not for the audio
    thread. */
class MidiSendQueue
{
public:
    enum class Timing
    {
        atDueTime,
        atOnce
    };

    /** Receives each event when it is handed on: its bytes and its due time in ms.
        Called one event at a time, on the sending thread or on the thread of a call
        that hands events on (see above). */
    using Sink = std::function<void (const juce::uint8* data, int size, double dueMs)>;

    static constexpr int maxEventBytes = 256;
    static constexpr int defaultCapacity = 1024;
    static constexpr double pollIntervalMs = 1.0;

    MidiSendQueue (TimeSource& time, Timing timing, Sink sink, int capacity = defaultCapacity);
    ~MidiSendQueue();

    /** Any thread. Queues each event of the buffer due at
        startMs + position * 1000 / samplesPerSecond. Returns false when an event was
        dropped (no free slot, too long) or the rate is not positive. */
    bool pushBlock (const juce::MidiBuffer& buffer, double startMs, double samplesPerSecond) noexcept;

    /** Any thread. One event due at dueMs. */
    bool push (const juce::uint8* data, int size, double dueMs) noexcept;

    /** Any thread. One event handed on as soon as the sending thread sees it, also
        while stopped, stamped with stampMs. */
    bool pushImmediate (const juce::uint8* data, int size, double stampMs) noexcept;

    /** Hands on what is due, then drops every timed event still waiting. */
    void clearAllPending();
    /** Hands on what is due, then holds timed events until start(). Returns once
        nothing is being handed on. */
    void stop();
    /** Lets held and new timed events go out again. */
    void start();
    bool isRunning() const;

    /** Hands on everything pushed before the call that is due by now (in atOnce
        timing: everything, unless stopped). false when an event pushed before the call
        was still not published after timeoutMs. */
    bool flush (int timeoutMs = 2000);

    /** Events dropped because no slot was free or they were too long. */
    int getDroppedCount() const noexcept { return dropped.load(); }
    int getCapacity() const noexcept { return (int) slots.size(); }

private:
    struct Slot
    {
        double dueMs = 0;
        int size = 0;
        bool immediate = false;
        juce::uint8 bytes[maxEventBytes] {};
    };

    struct Waiting
    {
        double dueMs;
        juce::uint64 order; // the order the sending side took it from the queue
        juce::uint32 slot;
    };

    struct Later // heap order
    {
        bool byOrderOnly;
        bool operator() (const Waiting& a, const Waiting& b) const noexcept;
    };

    bool enqueue (const juce::uint8* data, int size, double dueMs, bool immediate) noexcept;
    void service (double now);    // lock held
    void handOnDue (double now);  // lock held
    void handOn (juce::uint32 slot);
    void release (juce::uint32 slot);
    bool isDue (const Waiting& w, double now) const noexcept;

    void runSendingRound();

    class SendingThread;

    TimeSource& time;
    const Timing timing;
    Sink sink;

    std::vector<Slot> slots;
    BoundedMpmcQueue<juce::uint32> freeSlots;
    BoundedMpmcQueue<juce::uint32> ready;
    std::atomic<int> dropped { 0 };

    // Sending side: taken by the sending thread around each round of handing on, and
    // by stop, start, clear and flush. Never by a pusher.
    mutable std::mutex lock;
    bool running = true;
    std::vector<Waiting> waiting; // a heap, earliest on top; reserved for every slot
    juce::uint64 nextOrder = 0;

    std::unique_ptr<SendingThread> thread;

    JUCE_DECLARE_NON_COPYABLE (MidiSendQueue)
};

} // namespace zd8

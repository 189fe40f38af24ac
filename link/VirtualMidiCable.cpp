#include "link/VirtualMidiCable.h"

#include "link/LockWatch.h"
#include "link/MidiSendQueue.h"

#include <algorithm>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

namespace zd8
{

/*  The queue is a ring of pre-built juce::MidiMessage slots. A free slot never owns
    heap data (the delivery thread moves each message out, clearPending overwrites
    with a short message), so copying a short message (up to 8 bytes, stored inline)
    into a free slot neither allocates nor frees: that is what makes send() safe on
    the audio thread. The lock is held only to copy into or out of a slot. */
struct VirtualMidiCable::Impl
{
    explicit Impl (TimeSource& t) : time (t), ring ((size_t) capacity)
    {
        thread = std::thread ([this] { run(); });
    }

    ~Impl()
    {
        {
            std::lock_guard<std::mutex> g (lock);
            quitting = true;
        }
        wake.notify_all();
        thread.join();
    }

    // Any thread.
    void push (const juce::MidiMessage& message, double dueMs)
    {
        LockWatch::taken ("virtual cable lock");
        {
            std::lock_guard<std::mutex> g (lock);
            if (count == (size_t) capacity)
            {
                ++dropped;
                return;
            }

            auto& slot = ring[(head + count) % (size_t) capacity];
            slot = message;
            slot.setTimeStamp (dueMs);
            ++count;
        }
        wake.notify_one();
    }

    // The cable's delivery thread.
    void run()
    {
        std::unique_lock<std::mutex> lk (lock);

        for (;;)
        {
            wake.wait (lk, [this] { return quitting || count > 0; });
            if (quitting)
                return;

            juce::MidiMessage message (std::move (ring[head])); // leaves the slot empty
            head = (head + 1) % (size_t) capacity;
            --count;

            auto* target = receiver;
            delivering = true;
            ++deliveriesStarted;
            lk.unlock();

            if (target != nullptr)
                target->handleIncomingMidiMessage (nullptr, message);

            lk.lock();
            delivering = false;
            idle.notify_all();
        }
    }

    bool onDeliveryThread() const { return std::this_thread::get_id() == thread.get_id(); }

    TimeSource& time;

    std::mutex lock;
    std::condition_variable wake; // delivery thread: something queued, or quit
    std::condition_variable idle; // connect / waitUntilIdle: a delivery finished

    std::vector<juce::MidiMessage> ring;
    size_t head = 0;
    size_t count = 0;
    juce::MidiInputCallback* receiver = nullptr;
    bool delivering = false;
    juce::uint64 deliveriesStarted = 0;
    bool quitting = false;
    int dropped = 0;

    // Guards feeders; held while they are flushed. Never taken with lock held.
    std::mutex feederLock;
    std::vector<MidiSendQueue*> feeders;

    std::thread thread;
};

VirtualMidiCable::VirtualMidiCable (TimeSource& time) : impl (std::make_unique<Impl> (time)) {}

VirtualMidiCable::~VirtualMidiCable() = default;

void VirtualMidiCable::connect (juce::MidiInputCallback* receiver)
{
    std::unique_lock<std::mutex> lk (impl->lock);
    impl->receiver = receiver;

    // A receiver that disconnects itself from inside its own callback cannot wait for
    // that callback to finish.
    if (! impl->delivering || impl->onDeliveryThread())
        return;

    // Only the delivery that was running when we changed the receiver can still be
    // talking to the old one; later ones already see the new receiver.
    const auto running = impl->deliveriesStarted;
    impl->idle.wait (lk, [this, running] { return ! impl->delivering || impl->deliveriesStarted != running; });
}

void VirtualMidiCable::send (const juce::MidiMessage& message, double dueMs)
{
    impl->push (message, dueMs);
}

void VirtualMidiCable::sendNow (const juce::MidiMessage& message)
{
    impl->push (message, impl->time.nowMs());
}

void VirtualMidiCable::sendRaw (const juce::uint8* data, int size, double dueMs)
{
    if (data == nullptr || size <= 0)
        return;

    impl->push (juce::MidiMessage (data, size, dueMs), dueMs);
}

void VirtualMidiCable::clearPending()
{
    static const juce::MidiMessage empty; // two bytes, inline: releases a slot's heap data

    std::lock_guard<std::mutex> g (impl->lock);
    for (size_t i = 0; i < impl->count; ++i)
        impl->ring[(impl->head + i) % (size_t) capacity] = empty;

    impl->count = 0;
    impl->idle.notify_all();
}

bool VirtualMidiCable::waitUntilIdle (int timeoutMs)
{
    bool flushed = true;
    if (! impl->onDeliveryThread())
    {
        std::lock_guard<std::mutex> g (impl->feederLock);
        for (auto* q : impl->feeders)
            flushed = q->flush (timeoutMs) && flushed;
    }

    std::unique_lock<std::mutex> lk (impl->lock);
    auto isIdle = [this] { return impl->count == 0 && ! impl->delivering; };

    if (impl->onDeliveryThread())
        return isIdle();

    return impl->idle.wait_for (lk, std::chrono::milliseconds (juce::jmax (0, timeoutMs)), isIdle) && flushed;
}

void VirtualMidiCable::addFeeder (MidiSendQueue& queue)
{
    std::lock_guard<std::mutex> g (impl->feederLock);
    impl->feeders.push_back (&queue);
}

void VirtualMidiCable::removeFeeder (MidiSendQueue& queue)
{
    std::lock_guard<std::mutex> g (impl->feederLock);
    auto& f = impl->feeders;
    f.erase (std::remove (f.begin(), f.end(), &queue), f.end());
}

int VirtualMidiCable::getDroppedCount() const
{
    std::lock_guard<std::mutex> g (impl->lock);
    return impl->dropped;
}

TimeSource& VirtualMidiCable::getTimeSource() const noexcept
{
    return impl->time;
}

} // namespace zd8

#include "sim/InstrumentSimulator.h"

#include "sim/InstrumentReplies.h"
#include "sim/InstrumentSysexDecoder.h"
#include "sim/SysexAssembler.h"

#include <chrono>
#include <cmath>
#include <condition_variable>
#include <deque>
#include <limits>

namespace zd8sim
{

namespace
{
constexpr int channelCount = 16;

// Length of a channel message by its status nibble (0x80..0xE0), data bytes included.
size_t channelMessageSize (juce::uint8 status) noexcept
{
    const auto kind = status & 0xF0;
    return (kind == 0xC0 || kind == 0xD0) ? 2 : 3;
}

bool isDataByte (int value) noexcept { return value >= 0 && value < 128; }
bool isMidiChannel (int channel) noexcept { return channel >= 1 && channel <= channelCount; }

// A garbled reply keeps its F0, the four bytes after it and its F7.
constexpr size_t garbleFrom = 5;
constexpr juce::uint8 garbleMask = 0x7F;
} // namespace

/*  Two locks: inputLock serialises the input path (assembler and addressed decoder,
    which only the delivering thread touches); lock guards what the accessors read and
    is held only to copy in or out. The object memory has its own lock. Timers are
    never called with lock held: a manual timeline runs its ticks under its own lock,
    and a tick takes lock. */
struct InstrumentSimulator::State
{
    explicit State (zd8::TimerFactory& t) : timers (&t)
    {
        channelPrograms.fill (-1);
    }

    struct Fault
    {
        ReplyFault kind;
        int remaining;
        int delayMs;
    };

    struct Held
    {
        double dueMs;
        std::vector<juce::uint8> bytes;
    };

    std::mutex inputLock;
    SysexAssembler assembler;
    AddressedChangeDecoder addressedDecoder;

    mutable std::mutex lock;
    mutable std::condition_variable receivedGrew;
    std::vector<Received> received;
    std::vector<std::vector<juce::uint8>> assembled;
    std::array<int, channelCount> channelPrograms {};
    int multi = -1;
    int selectedChannel = -1;
    std::vector<AddressedChange> addressed;
    int identityRequests = 0;
    std::array<std::uint8_t, 4> model = InstrumentReplies::zd8Model;
    bool answersIdentity = true;
    std::deque<Fault> faults;
    std::vector<Held> held;

    ObjectMemory memory;

    // The timer for delayed replies, made on first use; timerLock guards making it.
    std::mutex timerLock;
    zd8::TimerFactory* timers;
    std::unique_ptr<zd8::OneShotTimer> heldTimer;
};

InstrumentSimulator::InstrumentSimulator (juce::String name, zd8::TimeSource& time, zd8::TimerFactory& timers)
    : state (std::make_unique<State> (timers)),
      device (std::make_shared<zd8::VirtualMidiDevice> (std::move (name), time))
{
    device->toDevice.connect (this);
}

InstrumentSimulator::~InstrumentSimulator()
{
    // The device may outlive us (it is shared): make sure no delivery still runs into us.
    device->toDevice.connect (nullptr);

    std::lock_guard<std::mutex> t (state->timerLock);
    state->heldTimer.reset();
}

void InstrumentSimulator::setTimers (zd8::TimerFactory& timers)
{
    std::lock_guard<std::mutex> t (state->timerLock);
    state->heldTimer.reset();
    state->timers = &timers;
}

ObjectMemory& InstrumentSimulator::getMemory() noexcept
{
    return state->memory;
}

//==============================================================================
void InstrumentSimulator::injectReplyFault (ReplyFault fault, int count, int delayMs)
{
    if (count <= 0)
        return;

    std::lock_guard<std::mutex> g (state->lock);
    state->faults.push_back ({ fault, count, juce::jmax (0, delayMs) });
}

void InstrumentSimulator::clearReplyFaults()
{
    std::lock_guard<std::mutex> g (state->lock);
    state->faults.clear();
}

int InstrumentSimulator::getPendingReplyFaults() const
{
    std::lock_guard<std::mutex> g (state->lock);
    int n = 0;
    for (const auto& f : state->faults)
        n += f.remaining;
    return n;
}

int InstrumentSimulator::getHeldReplyCount() const
{
    std::lock_guard<std::mutex> g (state->lock);
    return (int) state->held.size();
}

// Input path (or a timer tick for held replies): one reply on its way to the plug-in.
void InstrumentSimulator::sendReply (std::vector<juce::uint8> reply)
{
    if (reply.empty())
        return;

    auto& from = device->fromDevice;
    const double now = from.getTimeSource().nowMs();
    int copies = 1;
    int delayMs = -1;

    {
        std::lock_guard<std::mutex> g (state->lock);
        if (! state->faults.empty())
        {
            auto& f = state->faults.front();
            switch (f.kind)
            {
                case ReplyFault::drop:      copies = 0; break;
                case ReplyFault::duplicate: copies = 2; break;
                case ReplyFault::delay:     delayMs = f.delayMs; break;
                case ReplyFault::garble:
                    for (size_t i = garbleFrom; i + 1 < reply.size(); ++i)
                        reply[i] ^= garbleMask;
                    break;
            }
            if (--f.remaining <= 0)
                state->faults.pop_front();
        }

        if (delayMs >= 0)
            state->held.push_back ({ now + delayMs, reply });
    }

    if (delayMs >= 0)
    {
        std::lock_guard<std::mutex> t (state->timerLock);
        if (state->heldTimer == nullptr)
        {
            state->heldTimer = state->timers->createTimer();
            state->heldTimer->onTick = [this] { sendDueReplies(); };
        }
        if (! state->heldTimer->isRunning())
            state->heldTimer->start (juce::jmax (1, delayMs));
        return;
    }

    for (int i = 0; i < copies; ++i)
        from.sendRaw (reply.data(), (int) reply.size(), now);
}

// Timer tick: sends the held replies that are due, in the order they were held, and
// waits for the next one.
void InstrumentSimulator::sendDueReplies()
{
    auto& from = device->fromDevice;
    const double now = from.getTimeSource().nowMs();
    std::vector<std::vector<juce::uint8>> due;
    double next = -1;

    {
        std::lock_guard<std::mutex> g (state->lock);
        auto& held = state->held;
        for (auto it = held.begin(); it != held.end();)
        {
            if (it->dueMs <= now)
            {
                due.push_back (std::move (it->bytes));
                it = held.erase (it);
            }
            else
            {
                next = next < 0 ? it->dueMs : juce::jmin (next, it->dueMs);
                ++it;
            }
        }
    }

    // The tick runs the timer's own callback: the timer exists and is not being made.
    if (next < 0)
        state->heldTimer->stop();
    else
        state->heldTimer->start (juce::jmax (1, (int) std::ceil (next - now)));

    for (auto& r : due)
        from.sendRaw (r.data(), (int) r.size(), now);
}

//==============================================================================
void InstrumentSimulator::setIdentity (int byte6, int byte7, int byte8, int byte9)
{
    std::lock_guard<std::mutex> g (state->lock);
    state->model = { (std::uint8_t) (byte6 & 0x7F), (std::uint8_t) (byte7 & 0x7F),
                     (std::uint8_t) (byte8 & 0x7F), (std::uint8_t) (byte9 & 0x7F) };
}

void InstrumentSimulator::setAnswersIdentity (bool shouldAnswer)
{
    std::lock_guard<std::mutex> g (state->lock);
    state->answersIdentity = shouldAnswer;
}

//==============================================================================
std::vector<InstrumentSimulator::Received> InstrumentSimulator::getReceived() const
{
    std::lock_guard<std::mutex> g (state->lock);
    return state->received;
}

void InstrumentSimulator::clearReceived()
{
    std::lock_guard<std::mutex> g (state->lock);
    state->received.clear();
    state->assembled.clear();
}

bool InstrumentSimulator::waitForReceived (size_t count, int timeoutMs) const
{
    std::unique_lock<std::mutex> lk (state->lock);
    return state->receivedGrew.wait_for (lk, std::chrono::milliseconds (juce::jmax (0, timeoutMs)),
                                         [this, count] { return state->received.size() >= count; });
}

bool InstrumentSimulator::waitUntilHandled (int timeoutMs) const
{
    return device->toDevice.waitUntilIdle (timeoutMs);
}

std::vector<std::vector<juce::uint8>> InstrumentSimulator::getAssembledSysex() const
{
    std::lock_guard<std::mutex> g (state->lock);
    return state->assembled;
}

int InstrumentSimulator::getChannelProgram (int channel) const
{
    if (channel < 0 || channel >= channelCount)
        return -1;

    std::lock_guard<std::mutex> g (state->lock);
    return state->channelPrograms[(size_t) channel];
}

int InstrumentSimulator::getMulti() const
{
    std::lock_guard<std::mutex> g (state->lock);
    return state->multi;
}

int InstrumentSimulator::getSelectedChannel() const
{
    std::lock_guard<std::mutex> g (state->lock);
    return state->selectedChannel;
}

std::vector<InstrumentSimulator::AddressedChange> InstrumentSimulator::getAddressedChanges() const
{
    std::lock_guard<std::mutex> g (state->lock);
    return state->addressed;
}

int InstrumentSimulator::getIdentityRequestCount() const
{
    std::lock_guard<std::mutex> g (state->lock);
    return state->identityRequests;
}

void InstrumentSimulator::resetState()
{
    std::lock_guard<std::mutex> in (state->inputLock);
    state->assembler.reset();
    state->addressedDecoder.reset();

    std::lock_guard<std::mutex> g (state->lock);
    state->channelPrograms.fill (-1);
    state->multi = -1;
    state->selectedChannel = -1;
    state->addressed.clear();
    state->identityRequests = 0;
}

//==============================================================================
// The toDevice cable's delivery thread (or a real MIDI input thread).
void InstrumentSimulator::handleIncomingMidiMessage (juce::MidiInput*, const juce::MidiMessage& message)
{
    const auto* data = message.getRawData();
    const auto size = (size_t) juce::jmax (0, message.getRawDataSize());

    std::lock_guard<std::mutex> in (state->inputLock);

    {
        std::lock_guard<std::mutex> g (state->lock);
        state->received.push_back ({ message.getTimeStamp(), { data, data + size }, false });
    }
    state->receivedGrew.notify_all();

    switch (state->assembler.add (data, size))
    {
        case SysexAssembler::Outcome::complete:
            handleSysex (state->assembler.takeMessage());
            break;

        case SysexAssembler::Outcome::notSysex:
            handleShortMessage (data, size);
            break;

        case SysexAssembler::Outcome::pending:
        case SysexAssembler::Outcome::stray:
            break;
    }
}

// A real MIDI input thread: the bytes of a long message received so far.
void InstrumentSimulator::handlePartialSysexMessage (juce::MidiInput*, const juce::uint8* data, int size,
                                                     double timestamp)
{
    if (data == nullptr || size <= 0)
        return;

    std::lock_guard<std::mutex> in (state->inputLock);

    {
        std::lock_guard<std::mutex> g (state->lock);
        state->received.push_back ({ timestamp, { data, data + size }, true });
    }
    state->receivedGrew.notify_all();

    state->assembler.addPartial (data, (size_t) size);
}

// Input path, inputLock held.
void InstrumentSimulator::handleSysex (const std::vector<juce::uint8>& message)
{
    using Kind = InstrumentSysexDecoder::Kind;
    const auto decoded = InstrumentSysexDecoder::decode (message.data(), message.size());

    std::vector<std::vector<std::uint8_t>> replies;

    {
        std::lock_guard<std::mutex> g (state->lock);
        state->assembled.push_back (message);

        switch (decoded.kind)
        {
            case Kind::identityRequest:
                ++state->identityRequests;
                if (state->answersIdentity)
                    replies.push_back (InstrumentReplies::identityReply (state->model));
                break;

            case Kind::channelProgramSelect:
                state->channelPrograms[(size_t) decoded.channel] = decoded.number;
                break;

            case Kind::multiSelect:
                state->multi = decoded.number;
                break;

            case Kind::channelSelect:
                state->selectedChannel = decoded.channel;
                break;

            case Kind::otherCommand:
            case Kind::rejected:
                break;
        }
    }

    // The object memory follows the selections and answers transfers and writes.
    switch (decoded.kind)
    {
        case Kind::channelProgramSelect: state->memory.selectProgram (decoded.channel, decoded.number); break;
        case Kind::multiSelect: state->memory.selectMulti (decoded.number); break;
        case Kind::otherCommand: replies = state->memory.handleMessage (message.data(), message.size()); break;
        case Kind::identityRequest:
        case Kind::channelSelect:
        case Kind::rejected:
            break;
    }

    for (auto& r : replies)
        sendReply (std::move (r));
}

// Input path, inputLock held: anything that is not system-exclusive material.
void InstrumentSimulator::handleShortMessage (const juce::uint8* data, size_t size)
{
    if (size == 0 || data[0] < 0x80 || data[0] >= 0xF0 || size != channelMessageSize (data[0]))
        return; // real-time and system-common bytes carry nothing the instrument keeps

    for (size_t i = 1; i < size; ++i)
        if (! isDataByte (data[i]))
            return;

    if ((data[0] & 0xF0) != 0xB0)
        return;

    AddressedChange change;
    if (state->addressedDecoder.addController ((data[0] & 0x0F) + 1, data[1], data[2], change))
    {
        std::lock_guard<std::mutex> g (state->lock);
        state->addressed.push_back (change);
    }
}

//==============================================================================
void InstrumentSimulator::sendToPlugin (const juce::MidiMessage& message)
{
    device->fromDevice.sendNow (message);
}

void InstrumentSimulator::sendNoteOn (int channel, int note, int velocity)
{
    if (isMidiChannel (channel) && isDataByte (note) && isDataByte (velocity))
        sendToPlugin (juce::MidiMessage::noteOn (channel, note, (juce::uint8) velocity));
}

void InstrumentSimulator::sendNoteOff (int channel, int note)
{
    if (isMidiChannel (channel) && isDataByte (note))
        sendToPlugin (juce::MidiMessage::noteOff (channel, note));
}

void InstrumentSimulator::sendController (int channel, int controller, int value)
{
    if (isMidiChannel (channel) && isDataByte (controller) && isDataByte (value))
        sendToPlugin (juce::MidiMessage::controllerEvent (channel, controller, value));
}

void InstrumentSimulator::sendProgramChange (int channel, int program)
{
    if (isMidiChannel (channel) && isDataByte (program))
        sendToPlugin (juce::MidiMessage::programChange (channel, program));
}

void InstrumentSimulator::sendPitchBend (int channel, int value14)
{
    if (isMidiChannel (channel) && value14 >= 0 && value14 < 16384)
        sendToPlugin (juce::MidiMessage::pitchWheel (channel, value14));
}

void InstrumentSimulator::sendRaw (const std::vector<juce::uint8>& bytes)
{
    if (bytes.empty() || bytes.size() > (size_t) std::numeric_limits<int>::max())
        return;

    device->fromDevice.sendRaw (bytes.data(), (int) bytes.size(), device->fromDevice.getTimeSource().nowMs());
}

void InstrumentSimulator::sendSysex (const std::vector<juce::uint8>& message, size_t splitAt)
{
    if (splitAt == 0 || splitAt >= message.size())
    {
        sendRaw (message);
        return;
    }

    sendRaw ({ message.begin(), message.begin() + (std::ptrdiff_t) splitAt });
    sendRaw ({ message.begin() + (std::ptrdiff_t) splitAt, message.end() });
}

bool InstrumentSimulator::waitUntilDelivered (int timeoutMs) const
{
    return device->fromDevice.waitUntilIdle (timeoutMs);
}

} // namespace zd8sim

#include "sim/InstrumentSimulator.h"

#include "sim/InstrumentReplies.h"
#include "sim/InstrumentSysexDecoder.h"
#include "sim/SysexAssembler.h"

#include <chrono>
#include <condition_variable>
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
} // namespace

/*  Two locks: inputLock serialises the input path (assembler and addressed decoder,
    which only the delivering thread touches); lock guards what the accessors read and
    is held only to copy in or out. */
struct InstrumentSimulator::State
{
    State()
    {
        channelPrograms.fill (-1);
    }

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
};

InstrumentSimulator::InstrumentSimulator (juce::String name, zd8::TimeSource& time)
    : state (std::make_unique<State>()),
      device (std::make_shared<zd8::VirtualMidiDevice> (std::move (name), time))
{
    device->toDevice.connect (this);
}

InstrumentSimulator::~InstrumentSimulator()
{
    // The device may outlive us (it is shared): make sure no delivery still runs into us.
    device->toDevice.connect (nullptr);
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

    std::vector<std::uint8_t> reply;

    {
        std::lock_guard<std::mutex> g (state->lock);
        state->assembled.push_back (message);

        switch (decoded.kind)
        {
            case Kind::identityRequest:
                ++state->identityRequests;
                if (state->answersIdentity)
                    reply = InstrumentReplies::identityReply (state->model);
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

    if (! reply.empty())
        device->fromDevice.sendRaw (reply.data(), (int) reply.size(), device->fromDevice.getTimeSource().nowMs());
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

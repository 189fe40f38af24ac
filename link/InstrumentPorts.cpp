#include "link/InstrumentPorts.h"

#include "link/SysexProtocol.h"

#include <thread>
#include <vector>

namespace zd8
{

/*  Program select pacing. Each channel has a "pending" mark. The first selection on
    an unmarked channel goes out at once and marks the channel. A selection on a
    marked channel while the pacing timer is idle also goes out at once but starts
    the 100 ms window; selections inside the window only store their value and
    restart the window. When the window ends, the latest stored value of every marked
    channel goes out (again), channels 0..15 in order, and the marks are cleared. So
    dragging a program selector sends the first two steps and then one message per
    quiet 100 ms, always ending on the value the user stopped at. */

namespace
{
    constexpr int numChannels = 16;
    constexpr int lowestMidiChannel = 1;
    constexpr int highestMidiChannel = 16;
    constexpr double msTimebase = 1000.0;    // samples per second: positions are ms
    constexpr int minStoredNameLength = 3;   // shorter stored names never match a device
    constexpr const char* noStoredPort = "NONE"; // the port file's entry when no port is chosen
    constexpr int dataByteMask = 0x7F;
}

/** A sender's claim on the output: while one exists the output is not deleted.
    Closing clears outputOpen first and then waits for the claims to go, so a claim
    either sees the port closed or holds it until done. Never blocks the sender. */
class InstrumentPorts::OutputUse
{
public:
    explicit OutputUse (InstrumentPorts& o) : owner (o)
    {
        owner.outputUsers.fetch_add (1);
        port = owner.outputOpen.load() ? owner.output.get() : nullptr;
    }

    ~OutputUse() { owner.outputUsers.fetch_sub (1); }

    explicit operator bool() const noexcept { return port != nullptr; }
    MidiOutPort* operator->() const noexcept { return port; }

private:
    InstrumentPorts& owner;
    MidiOutPort* port = nullptr;

    JUCE_DECLARE_NON_COPYABLE (OutputUse)
};

//==============================================================================
InstrumentPorts::InstrumentPorts (LinkEnvironment& env, juce::MidiInputCallback& input)
    : environment (env), inputCallback (input), pacingTimer (env.timers.createTimer())
{
    pacingTimer->onTick = [this] { flushPendingProgramSelects(); };
}

InstrumentPorts::~InstrumentPorts()
{
    pacingTimer->stop();
    pacingTimer.reset();
    closeOutput();
    closeInput();
}

//==============================================================================
void InstrumentPorts::closeInput()
{
    inputOpen = false;
    if (input != nullptr)
    {
        input->stop(); // returns once no delivery to the callback is running
        input.reset();
    }
    inputIndex = -1;
}

void InstrumentPorts::closeOutput()
{
    outputOpen = false;
    while (outputUsers.load() != 0) // a send on another thread is still using it
        std::this_thread::yield();

    if (output != nullptr)
    {
        output->stopBackgroundThread();
        output.reset();
    }
    outputIndex = -1;
}

void InstrumentPorts::openInput (int n)
{
    closeInput();
    if (n < 1)
        return;

    if (auto port = environment.devices.openInput (n - 1, &inputCallback))
    {
        input = std::move (port);
        input->start();
        inputIndex = n - 1;
        inputOpen = true;
    }
}

void InstrumentPorts::openOutput (int n)
{
    closeOutput();
    if (n < 1)
        return;

    if (auto port = environment.devices.openOutput (n - 1))
    {
        port->startBackgroundThread();
        output = std::move (port);
        outputIndex = n - 1;
        outputOpen = true; // publishes the pointer to senders
    }
}

juce::StringArray InstrumentPorts::getInputNames()
{
    return environment.devices.getInputNames();
}

juce::StringArray InstrumentPorts::getOutputNames()
{
    return environment.devices.getOutputNames();
}

void InstrumentPorts::openStoredPorts (const juce::StringArray& portNames)
{
    // Listing the devices opens a MIDI client on some systems, so the lists are only
    // asked for when a stored name could match one: "NONE" (no port chosen) and names
    // shorter than the minimum never do.
    auto couldMatch = [] (const juce::String& stored) {
        return stored.length() >= minStoredNameLength && stored != noStoredPort;
    };
    auto portNumberOf = [] (const juce::String& stored, const juce::StringArray& devices) {
        return devices.indexOf (stored, false) + 1; // exact, case-sensitive; 0 when absent
    };

    openInput (couldMatch (portNames[0]) ? portNumberOf (portNames[0], getInputNames()) : 0);
    openOutput (couldMatch (portNames[1]) ? portNumberOf (portNames[1], getOutputNames()) : 0);
}

//==============================================================================
int InstrumentPorts::sysexPieceLength (int remaining) noexcept
{
    // A piece of up to three bytes that does not start with F0 is sent by JUCE's
    // Windows output as a short message (midiOutShortMsg), which does not carry
    // system-exclusive data: the piece before the last gives up bytes so that the
    // last one has at least minSysexPieceSize.
    if (remaining <= sysexPieceSize)
        return remaining;
    if (remaining - sysexPieceSize < minSysexPieceSize)
        return remaining - minSysexPieceSize;
    return sysexPieceSize;
}

void InstrumentPorts::sendSysEx (const juce::MemoryBlock& message)
{
    OutputUse out (*this);
    const auto* bytes = static_cast<const juce::uint8*> (message.getData());
    const int length = (int) message.getSize();

    if (! out || length <= 0)
        return;

    if (length <= sysexPieceSize)
    {
        juce::MidiBuffer buffer;
        buffer.addEvent (bytes, length, 0);
        out->sendBlockOfMessages (buffer, environment.time.nowMs(), msTimebase);
        return;
    }

    // Nothing timed may land between the pieces: drop what waits, pause the timed
    // queue, send the pieces synchronously, then let the queue run again.
    out->clearAllPendingMessages();
    out->stopBackgroundThread();

    for (int offset = 0; offset < length;)
    {
        const int piece = sysexPieceLength (length - offset);
        out->sendRawNow (bytes + offset, piece);
        offset += piece;
    }

    out->startBackgroundThread();
}

void InstrumentPorts::sendNow (const juce::MidiBuffer& buffer)
{
    OutputUse out (*this);
    if (out)
        out->sendBlockOfMessages (buffer, environment.time.nowMs(), msTimebase);
}

void InstrumentPorts::sendDelayed (const juce::MidiBuffer& buffer, double delayMs, double sampleRate)
{
    OutputUse out (*this);
    if (out && sampleRate > 0.0)
        out->sendBlockOfMessages (buffer, environment.time.nowMs() + delayMs, sampleRate);
}

void InstrumentPorts::sendControllerNow (int channel, int controller, int value)
{
    if (channel < lowestMidiChannel || channel > highestMidiChannel || ! isOutputOpen())
        return;

    juce::MidiBuffer buffer;
    buffer.addEvent (juce::MidiMessage::controllerEvent (channel, controller & dataByteMask, value & dataByteMask), 0);
    sendNow (buffer);
}

//==============================================================================
void InstrumentPorts::selectChannelProgram (int channel, int msb, int lsb)
{
    if (channel < 0 || channel >= numChannels)
        return;

    const auto c = (size_t) channel;
    const auto storedMsb = (juce::uint8) (msb & dataByteMask);
    const auto storedLsb = (juce::uint8) (lsb & dataByteMask);
    bool wasPending;

    {
        std::lock_guard<std::mutex> g (programLock);
        programMsb[c] = storedMsb;
        programLsb[c] = storedLsb;
        wasPending = pending[c] != 0;
        pending[c] = 1;
    }

    if (wasPending)
    {
        const bool windowOpen = pacingTimer->isRunning();
        pacingTimer->start (programSelectWindowMs); // (re)starts the window from now

        if (windowOpen)
            return; // goes out when the window ends
    }

    sendProgramSelect (channel, storedMsb, storedLsb);
}

// Message thread (pacing timer).
void InstrumentPorts::flushPendingProgramSelects()
{
    pacingTimer->stop();

    struct Select { int channel; juce::uint8 msb, lsb; };
    std::array<Select, numChannels> due {};
    size_t count = 0;

    {
        std::lock_guard<std::mutex> g (programLock);
        for (size_t c = 0; c < (size_t) numChannels; ++c)
        {
            if (pending[c] == 0)
                continue;

            due[count++] = { (int) c, programMsb[c], programLsb[c] };
            pending[c] = 0;
        }
    }

    for (size_t i = 0; i < count; ++i)
    {
        sendProgramSelect (due[i].channel, due[i].msb, due[i].lsb);

        juce::MidiBuffer held;
        {
            std::lock_guard<std::mutex> g (programLock);
            held.swapWith (followers[(size_t) due[i].channel]);
        }
        if (! held.isEmpty())
            sendNow (held);
    }
}

void InstrumentPorts::sendAfterChannelProgram (int channel, const juce::MidiBuffer& buffer)
{
    if (buffer.isEmpty())
        return;
    if (channel >= 0 && channel < numChannels && pacingTimer->isRunning())
    {
        std::lock_guard<std::mutex> g (programLock);
        if (pending[(size_t) channel] != 0)
        {
            followers[(size_t) channel].addEvents (buffer, 0, -1, 0);
            return;
        }
    }
    sendNow (buffer);
}

void InstrumentPorts::sendProgramSelect (int channel, juce::uint8 msb, juce::uint8 lsb)
{
    sendSysEx (SysexProtocol::channelProgramSelect (channel, msb, lsb, getDeviceByte()));
}

} // namespace zd8

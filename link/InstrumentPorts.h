#pragma once

#include "link/LinkEnvironment.h"
#include "link/OneShotTimer.h"

#include <juce_audio_devices/juce_audio_devices.h>
#include <array>
#include <atomic>
#include <mutex>

namespace zd8
{

/** The port owner: holds the instrument's open MIDI input and output, sends every
    outgoing message and paces channel program selections.

    Port numbers: 0 means none, n >= 1 the n-th device of the current device list.
    Ports are opened and closed on the message thread only; sends come from any
    thread and do nothing while the output is closed. */
class InstrumentPorts
{
public:
    static constexpr int sysexPieceSize = 256;
    /** No piece of a long system-exclusive message is shorter: every piece goes out as
        system-exclusive data, never as a short message. */
    static constexpr int minSysexPieceSize = 4;
    static constexpr int programSelectWindowMs = 100;

    /** input receives the instrument's MIDI once an input is open. */
    InstrumentPorts (LinkEnvironment& environment, juce::MidiInputCallback& input);
    ~InstrumentPorts();

    void openInput (int n);
    void openOutput (int n);

    bool isInputOpen() const noexcept { return inputOpen.load(); }
    bool isOutputOpen() const noexcept { return outputOpen.load(); }
    int getInputIndex() const noexcept { return inputIndex; }
    int getOutputIndex() const noexcept { return outputIndex; }
    int getThirdIndex() const noexcept { return thirdIndex; }
    juce::uint8 getDeviceByte() const noexcept { return (juce::uint8) deviceByte; }

    juce::StringArray getInputNames();
    juce::StringArray getOutputNames();

    /** Opens the ports stored by name (entry 0 input, entry 1 output): a name of at
        least three characters that equals a current device's name exactly. */
    void openStoredPorts (const juce::StringArray& portNames);

    //==============================================================================
    /** Up to 256 bytes through the timed queue at now; longer messages in 256-byte
        pieces sent directly, after discarding the timed queue. When the last piece
        would be shorter than minSysexPieceSize, the one before it gives it bytes. */
    void sendSysEx (const juce::MemoryBlock& message);
    /** Length of the next piece of a long message of which remaining bytes are left. */
    static int sysexPieceLength (int remaining) noexcept;
    /** Each event at now + its position in milliseconds. */
    void sendNow (const juce::MidiBuffer& buffer);
    /** Each event at now + delayMs + position / sampleRate seconds. */
    void sendDelayed (const juce::MidiBuffer& buffer, double delayMs, double sampleRate);
    /** One control change at once; channel 1..16. */
    void sendControllerNow (int channel, int controller, int value);

    /** Paced channel program select (channel 0..15); see the class notes in the source. */
    void selectChannelProgram (int channel, int msb, int lsb);

    /** Messages that must reach the instrument after the channel's (0..15) program
        select, which loading the program would otherwise undo (its levels, pans,
        sends): while a select of that channel waits for its pacing window they are
        held and go out right behind it; otherwise at once. Message thread. */
    void sendAfterChannelProgram (int channel, const juce::MidiBuffer& buffer);

    TimeSource& getTimeSource() const noexcept { return environment.time; }

private:
    class OutputUse;

    void flushPendingProgramSelects();
    void sendProgramSelect (int channel, juce::uint8 msb, juce::uint8 lsb);
    void closeOutput();
    void closeInput();

    LinkEnvironment& environment;
    juce::MidiInputCallback& inputCallback;

    int outputIndex = -1;
    int inputIndex = -1;
    int thirdIndex = -1;
    std::unique_ptr<MidiOutPort> output;
    std::unique_ptr<MidiInPort> input;
    std::atomic<bool> inputOpen { false };
    std::atomic<bool> outputOpen { false };
    int deviceByte = 0;
    std::array<juce::uint8, 16> programMsb {};
    std::array<juce::uint8, 16> programLsb {};
    std::array<juce::uint8, 16> pending {};
    std::array<juce::MidiBuffer, 16> followers;     // under programLock
    std::unique_ptr<OneShotTimer> pacingTimer;

    // Senders on other threads announce themselves here before they look at the
    // output; closing waits until none is inside (they never wait on it).
    std::atomic<int> outputUsers { 0 };
    // Guards programMsb, programLsb and pending (selections may come from the host's
    // threads); held only to read or write them, never while sending.
    std::mutex programLock;

    JUCE_DECLARE_NON_COPYABLE (InstrumentPorts)
};

} // namespace zd8

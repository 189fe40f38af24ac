#pragma once

#include "link/InstrumentPorts.h"
#include "link/LinkEnvironment.h"
#include "plugin/SettingsList.h"

#include <array>
#include <atomic>
#include <memory>
#include <mutex>

namespace zd8
{

/** The link to the instrument and the user's settings that shape it: the port pair
    (opened from the names remembered in the port file), the settings list, the clock,
    thru and program-change-by-automation flags, the sample rate with its rate index,
    the latency delay of each rate, and the channel the window plays on.

    Threads: the flags, the rate, the delays and the channel are atomics: the audio and
    MIDI input threads read them, the message thread writes them (setSampleRate and
    setBlockSize: the audio thread). The port names have a lock of their own. The
    settings list, the port selection and the port file are message-thread only. */
class LinkSettings
{
public:
    static constexpr int numRateIndexes = 6;
    static constexpr int numDelays = 7;          // one per rate index, and the seventh entry
    static constexpr int maxDelayMs = 2000;

    /** Reads the settings file (the stored channel is made valid; the window always
        starts on channel 1). The ports open later, with openPorts. */
    explicit LinkSettings (LinkEnvironment& environment);

    //==============================================================================
    // Ports.
    /** Creates the port pair, which delivers the instrument's MIDI to input, and opens
        the ports the port file names. */
    void openPorts (juce::MidiInputCallback& input);
    /** Closes and destroys the port pair: nothing reaches the input callback after it. */
    void closePorts();
    InstrumentPorts& getPorts() noexcept { return *ports; }
    const InstrumentPorts& getPorts() const noexcept { return *ports; }

    /** Opens port n of the list (0 closes it) and remembers its name; a number beyond
        the list leaves the remembered name. */
    void selectInputPort (int n);
    void selectOutputPort (int n);
    juce::StringArray getPortNames() const;
    void savePortFile() const;

    //==============================================================================
    // Settings and flags.
    SettingsList& getSettings() noexcept { return settings; }
    void saveSettings() { settings.save (environment.folder); }

    /** Takes the flags and the delays from the settings list (a missing latency marker
        resets the delay entries first). */
    void readFlagsAndDelays();

    bool isClockOn() const noexcept { return clockOn.load(); }
    bool isThruHostToOut() const noexcept { return thruHostToOut.load(); }
    bool isThruInToHost() const noexcept { return thruInToHost.load(); }
    bool isProgramChangeByAutomation() const noexcept { return programChangeByAutomation.load(); }
    void setClockOn (bool on);
    void setThruHostToOut (bool on);
    void setThruInToHost (bool on);
    void setProgramChangeByAutomation (bool on);

    //==============================================================================
    // Timing.
    /** Stores the rate and picks the rate index (44100 0, 48000 1, 88200 2, 96000 3,
        176400 4, 192000 5, others 0). Audio thread. */
    void setSampleRate (double rate) noexcept;
    double getSampleRate() const noexcept { return sampleRate.load(); }
    int getRateIndex() const noexcept { return rateIndex.load(); }
    void setBlockSize (int n) noexcept { blockSize = n; }
    int getBlockSize() const noexcept { return blockSize.load(); }
    /** Delay of the current rate in milliseconds. */
    int getCurrentDelay() const noexcept;
    int getDelay (int index) const noexcept;
    std::array<int, numDelays> getDelays() const noexcept;
    /** The latency setting: index 0..5 is a rate index, 6 the seventh entry; others do
        nothing. The delay is kept in 0..maxDelayMs (a negative one would schedule in the
        past), takes effect with the next block and is written into the settings list
        (entries 11..16, 18), whose latency marker is made sure of so that the next start
        keeps it. */
    void setDelay (int index, int milliseconds);

    int getMidiChannel() const noexcept { return midiChannel.load(); }
    void setMidiChannel (int channel) noexcept;

private:
    void rememberPortName (int entry, const juce::StringArray& devices, int n);

    LinkEnvironment& environment;
    SettingsList settings;

    std::unique_ptr<InstrumentPorts> ports;
    juce::StringArray portNames;
    mutable std::mutex portNamesLock;

    std::atomic<double> sampleRate { 44100.0 };
    std::atomic<int> blockSize { 0 };
    std::atomic<int> rateIndex { 0 };
    std::array<std::atomic<int>, numDelays> delays {};

    std::atomic<bool> clockOn { false };
    std::atomic<bool> thruHostToOut { true };
    std::atomic<bool> thruInToHost { false };
    std::atomic<bool> programChangeByAutomation { true };

    std::atomic<int> midiChannel { 1 };

    JUCE_DECLARE_NON_COPYABLE (LinkSettings)
};

} // namespace zd8

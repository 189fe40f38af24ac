#pragma once

#include "link/TimeSource.h"
#include "plugin/NoticeBoard.h"

#include <juce_audio_basics/juce_audio_basics.h>

#include <array>
#include <atomic>

namespace zd8
{

/** The host's side of the MIDI: what the host plays, and what the engine hands it.
    - The host's MIDI as processBlock sees it (trackHostMidi): the note table follows it
      and the window gets its notices; nothing is sent from here.
    - The buffer bound for the host: instrument MIDI passed through (thru to host) and
      the window's controllers and pitch wheel, stamped with their arrival time in
      milliseconds since the bridge was made, kept for the last half second, and spread
      over the next host block in proportion to their arrival.
    - The note table: one atomic flag per note, set by the host's notes and the
      instrument's, read by the window.

    Threads: trackHostMidi and mergeHostBoundMidi on the audio thread; addToHostBuffer
    on the MIDI input thread (thru) or the message thread (the window); reset from
    prepareToPlay / releaseResources. The buffer is guarded by the hub lock, which the
    owner shares with the host reporters' list; the processor holds it around the merge. */
class HostMidiBridge
{
public:
    static constexpr double bufferWindowMs = 500.0;

    HostMidiBridge (TimeSource& time, juce::CriticalSection& hubLock, NoticeBoard& notices);

    /** Host MIDI seen by processBlock (audio thread): updates the note table and
        notices; sends nothing. */
    void trackHostMidi (const juce::MidiMessage& message);

    /** Any thread: adds a message to the buffer bound for the host at its arrival time
        and drops what is older than bufferWindowMs. */
    void addToHostBuffer (const juce::MidiMessage& message);

    /** Audio thread, with the hub lock held: places the buffered events into hostMidi in
        proportion to their arrival times over a block of numSamples, then empties it. */
    void mergeHostBoundMidi (juce::MidiBuffer& hostMidi, int numSamples);

    /** Under the hub lock: all notes off in the note table, buffer bound for the host
        emptied (prepareToPlay / releaseResources). */
    void resetHostBoundMidi();

    /** The window's controller (channel 1..16) and pitch wheel (0..16383) for the host. */
    void sendControllerToHost (int channel, int controller, int value);
    void sendPitchWheelToHost (int channel, int value);

    /** Any thread; note 0..127. */
    void setNoteHeld (int note, bool held) noexcept { noteTable[(size_t) note] = held ? 1 : 0; }
    void releaseAllNotes() noexcept;
    bool isNoteHeld (int note) const noexcept;

private:
    TimeSource& time;
    juce::CriticalSection& hubLock;
    NoticeBoard& notices;

    juce::MidiBuffer hostBound, hostBoundSpare;   // under the hub lock
    double epochMs = 0;
    std::array<std::atomic<juce::uint8>, 128> noteTable {};

    JUCE_DECLARE_NON_COPYABLE (HostMidiBridge)
};

} // namespace zd8

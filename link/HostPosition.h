#pragma once

#include <juce_audio_processors/juce_audio_processors.h>

namespace zd8
{

/** The host transport as read at the end of a block. */
struct HostPosition
{
    double bpm = 120.0;
    int timeSigNumerator = 4;
    int timeSigDenominator = 4;
    juce::int64 timeInSamples = 0;
    double timeInSeconds = 0;
    double ppqPosition = 0;
    double ppqPositionOfLastBarStart = 0;
    bool isPlaying = false;
    bool isRecording = false;
    bool isLooping = false;
    double ppqLoopStart = 0;
    double ppqLoopEnd = 0;

    /** 120 BPM, 4/4, every position 0, not playing. */
    void reset() noexcept { *this = HostPosition(); }

    /** Reads the host's play head; resets when there is none or it gives no position.
        Audio thread: allocates nothing. */
    void readFrom (juce::AudioPlayHead* playHead) noexcept;
};

} // namespace zd8

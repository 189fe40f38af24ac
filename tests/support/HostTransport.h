#pragma once

#include <juce_audio_processors/juce_audio_processors.h>

namespace zd8test
{

/** The host's transport as a test sets it: 120 BPM, playing or stopped, at the
    quarter-note position the test moves on before each block. */
struct HostTransport : juce::AudioPlayHead
{
    juce::Optional<PositionInfo> getPosition() const override
    {
        PositionInfo info;
        info.setBpm (120.0);
        info.setIsPlaying (playing);
        info.setPpqPosition (ppq);
        return info;
    }

    bool playing = true;
    double ppq = 0.0;
};

} // namespace zd8test

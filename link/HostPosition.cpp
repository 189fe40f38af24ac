#include "link/HostPosition.h"

namespace zd8
{

void HostPosition::readFrom (juce::AudioPlayHead* playHead) noexcept
{
    const auto info = playHead != nullptr ? playHead->getPosition() : juce::Optional<juce::AudioPlayHead::PositionInfo>();
    if (! info.hasValue())
    {
        reset();
        return;
    }

    bpm = info->getBpm().orFallback (120.0);
    if (auto sig = info->getTimeSignature())
    {
        timeSigNumerator = sig->numerator;
        timeSigDenominator = sig->denominator;
    }
    timeInSamples = info->getTimeInSamples().orFallback (0);
    timeInSeconds = info->getTimeInSeconds().orFallback (0.0);
    ppqPosition = info->getPpqPosition().orFallback (0.0);
    ppqPositionOfLastBarStart = info->getPpqPositionOfLastBarStart().orFallback (0.0);
    isPlaying = info->getIsPlaying();
    isRecording = info->getIsRecording();
    isLooping = info->getIsLooping();
    if (auto loop = info->getLoopPoints())
    {
        ppqLoopStart = loop->ppqStart;
        ppqLoopEnd = loop->ppqEnd;
    }
}

} // namespace zd8

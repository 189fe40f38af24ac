#include "editor/shell/RepaintFlush.h"

namespace zd8
{

RepaintFlush::RepaintFlush (juce::Component& windowToKeepDrawn)
    : window (windowToKeepDrawn),
      lastBlankMs (juce::Time::getMillisecondCounter()),
      blanks (&windowToKeepDrawn, [this] { lastBlankMs = juce::Time::getMillisecondCounter(); })
{
   #if JUCE_WINDOWS
    startTimer (flushIntervalMs);
   #endif
}

RepaintFlush::~RepaintFlush()
{
    stopTimer();
}

void RepaintFlush::timerCallback()
{
    if (juce::Time::getMillisecondCounter() - lastBlankMs < (juce::uint32) silenceMs)
        return;
    if (auto* peer = window.getPeer())
        peer->performAnyPendingRepaintsNow();
}

} // namespace zd8

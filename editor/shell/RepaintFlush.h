#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

namespace zd8
{

/** Keeps a window redrawn where the display never reports its vertical blank. On Windows
    JUCE 7 collects a window's repaints and hands them to the system on each vertical
    blank (DXGI's WaitForVBlank); where that wait always fails (wine 8, whose
    WaitForVBlank is a stub, as when the Windows plug-in runs on Linux), the window would
    keep its first picture for good. Once no vertical blank has come for a quarter of a
    second, a timer on the message thread flushes the window's pending repaints instead,
    at about the display's rate. Elsewhere, and while vertical blanks come, it does
    nothing. */
class RepaintFlush : private juce::Timer
{
public:
    explicit RepaintFlush (juce::Component& window);
    ~RepaintFlush() override;

    static constexpr int silenceMs = 250;
    static constexpr int flushIntervalMs = 16;

private:
    void timerCallback() override;

    juce::Component& window;
    juce::uint32 lastBlankMs = 0;
    juce::VBlankAttachment blanks;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (RepaintFlush)
};

} // namespace zd8

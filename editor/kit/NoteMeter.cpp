#include "editor/kit/NoteMeter.h"

#include "editor/kit/Palette.h"

namespace zd8
{

namespace
{
    const juce::Colour background (Palette::noteMeterBackground);
    const juce::Colour lit (Palette::noteMeterLit);
    constexpr float barX = 1.0f, barWidth = 3.0f;
}

NoteMeter::NoteMeter()
{
    setSize (5, barHeight + 2);
}

NoteMeter::~NoteMeter()
{
    stopTimer();
}

void NoteMeter::setPeak (int newPeak)
{
    peak = juce::jlimit (0, 127, newPeak);
    if (peak > 0)
        startTimer (tickMs);
    else
        stopTimer();
    repaint();
}

void NoteMeter::tick()
{
    peak -= fallPerTick;
    if (peak < stopBelow)
    {
        peak = 0;
        stopTimer();
    }
    repaint();
}

void NoteMeter::paint (juce::Graphics& g)
{
    g.fillAll (background);
    if (peak <= 0)
        return;
    const float top = barTop();
    g.setColour (lit);
    g.fillRect (barX, top, barWidth, (float) barHeight - top);
}

} // namespace zd8

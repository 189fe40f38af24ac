#include "editor/pages/courtain.h"

namespace zd8
{

courtain::courtain()
{
    // Semi-transparent: the row under it stays readable, only darker.
    setOpaque (false);
}

void courtain::paint (juce::Graphics& g)
{
    g.fillAll (juce::Colour (veilColour));
}

void courtain::mouseDown (const juce::MouseEvent&)
{
    sendChangeMessage();
}

} // namespace zd8

#include "editor/kit/ModalVeil.h"

namespace zd8
{

ModalVeil::ModalVeil()
{
    // Semi-transparent: the row under it stays readable, only darker.
    setOpaque (false);
}

void ModalVeil::paint (juce::Graphics& g)
{
    g.fillAll (juce::Colour (veilColour));
}

void ModalVeil::mouseDown (const juce::MouseEvent&)
{
    sendChangeMessage();
}

} // namespace zd8

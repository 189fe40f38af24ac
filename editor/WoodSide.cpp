#include "editor/WoodSide.h"

#include "editor/Pictures.h"

namespace zd8
{

WoodSide::WoodSide()
{
    picture = Pictures::get ("wood_side");
    setInterceptsMouseClicks (false, false);
    setOpaque (true);
}

void WoodSide::paint (juce::Graphics& g)
{
    g.fillAll (juce::Colours::black);
    g.drawImage (picture, getLocalBounds().toFloat(), juce::RectanglePlacement::stretchToFit);
}

} // namespace zd8

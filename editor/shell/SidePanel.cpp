#include "editor/shell/SidePanel.h"

#include "editor/kit/PictureDraw.h"
#include "editor/kit/Pictures.h"

namespace zd8
{

SidePanel::SidePanel()
{
    picture = Pictures::get ("wood_side");
    setInterceptsMouseClicks (false, false);
    setOpaque (true);
}

void SidePanel::paint (juce::Graphics& g)
{
    g.fillAll (juce::Colours::black);
    PictureDraw::draw (g, picture, getLocalBounds().toFloat());
}

} // namespace zd8

#include "editor/kit/SharedPictures.h"

#include "editor/kit/PictureDraw.h"
#include "editor/kit/Pictures.h"

namespace zd8
{

namespace
{
    // Catalogue names, in the order of SharedPictures::Picture.
    constexpr const char* names[SharedPictures::numPictures] = {
        "knob_strip_a", "knob_strip_b", "knob_back", "value_bar", "value_bar_cap", "switch_off",
        "switch_on", "slider_track", "slider_thumb", "lamp_off", "lamp_on", "value_tag",
    };
}

SharedPictures::SharedPictures()
{
    for (int i = 0; i < numPictures; ++i)
        pictures[i] = Pictures::get (names[i]);
}

void SharedPictures::drawKnob (juce::Graphics& g, int frame, int strip, int x, int y, float scale) const
{
    frame = juce::jlimit (0, maxKnobFrame, frame);
    const auto& source = pictures[strip == 1 ? knobStripB : knobStripA];
    const auto area = juce::Rectangle<float> (scale * (float) x, (float) y - knobLift * scale,
                                              knobCell * scale, knobCell * scale).toNearestInt();

    PictureDraw::draw (g, pictures[knobBack], area);
    PictureDraw::draw (g, source, area, { frame * knobPitch, 0, knobCell, knobCell });
}

} // namespace zd8

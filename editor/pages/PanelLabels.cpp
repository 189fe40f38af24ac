#include "editor/pages/PanelLabels.h"

namespace zd8
{

namespace
{
    const char* const standardKnobs[PanelLabels::knobLabels] = { "FILTER 1", "FILTER 2", "ATTACK", "RELEASE", "MOTION", "FX 1",
                                                                 "FX 2",     "DELAY",    "REVERB", "10",      "11",     "12" };
    const char* const organKnobs[PanelLabels::knobLabels] = { "BRAKE",     "ON/OFF",    "CHOR/VIB",  "DEPTH", "ON/OFF", "LOUD/SOFT",
                                                              "DECAY F/S", "PITCH H/L", "KEY CLICK", "10",    "11",     "12" };
    const char* const footages[PanelLabels::sliderLabels] = { "16'", "5 1/3'", "8'", "4'", "2 2/3'", "2'", "1 3/5'", "1 1/3'",
                                                              "1'",  "1'",     "1'", "1'", "1'",     "1'", "1'" };
}

const juce::String PanelLabels::chorusCaption ("CHORUS/VIBRATO");
const juce::String PanelLabels::percussionCaption ("PERCUSION");
const juce::String PanelLabels::sectionCaption ("CONTROL");
const juce::String PanelLabels::channelsCaption ("Channels:");

juce::String PanelLabels::standardKnob (int i)
{
    return juce::isPositiveAndBelow (i, knobLabels) ? juce::String (standardKnobs[i]) : juce::String();
}

juce::String PanelLabels::organKnob (int i)
{
    return juce::isPositiveAndBelow (i, knobLabels) ? juce::String (organKnobs[i]) : juce::String();
}

juce::String PanelLabels::slider (int i)
{
    return juce::isPositiveAndBelow (i, sliderLabels) ? juce::String (footages[i]) : juce::String();
}

} // namespace zd8

#pragma once

#include <juce_core/juce_core.h>

namespace zd8
{

/** The texts printed on the controls page's panel: the knob names of the standard
    program mode, the knob names of the organ mode (TW7), the drawbar footages on the
    sliders, and the section captions. Constants only. */
class PanelLabels
{
public:
    static constexpr int knobLabels = 12;     // nine drawn, then "10", "11", "12"
    static constexpr int sliderLabels = 15;   // nine footages, then "1'" repeated

    /** Knob i (0-based) in the standard set; empty outside 0..11. */
    static juce::String standardKnob (int i);
    /** Knob i (0-based) in the organ set; empty outside 0..11. */
    static juce::String organKnob (int i);
    /** Slider i (0-based): the drawbar footage; empty outside 0..14. */
    static juce::String slider (int i);

    /** Caption of organ knobs 2..4 (indexes 1..3) and of knobs 5..8 (indexes 4..7). */
    static const juce::String chorusCaption;
    static const juce::String percussionCaption;
    static constexpr int chorusFirst = 1, chorusLast = 3;
    static constexpr int percussionFirst = 4, percussionLast = 7;

    static const juce::String sectionCaption;
    static const juce::String channelsCaption;
};

} // namespace zd8

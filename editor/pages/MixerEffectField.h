#pragma once

#include "editor/kit/ParameterControl.h"

#include <juce_gui_basics/juce_gui_basics.h>

namespace zd8
{

/** An effect chain field of a mixer strip (insert, Aux 1, Aux 2): a tag (style 202)
    with its caption above and the chain's number and name on it. The wheel steps the
    chain as on every tag; a click (press and release on the field without a drag)
    reports EditEvent::menuRequest with the chain shown, which the page turns into a
    request for the FX chain selector of that field.

    The chain's text is drawn no smaller than a legible size: what does not fit the
    tag at that size ends at a whole character with an ellipsis. Message thread only. */
class MixerEffectField : public ParameterControl
{
public:
    static constexpr float valueFontSize = 11.0f;
    static constexpr float smallestValueFontSize = 10.0f;
    static constexpr float captionFontSize = 12.0f;

    MixerEffectField();
    ~MixerEffectField() override;

    /** The width the chain's text may take on the tag (pixels). */
    static int textWidth() noexcept;
    /** What the last paint drew on the tag (the text, whole or shortened). */
    const juce::String& getShownValue() const noexcept { return shownValue; }
    float getShownValueSize() const noexcept { return shownValueSize; }

    void paint (juce::Graphics&) override;
    void mouseDown (const juce::MouseEvent&) override;
    void mouseUp (const juce::MouseEvent&) override;

private:
    juce::Image tagPicture;
    juce::String shownValue;
    float shownValueSize = 0.0f;
    bool clickArmed = false;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (MixerEffectField)
};

} // namespace zd8

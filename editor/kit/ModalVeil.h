#pragma once

#include "editor/kit/Palette.h"
#include <juce_gui_basics/juce_gui_basics.h>

namespace zd8
{

/** The veil over a zone row of the multi page whose zone is not playing: it darkens
    everything under it and takes the presses meant for the row, announcing each one
    with its change message (the zone table then selects the row). It holds no data.
    Message thread only. */
class ModalVeil : public juce::Component, public juce::ChangeBroadcaster
{
public:
    static constexpr juce::uint32 veilColour = Palette::veil;

    ModalVeil();

    void paint (juce::Graphics&) override;
    void mouseDown (const juce::MouseEvent&) override;

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (ModalVeil)
};

} // namespace zd8

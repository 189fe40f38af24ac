#include "editor/pages/Mixer_Channel.h"

namespace zd8
{

namespace
{
    struct ControlPlace
    {
        const char* label;
        int x, y, w, h;
        int minimum, maximum;
        int style;
    };

    // In program-row order; the last three sit off the strip (bound, never seen).
    constexpr ControlPlace places[Mixer_Channel::numControls] = {
        { "Insert", 2, 2, 54, 26, 1, 2048, StsCont::tag },
        { "", 12, 40, 34, 11, 0, 1, StsCont::nameButton },
        { "", 36, 64, 14, 8, 0, 1, StsCont::switchAbove },
        { "Aux 1", 2, 82, 54, 26, 1, 2048, StsCont::tag },
        { "", 2, 110, 54, 60, 0, 100, StsCont::knob },
        { "", 12, 170, 34, 11, 0, 1, StsCont::nameButton },
        { "Aux 2", 2, 190, 54, 26, 1, 2048, StsCont::tag },
        { "", 2, 218, 54, 60, 0, 120, StsCont::knob },
        { "", 12, 278, 34, 11, 0, 1, StsCont::nameButton },
        { "Pan", 2, 294, 54, 76, -64, 64, StsCont::knob },
        { "", 18, 384, 34, 180, -96, 24, StsCont::fader },
        { "", -100, 348, 30, 14, 0, 1, StsCont::switchBeside },
        { "", -100, 368, 30, 14, 0, 1, StsCont::switchBeside },
        { "", -100, -100, 10, 10, 0, 2560, StsCont::valueBox },
    };

    const juce::StringArray routingNames { "PRG", "PRE", "POST" };
}

const juce::Rectangle<int> Mixer_Channel::meterBounds { 8, 406, 5, 109 };
const juce::Rectangle<int> Mixer_Channel::nameSlotBounds { 0, 565, NameSlot::width, NameSlot::categoryModeHeight };

Mixer_Channel::Mixer_Channel (VantorAudioProcessor& processor, int ch)
    : channel (ch), nameSlot (NameSlot::modeCategory, ch)
{
    setSize (width, height);

    for (int n = 0; n < numControls; ++n)
    {
        const auto& p = places[n];
        auto c = std::make_unique<StsCont> (processor);
        // The event's slot field carries the program row; the page adds the channel.
        c->setup (p.label, n, p.w, p.h, p.x, p.y, p.minimum, p.maximum, p.style);
        c->setChannel (channel);
        // The routing buttons keep their dark text: light text would vanish on their face.
        if (p.style == StsCont::nameButton)
            c->setValueNames (routingNames);
        else
            c->setValueColour (juce::Colour (isEffectField (n) ? effectValueColour : valueColour));
        addAndMakeVisible (*c);
        controls[(size_t) n] = std::move (c);
    }

    meter.setBounds (meterBounds);
    meter.setInterceptsMouseClicks (false, false);
    addAndMakeVisible (meter);

    nameSlot.setBounds (nameSlotBounds);
    addAndMakeVisible (nameSlot);
}

Mixer_Channel::~Mixer_Channel() = default;

int Mixer_Channel::findControl (const StsCont* control) const noexcept
{
    for (int n = 0; n < numControls; ++n)
        if (controls[(size_t) n].get() == control)
            return n;
    return -1;
}

} // namespace zd8

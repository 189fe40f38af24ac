#include "editor/pages/MixerStrip.h"

#include "editor/pages/MixerEffectField.h"

#include "model/ParameterTable.h"

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
    constexpr ControlPlace places[MixerStrip::numControls] = {
        { "Insert", 2, 2, 54, 26, 1, 2048, ParameterControl::tag },
        { "", 12, 40, 34, 11, 0, 1, ParameterControl::nameButton },
        { "", 36, 64, 14, 8, 0, 1, ParameterControl::switchAbove },
        { "Aux 1", 2, 82, 54, 26, 1, 2048, ParameterControl::tag },
        { "", 2, 110, 54, 60, 0, 100, ParameterControl::knob },
        { "", 12, 170, 34, 11, 0, 1, ParameterControl::nameButton },
        { "Aux 2", 2, 190, 54, 26, 1, 2048, ParameterControl::tag },
        { "", 2, 218, 54, 60, 0, 120, ParameterControl::knob },
        { "", 12, 278, 34, 11, 0, 1, ParameterControl::nameButton },
        { "Pan", 2, 294, 54, 76, -64, 64, ParameterControl::knob },
        { "", 18, 384, 34, 180, -96, 24, ParameterControl::fader },
        { "", -100, 348, 30, 14, 0, 1, ParameterControl::switchBeside },
        { "", -100, 368, 30, 14, 0, 1, ParameterControl::switchBeside },
        { "", -100, -100, 10, 10, 0, 2560, ParameterControl::valueBox },
    };

    const juce::StringArray routingNames { "PRG", "PRE", "POST" };
}

const juce::Rectangle<int> MixerStrip::meterBounds { 8, 406, 5, 109 };
const juce::Rectangle<int> MixerStrip::nameSlotBounds { 0, 565, NameSlot::width, NameSlot::categoryModeHeight };

MixerStrip::MixerStrip (EditorConnection& connection, int ch)
    : channel (ch), nameSlot (NameSlot::modeCategory, ch)
{
    setSize (width, height);

    for (int n = 0; n < numControls; ++n)
    {
        const auto& p = places[n];
        std::unique_ptr<ParameterControl> c;
        if (isEffectField (n))
            c = std::make_unique<MixerEffectField>();
        else
            c = std::make_unique<ParameterControl>();
        // The event's slot field carries the program row; the page adds the channel.
        c->setup (p.label, n, p.w, p.h, p.x, p.y, p.minimum, p.maximum, p.style);
        c->setChannel (channel);
        // The routing buttons keep their dark text: light text would vanish on their face.
        if (p.style == ParameterControl::nameButton)
            c->setValueNames (routingNames);
        else
            c->setValueColour (juce::Colour (isEffectField (n) ? effectValueColour : valueColour));
        addAndMakeVisible (*c);
        // Switch presses change nothing here; the program row is the page's to follow.
        attachments[(size_t) n] = std::make_unique<SlotAttachment> (connection, *c, SlotAttachment::dragsAndChoices);
        if (n != ParameterTable::programRow)
            attachments[(size_t) n]->bind (ParameterTable::programSlot (channel, n));
        controls[(size_t) n] = std::move (c);
    }

    meter.setBounds (meterBounds);
    meter.setInterceptsMouseClicks (false, false);
    addAndMakeVisible (meter);

    nameSlot.setBounds (nameSlotBounds);
    addAndMakeVisible (nameSlot);
}

MixerStrip::~MixerStrip() = default;

int MixerStrip::findControl (const ParameterControl* control) const noexcept
{
    for (int n = 0; n < numControls; ++n)
        if (controls[(size_t) n].get() == control)
            return n;
    return -1;
}

} // namespace zd8

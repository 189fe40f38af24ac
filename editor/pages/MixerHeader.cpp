#include "editor/pages/MixerHeader.h"

#include "editor/kit/Palette.h"

namespace zd8
{

namespace
{
    const juce::Colour barColour (Palette::mixerHeaderBar);
    const juce::Colour captionColour (Palette::textSoft);
    const juce::Colour separatorColour (Palette::pageFill);
    const juce::Colour shadeColour (Palette::mixerHeaderShade);
    constexpr float captionFontSize = 11.0f;
}

MixerHeader::MixerHeader()
{
    for (int c = 0; c < numChannels; ++c)
    {
        auto& slot = slots[(size_t) c];
        slot = std::make_unique<NameSlot> (NameSlot::modeName, c);
        slot->setBounds (pitch * c, slotY, NameSlot::width, NameSlot::nameModeHeight);
        addAndMakeVisible (*slot);
    }
}

MixerHeader::~MixerHeader() = default;

void MixerHeader::paint (juce::Graphics& g)
{
    g.setColour (barColour);
    g.fillRect (0, 0, barWidth, barHeight);
    // A darker band under the captions sets them off from the slots.
    g.setColour (shadeColour);
    g.fillRect (0, 0, barWidth, captionY + captionHeight + 1);

    g.setFont (juce::Font ("Arial", captionFontSize, juce::Font::plain));
    for (int c = 0; c < numChannels; ++c)
    {
        const int x = pitch * c;
        if (c > 0)
        {
            g.setColour (separatorColour);
            g.fillRect (x - 3, 0, 3, barHeight);
        }
        g.setColour (captionColour);
        g.drawText ("Chn. " + juce::String (c + 1), x, captionY, NameSlot::width, captionHeight,
                    juce::Justification::centred, false);
    }
}

} // namespace zd8

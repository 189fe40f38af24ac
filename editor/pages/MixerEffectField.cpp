#include "editor/pages/MixerEffectField.h"

#include "editor/kit/EditEvent.h"
#include "editor/kit/Palette.h"
#include "editor/kit/PictureDraw.h"
#include "editor/kit/Pictures.h"
#include "model/FittedText.h"

namespace zd8
{

namespace
{
    const char* const typeface = "Arial";
    // The tag picture and the text's margin on either side of it.
    constexpr int tagWidth = 54, tagHeight = 13, textMargin = 2;

    const juce::Colour fieldCaptionColour (Palette::controlName);
    const juce::Colour chainTextColour (Palette::mixerStripEffectValue);
}

MixerEffectField::MixerEffectField()
{
    tagPicture = Pictures::get ("value_tag");
}

MixerEffectField::~MixerEffectField() = default;

int MixerEffectField::textWidth() noexcept
{
    return tagWidth - 2 * textMargin;
}

void MixerEffectField::paint (juce::Graphics& g)
{
    const int w = getWidth(), h = getHeight();
    const bool withCaption = getName2().isNotEmpty() && h >= 2 * tagHeight;
    const int tagY = withCaption ? h - tagHeight : 0;
    if (withCaption)
    {
        g.setColour (fieldCaptionColour);
        g.setFont (juce::Font (typeface, captionFontSize, juce::Font::plain));
        g.drawText (getName2(), 0, 0, w, tagY, juce::Justification::centred, false);
    }

    const juce::Rectangle<int> tag ((w - juce::jmin (w, tagWidth)) / 2, tagY, juce::jmin (w, tagWidth), tagHeight);
    g.setOpacity (1.0f);
    PictureDraw::draw (g, tagPicture, tag.toFloat());

    const auto area = tag.reduced (textMargin, 0);
    const auto shown = FittedText::fit (getValueText(), typeface, valueFontSize, smallestValueFontSize,
                                        (float) area.getWidth());
    shownValue = shown.text;
    shownValueSize = shown.size;
    g.setColour (chainTextColour);
    shown.draw (g, typeface, area, juce::Justification::centred);
}

void MixerEffectField::mouseDown (const juce::MouseEvent& e)
{
    ParameterControl::mouseDown (e);
    clickArmed = e.mods.isLeftButtonDown();
}

void MixerEffectField::mouseUp (const juce::MouseEvent& e)
{
    ParameterControl::mouseUp (e);
    const bool click = clickArmed && ! e.mouseWasDraggedSinceMouseDown() && getLocalBounds().contains (e.getPosition());
    clickArmed = false;
    if (click)
        post (EditEvent::menuRequest, getValue());
}

} // namespace zd8

#pragma once

#include "editor/kit/Palette.h"
#include "editor/kit/ParameterControl.h"
#include "editor/kit/NoteMeter.h"
#include "editor/kit/SlotAttachment.h"
#include "model/NameSlot.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <array>
#include <memory>

namespace zd8
{

class EditorConnection;

/** One strip of the mixer page: the controls of one MIDI channel, top to bottom the
    insert effect with its routing and switch, the two auxiliary effects with their
    sends and routings, pan and level, a level meter beside the fader and the program
    slot at the foot. Control n is bound to program row n of the channel (slot
    channel * 16 + n) by its SlotAttachment, which shows the row and sends what drags
    and wheel steps make of it; the program row's control, off the strip, is bound to
    nothing. The controls' events carry the channel (bits 16..19) and n (bits 32..47).
    The strip draws nothing itself: the page's background picture lies under it.
    Message thread only. */
class MixerStrip : public juce::Component
{
public:
    static constexpr int width = 58;
    static constexpr int height = 582;
    static constexpr int numControls = 14;

    // Control order = program row of the channel.
    static constexpr int insertField = 0;
    static constexpr int insertRouting = 1;
    static constexpr int insertSwitch = 2;
    static constexpr int aux1Field = 3;
    static constexpr int aux1Send = 4;
    static constexpr int aux1Routing = 5;
    static constexpr int aux2Field = 6;
    static constexpr int aux2Send = 7;
    static constexpr int aux2Routing = 8;
    static constexpr int panKnob = 9;
    static constexpr int levelFader = 10;

    static constexpr juce::uint32 effectValueColour = Palette::mixerStripEffectValue;
    static constexpr juce::uint32 valueColour = Palette::textLight;

    static const juce::Rectangle<int> meterBounds;
    static const juce::Rectangle<int> nameSlotBounds;

    /** The effect chain fields (insert, Aux 1, Aux 2, each a MixerEffectField) only
        pick effects: the wheel steps them and makes their channel the current one; a
        click asks for the FX chain selector of the field. */
    static bool isEffectField (int order) noexcept
    {
        return order == insertField || order == aux1Field || order == aux2Field;
    }

    MixerStrip (EditorConnection& connection, int channel);
    ~MixerStrip() override;

    int getChannel() const noexcept { return channel; }
    int getNumControls() const noexcept { return numControls; }
    ParameterControl& getControl (int order) noexcept { return *controls[(size_t) order]; }
    const ParameterControl& getControl (int order) const noexcept { return *controls[(size_t) order]; }
    /** The link of control order to its program row; unbound for the program row. */
    SlotAttachment& getAttachment (int order) noexcept { return *attachments[(size_t) order]; }
    /** Order of a control of this strip, or -1. */
    int findControl (const ParameterControl* control) const noexcept;

    NoteMeter& getMeter() noexcept { return meter; }
    const NoteMeter& getMeter() const noexcept { return meter; }
    NameSlot& getNameSlot() noexcept { return nameSlot; }
    const NameSlot& getNameSlot() const noexcept { return nameSlot; }

private:
    int channel;
    NoteMeter meter;
    NameSlot nameSlot;
    std::array<std::unique_ptr<ParameterControl>, numControls> controls;
    std::array<std::unique_ptr<SlotAttachment>, numControls> attachments;   // after the controls: they go first

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (MixerStrip)
};

} // namespace zd8

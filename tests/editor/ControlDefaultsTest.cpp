// A double-click on a mixer strip's fader or knob returns it to its slot's initial
// value the way a drag sets a value: the slot changes, the host hears it once and the
// instrument simulator receives it; the strip's controls tell in their tooltips what
// they are and what they show.

#include "editor/kit/ParameterControl.h"
#include "editor/pages/MixerPage.h"
#include "editor/pages/MixerStrip.h"
#include "plugin/VantorAudioProcessor.h"
#include "support/PluginRig.h"
#include "KitDoubleClick.h"
#include "KitMouse.h"
#include "MixerPageRig.h"
#include "SentMessages.h"

#include <gtest/gtest.h>

using namespace zd8;
using zd8test::KitMouse;
using zd8test::PluginRig;
using zd8test::SentMessages;

namespace
{
    struct ControlDefaults : zd8test::MixerPageRig
    {
        /** Drags a control from one point to another, then forgets what that sent. */
        void dragAway (ParameterControl& c, juce::Point<float> from, juce::Point<float> to)
        {
            KitMouse mouse (c);
            mouse.down (from.x, from.y);
            mouse.drag (to.x, to.y);
            mouse.up (to.x, to.y);
            rig.settle();
            rig.simulator.clearReceived();
            host.slots.clear();
        }
    };
}

TEST_F (ControlDefaults, ADoubleClickOnALevelFaderOrPanKnobSendsItsSlotsInitialValue)
{
    struct Case
    {
        const char* what;
        int channel, order;
        juce::Point<float> from, to;   // a drag away from the default first
        std::vector<juce::String> sent;
    };
    auto withPanController = [] (int channel, std::vector<juce::String> address)
    {
        // The pan also goes out as control change 10 (0 is 63 there), before the address.
        address.insert (address.begin(), juce::String::toHexString (0xB0 + channel).toUpperCase() + " 0A 3F");
        return address;
    };
    const Case cases[] = {
        { "level of strip 3", 3, MixerStrip::levelFader, { 17, 80 }, { 17, 6 }, SentMessages::mixerValue (3, 20, 0) },
        { "pan of strip 0", 0, MixerStrip::panKnob, { 27, 20 }, { 47, 20 }, withPanController (0, SentMessages::mixerValue (0, 22, 0)) },
        { "pan of strip 9", 9, MixerStrip::panKnob, { 27, 20 }, { 27, 60 }, withPanController (9, SentMessages::mixerValue (9, 22, 0)) },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE (c.what);
        const int slot = ParameterTable::programSlot (c.channel, c.order);
        auto& control = mixer.getStrip (c.channel).getControl (c.order);
        dragAway (control, c.from, c.to);
        ASSERT_NE (table.value (slot), 0);

        zd8test::doubleClick (control, c.to.x, c.to.y);
        EXPECT_EQ (table.value (slot), 0);
        EXPECT_EQ (control.getValue(), 0) << "the strip shows what it stored";
        EXPECT_EQ (host.slots, std::vector<int> { slot });
        ASSERT_TRUE (rig.settle (c.sent.size()));
        EXPECT_EQ (rig.receivedHex(), c.sent);

        // At its default already, a second double-click sends nothing more.
        rig.simulator.clearReceived();
        host.slots.clear();
        zd8test::doubleClick (control, c.to.x, c.to.y);
        rig.settle();
        EXPECT_TRUE (rig.receivedHex().empty());
        EXPECT_TRUE (host.slots.empty());
    }
}

TEST_F (ControlDefaults, TheStripsControlsSayInTheirTooltipsWhatTheyAreAndShow)
{
    auto& connection = processor.getEditorConnection();
    auto& strip = mixer.getStrip (5);
    for (int order : { MixerStrip::levelFader, MixerStrip::panKnob, 4, 7 })
    {
        auto& control = strip.getControl (order);
        const auto tip = dynamic_cast<juce::TooltipClient&> (control).getTooltip();
        const auto value = control.getValueText();
        ASSERT_TRUE (value.isNotEmpty()) << order;
        const auto what = control.getName2().isNotEmpty()
                              ? control.getName2()
                              : connection.getSlotLabel (ParameterTable::programSlot (5, order));
        ASSERT_TRUE (what.isNotEmpty()) << order;
        EXPECT_EQ (tip, what + ": " + value) << order;
    }
}

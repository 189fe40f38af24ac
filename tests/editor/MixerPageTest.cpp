// The mixer page: strips bound to the channels' program rows, program slots with
// their click events, the effect fields' wheel, the meters' fall, what pan and level
// changes send to the instrument simulator, and the page inside the window.

#include "editor/kit/EditEvent.h"
#include "editor/shell/MainPanel.h"
#include "editor/shell/VantorAudioProcessorEditor.h"
#include "editor/pages/MixerEffectField.h"
#include "editor/pages/MixerPage.h"
#include "editor/pages/ProgramPage.h"
#include "model/Categories.h"
#include "model/FittedText.h"
#include "model/ProgramStore.h"
#include "plugin/VantorAudioProcessor.h"
#include "support/PluginRig.h"
#include "support/RenderCheck.h"
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
    struct MixerPageTest : zd8test::MixerPageRig
    {
        std::vector<int> allValues() const
        {
            std::vector<int> v;
            for (int s = 0; s < ParameterTable::numSlots; ++s)
                v.push_back (table.value (s));
            return v;
        }

        /** Slots whose value differs between two snapshots. */
        static std::vector<int> changedSlots (const std::vector<int>& before, const std::vector<int>& after)
        {
            std::vector<int> changed;
            for (size_t s = 0; s < before.size(); ++s)
                if (before[s] != after[s])
                    changed.push_back ((int) s);
            return changed;
        }

        /** Delivers a program slot's click to the page and the page's own message. */
        std::vector<juce::uint64> click (NameSlot& slot)
        {
            KitMouse (slot).click (10.0f, 8.0f);
            slot.dispatchPendingMessages();
            mixer.dispatchPendingMessages();
            return mixer.takeEvents();
        }
    };
}

//==============================================================================
TEST_F (MixerPageTest, StripsAreCentredNeverLeftOfTheEdgeAndBoundToTheirChannelRows)
{
    EXPECT_EQ (mixer.getContentX(), 11);
    EXPECT_EQ (mixer.getHeader().getBounds(), juce::Rectangle<int> (11, 0, pageWidth, 62));
    EXPECT_EQ (mixer.getStrip (15).getBounds(), juce::Rectangle<int> (11 + 61 * 15, 62, 58, 582));

    mixer.setBounds (0, 0, 900, 62);   // narrower than the strips: no negative offset
    EXPECT_EQ (mixer.getContentX(), 0);
    EXPECT_EQ (mixer.getStrip (0).getX(), 0);
    EXPECT_EQ (mixer.getHeader().getSlot (4).getBounds(), juce::Rectangle<int> (244, 18, 58, 44));

    // Every control of every strip reports its channel and its row.
    for (int c = 0; c < MixerPage::numChannels; ++c)
    {
        auto& strip = mixer.getStrip (c);
        ASSERT_EQ (strip.getNumControls(), 14);
        for (int n = 0; n < strip.getNumControls(); ++n)
        {
            EXPECT_EQ (strip.getControl (n).getSlot(), n);
            EXPECT_EQ (strip.findControl (&strip.getControl (n)), n);
        }
        EXPECT_EQ (strip.getMeter().getBounds(), juce::Rectangle<int> (8, 406, 5, 109));
        EXPECT_EQ (strip.getNameSlot().getBounds(), juce::Rectangle<int> (0, 565, 58, 18));
        EXPECT_EQ (strip.getNameSlot().getChannel(), c);
        EXPECT_EQ (mixer.getHeader().getSlot (c).getChannel(), c);
    }
    EXPECT_EQ (mixer.getStrip (3).findControl (&mixer.getStrip (4).getControl (0)), -1);

    // Ranges the rows allow on the strip.
    struct Case { int order, minimum, maximum; };
    for (auto k : { Case { 0, 1, 2048 }, Case { 4, 0, 100 }, Case { 7, 0, 120 }, Case { 9, -64, 64 }, Case { 10, -96, 24 } })
    {
        EXPECT_EQ (mixer.getStrip (2).getControl (k.order).getMinimum(), k.minimum) << k.order;
        EXPECT_EQ (mixer.getStrip (2).getControl (k.order).getMaximum(), k.maximum) << k.order;
    }
}

TEST_F (MixerPageTest, ShowValueFollowsTheTableAndTheProgramShowsWithLeadingZeros)
{
    // A program number below 1000 shows four digits; the slots take the edit buffer's
    // name and category, and the strip takes the program's own effects and levels.
    const int channel = 7;
    const int programSlot = ParameterTable::programSlot (channel, ParameterTable::programRow);
    hub.setFromEditor (programSlot, 42, false, false);
    mixer.showValue (programSlot, 42);

    auto* edit = hub.getImage().getEditBuffer (channel);
    ASSERT_TRUE (edit->hasProgram());
    const auto lines = NameSlot::splitName (edit->name());
    const auto category = Categories::mainCategoryName (edit->byteAt (30));
    for (auto* slot : { &mixer.getHeader().getSlot (channel), &mixer.getStrip (channel).getNameSlot() })
    {
        EXPECT_EQ (slot->getLabel(), "0042");
        EXPECT_EQ (slot->getNameLine1(), lines.first);
        EXPECT_EQ (slot->getNameLine2(), lines.second);
        EXPECT_EQ (slot->getCategoryText(), category);
    }
    EXPECT_EQ (mixer.getProgramNumberText (channel), "0042");
    for (int n : { 0, 3, 4, 6, 7, 9, 10 })
        EXPECT_EQ (mixer.getStrip (channel).getControl (n).getValue(), table.value (ParameterTable::programSlot (channel, n))) << n;

    mixer.showValue (ParameterTable::programSlot (2, ParameterTable::programRow), 1234);
    EXPECT_EQ (mixer.getProgramNumberText (2), "1234");

    // A row value is shown with its text; a value past the control's range is clamped.
    mixer.showValue (ParameterTable::programSlot (4, ParameterTable::panRow), -20);
    EXPECT_EQ (mixer.getStrip (4).getControl (9).getValue(), -20);
    EXPECT_EQ (mixer.getStrip (4).getControl (9).getValueText(),
               hub.getImage().getValueFormatter().formatValue (table.descriptionCode (ParameterTable::programSlot (4, 9)), -20));
    mixer.showValue (ParameterTable::programSlot (4, ParameterTable::levelRow), 500);
    EXPECT_EQ (mixer.getStrip (4).getControl (10).getValue(), 24);

    // Rows past the strip's controls, controller slots and slots off the table show nothing.
    std::vector<int> shown;
    for (int n = 0; n < 14; ++n)
        shown.push_back (mixer.getStrip (4).getControl (n).getValue());
    for (int slot : { ParameterTable::programSlot (4, 14), ParameterTable::programSlot (4, 15),
                      ParameterTable::controllerSlot (4, 9), -1, 5000 })
        mixer.showValue (slot, 1);
    for (int n = 0; n < 14; ++n)
        EXPECT_EQ (mixer.getStrip (4).getControl (n).getValue(), shown[(size_t) n]) << n;
}

//==============================================================================
TEST_F (MixerPageTest, LevelAndPanDragsSetTheirSlotReportToTheHostAndReachTheInstrument)
{
    // Level fader of strip 3, dragged to the top: slot 3 * 16 + 10 = 58 and nothing else.
    auto& fader = mixer.getStrip (3).getControl (MixerStrip::levelFader);
    const auto before = allValues();
    KitMouse mouse (fader);
    mouse.down (17.0f, 80.0f);
    mouse.drag (17.0f, 6.0f);
    mouse.up (17.0f, 6.0f);
    EXPECT_EQ (changedSlots (before, allValues()), std::vector<int> { 58 });
    EXPECT_EQ (table.value (58), 24);
    EXPECT_EQ (fader.getValue(), 24) << "the page shows what it stored";
    EXPECT_EQ (host.slots, std::vector<int> { 58 });
    ASSERT_TRUE (rig.settle (7));
    EXPECT_EQ (rig.receivedHex(), SentMessages::mixerValue (3, 20, 24));   // A5 20: level, MIDI channel 4

    // Pan of strip 0 dragged 10 px right: control change 10 first, then the address.
    rig.simulator.clearReceived();
    host.slots.clear();
    auto& pan = mixer.getStrip (0).getControl (MixerStrip::panKnob);
    const int start = pan.getValue();
    ASSERT_LE (start, 50);
    KitMouse panMouse (pan);
    panMouse.down (27.0f, 20.0f);
    panMouse.drag (37.0f, 20.0f);
    panMouse.up (37.0f, 20.0f);
    EXPECT_EQ (table.value (9), start + 10);
    EXPECT_EQ (host.slots, std::vector<int> { 9 });
    ASSERT_TRUE (rig.settle (8));
    auto expected = SentMessages::mixerValue (0, 22, start + 10);
    expected.insert (expected.begin(), "B0 0A " + juce::String::toHexString (start + 10 + 63).toUpperCase().paddedLeft ('0', 2));
    EXPECT_EQ (rig.receivedHex(), expected);

    // The switches report code 6: they change nothing.
    rig.simulator.clearReceived();
    const auto beforeSwitch = allValues();
    KitMouse (mixer.getStrip (1).getControl (MixerStrip::insertSwitch)).click (7.0f, 4.0f);
    mixer.getStrip (1).getControl (12).post (EditEvent::toggled, 1);
    EXPECT_TRUE (changedSlots (beforeSwitch, allValues()).empty());
    EXPECT_TRUE (mixer.takeEvents().empty());
    rig.settle();
    EXPECT_TRUE (rig.receivedHex().empty());
}

TEST_F (MixerPageTest, ApplyEventTakesDragsAndChoicesOnlyWhenSending)
{
    const int slot = ParameterTable::programSlot (6, 4);   // Aux 1 send of channel 6
    const int before = table.value (slot);
    const int next = before == 100 ? 99 : before + 1;

    EXPECT_FALSE (mixer.applyEvent (EditEvent::make (EditEvent::chosen, 4, 0, 6, next), false));
    EXPECT_FALSE (mixer.applyEvent (EditEvent::make (EditEvent::toggled, 4, 0, 6, next), true));
    EXPECT_FALSE (mixer.applyEvent (EditEvent::make (EditEvent::menuRequest, 4, 0, 6, next), true));
    EXPECT_EQ (table.value (slot), before);
    EXPECT_TRUE (host.slots.empty());

    EXPECT_TRUE (mixer.applyEvent (EditEvent::make (EditEvent::chosen, 4, 0, 6, next), true));
    EXPECT_EQ (table.value (slot), next);
    EXPECT_EQ (mixer.getStrip (6).getControl (4).getValue(), next);
    EXPECT_EQ (host.slots, std::vector<int> { slot });
    EXPECT_TRUE (mixer.takeEvents().empty()) << "only the effect fields pick a channel";
}

//==============================================================================
TEST_F (MixerPageTest, WheelOnAux2OfStrip5StepsTheChainReloadsTheChannelAndSendsNothing)
{
    const int slot = 5 * 16 + 6;
    ASSERT_EQ (slot, 86);
    auto& field = mixer.getStrip (5).getControl (MixerStrip::aux2Field);
    ASSERT_EQ (field.getName2(), "Aux 2");
    const int before = table.value (slot);
    ASSERT_LT (before, 2048);

    // A click changes nothing itself: it asks the window for the FX chain selector of
    // the field (the FX chain type as sub-kind, the row, the chain shown).
    KitMouse mouse (field);
    mouse.click (20.0f, 20.0f);
    EXPECT_EQ (table.value (slot), before);
    EXPECT_EQ (mixer.takeEvents(), std::vector<juce::uint64> { EditEvent::make (EditEvent::channelEvent, 6, 156, 5, before) });
    // A press dragged off before its release is no click.
    mouse.down (20.0f, 20.0f);
    mouse.drag (20.0f, 60.0f);
    mouse.up (20.0f, 60.0f);
    EXPECT_TRUE (mixer.takeEvents().empty());

    auto* edit = hub.getImage().getEditBuffer (5);
    const auto oldList = edit->getTable().lists[VirtualParameterTable::aux2List];
    const auto values = allValues();
    mouse.wheel (1.0f, 20.0f, 20.0f);
    EXPECT_EQ (table.value (slot), before + 1);
    EXPECT_EQ (changedSlots (values, allValues()), std::vector<int> { 86 });
    EXPECT_EQ (field.getValue(), before + 1);
    EXPECT_EQ (host.slots, std::vector<int> { 86 });

    // The channel's Aux 2 parameters are now those of the new chain.
    ProgramEditBuffers fresh (5);
    fresh.setProgramData (edit->getProgramData());
    fresh.decodeTable (hub.getImage().getFxChains(), table.value (80), table.value (83), before + 1);
    const auto reloaded = edit->getTable().lists[VirtualParameterTable::aux2List];
    const auto expected = fresh.getTable().lists[VirtualParameterTable::aux2List];
    EXPECT_EQ (reloaded.identifier, expected.identifier);
    EXPECT_EQ (reloaded.entries, expected.entries);
    EXPECT_FALSE (reloaded.identifier == oldList.identifier && reloaded.entries == oldList.entries)
        << "the neighbouring chain has other parameters";

    // The window hears: channel 5, sub-kind 6, nothing else.
    EXPECT_EQ (mixer.takeEvents(), std::vector<juce::uint64> { EditEvent::make (EditEvent::channelEvent, 0, 6, 5, 0) });

    rig.settle();
    EXPECT_TRUE (rig.receivedHex().empty()) << "an effect chain choice stays in the plug-in";

    // At the top of the range the wheel does nothing.
    mixer.showValue (slot, 2048);
    host.slots.clear();
    mouse.wheel (1.0f, 20.0f, 20.0f);
    EXPECT_TRUE (host.slots.empty());
    EXPECT_TRUE (mixer.takeEvents().empty());
}

TEST_F (MixerPageTest, ProgramSlotClicksAskForTheProgramPageOfTheirChannel)
{
    const auto programEvent = [] (int channel) { return EditEvent::make (EditEvent::channelEvent, 0, 11, channel, 0); };
    EXPECT_EQ (click (mixer.getHeader().getSlot (9)), std::vector<juce::uint64> { programEvent (9) });
    EXPECT_EQ (click (mixer.getStrip (14).getNameSlot()), std::vector<juce::uint64> { programEvent (14) });

    // Two clicks before the page hears of them: both arrive, in order.
    KitMouse (mixer.getHeader().getSlot (1)).click (5.0f, 5.0f);
    KitMouse (mixer.getHeader().getSlot (0)).click (5.0f, 5.0f);
    mixer.getHeader().getSlot (1).dispatchPendingMessages();
    mixer.getHeader().getSlot (0).dispatchPendingMessages();
    mixer.dispatchPendingMessages();
    const auto events = mixer.takeEvents();
    ASSERT_EQ (events.size(), 2u);
    EXPECT_EQ (EditEvent::channel (events[0]) + EditEvent::channel (events[1]), 1);
}

//==============================================================================
TEST_F (MixerPageTest, MetersRiseOnlyUpwardsAndFallEvery60msTickUntilOff)
{
    auto& meter = mixer.getStrip (2).getMeter();
    mixer.notePeak (2, 127);
    EXPECT_EQ (meter.getPeak(), 127);
    EXPECT_TRUE (meter.isFalling());
    mixer.notePeak (2, 90);
    EXPECT_EQ (meter.getPeak(), 127) << "a softer note leaves the meter";
    mixer.notePeak (16, 127);
    mixer.notePeak (-1, 127);
    EXPECT_EQ (mixer.getPeak (3), 0);

    // 127, 119, ... 7: fifteen ticks of 8; the sixteenth goes below 5, to 0, and stops.
    for (int t = 1; t <= 15; ++t)
    {
        meter.tick();
        EXPECT_EQ (meter.getPeak(), 127 - 8 * t);
    }
    EXPECT_TRUE (meter.isFalling());
    meter.tick();
    EXPECT_EQ (meter.getPeak(), 0);
    EXPECT_FALSE (meter.isFalling());

    // Lit from the bar top down: a loud note lights the top, the fall darkens it.
    const juce::Colour unlit (0xff5a5058);
    mixer.notePeak (2, 120);
    auto image = zd8test::renderComponent (meter);
    EXPECT_NE (image.getPixelAt (2, 10), unlit);
    EXPECT_NE (image.getPixelAt (2, 100), unlit);
    for (int t = 0; t < 10; ++t)
        meter.tick();
    image = zd8test::renderComponent (meter);
    EXPECT_EQ (image.getPixelAt (2, 10), unlit);
    EXPECT_NE (image.getPixelAt (2, 100), unlit);
}

//==============================================================================
TEST (MixerInWindow, EffectFieldsPickTheChannelAndProgramSlotsOpenItsProgramPage)
{
    PluginRig rig;
    VantorAudioProcessor processor { rig.environment };
    processor.getHub().getEditorSession().aboutShown = true;
    std::unique_ptr<juce::AudioProcessorEditor> editor (processor.createEditor());
    auto& m = dynamic_cast<VantorAudioProcessorEditor&> (*editor).getMainPanel();
    auto& mixer = m.getMixer();
    ASSERT_TRUE (m.isMixerShown());
    processor.getHub().setMidiChannel (1);

    // Wheel over "Aux 2" of strip 5: channel 6 becomes current, no page opens.
    KitMouse (mixer.getStrip (5).getControl (MixerStrip::aux2Field)).wheel (1.0f, 20.0f, 20.0f);
    mixer.dispatchPendingMessages();
    EXPECT_EQ (processor.getHub().getMidiChannel(), 6);
    EXPECT_TRUE (m.isMixerShown());
    EXPECT_FALSE (m.isMixerStrip());
    EXPECT_FALSE (m.isProgramPageShown());

    // The insert field of strip 11 the same way.
    KitMouse (mixer.getStrip (11).getControl (MixerStrip::insertField)).wheel (-1.0f, 20.0f, 20.0f);
    mixer.dispatchPendingMessages();
    EXPECT_EQ (processor.getHub().getMidiChannel(), 12);
    EXPECT_FALSE (m.isProgramPageShown());

    // A program slot: channel 3 current, its program page under the mixer's header.
    auto& slot = mixer.getStrip (2).getNameSlot();
    KitMouse (slot).click (5.0f, 5.0f);
    slot.dispatchPendingMessages();
    mixer.dispatchPendingMessages();
    EXPECT_EQ (processor.getHub().getMidiChannel(), 3);
    ASSERT_TRUE (m.isProgramPageShown());
    EXPECT_EQ (m.getProgramPage()->getChannel(), 2);
    EXPECT_TRUE (m.isMixerStrip());
}

//==============================================================================
TEST_F (MixerPageTest, RendersSixteenStrips)
{
    // Some variety: other programs, levels, pans, sends and meters in mid-fall.
    const int programs[] = { 1, 12, 42, 77, 101, 150, 200, 256, 5, 33, 64, 99, 128, 180, 222, 300 };
    for (int c = 0; c < MixerPage::numChannels; ++c)
    {
        hub.setFromEditor (ParameterTable::programSlot (c, ParameterTable::programRow), programs[c], false, false);
        table.setValue (ParameterTable::programSlot (c, ParameterTable::levelRow), 8 - 9 * (c % 8));
        table.setValue (ParameterTable::programSlot (c, ParameterTable::panRow), -64 + 8 * c);
        table.setValue (ParameterTable::programSlot (c, 1), c % 2);
        mixer.notePeak (c, (c * 37) % 128);
    }
    mixer.refresh();
    EXPECT_EQ (zd8test::compareWithReference (mixer, "mixer_page"), "");
}

//==============================================================================
TEST_F (MixerPageTest, LongNamesAndEffectNamesAreFittedAndNeverCutMidLetter)
{
    // Names of the longest kind a store holds, on four channels.
    auto& programs = hub.getImage().getPrograms();
    const char* names[] = { "Studio Grand Piano X", "Wurlitzer Electric 2", "Ivory Studio Grand", "Pad" };
    for (int c = 0; c < 4; ++c)
    {
        auto record = programs.readRecord (1);
        const auto name = juce::String (names[c]).paddedRight (' ', 20);
        memcpy (record.getData(), name.toRawUTF8(), 20);
        programs.replaceRecord (4600 + c, record);
        hub.setFromEditor (ParameterTable::programSlot (c, ParameterTable::programRow), 4600 + c, false, false);
    }
    mixer.refresh();
    zd8test::renderComponent (mixer);

    // What a slot drew of a line: the line itself, or its start up to a whole
    // character with an ellipsis; either fits the slot at the smallest legible size.
    const auto expectFitted = [] (const juce::String& line, const juce::String& shown, float width, float smallest)
    {
        SCOPED_TRACE (line + " -> " + shown);
        if (shown.endsWith (FittedText::ellipsis))
        {
            const auto kept = shown.dropLastCharacters (FittedText::ellipsis.length());
            EXPECT_TRUE (line.startsWith (kept));
            EXPECT_FALSE (kept.endsWithChar (' '));
            EXPECT_GT (FittedText::widthOf (line, "Arial", smallest), width) << "shortened only when it cannot fit";
        }
        else
        {
            EXPECT_EQ (shown, line.trimEnd());
        }
        EXPECT_LE (FittedText::widthOf (shown, "Arial", smallest), width);
    };

    constexpr float nameWidth = NameSlot::width - 8.0f;
    for (int c = 0; c < MixerPage::numChannels; ++c)
    {
        const auto& slot = mixer.getHeader().getSlot (c);
        expectFitted (slot.getNameLine1(), slot.getShownLine1(), nameWidth, 10.0f);
        expectFitted (slot.getNameLine2(), slot.getShownLine2(), nameWidth, 10.0f);
        const auto& category = mixer.getStrip (c).getNameSlot();
        expectFitted (category.getCategoryText(), category.getShownCategory(), NameSlot::width - 4.0f, 10.0f);

        for (int order : { MixerStrip::insertField, MixerStrip::aux1Field, MixerStrip::aux2Field })
        {
            auto& field = dynamic_cast<MixerEffectField&> (mixer.getStrip (c).getControl (order));
            expectFitted (field.getValueText(), field.getShownValue(), (float) MixerEffectField::textWidth(),
                          MixerEffectField::smallestValueFontSize);
            EXPECT_GE (field.getShownValueSize(), MixerEffectField::smallestValueFontSize);
        }
    }

    // "Studio Grand Piano X": "Studio" and "Grand Piano" on two lines, the long one
    // shortened; "Pad" whole.
    EXPECT_EQ (mixer.getHeader().getSlot (0).getShownLine1(), "Studio");
    EXPECT_TRUE (mixer.getHeader().getSlot (0).getShownLine2().startsWith ("Grand"));
    EXPECT_EQ (mixer.getHeader().getSlot (3).getShownLine1(), "Pad");
}

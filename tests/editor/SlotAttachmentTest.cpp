// The link of a parameter control to its slot: what the host or the instrument sets
// shows on the control once the message loop has run, what the user does reaches the
// slot, the host (once) and the instrument, rebinding and destruction end the following,
// and the edit codes choose which of the control's events change the slot.

#include "editor/kit/EditEvent.h"
#include "editor/kit/ParameterControl.h"
#include "editor/kit/SlotAttachment.h"
#include "plugin/VantorAudioProcessor.h"
#include "support/PluginRig.h"
#include "KitMouse.h"

#include <gtest/gtest.h>

#include <memory>
#include <optional>

namespace juce
{
    // JUCE's own message-loop step (Linux): dispatches one queued message, or returns
    // false at once when none is waiting.
    bool dispatchNextMessageOnSystemQueue (bool returnIfNoPendingMessages);
}

using namespace zd8;
using zd8test::KitMouse;
using zd8test::PluginRig;

namespace
{
    /** Runs the message loop until nothing is queued. */
    void runMessageLoop()
    {
        while (juce::dispatchNextMessageOnSystemQueue (true))
        {
        }
    }

    /** The parameter indices the processor reported to the host, in order. */
    struct HostListener : juce::AudioProcessorListener
    {
        void audioProcessorParameterChanged (juce::AudioProcessor*, int index, float) override { slots.push_back (index); }
        void audioProcessorChanged (juce::AudioProcessor*, const ChangeDetails&) override {}
        std::vector<int> slots;
    };

    // Controller 74 of channels 3 and 5: plain 0..127 values.
    const int cutoff = ParameterTable::controllerSlot (2, 74);
    const int otherCutoff = ParameterTable::controllerSlot (4, 74);

    struct SlotAttachmentTest : ::testing::Test
    {
        PluginRig rig;
        VantorAudioProcessor processor { rig.environment };
        EditorConnection& connection = processor.getEditorConnection();
        HostListener host;
        ParameterControl knob;

        void SetUp() override
        {
            rig.settle();
            rig.simulator.clearReceived();
            knob.setup ("Cutoff", cutoff, 74, 80, 0, 0, 0, 127, ParameterControl::knob);
            processor.addListener (&host);
        }

        void TearDown() override { processor.removeListener (&host); }

        /** A write from the host, as its automation makes it (value 0..127). */
        void hostSets (int slot, int value)
        {
            processor.getParameters()[slot]->setValue ((float) value / 127.0f);
        }
    };
}

TEST_F (SlotAttachmentTest, TheControlShowsTheSlotWhenBoundAndFollowsTheHostsChanges)
{
    hostSets (cutoff, 33);
    SlotAttachment attachment (connection, knob, cutoff);
    EXPECT_EQ (attachment.getSlot(), cutoff);
    EXPECT_EQ (knob.getValue(), 33);
    EXPECT_EQ (knob.getValueText(), "33");

    hostSets (cutoff, 100);
    ASSERT_TRUE (rig.settle (1));
    EXPECT_EQ (rig.receivedHex().back(), "B2 4A 64");
    runMessageLoop();
    EXPECT_EQ (knob.getValue(), 100);
    EXPECT_EQ (knob.getValueText(), "100");
    EXPECT_EQ (knob.getFrame(), ParameterControl::knobFrame (100, 0, 127));

    // The instrument's own controller moves show the same way.
    rig.simulator.sendController (3, 74, 7);
    rig.settle();
    runMessageLoop();
    EXPECT_EQ (knob.getValue(), 7);
}

TEST_F (SlotAttachmentTest, MovingTheControlSetsTheSlotTheHostHearsItOnceAndTheInstrumentGetsIt)
{
    SlotAttachment attachment (connection, knob, cutoff);
    const int start = connection.getSlotValue (cutoff);
    ASSERT_LE (start, 100);

    // 10 px right and 10 px up: 20 steps.
    KitMouse mouse (knob);
    mouse.down (33.0f, 30.0f);
    mouse.drag (43.0f, 20.0f);
    mouse.up (43.0f, 20.0f);

    const int moved = start + 20;
    EXPECT_EQ (connection.getSlotValue (cutoff), moved);
    EXPECT_EQ (knob.getValue(), moved) << "shown at once, before any notice comes back";
    EXPECT_EQ (knob.getValueText(), juce::String (moved));
    EXPECT_EQ (host.slots, std::vector<int> { cutoff });
    ASSERT_TRUE (rig.settle (1));
    const auto movedHex = juce::String::toHexString (moved).toUpperCase().paddedLeft ('0', 2);
    EXPECT_EQ (rig.receivedHex(), std::vector<juce::String> { "B2 4A " + movedHex });

    // The change coming back as a notice neither moves the control nor reaches the host again.
    runMessageLoop();
    EXPECT_EQ (knob.getValue(), moved);
    EXPECT_EQ (host.slots, std::vector<int> { cutoff });
    rig.settle();
    EXPECT_EQ (rig.receivedHex().size(), 1u);

    // Without the echo the control waits for the change to come back.
    attachment.setEchoesUserChanges (false);
    knob.post (EditEvent::valueDragged, moved + 1);
    EXPECT_EQ (connection.getSlotValue (cutoff), moved + 1);
    EXPECT_EQ (knob.getValue(), moved);
    runMessageLoop();
    EXPECT_EQ (knob.getValue(), moved + 1);
    EXPECT_EQ (host.slots, (std::vector<int> { cutoff, cutoff }));
}

TEST_F (SlotAttachmentTest, ABoundSlotIsFollowedUntilRebindDetachOrDestruction)
{
    hostSets (otherCutoff, 90);
    auto attachment = std::make_unique<SlotAttachment> (connection, knob, cutoff);

    // Rebound to another channel's slot: shows it at once, then follows it alone.
    attachment->bind (otherCutoff);
    EXPECT_EQ (knob.getValue(), 90);
    hostSets (cutoff, 11);
    runMessageLoop();
    EXPECT_EQ (knob.getValue(), 90);
    hostSets (otherCutoff, 12);
    runMessageLoop();
    EXPECT_EQ (knob.getValue(), 12);

    // Not following (a parked page): the changes wait; following again shows the slot.
    attachment->setFollowing (false);
    hostSets (otherCutoff, 14);
    runMessageLoop();
    EXPECT_EQ (knob.getValue(), 12);
    attachment->setFollowing (true);
    EXPECT_EQ (knob.getValue(), 14);

    // Detached: keeps what it shows, follows nothing and sends nothing.
    hostSets (otherCutoff, 12);
    runMessageLoop();
    attachment->detach();
    EXPECT_FALSE (attachment->isBound());
    hostSets (otherCutoff, 13);
    runMessageLoop();
    EXPECT_EQ (knob.getValue(), 12);
    host.slots.clear();
    knob.post (EditEvent::valueDragged, 50);
    EXPECT_TRUE (host.slots.empty());
    EXPECT_EQ (connection.getSlotValue (otherCutoff), 13);

    // Gone: the slot's later changes reach no attachment (and the control keeps its value).
    attachment->bind (cutoff);
    attachment.reset();
    hostSets (cutoff, 77);
    runMessageLoop();
    EXPECT_EQ (knob.getValue(), 11);
    knob.post (EditEvent::valueDragged, 51);
    EXPECT_EQ (connection.getSlotValue (cutoff), 77);

    // An invalid slot leaves it unbound.
    SlotAttachment unbound (connection, knob, ParameterTable::numSlots);
    EXPECT_FALSE (unbound.isBound());
}

TEST_F (SlotAttachmentTest, EditCodesChooseWhichEventsChangeTheSlot)
{
    struct Case
    {
        juce::uint32 codes;
        int code;
        bool changes;
    };
    const Case cases[] = {
        { SlotAttachment::allChanges, EditEvent::valueDragged, true },
        { SlotAttachment::allChanges, EditEvent::toggled, true },
        { SlotAttachment::allChanges, EditEvent::chosen, true },
        { SlotAttachment::allChanges, EditEvent::menuRequest, false },
        { SlotAttachment::allChanges, EditEvent::pointerEntered, false },
        { SlotAttachment::dragsAndToggles, EditEvent::toggled, true },
        { SlotAttachment::dragsAndToggles, EditEvent::chosen, false },   // the controls page's wheel
        { SlotAttachment::dragsAndChoices, EditEvent::chosen, true },
        { SlotAttachment::dragsAndChoices, EditEvent::toggled, false },  // the mixer's switches
        { SlotAttachment::showOnly, EditEvent::valueDragged, false },    // the program page's chain fields
    };

    int value = 1;
    for (const auto& c : cases)
    {
        SCOPED_TRACE (testing::Message() << "codes " << c.codes << ", event " << c.code);
        SlotAttachment attachment (connection, knob, cutoff, c.codes);
        const int before = connection.getSlotValue (cutoff);
        host.slots.clear();
        knob.post (c.code, ++value);
        EXPECT_EQ (connection.getSlotValue (cutoff), c.changes ? value : before);
        EXPECT_EQ (knob.getValue(), c.changes ? value : before);
        EXPECT_EQ (host.slots.size(), c.changes ? 1u : 0u);
    }
}

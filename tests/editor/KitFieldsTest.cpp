#include "editor/kit/ControlTexts.h"
#include "editor/kit/ZoneValueField.h"
#include "editor/kit/EditEvent.h"
#include "editor/library/LibraryButton.h"
#include "editor/kit/RateSlider.h"
#include "editor/shell/WindowButtons.h"
#include "plugin/VantorAudioProcessor.h"
#include "support/PluginRig.h"
#include "editor/KitMouse.h"

#include <gtest/gtest.h>

using namespace zd8;
using zd8test::ChangeCounter;
using zd8test::KitMouse;
using zd8test::PluginRig;

namespace
{
    std::vector<juce::uint64> drainEvents (ZoneValueField& field)
    {
        std::vector<juce::uint64> out;
        juce::uint64 e = 0;
        while (field.nextEvent (e))
            out.push_back (e);
        return out;
    }

    /** A zone's "Key Zone Low" field of the multi page, wired to the simulator. */
    struct ZoneField : testing::Test
    {
        ZoneField()
        {
            rig.settle();
            rig.simulator.clearReceived();
            field.setup (17, "Key Zone Low", 0, 127, 777);
            field.place (168, 1, 36, 18, ZoneValueField::dragBox);
            field.setSubKind (43);
            field.setAddress (5, 0, 0, 0, 15);
            field.setZoneIndex (3);
        }

        PluginRig rig;
        VantorAudioProcessor processor { rig.environment };
        ZoneValueField field { processor.getEditorConnection() };
        ChangeCounter changes { field };
        KitMouse mouse { field };
    };
}

TEST_F (ZoneField, UserChangesAreClampedQueuedAndSentAsAddressedChanges)
{
    field.setChannel (2);

    field.userSet (200);   // clamped to 127
    EXPECT_EQ (field.getValue(), 127);
    EXPECT_EQ (changes.flush(), 1);
    EXPECT_EQ (drainEvents (field), std::vector<juce::uint64> { EditEvent::make (17, 17, 43, 2, 127) });
    ASSERT_TRUE (rig.settle (7));
    // A1..A5 on 110..114, then 127 + 8192 = 8319 as 64 / 127 on 118 and 119, MIDI channel 3.
    const std::vector<juce::String> expected { "B2 6E 05", "B2 6F 03", "B2 70 00", "B2 71 00",
                                               "B2 72 0F", "B2 76 40", "B2 77 7F" };
    EXPECT_EQ (rig.receivedHex(), expected);

    field.userSet (127);   // same value: nothing at all
    field.setValue (40);   // the owner's value: shown only
    EXPECT_EQ (field.getValue(), 40);
    EXPECT_EQ (changes.flush(), 0);
    EXPECT_EQ (field.getNumQueuedEvents(), 0);

    rig.simulator.clearReceived();
    field.userSet (-5);    // clamped to 0: 8192 is 64 / 0
    ASSERT_TRUE (rig.settle (7));
    EXPECT_EQ (rig.receivedHex().back(), "B2 77 00");
    EXPECT_EQ (rig.receivedHex()[5], "B2 76 40");
    EXPECT_EQ (drainEvents (field), std::vector<juce::uint64> { EditEvent::make (17, 17, 43, 2, 0) });
}

TEST_F (ZoneField, AFieldWithoutFirstAddressByteNeverSends)
{
    field.setAddress (0, 3, 0, 0, 0);   // the status field: shown, never sent
    field.userSet (1);
    EXPECT_EQ (drainEvents (field).size(), 1u) << "the owner still hears of the change";

    // Then a field that does send: only its seven messages reach the instrument.
    field.setAddress (5, 3, 0, 0, 15);
    field.userSet (2);
    ASSERT_TRUE (rig.settle (7));
    const auto received = rig.receivedHex();
    ASSERT_EQ (received.size(), 7u);
    EXPECT_EQ (received.front(), "B0 6E 05");
    EXPECT_EQ (received.back(), "B0 77 02");
}

TEST_F (ZoneField, DraggingCountsWholeStepsRightAndUpFromThePressValue)
{
    struct Case { float dx, dy; int expected; };
    const Case cases[] = {
        { 5, 0, 65 },     // right raises
        { 5, -3, 68 },    // up raises too
        { -5, 11, 44 },   // left and down lower
        { 0, 0, 60 },     // back at the press point: the press value
        { 200, 0, 127 },  // clamped
        { 0, 200, 0 },
    };
    field.setValue (60);
    mouse.down (10, 9);
    for (const auto& c : cases)
    {
        mouse.drag (10 + c.dx, 9 + c.dy);
        EXPECT_EQ (field.getValue(), c.expected) << "drag " << c.dx << ", " << c.dy;
    }
    mouse.up (10, 209);
    mouse.drag (50, 9);   // no longer dragging
    EXPECT_EQ (field.getValue(), 0);

    const auto events = drainEvents (field);
    ASSERT_EQ (events.size(), 6u);
    for (const auto e : events)
        EXPECT_EQ (EditEvent::code (e), ZoneValueField::changedCode);
    EXPECT_EQ (EditEvent::value (events.back()), 0);
}

TEST_F (ZoneField, SmallRangesDragSlowlyAndFieldsOfFewerThanFourValuesCycle)
{
    field.setup (2, "Mode", 0, 14, 0);   // maximum below 15: 15 pixels per step
    EXPECT_DOUBLE_EQ (field.getDragStep(), 15.0);
    field.setValue (7);
    mouse.down (0, 0);
    mouse.drag (14, 0);
    EXPECT_EQ (field.getValue(), 7);
    mouse.drag (15, 0);
    EXPECT_EQ (field.getValue(), 8);
    mouse.drag (15, 31);
    EXPECT_EQ (field.getValue(), 6);
    mouse.up (15, 31);

    field.setup (2, "Status", 1, 3, 0);   // three values: a press cycles
    std::vector<int> seen;
    for (int i = 0; i < 4; ++i)
    {
        mouse.click (5, 5);
        seen.push_back (field.getValue());
    }
    EXPECT_EQ (seen, (std::vector<int> { 2, 3, 1, 2 }));

    field.setup (17, "Key Zone Low", 0, 127, 777);
    EXPECT_DOUBLE_EQ (field.getDragStep(), 1.0) << "a new range gets its own step";
}

TEST_F (ZoneField, WheelStepsWithinTheRange)
{
    field.setValue (126);
    mouse.wheel (0.25f);
    mouse.wheel (0.25f);   // at the maximum: nothing more
    mouse.wheel (0.0f);    // no vertical movement
    EXPECT_EQ (field.getValue(), 127);
    mouse.wheel (-0.25f);
    EXPECT_EQ (field.getValue(), 126);
    const auto events = drainEvents (field);
    ASSERT_EQ (events.size(), 2u);
    EXPECT_EQ (EditEvent::value (events[0]), 127);
    EXPECT_EQ (EditEvent::value (events[1]), 126);
}

TEST_F (ZoneField, PressBoxReportsAReleaseAfterAPressAndKeepsItsValue)
{
    field.setup (93, "Program Assign", 0, 8191, 2100);
    field.place (25, 0, 140, 22, ZoneValueField::pressBox);
    field.setChannel (5);
    field.setValue (300);

    mouse.up (10, 10);   // a release without a press
    EXPECT_EQ (field.getNumQueuedEvents(), 0);

    mouse.down (10, 10);
    mouse.drag (60, 0);   // pressing boxes do not drag
    EXPECT_EQ (field.getNumQueuedEvents(), 0);
    mouse.up (60, 0);
    EXPECT_EQ (field.getValue(), 300);
    EXPECT_EQ (changes.flush(), 1);
    EXPECT_EQ (drainEvents (field), std::vector<juce::uint64> { EditEvent::make (18, 93, 0, 5, 0) });

    field.requestEntry();
    EXPECT_EQ (changes.flush(), 1);
    EXPECT_EQ (drainEvents (field), std::vector<juce::uint64> { EditEvent::make (19, 93, 0, 5, 0) });

    mouse.wheel (1.0f);   // the wheel still edits
    EXPECT_EQ (field.getValue(), 301);
}

TEST_F (ZoneField, PressesOnlyAnnouncesThePressAndChangesNothing)
{
    field.setValue (60);
    field.setPressesOnly (true);
    mouse.down (10, 9);
    mouse.drag (40, 9);
    mouse.up (40, 9);
    EXPECT_EQ (field.getValue(), 60);
    EXPECT_EQ (changes.flush(), 1);
    EXPECT_EQ (field.getNumQueuedEvents(), 0);
    rig.settle();
    EXPECT_TRUE (rig.receivedHex().empty());
}

TEST_F (ZoneField, PlainBoxTakesNoMouseAndAnUndrainedQueueStaysBounded)
{
    field.place (-100, 0, 80, 18, ZoneValueField::plainBox);
    field.setValue (10);
    mouse.wheel (1.0f);
    mouse.down (5, 5);
    mouse.drag (50, 5);
    EXPECT_EQ (field.getValue(), 10);

    for (int i = 0; i < 3 * ZoneValueField::maxQueuedEvents; ++i)
        field.requestEntry();
    EXPECT_EQ (field.getNumQueuedEvents(), ZoneValueField::maxQueuedEvents);
}

TEST_F (ZoneField, EachStyleShowsTheValueInItsFormat)
{
    field.setValue (60);
    EXPECT_EQ (field.getValueText(), "C4");
    for (int style : { ZoneValueField::dragBox, ZoneValueField::pressBox, ZoneValueField::plainBox })
    {
        field.place (0, 0, 140, 40, style);
        field.setLabelHidden (style != ZoneValueField::plainBox);
        // Every style paints its box and text (the value format is looked up while painting).
        const auto picture = field.createComponentSnapshot (field.getLocalBounds());
        EXPECT_EQ (picture.getBounds(), juce::Rectangle<int> (0, 0, 140, 40)) << "style " << style;
    }
}

//==============================================================================
TEST (KitTexts, FlagsAndRoutings)
{
    EXPECT_EQ (ControlTexts::onOff (true), "ON");
    EXPECT_EQ (ControlTexts::onOff (false), "OFF");
    EXPECT_EQ (ControlTexts::routing (0), "PRG");
    EXPECT_EQ (ControlTexts::routing (1), "POST");
    EXPECT_EQ (ControlTexts::routing (2), "PRE");
    EXPECT_EQ (ControlTexts::routing (3), "");
    EXPECT_EQ (ControlTexts::routing (-1), "");
}

TEST (RateSlider, PointerAndWheelSetTheValueAndAnnounceIt)
{
    RateSlider slider;
    slider.setBounds (76, 50, 200, 18);
    slider.setRange (0, 100);
    ChangeCounter changes (slider);
    KitMouse mouse (slider);

    slider.setValue (20);
    EXPECT_EQ (changes.flush(), 0);
    EXPECT_EQ (slider.getText(), "20 ms");

    mouse.down (0, 9);
    EXPECT_EQ (slider.getValue(), 0);
    mouse.drag (1000, 9);
    EXPECT_EQ (slider.getValue(), 100);
    mouse.up (1000, 9);
    EXPECT_EQ (changes.flush(), 1);
    mouse.wheel (1.0f);
    EXPECT_EQ (slider.getValue(), 100);
    mouse.wheel (-1.0f);
    EXPECT_EQ (slider.getText(), "99 ms");

    mouse.down (195, 9);   // on the value text: not the track
    mouse.drag (10, 9);
    EXPECT_EQ (slider.getValue(), 99);
}

namespace
{
    struct ToolRecorder : WindowButtonsListener
    {
        void windowTool (int code) override { codes.push_back (code); }
        std::vector<int> codes;
    };

    struct PressRecorder : LibraryButtonListener
    {
        explicit PressRecorder (std::vector<int>& order, int tag) : order (order), tag (tag) {}
        void libButtonPressed (LibraryButton*, int identifier) override { order.push_back (tag * 10000 + identifier); }
        std::vector<int>& order;
        int tag;
    };
}

TEST (WindowButtons, AReleaseOverThePressedButtonReportsItsCode)
{
    WindowButtons buttons;
    ToolRecorder a, b;
    buttons.addListener (&a);
    buttons.addListener (&a);   // once only
    buttons.addListener (&b);
    KitMouse mouse (buttons);

    mouse.click (5, 5);
    mouse.click (20, 5);
    mouse.click (50, 5);
    mouse.down (5, 5);
    mouse.up (50, 5);   // slid off to another button: nothing
    EXPECT_EQ (a.codes, (std::vector<int> { 120, 121, 122 }));
    EXPECT_EQ (b.codes, a.codes);

    mouse.move (40, 5);
    EXPECT_EQ (buttons.getHighlighted(), WindowButtons::closeCode);
    mouse.exit (60, 5);
    EXPECT_EQ (buttons.getHighlighted(), 0);

    int quits = 0;
    buttons.setQuitAction ([&quits] { ++quits; });
    buttons.setApplicationQuit (true);
    mouse.click (50, 5);
    mouse.click (5, 5);
    EXPECT_EQ (quits, 1);
    EXPECT_EQ (a.codes.back(), 120) << "close quits instead of reporting, the others still report";

    WindowButtons closeOnly (true);
    closeOnly.addListener (&a);
    EXPECT_EQ (closeOnly.getWidth(), 17);
    KitMouse closeMouse (closeOnly);
    closeMouse.click (8, 7);
    EXPECT_EQ (a.codes.back(), 122);
}

TEST (LibraryButton, APressReportsToEveryListenerLastRegisteredFirst)
{
    LibraryButton button ("OK", 1201);
    std::vector<int> order;
    PressRecorder first (order, 1), second (order, 2);
    button.addListener (&first);
    button.addListener (&second);
    button.addListener (&first);
    KitMouse mouse (button);

    mouse.down (10, 10);
    EXPECT_EQ (order, (std::vector<int> { 21201, 11201 }));
    mouse.up (10, 10);
    EXPECT_EQ (order.size(), 2u) << "reports on press only";

    button.removeListener (&second);
    mouse.down (10, 10);
    EXPECT_EQ (order.back(), 11201);
    EXPECT_EQ (order.size(), 3u);
}

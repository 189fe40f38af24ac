#include "editor/kit/EditEvent.h"
#include "editor/kit/ParameterControl.h"
#include "editor/KitMouse.h"
#include "editor/KitDoubleClick.h"
#include "support/RenderCheck.h"

#include <gtest/gtest.h>

#include <memory>
#include <optional>

using namespace zd8;
using zd8test::KitMouse;

namespace
{
    struct Recorder : ParameterControlListener
    {
        void controlEvent (ParameterControl*, juce::uint64 e) override { events.push_back (e); }
        std::optional<juce::uint64> last() const
        {
            return events.empty() ? std::nullopt : std::optional<juce::uint64> (events.back());
        }
        std::vector<juce::uint64> events;
    };

    class ParameterControlTest : public ::testing::Test
    {
    protected:
        std::unique_ptr<ParameterControl> make (int style, int minimum, int maximum, int width = 74, int height = 80,
                                       const juce::String& name = "Cutoff")
        {
            auto c = std::make_unique<ParameterControl>();
            c->setup (name, 300, width, height, 0, 0, minimum, maximum, style);
            c->addListener (&recorder);
            return c;
        }

        Recorder recorder;
    };
} // namespace

TEST_F (ParameterControlTest, KnobFramesFollowTheValueWithinTheRange)
{
    struct Case { int minimum, maximum, value, frame; };
    const Case cases[] = {
        { 0, 127, 0, 0 },      { 0, 127, 127, 54 },   { 0, 127, 64, 29 },
        { -64, 64, -64, 0 },   { -64, 64, 0, 28 },    { -64, 64, 64, 54 },
        { 0, 1, 0, 0 },        { 0, 1, 1, 54 },       // 56.6 is past the last frame
        { 0, 100, 95, 54 },    { 0, 100, 94, 53 },    // 53.8 rounds to 54; 53.2 stays 53
        { 0, 127, -5, 0 },     { 5, 5, 5, 0 },        // below the range; an empty range
    };
    for (const auto& k : cases)
        EXPECT_EQ (ParameterControl::knobFrame (k.value, k.minimum, k.maximum), k.frame)
            << k.minimum << ".." << k.maximum << " at " << k.value;

    auto c = make (ParameterControl::knob, 0, 127);
    c->setValue (64, "64");
    EXPECT_EQ (c->getFrame(), 29);
    c->setValue (500, "500");   // clamped: the control never shows a value outside its range
    EXPECT_EQ (c->getValue(), 127);
    EXPECT_EQ (c->getFrame(), 54);

    auto fixed = make (ParameterControl::fixedKnob, 0, 127);
    fixed->setValue (127, "127");
    EXPECT_EQ (fixed->getFrame(), 2);
}

TEST_F (ParameterControlTest, TheFirstValueAlwaysRepaintsEvenAtTheMinimum)
{
    auto c = make (ParameterControl::knob, 10, 20);
    EXPECT_EQ (c->getValue(), 9) << "starts one below the minimum";

    c->suspendPainting (true);
    c->setValue (10, "10");
    EXPECT_TRUE (c->isRepaintPending());
    EXPECT_EQ (c->getValue(), 10);
    c->suspendPainting (false);
    EXPECT_FALSE (c->isRepaintPending());

    c->suspendPainting (true);
    c->setValue (10, "10");
    EXPECT_FALSE (c->isRepaintPending()) << "the same value and text change nothing";
    c->setValue (10, "ten");
    EXPECT_TRUE (c->isRepaintPending()) << "a new text alone is redrawn";
    c->suspendPainting (false);

    // Re-binding starts over.
    c->setup ("Other", 301, 74, 80, 0, 0, 10, 20, ParameterControl::knob);
    EXPECT_EQ (c->getValue(), 9);
}

TEST_F (ParameterControlTest, TheWheelStepsWithinTheRangeAndLeavesTheShownValueToTheOwner)
{
    auto c = make (ParameterControl::knob, 0, 127);
    KitMouse mouse (*c);

    c->setValue (127, "127");
    mouse.wheel (1.0f);
    EXPECT_TRUE (recorder.events.empty()) << "nothing past the maximum";

    mouse.wheel (-0.5f);
    ASSERT_EQ (recorder.events.size(), 1u);
    EXPECT_EQ (EditEvent::code (recorder.events[0]), EditEvent::chosen);
    EXPECT_EQ (EditEvent::value (recorder.events[0]), 126);
    EXPECT_EQ (c->getValue(), 127) << "reports do not move the control";

    c->setValue (0, "0");
    mouse.wheel (-1.0f);
    mouse.wheel (0.0f);
    EXPECT_EQ (recorder.events.size(), 1u) << "nothing below the minimum, nothing without vertical movement";
    mouse.wheel (1.0f);
    EXPECT_EQ (EditEvent::value (*recorder.last()), 1);

    auto lamp = make (ParameterControl::lamp, 0, 1, 17, 11);
    KitMouse lampMouse (*lamp);
    lamp->setValue (0, {});
    lampMouse.wheel (1.0f);
    lampMouse.click (5, 5);
    EXPECT_EQ (recorder.events.size(), 2u) << "a lamp only shows";
}

TEST_F (ParameterControlTest, SwitchesAndButtonsToggle)
{
    struct Case { int style, minimum, maximum, shown, posted; float x, y; };
    const Case cases[] = {
        { ParameterControl::twoStateButton, 0, 127, 0, 127, 20, 10 },   // at the minimum: the maximum
        { ParameterControl::twoStateButton, 0, 127, 127, 0, 20, 10 },
        { ParameterControl::twoStateButton, 0, 127, 64, 0, 20, 10 },    // anywhere else: the minimum
        { ParameterControl::twoStateButton, 1, 2, 1, 2, 20, 10 },
        { ParameterControl::twoStateButton, 1, 2, 2, 1, 20, 10 },
        { ParameterControl::switchBeside, 0, 1, 0, 1, 10, 7 },
        { ParameterControl::switchBeside, 0, 1, 1, 0, 24, 7 },
        { ParameterControl::switchAbove, 0, 1, 0, 1, 37, 5 },           // middle of a 74-pixel control
        { ParameterControl::switchAbove, 0, 1, 1, 0, 28, 5 },
    };
    for (const auto& k : cases)
    {
        recorder.events.clear();
        auto c = make (k.style, k.minimum, k.maximum, 74, 50);
        c->setValue (k.shown, {});
        KitMouse (*c).click (k.x, k.y);
        ASSERT_EQ (recorder.events.size(), 1u) << "style " << k.style << " at " << k.shown;
        EXPECT_EQ (EditEvent::code (recorder.events[0]), EditEvent::toggled);
        EXPECT_EQ (EditEvent::value (recorder.events[0]), k.posted) << "style " << k.style << " at " << k.shown;
        EXPECT_EQ (c->getValue(), k.shown);
    }

    // Presses outside the switch's own area do nothing.
    recorder.events.clear();
    auto beside = make (ParameterControl::switchBeside, 0, 1, 74, 14);
    KitMouse (*beside).click (25, 7);
    auto above = make (ParameterControl::switchAbove, 0, 1, 74, 30);
    KitMouse (*above).click (47, 5);
    KitMouse (*above).click (27, 5);
    EXPECT_TRUE (recorder.events.empty());
}

TEST_F (ParameterControlTest, HoverIsReportedOnlyWhenAsked)
{
    auto c = make (ParameterControl::knob, 0, 127);
    KitMouse mouse (*c);
    mouse.enter (1, 1);
    mouse.exit (-1, -1);
    EXPECT_TRUE (recorder.events.empty());

    c->setHoverReporting (true);
    c->setValue (77, "77");
    mouse.enter (1, 1);
    mouse.exit (-1, -1);
    ASSERT_EQ (recorder.events.size(), 2u);
    EXPECT_EQ (EditEvent::code (recorder.events[0]), EditEvent::pointerEntered);
    EXPECT_EQ (EditEvent::code (recorder.events[1]), EditEvent::pointerLeft);
    EXPECT_EQ (EditEvent::value (recorder.events[0]), 0);
    EXPECT_EQ (EditEvent::value (recorder.events[1]), 0);
}

TEST_F (ParameterControlTest, KnobDragsByHorizontalAndVerticalMovement)
{
    // posted < 0: nothing is posted.
    struct Case { int style, minimum, maximum, start; double pixelStep; int dx, dy, posted; };
    const Case cases[] = {
        { ParameterControl::knob, 0, 127, 64, 1.0, 10, 0, 74 },
        { ParameterControl::knob, 0, 127, 64, 1.0, 0, 10, 54 },      // down turns it down
        { ParameterControl::knob, 0, 127, 64, 1.0, 7, -3, 74 },      // up and right add up
        { ParameterControl::knob, 0, 127, 64, 1.0, -3, 3, 58 },
        { ParameterControl::knob, 0, 127, 64, 1.0, 300, 0, 127 },    // clamped
        { ParameterControl::knob, 0, 127, 64, 1.0, 5, 5, -1 },       // cancels out
        { ParameterControl::knob, 0, 127, 64, 2.5, 10, 0, 68 },
        { ParameterControl::knob, 0, 127, 64, 2.5, 0, 7, 62 },       // 2.8 steps, truncated
        { ParameterControl::knob, 0, 8, 4, 1.0, 15, 0, 5 },          // small ranges: 15 pixels a step
        { ParameterControl::knob, 0, 8, 4, 1.0, 14, 0, -1 },
        { ParameterControl::knob, 0, 8, 4, 1.0, 0, -30, 6 },
        { ParameterControl::knob, 0, 8, 4, 1.0, -29, 0, 3 },
        { ParameterControl::knob, 0, 8, 4, 1.0, -45, 0, 1 },
        { ParameterControl::knob, 0, 14, 0, 1.0, 14, 0, -1 },        // 14 steps is still small
        { ParameterControl::knob, 0, 15, 0, 1.0, 14, 0, 14 },        // 15 is not
        { ParameterControl::fixedKnob, 0, 127, 64, 1.0, 10, 0, 74 },
    };
    for (const auto& k : cases)
    {
        recorder.events.clear();
        auto c = make (k.style, k.minimum, k.maximum);
        c->setPixelStep (k.pixelStep);
        c->setValue (k.start, {});
        KitMouse mouse (*c);
        mouse.down (30, 30);
        mouse.drag (30.0f + (float) k.dx, 30.0f + (float) k.dy);
        mouse.drag (30.0f + (float) k.dx, 30.0f + (float) k.dy);
        mouse.up (30.0f + (float) k.dx, 30.0f + (float) k.dy);
        const auto where = ::testing::Message() << k.minimum << ".." << k.maximum << " from " << k.start << " by ("
                                                << k.dx << ", " << k.dy << ") step " << k.pixelStep;
        if (k.posted < 0)
        {
            EXPECT_TRUE (recorder.events.empty()) << where;
            continue;
        }
        ASSERT_EQ (recorder.events.size(), 1u) << where << ": one report per change";
        EXPECT_EQ (EditEvent::code (recorder.events[0]), EditEvent::valueDragged);
        EXPECT_EQ (EditEvent::value (recorder.events[0]), k.posted) << where;
        EXPECT_EQ (c->getValue(), k.start) << "the owner moves the knob";
    }
}

TEST_F (ParameterControlTest, FadersAndDrawbarsFollowThePointerHeight)
{
    struct Case { int style, minimum, maximum; const char* name; float y; int posted; };
    const Case cases[] = {
        { ParameterControl::fader, 0, 127, "Level", 20, 127 },     // a named fader's track sits 14 lower
        { ParameterControl::fader, 0, 127, "Level", 157, 0 },
        { ParameterControl::fader, 0, 127, "Level", 89, 63 },
        { ParameterControl::fader, 0, 127, "Level", 0, 127 },      // above the track: clamped
        { ParameterControl::fader, 0, 127, "Level", 300, 0 },
        { ParameterControl::fader, 0, 127, "", 6, 127 },
        { ParameterControl::fader, 0, 127, "", 75, 63 },
        { ParameterControl::fader, -96, 24, "", 6, 24 },
        { ParameterControl::fader, -96, 24, "", 143, -96 },
        { ParameterControl::fader, -96, 24, "", 50, -15 },
        { ParameterControl::shortFader, 0, 127, "Level", 6, 127 },  // style 10 has no name offset
        { ParameterControl::shortFader, 0, 127, "Level", 143, 0 },
        { ParameterControl::drawbar, 0, 127, "8'", 20, 127 },
        { ParameterControl::drawbar, 0, 127, "8'", 129, 0 },
        { ParameterControl::drawbar, 0, 127, "8'", 74, 64 },
        { ParameterControl::drawbar, 0, 8, "8'", 34, 7 },
        { ParameterControl::drawbar, 0, 8, "8'", 74, 4 },
        { ParameterControl::drawbar, 0, 8, "8'", 129, 0 },
    };
    for (const auto& k : cases)
    {
        recorder.events.clear();
        auto c = make (k.style, k.minimum, k.maximum, 50, 180, k.name);
        const int start = k.posted == k.minimum ? k.maximum : k.minimum;
        c->setValue (start, {});
        KitMouse mouse (*c);
        mouse.down (25, 100);
        EXPECT_TRUE (recorder.events.empty()) << "a press alone moves nothing";
        mouse.drag (25, k.y);
        mouse.up (25, k.y);
        const auto where = ::testing::Message() << "style " << k.style << " " << k.minimum << ".." << k.maximum
                                                << " '" << k.name << "' at y " << k.y;
        ASSERT_EQ (recorder.events.size(), 1u) << where;
        EXPECT_EQ (EditEvent::code (recorder.events[0]), EditEvent::valueDragged);
        EXPECT_EQ (EditEvent::value (recorder.events[0]), k.posted) << where;
        EXPECT_EQ (c->getValue(), start);
    }
}

TEST_F (ParameterControlTest, FaderDragsInUnscaledPixels)
{
    auto c = make (ParameterControl::shortFader, 0, 127, 34, 180, "");
    c->setScale (2.0f);
    EXPECT_EQ (c->getBounds(), juce::Rectangle<int> (0, 0, 68, 360));
    c->setValue (0, {});
    KitMouse mouse (*c);
    mouse.down (30, 200);
    mouse.drag (30, 150);   // 75 unscaled
    EXPECT_EQ (EditEvent::value (*recorder.last()), 63);
    c->setScale (1.0f);
    EXPECT_EQ (c->getBounds(), juce::Rectangle<int> (0, 0, 34, 180));
}

TEST_F (ParameterControlTest, DrawbarOffsetsFollowTheValue)
{
    auto nine = make (ParameterControl::drawbar, 0, 8, 35, 178, "16'");
    const int steps[] = { -3, -14, -25, -36, -46, -55, -67, -78, -91 };
    for (int v = 0; v <= 8; ++v)
    {
        nine->setValue (v, juce::String (v));
        EXPECT_EQ (nine->getFrame(), steps[v]) << v;
    }

    auto full = make (ParameterControl::drawbar, 0, 127, 35, 178, "16'");
    const std::pair<int, int> offsets[] = { { 0, -3 }, { 1, -4 }, { 64, -49 }, { 100, -75 }, { 127, -94 } };
    for (const auto& [v, offset] : offsets)
    {
        full->setValue (v, juce::String (v));
        EXPECT_EQ (full->getFrame(), offset) << v;
    }
}

TEST_F (ParameterControlTest, ValueBoxesArmAboveAndReportBelow)
{
    struct Case { int style, minimum, maximum, shown; float pressY, releaseY; int code, posted; };
    const Case cases[] = {
        { ParameterControl::valueBox, 1, 2048, 17, 20, 20, EditEvent::menuRequest, 17 },
        { ParameterControl::valueBox, 1, 2048, 17, 5, 20, 0, 0 },     // pressed on the name: not armed
        { ParameterControl::valueBox, 1, 2048, 17, 20, 12, 0, 0 },    // released above the bar
        { ParameterControl::cycleBox, 0, 3, 1, 20, 20, EditEvent::chosen, 2 },
        { ParameterControl::cycleBox, 0, 3, 3, 20, 20, EditEvent::chosen, 0 },   // past the maximum: the minimum
        { ParameterControl::cycleBox, 2, 5, 5, 11, 14, EditEvent::chosen, 2 },
        { ParameterControl::nameButton, 0, 2, 0, 5, 5, EditEvent::chosen, 1 },
        { ParameterControl::nameButton, 0, 2, 2, 5, 5, EditEvent::chosen, 0 },
    };
    for (const auto& k : cases)
    {
        recorder.events.clear();
        auto c = make (k.style, k.minimum, k.maximum, 140, 36);
        c->setValue (k.shown, {});
        KitMouse mouse (*c);
        mouse.down (50, k.pressY);
        mouse.up (50, k.releaseY);
        const auto where = ::testing::Message() << "style " << k.style << " at " << k.shown << ", press y "
                                                << k.pressY << ", release y " << k.releaseY;
        if (k.code == 0)
        {
            EXPECT_TRUE (recorder.events.empty()) << where;
            continue;
        }
        ASSERT_EQ (recorder.events.size(), 1u) << where;
        EXPECT_EQ (EditEvent::code (recorder.events[0]), k.code) << where;
        EXPECT_EQ (EditEvent::value (recorder.events[0]), k.posted) << where;
        EXPECT_EQ (c->getValue(), k.shown);
    }

    // A name button released outside itself changes nothing.
    recorder.events.clear();
    auto c = make (ParameterControl::nameButton, 0, 2, 34, 11);
    c->setValue (0, {});
    KitMouse mouse (*c);
    mouse.down (5, 5);
    mouse.up (50, 5);
    EXPECT_TRUE (recorder.events.empty());
}

TEST_F (ParameterControlTest, EventsCarryTheControlsIdentity)
{
    auto c = make (ParameterControl::knob, -64, 64);
    c->setup ("Pan", 2313, 54, 76, 0, 0, -64, 64, ParameterControl::knob);
    c->setSubKind (0xfff);
    c->setChannel (15);
    c->setValue (-63, "L63");
    KitMouse (*c).wheel (-1.0f);

    const auto e = *recorder.last();
    EXPECT_EQ (e, 0x0007'0909'FFF'F'FFC0ull) << std::hex << e;
    EXPECT_EQ (EditEvent::code (e), 7);
    EXPECT_EQ (EditEvent::slot (e), 2313);
    EXPECT_EQ (EditEvent::subKind (e), 0xfff);
    EXPECT_EQ (EditEvent::channel (e), 15);
    EXPECT_EQ (EditEvent::value (e), -64);

    // Fields never spill into their neighbours.
    const auto f = EditEvent::make (1, 0, 0x1abc, 0x13, 0);
    EXPECT_EQ (EditEvent::code (f), 1);
    EXPECT_EQ (EditEvent::subKind (f), 0xabc);
    EXPECT_EQ (EditEvent::channel (f), 3);
    EXPECT_EQ (EditEvent::value (f), 0);
    EXPECT_EQ (EditEvent::value (EditEvent::make (0, 0, 0, 0, 32767)), 32767);
}

TEST_F (ParameterControlTest, ListenersAreCalledOnceEachFromTheLastRegistered)
{
    struct Named : ParameterControlListener
    {
        Named (int i, std::vector<int>& o) : id (i), order (o) {}
        void controlEvent (ParameterControl* c, juce::uint64) override
        {
            order.push_back (id);
            if (removeOnCall != nullptr)
                c->removeListener (removeOnCall);
        }
        int id;
        std::vector<int>& order;
        ParameterControlListener* removeOnCall = nullptr;
    };

    std::vector<int> order;
    Named a (1, order), b (2, order), d (3, order);
    ParameterControl c;
    c.setup ("X", 1, 74, 80, 0, 0, 0, 127, ParameterControl::knob);
    c.addListener (&a);
    c.addListener (&b);
    c.addListener (&a);
    c.addListener (&d);
    c.post (EditEvent::valueDragged, 5);
    EXPECT_EQ (order, (std::vector<int> { 3, 2, 1 }));

    order.clear();
    c.removeListener (&b);
    c.post (EditEvent::valueDragged, 6);
    EXPECT_EQ (order, (std::vector<int> { 3, 1 }));

    // A listener that removes a later one during the call: that one is not called.
    order.clear();
    d.removeOnCall = &a;
    c.post (EditEvent::valueDragged, 7);
    EXPECT_EQ (order, (std::vector<int> { 3 }));
}

TEST_F (ParameterControlTest, EveryStyleHasATooltipNamingItAndShowingItsValue)
{
    struct Case
    {
        int style, minimum, maximum;
        const char* name;
        int value;
        const char* text;
        const char* tooltip;
    };
    const Case cases[] = {
        { ParameterControl::knob, 0, 127, "Cutoff", 64, "64", "Cutoff: 64" },
        { ParameterControl::fixedKnob, -64, 64, "PAN", 0, "C", "PAN: C" },
        { ParameterControl::fader, -96, 24, "Level", -6, "-6 dB", "Level: -6 dB" },
        { ParameterControl::shortFader, 0, 127, "Vol", 100, "", "Vol: 100" },   // no text: the number
        { ParameterControl::drawbar, 0, 8, "8'", 3, "3", "8': 3" },
        { ParameterControl::switchBeside, 0, 1, "INSERT", 1, "ON", "INSERT: ON" },
        { ParameterControl::switchAbove, 0, 1, "AUX 1", 0, "OFF", "AUX 1: OFF" },
        { ParameterControl::twoStateButton, 0, 1, "Hold", 1, "ON", "Hold: ON" },
        { ParameterControl::valueBox, 0, 20, "Curve", 2, "Soft", "Curve: Soft" },
        { ParameterControl::cycleBox, 0, 3, "Mode", 1, "Poly", "Mode: Poly" },
        { ParameterControl::lamp, 0, 1, "Link", 1, "ON", "Link: ON" },
        { ParameterControl::tag, 0, 50, "FX", 7, "Chorus", "FX: Chorus" },
        { ParameterControl::knob, 0, 127, "", 5, "5", "5" },   // nothing to name it by
    };
    for (const auto& k : cases)
    {
        auto c = make (k.style, k.minimum, k.maximum, 60, 80, k.name);
        c->setValue (k.value, k.text);
        auto* client = dynamic_cast<juce::TooltipClient*> (c.get());
        ASSERT_NE (client, nullptr) << "style " << k.style;
        EXPECT_EQ (client->getTooltip(), k.tooltip) << "style " << k.style;
    }

    // A name button shows the value's name; a control named only by its second label uses it.
    auto names = make (ParameterControl::nameButton, 0, 2, 60, 40, "Wave");
    names->setValueNames ({ "SINE", "SAW", "SQUARE" });
    names->setValue (1, {});
    auto* client = dynamic_cast<juce::TooltipClient*> (names.get());
    ASSERT_NE (client, nullptr);
    EXPECT_EQ (client->getTooltip(), "Wave: SAW");
    auto labelled = make (ParameterControl::knob, 0, 127, 60, 80, "");
    labelled->setSecondLabel ("Reverb");
    labelled->setValue (30, "30");
    EXPECT_EQ (dynamic_cast<juce::TooltipClient&> (*labelled).getTooltip(), "Reverb: 30");
}

TEST_F (ParameterControlTest, ADoubleClickReportsTheDefaultAsADragOnKnobsFadersAndDrawbarsOnly)
{
    struct Case
    {
        int style, minimum, maximum, value;
        std::vector<int> posted;   // values reported as drags
    };
    const Case cases[] = {
        { ParameterControl::knob, 0, 127, 90, { 0 } },
        { ParameterControl::knob, -64, 64, -30, { 0 } },       // a pan's default: the middle
        { ParameterControl::fixedKnob, 0, 127, 1, { 0 } },
        { ParameterControl::fader, -96, 24, 24, { 0 } },        // a level's default: 0 dB
        { ParameterControl::shortFader, 0, 127, 127, { 0 } },
        { ParameterControl::drawbar, 0, 8, 8, { 0 } },
        { ParameterControl::knob, 0, 127, 0, {} },              // at its default already
        { ParameterControl::knob, 10, 20, 15, { 10 } },          // a range without 0: its nearest end
    };
    for (const auto& k : cases)
    {
        recorder.events.clear();
        auto c = make (k.style, k.minimum, k.maximum, 50, 180, "Level");
        c->setValue (k.value, {});
        zd8test::doubleClick (*c, 25, 100);
        std::vector<int> posted;
        for (auto e : recorder.events)
        {
            EXPECT_EQ (EditEvent::code (e), EditEvent::valueDragged);
            EXPECT_EQ (EditEvent::slot (e), 300);
            posted.push_back (EditEvent::value (e));
        }
        EXPECT_EQ (posted, k.posted) << "style " << k.style << " " << k.minimum << ".." << k.maximum << " at " << k.value;
        EXPECT_EQ (c->getValue(), k.value) << "the owner shows the new value";
    }

    // Switches, boxes, lamps and name buttons keep their own clicks: a double-click adds
    // no drag (a switch toggles once per press, as before).
    for (int style : { ParameterControl::switchBeside, ParameterControl::switchAbove, ParameterControl::twoStateButton,
                       ParameterControl::valueBox, ParameterControl::cycleBox, ParameterControl::lamp,
                       ParameterControl::tag, ParameterControl::nameButton })
    {
        recorder.events.clear();
        auto c = make (style, 0, 5, 60, 40, "X");
        c->setValue (3, {});
        zd8test::doubleClick (*c, 5, 20);
        for (auto e : recorder.events)
            EXPECT_NE (EditEvent::code (e), EditEvent::valueDragged) << "style " << style;
    }
}

TEST_F (ParameterControlTest, APanelOfEveryStyleRendersLikeItsReference)
{
    juce::Component panel;
    panel.setSize (500, 200);
    panel.setOpaque (true);
    struct Backdrop : juce::Component
    {
        void paint (juce::Graphics& g) override { g.fillAll (juce::Colour (0xff1b1c20)); }
    } backdrop;
    backdrop.setBounds (panel.getLocalBounds());
    panel.addAndMakeVisible (backdrop);

    std::vector<std::unique_ptr<ParameterControl>> controls;
    auto add = [&] (const char* name, int x, int y, int w, int h, int mn, int mx, int style, int v, const char* text) -> ParameterControl& {
        auto c = std::make_unique<ParameterControl>();
        c->setup (name, 0, w, h, x, y, mn, mx, style);
        c->setValue (v, text);
        panel.addAndMakeVisible (*c);
        controls.push_back (std::move (c));
        return *controls.back();
    };
    add ("Insert", 10, 10, 140, 36, 1, 2048, ParameterControl::valueBox, 17, "Hall Reverb");
    add ("Mode", 10, 54, 140, 36, 0, 3, ParameterControl::cycleBox, 1, "Poly");
    add ("Hold", 10, 100, 90, 14, 0, 1, ParameterControl::switchBeside, 1, {});
    add ("Mono", 100, 98, 40, 28, 0, 1, ParameterControl::switchAbove, 0, {});
    add ("Brake", 10, 130, 52, 34, 0, 127, ParameterControl::twoStateButton, 127, {});
    add ("Cutoff", 160, 10, 74, 80, 0, 127, ParameterControl::knob, 100, "100");
    add ("Pan", 160, 100, 74, 80, -64, 64, ParameterControl::fixedKnob, 0, "C");
    add ("Level", 250, 10, 50, 180, -96, 24, ParameterControl::fader, -10, "-10 dB");
    add ("", 310, 10, 34, 180, 0, 127, ParameterControl::shortFader, 90, "90");
    add ("8'", 360, 10, 35, 178, 0, 127, ParameterControl::drawbar, 80, "80").setDrawbarPicture (1);
    add ("", 70, 140, 17, 11, 0, 1, ParameterControl::lamp, 1, {});
    add ("MIDI", 70, 156, 60, 11, 0, 1, ParameterControl::lampAlt, 0, {});
    add ("Aux 1", 410, 10, 54, 26, 1, 2048, ParameterControl::tag, 3, "Plate").setValueColour (juce::Colour (0xaacacaca));
    auto& routing = add ("", 420, 50, 34, 11, 0, 2, ParameterControl::nameButton, 1, {});
    routing.setValueNames ({ "PRG", "PRE", "POST" });

    const auto render = zd8test::renderComponent (panel);
    EXPECT_EQ (render.getBounds(), panel.getLocalBounds());
    const auto difference = zd8test::compareWithReference (panel, "kit_controls");
    EXPECT_TRUE (difference.isEmpty()) << difference;
}

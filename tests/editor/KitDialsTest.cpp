#include "editor/kit/BigKnob.h"
#include "editor/kit/ChannelMonitor.h"
#include "editor/KitMouse.h"
#include "editor/KitDoubleClick.h"
#include "editor/kit/RateSlider.h"
#include "editor/kit/NoteMeter.h"
#include "editor/kit/WheelControl.h"

#include <gtest/gtest.h>

using namespace zd8;
using zd8test::ChangeCounter;
using zd8test::KitMouse;

TEST (BigKnob, FramesStopAtTheLastPicture)
{
    const std::pair<int, int> cases[] = { { 0, 0 }, { 1, 1 }, { 17, 17 }, { 34, 34 }, { 35, 35 } };
    for (const auto& [value, frame] : cases)
        EXPECT_EQ (BigKnob::frameFor (value), frame) << "value " << value;
}

TEST (BigKnob, DragTakesThePointersAngleClockwiseFromStraightDown)
{
    struct Case { float x, y; int expected; };
    const Case cases[] = {
        { 50, 95, 0 },     // straight down
        { 5, 50, 8 },      // left: 90 degrees
        { 50, 5, 17 },     // straight up: 180 degrees
        { 49, 5, 17 },     // just before up
        { 51, 5, 17 },     // just after up
        { 95, 50, 26 },    // right: 270 degrees
        { 51, 95, 34 },    // nearly a full turn
        { 50, 50, 0 },     // the centre itself
    };
    for (const auto& c : cases)
        EXPECT_EQ (BigKnob::valueAt (c.x, c.y), c.expected) << c.x << ", " << c.y;

    BigKnob knob;
    ChangeCounter changes (knob);
    KitMouse mouse (knob);
    mouse.down (50, 5);
    EXPECT_EQ (knob.getValue(), 0) << "a press alone turns nothing";
    mouse.drag (50, 5);
    EXPECT_EQ (knob.getValue(), 17);
    EXPECT_EQ (knob.getDirection(), 1);
    mouse.drag (5, 50);
    EXPECT_EQ (knob.getValue(), 8);
    EXPECT_EQ (knob.getDirection(), -1);
    mouse.drag (6, 50);   // same value: no message
    mouse.up (6, 50);
    EXPECT_EQ (changes.flush(), 1);
}

TEST (BigKnob, WheelWrapsAroundBothEnds)
{
    BigKnob knob;
    ChangeCounter changes (knob);
    KitMouse mouse (knob);

    knob.setValue (35);
    changes.flush();
    mouse.wheel (0.2f);
    EXPECT_EQ (knob.getValue(), 0);
    EXPECT_EQ (knob.getPreviousValue(), 35);
    mouse.wheel (-0.2f);
    EXPECT_EQ (knob.getValue(), 35);
    EXPECT_EQ (knob.getDirection(), 1);
    EXPECT_EQ (changes.flush(), 1);

    mouse.wheel (0.0f);   // sideways only
    EXPECT_EQ (knob.getValue(), 35);
    knob.setValue (36);
    knob.setValue (-1);
    knob.setValue (35);
    EXPECT_EQ (knob.getValue(), 35);
    EXPECT_EQ (changes.flush(), 0);
}

TEST (WheelControl, FramesDragAndWheel)
{
    const std::pair<int, int> frames[] = { { 0, 0 }, { 3, 0 }, { 4, 1 }, { 63, 16 }, { 64, 17 }, { 127, 34 }, { 500, 34 } };
    for (const auto& [value, frame] : frames)
        EXPECT_EQ (WheelControl::frameFor (value), frame) << "value " << value;

    WheelControl modulation;
    modulation.setBounds (136, 45, 31, 112);
    ChangeCounter changes (modulation);
    KitMouse mouse (modulation);

    modulation.setValue (20);
    EXPECT_EQ (changes.flush(), 0) << "the owner's value is not announced";
    mouse.down (10, 60);
    mouse.drag (10, 50);
    EXPECT_EQ (modulation.getValue(), 30) << "one step per pixel, up is more";
    mouse.drag (10, 200);
    EXPECT_EQ (modulation.getValue(), 0);
    mouse.up (10, 200);
    EXPECT_EQ (modulation.getValue(), 0) << "no spring";
    EXPECT_EQ (changes.flush(), 1);

    mouse.wheel (-1.0f);
    EXPECT_EQ (changes.flush(), 0) << "already at the bottom";
    mouse.wheel (1.0f);
    EXPECT_EQ (modulation.getValue(), 1);
    EXPECT_EQ (changes.flush(), 1);
}

TEST (WheelControl, SpringWheelReturnsToTheMiddleOnRelease)
{
    WheelControl pitch (true);
    ChangeCounter changes (pitch);
    KitMouse mouse (pitch);
    EXPECT_EQ (pitch.getValue(), 64);

    mouse.down (10, 100);
    mouse.drag (10, 0);
    EXPECT_EQ (pitch.getValue(), 127);
    EXPECT_EQ (changes.flush(), 1);
    mouse.up (10, 0);
    EXPECT_EQ (pitch.getValue(), 64);
    EXPECT_EQ (changes.flush(), 1) << "the return is reported";

    mouse.click (10, 10);   // a click at rest changes nothing
    EXPECT_EQ (changes.flush(), 0);
}

TEST (WheelControl, ADoubleClickReturnsTheWheelToItsRestAndAnnouncesIt)
{
    struct Case { bool spring; int from, rest; };
    const Case cases[] = { { false, 100, 0 }, { false, 0, 0 }, { true, 64, 64 } };
    for (const auto& c : cases)
    {
        WheelControl wheel (c.spring);
        ChangeCounter changes (wheel);
        wheel.setValue (c.from);
        zd8test::doubleClick (wheel, 10, 60);
        EXPECT_EQ (wheel.getValue(), c.rest) << (c.spring ? "pitch" : "modulation") << " from " << c.from;
        EXPECT_EQ (changes.flush() > 0, c.from != c.rest) << (c.spring ? "pitch" : "modulation") << " from " << c.from;
    }
}

TEST (RateSlider, ADoubleClickReturnsItToItsDefaultAndAnnouncesIt)
{
    RateSlider slider;
    slider.setBounds (0, 0, 200, 18);
    slider.setRange (0, 250);
    ChangeCounter changes (slider);
    slider.setValue (120);
    zd8test::doubleClick (slider, 90, 9);
    EXPECT_EQ (slider.getValue(), 0) << "no delay";
    EXPECT_GT (changes.flush(), 0);
}

TEST (KitDials, TooltipsNameEachDialAndShowItsValue)
{
    BigKnob knob;
    knob.setValue (12);
    WheelControl pitch (true), modulation;
    modulation.setValue (33);
    RateSlider slider;
    slider.setValue (15);

    const std::pair<juce::Component*, const char*> cases[] = {
        { &knob, "Data knob (turn to step through the list): 12" },
        { &pitch, "Pitch wheel: 64" },
        { &modulation, "Modulation wheel: 33" },
        { &slider, "Delay: 15 ms" },
    };
    for (const auto& [component, expected] : cases)
    {
        auto* client = dynamic_cast<juce::TooltipClient*> (component);
        ASSERT_NE (client, nullptr) << expected;
        EXPECT_EQ (client->getTooltip(), expected);
    }
}

TEST (NoteMeter, PeakFallsEightPerTickAndStopsBelowFive)
{
    NoteMeter meter;
    EXPECT_FALSE (meter.isFalling());

    meter.setPeak (100);
    EXPECT_TRUE (meter.isFalling());
    EXPECT_FLOAT_EQ (meter.barTop(), 107.0f - 100 * 0.8359375f);
    int ticks = 0;
    while (meter.isFalling() && ticks < 100)
    {
        meter.tick();
        ++ticks;
    }
    EXPECT_EQ (ticks, 12);   // 100 - 11 * 8 = 12, then 4 is below 5
    EXPECT_EQ (meter.getPeak(), 0);

    meter.setPeak (13);
    meter.tick();
    EXPECT_EQ (meter.getPeak(), 5) << "5 is not below 5";
    EXPECT_TRUE (meter.isFalling());
    meter.tick();
    EXPECT_EQ (meter.getPeak(), 0);
    EXPECT_FALSE (meter.isFalling());

    meter.setPeak (300);
    EXPECT_EQ (meter.getPeak(), 127);
    meter.setPeak (0);
    EXPECT_FALSE (meter.isFalling());
}

TEST (ChannelMonitor, EntriesLevelsScaleAndPress)
{
    const std::pair<int, int> levels[] = { { 0, 0 }, { 1, 0 }, { 2, 1 }, { 14, 1 }, { 15, 2 },
                                           { 112, 8 }, { 113, 9 }, { 126, 9 }, { 127, 10 } };
    for (const auto& [value, strip] : levels)
        EXPECT_EQ (ChannelMonitor::levelStrip (value), strip) << "value " << value;

    ChannelMonitor monitor (4);
    EXPECT_EQ (monitor.getBounds(), juce::Rectangle<int> (0, 0, 230, 80));
    monitor.setPageScale (1.5f);
    EXPECT_EQ (monitor.getWidth(), 345);
    EXPECT_EQ (monitor.getHeight(), 120);
    monitor.setPageScale (1.0f);

    EXPECT_EQ (monitor.getEntry (ChannelMonitor::pitchEntry), 64);
    EXPECT_EQ (monitor.getEntry (0), 0);
    monitor.setEntry (3, 200);
    monitor.setEntry (ChannelMonitor::modulationEntry, -4);
    monitor.setEntry (13, 50);   // no such entry
    EXPECT_EQ (monitor.getEntry (3), 127);
    EXPECT_EQ (monitor.getEntry (ChannelMonitor::modulationEntry), 0);
    EXPECT_EQ (monitor.getEntry (13), 0);

    // Each shown entry repaints a part of its own, apart from every other entry's.
    std::vector<juce::Rectangle<int>> parts;
    for (int entry : { 0, 1, 2, 3, 4, 5, 6, 7, 8, 11, 12 })
        parts.push_back (monitor.entryArea (entry));
    for (size_t i = 0; i < parts.size(); ++i)
    {
        EXPECT_FALSE (parts[i].isEmpty());
        EXPECT_TRUE (monitor.getLocalBounds().contains (parts[i])) << parts[i].toString();
        for (size_t j = i + 1; j < parts.size(); ++j)
            EXPECT_FALSE (parts[i].intersects (parts[j])) << parts[i].toString() << " / " << parts[j].toString();
    }
    EXPECT_TRUE (monitor.entryArea (9).isEmpty());

    ChangeCounter changes (monitor);
    KitMouse mouse (monitor);
    mouse.click (100, 40);
    EXPECT_EQ (changes.flush(), 1);
    EXPECT_EQ (monitor.getChannel(), 4);
}

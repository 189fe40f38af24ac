#include "editor/kit/CheckButton.h"
#include "editor/KitMouse.h"
#include "editor/kit/KitButton.h"
#include "editor/kit/KitLabel.h"

#include <gtest/gtest.h>

using namespace zd8;
using zd8test::KitMouse;

namespace
{
    struct Report
    {
        int listener, identifier;
        KitButton::ReportKind kind;
        bool operator== (const Report& o) const
        {
            return listener == o.listener && identifier == o.identifier && kind == o.kind;
        }
    };

    struct ButtonLog : KitButtonListener
    {
        ButtonLog (int i, std::vector<Report>& r) : id (i), reports (r) {}
        void buttonPressed (KitButton* b, int identifier) override { reports.push_back ({ id, identifier, b->getReportKind() }); }
        int id;
        std::vector<Report>& reports;
    };

    struct ChangeCount : juce::ChangeListener
    {
        void changeListenerCallback (juce::ChangeBroadcaster*) override { ++count; }
        int count = 0;
    };

    constexpr auto press = KitButton::ReportKind::press;
    constexpr auto entered = KitButton::ReportKind::pointerEntered;
    constexpr auto left = KitButton::ReportKind::pointerLeft;
} // namespace

TEST (KitButton, ReportsAPressOrAReleaseInsideInReleaseMode)
{
    std::vector<Report> reports;
    ButtonLog log (1, reports);
    KitButton b ("Enter", 100, 7, 13.0f);
    b.setSize (44, 34);
    b.addListener (&log);
    KitMouse mouse (b);

    mouse.down (10, 10);
    EXPECT_EQ (reports, (std::vector<Report> { { 1, 100, press } }));
    mouse.up (10, 10);
    EXPECT_EQ (reports.size(), 1u) << "the release adds nothing";

    reports.clear();
    b.setReleaseMode (true);
    mouse.down (10, 10);
    EXPECT_TRUE (reports.empty());
    mouse.up (60, 10);
    EXPECT_TRUE (reports.empty()) << "released outside: cancelled";
    mouse.down (10, 10);
    mouse.up (40, 30);
    EXPECT_EQ (reports, (std::vector<Report> { { 1, 100, press } }));
    mouse.up (40, 30);
    EXPECT_EQ (reports.size(), 1u) << "a release without a press reports nothing";

    // The pointer passing over an ordinary button reports nothing.
    reports.clear();
    mouse.enter (1, 1);
    mouse.exit (-1, -1);
    EXPECT_TRUE (reports.empty());
}

TEST (KitButton, Identifier777AlsoReportsEnterAndLeave)
{
    std::vector<Report> reports;
    ButtonLog log (1, reports);
    KitButton b ("?", KitButton::hoverIdentifier);
    b.setSize (40, 20);
    b.addListener (&log);
    KitMouse mouse (b);

    mouse.enter (1, 1);
    mouse.down (5, 5);
    mouse.up (5, 5);
    mouse.exit (-1, -1);
    EXPECT_EQ (reports, (std::vector<Report> { { 1, 777, entered }, { 1, 777, press }, { 1, 777, left } }));
    EXPECT_EQ (b.getReportKind(), press) << "outside a report the kind reads as a press";
}

TEST (KitButton, ListenersAreCalledOnceEachFromTheLastRegistered)
{
    std::vector<Report> reports;
    ButtonLog a (1, reports), c (2, reports), d (3, reports);
    KitButton b ("CLOSE", 5);
    b.setSize (60, 36);
    b.addListener (&a);
    b.addListener (&c);
    b.addListener (&a);
    b.addListener (&d);
    b.removeListener (&c);
    KitMouse (b).click (5, 5);
    EXPECT_EQ (reports, (std::vector<Report> { { 3, 5, press }, { 1, 5, press } }));
}

TEST (KitButton, OnStateAndTextsAreTheOwners)
{
    KitButton b ("ALL", 200);
    b.setSize (74, 34);
    KitMouse (b).click (5, 5);
    EXPECT_FALSE (b.isOn()) << "a press does not switch a button on by itself";
    b.setOn (true);
    EXPECT_TRUE (b.isOn());
    b.setText ("USER");
    EXPECT_EQ (b.getText(), "USER");
    EXPECT_EQ (b.getIdentifier(), 200);
}

TEST (CheckButton, APressTogglesAndSendsTheChangeMessage)
{
    CheckButton box ("Send MIDI clock");
    box.setSize (200, 16);
    ChangeCount changes;
    box.addChangeListener (&changes);
    KitMouse mouse (box);

    mouse.click (5, 5);
    box.dispatchPendingMessages();
    EXPECT_TRUE (box.isChecked());
    EXPECT_EQ (changes.count, 1);

    mouse.click (150, 8);   // the label is part of the box
    box.dispatchPendingMessages();
    EXPECT_FALSE (box.isChecked());
    EXPECT_EQ (changes.count, 2);

    box.setChecked (true);
    box.dispatchPendingMessages();
    EXPECT_TRUE (box.isChecked());
    EXPECT_EQ (changes.count, 2) << "setting it from code sends nothing";
    box.removeChangeListener (&changes);
}

TEST (KitLabel, APressSendsTheChangeMessage)
{
    KitLabel label ("44100 Hz", 12.0f);
    label.setSize (60, 14);
    ChangeCount changes;
    label.addChangeListener (&changes);

    KitMouse (label).down (3, 3);
    label.dispatchPendingMessages();
    EXPECT_EQ (changes.count, 1);

    label.setText ("48000 Hz");
    EXPECT_EQ (label.getText(), "48000 Hz");
    label.dispatchPendingMessages();
    EXPECT_EQ (changes.count, 1) << "a text from code is not a user action";
    label.removeChangeListener (&changes);
}

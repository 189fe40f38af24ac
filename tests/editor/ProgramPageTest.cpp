// The program page: layouts built from a program's mode byte and its FX parameter
// lists, the chooser's keypad and buttons, control events, the 50 ms rebuild, and a
// program chosen on the page reaching the instrument simulator.

#include "editor/shell/TabBar.h"
#include "editor/kit/EditEvent.h"
#include "editor/shell/MainPanel.h"
#include "editor/kit/Pictures.h"
#include "editor/shell/VantorAudioProcessorEditor.h"
#include "editor/pages/ProgramPage.h"
#include "model/ProgramStore.h"
#include "plugin/VantorAudioProcessor.h"
#include "support/PluginRig.h"
#include "support/RenderCheck.h"

#include <gtest/gtest.h>

using namespace zd8;
using zd8test::PluginRig;

namespace
{
    constexpr int pageWidth = 996, pageHeight = 584;
    constexpr int tw7 = ProgramStore::modeTw7;

    struct Assign
    {
        int subSystem;   // 1 Synth, 4 Prg Insert, 2 Aux 1, 3 Aux 2
        int controller;
    };

    juce::MouseEvent mouseAt (juce::Component& c, float x, float y)
    {
        const auto now = juce::Time::getCurrentTime();
        return { juce::Desktop::getInstance().getMainMouseSource(), { x, y }, {}, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f,
                 &c, &c, now, { x, y }, now, 1, false };
    }

    struct Recorder : ProgramPageListener
    {
        void programPageEvent (juce::uint64 e) override { events.push_back (e); }
        std::vector<juce::uint64> events;
    };

    juce::uint64 listEvent (int code, int channel, int program)
    {
        return EditEvent::make (code, 11, 11, channel, program);
    }

    struct ProgramPageTest : ::testing::Test
    {
        PluginRig rig;
        VantorAudioProcessor processor { rig.environment };
        ControllerState& hub = processor.getHub();
        ProgramPage page { processor.getEditorConnection() };

        void SetUp() override
        {
            rig.settle();
            page.open (0, 0, 0, pageWidth, pageHeight);
        }

        /** Makes program id a copy of a built-in program with the given mode byte, main
            category and controller assignments, all naming one parameter "Filter Cutoff". */
        void putProgram (int id, int mode, int category, std::vector<Assign> assigns)
        {
            // An assignment list under 20 bytes is not read at all: fill it up with
            // entries of sub-system 0, which no FX parameter list takes.
            while (! assigns.empty() && assigns.size() < 4)
                assigns.push_back ({ 0, 100 });
            auto& image = hub.getImage();
            const juce::ScopedWriteLock wl (image.getStoreLock());
            auto& programs = image.getPrograms();
            const auto base = programs.readRecord (1);
            const auto v = ProgramStore::layerAreaEndOf (base);
            ASSERT_LE (v, base.getSize());

            juce::MemoryOutputStream out;
            out.write (base.getData(), v);
            // Name list: identifier, one entry (ID 1, value 0, name).
            const juce::String name = "Filter Cutoff";
            out.writeShortBigEndian (1);
            out.writeShortBigEndian (1);
            out.writeShortBigEndian (0);
            out.writeShortBigEndian (1);
            out.writeShortBigEndian (0);
            out.writeShortBigEndian ((short) name.length());
            out.write (name.toRawUTF8(), (size_t) name.length());
            // Assignment list: identifier, count, entries (sub-system, parameter, value, controller).
            out.writeShortBigEndian (1);
            out.writeShortBigEndian ((short) assigns.size());
            for (auto& a : assigns)
            {
                out.writeByte ((char) a.subSystem);
                out.writeByte (1);
                out.writeByte (0);
                out.writeByte ((char) a.controller);
            }
            juce::MemoryBlock record (out.getData(), out.getDataSize());
            record[(size_t) ProgramStore::modeOffset] = (char) mode;
            record[(size_t) ProgramStore::mainCategoryOffset] = (char) category;
            programs.replaceRecord (id, record);
        }

        void choose (int program, int channel = 0)
        {
            hub.selectProgram (program, channel);
            page.showProgram (channel, program);
        }

        std::vector<int> shownControllers()
        {
            std::vector<int> ccs;
            for (int i = 0; i < page.getControlCount(); ++i)
                if (hub.getParameters().displayKind (page.getControl (i)->getSlot()) == ParameterTable::displayController)
                    ccs.push_back (hub.getParameters().controller (page.getControl (i)->getSlot()));
            return ccs;
        }

        void press (const juce::String& caption)
        {
            auto* b = page.getChooser().findButton (caption);
            ASSERT_NE (b, nullptr) << caption;
            page.getChooser().buttonPressed (b, b->getIdentifier());
        }

        void type (const juce::String& keys)
        {
            for (auto c : keys)
                press (juce::String::charToString (c));
        }
    };

    std::vector<Assign> synth (std::initializer_list<int> ccs)
    {
        std::vector<Assign> a;
        for (int cc : ccs)
            a.push_back ({ 1, cc });
        return a;
    }
}

//==============================================================================
TEST_F (ProgramPageTest, ModeByteChoosesTheOrganOrTheStandardLayout)
{
    struct Case
    {
        int mode, category, layoutCode;
        const char* modeText;
    };
    const Case cases[] = { { tw7, 4, 99, "TW7" }, { 0x00, 7, 7, "LAYRA" }, { 0x77, 4, 4, "LAYRA" }, { 0x79, 1, 1, "LAYRA" } };

    int id = 100;
    for (auto& c : cases)
    {
        putProgram (++id, c.mode, c.category, synth ({ 74 }));
        choose (id);
        SCOPED_TRACE (c.modeText);
        EXPECT_EQ (page.getLayoutCode(), c.layoutCode);
        EXPECT_EQ (page.getDisplay().getNumber(), id);
        const bool organ = c.mode == tw7;
        // Seven mix controls, nine drawbars and nine switches in the organ layout.
        ASSERT_EQ (page.getControlCount(), (organ ? 25 : 7) + 1);
        EXPECT_EQ (page.getControl (7)->getStyle() == ParameterControl::drawbar, organ);
    }
}

TEST_F (ProgramPageTest, StandardLayoutPlacesMixControlsAndFillsTheGridInListOrder)
{
    // Assignments in the record's order: Aux 2, Synth, Aux 1, Prg Insert; the page shows
    // list 1 (Synth), then Prg Insert, Aux 1, Aux 2.
    putProgram (101, 0, 1, { { 3, 70 }, { 1, 71 }, { 2, 72 }, { 4, 73 }, { 1, 64 }, { 1, 71 } });
    choose (101);

    struct Expected
    {
        const char* name;
        int row, x, y, w, h, style;
    };
    const Expected header[] = {
        { "Level", 10, 320, 10, 50, 180, 4 },  { "Pan", 9, 390, 115, 60, 80, 3 },
        { "Insert", 0, 480, 10, 140, 36, 0 },  { "Aux 1 FX", 3, 480, 65, 140, 36, 0 },
        { "Aux 1 Send", 4, 520, 115, 60, 80, 3 }, { "Aux 2 FX", 6, 650, 65, 140, 36, 0 },
        { "Aux 2 Send", 7, 690, 115, 60, 80, 3 },
    };
    auto& table = hub.getParameters();
    for (int i = 0; i < 7; ++i)
    {
        auto* c = page.getControl (i);
        const int slot = ParameterTable::programSlot (0, header[i].row);
        EXPECT_EQ (c->getSlot(), slot) << header[i].name;
        EXPECT_EQ (c->getBounds(), juce::Rectangle<int> (header[i].x, header[i].y, header[i].w, header[i].h)) << header[i].name;
        EXPECT_EQ (c->getStyle(), header[i].style) << header[i].name;
        EXPECT_EQ (c->getMinimum(), table.minimum (slot));
        EXPECT_EQ (c->getMaximum(), table.maximum (slot));
        EXPECT_EQ (c->getValue(), table.value (slot));
    }

    EXPECT_EQ (shownControllers(), (std::vector<int> { 71, 64, 73, 72, 70 })) << "each controller once, lists in order";
    // 64 is a switch: style 13, 50 high; the others are knobs.
    EXPECT_EQ (page.getControl (8)->getStyle(), ParameterControl::twoStateButton);
    EXPECT_EQ (page.getControl (8)->getBounds(), juce::Rectangle<int> (108, 230, 74, 50));
    EXPECT_EQ (page.getControl (7)->getStyle(), ParameterControl::knob);
    EXPECT_EQ (page.getControl (7)->getBounds(), juce::Rectangle<int> (20, 230, 74, 80));
    EXPECT_EQ (page.getControl (7)->getName2(), "Filter Cutoff");
    EXPECT_EQ (page.getControl (7)->getMaximum(), 127);
}

TEST_F (ProgramPageTest, GridWrapsAfterElevenAndCutsAtFiftyControls)
{
    // 11 controllers fill one row from x 20 to 900; the 12th starts the row at y 320.
    std::vector<Assign> twelve;
    for (int cc = 40; cc < 52; ++cc)
        twelve.push_back ({ 1, cc });
    putProgram (101, 0, 1, std::vector<Assign> (twelve.begin(), twelve.begin() + 11));
    choose (101);
    ASSERT_EQ (page.getControlCount(), 18);
    for (int i = 0; i < 11; ++i)
        EXPECT_EQ (page.getControl (7 + i)->getBounds().getPosition(), juce::Point<int> (20 + 88 * i, 230));

    putProgram (102, 0, 1, twelve);
    choose (102);
    ASSERT_EQ (page.getControlCount(), 19);
    EXPECT_EQ (page.getControl (18)->getBounds().getPosition(), juce::Point<int> (20, 320));

    // 45 controllers: 25 of the Synth list, then 20 of the Aux 1 list; only the first 43
    // in list order are shown.
    std::vector<Assign> many;
    std::vector<int> expected;
    for (int cc = 1; cc <= 20; ++cc)
        many.push_back ({ 2, cc });
    for (int cc = 33; cc <= 57; ++cc)
    {
        many.push_back ({ 1, cc });
        expected.push_back (cc);
    }
    for (int cc = 1; cc <= 18; ++cc)
        expected.push_back (cc);
    putProgram (103, 0, 1, many);
    choose (103);
    EXPECT_EQ (page.getControlCount(), 50);
    EXPECT_EQ (shownControllers(), expected);
    EXPECT_EQ (page.getControl (49)->getBounds().getPosition(), juce::Point<int> (20 + 88 * 9, 230 + 90 * 3));
}

TEST_F (ProgramPageTest, OrganLayoutShowsDrawbarsSwitchesAndTheOtherControllers)
{
    // 12 (a drawbar) and 80 (an organ switch) are not repeated; sustain stays a generic
    // switch-height control.
    putProgram (101, tw7, 4, synth ({ 12, 64, 80, 74 }));
    choose (101);
    ASSERT_EQ (page.getControlCount(), 27);
    EXPECT_EQ (page.getLayoutCode(), ProgramPage::organLayoutCode);

    EXPECT_EQ (page.getControl (0)->getBounds(), juce::Rectangle<int> (10, 200, 50, 180));   // Level
    EXPECT_EQ (page.getControl (1)->getBounds(), juce::Rectangle<int> (5, 400, 60, 80));     // Pan
    EXPECT_EQ (page.getControl (6)->getBounds(), juce::Rectangle<int> (170, 400, 60, 80));   // Aux 2 Send

    const int drawbars[9] = { 12, 13, 22, 23, 24, 25, 26, 27, 28 };
    const int switches[9] = { 80, 81, 82, 83, 85, 86, 87, 89, 90 };
    for (int i = 0; i < 9; ++i)
    {
        auto* bar = page.getControl (7 + i);
        EXPECT_EQ (bar->getSlot(), ParameterTable::controllerSlot (0, drawbars[i]));
        EXPECT_EQ (bar->getStyle(), ParameterControl::drawbar);
        EXPECT_EQ (bar->getBounds(), juce::Rectangle<int> (360 + 66 * i, 212, 35, 178));
        auto* sw = page.getControl (16 + i);
        EXPECT_EQ (sw->getSlot(), ParameterTable::controllerSlot (0, switches[i]));
        EXPECT_EQ (sw->getStyle(), ParameterControl::twoStateButton);
        EXPECT_EQ (sw->getBounds(), juce::Rectangle<int> (350 + 66 * i, 130, 52, 34));
    }
    EXPECT_EQ (page.getControl (7)->getName2(), "16'");
    EXPECT_EQ (page.getControl (16)->getName2(), "Brake");
    EXPECT_EQ (page.getControl (24)->getName2(), "Key Click");

    EXPECT_EQ (page.getControl (25)->getSlot(), ParameterTable::controllerSlot (0, 64));
    EXPECT_EQ (page.getControl (25)->getBounds(), juce::Rectangle<int> (372, 36, 74, 50));
    EXPECT_EQ (page.getControl (26)->getSlot(), ParameterTable::controllerSlot (0, 74));
    EXPECT_EQ (page.getControl (26)->getBounds(), juce::Rectangle<int> (464, 36, 74, 80));

    // Six places at the top, then rows of seven from x 312, y 416; 25 at most.
    std::vector<Assign> many;
    for (int cc = 40; cc < 70; ++cc)
        many.push_back ({ 1, cc });
    putProgram (102, tw7, 4, many);
    choose (102);
    EXPECT_EQ (page.getControlCount(), 50);
    EXPECT_EQ (page.getControl (25 + 6)->getBounds().getPosition(), juce::Point<int> (312, 416));
    EXPECT_EQ (page.getControl (25 + 12)->getBounds().getPosition(), juce::Point<int> (864, 416));
    EXPECT_EQ (page.getControl (25 + 13)->getBounds().getPosition(), juce::Point<int> (312, 502));
    EXPECT_EQ (hub.getParameters().controller (page.getControl (49)->getSlot()), 64);
}

TEST_F (ProgramPageTest, DisplayShowsTheProgramAndAMissingOneTakesTheStandardLayout)
{
    putProgram (101, tw7, 4, {});
    choose (101);
    EXPECT_EQ (page.getDisplay().getObjectName(), hub.getImage().getPrograms().programName (101).trimEnd());
    EXPECT_EQ (page.getDisplay().getShownNumberText(), "101");

    int missing = 5000;
    while (hub.getImage().getPrograms().isPresent (missing))
        ++missing;
    page.showProgram (0, missing);
    EXPECT_EQ (page.getDisplay().getObjectName(), "");
    EXPECT_EQ (page.getLayoutCode(), 0);
    EXPECT_EQ (page.getControlCount(), 7 + (int) shownControllers().size());

    // Another channel's program does not rebuild this page.
    page.showProgram (3, 101);
    EXPECT_EQ (page.getProgram(), missing);
}

//==============================================================================
TEST_F (ProgramPageTest, KeypadTypesUpToFourDigitsIntoTheDisplay)
{
    struct Case
    {
        const char* keys;
        bool typed;
        int entry;
    };
    const Case cases[] = {
        { "12345", true, 1234 }, { "0", false, 0 }, { "00", false, 0 }, { "05", true, 5 },
        { "50", true, 50 },      { "9990", true, 9990 },
    };
    for (auto& c : cases)
    {
        press ("Clear");
        type (c.keys);
        EXPECT_EQ (page.getDisplay().isTyped(), c.typed) << c.keys;
        if (c.typed)
        {
            EXPECT_EQ (page.getDisplay().getTypedNumber(), c.entry) << c.keys;
        }
    }

    choose (37);
    type ("12");
    press ("Clear");
    EXPECT_FALSE (page.getDisplay().isTyped());
    EXPECT_EQ (page.getDisplay().getShownNumberText(), "37");
}

TEST_F (ProgramPageTest, EnterPlusAndMinusReportThroughTheList)
{
    Recorder recorder;
    page.addListener (&recorder);
    auto& list = page.getProgramList();
    const auto ids = hub.getImage().getPrograms().listIds (ObjectStore::listPresent, 0);
    ASSERT_GT (ids.size(), 3u);

    // A listed number: 14, then 7, on the page's channel.
    page.open (5, 0, 0, pageWidth, pageHeight);
    type (juce::String (ids[1]));
    press ("Enter");
    EXPECT_EQ (recorder.events, (std::vector<juce::uint64> { listEvent (14, 5, ids[1]), listEvent (7, 5, ids[1]) }));
    EXPECT_EQ (page.getChooser().getMode(), ProgramChooser::modeAll);

    // "+" and "-" step the list; past either end only the 7 of the kept selection.
    recorder.events.clear();
    press ("+");
    EXPECT_EQ (recorder.events, (std::vector<juce::uint64> { listEvent (14, 5, ids[2]), listEvent (7, 5, ids[2]) }));
    recorder.events.clear();
    list.selectIndex (0);
    list.takeEvents();
    press ("-");
    EXPECT_EQ (recorder.events, (std::vector<juce::uint64> { listEvent (7, 5, ids[0]) }));

    // Nothing typed, or a number the list does not hold: nothing is sent.
    int missing = 5000;
    while (hub.getImage().getPrograms().isPresent (missing))
        ++missing;
    for (auto keys : { juce::String(), juce::String (missing) })
    {
        recorder.events.clear();
        press ("Clear");
        type (keys);
        press ("Enter");
        EXPECT_TRUE (recorder.events.empty()) << keys;
    }

    // A click in the list is forwarded as it comes.
    recorder.events.clear();
    list.mouseDown (mouseAt (list, 20.0f, 34.0f * 2 + 5.0f));
    list.dispatchPendingMessages();
    ASSERT_EQ (recorder.events.size(), 1u);
    EXPECT_EQ (recorder.events[0], listEvent (7, 5, list.getIds()[2]));
    page.removeListener (&recorder);
}

TEST_F (ProgramPageTest, BankAndCategoryButtonsFilterTheList)
{
    auto& chooser = page.getChooser();
    auto& list = page.getProgramList();
    const auto& store = hub.getImage().getPrograms();

    press ("FACTORY");
    EXPECT_EQ (list.getIds(), store.listIds (ObjectStore::listRange, 0));
    EXPECT_TRUE (chooser.getBankButton (ProgramChooser::factoryBank)->isOn());
    EXPECT_FALSE (chooser.getBankButton (ProgramChooser::allBank)->isOn());

    press ("ORGAN");
    EXPECT_EQ (chooser.getMode(), ProgramChooser::modeCategory);
    EXPECT_EQ (chooser.getArgument(), 4);
    EXPECT_EQ (list.getIds(), store.listIds (ObjectStore::listCategory, 4));
    EXPECT_FALSE (list.getIds().empty());
    EXPECT_TRUE (chooser.getCategoryButton (4)->isOn());
    EXPECT_FALSE (chooser.getBankButton (ProgramChooser::factoryBank)->isOn());

    press ("ALL");
    EXPECT_EQ (list.getIds(), store.listIds (ObjectStore::listPresent, 0));
    EXPECT_FALSE (chooser.getCategoryButton (4)->isOn());

    // Button places: a keypad key, a bank button, categories on and off the panel.
    EXPECT_EQ (chooser.findButton ("Enter")->getBounds(), juce::Rectangle<int> (891, 125, 44, 34));
    EXPECT_EQ (chooser.findButton ("-")->getBounds(), juce::Rectangle<int> (653, 125, 44, 34));
    EXPECT_EQ (chooser.findButton ("USER")->getBounds(), juce::Rectangle<int> (380, 316, 74, 34));
    EXPECT_EQ (chooser.getCategoryButton (1)->getBounds(), juce::Rectangle<int> (490, 218, 86, 34));
    EXPECT_EQ (chooser.getCategoryButton (12)->getBounds(), juce::Rectangle<int> (796, 314, 86, 34));
    EXPECT_EQ (chooser.getCategoryButton (13)->getBounds(), juce::Rectangle<int> (592, 362, 86, 34));
    EXPECT_EQ (chooser.getCategoryButton (14)->getBounds().getX(), -490);
    EXPECT_FALSE (chooser.getCategoryButton (0)->isVisible());
    EXPECT_EQ (chooser.getCategoryButton (0)->getText(), "- - - - -");
}

TEST_F (ProgramPageTest, PressesOnTheDisplayToggleTheChooser)
{
    auto& display = page.getDisplay();
    auto& session = hub.getEditorSession();
    session.enterPage ('q');

    display.mouseDown (mouseAt (display, 30.0f, 10.0f));
    display.dispatchPendingMessages();
    ASSERT_TRUE (page.isChooserOpen());
    EXPECT_EQ (page.getChooser().getBounds(), juce::Rectangle<int> (0, 0, pageWidth, pageHeight));
    EXPECT_EQ (page.getProgramList().getBounds(), juce::Rectangle<int> (30, 26, 274, 510));
    EXPECT_EQ (display.getPosition(), juce::Point<int> (360, 22));
    EXPECT_EQ (session.getCurrentPage(), 'z');

    display.mouseUp (mouseAt (display, 30.0f, 10.0f));   // a release does nothing
    display.dispatchPendingMessages();
    EXPECT_TRUE (page.isChooserOpen());

    // A rebuild while open leaves the display over the chooser.
    choose (37);
    EXPECT_EQ (display.getPosition(), juce::Point<int> (360, 22));

    display.mouseDown (mouseAt (display, 30.0f, 100.0f));
    display.dispatchPendingMessages();
    EXPECT_FALSE (page.isChooserOpen());
    EXPECT_EQ (page.getChooser().getBounds(), juce::Rectangle<int> (-2000, -100, 50, 50));
    EXPECT_EQ (display.getPosition(), juce::Point<int> (10, 10));

    // "CLOSE" closes it too; opening the page again re-opens an open chooser at its size.
    page.openChooser();
    page.open (0, 0, 0, 800, 500);
    EXPECT_EQ (page.getChooser().getBounds(), juce::Rectangle<int> (0, 0, 800, 500));
    press ("CLOSE");
    EXPECT_FALSE (page.isChooserOpen());
}

//==============================================================================
TEST_F (ProgramPageTest, ControlEventsSetSlotsExceptTheDisplayOnlyOnes)
{
    putProgram (101, 0, 1, synth ({ 74, 3, 6 }));
    choose (101);
    rig.settle();
    rig.simulator.clearReceived();
    auto& table = hub.getParameters();

    const int cutoffSlot = ParameterTable::controllerSlot (0, 74);
    auto* cutoff = page.findControl (cutoffSlot);
    ASSERT_NE (cutoff, nullptr);
    cutoff->post (EditEvent::valueDragged, 77);
    EXPECT_EQ (cutoff->getValue(), 77);
    EXPECT_EQ (table.value (cutoffSlot), 77);
    ASSERT_TRUE (rig.settle (1));
    EXPECT_EQ (rig.receivedHex().back(), "B0 4A 4D");

    // Controllers 3 and 6 and the FX chain fields only show their value.
    for (int slot : { ParameterTable::controllerSlot (0, 3), ParameterTable::controllerSlot (0, 6),
                      ParameterTable::programSlot (0, 0), ParameterTable::programSlot (0, 3) })
    {
        auto* c = page.findControl (slot);
        ASSERT_NE (c, nullptr) << slot;
        const int before = table.value (slot);
        c->post (EditEvent::valueDragged, before + 1);
        c->post (EditEvent::chosen, before + 2);
        EXPECT_EQ (table.value (slot), before) << slot;
        EXPECT_EQ (c->getValue(), before) << slot;
    }

    // Hovering describes the slot; leaving clears the line.
    cutoff->post (EditEvent::pointerEntered, 0);
    EXPECT_EQ (page.getStatusLine().getText(), "Ch 1  CC 74  Filter Cutoff");
    cutoff->post (EditEvent::pointerLeft, 0);
    EXPECT_EQ (page.getStatusLine().getText(), "");
    page.getControl (0)->post (EditEvent::pointerEntered, 0);
    EXPECT_EQ (page.getStatusLine().getText(), hub.slotLabel (ParameterTable::programSlot (0, 10)));

    // After the page moved to channel 5, a drag on a control still bound to channel 1
    // sets its slot but the page does not redraw it.
    page.open (5, 0, 0, pageWidth, pageHeight);
    cutoff->post (EditEvent::valueDragged, 90);
    EXPECT_EQ (table.value (cutoffSlot), 90);
    EXPECT_EQ (cutoff->getValue(), 77);

    rig.settle();
    EXPECT_EQ (rig.receivedHex().back(), "B0 4A 5A");
}

TEST_F (ProgramPageTest, ProgramSlotChangesWithin50MsGiveOneRebuildWithTheLastValue)
{
    putProgram (101, tw7, 4, {});
    const int programSlot = ParameterTable::programSlot (0, ParameterTable::programRow);
    choose (37);

    page.showValue (programSlot, 101);
    rig.timeline.advance (30);
    page.showValue (programSlot, 38);
    rig.timeline.advance (30);
    page.showValue (programSlot, 101);
    rig.timeline.advance (49);
    EXPECT_EQ (page.getProgram(), 37);
    EXPECT_EQ (page.getLayoutCode(), hub.getImage().getPrograms().byteAt (37, 30));
    rig.timeline.advance (1);
    EXPECT_EQ (page.getProgram(), 101);
    EXPECT_EQ (page.getLayoutCode(), ProgramPage::organLayoutCode);
    EXPECT_FALSE (page.isRefreshPending());

    // Another slot never schedules a rebuild.
    page.showValue (ParameterTable::programSlot (0, ParameterTable::levelRow), -10);
    EXPECT_FALSE (page.isRefreshPending());
}

TEST_F (ProgramPageTest, FollowsOnlyTheProgramOfItsOwnChannel)
{
    putProgram (101, tw7, 4, {});
    putProgram (102, tw7, 4, {});
    choose (37);
    auto& connection = processor.getEditorConnection();

    // Host automation of channel 16's Program No. row selects a program there while the
    // page shows channel 1: the page keeps channel 1's program, which WRITE writes.
    hub.setProgramChangeByAutomation (true);
    hub.setFromHost (ParameterTable::programSlot (15, ParameterTable::programNumberRow), 101);
    connection.dispatchSlotChanges();
    rig.timeline.advance (ProgramPage::refreshDelayMs);
    EXPECT_FALSE (page.isRefreshPending());
    EXPECT_EQ (page.getChannel(), 0);
    EXPECT_EQ (page.getProgram(), 37);

    // Its own channel's program is shown once the rebuild is due.
    hub.setFromHost (ParameterTable::programSlot (0, ParameterTable::programNumberRow), 102);
    connection.dispatchSlotChanges();
    rig.timeline.advance (ProgramPage::refreshDelayMs);
    EXPECT_EQ (page.getProgram(), 102);
    EXPECT_EQ (page.getLayoutCode(), ProgramPage::organLayoutCode);
}

TEST_F (ProgramPageTest, BackgroundIsDrawnAgainOnlyWhenTheLayoutCodeChanges)
{
    putProgram (101, 0, 2, {});
    putProgram (102, 0, 2, synth ({ 74 }));
    putProgram (103, 0, 5, {});
    putProgram (104, tw7, 5, {});

    choose (101);
    const int draws = page.getBackgroundDrawCount();
    choose (102);
    EXPECT_EQ (page.getBackgroundDrawCount(), draws);
    choose (103);
    EXPECT_EQ (page.getBackgroundDrawCount(), draws + 1);
    choose (104);
    EXPECT_EQ (page.getBackgroundDrawCount(), draws + 2);
    EXPECT_EQ (page.getBackgroundLayoutCode(), ProgramPage::organLayoutCode);
}

//==============================================================================
TEST_F (ProgramPageTest, AProgramChosenOnTheKeypadReachesTheInstrument)
{
    // The page inside the real window, which turns the page's program events into the
    // program slot and the page's refresh.
    std::unique_ptr<juce::AudioProcessorEditor> editor (processor.createEditor());
    auto* window = dynamic_cast<VantorAudioProcessorEditor*> (editor.get());
    ASSERT_NE (window, nullptr);
    auto& main = window->getMainPanel();
    if (main.getAboutPanel() != nullptr)
    {
        main.getTabBar().report (TabBar::aboutTab);   // the About panel of the first opening
        main.getTabBar().dispatchPendingMessages();
    }
    rig.settle();
    rig.simulator.clearReceived();

    // Opening the page for channel 12 selects its program in the list without sending.
    const int channel = 11;
    hub.setMidiChannel (channel + 1);
    main.getTabBar().report (TabBar::programTab);
    main.getTabBar().dispatchPendingMessages();
    auto* shown = main.getProgramPage();
    ASSERT_NE (shown, nullptr);
    ASSERT_EQ (shown->getChannel(), channel);
    shown->getProgramList().dispatchPendingMessages();
    hub.getHostQueueSignal().dispatchPendingMessages();
    rig.settle();
    EXPECT_TRUE (rig.simulator.getReceived().empty());

    auto& chooser = shown->getChooser();
    const auto pressOnPage = [&chooser] (const juce::String& caption)
    {
        auto* b = chooser.findButton (caption);
        ASSERT_NE (b, nullptr) << caption;
        chooser.buttonPressed (b, b->getIdentifier());
    };

    pressOnPage ("3");
    pressOnPage ("7");
    pressOnPage ("Enter");
    hub.getHostQueueSignal().dispatchPendingMessages();   // the host hears rows 14 and 15
    ASSERT_TRUE (rig.settle (1));
    EXPECT_EQ (rig.receivedHex(), (std::vector<juce::String> { "F0 07 46 01 00 20 0B 00 25 F7" }));
    EXPECT_EQ (rig.simulator.getChannelProgram (channel), 37);

    // The page follows 50 ms later.
    EXPECT_NE (shown->getProgram(), 37);
    rig.timeline.advance (ProgramPage::refreshDelayMs);
    EXPECT_EQ (shown->getProgram(), 37);
    EXPECT_EQ (shown->getDisplay().getObjectName(), hub.getImage().getPrograms().programName (37).trimEnd());
    EXPECT_EQ (hub.getParameters().value (ParameterTable::programSlot (channel, ParameterTable::programRow)), 37);

    // A program above 127 goes out as bank and number.
    pressOnPage ("Clear");
    for (auto key : { "1", "3", "0", "Enter" })
        pressOnPage (key);
    hub.getHostQueueSignal().dispatchPendingMessages();
    rig.timeline.advance (200);   // program selects are paced 100 ms apart
    ASSERT_TRUE (rig.settle (2));
    EXPECT_EQ (rig.receivedHex().back(), "F0 07 46 01 00 20 0B 01 02 F7");
    EXPECT_EQ (hub.getParameters().value (ParameterTable::programSlot (channel, ParameterTable::programRow)), 130);

    // A bank filter that does not list the program leaves nothing selected: "-" then
    // has nothing to step from, and nothing goes out.
    pressOnPage ("USER");
    ASSERT_EQ (shown->getProgramList().getSelectedIndex(), -1);
    const auto sent = rig.receivedHex().size();
    pressOnPage ("-");
    hub.getHostQueueSignal().dispatchPendingMessages();
    rig.timeline.advance (200);
    rig.settle();
    EXPECT_EQ (rig.receivedHex().size(), sent);
    EXPECT_EQ (hub.getParameters().value (ParameterTable::programSlot (channel, ParameterTable::programRow)), 130);
}

//==============================================================================
TEST_F (ProgramPageTest, RendersMatchTheReferences)
{
    ASSERT_TRUE (Pictures::isEmbedded ("program_back_standard")) << "the page's pictures are embedded, so the render is compared";

    putProgram (101, 0, 1, synth ({ 74, 71, 64, 91, 93, 7, 10, 1 }));
    putProgram (102, tw7, 4, synth ({ 64, 74, 12, 80 }));
    choose (101);
    EXPECT_EQ (zd8test::compareWithReference (page, "program_standard"), "");
    choose (102);
    EXPECT_EQ (zd8test::compareWithReference (page, "program_organ"), "");
    auto& list = page.getProgramList();
    list.bind (ProgramChooser::modeAll, 0);
    list.selectId (102, false);
    page.openChooser();
    EXPECT_EQ (zd8test::compareWithReference (page, "program_chooser"), "");
}

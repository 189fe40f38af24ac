// The multi page: choosing a multi in the list or on the keypad reaches the instrument
// through the main window, the zone fields and strips send controller-addressed changes
// for their zone, the rows keep each key range consistent, follow the instrument's zone
// messages and veil zones that are not playing.

#include "editor/shell/TabBar.h"
#include "editor/kit/EditEvent.h"
#include "editor/shell/MainPanel.h"
#include "editor/kit/Pictures.h"
#include "editor/shell/VantorAudioProcessorEditor.h"
#include "editor/pages/MultiPage.h"
#include "link/SysexProtocol.h"
#include "plugin/VantorAudioProcessor.h"
#include "support/PluginRig.h"
#include "support/RenderCheck.h"
#include "KitMouse.h"
#include "OpenWindow.h"
#include "SentMessages.h"
#include "WindowMouse.h"

#include <gtest/gtest.h>

using namespace zd8;
using zd8test::ChangeCounter;
using zd8test::KitMouse;
using zd8test::PluginRig;
using zd8test::SentMessages;

namespace
{
    constexpr int pageWidth = 996, pageHeight = 646;
    constexpr int rowHeight = 34;

    // Facts of the built-in multi bank: multis 1..50 and four templates from 2044.
    constexpr int builtInMultis = 54;
    constexpr int eightZones = 1, fifteenZones = 2, threeZones = 14, sixteenZones = 9;
    constexpr int absentMulti = 60;

    using Change = zd8sim::InstrumentSimulator::AddressedChange;

    juce::String describe (const Change& c)
    {
        return "ch " + juce::String (c.midiChannel) + " [" + juce::String (c.address[0]) + " " + juce::String (c.address[1])
             + " " + juce::String (c.address[2]) + " " + juce::String (c.address[3]) + " " + juce::String (c.address[4])
             + "] = " + juce::String (c.value);
    }

    /** A zone field's change as the simulator decodes it: MIDI channel 1, A1 5, A2 the zone. */
    juce::String zoneChange (int zone, int a5, int value)
    {
        Change c;
        c.midiChannel = 1;
        c.address = { 5, zone, 0, 0, a5 };
        c.value = value;
        return describe (c);
    }

    /** The multi page on its own, wired to the simulator. */
    struct MultiPageTest : ::testing::Test
    {
        PluginRig rig;
        VantorAudioProcessor processor { rig.environment };
        ControllerState& hub = processor.getHub();
        MultiEditBuffer& edit = hub.getImage().getMultiEdit();
        MultiPage page { processor.getEditorConnection() };
        ZonesArray& zones = page.getZones();

        void SetUp() override
        {
            rig.settle();
            page.open (0, 0, pageWidth, pageHeight);
        }

        /** What the main window does for a chosen multi, then the edit object's broadcast. */
        void load (int multi)
        {
            auto& image = hub.getImage();
            {
                const juce::ScopedReadLock rl (image.getStoreLock());
                image.getMultis().loadMulti (multi, edit);
            }
            page.showMulti (multi);
            edit.dispatchPendingMessages();
            rig.settle();
            rig.simulator.clearReceived();
            rig.simulator.resetState();
        }

        void setKeys (int row, int low, int high)
        {
            ASSERT_TRUE (edit.setZoneKeyRange (row, low, high));
            edit.dispatchPendingMessages();
        }

        /** Drags a key field by dx pixels (one step per pixel) and lets the table react. */
        void dragField (ZoneValueField& field, int dx)
        {
            KitMouse mouse (field);
            mouse.down (10, 9);
            mouse.drag (10.0f + (float) dx, 9);
            mouse.up (10.0f + (float) dx, 9);
            zones.deliverPendingChanges();
            edit.dispatchPendingMessages();
        }

        std::vector<juce::String> changesAfter (size_t count)
        {
            EXPECT_TRUE (rig.settle (count * 7));
            std::vector<juce::String> out;
            for (const auto& c : rig.simulator.getAddressedChanges())
                out.push_back (describe (c));
            return out;
        }

        int zoneHeader (int zone, int number) const { return edit.multiParameter (43, zone, number); }
    };

    /** A zone message from the instrument: sub-type 2 of the multi data, block index zone. */
    std::vector<juce::uint8> zoneMessage (int zone, const juce::MemoryBlock& bytes)
    {
        std::vector<juce::uint8> m = { 0xF0, 0x07, 0x46, 0x01, 0x00, SysexProtocol::cmdMultiData, 0, 1, 0, 2,
                                       (juce::uint8) zone, 1 };
        const auto packed = SysexProtocol::encode7 (bytes.getData(), bytes.getSize());
        m.insert (m.end(), (const juce::uint8*) packed.getData(), (const juce::uint8*) packed.getData() + packed.getSize());
        m.push_back (0xF7);
        return m;
    }


    /** The plug-in window, on the multi page. */
    struct MultiWindow : zd8test::OpenWindow
    {
        void SetUp() override
        {
            OpenWindow::SetUp();
            press (TabBar::multiTab);
            ASSERT_NE (main->getMultiPage(), nullptr);
            reportToHost();
            rig.settle();
            rig.simulator.clearReceived();
            std::vector<juce::uint64> old;
            hub.drainSlotNotices (old);
        }

        void press (int identifier) { showTab (identifier); }

        MultiPage& page() { return *main->getMultiPage(); }

        void click (const juce::String& caption)
        {
            auto* b = page().findButton (caption);
            ASSERT_NE (b, nullptr) << caption;
            KitMouse (*b).click (5, 5);
        }

        std::vector<juce::String> sentAfter (size_t count)
        {
            reportToHost();
            EXPECT_TRUE (rig.settle (count));
            return rig.receivedHex();
        }
    };
}

//==============================================================================
TEST_F (MultiWindow, TheMultiTabShowsThePageOverThePageArea)
{
    EXPECT_TRUE (main->isMultiPageShown());
    EXPECT_FALSE (main->isMixerShown());
    EXPECT_TRUE (page().isVisible());
    EXPECT_EQ (page().getBounds(), main->getPageArea());
    EXPECT_EQ (page().getContentBox(), juce::Rectangle<int> (13, 0, 970, 640));
    EXPECT_EQ (hub.getEditorSession().getCurrentPage(), '{');
    EXPECT_EQ (page().getDisplay().getNumber(), hub.getImage().getSelectedMulti());

    // Code 13 hides every page, this one with them.
    main->multiPageEvent (EditEvent::make (EditEvent::closePage, 0, 0, 0, 0));
    EXPECT_FALSE (main->isMultiPageShown());
    EXPECT_FALSE (page().isVisible());
    EXPECT_LT (page().getX(), -1000);
    EXPECT_FALSE (main->isMixerShown());
}

TEST_F (MultiWindow, AMultiClickedInTheListIsSelectedOnTheInstrumentAndShown)
{
    auto& list = page().getList();
    ASSERT_EQ (list.getCount(), builtInMultis);
    const int row = 4;
    const int multi = list.getIds()[(size_t) row];

    KitMouse (list).click (20, (float) (row * rowHeight + 10));
    list.dispatchPendingMessages();

    // Bank and number reach the host one after the other; the instrument is told the new
    // multi once, never "new bank, old number" on the way.
    EXPECT_EQ (sentAfter (1), (std::vector<juce::String> { SentMessages::multiSelect (multi) }));
    EXPECT_EQ (rig.simulator.getMulti(), multi);
    EXPECT_EQ (hub.getParameters().value (ParameterTable::multiProgramSlot), multi);

    // Loaded into the edit object and shown.
    EXPECT_EQ (hub.getImage().getSelectedMulti(), multi);
    EXPECT_EQ (page().getDisplay().getNumber(), multi);
    EXPECT_EQ (page().getDisplay().getObjectName(), hub.getImage().getMultis().recordName (multi).trimEnd());
    const int zoneCount = hub.getImage().getMultiEdit().zoneCount();
    EXPECT_GT (zoneCount, 0);
    EXPECT_EQ (page().getZones().getZoneCount(), zoneCount);
}

TEST_F (MultiWindow, TheListsScrollBarIsInSightAndScrollsWithTheMouse)
{
    auto& list = page().getList();
    ASSERT_GT (list.getCount(), list.visibleRows());
    const auto listArea = main->getLocalArea (&page(), list.getBounds());
    zd8test::WindowMouse mouse (*main);

    // The bar's column right of the names (its thumb 36 wide from 2 pixels in) lies on
    // the list, on the page, under nothing else.
    const juce::Rectangle<int> bar (listArea.getX() + ObjectList::textAreaWidth, listArea.getY(), 38, listArea.getHeight());
    EXPECT_TRUE (listArea.contains (bar)) << listArea.toString();
    EXPECT_TRUE (main->getPageArea().contains (bar));
    const int barX = bar.getCentreX();

    // A press below the thumb scrolls a row.
    EXPECT_EQ (mouse.click ({ barX, bar.getY() + 300 }), &list);
    EXPECT_EQ (list.getScrollPosition(), 1);
    EXPECT_EQ (list.getFirstVisibleRow(), 1);

    // The thumb dragged past the bottom shows the last rows.
    const int thumbTop = bar.getY() + list.thumbY();
    EXPECT_EQ (mouse.drag ({ barX, thumbTop + 20 }, { { barX, bar.getCentreY() }, { barX, bar.getBottom() + 40 } }), &list);
    const int lastFirstRow = list.getCount() - list.visibleRows();
    EXPECT_EQ (list.getFirstVisibleRow(), lastFirstRow);

    // The wheel over the bar turns it back a row.
    EXPECT_EQ (mouse.wheel ({ barX, bar.getY() + 100 }, 1.0f), &list);
    EXPECT_EQ (list.getFirstVisibleRow(), lastFirstRow - 1);
    EXPECT_TRUE (rig.simulator.getReceived().empty()) << "scrolling chooses nothing";
}

TEST_F (MultiWindow, TheKeypadChoosesByNumberAndStepsThroughTheList)
{
    click ("1");
    click ("2");
    EXPECT_EQ (page().getDisplay().getShownNumberText(), "12");
    click ("Enter");
    EXPECT_EQ (sentAfter (1), std::vector<juce::String> { SentMessages::multiSelect (12) });
    EXPECT_EQ (page().getDisplay().getNumber(), 12);
    EXPECT_EQ (page().getList().getSelectedId(), 12);

    // The Enter also raised a code 14 first, which only reports slot 2304.
    std::vector<juce::uint64> notices;
    hub.drainSlotNotices (notices);
    const juce::uint64 multiNotice = (juce::uint64) (ParameterTable::multiSlot + 0x10000) << 32 | 12u;
    EXPECT_NE (std::find (notices.begin(), notices.end(), multiNotice), notices.end());

    rig.simulator.clearReceived();
    click ("+");
    EXPECT_EQ (sentAfter (1), std::vector<juce::String> { SentMessages::multiSelect (13) });
    EXPECT_EQ (page().getDisplay().getNumber(), 13);

    rig.simulator.clearReceived();
    click ("-");
    click ("-");
    EXPECT_EQ (page().getDisplay().getNumber(), 11);
    EXPECT_EQ (sentAfter (2).back(), SentMessages::multiSelect (11));

    // A multi above 127 goes out as two seven-bit groups; the report of the new bank (15)
    // already selects 2045, not 15 * 128 + 11.
    rig.simulator.clearReceived();
    for (auto key : { "Clear", "2", "0", "4", "5", "Enter" })
        click (key);
    EXPECT_EQ (sentAfter (1), (std::vector<juce::String> { SentMessages::multiSelect (2045) }));
    EXPECT_EQ (rig.simulator.getMulti(), 2045);
}

TEST_F (MultiWindow, EnterWithoutAListedNumberSelectsNothing)
{
    const int shown = page().getDisplay().getNumber();
    for (auto keys : { std::vector<const char*> { "Enter" },                 // nothing typed
                       std::vector<const char*> { "0", "Enter" },            // a leading 0 is refused
                       std::vector<const char*> { "7", "7", "Clear", "Enter" },
                       std::vector<const char*> { "9", "9", "9", "Enter" } }) // not in the bank
    {
        for (auto key : keys)
            click (key);
        reportToHost();
        rig.settle();
        EXPECT_TRUE (rig.simulator.getReceived().empty()) << keys.front();
        EXPECT_EQ (page().getDisplay().getNumber(), shown);
    }
    EXPECT_EQ (page().getList().getSelectedIndex(), -1);
}

TEST_F (MultiWindow, BankButtonsFilterTheListAndStayHighlighted)
{
    struct Case
    {
        const char* caption;
        int mode, argument, count;
    };
    const Case cases[] = {
        { "USER", MultiPage::modeBank, 1, 0 },
        { "FACTORY", MultiPage::modeBank, 0, builtInMultis },
        { "ALL", MultiPage::modeAll, 0, builtInMultis },
    };
    for (const auto& c : cases)
    {
        click (c.caption);
        EXPECT_EQ (page().getMode(), c.mode) << c.caption;
        EXPECT_EQ (page().getArgument(), c.argument) << c.caption;
        EXPECT_EQ (page().getList().getCount(), c.count) << c.caption;
        for (auto* other : { "USER", "FACTORY", "ALL" })
            EXPECT_EQ (page().findButton (other)->isOn(), juce::String (other) == c.caption) << c.caption;
    }
}

//==============================================================================
TEST_F (MultiPageTest, RowsFollowTheZoneCount)
{
    struct Case
    {
        int multi, zones;
    };
    for (const auto c : { Case { threeZones, 3 }, Case { sixteenZones, 16 }, Case { eightZones, 8 }, Case { absentMulti, 0 } })
    {
        load (c.multi);
        EXPECT_EQ (zones.getZoneCount(), c.zones) << c.multi;
        for (int i = 0; i < ZonesArray::rowCount; ++i)
        {
            const bool shown = i < c.zones;
            EXPECT_EQ (zones.getProgramField (i).isVisible(), shown) << c.multi << " row " << i;
            EXPECT_EQ (zones.getLowField (i).isVisible(), shown) << c.multi << " row " << i;
            EXPECT_EQ (zones.getHighField (i).isVisible(), shown) << c.multi << " row " << i;
            EXPECT_EQ (zones.getStrip (i).isVisible(), shown) << c.multi << " row " << i;
            EXPECT_FALSE (zones.getCurtain (i).isVisible()) << "every built-in zone is playing";
            if (shown)
            {
                EXPECT_EQ (zones.getLowField (i).getValue(), zoneHeader (i, 17));
                EXPECT_EQ (zones.getHighField (i).getValue(), zoneHeader (i, 18));
                EXPECT_EQ (zones.getStrip (i).getLow(), zoneHeader (i, 17));
                EXPECT_EQ (zones.getStrip (i).getHigh(), zoneHeader (i, 18));
                EXPECT_EQ (zones.getProgramField (i).getValue(), zoneHeader (i, 93));
                EXPECT_GT (zones.getProgramField (i).getValue(), 0);
            }
        }
    }
    // Showing never sends anything.
    EXPECT_TRUE (rig.simulator.getReceived().empty());
}

TEST_F (MultiPageTest, ZoneFieldsSendAddressedChangesForTheirZone)
{
    load (eightZones);

    // The program field of zone 3 turned up by the wheel.
    auto& program = zones.getProgramField (2);
    const int next = program.getValue() + 1;
    KitMouse (program).wheel (1.0f);
    ASSERT_TRUE (rig.settle (7));
    const int wire = next + 8192;
    const std::vector<juce::String> expected { "B0 6E 05", "B0 6F 02", "B0 70 00", "B0 71 00", "B0 72 0E",
                                               juce::String::formatted ("B0 76 %02X", wire >> 7),
                                               juce::String::formatted ("B0 77 %02X", wire & 0x7F) };
    EXPECT_EQ (rig.receivedHex(), expected);
    zones.deliverPendingChanges();
    EXPECT_EQ (zoneHeader (2, 93), next) << "the edit object keeps what was sent";

    // The key fields of zone 6: A5 15 and 16.
    rig.simulator.resetState();
    setKeys (5, 40, 90);
    dragField (zones.getLowField (5), 5);
    dragField (zones.getHighField (5), -7);
    EXPECT_EQ (changesAfter (2), (std::vector<juce::String> { zoneChange (5, 15, 45), zoneChange (5, 16, 83) }));
    EXPECT_EQ (zones.getStrip (5).getLow(), 45);
    EXPECT_EQ (zones.getStrip (5).getHigh(), 83);
    EXPECT_EQ (zoneHeader (5, 17), 45);
    EXPECT_EQ (zoneHeader (5, 18), 83);
}

TEST_F (MultiPageTest, AKeyPassingTheOtherEndDragsItAlongOnScreenOnly)
{
    struct Case
    {
        const char* what;
        bool highField;
        int dx;
        int low, high;   // shown afterwards (fields and strip)
        juce::String sent;   // the only change sent
    };
    const Case cases[] = {
        { "high 80 -> 40 below low 60", true, -40, 40, 40, zoneChange (0, 16, 40) },
        { "low 60 -> 100 above high 80", false, 40, 100, 100, zoneChange (0, 15, 100) },
        { "low 60 -> 70 inside", false, 10, 70, 80, zoneChange (0, 15, 70) },
        { "high 80 -> 60 onto low", true, -20, 60, 60, zoneChange (0, 16, 60) },
    };
    load (eightZones);
    for (const auto& c : cases)
    {
        SCOPED_TRACE (c.what);
        setKeys (0, 60, 80);
        rig.settle();
        rig.simulator.clearReceived();
        rig.simulator.resetState();

        dragField (c.highField ? zones.getHighField (0) : zones.getLowField (0), c.dx);
        EXPECT_EQ (changesAfter (1), std::vector<juce::String> { c.sent });
        EXPECT_EQ (rig.simulator.getReceived().size(), 7u) << "nothing for the key that followed";
        EXPECT_EQ (zones.getLowField (0).getValue(), c.low);
        EXPECT_EQ (zones.getHighField (0).getValue(), c.high);
        EXPECT_EQ (zones.getStrip (0).getLow(), c.low);
        EXPECT_EQ (zones.getStrip (0).getHigh(), c.high);
    }
}

TEST_F (MultiPageTest, DraggingAStripMovesTheWholeZoneLowKeyFirst)
{
    load (eightZones);
    setKeys (1, 60, 80);
    auto& strip = zones.getStrip (1);
    KitMouse mouse (strip);

    // 27 pixels right is ten keys (341 / 127 pixels a key).
    mouse.down (100, 7);
    mouse.drag (127, 7);
    zones.deliverPendingChanges();
    mouse.up (127, 7);
    zones.deliverPendingChanges();
    zones.deliverPendingChanges();   // the fields' own reports
    edit.dispatchPendingMessages();

    EXPECT_EQ (changesAfter (2), (std::vector<juce::String> { zoneChange (1, 15, 70), zoneChange (1, 16, 90) }));
    EXPECT_EQ (zones.getLowField (1).getValue(), 70);
    EXPECT_EQ (zones.getHighField (1).getValue(), 90);
    EXPECT_EQ (strip.getLow(), 70);
    EXPECT_EQ (strip.getHigh(), 90);
    EXPECT_EQ (zoneHeader (1, 17), 70);
    EXPECT_EQ (zoneHeader (1, 18), 90);

    // Far to the left: stops at key 0 with the span kept; the release adds nothing.
    rig.simulator.clearReceived();
    rig.simulator.resetState();
    mouse.down (200, 7);
    mouse.drag (-400, 7);
    mouse.up (-400, 7);
    zones.deliverPendingChanges();
    zones.deliverPendingChanges();
    EXPECT_EQ (changesAfter (2), (std::vector<juce::String> { zoneChange (1, 15, 0), zoneChange (1, 16, 20) }));
    EXPECT_EQ (rig.simulator.getReceived().size(), 14u);
}

TEST_F (MultiPageTest, RowsFollowTheInstrumentsZoneMessagesAndVeilZonesNotPlaying)
{
    load (eightZones);
    ChangeCounter tableChanges (zones);

    // The instrument reports zone 2 as not playing, with the keys 30..50.
    auto bytes = edit.getZone (1).getData();
    bytes[2] = 1;
    bytes[18] = 30;
    bytes[19] = 50;
    rig.simulator.sendSysex (zoneMessage (1, bytes));
    ASSERT_TRUE (rig.simulator.waitUntilDelivered());
    edit.dispatchPendingMessages();

    EXPECT_EQ (zones.getStatusField (1).getValue(), 1);
    EXPECT_EQ (zones.getLowField (1).getValue(), 30);
    EXPECT_EQ (zones.getHighField (1).getValue(), 50);
    EXPECT_EQ (zones.getStrip (1).getLow(), 30);
    EXPECT_EQ (zones.getStrip (1).getHigh(), 50);

    auto& veil = zones.getCurtain (1);
    EXPECT_TRUE (veil.isVisible());
    EXPECT_EQ (veil.getBounds(), juce::Rectangle<int> (25, 8 + 28, 564, 26));
    EXPECT_FALSE (zones.getCurtain (0).isVisible());

    // A press anywhere on the veiled row lands on the curtain and selects the row.
    const auto fieldCentre = zones.getLowField (1).getBounds().getCentre();
    EXPECT_EQ (zones.getComponentAt (fieldCentre), &veil);
    EXPECT_EQ (zones.getComponentAt (zones.getProgramField (0).getBounds().getCentre()), &zones.getProgramField (0));
    KitMouse (veil).click ((float) fieldCentre.x - 25, 10);
    zones.deliverPendingChanges();
    EXPECT_EQ (zones.getSelectedRow(), 1);
    EXPECT_EQ (tableChanges.flush(), 1);
    rig.settle();
    EXPECT_TRUE (rig.simulator.getReceived().empty()) << "selecting a row edits nothing";

    // Playing again: the curtain is parked.
    bytes[2] = 2;
    rig.simulator.sendSysex (zoneMessage (1, bytes));
    ASSERT_TRUE (rig.simulator.waitUntilDelivered());
    edit.dispatchPendingMessages();
    EXPECT_FALSE (veil.isVisible());
    EXPECT_EQ (veil.getBounds(), juce::Rectangle<int> (-10, -10, 5, 5));
    EXPECT_EQ (zones.getComponentAt (fieldCentre), &zones.getLowField (1));
}

TEST_F (MultiPageTest, RenderMatchesTheReference)
{
    ASSERT_TRUE (Pictures::isEmbedded ("category_sheet")) << "the page's pictures are embedded, so the render is compared";
    load (fifteenZones);
    EXPECT_EQ (zoneHeader (0, 3), 1);
    EXPECT_EQ (zones.getZoneCount(), 15);
    EXPECT_EQ (zd8test::compareWithReference (page, "multi_page"), "");
}

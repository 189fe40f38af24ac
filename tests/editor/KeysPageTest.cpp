// The keyboard panel and the computer-keyboard player: notes with fixed and position
// velocity at the instrument simulator, the pad's hit areas and fitting, dragging from
// key to key, the octave strip, the wheels and the notices the main window hands on,
// the letter keys' table, and the panel's render.

#include "editor/shell/TabBar.h"
#include "editor/shell/StatusBar.h"
#include "editor/shell/MainPanel.h"
#include "editor/shell/VantorAudioProcessorEditor.h"
#include "editor/pages/ControlsPage.h"
#include "editor/pages/MixerPage.h"
#include "editor/pages/MultiPage.h"
#include "editor/pages/KeysPage.h"
#include "editor/shell/ComputerKeyboardPlayer.h"
#include "plugin/VantorAudioProcessor.h"
#include "support/PluginRig.h"
#include "support/RenderCheck.h"
#include "KitMouse.h"
#include "OpenWindow.h"
#include "WindowMouse.h"

#include <gtest/gtest.h>

#include <set>

using namespace zd8;
using zd8test::KitMouse;
using zd8test::PluginRig;

namespace
{
    constexpr int panelWidth = 996;

    // Pad x of the middle of a white key (counted from the left) and of a black key (by index).
    float whiteX (int whiteNumber) { return 25.0f * (float) whiteNumber + 12.0f; }
    float blackX (int index)
    {
        static const int offsets[12] = { 0, 15, 0, 44, 0, 0, 90, 0, 116, 0, 144, 0 };
        return (float) (offsets[index % 12] + index / 12 * 175) + 8.0f;
    }

    struct Keys : ::testing::Test
    {
        PluginRig rig;
        VantorAudioProcessor processor { rig.environment };
        ControllerState& hub = processor.getHub();
        KeysPage panel { processor.getEditorConnection() };

        void SetUp() override
        {
            panel.place (0, panelWidth, KeysPage::panelHeight);
            rig.settle();
            rig.simulator.clearReceived();
        }

        KitMouse pad() { return KitMouse (panel.getPad().getOverlay()); }

        std::vector<juce::String> sent (size_t count)
        {
            EXPECT_TRUE (rig.settle (count));
            return rig.receivedHex();
        }

        std::vector<juce::String> nothingSent()
        {
            rig.settle();
            return rig.receivedHex();
        }
    };
}

//==============================================================================
TEST_F (Keys, AClickPlaysTheKeyOnTheCurrentChannelAtTheFixedVelocityWhereverItLands)
{
    hub.setMidiChannel (3);
    pad().click (whiteX (0), 140.0f);   // C at octave 3: note 36
    pad().click (blackX (1), 5.0f);     // C#
    pad().click (whiteX (2), 60.0f);    // E, high on the key
    EXPECT_EQ (sent (6), (std::vector<juce::String> { "92 24 64", "82 24 00", "92 25 64", "82 25 00", "92 28 64", "82 28 00" }));

    hub.getEditorSession().keyboardVelocity = 6;
    pad().click (whiteX (0), 140.0f);
    EXPECT_EQ (sent (8)[6], "92 24 06") << "6 is the lowest fixed setting";
}

TEST_F (Keys, LowSettingsTakeTheVelocityFromWhereTheKeyIsHit)
{
    struct Case
    {
        bool black;
        int setting;
        float y;
        int velocity;   // 0: nothing is played
    };
    const Case cases[] = {
        { false, 3, 10.0f, 5 },    { false, 3, 52.0f, 5 },   { false, 3, 60.0f, 10 },   { false, 3, 102.0f, 63 },
        { false, 3, 152.0f, 127 }, { false, 0, 153.0f, 0 },  { true, 3, 50.0f, 63 },    { true, 3, 2.0f, 5 },
        { true, 5, 101.0f, 127 },  { false, 100, 0.0f, 100 }, { true, 127, 90.0f, 127 }, { false, 6, 152.0f, 6 },
    };
    for (const auto& c : cases)
        EXPECT_EQ (PianoKey::velocityFor (c.black, c.setting, c.y), c.velocity)
            << (c.black ? "black" : "white") << " setting " << c.setting << " y " << c.y;

    // The same through the mouse: the pad's height reaches four pixels past the keys.
    hub.getEditorSession().keyboardVelocity = 3;
    pad().click (whiteX (0), 152.0f);
    pad().click (blackX (1), 50.0f);
    pad().click (whiteX (0), 154.0f);
    EXPECT_EQ (sent (4), (std::vector<juce::String> { "90 24 7F", "80 24 00", "90 25 3F", "80 25 00" }));
    EXPECT_EQ (nothingSent().size(), 4u);
}

TEST_F (Keys, BlackKeysTakeTheTopAndWhiteKeysTheRestOfTheirColumns)
{
    struct Case
    {
        float x, y;
        int key;   // -1: none
    };
    const Case cases[] = {
        { 20.0f, 50.0f, 1 },     // over C#
        { 32.0f, 50.0f, 1 },     // just right of C#, still short of D's hit edge (31 + 2)
        { 33.0f, 50.0f, 2 },     // D
        { 20.0f, 100.0f, 0 },    // below the black keys: C
        { 24.0f, 120.0f, 0 },
        { 25.0f, 120.0f, 2 },
        { 72.0f, 50.0f, 4 },     // E has no black key to its right
        { 80.0f, 50.0f, 5 },     // F starts at its own edge
        { 762.0f, 140.0f, 52 },  // the last key shown at 996
        { 776.0f, 140.0f, -1 },  // past it
        { -1.0f, 140.0f, -1 },
    };
    auto& pad = panel.getPad();
    for (const auto& c : cases)
    {
        auto* key = pad.keyAt ({ c.x, c.y });
        EXPECT_EQ (key == nullptr ? -1 : key->getIndex(), c.key) << "at " << c.x << ", " << c.y;
    }
}

TEST_F (Keys, FittingShowsWholeWhiteKeysAndNeverEndsOnABlackKey)
{
    auto& pad = panel.getPad();
    EXPECT_EQ (pad.getBounds(), juce::Rectangle<int> (180, 20, panelWidth - 180 - 30, 156));
    EXPECT_EQ (pad.getShownKeyCount(), 53) << "31 white keys fit 786 pixels";
    EXPECT_TRUE (pad.getKey (52).isVisible());
    EXPECT_FALSE (pad.getKey (53).isVisible());

    // 725 pixels end on C#'s left edge at 715: the black key would stand outside.
    panel.place (0, 180 + 725 + 30, KeysPage::panelHeight);
    EXPECT_EQ (pad.getShownKeyCount(), 49);
    EXPECT_FALSE (pad.getKey (49).isVisible());
}

TEST_F (Keys, DraggingReleasesOnOneMoveAndPressesOnTheNext)
{
    auto m = pad();
    m.down (whiteX (0), 140.0f);
    m.drag (whiteX (1), 140.0f);   // onto D: C ends, D is not played
    m.drag (whiteX (2), 140.0f);   // onto E: pressed
    m.up (whiteX (2), 140.0f);
    EXPECT_EQ (sent (4), (std::vector<juce::String> { "90 24 64", "80 24 00", "90 28 64", "80 28 00" }));
    EXPECT_FALSE (panel.getPad().getKey (4).isSounding());
}

TEST_F (Keys, TheKeyboardOctaveMovesTheNotesAndNothingAbove127IsSent)
{
    panel.place (0, 1400, KeysPage::panelHeight);   // room for key 56
    auto& session = hub.getEditorSession();
    session.keyboardOctave = 6;
    auto m = pad();
    m.click (blackX (54) + 25.0f, 140.0f);   // key 55 (G): 72 + 55 = 127
    m.click (blackX (56), 40.0f);            // key 56 (G#): 128, nothing
    EXPECT_EQ (nothingSent(), (std::vector<juce::String> { "90 7F 64", "80 7F 00" }));
    EXPECT_FALSE (panel.getPad().getKey (56).isSounding());
}

TEST_F (Keys, TheOctaveStripPicksAWholeOctaveBetween0And72)
{
    auto& strip = panel.getOctaveStrip();
    struct Case
    {
        float x;
        int base;
    };
    // White key position = (x / 0.7 - 17.5) / 3.573.
    const Case cases[] = { { 0.0f, 0 }, { 12.0f, 0 }, { 65.5f, 36 }, { 99.0f, 48 }, { 100.5f, 60 }, { 150.0f, 72 }, { 199.0f, 72 } };
    for (const auto& c : cases)
        EXPECT_EQ (strip.baseAt (c.x), c.base) << "x " << c.x;
    EXPECT_EQ (strip.getBase(), 36) << "the hub's octave 3";
    EXPECT_GE (strip.getWidth(), 199);
}

TEST_F (Keys, VelocitySetterDragsFrom127AtTheTopAndStoresTheSetting)
{
    auto& setter = panel.getVelocity();
    KitMouse m (setter);
    m.down (10.0f, 27.0f);
    EXPECT_EQ (setter.getValue(), 100);
    m.drag (10.0f, -40.0f);
    EXPECT_EQ (setter.getValue(), 127);
    m.drag (10.0f, 125.0f);
    m.up (10.0f, 125.0f);
    EXPECT_EQ (setter.getValue(), 2);
    EXPECT_EQ (hub.getEditorSession().keyboardVelocity.load(), 2);

    m.down (50.0f, 0.0f);   // right of the bar: no drag
    m.drag (50.0f, 10.0f);
    EXPECT_EQ (setter.getValue(), 2);
}

TEST_F (Keys, NotesTheInstrumentHoldsLightTheirKeysAcrossOctaveChanges)
{
    auto& pad = panel.getPad();
    panel.showNote (40, true);   // E3 = key 4 at octave 3
    EXPECT_TRUE (pad.getKey (4).isLit());
    hub.getEditorSession().keyboardOctave = 2;
    panel.octaveChanged();
    EXPECT_FALSE (pad.getKey (4).isLit());
    EXPECT_TRUE (pad.getKey (16).isLit());
    EXPECT_EQ (panel.getOctaveStrip().getBase(), 24);
    panel.showNote (40, false);
    EXPECT_FALSE (pad.getKey (16).isLit());
    panel.showNote (200, true);   // out of range: ignored
}

TEST_F (Keys, TheGripResizesThePanelWithinItsLimits)
{
    // The grip is the top edge: it follows the pointer, the bottom edge stays. Pointer
    // positions are the panel's own, as events give them while the panel moves.
    panel.place (800, panelWidth, KeysPage::panelHeight);
    const int bottom = panel.getBottom();
    KitMouse m (panel);
    auto dragTo = [&] (int parentY) { m.drag (300.0f, (float) (parentY - panel.getY())); };
    m.down (300.0f, 5.0f);
    dragTo (805 - 400);
    EXPECT_EQ (panel.getHeight(), 572);
    EXPECT_EQ (panel.getBottom(), bottom);
    dragTo (805 - 700);   // past the tallest it may be
    EXPECT_EQ (panel.getHeight(), KeysPage::tallHeight);
    EXPECT_EQ (panel.getBottom(), bottom);
    dragTo (bottom + 300);
    EXPECT_EQ (panel.getHeight(), 64);
    EXPECT_EQ (panel.getBottom(), bottom);
    m.up (300.0f, 300.0f);

    panel.setTallestHeight (200);
    m.down (300.0f, 5.0f);
    dragTo (panel.getY() + 5 - 500);
    EXPECT_EQ (panel.getHeight(), 200);
    m.up (300.0f, 5.0f);

    m.down (300.0f, 40.0f);   // below the grip: no resize
    m.drag (300.0f, -100.0f);
    EXPECT_EQ (panel.getHeight(), 200);
    EXPECT_EQ (panel.getBottom(), bottom);
}

TEST_F (Keys, PanelRender)
{
    hub.getEditorSession().keyboardVelocity = 96;
    panel.getVelocity().setValue (96);
    panel.getPitchWheel().setValue (100);
    panel.getModWheel().setValue (40);
    pad().down (whiteX (9), 140.0f);    // E4 played from the panel
    panel.showNote (43, true);          // G3 and A#3 held by the instrument
    panel.showNote (46, true);
    panel.showNote (67, true);
    EXPECT_EQ (zd8test::compareWithReference (panel, "keyboard_panel"), juce::String());
    pad().up (whiteX (9), 140.0f);
}

//==============================================================================
// The computer-keyboard player.

namespace
{
    struct Player : ::testing::Test
    {
        PluginRig rig;
        VantorAudioProcessor processor { rig.environment };
        ControllerState& hub = processor.getHub();
        ComputerKeyboardPlayer player { processor.getEditorConnection() };
        std::set<int> held;   // key codes down, as the key-down check sees them

        void SetUp() override
        {
            rig.settle();
            rig.simulator.clearReceived();
            player.setKeyDownCheck ([this] (int code) { return held.count (code) > 0; });
        }

        bool press (int code) { return player.keyPressed (juce::KeyPress (code)); }
        void letGo (int upperCode)
        {
            held.erase (upperCode);
            player.keyStateChanged (false);
        }
        std::vector<juce::String> nothingMore()
        {
            rig.settle();
            return rig.receivedHex();
        }
    };
}

TEST_F (Player, LetterKeysPlayTheOctaveAndTheOtherKeysDoWhatTheTableSays)
{
    hub.setMidiChannel (5);
    struct Case
    {
        int key;
        bool taken;
        const char* status;   // nullptr: unchanged
        const char* bytes;    // nullptr: nothing sent
    };
    const Case cases[] = {
        { 'z', true, "Play Chn: 5 Key: C3 Vel: 100", "94 24 64" },
        { 'z', true, nullptr, nullptr },   // already sounding
        { 'S', true, "Play Chn: 5 Key: C#3 Vel: 100", "94 25 64" },   // capitals count
        { 'm', true, "Play Chn: 5 Key: B3 Vel: 100", "94 2F 64" },
        { 'u', true, "Note Velocity: 95", nullptr },
        { 'x', true, "Play Chn: 5 Key: D3 Vel: 95", "94 26 5F" },
        { 'i', true, "Note Velocity: 100", nullptr },
        { 'o', true, "Octave 0", nullptr },
        { 'c', true, "Play Chn: 5 Key: E2 Vel: 100", "94 1C 64" },
        { 'p', true, "Octave 1", nullptr },
        { juce::KeyPress::upKey, true, nullptr, nullptr },
        { juce::KeyPress::leftKey, true, nullptr, nullptr },
        { juce::KeyPress::F5Key, true, nullptr, nullptr },
        { juce::KeyPress::F6Key, true, nullptr, nullptr },
        { 'a', false, nullptr, nullptr },
        { '1', false, nullptr, nullptr },
        { juce::KeyPress::F7Key, false, nullptr, nullptr },
        { 0x1234, false, nullptr, nullptr },
    };

    std::vector<juce::String> expectedBytes;
    juce::String expectedStatus;
    for (const auto& c : cases)
    {
        EXPECT_EQ (press (c.key), c.taken) << "key " << c.key;
        if (c.status != nullptr)
            expectedStatus = c.status;
        EXPECT_EQ (player.getStatus(), expectedStatus) << "key " << c.key;
        if (c.bytes != nullptr)
        {
            expectedBytes.push_back (c.bytes);
            ASSERT_TRUE (rig.settle (expectedBytes.size()));
        }
    }
    EXPECT_EQ (nothingMore(), expectedBytes);
}

TEST_F (Player, OctaveAndVelocityStopAtTheirEnds)
{
    for (int i = 0; i < 10; ++i)
        press ('p');
    EXPECT_EQ (player.getBase(), 120);
    EXPECT_EQ (player.getStatus(), "Octave 8");
    for (int i = 0; i < 20; ++i)
        press ('o');
    EXPECT_EQ (player.getBase(), 0);
    EXPECT_EQ (player.getStatus(), "Octave -2");

    for (int i = 0; i < 10; ++i)
        press ('i');
    EXPECT_EQ (player.getVelocity(), 125) << "120 is below 122, 125 is not";
    for (int i = 0; i < 30; ++i)
        press ('u');
    EXPECT_EQ (player.getVelocity(), 0) << "5 is above 4, 0 is not";
    EXPECT_EQ (player.getStatus(), "Note Velocity: 0");
    EXPECT_TRUE (nothingMore().empty());
}

TEST_F (Player, ANoteEndsWhenItsOwnKeyIsLetGo)
{
    held = { 'V' };
    press ('v');   // F3
    held.insert ('B');
    press ('b');   // G3
    ASSERT_TRUE (rig.settle (2));

    letGo ('B');
    ASSERT_TRUE (rig.settle (3));
    EXPECT_TRUE (player.isSounding (41)) << "V is still held";
    EXPECT_FALSE (player.isSounding (43));
    player.keyStateChanged (true);   // another key went down: nothing to release
    letGo ('V');
    EXPECT_EQ (nothingMore(), (std::vector<juce::String> { "90 29 64", "90 2B 64", "80 2B 00", "80 29 00" }));
}

TEST_F (Player, NotesPast127DoNothingAndSpaceSilencesAll128)
{
    for (int i = 0; i < 10; ++i)
        press ('p');   // base 120
    held = { 'C', 'H' };
    press ('c');   // 124
    EXPECT_TRUE (press ('h'));   // 128: taken, not played
    EXPECT_FALSE (player.isSounding (128));
    ASSERT_TRUE (rig.settle (1));

    EXPECT_TRUE (press (' '));
    EXPECT_EQ (player.getStatus(), "All Notes OFF");
    ASSERT_TRUE (rig.settle (129));
    const auto received = rig.receivedHex();
    EXPECT_EQ (received.front(), "90 7C 64");
    EXPECT_EQ (received[1], "80 00 00");
    EXPECT_EQ (received.back(), "80 7F 00");
    EXPECT_FALSE (player.isSounding (124));
    letGo ('C');   // already silenced: nothing more
    EXPECT_EQ (nothingMore().size(), 129u);
}

TEST_F (Player, NoteNamesAndOctaveTextsFollowTheirOwnCounting)
{
    EXPECT_EQ (ComputerKeyboardPlayer::noteName (36), "C3");
    EXPECT_EQ (ComputerKeyboardPlayer::noteName (0), "C0");
    EXPECT_EQ (ComputerKeyboardPlayer::noteName (127), "G10");
    EXPECT_EQ (ComputerKeyboardPlayer::noteName (61), "C#5");
    press ('p');
    EXPECT_EQ (player.getStatus(), "Octave 2") << "base 48";
}

//==============================================================================
// In the window.

namespace
{
    /** The window as it opens, the About panel of the first opening still over it. */
    struct Window : zd8test::OpenWindow
    {
        void SetUp() override
        {
            settleOpening();
            rig.simulator.clearReceived();
        }

        void press (int identifier) { showTab (identifier); }

        void notice (juce::uint32 word)
        {
            hub.addNotice (word);
            main->handleUpdateNowIfNeeded();
        }

        std::vector<juce::MidiMessage> hostBound()
        {
            juce::MidiBuffer out;
            {
                const juce::ScopedLock sl (hub.getLock());
                hub.mergeHostBoundMidi (out, 256);
            }
            std::vector<juce::MidiMessage> messages;
            for (const auto m : out)
                messages.push_back (m.getMessage());
            return messages;
        }
    };
}

TEST_F (Window, KeysTabShowsAndHidesThePanelAtTheBottom)
{
    auto& keys = main->getKeyboard();
    EXPECT_FALSE (keys.isVisible());
    press (TabBar::keysTab);
    EXPECT_TRUE (hub.getEditorSession().keyboardShown.load());
    EXPECT_TRUE (keys.isVisible());
    EXPECT_EQ (keys.getBounds(), juce::Rectangle<int> (16, 730 - 24 - 172, 996, 172));   // on the status line
    press (TabBar::keysTab);
    EXPECT_FALSE (hub.getEditorSession().keyboardShown.load());
    EXPECT_FALSE (keys.isVisible());

    auto& footer = main->getFooter();
    EXPECT_EQ (footer.getKeyPlayer().getBounds(), StatusBar::getKeyIndicatorArea());
    EXPECT_TRUE (footer.getKeyPlayer().getWantsKeyboardFocus());
}

TEST_F (Window, WheelsSendBendAndModulationToTheInstrumentAndTheHost)
{
    hub.setMidiChannel (2);
    auto& pitch = main->getKeyboard().getPitchWheel();
    KitMouse m (pitch);
    m.down (10.0f, 50.0f);
    m.drag (10.0f, -200.0f);   // to the top: 127 * 128
    pitch.dispatchPendingMessages();
    m.up (10.0f, -200.0f);     // springs back to 64 * 128
    pitch.dispatchPendingMessages();

    auto& mod = main->getKeyboard().getModWheel();
    KitMouse w (mod);
    w.wheel (1.0f);
    w.wheel (1.0f);
    mod.dispatchPendingMessages();

    ASSERT_TRUE (rig.settle (3));
    EXPECT_EQ (rig.receivedHex(), (std::vector<juce::String> { "E1 00 7F", "E1 00 40", "B1 01 02" }));

    const auto host = hostBound();
    ASSERT_EQ (host.size(), 3u);
    EXPECT_EQ (host[0].getPitchWheelValue(), 16256);
    EXPECT_EQ (host[1].getPitchWheelValue(), 8192);
    EXPECT_TRUE (host[2].isControllerOfType (1));
    EXPECT_EQ (host[2].getControllerValue(), 2);
    EXPECT_EQ (host[2].getChannel(), 2);
}

TEST_F (Window, VelocityAndOctaveWidgetsSetTheHubsKeyboardSettings)
{
    auto& keys = main->getKeyboard();
    KitMouse v (keys.getVelocity());
    v.down (10.0f, 57.0f);
    v.up (10.0f, 57.0f);
    keys.getVelocity().dispatchPendingMessages();
    EXPECT_EQ (hub.getEditorSession().keyboardVelocity.load(), 70);

    KitMouse o (keys.getOctaveStrip());
    o.click (100.5f, 5.0f);   // octave 5
    keys.getOctaveStrip().dispatchPendingMessages();
    EXPECT_EQ (hub.getEditorSession().keyboardOctave.load(), 5);

    KitMouse pad (keys.getPad().getOverlay());
    pad.click (whiteX (0), 140.0f);
    ASSERT_TRUE (rig.settle (2));
    EXPECT_EQ (rig.receivedHex().front(), "90 3C 46");
}

TEST_F (Window, NoticesOfTheCurrentChannelMoveTheWheelsAndLightTheKeys)
{
    hub.setMidiChannel (4);   // notices carry channel 3
    auto& keys = main->getKeyboard();

    notice (0xB0030000u | 1u << 8 | 90u);
    EXPECT_EQ (keys.getModWheel().getValue(), 90);
    notice (0xB0050000u | 1u << 8 | 10u);   // another channel
    notice (0xB0030000u | 7u << 8 | 10u);   // another controller
    EXPECT_EQ (keys.getModWheel().getValue(), 90);

    notice (0xE0030000u | 0x3FFFu);
    EXPECT_EQ (keys.getPitchWheel().getValue(), 127);
    notice (0xE0030000u | 0x1000u);
    EXPECT_EQ (keys.getPitchWheel().getValue(), 32);
    notice (0xE0000000u | 0x3FFFu);
    EXPECT_EQ (keys.getPitchWheel().getValue(), 32);

    auto& pad = keys.getPad();
    notice (0x90030000u | 40u << 8 | 100u);   // E3: key 4
    notice (0x90000000u | 43u << 8 | 100u);   // another channel
    EXPECT_TRUE (pad.getKey (4).isLit());
    EXPECT_FALSE (pad.getKey (7).isLit());
    notice (0x80030000u | 40u << 8);
    EXPECT_FALSE (pad.getKey (4).isLit());
    notice (0x90030000u | 41u << 8 | 100u);
    notice (0x90030000u | 41u << 8);          // note on with velocity 0 ends it
    EXPECT_FALSE (pad.getKey (5).isLit());

    EXPECT_TRUE (rig.receivedHex().empty()) << "moving the wheels from a notice sends nothing";
}

TEST_F (Player, StripRender)
{
    player.setBounds (StatusBar::getKeyIndicatorArea());
    press ('c');
    EXPECT_EQ (zd8test::compareWithReference (player, "key_player"), juce::String());
}

//==============================================================================
// The panel's room in the window.

namespace
{
    /** The visible component of a page that takes clicks and reaches lowest in the
        window (window coordinates of its part on the page). */
    juce::Component* lowestClickable (juce::Component& page, juce::Component& window, juce::Rectangle<int>& part)
    {
        const auto pageArea = window.getLocalArea (&page, page.getLocalBounds());
        juce::Component* lowest = nullptr;
        std::function<void (juce::Component&)> visit = [&] (juce::Component& parent)
        {
            for (auto* child : parent.getChildren())
            {
                if (! child->isVisible())
                    continue;
                bool clicksSelf = false, clicksChildren = false;
                child->getInterceptsMouseClicks (clicksSelf, clicksChildren);
                const auto r = window.getLocalArea (&parent, child->getBounds()).getIntersection (pageArea);
                if (clicksSelf && ! r.isEmpty() && (lowest == nullptr || r.getBottom() > part.getBottom()))
                {
                    lowest = child;
                    part = r;
                }
                if (clicksChildren)
                    visit (*child);
            }
        };
        visit (page);
        return lowest;
    }

    struct WindowWithKeys : Window
    {
        void SetUp() override
        {
            Window::SetUp();
            closeFirstAbout();
        }
    };
}

TEST_F (WindowWithKeys, TheShownPanelTakesItsOwnRoomSoPagesAndTheStatusLineStayUncoveredAndClickable)
{
    const auto pageArea = main->getPageArea();
    const int windowHeight = editor->getHeight();
    auto& keys = main->getKeyboard();
    auto& footer = main->getFooter();
    zd8test::WindowMouse mouse (*main);

    for (int tab : { TabBar::mixerTab, TabBar::multiTab, TabBar::controlsTab })
    {
        press (tab);
        press (TabBar::keysTab);
        ASSERT_TRUE (keys.isVisible()) << tab;

        // The panel stands on the status line and the pages are laid out above it.
        EXPECT_EQ (editor->getHeight(), windowHeight) << tab;
        EXPECT_EQ (keys.getBottom(), footer.getY()) << tab;
        EXPECT_EQ (main->getPageArea().withBottom (pageArea.getBottom()), pageArea) << tab;
        EXPECT_EQ (shownPage (tab)->getBoundsInParent().getBottom(), keys.getY()) << tab;
        EXPECT_EQ (main->getPageArea().getBottom(), keys.getY()) << tab;
        EXPECT_FALSE (keys.getBounds().intersects (footer.getBounds())) << tab;

        // The page's lowest control takes a press at its middle.
        auto* shown = shownPage (tab);
        ASSERT_NE (shown, nullptr);
        juce::Rectangle<int> part;
        auto* lowest = lowestClickable (*shown, *main, part);
        ASSERT_NE (lowest, nullptr) << tab;
        auto* hit = mouse.target (part.getCentre());
        EXPECT_TRUE (hit == lowest || lowest->isParentOf (hit))
            << tab << ": a press on " << part.toString() << " reaches "
            << (hit != nullptr ? hit->getName() + " " + hit->getBounds().toString() : juce::String ("nothing"));

        // So does the status line's key strip, and the line's text is under nothing.
        auto& strip = footer.getKeyPlayer();
        EXPECT_EQ (mouse.target (main->getLocalArea (&footer, strip.getBounds()).getCentre()), &strip) << tab;
        EXPECT_EQ (mouse.target (main->getLocalPoint (&footer, juce::Point<int> (60, 10))), main)
            << tab << ": the status text is covered";

        press (TabBar::keysTab);
        EXPECT_FALSE (keys.isVisible());
        EXPECT_EQ (editor->getHeight(), windowHeight) << tab;
        EXPECT_EQ (main->getPageArea(), pageArea) << tab;
    }
}

TEST_F (WindowWithKeys, TheGripMovesThePanelsTopEdgeAndThePagesMakeRoom)
{
    press (TabBar::keysTab);
    auto& keys = main->getKeyboard();
    const auto shown = keys.getBounds();
    const auto footerBounds = main->getFooter().getBounds();
    zd8test::WindowMouse mouse (*main);
    // A grip point clear of the octave strip, which shares the top strip.
    const int x = shown.getX() + 120;
    auto dragGrip = [&] (int dy)
    {
        const int y = keys.getY() + 8;
        EXPECT_EQ (mouse.drag ({ x, y }, { { x, y + dy / 2 }, { x, y + dy } }), &keys);
    };

    struct Case { int dy; int expectedHeight; };
    const int tallest = footerBounds.getY() - MainPanel::topBarHeight - MainPanel::mixerStripHeight;
    for (const auto& c : { Case { -100, 272 }, Case { 150, 122 }, Case { 400, KeysPage::minHeight },
                           Case { -2000, tallest } })
    {
        dragGrip (c.dy);
        EXPECT_EQ (keys.getHeight(), c.expectedHeight) << c.dy;
        EXPECT_EQ (keys.getBottom(), shown.getBottom()) << c.dy << ": the bottom edge stays on the status line";
        EXPECT_EQ (keys.getX(), shown.getX());
        EXPECT_EQ (main->getPageArea().getBottom(), keys.getY()) << c.dy;
        EXPECT_EQ (main->getMixer().getBoundsInParent().getBottom(), keys.getY()) << c.dy;
        EXPECT_EQ (main->getFooter().getBounds(), footerBounds);
    }
}

// Notes the window started end when the window lets go of them: the computer-keyboard
// player's and the on-screen keys' notes get exactly one note-off each, on the channel
// they started on, when the window loses the keyboard focus, when the page changes,
// when the editor is deleted and when the library window closes; a key still held or a
// mouse still down afterwards sends nothing more.

#include "editor/library/LibraryButton.h"
#include "editor/library/LibraryContent.h"
#include "editor/pages/KeysPage.h"
#include "editor/shell/ComputerKeyboardPlayer.h"
#include "editor/shell/MainPanel.h"
#include "editor/shell/StatusBar.h"
#include "editor/shell/TabBar.h"
#include "editor/shell/VantorAudioProcessorEditor.h"
#include "plugin/VantorAudioProcessor.h"
#include "support/PluginRig.h"
#include "KeyDelivery.h"
#include "KitMouse.h"

#include <gtest/gtest.h>

#include <set>

using namespace zd8;
using zd8test::KitMouse;
using zd8test::keyStateChange;
using zd8test::pressKey;
using zd8test::PluginRig;

namespace
{
    enum class Source { computerKey, screenKey };
    enum class Event { focusLost, pageChanged, editorDeleted, libraryClosed, libraryFocusLost };

    const char* nameOf (Source s) { return s == Source::computerKey ? "Z held on the computer keyboard" : "mouse held on the first white key"; }
    const char* nameOf (Event e)
    {
        switch (e)
        {
            case Event::focusLost: return "focus lost";
            case Event::pageChanged: return "page changed";
            case Event::editorDeleted: return "editor deleted";
            case Event::libraryClosed: return "library window closed";
            case Event::libraryFocusLost: return "library window lost the focus";
        }
        return "";
    }


    // The window deactivated, as the framework reports it: the component that had the
    // focus loses it, then each of its parents hears that the focus left its children.
    void loseFocus (juce::Component& focused)
    {
        focused.focusLost (juce::Component::focusChangedByMouseClick);
        for (auto* c = focused.getParentComponent(); c != nullptr; c = c->getParentComponent())
            c->focusOfChildComponentChanged (juce::Component::focusChangedByMouseClick);
    }

    constexpr float firstWhiteX = 12.0f, lowOnTheKey = 140.0f;
    constexpr float fourthWhiteX = 87.0f;

    struct HeldNotes : ::testing::Test
    {
        PluginRig rig;
        VantorAudioProcessor processor { rig.environment };
        ControllerState& hub = processor.getHub();
        std::set<int> held;

        void SetUp() override
        {
            hub.setMidiChannel (3);
            rig.settle();
        }

        // Note messages the instrument received, as hex.
        std::vector<juce::String> notesReceived()
        {
            rig.settle();
            std::vector<juce::String> notes;
            for (auto& line : rig.receivedHex())
                if (line.startsWith ("8") || line.startsWith ("9"))
                    notes.push_back (line);
            return notes;
        }
    };
}

TEST_F (HeldNotes, EveryNoteTheWindowStartedEndsOnceOnItsChannelWhenTheWindowLetsGo)
{
    const std::vector<juce::String> onThenOff { "92 24 64", "82 24 00" };

    struct Case { Source source; Event event; };
    const Case cases[] = {
        { Source::computerKey, Event::focusLost },
        { Source::computerKey, Event::pageChanged },
        { Source::computerKey, Event::editorDeleted },
        { Source::computerKey, Event::libraryClosed },
        { Source::computerKey, Event::libraryFocusLost },
        { Source::screenKey, Event::focusLost },
        { Source::screenKey, Event::pageChanged },
        { Source::screenKey, Event::editorDeleted },
    };

    for (const auto& c : cases)
    {
        SCOPED_TRACE (juce::String (nameOf (c.source)) + ", " + nameOf (c.event));
        held.clear();
        hub.setMidiChannel (3);
        rig.settle();
        rig.simulator.clearReceived();

        if (c.event == Event::libraryClosed || c.event == Event::libraryFocusLost)
        {
            auto content = std::make_unique<LibraryContent> (processor.getEditorConnection());
            content->setSize (900, 620);
            auto& player = content->getKeyPlayer();
            player.setKeyDownCheck ([this] (int code) { return held.count (code) > 0; });
            held.insert ('Z');
            EXPECT_TRUE (pressKey (*content, 'z'));
            EXPECT_EQ (notesReceived(), std::vector<juce::String> { "92 24 64" });

            // The channel moves on meanwhile; the note ends where it started.
            hub.setMidiChannel (5);
            if (c.event == Event::libraryFocusLost)
            {
                // The window gives its content the focus.
                loseFocus (*content);
                EXPECT_EQ (notesReceived(), onThenOff);
                held.clear();
                keyStateChange (*content, false);
                EXPECT_EQ (notesReceived(), onThenOff);
                continue;
            }
            KitMouse (content->getButton (LibraryContent::doneButton)).click (5.0f, 5.0f);
            content->dispatchPendingMessages();
            ASSERT_EQ (content->getLastReport(), LibraryContent::doneReport);
            content.reset();   // what the main window does with the report
            EXPECT_EQ (notesReceived(), onThenOff);
            continue;
        }

        std::unique_ptr<juce::AudioProcessorEditor> editor (processor.createEditor());
        auto& main = dynamic_cast<VantorAudioProcessorEditor&> (*editor).getMainPanel();
        if (! main.isKeyboardShown())
        {
            main.getTabBar().report (TabBar::keysTab);
            main.getTabBar().dispatchPendingMessages();
        }
        auto& player = main.getFooter().getKeyPlayer();
        player.setKeyDownCheck ([this] (int code) { return held.count (code) > 0; });
        KitMouse pad (main.getKeyboard().getPad().getOverlay());
        rig.settle();
        rig.simulator.clearReceived();

        if (c.source == Source::computerKey)
        {
            KitMouse (player).click (10.0f, 10.0f);
            held.insert ('Z');
            EXPECT_TRUE (pressKey (player, 'z'));
        }
        else
        {
            pad.down (firstWhiteX, lowOnTheKey);
        }
        EXPECT_EQ (notesReceived(), std::vector<juce::String> { "92 24 64" });
        hub.setMidiChannel (5);

        switch (c.event)
        {
            case Event::focusLost: loseFocus (player); break;
            case Event::pageChanged:
                main.getTabBar().report (TabBar::controlsTab);
                main.getTabBar().dispatchPendingMessages();
                EXPECT_TRUE (main.isControlsPageShown());
                break;
            case Event::editorDeleted: editor.reset(); break;
            case Event::libraryClosed:
            case Event::libraryFocusLost: break;
        }
        EXPECT_EQ (notesReceived(), onThenOff);

        // The hand lets go afterwards: nothing more reaches the instrument.
        if (editor != nullptr)
        {
            if (c.source == Source::computerKey)
            {
                held.clear();
                keyStateChange (player, false);
            }
            else
            {
                pad.drag (firstWhiteX + 3.0f, lowOnTheKey);
                pad.drag (fourthWhiteX, lowOnTheKey);
                pad.drag (fourthWhiteX + 3.0f, lowOnTheKey);
                pad.up (fourthWhiteX + 3.0f, lowOnTheKey);
            }
            EXPECT_EQ (notesReceived(), onThenOff);
        }
    }
}

// Hiding the keyboard panel with KEYS while a key sounds ends the note.
TEST_F (HeldNotes, HidingTheKeyboardPanelEndsItsNotes)
{
    std::unique_ptr<juce::AudioProcessorEditor> editor (processor.createEditor());
    auto& main = dynamic_cast<VantorAudioProcessorEditor&> (*editor).getMainPanel();
    if (! main.isKeyboardShown())
    {
        main.getTabBar().report (TabBar::keysTab);
        main.getTabBar().dispatchPendingMessages();
    }
    rig.settle();
    rig.simulator.clearReceived();

    KitMouse pad (main.getKeyboard().getPad().getOverlay());
    pad.down (firstWhiteX, lowOnTheKey);
    main.getTabBar().report (TabBar::keysTab);
    main.getTabBar().dispatchPendingMessages();
    EXPECT_FALSE (main.isKeyboardShown());
    const std::vector<juce::String> onThenOff { "92 24 64", "82 24 00" };
    EXPECT_EQ (notesReceived(), onThenOff);
    pad.up (firstWhiteX, lowOnTheKey);
    EXPECT_EQ (notesReceived(), onThenOff);
}

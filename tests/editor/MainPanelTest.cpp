#include "editor/shell/AboutPanel.h"
#include "editor/shell/TabBar.h"
#include "editor/shell/StatusBar.h"
#include "editor/kit/EditEvent.h"
#include "editor/shell/MainPanel.h"
#include "editor/kit/KitButton.h"
#include "editor/shell/VantorAudioProcessorEditor.h"
#include "editor/pages/MixerPage.h"
#include "editor/pages/KeysPage.h"
#include "editor/pages/MidiSetupPanel.h"
#include "editor/pages/ProgramPage.h"
#include "plugin/VantorAudioProcessor.h"
#include "support/PluginRig.h"
#include "support/RenderCheck.h"
#include "KitMouse.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

using namespace zd8;
using zd8test::PluginRig;

namespace
{
    constexpr int playingModeSlot = ParameterTable::playingModeSlot;

    // A plug-in instance whose window can be opened and closed as a host does.
    struct Instance
    {
        Instance() { open(); }

        void open()
        {
            editor.reset (processor.createEditor());
            window = dynamic_cast<VantorAudioProcessorEditor*> (editor.get());
            ASSERT_NE (window, nullptr);
        }

        void close()
        {
            editor.reset();
            window = nullptr;
        }

        MainPanel& main() { return window->getMainPanel(); }
        ControllerState& hub() { return processor.getHub(); }

        /** A tab press as the top bar reports it, delivered. */
        void press (int identifier)
        {
            main().getTabBar().report (identifier);
            main().getTabBar().dispatchPendingMessages();
        }

        /** The asynchronous update the hub's listener call scheduled. */
        void pump() { main().handleUpdateNowIfNeeded(); }

        void closeFirstAbout()
        {
            if (main().getAboutPanel() != nullptr)
                press (TabBar::aboutTab);
            pump();
        }

        bool tabOn (int identifier) { return main().getTabBar().getTab (identifier)->isOn(); }

        PluginRig rig;
        VantorAudioProcessor processor { rig.environment };
        std::unique_ptr<juce::AudioProcessorEditor> editor;
        VantorAudioProcessorEditor* window = nullptr;
    };

    // What the window shows, compared as a whole.
    struct Shown
    {
        bool mixer, mixerStrip, program, setup, about, keyboard;
        int mode;

        bool operator== (const Shown& o) const
        {
            return mixer == o.mixer && mixerStrip == o.mixerStrip && program == o.program && setup == o.setup
                && about == o.about && keyboard == o.keyboard && mode == o.mode;
        }
    };

    std::ostream& operator<< (std::ostream& os, const Shown& s)
    {
        return os << "{mixer " << s.mixer << " strip " << s.mixerStrip << " program " << s.program << " setup " << s.setup
                  << " about " << s.about << " keyboard " << s.keyboard << " mode " << s.mode << "}";
    }

    Shown shown (Instance& w)
    {
        auto& m = w.main();
        return { m.isMixerShown(), m.isMixerStrip(), m.isProgramPageShown(), m.getSetupPanel() != nullptr,
                 m.getAboutPanel() != nullptr, m.isKeyboardShown(), w.hub().getParameters().value (playingModeSlot) };
    }
}

//==============================================================================
TEST (MainPanel, OpensOnTheMixerWithTheAboutPanelOverItAndAsksWhoIsThere)
{
    Instance w;
    auto& m = w.main();

    EXPECT_EQ (w.window->getWidth(), 1028);
    EXPECT_EQ (w.window->getHeight(), 730);
    EXPECT_EQ (m.getBounds(), juce::Rectangle<int> (0, 0, 1028, 730));
    EXPECT_EQ (m.getTabBar().getBounds(), juce::Rectangle<int> (16, 0, 1028, 64));
    EXPECT_EQ (m.getFooter().getBounds(), juce::Rectangle<int> (16, 706, 996, 20));
    EXPECT_TRUE (m.isMixerShown());
    EXPECT_EQ (m.getMixer().getBounds(), juce::Rectangle<int> (16, 64, 996, 646));
    EXPECT_EQ (w.hub().getEditorSession().getCurrentPage(), 'q');
    EXPECT_TRUE (w.tabOn (TabBar::programTab));
    EXPECT_FALSE (w.tabOn (TabBar::multiTab));
    ASSERT_NE (m.getAboutPanel(), nullptr);
    EXPECT_EQ (m.getAboutPanel()->getBounds(), m.getLocalBounds());
    EXPECT_EQ (m.getAboutPanel()->getVersionLabelText(), "Version: 1.2.0 - 0 3 7");

    // The identity request says "OFF-LINE" until the simulator's reply names it.
    ASSERT_TRUE (w.rig.settle (1));
    w.pump();
    EXPECT_EQ (m.getFooter().getText(), w.hub().getDeviceName() + ": ON-LINE");
    EXPECT_TRUE (w.hub().getDeviceName().isNotEmpty());
    w.hub().addNotice (ControllerState::identityRequestNotice);
    w.pump();
    EXPECT_EQ (m.getFooter().getText(), "OFF-LINE");
}

TEST (MainPanel, EachTabDoesItsOwnThing)
{
    // From the mixer page in program mode, nothing open, one press each.
    const Shown start { true, false, false, false, false, false, 1 };
    struct Case
    {
        int identifier;
        Shown after;
        char page;
    };
    const Case cases[] = {
        { TabBar::programTab, { true, true, true, false, false, false, 1 }, 'z' },
        { TabBar::multiTab, { false, false, false, false, false, false, 2 }, '{' },
        { TabBar::midiTab, { true, false, false, true, false, false, 1 }, 'q' },
        { TabBar::keysTab, { true, false, false, false, false, true, 1 }, 'q' },
        { TabBar::mixerTab, start, 'q' },
        { TabBar::controlsTab, { false, false, false, false, false, false, 1 }, 'o' },
        { TabBar::aboutTab, { true, false, false, false, true, false, 1 }, 'q' },
        { TabBar::libraryButton, start, 'q' }, // nor is the library window
    };

    for (const auto& c : cases)
    {
        SCOPED_TRACE (c.identifier);
        Instance w;
        w.closeFirstAbout();
        ASSERT_EQ (shown (w), start);

        w.press (c.identifier);
        EXPECT_EQ (shown (w), c.after);
        EXPECT_EQ (w.hub().getEditorSession().getCurrentPage(), c.page);
        EXPECT_EQ (w.main().getWindowMode(), c.after.mode);
        EXPECT_EQ (w.tabOn (TabBar::programTab), c.after.mode == 1);
        EXPECT_EQ (w.tabOn (TabBar::multiTab), c.after.mode == 2);
    }
}

TEST (MainPanel, ProgramTabShowsTheCurrentChannelUnderTheMixerRow)
{
    Instance w;
    w.closeFirstAbout();
    w.hub().setMidiChannel (5);
    w.hub().setFromEditor (ParameterTable::programSlot (4, ParameterTable::programRow), 37, false, false);
    w.press (TabBar::programTab);

    auto& m = w.main();
    ASSERT_NE (m.getProgramPage(), nullptr);
    EXPECT_EQ (m.getProgramPage()->getChannel(), 4);
    EXPECT_EQ (m.getProgramPage()->getBounds(), juce::Rectangle<int> (16, 126, 996, 584));
    EXPECT_TRUE (m.getProgramPage()->isVisible());
    EXPECT_EQ (m.getMixer().getBounds(), juce::Rectangle<int> (16, 64, 996, 62));

    // The chooser lists every program, with the channel's own one selected.
    const int program = w.hub().getParameters().value (ParameterTable::programSlot (4, ParameterTable::programRow));
    auto& list = m.getProgramPage()->getProgramList();
    EXPECT_EQ (list.getCount(), (int) w.hub().getImage().getPrograms().listIds (4, 0).size());
    EXPECT_GT (list.getCount(), 100);
    EXPECT_EQ (program, 37);
    EXPECT_EQ (list.getSelectedId(), program);

    // Back to the mixer: the program page is parked out of sight.
    w.press (TabBar::mixerTab);
    EXPECT_FALSE (m.getProgramPage()->isVisible());
    EXPECT_LT (m.getProgramPage()->getX(), -1000);
    EXPECT_EQ (m.getMixer().getBounds(), m.getPageArea());

    // The keyboard stays in front of whatever page comes.
    w.press (TabBar::keysTab);
    w.press (TabBar::programTab);
    EXPECT_EQ (m.getIndexOfChildComponent (&m.getKeyboard()) > m.getIndexOfChildComponent (m.getProgramPage()), true);
    EXPECT_EQ (m.getKeyboard().getBounds(), juce::Rectangle<int> (16, 730 - 24 - 172, 996, 172));   // on the status line
}

TEST (MainPanel, AnyTabWhileTheMidiSetupIsOpenOnlyClosesIt)
{
    const int identifiers[] = { TabBar::programTab, TabBar::multiTab, TabBar::midiTab, TabBar::keysTab,
                                TabBar::mixerTab, TabBar::controlsTab, TabBar::aboutTab, TabBar::libraryButton };
    Instance w;
    w.closeFirstAbout();
    const auto before = shown (w);

    for (int id : identifiers)
    {
        SCOPED_TRACE (id);
        w.press (TabBar::midiTab);
        ASSERT_NE (w.main().getSetupPanel(), nullptr);
        auto* panel = w.main().getSetupPanel();
        EXPECT_TRUE (panel->isVisible());

        w.press (id);
        EXPECT_EQ (w.main().getSetupPanel(), nullptr);
        EXPECT_EQ (shown (w), before);
        EXPECT_EQ (w.main().getIndexOfChildComponent (panel), -1);
        w.pump();   // the panel is deleted after its closing call returns
    }
}

TEST (MainPanel, MidiSetupRequestsReachTheHubAndOkClosesThePanel)
{
    Instance w;
    w.closeFirstAbout();
    w.press (TabBar::midiTab);
    auto* panel = w.main().getSetupPanel();
    ASSERT_NE (panel, nullptr);

    w.main().setupRequest (MidiSetupPanel::requestClock, 1);
    EXPECT_TRUE (w.hub().isClockOn());
    EXPECT_EQ (w.hub().getSettings().get (SettingsList::clockOnEntry), "1");
    w.main().setupRequest (MidiSetupPanel::requestThruInToHost, 1);
    EXPECT_TRUE (w.hub().isThruInToHost());
    EXPECT_EQ (w.hub().getSettings().get (SettingsList::thruInToHostEntry), "1");

    w.main().setupRequest (MidiSetupPanel::requestOutputPort, 0);
    EXPECT_FALSE (w.hub().getPorts().isOutputOpen());
    EXPECT_FALSE (panel->isOutputLampOn());
    w.pump();
    EXPECT_EQ (panel->getStatus(), "OFF-LINE");

    w.main().setupRequest (MidiSetupPanel::requestOk, 0);
    EXPECT_EQ (w.main().getSetupPanel(), nullptr);
    w.pump();

    // "RECEIVE DATA" closes the panel too; the dialog itself opens in its own place.
    w.press (TabBar::midiTab);
    w.main().setupRequest (MidiSetupPanel::requestReceiveData, 0);
    EXPECT_EQ (w.main().getSetupPanel(), nullptr);
    w.pump();
}

//==============================================================================
TEST (MainPanel, AboutOpensOnceByItselfClosesAfterTwoSecondsAndToggles)
{
    Instance w;
    auto* about = w.main().getAboutPanel();
    ASSERT_NE (about, nullptr);
    EXPECT_EQ (about->getClosingDelay(), MainPanel::firstAboutDelayMs);
    EXPECT_TRUE (about->isTimerRunning());
    EXPECT_EQ (about->getTimerInterval(), 2000);
    EXPECT_TRUE (about->isCurrentlyModal (false));

    about->timerCallback();                  // the 2000 ms ran out
    EXPECT_FALSE (about->isTimerRunning());
    about->dispatchPendingMessages();
    EXPECT_EQ (w.main().getAboutPanel(), nullptr);
    w.pump();

    // A new window of the same instance does not show it again.
    w.close();
    w.open();
    EXPECT_EQ (w.main().getAboutPanel(), nullptr);

    // From the tab it stays until asked: the tab again, or a click on it.
    w.press (TabBar::aboutTab);
    about = w.main().getAboutPanel();
    ASSERT_NE (about, nullptr);
    EXPECT_EQ (about->getClosingDelay(), 0);
    EXPECT_FALSE (about->isTimerRunning());
    w.press (TabBar::aboutTab);
    EXPECT_EQ (w.main().getAboutPanel(), nullptr);
    w.pump();

    w.press (TabBar::aboutTab);
    about = w.main().getAboutPanel();
    ASSERT_NE (about, nullptr);
    zd8test::KitMouse (*about).click (500.0f, 400.0f);
    about->dispatchPendingMessages();
    EXPECT_EQ (w.main().getAboutPanel(), nullptr);
    w.pump();

    // A second instance shows it once more.
    Instance other;
    EXPECT_NE (other.main().getAboutPanel(), nullptr);
}

TEST (MainPanel, ResizingStopsAtTheLimitsAndIsRememberedForTheNextWindow)
{
    // The window scales its panel, laid out at 1028x730, between 75 % and 200 %.
    Instance w;
    w.window->setBoundsConstrained ({ 0, 0, 3000, 3000 });
    EXPECT_EQ (w.window->getWidth(), 2056);
    EXPECT_EQ (w.window->getHeight(), 1460);
    EXPECT_EQ (w.main().getBounds(), juce::Rectangle<int> (0, 0, 1028, 730));
    EXPECT_EQ (w.processor.editorWidth, 2056);
    EXPECT_EQ (w.processor.editorHeight, 1460);
    EXPECT_EQ (w.hub().getSettings().get (6), "2056");
    EXPECT_EQ (w.hub().getSettings().get (7), "1460");
    EXPECT_EQ (w.main().getMixer().getBounds(), juce::Rectangle<int> (16, 64, 996, 646));

    w.close();
    w.open();
    EXPECT_EQ (w.window->getWidth(), 2056);
    EXPECT_EQ (w.window->getHeight(), 1460);

    w.window->setBoundsConstrained ({ 0, 0, 10, 10 });
    EXPECT_EQ (w.window->getWidth(), 771);
    EXPECT_EQ (w.window->getHeight(), 548);
}

TEST (MainPanel, HostChangingThePlayingModeBringsTheMixerBack25msLaterOnce)
{
    Instance w;
    w.closeFirstAbout();
    auto& m = w.main();
    w.press (TabBar::programTab);
    ASSERT_TRUE (m.isProgramPageShown());

    // The host automates "Playing Mode" to multi.
    w.processor.setSlotNormalised (playingModeSlot, 1.0f);
    ASSERT_EQ (w.hub().getParameters().value (playingModeSlot), 2);
    w.pump();
    EXPECT_TRUE (m.isTimerRunning());
    EXPECT_EQ (m.getTimerInterval(), MainPanel::playingModeCheckMs);
    EXPECT_TRUE (m.isProgramPageShown()) << "nothing changes before the 25 ms";

    m.timerCallback();
    EXPECT_FALSE (m.isTimerRunning());
    EXPECT_FALSE (m.isProgramPageShown());
    EXPECT_TRUE (m.isMixerShown());
    EXPECT_FALSE (m.isMixerStrip());

    // The user opens a program page again; the same value from the host does nothing.
    auto& headerSlot = m.getMixer().getHeader().getSlot (3);
    zd8test::KitMouse (headerSlot).click (20.0f, 12.0f);
    headerSlot.dispatchPendingMessages();
    m.getMixer().dispatchPendingMessages();
    ASSERT_TRUE (m.isProgramPageShown());
    EXPECT_EQ (m.getProgramPage()->getChannel(), 3);
    EXPECT_EQ (w.hub().getMidiChannel(), 4);

    w.processor.setSlotNormalised (playingModeSlot, 1.0f);
    w.pump();
    EXPECT_FALSE (m.isTimerRunning());
    EXPECT_TRUE (m.isProgramPageShown());

    // A change back to the mode the window set: checked, and nothing to do.
    w.processor.setSlotNormalised (playingModeSlot, 0.0f);
    w.pump();
    ASSERT_TRUE (m.isTimerRunning());
    m.timerCallback();
    EXPECT_TRUE (m.isProgramPageShown());
}

TEST (MainPanel, NoteOnsRaiseTheMixerMeterButNeverLowerIt)
{
    Instance w;
    w.closeFirstAbout();
    auto& mixer = w.main().getMixer();
    auto noteOn = [&] (int channel, int note, int velocity)
    {
        w.hub().addNotice ((juce::uint32) (0x90 << 24 | channel << 16 | note << 8 | velocity));
        w.pump();
    };

    noteOn (2, 60, 100);
    EXPECT_EQ (mixer.getPeak (2), 100);
    noteOn (2, 62, 40);
    EXPECT_EQ (mixer.getPeak (2), 100) << "a softer note leaves the meter";
    noteOn (2, 64, 100);
    EXPECT_EQ (mixer.getPeak (2), 100);
    noteOn (2, 65, 120);
    EXPECT_EQ (mixer.getPeak (2), 120);
    EXPECT_EQ (mixer.getPeak (3), 0) << "only the note's channel";
}

TEST (MainPanel, ProgramPageEventsSetTheProgramAndCloseThePage)
{
    Instance w;
    w.closeFirstAbout();
    auto& m = w.main();
    w.press (TabBar::programTab);
    const int channel = w.hub().getMidiChannel() - 1;
    const int slot = ParameterTable::programSlot (channel, ParameterTable::programRow);

    m.programPageEvent (EditEvent::make (EditEvent::chosen, ParameterTable::programRow, 0, channel, 42));
    EXPECT_EQ (w.hub().getParameters().value (slot), 42);
    EXPECT_TRUE (m.getProgramPage()->isRefreshPending());
    w.pump();
    EXPECT_EQ (m.getMixer().getProgramNumberText (channel), "0042");

    m.programPageEvent (EditEvent::make (EditEvent::closePage, 0, 0, channel, 0));
    EXPECT_FALSE (m.isProgramPageShown());
    EXPECT_TRUE (m.isMixerShown());
    EXPECT_FALSE (m.isMixerStrip());
}

//==============================================================================
// The hub's notices are written on the MIDI input and audio threads while the window
// drains them on the message thread: every word must arrive once, whole and in each
// writer's order. (The slot notices have their one reader in the engine connection,
// tested with it.)
TEST (MainPanel, DrainUnderConcurrentWritersLosesAndTearsNothing)
{
    Instance w;
    w.closeFirstAbout();
    auto& hub = w.hub();

    constexpr int writers = 2, perWriter = 3000;   // within the lists' capacity
    auto noticeWord = [] (int writer, int seq)
    {
        const auto check = (juce::uint32) ((seq * 131 + writer * 71 + 17) & 0xFF);
        return (juce::uint32) ((0x20 + writer) << 24) | (juce::uint32) seq << 8 | check;
    };

    std::array<int, writers> nextNotice {};
    int torn = 0, outOfOrder = 0;
    w.main().setDrainObserver ([&] (const std::vector<juce::uint32>& notices)
    {
        for (auto n : notices)
        {
            const int code = (int) (n >> 24);
            if (code < 0x20 || code >= 0x20 + writers)
                continue;   // the window's own notices (identity)
            const int writer = code - 0x20, seq = (int) ((n >> 8) & 0xFFFF);
            if (n != noticeWord (writer, seq))
                ++torn;
            else if (seq != nextNotice[(size_t) writer]++)
                ++outOfOrder;
        }
    });

    std::atomic<bool> go { false };
    std::atomic<int> finished { 0 };
    std::vector<std::thread> threads;
    for (int t = 0; t < writers; ++t)
        threads.emplace_back ([&, t]
        {
            while (! go.load())
                std::this_thread::yield();
            for (int i = 0; i < perWriter; ++i)
            {
                hub.addNotice (noticeWord (t, i));
                if (i % 100 == 99)   // pace the writers so that the drains fall between their words
                    std::this_thread::sleep_for (std::chrono::microseconds (50));
            }
            ++finished;
        });

    int drains = 0;
    go = true;
    while (finished.load() < writers)
    {
        const auto before = nextNotice[0] + nextNotice[1];
        w.main().drainNotices();
        drains += nextNotice[0] + nextNotice[1] != before ? 1 : 0;
    }
    for (auto& t : threads)
        t.join();
    w.main().drainNotices();

    EXPECT_EQ (torn, 0);
    EXPECT_EQ (outOfOrder, 0);
    for (int t = 0; t < writers; ++t)
        EXPECT_EQ (nextNotice[(size_t) t], perWriter) << "notices lost from writer " << t;
    EXPECT_GT (drains, 1);
    w.pump();
}

//==============================================================================
TEST (MainPanel, RendersTheMixerPageAndTheAboutPanel)
{
    Instance w;
    ASSERT_NE (w.main().getAboutPanel(), nullptr);
    EXPECT_EQ (zd8test::compareWithReference (*w.window, "editor_about"), "");

    w.closeFirstAbout();
    w.main().getFooter().setText ("ZD8: ON-LINE");
    EXPECT_EQ (zd8test::compareWithReference (*w.window, "editor_mixer"), "");
}


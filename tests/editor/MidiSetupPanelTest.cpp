#include "KitMouse.h"
#include "editor/shell/TabBar.h"
#include "editor/shell/MainPanel.h"
#include "editor/kit/Pictures.h"
#include "editor/shell/VantorAudioProcessorEditor.h"
#include "editor/pages/MidiSetupPanel.h"
#include "plugin/VantorAudioProcessor.h"
#include "support/PluginRig.h"
#include "support/RenderCheck.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>

using namespace zd8;
using zd8test::PluginRig;

namespace
{
    const juce::String simulatorName = zd8sim::InstrumentSimulator::defaultName;
    const juce::String identityRequest = "F0 7E 7F 06 01 F7";
    // The last message of the plug-in's answer to an identity reply.
    const juce::String lastOfIdentityAnswer = "BF 77 7F";

    // The plug-in answers an identity reply from the MIDI input thread, after the
    // simulator has delivered it: a count of what the simulator received is only
    // final once every identity request has been answered whole.
    bool identityExchangesDone (PluginRig& rig)
    {
        for (int attempt = 0; attempt < 400; ++attempt)
        {
            if (! rig.settle())
                return false;
            const auto lines = rig.receivedHex();
            if (std::count (lines.begin(), lines.end(), lastOfIdentityAnswer)
                >= std::count (lines.begin(), lines.end(), identityRequest))
                return true;
            juce::Thread::sleep (5);
        }
        return false;
    }

    // The panel as the window opens it from the MIDI tab: the window's main component
    // carries out the panel's requests on the hub and shows the identity notices in it.
    // The owner only records the requests and the notices the window takes.
    struct Owner : MidiSetupPanelListener
    {
        explicit Owner (VantorAudioProcessor& p) : editor (p.createEditor())
        {
            window = dynamic_cast<VantorAudioProcessorEditor*> (editor.get());
            if (window == nullptr)
                throw std::runtime_error ("the processor made no window");
            main().setDrainObserver ([this] (const std::vector<juce::uint32>& words)
                                     { notices.insert (notices.end(), words.begin(), words.end()); });
            if (main().getAboutPanel() != nullptr)
                press (TabBar::aboutTab);   // the About panel of the first opening
            main().drainNotices();
        }

        ~Owner() override
        {
            if (panel != nullptr)
                panel->removeListener (this);
            main().setDrainObserver ({});
        }

        MainPanel& main() { return window->getMainPanel(); }

        void press (int tab)
        {
            main().getTabBar().report (tab);
            main().getTabBar().dispatchPendingMessages();
        }

        /** Opens the panel with a click on the MIDI tab, as the user does. */
        MidiSetupPanel& openWithMouse()
        {
            auto* tab = main().getTabBar().getTab (TabBar::midiTab);
            if (tab == nullptr)
                throw std::runtime_error ("the top bar has no MIDI tab");
            zd8test::KitMouse (*tab).click (5.0f, 5.0f);
            main().getTabBar().dispatchPendingMessages();
            return adoptPanel();
        }

        MidiSetupPanel& open()
        {
            press (TabBar::midiTab);
            return adoptPanel();
        }

        MidiSetupPanel& adoptPanel()
        {
            panel = main().getSetupPanel();
            if (panel == nullptr)
                throw std::runtime_error ("the MIDI tab opened no panel");
            panel->addListener (this);
            pumpNotices();
            return *panel;
        }

        /** Closes the panel as the window does when it is still open (any tab closes
            it), and lets the window delete it. */
        void finishClosing()
        {
            panel->removeListener (this);
            if (main().getSetupPanel() != nullptr)
                press (TabBar::mixerTab);
            main().handleUpdateNowIfNeeded();
            panel = nullptr;
        }

        void setupRequest (int code, int value) override { requests.emplace_back (code, value); }

        /** The window takes the hub's notices, as its asynchronous update does. */
        void pumpNotices()
        {
            notices.clear();
            main().drainNotices();
        }

        bool askedWhoIsThere() const
        {
            return std::find (notices.begin(), notices.end(), ControllerState::identityRequestNotice) != notices.end();
        }

        bool panelClosed() { return main().getSetupPanel() == nullptr; }
        bool receiveDialogOpened() { return main().getReceiveDialog() != nullptr; }

        std::unique_ptr<juce::AudioProcessorEditor> editor;
        VantorAudioProcessorEditor* window = nullptr;
        MidiSetupPanel* panel = nullptr;
        std::vector<std::pair<int, int>> requests;
        std::vector<juce::uint32> notices;   // taken by the window since the last pumpNotices
    };

    void click (juce::Component& c)
    {
        zd8test::KitMouse (c).click (5.0f, 5.0f);
    }

    void clickBox (CheckButton& box)
    {
        click (box);
        box.dispatchPendingMessages();
    }

    juce::StringArray menuTexts (const juce::PopupMenu& menu, int& tickedIndex)
    {
        juce::StringArray texts;
        tickedIndex = -1;
        for (juce::PopupMenu::MenuItemIterator it (menu); it.next();)
        {
            if (it.getItem().isTicked)
                tickedIndex = texts.size();
            texts.add (it.getItem().text);
        }
        return texts;
    }

    // Centre of a lamp's inside (in the editor's coordinates).
    juce::Point<int> lampCentre (bool output)
    {
        return { MidiSetupPanel::panelX + 295, MidiSetupPanel::panelY + (output ? 110 : 60) + 12 };
    }
}

TEST (MidiSetupPanel, OpeningFillsEverythingFromTheHubAndAsksWhoIsThere)
{
    PluginRig rig;
    rig.writeSettings ({ { 8, "0" }, { 43, "0" }, { 46, "1" }, { 47, "0" } });
    VantorAudioProcessor p (rig.environment);
    Owner owner (p);
    ASSERT_TRUE (rig.settle());
    owner.pumpNotices();   // the window's own identity request at its opening
    ASSERT_TRUE (identityExchangesDone (rig));
    const auto before = rig.receivedHex().size();

    auto& panel = owner.open();

    EXPECT_EQ (panel.getInputNames(), juce::StringArray ("NONE", simulatorName));
    EXPECT_EQ (panel.getOutputNames(), juce::StringArray ("NONE", simulatorName));
    EXPECT_EQ (panel.getShownInput(), 1);
    EXPECT_EQ (panel.getShownOutput(), 1);
    EXPECT_TRUE (panel.isInputLampOn());
    EXPECT_TRUE (panel.isOutputLampOn());

    EXPECT_FALSE (panel.getThruHostToOutBox().isChecked());
    EXPECT_FALSE (panel.getClockBox().isChecked());
    EXPECT_TRUE (panel.getThruInToHostBox().isChecked());
    EXPECT_FALSE (panel.getProgramChangeBox().isChecked());
    EXPECT_TRUE (owner.requests.empty()) << "showing the hub's flags is no request";

    // The identity request went out with the opening, and the reply names the instrument.
    EXPECT_TRUE (owner.askedWhoIsThere());
    ASSERT_TRUE (rig.settle (before + 1));
    ASSERT_TRUE (rig.settle());
    EXPECT_EQ (rig.receivedHex()[before], identityRequest);
    owner.pumpNotices();
    EXPECT_EQ (panel.getStatus(), "BRISVANE ZD8: ON-LINE");

    // The pop-up lists every entry with the shown one ticked.
    int ticked = -1;
    EXPECT_EQ (menuTexts (panel.makeListMenu (true), ticked), juce::StringArray ("NONE", simulatorName));
    EXPECT_EQ (ticked, 1);
}

TEST (MidiSetupPanel, ChoosingNoneForTheOutputClosesItDarkensTheLampAndStaysOffLine)
{
    PluginRig rig;
    VantorAudioProcessor p (rig.environment);
    Owner owner (p);
    auto& panel = owner.open();
    ASSERT_TRUE (rig.settle (1));
    ASSERT_TRUE (rig.settle());
    owner.pumpNotices();
    ASSERT_EQ (panel.getStatus(), "BRISVANE ZD8: ON-LINE");
    ASSERT_TRUE (identityExchangesDone (rig));
    const auto before = rig.receivedHex().size();

    panel.chooseOutput (0);

    EXPECT_EQ (owner.requests, (std::vector<std::pair<int, int>> { { 302, 0 } }));
    EXPECT_FALSE (p.getHub().getPorts().isOutputOpen());
    EXPECT_TRUE (p.getHub().getPorts().isInputOpen());
    EXPECT_EQ (p.getHub().getPortNames()[1], "NONE");
    EXPECT_EQ (panel.getShownOutput(), 0);
    EXPECT_FALSE (panel.isOutputLampOn());
    EXPECT_TRUE (panel.isInputLampOn());

    // The identity request goes nowhere, so nothing ever answers it.
    owner.pumpNotices();
    EXPECT_EQ (panel.getStatus(), "OFF-LINE");
    ASSERT_TRUE (rig.settle());
    owner.pumpNotices();
    EXPECT_EQ (panel.getStatus(), "OFF-LINE");
    EXPECT_EQ (rig.receivedHex().size(), before);

    // What the user sees: the output lamp dark, the input lamp lit, the name "NONE".
    const auto render = zd8test::renderComponent (panel);
    EXPECT_NE (render.getPixelAt (lampCentre (true).x, lampCentre (true).y),
               render.getPixelAt (lampCentre (false).x, lampCentre (false).y));

    // A choice outside the list (a device that came after the opening) asks nothing.
    panel.chooseOutput (2);
    panel.chooseInput (-1);
    EXPECT_EQ (owner.requests.size(), 1u);

    // Closing writes the chosen ports into the port file.
    panel.close();
    juce::MemoryBlock file;
    ASSERT_TRUE (rig.folder.getChildFile ("zd8ports.dat").loadFileAsData (file));
    EXPECT_EQ (file.toString(), simulatorName + "\x0f" "NONE" "\x10" "NONE" "\x11");
}

TEST (MidiSetupPanel, EachOptionSetsItsHubFlagAndSettingsEntryAndAsksWhoIsThere)
{
    struct Case
    {
        const char* name;
        CheckButton& (MidiSetupPanel::*box)();
        int code, entry;
        bool (ControllerState::*flag)() const noexcept;
    };
    const Case cases[] = {
        { "THRU host to out", &MidiSetupPanel::getThruHostToOutBox, 202, 8, &ControllerState::isThruHostToOut },
        { "clock", &MidiSetupPanel::getClockBox, 206, 43, &ControllerState::isClockOn },
        { "THRU in to host", &MidiSetupPanel::getThruInToHostBox, 210, 46, &ControllerState::isThruInToHost },
        { "program change by automation", &MidiSetupPanel::getProgramChangeBox, 212, 47, &ControllerState::isProgramChangeByAutomation },
    };

    PluginRig rig;
    VantorAudioProcessor p (rig.environment);
    auto& hub = p.getHub();
    Owner owner (p);
    auto& panel = owner.open();

    for (const auto& c : cases)
    {
        SCOPED_TRACE (c.name);
        auto& box = (panel.*c.box)();
        const bool initially = (hub.*c.flag)();
        ASSERT_EQ (box.isChecked(), initially);

        for (const bool expected : { ! initially, initially })
        {
            owner.requests.clear();
            std::vector<juce::uint32> ignored;
            hub.drainNotices (ignored);

            clickBox (box);

            EXPECT_EQ (owner.requests, (std::vector<std::pair<int, int>> { { c.code, expected ? 1 : 0 } }));
            EXPECT_EQ ((hub.*c.flag)(), expected);
            EXPECT_EQ (hub.getSettings().get (c.entry), expected ? "1" : "0");
            owner.pumpNotices();
            EXPECT_TRUE (owner.askedWhoIsThere());
        }
    }
}

TEST (MidiSetupPanel, ReopeningShowsTheChosenPortsAndTakesTheDeviceListAfresh)
{
    PluginRig rig;
    auto second = std::make_shared<VirtualMidiDevice> ("Second Port", rig.timeline);
    VantorAudioProcessor p (rig.environment);
    auto& ports = p.getHub().getPorts();
    Owner owner (p);

    owner.open();
    rig.devices.add (second);
    EXPECT_EQ (owner.panel->getOutputNames().size(), 2) << "plugged in while the panel is open: not listed yet";
    owner.panel->close();
    owner.finishClosing();

    const juce::StringArray three ("NONE", simulatorName, "Second Port");
    owner.open();
    EXPECT_EQ (owner.panel->getInputNames(), three);
    EXPECT_EQ (owner.panel->getOutputNames(), three);
    owner.panel->chooseOutput (2);
    owner.panel->chooseInput (0);
    EXPECT_TRUE (ports.isOutputOpen());
    EXPECT_EQ (ports.getOutputIndex(), 1);
    EXPECT_FALSE (ports.isInputOpen());
    owner.panel->close();
    owner.finishClosing();

    owner.open();
    EXPECT_EQ (owner.panel->getShownOutput(), 2);
    EXPECT_EQ (owner.panel->getShownInput(), 0);
    EXPECT_EQ (owner.panel->isOutputLampOn(), ports.isOutputOpen());
    EXPECT_EQ (owner.panel->isInputLampOn(), ports.isInputOpen());
    EXPECT_TRUE (owner.panel->isOutputLampOn());
    EXPECT_FALSE (owner.panel->isInputLampOn());

    // A device that went away: the list shrinks at the next opening, the port stays
    // as the port owner has it (nothing polls the devices).
    owner.panel->close();
    owner.finishClosing();
    rig.devices.remove (second);
    owner.open();
    EXPECT_EQ (owner.panel->getOutputNames().size(), 2);
    EXPECT_EQ (owner.panel->getShownOutput(), 0) << "an index beyond the list shows NONE";
    EXPECT_EQ (owner.panel->isOutputLampOn(), ports.isOutputOpen());
}

// Devices come and go while the panel is open and identity replies keep arriving: the
// lists stay as they were at the opening, and each box names the port that is open.
// The port owner's index points into the device list of the moment it opened, so after
// an unplug it points one device too far; a choice from the lists opens the device
// named, wherever it stands in the list now.
TEST (MidiSetupPanel, BoxesNameTheOpenPortsWhileDevicesComeAndGo)
{
    for (const bool unplug : { false, true })
    {
        SCOPED_TRACE (unplug ? "the device listed before the instrument unplugged" : "a device plugged in");
        PluginRig rig;
        auto first = std::make_shared<VirtualMidiDevice> ("First Port", rig.timeline);
        auto later = std::make_shared<VirtualMidiDevice> ("Later Port", rig.timeline);
        rig.devices.remove (rig.simulator.getDevice());
        rig.devices.add (first);
        rig.devices.add (rig.simulator.getDevice());
        VantorAudioProcessor p (rig.environment);
        auto& ports = p.getHub().getPorts();
        ASSERT_TRUE (ports.isOutputOpen());
        Owner owner (p);

        auto& panel = owner.openWithMouse();
        const juce::StringArray listed ("NONE", "First Port", simulatorName);
        ASSERT_EQ (panel.getOutputNames(), listed);
        ASSERT_EQ (panel.getShownOutput(), 2);
        ASSERT_TRUE (identityExchangesDone (rig));
        owner.pumpNotices();

        if (unplug)
            rig.devices.remove (first);
        else
            rig.devices.add (later);

        // Two clicks on an option leave it as it was and ask who is there twice.
        clickBox (panel.getClockBox());
        clickBox (panel.getClockBox());
        ASSERT_TRUE (identityExchangesDone (rig));
        owner.pumpNotices();
        ASSERT_EQ (panel.getStatus(), "BRISVANE ZD8: ON-LINE") << "the replies arrived";

        EXPECT_EQ (panel.getInputNames(), listed);
        EXPECT_EQ (panel.getOutputNames(), listed);
        EXPECT_EQ (panel.getInputNames()[panel.getShownInput()], simulatorName);
        EXPECT_EQ (panel.getOutputNames()[panel.getShownOutput()], simulatorName);
        EXPECT_TRUE (panel.isOutputLampOn());

        // Choosing the instrument again opens the instrument, not what its old place holds.
        panel.chooseOutput (2);
        ASSERT_TRUE (ports.isOutputOpen());
        EXPECT_EQ (rig.devices.getOutputNames()[ports.getOutputIndex()], simulatorName);
        EXPECT_EQ (p.getHub().getPortNames()[1], simulatorName);
        EXPECT_EQ (panel.getOutputNames()[panel.getShownOutput()], simulatorName);
        EXPECT_TRUE (panel.isOutputLampOn());

        rig.devices.remove (later);
        owner.finishClosing();
    }
}

TEST (MidiSetupPanel, WithoutDevicesTheListsHoldOnlyNoneAndNoPopUpOpens)
{
    PluginRig rig;
    rig.devices.remove (rig.simulator.getDevice());
    VantorAudioProcessor p (rig.environment);
    Owner owner (p);
    auto& panel = owner.open();

    EXPECT_EQ (panel.getInputNames(), juce::StringArray ("NONE"));
    EXPECT_EQ (panel.getOutputNames(), juce::StringArray ("NONE"));
    EXPECT_EQ (panel.getShownInput(), 0);
    EXPECT_FALSE (panel.isInputLampOn());
    EXPECT_FALSE (panel.isOutputLampOn());
    EXPECT_EQ (panel.makeListMenu (false).getNumItems(), 0);
    EXPECT_FALSE (panel.openList (false));
    EXPECT_FALSE (panel.openList (true));

    // A press in either box opens nothing and asks nothing.
    zd8test::KitMouse mouse (panel);
    mouse.click (MidiSetupPanel::panelX + 100, MidiSetupPanel::panelY + 70);
    mouse.click (MidiSetupPanel::panelX + 100, MidiSetupPanel::panelY + 120);
    EXPECT_TRUE (owner.requests.empty());
    ASSERT_TRUE (rig.settle());
    owner.pumpNotices();
    EXPECT_EQ (panel.getStatus(), "OFF-LINE") << "with no port nothing answers";
}

TEST (MidiSetupPanel, ButtonsAskForClosingAndForTheReceiveDialog)
{
    PluginRig rig;
    VantorAudioProcessor p (rig.environment);
    Owner owner (p);

    // A second listener, registered later, hears each request first.
    struct Recorder : MidiSetupPanelListener
    {
        void setupRequest (int code, int) override { order.push_back (code); }
        std::vector<int> order;
    } recorder;

    owner.open().addListener (&recorder);
    owner.panel->addListener (&recorder); // only once
    rig.folder.getChildFile ("zd8ports.dat").deleteFile();
    click (owner.panel->getOkButton());
    EXPECT_EQ (owner.requests, (std::vector<std::pair<int, int>> { { 203, 0 } }));
    EXPECT_EQ (recorder.order, std::vector<int> { 203 });
    EXPECT_TRUE (owner.panelClosed()) << "the window closed the panel";
    EXPECT_TRUE (rig.folder.getChildFile ("zd8ports.dat").existsAsFile()) << "closing writes the port file";
    owner.pumpNotices();
    EXPECT_TRUE (owner.askedWhoIsThere());
    owner.panel->removeListener (&recorder);
    owner.finishClosing();

    owner.requests.clear();
    owner.open();
    click (owner.panel->getReceiveButton());
    EXPECT_EQ (owner.requests, (std::vector<std::pair<int, int>> { { 2012, 0 } }));
    EXPECT_TRUE (owner.panelClosed());
    EXPECT_TRUE (owner.receiveDialogOpened());
    EXPECT_EQ (recorder.order.size(), 1u) << "a removed listener hears nothing";
}

TEST (MidiSetupPanel, LatencySectionShowsTheRateAndWritesSliderMovesIntoTheHub)
{
    PluginRig rig;
    rig.writeSettings ({ { 11, "15" }, { 12, "-4" }, { 16, "30" } });
    VantorAudioProcessor p (rig.environment);
    auto& hub = p.getHub();
    p.prepareToPlay (48000.0, 512);
    Owner owner (p);
    auto& latency = owner.open().getLatency();

    EXPECT_EQ (latency.getRateText(), "48000 Hz");
    EXPECT_EQ (latency.getRateIndex(), 1);
    EXPECT_EQ (latency.getShownDelay(), 0) << "a negative delay shows as 0";
    EXPECT_EQ (latency.getDelays()[0], 15);

    struct Counter : juce::ChangeListener
    {
        void changeListenerCallback (juce::ChangeBroadcaster*) override { ++changes; }
        int changes = 0;
    } counter;
    latency.addChangeListener (&counter);

    // A press on the slider edits the delay of the shown rate only.
    auto& slider = latency.getSlider();
    const int pressed = slider.valueAt (20);
    ASSERT_GT (pressed, 0);
    zd8test::KitMouse (slider).down (20.0f, 9.0f);
    slider.dispatchPendingMessages();
    latency.dispatchPendingMessages();
    EXPECT_EQ (counter.changes, 1);
    EXPECT_EQ (latency.getShownDelay(), pressed);
    EXPECT_EQ (hub.getDelay (1), pressed);
    EXPECT_EQ (hub.getCurrentDelay(), pressed);
    EXPECT_EQ (latency.getDelays()[1], pressed);
    const juce::String expectedEntries[] = { "15", juce::String (pressed), "0", "0", "0", "30" };
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ (hub.getSettings().get (11 + i), expectedEntries[i]) << "entry " << 11 + i;

    latency.setDelayFromUser (100000);
    EXPECT_EQ (hub.getDelay (1), ControllerState::maxDelayMs);
    EXPECT_EQ (hub.getSettings().get (12), juce::String (ControllerState::maxDelayMs));
    latency.setDelayFromUser (-5);
    EXPECT_EQ (hub.getDelay (1), 0);
    EXPECT_EQ (latency.getShownDelay(), 0);

    // Showing another rate moves the slider without writing anything.
    latency.dispatchPendingMessages();
    const auto changesBefore = counter.changes;
    const auto delaysBefore = hub.getDelays();
    latency.show (hub.getDelays(), 5);
    EXPECT_EQ (latency.getRateText(), "192000 Hz");
    EXPECT_EQ (latency.getShownDelay(), 30);
    latency.dispatchPendingMessages();
    EXPECT_EQ (hub.getDelays(), delaysBefore);
    EXPECT_EQ (counter.changes, changesBefore);
    latency.removeChangeListener (&counter);
}

TEST (MidiSetupPanel, RendersOverTheEditor)
{
    PluginRig rig;
    VantorAudioProcessor p (rig.environment);
    Owner owner (p);

    struct Editor : juce::Component
    {
        void paint (juce::Graphics& g) override { g.fillAll (juce::Colour (0xff15171c)); }
    } editor;
    editor.setSize (VantorAudioProcessor::defaultEditorWidth, VantorAudioProcessor::defaultEditorHeight);
    editor.addAndMakeVisible (owner.open());
    ASSERT_TRUE (rig.settle());
    owner.pumpNotices();

    const auto render = zd8test::renderComponent (editor);
    const juce::Colour veiled = juce::Colour (0xff15171c).overlaidWith (juce::Colour (0x66000000));
    const auto corner = render.getPixelAt (2, 2);
    EXPECT_NEAR (corner.getRed(), veiled.getRed(), 2);
    EXPECT_NEAR (corner.getBlue(), veiled.getBlue(), 2);
    // Both lamps lit in the accent colour (the blue of lit things).
    for (const bool output : { false, true })
    {
        const auto lamp = render.getPixelAt (lampCentre (output).x, lampCentre (output).y);
        EXPECT_GT (lamp.getBlue(), 200) << (output ? "output" : "input");
        EXPECT_LT (lamp.getRed(), 100) << (output ? "output" : "input");
    }

    // The widget pictures are embedded, so the whole picture is compared too.
    ASSERT_TRUE (Pictures::isEmbedded ("check_on"));
    EXPECT_EQ (zd8test::compareWithReference (editor, "midi_setup"), "");
}

// The built-in programs as a player sees them: on the program page of every program in
// the built-in bank, whichever layout the page takes (the organ's drawbars and
// switches, or the generic controls of a piano, a synth, ...), each controller's label
// says what the program's parameter table puts on that controller, and every controller
// the table uses is on the page. Program 0431, the first tonewheel organ, chosen on a
// channel with the mouse, shows on its drawbars, its switches and the controls page's
// panel the parameters its table gives them.

#include "editor/kit/EditEvent.h"
#include "editor/pages/ControlsPage.h"
#include "editor/pages/MixerPage.h"
#include "editor/pages/ProgramPage.h"
#include "editor/shell/MainPanel.h"
#include "editor/shell/TabBar.h"
#include "editor/shell/VantorAudioProcessorEditor.h"
#include "model/Categories.h"
#include "model/InstrumentImage.h"
#include "model/ProgramEditBuffers.h"
#include "model/ProgramStore.h"
#include "plugin/VantorAudioProcessor.h"
#include "support/PluginRig.h"
#include "KitMouse.h"
#include "OpenWindow.h"

#include <gtest/gtest.h>

#include <map>

using namespace zd8;
using zd8test::KitMouse;
using zd8test::PluginRig;

namespace
{
    constexpr int pageWidth = 996, pageHeight = 584;
    constexpr int mixControls = 7;   // the page's first controls: level, pan, FX chains, sends

    /** What the organ layout draws on a controller, and the parameter a TW7 program's
        table must put there for the control to do what its label says. */
    struct OrganControl
    {
        int controller;
        const char* label;
        const char* parameter;
    };

    constexpr OrganControl organTemplate[] = {
        { 12, "16'", "Drawbar 16'" },         { 13, "5 1/3'", "Drawbar 5 1/3'" },   { 22, "8'", "Drawbar 8'" },
        { 23, "4'", "Drawbar 4'" },           { 24, "2 2/3'", "Drawbar 2 2/3'" },   { 25, "2'", "Drawbar 2'" },
        { 26, "1 3/5'", "Drawbar 1 3/5'" },   { 27, "1 1/3'", "Drawbar 1 1/3'" },   { 28, "1'", "Drawbar 1'" },
        { 80, "Brake", "Rotor Brake" },       { 81, "On/Off", "Vibrato On/Off" },   { 82, "Chor/Vib", "Chorus/Vibrato" },
        { 83, "Depth", "Vibrato Depth" },     { 85, "On/Off", "Perc On/Off" },      { 86, "Loud/Soft", "Perc Loud/Soft" },
        { 87, "Decay F/S", "Perc Decay F/S" }, { 89, "Pitch H/L", "Perc Pitch H/L" }, { 90, "Key Click", "Key Click" },
    };

    const OrganControl* organControl (int controller)
    {
        for (const auto& c : organTemplate)
            if (c.controller == controller)
                return &c;
        return nullptr;
    }

    /** The parameter names a program's table puts on controllers, by controller (the
        assignments of the four lists the page shows; the first naming a controller). */
    std::map<int, juce::String> namesByController (const VirtualParameterTable& table)
    {
        std::map<int, juce::String> names;
        for (int i = 0; i < table.assignmentCount(); ++i)
        {
            const auto a = table.assignment (i);
            const bool shownList = a.subSystem >= 1 && a.subSystem <= 4;
            if (shownList && a.controller > 0 && a.controller != 32 && names.count (a.controller) == 0)
                names[a.controller] = table.parameterName (i).trim();
        }
        return names;
    }

    juce::String layoutName (int layoutCode)
    {
        return layoutCode == ProgramPage::organLayoutCode ? juce::String ("ORGAN (TW7)")
                                                          : Categories::mainCategoryName (layoutCode);
    }
} // namespace

//==============================================================================
TEST (BuiltInProgramLabels, EveryProgramsPageLabelsItsControllersAsItsTableAssignsThem)
{
    PluginRig rig;
    VantorAudioProcessor processor { rig.environment };
    auto& connection = processor.getEditorConnection();
    const auto& parameters = connection.getParameters();
    ProgramPage page { connection };
    rig.settle();
    page.open (0, 0, 0, pageWidth, pageHeight);

    const auto ids = connection.getImage().getPrograms().listIds (ObjectStore::listPresent, 0);
    ASSERT_EQ (ids.size(), 1141u);

    std::map<juce::String, int> programsByLayout;
    std::map<juce::String, juce::StringArray> faults;   // by layout, the first few
    int faultCount = 0;
    auto fault = [&] (const juce::String& layout, int id, const juce::String& what)
    {
        ++faultCount;
        auto& list = faults[layout];
        if (list.size() < 4)
            list.add (juce::String (id).paddedLeft ('0', 4) + ": " + what);
    };

    for (int id : ids)
    {
        connection.selectProgram (id, 0);
        page.showProgram (0, id);
        ASSERT_EQ (page.getProgram(), id);
        const bool organ = page.getLayoutCode() == ProgramPage::organLayoutCode;
        const auto layout = layoutName (page.getLayoutCode());
        ++programsByLayout[layout];

        auto* edit = connection.getEditBuffer (0);
        ASSERT_NE (edit, nullptr);
        const auto table = namesByController (edit->getTable());

        std::map<int, juce::String> shown;
        for (int i = mixControls; i < page.getControlCount(); ++i)
        {
            const auto* control = page.getControl (i);
            ASSERT_EQ (parameters.displayKind (control->getSlot()), ParameterTable::displayController) << id << " " << i;
            const int cc = parameters.controller (control->getSlot());
            // Names led by a blank in the program's list keep it on the control.
            const auto label = control->getName2().trim();
            shown[cc] = label;
            const auto entry = table.find (cc);
            const auto assigned = entry != table.end() ? entry->second : juce::String ("(nothing)");

            if (const auto* drawn = organ ? organControl (cc) : nullptr)
            {
                if (label != drawn->label)
                    fault (layout, id, "CC " + juce::String (cc) + " drawn as \"" + label + "\", the organ's \"" + drawn->label + "\"");
                if (assigned != drawn->parameter)
                    fault (layout, id, "CC " + juce::String (cc) + " drawn as \"" + label + "\", its table says \"" + assigned + "\"");
            }
            else if (label != assigned)
            {
                fault (layout, id, "CC " + juce::String (cc) + " labelled \"" + label + "\", its table says \"" + assigned + "\"");
            }
        }

        // Nothing the table puts on a controller is missing from the page (while the page
        // has room: 50 controls at most).
        if (page.getControlCount() < ProgramPage::maxControls)
            for (const auto& [cc, name] : table)
                if (shown.count (cc) == 0)
                    fault (layout, id, "CC " + juce::String (cc) + " (\"" + name + "\") is not on the page");
    }

    // Every layout the built-in programs take is among those checked.
    EXPECT_GT (programsByLayout["ORGAN (TW7)"], 0);
    EXPECT_GE (programsByLayout.size(), 10u);

    juce::String report;
    for (const auto& [layout, list] : faults)
        report << layout << " (" << programsByLayout[layout] << " programs):\n    " << list.joinIntoString ("\n    ") << "\n";
    EXPECT_EQ (faultCount, 0) << report;
}

//==============================================================================
namespace
{
    struct BuiltInOrganInTheWindow : zd8test::OpenWindow
    {
        void deliver()
        {
            hub.getHostQueueSignal().dispatchPendingMessages();
            main->handleUpdateNowIfNeeded();
            rig.timeline.advance (200);
            rig.settle();
        }

        static void click (juce::Component* c, float x = 6.0f, float y = 6.0f)
        {
            ASSERT_NE (c, nullptr);
            KitMouse (*c).click (x, y);
        }

        /** The channel's program page, opened with a click on its mixer strip's program. */
        ProgramPage& openProgramPage (int channel)
        {
            clickProgramSlot (channel);
            deliver();
            return *main->getProgramPage();
        }

        /** Types the program on the chooser's keypad and presses "Enter", all with the mouse. */
        void chooseOnKeypad (ProgramPage& page, const juce::String& keys)
        {
            auto& display = page.getDisplay();
            if (! page.isChooserOpen())
            {
                KitMouse (display).down (30.0f, 10.0f);
                display.dispatchPendingMessages();
                KitMouse (display).up (30.0f, 10.0f);
            }
            ASSERT_TRUE (page.isChooserOpen());
            auto& chooser = page.getChooser();
            click (chooser.findButton ("Clear"));
            for (auto key : keys)
                click (chooser.findButton (juce::String::charToString (key)));
            click (chooser.findButton ("Enter"));
            page.getProgramList().dispatchPendingMessages();
            deliver();
            rig.timeline.advance (ProgramPage::refreshDelayMs);
        }

        /** The status line's text while the pointer is over a control. */
        static juce::String hoverText (ParameterControl& control, KitLabel& statusLine)
        {
            KitMouse (control).enter (5.0f, 5.0f);
            const auto text = statusLine.getText();
            KitMouse (control).exit (5.0f, 5.0f);
            return text;
        }
    };
} // namespace

TEST_F (BuiltInOrganInTheWindow, Program0431ShowsWhatItsTablePutsOnTheDrawbarsAndSwitches)
{
    const int channel = 2;
    auto& page = openProgramPage (channel);
    ASSERT_EQ (page.getChannel(), channel);
    chooseOnKeypad (page, "431");
    ASSERT_EQ (page.getProgram(), 431);
    EXPECT_EQ (rig.simulator.getChannelProgram (channel), 431);
    ASSERT_EQ (page.getLayoutCode(), ProgramPage::organLayoutCode);
    if (page.isChooserOpen())
        page.closeChooser();

    // Each drawbar and switch: its label, and its controller's parameter as the status
    // line names it when the pointer is over it.
    const auto prefix = "Ch " + juce::String (channel + 1) + "  CC ";
    for (const auto& c : organTemplate)
    {
        auto* control = page.findControl (ParameterTable::controllerSlot (channel, c.controller));
        ASSERT_NE (control, nullptr) << c.controller;
        EXPECT_EQ (control->getName2(), juce::String (c.label)) << c.controller;
        const auto head = prefix + juce::String (c.controller) + "  ";
        const auto hovered = hoverText (*control, page.getStatusLine());
        EXPECT_TRUE (hovered.startsWith (head)) << hovered;
        EXPECT_EQ (hovered.substring (head.length()).trim(), juce::String (c.parameter)) << c.label;
    }

    // The other controls carry the names their controllers have in the table, none of
    // them a drawbar's.
    for (int i = mixControls; i < page.getControlCount(); ++i)
    {
        auto* control = page.getControl (i);
        if (organControl (hub.getParameters().controller (control->getSlot())) == nullptr)
        {
            EXPECT_FALSE (control->getName2().trim().startsWith ("Drawbar")) << control->getName2();
        }
    }

    // The controls page for the same channel: the panel's sliders and switches name the
    // same parameters under the pointer.
    click (main->getTabBar().getTab (TabBar::controlsTab));
    main->getTabBar().dispatchPendingMessages();
    main->handleUpdateNowIfNeeded();
    auto* controls = main->getControlsPage();
    ASSERT_NE (controls, nullptr);
    click (&controls->getChannelButton (channel));
    ASSERT_EQ (controls->getChannel(), channel);
    for (int i = 0; i < ControlsPage::columns; ++i)
    {
        EXPECT_EQ (hoverText (controls->getSlider (i), controls->getStatusLine()).trim(), juce::String (organTemplate[i].parameter)) << i;
        EXPECT_EQ (hoverText (controls->getButton (i), controls->getStatusLine()).trim(), juce::String (organTemplate[9 + i].parameter)) << i;
    }
}

TEST_F (BuiltInOrganInTheWindow, AProgramChosenAfterTheOrganKeepsNoOrganNameOnAControllerItLeavesFree)
{
    // A built-in piano whose table puts nothing on slider 1 (controller 12).
    int piano = -1;
    {
        auto& image = hub.getImage();
        const juce::ScopedReadLock sl (image.getStoreLock());
        ProgramEditBuffers scratch;
        for (int id = 1; id <= 200 && piano < 0; ++id)
        {
            ASSERT_TRUE (scratch.loadFromStore (image.getPrograms(), id));
            scratch.decodeTable (image.getFxChains());
            const auto table = namesByController (scratch.getTable());
            if (table.count (12) == 0 && ! table.empty())
                piano = id;
        }
    }
    ASSERT_GT (piano, 0);

    const int channel = 2;
    auto& page = openProgramPage (channel);
    chooseOnKeypad (page, "431");
    ASSERT_EQ (page.getProgram(), 431);
    chooseOnKeypad (page, juce::String (piano));
    ASSERT_EQ (page.getProgram(), piano);
    ASSERT_NE (page.getLayoutCode(), ProgramPage::organLayoutCode);

    // On the controls page slider 1 and switch 1 of that channel are no drawbar and no
    // rotor brake any more: the piano leaves them to their plain controller numbers.
    click (main->getTabBar().getTab (TabBar::controlsTab));
    main->getTabBar().dispatchPendingMessages();
    main->handleUpdateNowIfNeeded();
    auto* controls = main->getControlsPage();
    ASSERT_NE (controls, nullptr);
    click (&controls->getChannelButton (channel));
    EXPECT_EQ (hoverText (controls->getSlider (0), controls->getStatusLine()), juce::String ("MIDI 12"));
    auto* edit = hub.getImage().getEditBuffer (channel);
    ASSERT_NE (edit, nullptr);
    if (namesByController (edit->getTable()).count (80) == 0)
    {
        EXPECT_EQ (hoverText (controls->getButton (0), controls->getStatusLine()), juce::String ("MIDI 80"));
    }
}

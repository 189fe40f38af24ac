#include "KeyDelivery.h"
#include "KitMouse.h"
#include "arrangements/ArrangementFiles.h"
#include "editor/shell/FileDialogs.h"
#include "editor/library/LibraryPanel.h"
#include "editor/library/LibraryContent.h"
#include "editor/library/BankPanel.h"
#include "editor/kit/Pictures.h"
#include "link/InstrumentPorts.h"
#include "plugin/VantorAudioProcessor.h"
#include "support/PluginRig.h"
#include "support/RenderCheck.h"

#include <gtest/gtest.h>

#include <deque>
#include <set>

using namespace zd8;
using zd8test::KitMouse;
using zd8test::keyStateChange;
using zd8test::pressKey;
using zd8test::PluginRig;

namespace
{
    const int hipHop[16] = { 45, 858, 611, 608, 503, 286, 713, 820, 498, 869, 910, 23, 867, 105, 274, 931 };
    const int rock[16] = { 8, 54, 847, 821, 825, 145, 713, 92, 47, 869, 932, 943, 990, 409, 257, 573 };

    void press (LibraryButton& button) { KitMouse (button).click (5.0f, 5.0f); }

    int programOf (const juce::MemoryBlock& record, int channel)
    {
        auto* b = static_cast<const juce::uint8*> (record.getData());
        return b[24 + 2 * channel] * 256 + b[25 + 2 * channel];
    }

    // A processor in a temporary folder, with a file dialog that answers from a script:
    // each answer is a file, or File() for a cancelled dialog.
    struct LibraryWindowTest : ::testing::Test
    {
        PluginRig rig;
        VantorAudioProcessor processor { rig.environment };
        std::vector<FileDialogs::Request> asked;
        std::deque<juce::File> answers;

        FileDialogs::Chooser chooser()
        {
            return [this] (const FileDialogs::Request& request, std::function<void (const juce::File&)> done)
            {
                asked.push_back (request);
                juce::File answer;
                if (! answers.empty())
                {
                    answer = answers.front();
                    answers.pop_front();
                }
                done (answer);
            };
        }

        // Lets the hub's handler run and the program-select pacing window pass until the
        // simulator has received count messages.
        bool deliver (size_t count)
        {
            for (int i = 0; i < 100 && rig.simulator.getReceived().size() < count; ++i)
            {
                processor.getHub().getHostQueueSignal().dispatchPendingMessages();
                rig.timeline.advance (InstrumentPorts::programSelectWindowMs + 1);
                rig.settle();
            }
            return rig.settle (count);
        }

        juce::File libraryFile() const { return rig.folder.getChildFile (LibraryPanel::libraryFileName); }

        std::unique_ptr<LibraryContent> makeWindow()
        {
            auto comp = std::make_unique<LibraryContent> (processor.getEditorConnection());
            comp->setChooser (chooser());
            comp->setSize (900, 620);
            return comp;
        }

        static void answer (TextEntryOverlay* overlay, int button, const juce::String& text = {})
        {
            ASSERT_NE (overlay, nullptr);
            ASSERT_TRUE (overlay->isVisible());
            if (text.isNotEmpty() || overlay->isTextFieldShown())
                overlay->setText (text);
            press (overlay->getButton (button));
        }
    };

    bool shown (BankPanel& panel, int id) { return panel.getButton (id).isVisible(); }
    bool shown (LibraryPanel& panel, int id) { return panel.getButton (id).isVisible(); }
}

//==============================================================================
TEST_F (LibraryWindowTest, ButtonsFollowTheListAndTheSelection)
{
    auto window = makeWindow();
    auto& bank = *window->getBankPanel();
    EXPECT_EQ (window->getPanelName(), "PRESET BANK");

    using B = BankPanel;
    EXPECT_TRUE (shown (bank, B::loadBankButton));
    EXPECT_TRUE (shown (bank, B::saveBankButton));
    for (int id : { B::loadPresetButton, B::savePresetButton, B::setCurrentButton, B::renameButton, B::applyButton })
        EXPECT_FALSE (shown (bank, id)) << id << " needs a selected slot";
    EXPECT_FALSE (bank.getPreview().isVisible());

    KitMouse (bank.getList()).click (60.0f, NameList::rowHeight * 1.5f);
    EXPECT_EQ (bank.getList().getSelectedEntry(), 1);
    for (int id : { B::loadBankButton, B::saveBankButton, B::loadPresetButton, B::savePresetButton, B::setCurrentButton, B::renameButton, B::applyButton })
        EXPECT_TRUE (shown (bank, id)) << id;
    ASSERT_TRUE (bank.getPreview().isVisible());
    EXPECT_EQ (bank.getPreview().getTitle(), "Hip Hop");
    for (int c = 0; c < 16; ++c)
        EXPECT_EQ (bank.getPreview().getProgram (c), hipHop[c]);

    // The library panel replaces the bank panel; the three defaults make SAVE and
    // CLEAR ALL appear, a selection the rest.
    press (window->getButton (LibraryContent::libraryButton));
    EXPECT_EQ (window->getBankPanel(), nullptr);
    auto& lib = *window->getLibraryPanel();
    EXPECT_EQ (window->getPanelName(), "LIBRARY");
    using L = LibraryPanel;
    EXPECT_EQ (lib.getList().getCount(), 3);
    for (int id : { L::loadButton, L::addCurrentButton, L::saveButton, L::clearAllButton })
        EXPECT_TRUE (shown (lib, id)) << id;
    for (int id : { L::renameButton, L::deleteButton, L::applyButton })
        EXPECT_FALSE (shown (lib, id)) << id;

    lib.getList().selectRow (2);
    for (int id : { L::renameButton, L::deleteButton, L::applyButton })
        EXPECT_TRUE (shown (lib, id)) << id;
    EXPECT_EQ (lib.getPreview().getTitle(), "Rock");
    EXPECT_EQ (lib.getPreview().getProgram (0), 8);

    // CLEAR ALL, answered NO: an empty library shows only LOAD and ADD CURRENT.
    press (lib.getButton (L::clearAllButton));
    EXPECT_EQ (lib.getOverlay()->getTitle(), "Save changes?");
    EXPECT_FALSE (lib.getOverlay()->isTextFieldShown());
    EXPECT_EQ (lib.getOverlay()->getButton (TextEntryOverlay::okButton).getLabel(), "YES");
    answer (lib.getOverlay(), TextEntryOverlay::noButton);
    EXPECT_FALSE (lib.getOverlay()->isVisible());
    EXPECT_TRUE (lib.getLibrary().isEmpty());
    for (int id : { L::loadButton, L::addCurrentButton })
        EXPECT_TRUE (shown (lib, id)) << id;
    for (int id : { L::saveButton, L::clearAllButton, L::renameButton, L::deleteButton, L::applyButton })
        EXPECT_FALSE (shown (lib, id)) << id;
    EXPECT_TRUE (asked.empty()) << "NO clears without a dialog";
}

TEST_F (LibraryWindowTest, BankOverlaysRenameAndStore)
{
    BankPanel bank (processor.getEditorConnection(), chooser());
    bank.setBounds (0, 50, 900, 528);
    auto& arrangementBank = processor.getHub().getBank();

    // RENAME: the title shows the listed name, the field the trimmed name; CANCEL and
    // an empty text change nothing.
    bank.getList().selectRow (1);
    press (bank.getButton (BankPanel::renameButton));
    auto* overlay = bank.getOverlay();
    ASSERT_NE (overlay, nullptr);
    EXPECT_EQ (overlay->getTitle(), "Rename Hip Hop:");
    EXPECT_EQ (overlay->getText(), "Hip Hop");
    EXPECT_FALSE (overlay->getButton (TextEntryOverlay::noButton).isVisible());
    answer (overlay, TextEntryOverlay::cancelButton, "Gone");
    EXPECT_EQ (overlay->getBounds(), juce::Rectangle<int> (-100, -100, 50, 50));
    press (bank.getButton (BankPanel::renameButton));
    answer (overlay, TextEntryOverlay::okButton, "");
    EXPECT_EQ (arrangementBank.getName (1).trimEnd(), "Hip Hop");
    press (bank.getButton (BankPanel::renameButton));
    answer (overlay, TextEntryOverlay::okButton, "Boom Bap");
    EXPECT_EQ (arrangementBank.getName (1).trimEnd(), "Boom Bap");
    EXPECT_EQ (bank.getList().getShownName (1), "Boom Bap");
    EXPECT_TRUE (bank.getPreview().isVisible()) << "a rename shows the preview again";
    EXPECT_EQ (bank.getPreview().getTitle(), "Boom Bap");

    // SET CURRENT proposes the slot's whole name, or "Untitled" for an empty slot.
    bank.getList().selectRow (0);
    press (bank.getButton (BankPanel::setCurrentButton));
    EXPECT_EQ (overlay->getTitle(), "Arrangement name: ");
    EXPECT_EQ (overlay->getText(), "EDM" + juce::String::repeatedString (" ", 21));
    answer (overlay, TextEntryOverlay::cancelButton);

    processor.recallArrangement (2); // "Rock" is now live
    bank.getList().selectRow (10);
    press (bank.getButton (BankPanel::setCurrentButton));
    EXPECT_EQ (overlay->getText(), "Untitled");
    answer (overlay, TextEntryOverlay::okButton, "");
    const auto stored = arrangementBank.getRecord (10);
    EXPECT_EQ (arrangementBank.getName (10).trimEnd(), "Untitled");
    for (int c = 0; c < 16; ++c)
        EXPECT_EQ (programOf (stored, c), rock[c]) << "channel " << c + 1;
    EXPECT_EQ (processor.getCurrentProgram(), 2) << "storing does not change the current slot";
}

TEST_F (LibraryWindowTest, BankAndPresetFilesRoundTripThroughTheDialogs)
{
    BankPanel bank (processor.getEditorConnection(), chooser());
    bank.setBounds (0, 50, 900, 528);
    auto& arrangementBank = processor.getHub().getBank();
    const auto original = ArrangementFiles::makeBankChunk (arrangementBank);

    // SAVE BANK under a name without extension: ".fxb" is appended.
    answers.push_back (rig.folder.getChildFile ("mine"));
    press (bank.getButton (BankPanel::saveBankButton));
    ASSERT_EQ (asked.size(), 1u);
    EXPECT_EQ (asked[0].title, "Save Arrangement Bank");
    EXPECT_TRUE (asked[0].save);
    EXPECT_EQ (asked[0].start.getFileName(), "Untitled");
    EXPECT_EQ (asked[0].patterns, "*.fxb");
    const auto saved = rig.folder.getChildFile ("mine.fxb");
    ASSERT_TRUE (saved.existsAsFile());
    EXPECT_EQ (saved.getSize(), (juce::int64) ArrangementFiles::bankFileSize);

    // Change the bank, then LOAD BANK brings the saved one back.
    arrangementBank.setName (0, "Changed");
    arrangementBank.setName (63, "Also changed");
    answers.push_back (saved);
    press (bank.getButton (BankPanel::loadBankButton));
    EXPECT_EQ (asked.back().title, "Load Arrangement Bank");
    EXPECT_EQ (asked.back().patterns, "*.fxb;");
    EXPECT_FALSE (asked.back().save);
    EXPECT_EQ (ArrangementFiles::makeBankChunk (arrangementBank), original);
    EXPECT_FALSE (bank.isModified());

    // SAVE PRESET of slot 1 suggests its trimmed name; LOAD PRESET puts it into slot 5.
    bank.getList().selectRow (1);
    answers.push_back (rig.folder.getChildFile ("hop.fxp"));
    press (bank.getButton (BankPanel::savePresetButton));
    EXPECT_EQ (asked.back().title, "Save VST Program");
    EXPECT_EQ (asked.back().start.getFileName(), "Hip Hop");
    ASSERT_TRUE (rig.folder.getChildFile ("hop.fxp").existsAsFile());

    bank.getList().selectRow (5);
    const auto before = arrangementBank.getRecord (5);
    answers.push_back ({}); // cancelled: the slot stays
    press (bank.getButton (BankPanel::loadPresetButton));
    EXPECT_EQ (asked.back().title, "Load VST Program");
    EXPECT_EQ (arrangementBank.getRecord (5), before);

    answers.push_back (rig.folder.getChildFile ("hop.fxp"));
    press (bank.getButton (BankPanel::loadPresetButton));
    EXPECT_EQ (arrangementBank.getRecord (5), arrangementBank.getRecord (1));
    EXPECT_EQ (bank.getList().getShownName (5), "Hip Hop");
    EXPECT_TRUE (bank.getPreview().isVisible());
}

TEST_F (LibraryWindowTest, FileDialogKindsAndExtensions)
{
    FileDialogs man (chooser());
    struct Case { int kind; const char* title; const char* pattern; };
    const Case cases[] = {
        { FileDialogs::loadArrangements, "Load Arrangements", "*.zd8arrlib" },
        { FileDialogs::loadArrangementBank, "Load Arrangement Bank", "*.fxb" },
        { FileDialogs::loadVstProgram, "Load VST Program", "*.fxp" },
        { FileDialogs::saveArrangements, "Save Arrangements", "*.zd8arrlib" },
        { FileDialogs::saveArrangementBank, "Save Arrangement Bank", "*.fxb" },
        { FileDialogs::saveVstProgram, "Save VST Program", "*.fxp" },
        { FileDialogs::loadArrangement, "Load Arrangement", "*.zd8arr" },
        { FileDialogs::saveArrangement, "Save Arrangement", "*.zd8arr" },
    };
    for (const auto& c : cases)
    {
        man.setKind (c.kind);
        EXPECT_EQ (man.getTitle(), c.title);
        EXPECT_EQ (man.getPatterns(), juce::StringArray (c.pattern));
    }
    man.setKind (42);
    EXPECT_TRUE (man.getPatterns().isEmpty());
    EXPECT_EQ (man.getTitle(), "Save Arrangement") << "an unknown kind keeps the title";

    const auto dir = rig.folder;
    const std::pair<const char*, const char*> saves[] = {
        { "bank", "bank.fxb" }, { "bank.fxb", "bank.fxb" }, { "bank.a", "bank.a.fxb" }, { "bank.ab", "bank.ab" },
    };
    for (const auto& [typed, stored] : saves)
    {
        answers.push_back (dir.getChildFile (typed));
        bool result = false;
        man.choose (FileDialogs::saveMode, FileDialogs::saveArrangementBank, "Untitled", [&] (bool chosen) { result = chosen; });
        EXPECT_TRUE (result);
        EXPECT_EQ (man.getFile(), dir.getChildFile (stored)) << typed;
    }

    // A cancelled dialog says so and keeps the file held.
    const auto held = man.getFile();
    bool result = true;
    man.choose (FileDialogs::openMode, FileDialogs::loadVstProgram, {}, [&] (bool chosen) { result = chosen; });
    EXPECT_FALSE (result);
    EXPECT_EQ (man.getFile(), held);
    EXPECT_EQ (asked.back().start, FileDialogs::startFolder());
}

TEST_F (LibraryWindowTest, LibraryOverlaysAndItsFile)
{
    {
        LibraryPanel lib (processor.getEditorConnection(), libraryFile(), chooser());
        lib.setBounds (0, 50, 900, 528);
        EXPECT_EQ (lib.getLibrary().getNumEntries(), 3) << "no file: the defaults";
        EXPECT_FALSE (lib.getLibrary().isModified());

        // LOAD of an unmodified library asks nothing and goes straight to the dialog.
        press (lib.getButton (LibraryPanel::loadButton));
        ASSERT_EQ (asked.size(), 1u);
        EXPECT_EQ (asked[0].title, "Load Arrangements");
        EXPECT_TRUE (lib.getOverlay() == nullptr || ! lib.getOverlay()->isVisible());

        // ADD CURRENT twice: two entries with the entered names, both chunks naming
        // the current bank slot.
        processor.setCurrentProgram (1);
        press (lib.getButton (LibraryPanel::addCurrentButton));
        EXPECT_EQ (lib.getOverlay()->getTitle(), "Arrangement name:");
        EXPECT_EQ (lib.getOverlay()->getText(), "Untitled");
        answer (lib.getOverlay(), TextEntryOverlay::okButton, "First");
        press (lib.getButton (LibraryPanel::addCurrentButton));
        answer (lib.getOverlay(), TextEntryOverlay::okButton, "");
        ASSERT_EQ (lib.getList().getCount(), 5);
        EXPECT_EQ (lib.getList().getShownName (3), "First");
        EXPECT_EQ (lib.getList().getShownName (4), "Untitled");
        for (int e : { 3, 4 })
        {
            const auto record = lib.getLibrary().getRecord (e);
            EXPECT_EQ (juce::String::createStringFromData (record.getData(), 7), "Hip Hop");
            EXPECT_EQ (programOf (record, 1), 858);
        }
        EXPECT_TRUE (lib.getLibrary().isModified());

        // RENAME and DELETE with the question.
        lib.getList().selectRow (3);
        press (lib.getButton (LibraryPanel::renameButton));
        EXPECT_EQ (lib.getOverlay()->getTitle(), "Rename First:");
        answer (lib.getOverlay(), TextEntryOverlay::okButton, "Second");
        EXPECT_EQ (lib.getList().getShownName (3), "Second");

        lib.getList().selectRow (0);
        press (lib.getButton (LibraryPanel::deleteButton));
        EXPECT_EQ (lib.getOverlay()->getTitle(), "Delete EDM ?");
        EXPECT_FALSE (lib.getOverlay()->isTextFieldShown());
        answer (lib.getOverlay(), TextEntryOverlay::cancelButton);
        EXPECT_EQ (lib.getList().getCount(), 5);
        press (lib.getButton (LibraryPanel::deleteButton));
        answer (lib.getOverlay(), TextEntryOverlay::okButton);
        ASSERT_EQ (lib.getList().getCount(), 4);
        EXPECT_EQ (lib.getList().getShownName (0), "Hip Hop");
        EXPECT_EQ (lib.getList().getSelectedRow(), -1) << "the list is reset";

        // A modified library asks before LOAD; CANCEL does nothing at all.
        const auto dialogs = asked.size();
        press (lib.getButton (LibraryPanel::loadButton));
        EXPECT_EQ (lib.getOverlay()->getTitle(), "Save changes?");
        answer (lib.getOverlay(), TextEntryOverlay::cancelButton);
        EXPECT_EQ (asked.size(), dialogs);
    }
    // Leaving the panel wrote the library.
    ArrangementLibrary written;
    ASSERT_TRUE (written.loadLibraryFile (libraryFile()));
    ASSERT_EQ (written.getNumEntries(), 4);
    EXPECT_EQ (written.getShownName (2), "Second");

    // CLEAR ALL with YES saves through the dialog first; the emptied library is not
    // written when the panel goes, so the file keeps the four entries.
    {
        LibraryPanel lib (processor.getEditorConnection(), libraryFile(), chooser());
        EXPECT_EQ (lib.getList().getCount(), 4);
        answers.push_back (rig.folder.getChildFile ("backup"));
        press (lib.getButton (LibraryPanel::clearAllButton));
        answer (lib.getOverlay(), TextEntryOverlay::okButton);
        EXPECT_EQ (asked.back().title, "Save Arrangements");
        EXPECT_TRUE (lib.getLibrary().isEmpty());
        ArrangementLibrary backup;
        ASSERT_TRUE (backup.loadLibraryFile (rig.folder.getChildFile ("backup.zd8arrlib")));
        EXPECT_EQ (backup.getNumEntries(), 4);
    }
    written = {};
    ASSERT_TRUE (written.loadLibraryFile (libraryFile()));
    EXPECT_EQ (written.getNumEntries(), 4);
}

TEST_F (LibraryWindowTest, DeletingTheOnlyEntryAndTwoHundredEntries)
{
    auto window = makeWindow();
    press (window->getButton (LibraryContent::libraryButton));
    {
        auto& lib = *window->getLibraryPanel();
        // Down to one entry, then delete it too.
        while (lib.getList().getCount() > 1)
        {
            lib.getList().selectRow (0);
            press (lib.getButton (LibraryPanel::deleteButton));
            answer (lib.getOverlay(), TextEntryOverlay::okButton);
        }
        press (window->getButton (LibraryContent::bankButton)); // writes the single entry
    }
    press (window->getButton (LibraryContent::libraryButton));
    {
        auto& lib = *window->getLibraryPanel();
        ASSERT_EQ (lib.getList().getCount(), 1);
        EXPECT_EQ (lib.getList().getShownName (0), "Rock");
        lib.getList().selectRow (0);
        press (lib.getButton (LibraryPanel::deleteButton));
        answer (lib.getOverlay(), TextEntryOverlay::okButton);
        EXPECT_TRUE (lib.getLibrary().isEmpty());
        EXPECT_FALSE (shown (lib, LibraryPanel::deleteButton));
    }
    press (window->getButton (LibraryContent::bankButton));
    ArrangementLibrary kept;
    ASSERT_TRUE (kept.loadLibraryFile (libraryFile()));
    EXPECT_EQ (kept.getNumEntries(), 1) << "an empty library leaves the file as it was";

    // 200 entries: count 48 01, every length 73 04, then zero bytes.
    press (window->getButton (LibraryContent::libraryButton));
    {
        auto& lib = *window->getLibraryPanel();
        while (lib.getList().getCount() < 200)
        {
            press (lib.getButton (LibraryPanel::addCurrentButton));
            answer (lib.getOverlay(), TextEntryOverlay::okButton, "Take " + juce::String (lib.getList().getCount() + 1));
        }
        lib.getList().selectRow (199);
        EXPECT_EQ (lib.getList().getFirstVisibleRow(), 200 - lib.getList().getVisibleRows());
    }
    window.reset();
    juce::MemoryBlock bytes;
    ASSERT_TRUE (libraryFile().loadFileAsData (bytes));
    ASSERT_EQ (bytes.getSize(), 10u + 200u * (10u + 627u));
    auto* b = static_cast<const juce::uint8*> (bytes.getData());
    const juce::uint8 count[10] = { 0x48, 0x01 };
    const juce::uint8 length[10] = { 0x73, 0x04 };
    EXPECT_EQ (memcmp (b, count, 10), 0);
    for (size_t e = 0; e < 200; ++e)
        ASSERT_EQ (memcmp (b + 10 + e * 637, length, 10), 0) << "entry " << e;
}

TEST_F (LibraryWindowTest, ApplyReachesTheInstrument)
{
    rig.settle();
    auto window = makeWindow();
    auto& bank = *window->getBankPanel();

    // Bank APPLY: the slot becomes current and its programs go out in program mode.
    rig.simulator.clearReceived();
    bank.getList().selectRow (1);
    press (bank.getButton (BankPanel::applyButton));
    ASSERT_TRUE (deliver (16 + 7));
    EXPECT_EQ (processor.getCurrentProgram(), 1);
    for (int c = 0; c < 16; ++c)
        EXPECT_EQ (rig.simulator.getChannelProgram (c), hipHop[c]) << "channel " << c + 1;
    auto modes = rig.simulator.getAddressedChanges();
    ASSERT_FALSE (modes.empty());
    EXPECT_EQ (modes.front().address, (std::array<int, 5> { 12, 0, 0, 0, 11 }));
    EXPECT_EQ (modes.front().value, 1);
    EXPECT_FALSE (bank.getPreview().isVisible());
    rig.timeline.advance (ControllerState::programModeBlockMs + 1.0); // the instrument is heard again

    // Library APPLY: the live Arrangement takes the entry; the bank and the current
    // slot stay.
    press (window->getButton (LibraryContent::libraryButton));
    auto& lib = *window->getLibraryPanel();
    const auto bankBefore = ArrangementFiles::makeBankChunk (processor.getHub().getBank());
    rig.simulator.clearReceived();
    lib.getList().selectRow (2); // "Rock": channels 7 and 10 already play its programs
    press (lib.getButton (LibraryPanel::applyButton));
    ASSERT_TRUE (deliver (14 + 7));
    const auto expected = lib.getLibrary().getRecord (2);
    for (int c = 0; c < 16; ++c)
    {
        EXPECT_EQ (rig.simulator.getChannelProgram (c), programOf (expected, c)) << "channel " << c + 1;
        EXPECT_EQ (processor.getHub().getParameters().value (ParameterTable::programSlot (c, ParameterTable::programRow)), programOf (expected, c));
    }
    EXPECT_EQ (processor.getCurrentProgram(), 1);
    EXPECT_EQ (ArrangementFiles::makeBankChunk (processor.getHub().getBank()), bankBefore);
}

TEST_F (LibraryWindowTest, DoneAndCloseReportToTheMainWindow)
{
    auto window = makeWindow();
    struct Listener : juce::ChangeListener
    {
        int heard = 0;
        void changeListenerCallback (juce::ChangeBroadcaster*) override { ++heard; }
    } listener;
    window->addChangeListener (&listener);

    press (window->getButton (LibraryContent::doneButton));
    window->dispatchPendingMessages();
    EXPECT_EQ (listener.heard, 1);
    EXPECT_EQ (window->getLastReport(), LibraryContent::doneReport);

    window->windowTool (WindowButtons::closeCode);
    window->dispatchPendingMessages();
    EXPECT_EQ (listener.heard, 2);
    window->removeChangeListener (&listener);
}

// The computer-keyboard player sits in the heading as in the main window's footer, and
// the keys pressed anywhere in the library window that no part of it takes play it.
TEST_F (LibraryWindowTest, KeyIndicatorInTheHeadingFollowsTheKeysPressedInTheWindow)
{
    auto window = makeWindow();
    auto& player = window->getKeyPlayer();
    EXPECT_EQ (player.getParentComponent(), window.get());
    EXPECT_TRUE (player.isVisible());
    EXPECT_EQ (player.getBounds(), juce::Rectangle<int> (100, 4, 200, 20));
    EXPECT_EQ (player.getBounds(), LibraryContent::getKeyIndicatorArea());
    EXPECT_TRUE (player.getWantsKeyboardFocus());
    EXPECT_TRUE (window->getWantsKeyboardFocus()) << "the window's keys reach the content";

    std::set<int> held;
    player.setKeyDownCheck ([&held] (int code) { return held.count (code) > 0; });
    processor.getHub().setMidiChannel (3);
    ASSERT_TRUE (rig.settle());
    rig.simulator.clearReceived();

    // With the focus in the bank list, as after a click on a row, a letter finds names
    // in the list and plays nothing.
    auto& list = window->getBankPanel()->getList();
    KitMouse (list).click (40.0f, 20.0f);
    held.insert ('Z');
    EXPECT_TRUE (pressKey (list, 'z'));
    held.erase ('Z');
    keyStateChange (list, false);
    EXPECT_EQ (list.getNameFilter(), "z");
    EXPECT_EQ (player.getStatus(), "");
    EXPECT_TRUE (pressKey (list, juce::KeyPress::escapeKey));
    EXPECT_EQ (list.getNameFilter(), "");
    rig.settle();
    EXPECT_TRUE (rig.receivedHex().empty());

    // With the focus on the window itself (it gives its content the focus as it opens),
    // the keys none of its parts take play the strip.
    held.insert ('Z');
    EXPECT_TRUE (pressKey (*window, 'z'));
    EXPECT_EQ (player.getStatus(), "Play Chn: 3 Key: C3 Vel: 100");
    held.erase ('Z');
    keyStateChange (*window, false);
    EXPECT_TRUE (pressKey (*window, 'p'));
    EXPECT_EQ (player.getStatus(), "Octave 2");
    EXPECT_FALSE (pressKey (*window, '7')) << "a key the player does not take";
    ASSERT_TRUE (rig.settle (2));
    EXPECT_EQ (rig.receivedHex(), (std::vector<juce::String> { "92 24 64", "82 24 00" }));

    // A click on the indicator, then keys: the same strip plays them.
    KitMouse (player).click (10.0f, 10.0f);
    held.insert ('X');
    EXPECT_TRUE (pressKey (player, 'x'));
    EXPECT_EQ (player.getStatus(), "Play Chn: 3 Key: D4 Vel: 100");
    EXPECT_TRUE (player.isSounding (50));
    held.clear();
    keyStateChange (player, false);
    EXPECT_FALSE (player.isSounding (50));
    ASSERT_TRUE (rig.settle (4));
    EXPECT_EQ (rig.receivedHex().size(), 4u) << "one note-off for the one note";
}

// Library buttons are drawn from a body picture stretched over the button less the cap,
// and the right cap picture at the right end: a wide button keeps its end as it is.
// The heading names the panel; the key indicator and the close button sit in the same
// strip, so the text must stand clear of both, whole, for either panel's name.
TEST_F (LibraryWindowTest, TheHeadingTextStandsClearOfTheKeyIndicatorAndTheCloseButton)
{
    auto window = makeWindow();
    const juce::Font font ("Arial", 15.0f, juce::Font::plain);
    for (const auto* name : { "PRESET BANK", "LIBRARY" })
    {
        const juce::String text = juce::String ("ZD8 CHANNELS ARRANGEMENTS: ") + name;
        const auto area = window->getHeadingTextArea();
        const int textWidth = font.getStringWidth (text);
        const int left = area.getCentreX() - textWidth / 2;
        EXPECT_GE (left, window->getKeyPlayer().getRight()) << name;
        EXPECT_LE (left + textWidth, window->getCloseButton().getX()) << name;
        EXPECT_LE (textWidth, area.getWidth()) << name;
    }
}

TEST_F (LibraryWindowTest, AWideButtonDrawsTheCapAtItsRightEnd)
{
    for (const bool lit : { false, true })
    {
        SCOPED_TRACE (lit ? "highlighted" : "normal");
        LibraryButton button ("", 1);
        button.setBounds (0, 0, 300, 34);
        if (lit)
            KitMouse (button).enter (5.0f, 5.0f);

        const auto drawn = zd8test::renderComponent (button);
        juce::Image expected (juce::Image::ARGB, 300, 34, true);
        {
            juce::Graphics g (expected);
            g.drawImage (Pictures::get (lit ? "lib_button_body_lit" : "lib_button_body"), juce::Rectangle<float> (0.0f, 5.0f, 295.0f, 24.0f),
                         juce::RectanglePlacement::stretchToFit);
            g.drawImage (Pictures::get (lit ? "lib_button_cap_lit" : "lib_button_cap"), juce::Rectangle<float> (295.0f, 5.0f, 5.0f, 24.0f),
                         juce::RectanglePlacement::stretchToFit);
        }
        int differing = 0;
        for (int y = 0; y < 34; ++y)
            for (int x = 0; x < 300; ++x)
            {
                const auto a = drawn.getPixelAt (x, y), b = expected.getPixelAt (x, y);
                if (std::abs (a.getRed() - b.getRed()) > 8 || std::abs (a.getGreen() - b.getGreen()) > 8
                    || std::abs (a.getBlue() - b.getBlue()) > 8 || std::abs (a.getAlpha() - b.getAlpha()) > 8)
                    ++differing;
            }
        EXPECT_EQ (differing, 0);

        // The cap's amber edge light is in the last five columns, not stretched away.
        int amberColumns = 0;
        for (int x = 295; x < 300; ++x)
        {
            const auto edge = drawn.getPixelAt (x, 17);
            if (edge.getRed() > 120 && edge.getRed() > edge.getBlue() + 60)
                ++amberColumns;
        }
        EXPECT_GE (amberColumns, 1);
    }
}

TEST_F (LibraryWindowTest, Renders)
{
    auto window = makeWindow();
    window->getBankPanel()->getList().selectRow (1);
    EXPECT_EQ (zd8test::compareWithReference (*window, "library_window"), "");

    press (window->getButton (LibraryContent::libraryButton));
    window->getLibraryPanel()->getList().selectRow (2);
    EXPECT_EQ (zd8test::compareWithReference (*window, "library_window_library"), "");

    press (window->getLibraryPanel()->getButton (LibraryPanel::deleteButton));
    EXPECT_EQ (zd8test::compareWithReference (*window, "library_window_question"), "");
}

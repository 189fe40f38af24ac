#include "KitMouse.h"
#include "editor/shell/AboutPanel.h"
#include "editor/shell/TabBar.h"
#include "editor/kit/EditEvent.h"
#include "editor/shell/MainPanel.h"
#include "editor/shell/VantorAudioProcessorEditor.h"
#include "editor/pages/MidiSetupPanel.h"
#include "editor/pages/ProgramPage.h"
#include "editor/shell/ReceiveProgress.h"
#include "editor/shell/ReceiveDialog.h"
#include "editor/shell/RenameDialog.h"
#include "editor/pages/MultiPage.h"
#include "editor/shell/WriteDialog.h"
#include "transfer/TransferMailbox.h"
#include "plugin/VantorAudioProcessor.h"
#include "support/PluginRig.h"
#include "support/RenderCheck.h"

#include <gtest/gtest.h>

#include <random>

using namespace zd8;

namespace juce
{
    // JUCE's own message-loop step (Linux): dispatches one queued message, or returns
    // false at once when none is waiting.
    bool dispatchNextMessageOnSystemQueue (bool returnIfNoPendingMessages);
}

namespace
{

using Bytes = std::vector<std::uint8_t>;
using Fault = zd8sim::InstrumentSimulator::ReplyFault;

constexpr int program = ObjectStore::typeProgram, multi = ObjectStore::typeMulti;

Bytes pattern (size_t size, unsigned seed)
{
    Bytes b (size);
    std::mt19937 rng (seed);
    for (auto& x : b)
        x = (std::uint8_t) rng();
    return b;
}

Bytes withName (const std::string& name, const Bytes& data)
{
    Bytes r (name.begin(), name.end());
    r.resize (20, ' ');
    r.insert (r.end(), data.begin(), data.end());
    return r;
}

void click (juce::Component& c)
{
    zd8test::KitMouse (c).click (5.0f, 5.0f);
}

/** A text field's change reaches its owner through the message loop. */
void runMessageLoop()
{
    while (juce::dispatchNextMessageOnSystemQueue (true))
    {
    }
}

/** Clicks into the field and types text over what it holds, key by key. */
void typeInto (juce::TextEditor& field, const juce::String& text)
{
    click (field);
    field.selectAll();
    for (auto character : text)
        field.keyPressed (juce::KeyPress ((int) character, 0, character));
    runMessageLoop();
}

/** A plug-in window over the simulator, on the test's clock, with the About panel
    closed and the start-up traffic out of the way. */
class TransferDialogsTest : public ::testing::Test
{
protected:
    TransferDialogsTest()
    {
        rig.simulator.setTimers (rig.timeline);
        editor.reset (processor.createEditor());
        window = dynamic_cast<VantorAudioProcessorEditor*> (editor.get());

        rig.timeline.advance (2000);   // the hub's start-up program selections
        rig.settle();
        fifo.dispatchPendingMessages();
        if (main().getAboutPanel() != nullptr)
            press (TabBar::aboutTab);
        main().handleUpdateNowIfNeeded();
        memory.clearRequests();
        rig.simulator.clearReceived();
    }

    MainPanel& main() { return window->getMainPanel(); }
    ControllerState& hub() { return processor.getHub(); }

    void press (int tab)
    {
        main().getTabBar().report (tab);
        main().getTabBar().dispatchPendingMessages();
    }

    /** "RECEIVE DATA" on the MIDI setup panel. */
    ReceiveDialog& openReceiveDialog()
    {
        press (TabBar::midiTab);
        auto* setup = main().getSetupPanel();
        EXPECT_NE (setup, nullptr);
        if (setup != nullptr)
            click (setup->getReceiveButton());
        main().handleUpdateNowIfNeeded();
        auto* dialog = main().getReceiveDialog();
        EXPECT_NE (dialog, nullptr);
        return *dialog;
    }

    /** Programs from..to through the dialog's type button, range fields and START. */
    ReceiveProgress& startReceive (ReceiveDialog& dialog, int from, int to)
    {
        click (*dialog.getTypeButton (program));
        auto* view = dialog.getProgressView();
        EXPECT_NE (view, nullptr);
        view->getFromField().setText (juce::String (from));
        view->getToField().setText (juce::String (to));
        click (view->getStartButton());
        return *view;
    }

    /** One reply answered and handled, and the dialogs told. */
    bool step (ReceiveTransfer& model)
    {
        const bool more = rig.roundTrip (fifo);
        model.dispatchPendingMessages();
        return more;
    }

    void pump (ReceiveTransfer& model)
    {
        rig.pumpTransfers (fifo);
        model.dispatchPendingMessages();
    }

    Bytes record (int type, int id)
    {
        auto& image = hub().getImage();
        const juce::ScopedReadLock sl (image.getStoreLock());
        const auto block = image.storeFor (type)->readRecord (id);
        const auto* b = static_cast<const std::uint8_t*> (block.getData());
        return Bytes (b, b + block.getSize());
    }

    void putIntoStore (int type, int id, const Bytes& content)
    {
        auto& image = hub().getImage();
        const juce::ScopedWriteLock sl (image.getStoreLock());
        image.storeFor (type)->replaceRecord (id, content.data(), content.size());
    }

    /** A factory program with both lists, as the plug-in's store holds it. */
    int programWithLists()
    {
        auto& programs = hub().getImage().getPrograms();
        const juce::ScopedReadLock sl (hub().getImage().getStoreLock());
        for (int id : programs.listIds (ObjectStore::listRange, ObjectStore::rangeFactory))
            if (programs.nameListForSending (id).getSize() >= 20 && programs.assignmentListForSending (id).getSize() > 4)
                return id;
        return -1;
    }

    void preload()
    {
        memory.setObject (program, 4096, "Alpha", pattern (300, 1));
        memory.setObject (program, 4097, "Beta", pattern (300, 2));
        memory.setObject (program, 4099, "Delta", pattern (300, 4));
    }

    zd8test::PluginRig rig;
    VantorAudioProcessor processor { rig.environment };
    std::unique_ptr<juce::AudioProcessorEditor> editor;
    VantorAudioProcessorEditor* window = nullptr;
    TransferMailbox& fifo = processor.getHub().getMailbox();
    zd8sim::ObjectMemory& memory = rig.simulator.getMemory();
};

} // namespace

//==============================================================================
TEST_F (TransferDialogsTest, ReceiveDataOpensTheDialogWhichHoldsOffTheTopBar)
{
    auto& dialog = openReceiveDialog();
    EXPECT_EQ (main().getSetupPanel(), nullptr);
    EXPECT_EQ (dialog.getBounds(), juce::Rectangle<int> (0, 64, 1028, 730));
    EXPECT_EQ (dialog.getState(), 0);
    EXPECT_EQ (dialog.getProgressView(), nullptr);

    // Every tab is ignored while the dialog is open.
    for (int tab : { TabBar::midiTab, TabBar::aboutTab, TabBar::multiTab, TabBar::mixerTab, TabBar::keysTab })
    {
        press (tab);
        EXPECT_EQ (main().getSetupPanel(), nullptr) << tab;
        EXPECT_EQ (main().getAboutPanel(), nullptr) << tab;
        EXPECT_EQ (main().getWindowMode(), ControllerState::programMode) << tab;
        EXPECT_FALSE (main().isKeyboardShown()) << tab;
        EXPECT_EQ (main().getReceiveDialog(), &dialog) << tab;
    }

    // A type button opens the progress widget with that type's defaults.
    click (*dialog.getTypeButton (multi));
    ASSERT_NE (dialog.getProgressView(), nullptr);
    EXPECT_EQ (dialog.getProgress()->getTitle(), "Receive Multi");
    EXPECT_EQ (dialog.getProgressView()->getFromField().getText(), "4096");
    EXPECT_EQ (dialog.getProgressView()->getToField().getText(), "8191");
    EXPECT_TRUE (dialog.getProgressView()->getStartButton().isVisible());
    EXPECT_TRUE (hub().isTransferRunning());
    EXPECT_TRUE (dialog.getTypeButton (multi)->isOn());

    // Another type reuses it.
    auto* view = dialog.getProgressView();
    click (*dialog.getTypeButton (ObjectStore::typeFxChain));
    EXPECT_EQ (dialog.getProgressView(), view);
    EXPECT_EQ (dialog.getProgress()->getTitle(), "Receive FX Chains");
    EXPECT_FALSE (dialog.getTypeButton (multi)->isOn());

    // CLOSE: the owner closes it on the 1111 message; the flag goes with the dialog,
    // and the tabs work again.
    click (dialog.getCloseButton());
    EXPECT_EQ (dialog.getState(), ReceiveDialog::closeState);
    dialog.dispatchPendingMessages();
    EXPECT_EQ (main().getReceiveDialog(), nullptr);
    EXPECT_FALSE (hub().isTransferRunning());
    main().handleUpdateNowIfNeeded();
    press (TabBar::midiTab);
    EXPECT_NE (main().getSetupPanel(), nullptr);
}

TEST_F (TransferDialogsTest, TheBarAndStatusFollowTheObjectsAsTheyArrive)
{
    preload();
    putIntoStore (program, 4098, withName ("Stale", pattern (100, 9)));
    auto& dialog = openReceiveDialog();
    auto& view = startReceive (dialog, 4096, 4099);
    auto& model = view.getModel();
    EXPECT_EQ (dialog.getStatus(), "Receiving Programs from ID# 4096 to 4099...");

    struct Seen
    {
        int width;
        juce::String line;
    };
    std::vector<Seen> seen { { view.getFilledWidth(), model.getProgressLine() } };
    bool rendered = false;
    for (bool more = true; more;)
    {
        more = step (model);
        seen.push_back ({ view.getFilledWidth(), model.getProgressLine() });
        if (! rendered && model.getProgressLine().startsWith ("Receiving ID#: 4097"))
        {
            // Mid-transfer: 4096 is in, 4097's name is known, a third of the bar is filled.
            EXPECT_EQ (view.getFilledWidth(), 128);
            const auto difference = zd8test::compareWithReference (dialog, "transfer_dialog");
            EXPECT_TRUE (difference.isEmpty()) << difference;
            rendered = true;
        }
    }
    ASSERT_TRUE (rendered);

    // Each ID moves the bar by a third of its 384 pixels; the line names the object
    // once its information is in, and a missing object only gets "Checking...".
    const std::vector<std::pair<int, juce::String>> expected {
        { 0, "Checking...  ID#: 4096" },      { 0, "Receiving ID#: 4096 Alpha" },
        { 128, "Checking...  ID#: 4097" },    { 128, "Receiving ID#: 4097 Beta" },
        { 256, "Checking...  ID#: 4098" },    { 384, "Checking...  ID#: 4099" },
        { 384, "Receiving ID#: 4099 Delta" },
    };
    std::vector<std::pair<int, juce::String>> distinct;
    for (auto& s : seen)
    {
        const std::pair<int, juce::String> now { s.width, s.line.trimEnd() };
        if (distinct.empty() || distinct.back() != now)
            distinct.push_back (now);
    }
    // The finish empties the bar and keeps the last line.
    ASSERT_FALSE (distinct.empty());
    EXPECT_EQ (distinct.back(), (std::pair<int, juce::String> { 0, "Receiving ID#: 4099 Delta" }));
    distinct.pop_back();
    EXPECT_EQ (distinct, expected);

    EXPECT_EQ (dialog.getStatus(), "Done: Programs ID# 4096 to 4099 received.");
    EXPECT_EQ (record (program, 4096), withName ("Alpha", pattern (300, 1)));
    EXPECT_EQ (record (program, 4097), withName ("Beta", pattern (300, 2)));
    EXPECT_TRUE (record (program, 4098).empty()) << "the instrument has none: the stale copy goes";
    EXPECT_EQ (record (program, 4099), withName ("Delta", pattern (300, 4)));
    EXPECT_FALSE (hub().isTransferRunning());
}

TEST_F (TransferDialogsTest, CancelKeepsWhatArrivedAndRemovesTheProgressWidget)
{
    preload();
    auto& dialog = openReceiveDialog();
    auto& view = startReceive (dialog, 4096, 4099);
    auto& model = view.getModel();
    while (record (program, 4097).empty() && step (model))
    {
    }
    ASSERT_FALSE (record (program, 4097).empty());

    click (view.getCancelButton());
    const auto asked = memory.getRequests().size();
    pump (model);
    EXPECT_EQ (memory.getRequests().size(), asked) << "nothing more is asked for";
    EXPECT_EQ (dialog.getStatus(), "Cancelled: what arrived before stays in the plug-in.");

    rig.timeline.advance (200);
    dialog.handleUpdateNowIfNeeded();
    EXPECT_EQ (dialog.getProgressView(), nullptr);
    EXPECT_EQ (dialog.getProgress(), nullptr);
    EXPECT_FALSE (hub().isTransferRunning());
    EXPECT_EQ (record (program, 4096), withName ("Alpha", pattern (300, 1)));
    EXPECT_EQ (record (program, 4097), withName ("Beta", pattern (300, 2)));
    EXPECT_TRUE (record (program, 4099).empty());

    // The dialog stays; a type button starts afresh.
    click (*dialog.getTypeButton (program));
    ASSERT_NE (dialog.getProgressView(), nullptr);
    EXPECT_EQ (dialog.getProgress()->getState(), ReceiveTransfer::State::open);
    EXPECT_TRUE (hub().isTransferRunning());
}

TEST_F (TransferDialogsTest, ADroppedReplyEndsWithNoAnswerAfterTheTimeOut)
{
    preload();
    auto& dialog = openReceiveDialog();
    auto& view = startReceive (dialog, 4096, 4097);
    auto& model = view.getModel();
    while (record (program, 4096).empty() && step (model))
    {
    }
    // From here on the instrument stays silent: 4097's request is sent three times.
    rig.simulator.injectReplyFault (Fault::drop, 1000);
    pump (model);
    for (int i = 0; i < 2; ++i)
    {
        rig.timeline.advance (2000);
        pump (model);
        EXPECT_EQ (dialog.getStatus(), "Receiving Programs from ID# 4096 to 4097...");
    }
    rig.timeline.advance (1999);
    pump (model);
    EXPECT_EQ (model.getState(), ReceiveTransfer::State::running);
    rig.timeline.advance (1);
    pump (model);

    EXPECT_EQ (model.getProgressLine(), "No answer from the instrument at ID#: 4097");
    EXPECT_EQ (dialog.getStatus(), "No answer from the instrument at ID#: 4097");
    EXPECT_FALSE (hub().isTransferRunning());
    EXPECT_EQ (record (program, 4096), withName ("Alpha", pattern (300, 1)));
    EXPECT_TRUE (record (program, 4097).empty());
}

//==============================================================================
TEST_F (TransferDialogsTest, WriteFromTheProgramPageWithRenameAndCategoriesThenReadBack)
{
    const int source = programWithLists();
    ASSERT_GT (source, 0);
    // The instrument's part 0 holds the source; the plug-in's copy has an edited byte
    // that only the write carries over.
    memory.selectProgram (0, source);
    auto edited = record (program, source);
    edited[80] = (std::uint8_t) (edited[80] ^ 0x55);
    putIntoStore (program, source, edited);

    main().showProgramPage (0, source);
    auto* page = main().getProgramPage();
    ASSERT_NE (page, nullptr);
    ASSERT_EQ (page->getProgram(), source);
    click (page->getWriteButton());

    auto* dialog = main().getWriteDialog();
    ASSERT_NE (dialog, nullptr);
    EXPECT_EQ (dialog->getBounds(), main().getPageArea());
    EXPECT_FALSE (dialog->isWritingMulti());
    EXPECT_EQ (dialog->getDestinationField().getText(), "4096");
    EXPECT_EQ (dialog->getDestinationInfo(), "empty user slot");
    EXPECT_EQ (dialog->getModel().getName().toStdString(), std::string (edited.begin(), edited.begin() + 16));

    // RENAME: Cancel leaves the name, OK takes the entry.
    click (dialog->getRenameButton());
    ASSERT_TRUE (dialog->isRenaming());
    auto& rename = dialog->getRenameEditor();
    EXPECT_EQ (rename.getField().getText(), dialog->getModel().getName().trimEnd());
    rename.getField().setText ("Nothing");
    click (rename.getCancelButton());
    EXPECT_FALSE (dialog->isRenaming());
    EXPECT_EQ (dialog->getModel().getName().toStdString(), std::string (edited.begin(), edited.begin() + 16));
    click (dialog->getRenameButton());
    rename.getField().setText ("My Piano");
    click (rename.getOkButton());
    EXPECT_FALSE (dialog->isRenaming());
    EXPECT_EQ (dialog->getModel().getName(), "My Piano        ");

    // The category menus: each choice goes out at once on the program's channel.
    ASSERT_TRUE (rig.settle());
    rig.simulator.clearReceived();
    EXPECT_EQ (dialog->makeMainCategoryMenu().getNumItems(), 20);
    dialog->chooseMainCategory (4);
    EXPECT_EQ (dialog->makeSubCategoryMenu().getNumItems(), 20);
    dialog->chooseSubCategory (2);
    EXPECT_EQ (dialog->getMainCategoryText(), WriteTransfer::mainCategoryMenu()[4]);
    EXPECT_EQ (dialog->getSubCategoryText(), dialog->getModel().subCategoryMenu()[2]);
    ASSERT_TRUE (rig.settle (14));
    // The two changes are the last ones the instrument took apart.
    auto changes = rig.simulator.getAddressedChanges();
    ASSERT_GE (changes.size(), 2u);
    changes.erase (changes.begin(), changes.end() - 2);
    EXPECT_EQ (rig.simulator.getReceived().size(), 14u) << "seven controllers each, nothing else";
    EXPECT_EQ (changes[0].midiChannel, 1);
    EXPECT_EQ (changes[0].address, (std::array<int, 5> { 1, 0, 0, 0, 0 }));
    EXPECT_EQ (changes[0].value, 4);
    EXPECT_EQ (changes[1].address, (std::array<int, 5> { 1, 0, 0, 0, 1 }));
    EXPECT_EQ (changes[1].value, 2);
    rig.simulator.clearReceived();

    // A destination outside 1..16383 writes nothing.
    dialog->getDestinationField().setText ("0");
    click (dialog->getWriteButton());
    EXPECT_FALSE (dialog->hasWritten());
    EXPECT_EQ (dialog->getStatus(), "Choose a destination ID from 1 to 16383.");
    dialog->getDestinationField().setText ("4096");

    click (dialog->getWriteButton());
    ASSERT_TRUE (rig.settle());
    EXPECT_TRUE (dialog->hasWritten());
    EXPECT_EQ (dialog->getStatus(), "Writing My Piano to ID# 4096...");
    const auto sent = rig.simulator.getAssembledSysex();
    ASSERT_EQ (sent.size(), 4u) << "three program blocks and the name";
    EXPECT_EQ (zd8test::toHex (sent[3]),
               "F0 07 46 01 00 02 20 00 00 00 00 11 4D 79 20 50 69 61 6E 6F 20 20 20 20 20 20 20 20 F7");

    // 200 ms later the read-back shows in the dialog.
    rig.timeline.advance (200);
    dialog->getModel().dispatchPendingMessages();
    auto* readBack = dialog->getReadBackView();
    ASSERT_NE (readBack, nullptr);
    EXPECT_FALSE (readBack->getStartButton().isVisible());
    EXPECT_FALSE (readBack->getFromField().isEnabled());
    EXPECT_EQ (dialog->getStatus(), "Reading ID# 4096 back...");
    step (readBack->getModel());
    EXPECT_TRUE (readBack->getModel().getProgressLine().startsWith ("Receiving ID#: 4096 My Piano"));
    {
        const auto difference = zd8test::compareWithReference (*dialog, "write_dialog");
        EXPECT_TRUE (difference.isEmpty()) << difference;
    }
    pump (readBack->getModel());

    EXPECT_EQ (dialog->getStatus(), "Written to ID# 4096 and read back.");
    EXPECT_EQ (dialog->getCancelButton().getText(), "CLOSE");
    EXPECT_EQ (dialog->getDestinationInfo(), "replaces  My Piano");
    const Bytes data (edited.begin() + 20, edited.end());
    const auto onInstrument = memory.getObject (program, 4096);
    ASSERT_TRUE (onInstrument.has_value());
    EXPECT_EQ (Bytes (onInstrument->name.begin(), onInstrument->name.end()), withName ("My Piano", {}));
    EXPECT_EQ (onInstrument->data, data);
    EXPECT_EQ (record (program, 4096), withName ("My Piano", data));
    EXPECT_FALSE (hub().isTransferRunning());

    // CLOSE after a program write: code 26, the window stays in program mode.
    click (dialog->getCancelButton());
    EXPECT_EQ (main().getWriteDialog(), nullptr);
    EXPECT_EQ (main().getWindowMode(), ControllerState::programMode);
    EXPECT_TRUE (main().isProgramPageShown());
    main().handleUpdateNowIfNeeded();
}

TEST_F (TransferDialogsTest, ClosingAfterAMultiWriteShowsMultiModeAndCancelJustCloses)
{
    int source = -1;
    {
        const juce::ScopedReadLock sl (hub().getImage().getStoreLock());
        const auto present = hub().getImage().getMultis().listIds (ObjectStore::listPresent, 0);
        ASSERT_FALSE (present.empty());
        source = present.front();
    }
    memory.selectMulti (source);

    // CANCEL without a write: code 13, nothing else changes.
    main().openWriteDialog (WriteDialog::multiObjectType, 0, source);
    ASSERT_NE (main().getWriteDialog(), nullptr);
    click (main().getWriteDialog()->getCancelButton());
    EXPECT_EQ (main().getWriteDialog(), nullptr);
    EXPECT_EQ (main().getWindowMode(), ControllerState::programMode);
    EXPECT_TRUE (rig.simulator.getAssembledSysex().empty());

    main().openWriteDialog (WriteDialog::multiObjectType, 0, source);
    auto* dialog = main().getWriteDialog();
    ASSERT_NE (dialog, nullptr);
    EXPECT_TRUE (dialog->isWritingMulti());
    EXPECT_FALSE (dialog->getMainCategoryButton().isVisible()) << "categories belong to programs";
    const int destination = dialog->getModel().getDestination();
    click (dialog->getRenameButton());
    dialog->getRenameEditor().getField().setText ("Gig Split");
    click (dialog->getRenameEditor().getOkButton());
    click (dialog->getWriteButton());
    ASSERT_TRUE (rig.settle());
    rig.timeline.advance (200);
    dialog->getModel().dispatchPendingMessages();
    ASSERT_NE (dialog->getModel().getReadBack(), nullptr);
    pump (*dialog->getModel().getReadBack());
    EXPECT_EQ (dialog->getStatus(), "Written to ID# " + juce::String (destination) + " and read back.");
    const auto original = record (multi, source);
    EXPECT_EQ (record (multi, destination), withName ("Gig Split", Bytes (original.begin() + 20, original.end())));

    click (dialog->getCancelButton());
    EXPECT_EQ (main().getWriteDialog(), nullptr);
    EXPECT_EQ (main().getWindowMode(), ControllerState::multiMode);
    EXPECT_TRUE (main().getTabBar().getTab (TabBar::multiTab)->isOn());
    EXPECT_EQ (hub().getParameters().value (ParameterTable::playingModeSlot), ControllerState::multiMode);
    main().handleUpdateNowIfNeeded();

    // The multi page's WRITE asks for the dialog of the multi it shows.
    auto* page = main().getMultiPage();
    ASSERT_NE (page, nullptr);
    ASSERT_TRUE (main().isMultiPageShown());
    main().multiPageEvent (EditEvent::make (EditEvent::selectedQuietly, ParameterTable::multiSlot, 0, 0, source));
    click (page->getWriteButton());
    dialog = main().getWriteDialog();
    ASSERT_NE (dialog, nullptr);
    EXPECT_TRUE (dialog->isWritingMulti());
    EXPECT_EQ (dialog->getModel().getSourceId(), source);
    click (dialog->getCancelButton());
    EXPECT_EQ (main().getWriteDialog(), nullptr);
    main().handleUpdateNowIfNeeded();
}

//==============================================================================
/** The player renames user program 4100 and writes it back where it came from. The
    "Name only" box shows only while the channel's program differs from what 4100
    holds by its name alone; checked, WRITE sends the name message alone. */
TEST_F (TransferDialogsTest, NameOnlyWriteIsOfferedWhileOnlyTheNameDiffers)
{
    struct Case
    {
        const char* what;
        bool editParameter, takeChoice;
    };
    const Case cases[] = {
        { "renamed only, name only taken", false, true },
        { "a parameter changed too", true, false },
        { "renamed only, choice not taken", false, false },
    };

    const int source = programWithLists();
    ASSERT_GT (source, 0);
    const auto factory = record (program, source);
    const Bytes data (factory.begin() + 20, factory.end());
    constexpr int user = 4100, commonByte = 40;

    for (const auto& c : cases)
    {
        SCOPED_TRACE (c.what);
        putIntoStore (program, user, withName ("Old Name", data));
        memory.setObject (program, user, "Old Name", data);
        memory.selectProgram (0, user);

        main().showProgramPage (0, user);
        auto* page = main().getProgramPage();
        ASSERT_NE (page, nullptr);
        auto* edit = hub().getImage().getEditBuffer (0);
        ASSERT_TRUE (edit->loadFromStore (hub().getImage().getPrograms(), user) || edit->hasProgram());
        if (c.editParameter)
            edit->updateByte (commonByte, 0xFF, (edit->byteAt (commonByte) + 1) & 0x7F);
        click (page->getWriteButton());

        auto* dialog = main().getWriteDialog();
        ASSERT_NE (dialog, nullptr);
        EXPECT_FALSE (dialog->getNameOnlyBox().isVisible()) << "the default destination is an empty slot";
        typeInto (dialog->getDestinationField(), juce::String (user));
        ASSERT_EQ (dialog->getModel().getDestination(), user);
        EXPECT_EQ (dialog->getNameOnlyBox().isVisible(), ! c.editParameter);
        EXPECT_FALSE (dialog->getNameOnlyBox().isChecked());

        click (dialog->getRenameButton());
        dialog->getRenameEditor().getField().setText ("Bright");
        click (dialog->getRenameEditor().getOkButton());
        if (c.takeChoice)
        {
            click (dialog->getNameOnlyBox());
            EXPECT_TRUE (dialog->getNameOnlyBox().isChecked());
        }

        ASSERT_TRUE (rig.settle());
        rig.simulator.clearReceived();
        click (dialog->getWriteButton());
        ASSERT_TRUE (rig.settle());
        const auto sent = rig.simulator.getAssembledSysex();
        const juce::String nameMessage ("F0 07 46 01 00 02 20 04 00 00 00 11 42 72 69 67 68 74 20 20 20 20 20 20 20 20 20 20 F7");
        if (c.takeChoice)
        {
            ASSERT_EQ (sent.size(), 1u) << "the name message alone";
            EXPECT_EQ (zd8test::toHex (sent[0]), nameMessage);
        }
        else
        {
            ASSERT_EQ (sent.size(), 4u) << "three program blocks and the name";
            EXPECT_EQ (zd8test::toHex (sent[3]), nameMessage);
        }

        rig.timeline.advance (200);
        dialog->getModel().dispatchPendingMessages();
        auto* readBack = dialog->getModel().getReadBack();
        ASSERT_NE (readBack, nullptr);
        pump (*readBack);
        EXPECT_EQ (dialog->getStatus(), "Written to ID# 4100 and read back.");
        const auto onInstrument = memory.getObject (program, user);
        ASSERT_TRUE (onInstrument.has_value());
        EXPECT_EQ (Bytes (onInstrument->name.begin(), onInstrument->name.end()), withName ("Bright", {}));
        EXPECT_EQ (onInstrument->data, data);
        EXPECT_EQ (record (program, user), withName ("Bright", data));

        click (dialog->getCancelButton());
        EXPECT_EQ (main().getWriteDialog(), nullptr);
        main().handleUpdateNowIfNeeded();
        rig.simulator.clearReceived();
    }
}

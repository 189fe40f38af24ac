#include "transfer/WriteTransfer.h"

#include "transfer/TransferMailbox.h"
#include "model/BankLayout.h"
#include "plugin/ControllerState.h"
#include "support/PluginRig.h"

#include <gtest/gtest.h>

namespace
{

using Bytes = std::vector<std::uint8_t>;
using zd8::TransferMailbox;
using zd8::ObjectStore;
using zd8::ReceiveTransfer;
using zd8::WriteTransfer;
using zd8sim::ObjectMemory;

constexpr int program = 138, multi = 155;
constexpr int part = 2;   // the edited program's channel slot

Bytes toBytes (const juce::MemoryBlock& block)
{
    const auto* b = static_cast<const std::uint8_t*> (block.getData());
    return Bytes (b, b + block.getSize());
}

Bytes withName (const std::string& name, const Bytes& data)
{
    Bytes r (name.begin(), name.end());
    r.resize (20, ' ');
    r.insert (r.end(), data.begin(), data.end());
    return r;
}

/** The plug-in with the simulator as its instrument; every channel's part on the
    instrument has had program 1 selected at start. */
class WriteTransferTest : public ::testing::Test
{
protected:
    WriteTransferTest()
    {
        rig.simulator.setTimers (rig.timeline);
        rig.timeline.advance (2000);   // the hub's start-up program selections
        rig.settle();
        fifo.dispatchPendingMessages();
        rig.simulator.clearReceived();
    }

    size_t received() const { return rig.simulator.getReceived().size(); }

    bool step() { return rig.roundTrip (fifo); }
    void pump() { rig.pumpTransfers (fifo); }

    Bytes record (int type, int id)
    {
        auto& image = hub.getImage();
        const juce::ScopedReadLock sl (image.getStoreLock());
        return toBytes (image.storeFor (type)->readRecord (id));
    }

    void putIntoStore (int type, int id, const Bytes& content)
    {
        auto& image = hub.getImage();
        const juce::ScopedWriteLock sl (image.getStoreLock());
        image.storeFor (type)->replaceRecord (id, content.data(), content.size());
    }

    /** A factory program with both lists, as the plug-in's store holds it. */
    int programWithLists()
    {
        auto& programs = hub.getImage().getPrograms();
        const juce::ScopedReadLock sl (hub.getImage().getStoreLock());
        for (int id : programs.listIds (ObjectStore::listRange, ObjectStore::rangeFactory))
            if (programs.nameListForSending (id).getSize() >= 20 && programs.assignmentListForSending (id).getSize() > 4)
                return id;
        return -1;
    }

    std::vector<std::vector<juce::uint8>> sysexSent() const { return rig.simulator.getAssembledSysex(); }

    zd8test::PluginRig rig;
    zd8::ControllerState hub { rig.environment };
    TransferMailbox& fifo = hub.getMailbox();
    ObjectMemory& memory = rig.simulator.getMemory();
};

} // namespace

//==============================================================================
TEST_F (WriteTransferTest, DefaultDestinationIsTheFirstEmptyUserSlot)
{
    ObjectStore store;
    store.buildIndex (program, ObjectStore::emptyBank (program, 8192), 8191);
    EXPECT_EQ (WriteTransfer::defaultDestination (store), 4096);

    const Bytes thirty (30, 'x'), nameOnly (20, 'n');
    store.replaceRecord (4096, thirty.data(), thirty.size());
    store.replaceRecord (4097, thirty.data(), thirty.size());
    store.replaceRecord (4098, nameOnly.data(), nameOnly.size());   // a name alone is empty
    EXPECT_EQ (WriteTransfer::defaultDestination (store), 4098);

    // Every user slot taken: 4096.
    std::vector<std::uint8_t> full;
    const auto* layout = zd8::BankLayout::forType (program);
    layout->appendBankOpen (full);
    for (int id = 1; id <= 8192; ++id)
        layout->appendRecord (full, id, thirty.data(), thirty.size());
    layout->appendBankClose (full);
    store.buildIndex (program, juce::MemoryBlock (full.data(), full.size()), 8191);
    ASSERT_EQ (store.recordLength (8191), 30);
    EXPECT_EQ (WriteTransfer::defaultDestination (store), 4096);

    // The dialog opens on it.
    const int source = programWithLists();
    EXPECT_EQ (WriteTransfer (hub, program, part, source).getDestination(), 4096);
    putIntoStore (program, 4096, withName ("Taken", thirty));
    EXPECT_EQ (WriteTransfer (hub, program, part, source).getDestination(), 4097);
}

TEST_F (WriteTransferTest, RenameCutsAndPadsTo16Characters)
{
    WriteTransfer w (hub, program, part, programWithLists());
    EXPECT_EQ (w.getName().length(), 16);

    const std::pair<const char*, const char*> cases[] = {
        { "A very long program name", "A very long prog" },
        { "x", "x               " },
        { "", "                " },
    };
    for (auto [in, out] : cases)
    {
        w.rename (in);
        EXPECT_EQ (w.getName(), out);
    }
}

TEST_F (WriteTransferTest, FullWriteSendsTheThreeBlocksAndReadsTheProgramBack)
{
    const int source = programWithLists();
    ASSERT_GT (source, 0);

    // The instrument's part holds the source program; the plug-in's copy has an edited
    // common block (level, content byte 80) that only the write can carry over.
    memory.selectProgram (part, source);
    auto edited = record (program, source);
    edited[80] = (std::uint8_t) (edited[80] ^ 0x55);
    putIntoStore (program, source, edited);

    WriteTransfer w (hub, program, part, source);
    EXPECT_EQ (w.getName().toStdString(), std::string (edited.begin(), edited.begin() + 16));
    ASSERT_EQ (w.getDestination(), 4096);
    w.rename ("My Piano");
    w.write();
    ASSERT_TRUE (rig.settle());

    const auto sent = sysexSent();
    ASSERT_EQ (sent.size(), 4u);
    const auto& programs = hub.getImage().getPrograms();
    const std::tuple<int, int, juce::MemoryBlock> blocks[] = {
        { 4, 3, programs.nameListForSending (source) },
        { 5, 3, programs.assignmentListForSending (source) },
        { 0, 1, programs.commonBlockForSending (source) },
    };
    for (size_t i = 0; i < 3; ++i)
    {
        const auto& m = sent[i];
        const auto& [blockType, mode, data] = blocks[i];
        ASSERT_GT (m.size(), 13u);
        EXPECT_EQ (Bytes (m.begin(), m.begin() + 12),
                   (Bytes { 0xF0, 0x07, 0x46, 0x01, 0x00, 0x02, 0x00, 0x00, part, (std::uint8_t) blockType, 0x00, (std::uint8_t) mode }));
        EXPECT_EQ (ObjectMemory::unpack7 (m.data() + 12, m.size() - 13), toBytes (data)) << i;
    }
    EXPECT_EQ (zd8test::toHex (sent[3]),
               "F0 07 46 01 00 02 20 00 02 00 00 11 4D 79 20 50 69 61 6E 6F 20 20 20 20 20 20 20 20 F7");

    // The read-back starts 200 ms later.
    rig.timeline.advance (199);
    EXPECT_EQ (w.getReadBack(), nullptr);
    rig.timeline.advance (1);
    auto* readBack = w.getReadBack();
    ASSERT_NE (readBack, nullptr);
    EXPECT_TRUE (readBack->isRunning());
    EXPECT_TRUE (readBack->isForReadBack());
    EXPECT_EQ (readBack->getTitle(), "Receive Programs");
    EXPECT_EQ (fifo.operation, TransferMailbox::operationReadBack);
    EXPECT_EQ (fifo.firstId, 4096);
    EXPECT_EQ (fifo.lastId, 4096);
    EXPECT_TRUE (hub.isTransferRunning());
    pump();

    EXPECT_EQ (record (program, 4096), withName ("My Piano", Bytes (edited.begin() + 20, edited.end())));
    EXPECT_EQ (readBack->getState(), ReceiveTransfer::State::open);
    EXPECT_EQ (readBack->getBarWidth(), 0.0) << "a one-object read-back shows no bar";
    EXPECT_FALSE (fifo.running);
    EXPECT_FALSE (hub.isTransferRunning());
}

TEST_F (WriteTransferTest, NameChangeSendsTheNameMessageAlone)
{
    const int source = programWithLists();
    memory.selectProgram (part, source);
    const auto original = record (program, source);

    WriteTransfer w (hub, program, part, source);
    w.setNameChangeOnly (true);
    w.setDestination (4100);
    w.rename ("Renamed");
    w.write();
    ASSERT_TRUE (rig.settle());
    ASSERT_EQ (sysexSent().size(), 1u);
    EXPECT_EQ (zd8test::toHex (sysexSent()[0]),
               "F0 07 46 01 00 02 20 04 02 00 00 11 52 65 6E 61 6D 65 64 20 20 20 20 20 20 20 20 20 F7");

    rig.timeline.advance (200);
    pump();
    EXPECT_EQ (record (program, 4100), withName ("Renamed", Bytes (original.begin() + 20, original.end())));
}

TEST_F (WriteTransferTest, MultiWriteSendsTheMultiNameAndReadsTheMultiBack)
{
    int source = -1;
    {
        const juce::ScopedReadLock sl (hub.getImage().getStoreLock());
        const auto present = hub.getImage().getMultis().listIds (ObjectStore::listPresent, 0);
        ASSERT_FALSE (present.empty());
        source = present.front();
    }
    memory.selectMulti (source);
    const auto original = record (multi, source);

    WriteTransfer w (hub, multi, part, source);
    const int destination = w.getDestination();
    EXPECT_TRUE (record (multi, destination).empty());
    w.rename ("Gig Split");
    w.write();
    ASSERT_TRUE (rig.settle());
    ASSERT_EQ (sysexSent().size(), 1u);
    const auto m = sysexSent()[0];
    ASSERT_EQ (m.size(), 29u);
    EXPECT_EQ (Bytes (m.begin(), m.begin() + 12),
               (Bytes { 0xF0, 0x07, 0x46, 0x01, 0x00, 0x0B, (std::uint8_t) (destination / 128), (std::uint8_t) (destination % 128),
                        0x00, 0x00, 0x00, 0x11 }));

    rig.timeline.advance (200);
    ASSERT_NE (w.getReadBack(), nullptr);
    EXPECT_EQ (w.getReadBack()->getTitle(), "Receive Multi");
    pump();
    EXPECT_EQ (record (multi, destination), withName ("Gig Split", Bytes (original.begin() + 20, original.end())));
}

TEST_F (WriteTransferTest, ReadBackOfAnObjectTheInstrumentLacksClearsTheSlot)
{
    // The part holds nothing and 5000 does not exist there: the name files nothing,
    // and the instrument refuses the read-back.
    memory.selectProgram (part, 9999);
    putIntoStore (program, 5000, withName ("Old", Bytes (40, 1)));

    WriteTransfer w (hub, program, part, programWithLists());
    w.setNameChangeOnly (true);
    w.setDestination (5000);
    w.write();
    rig.timeline.advance (200);
    pump();

    EXPECT_FALSE (memory.getObject (program, 5000).has_value());
    EXPECT_TRUE (record (program, 5000).empty());
    ASSERT_NE (w.getReadBack(), nullptr);
    EXPECT_EQ (w.getReadBack()->getState(), ReceiveTransfer::State::open);
    EXPECT_FALSE (hub.isTransferRunning());
}

TEST_F (WriteTransferTest, DestinationZeroWritesNoNameAndReadsNothingBack)
{
    WriteTransfer w (hub, program, part, programWithLists());
    w.setNameChangeOnly (true);
    w.setDestination (0);
    w.write();
    rig.timeline.advance (1000);
    ASSERT_TRUE (rig.settle());
    EXPECT_TRUE (sysexSent().empty());
    EXPECT_EQ (w.getReadBack(), nullptr);
}

TEST_F (WriteTransferTest, CancelBeforeTheReadBackClosesWithoutReadingBack)
{
    WriteTransfer w (hub, program, part, programWithLists());
    int closed = 0;
    w.onClose = [&] { ++closed; };
    w.setNameChangeOnly (true);
    w.write();
    w.cancel();
    EXPECT_EQ (closed, 1);

    rig.timeline.advance (1000);
    ASSERT_TRUE (rig.settle());
    EXPECT_EQ (w.getReadBack(), nullptr);
    EXPECT_TRUE (memory.getRequests().empty());
    EXPECT_FALSE (hub.isTransferRunning());
}

TEST_F (WriteTransferTest, CategoryChoicesAreSentAtOnceOnTheProgramsChannel)
{
    const int source = programWithLists();
    WriteTransfer w (hub, program, part, source);
    EXPECT_EQ (w.getMainCategory(), (int) (juce::int8) record (program, source)[30]);

    const auto main = WriteTransfer::mainCategoryMenu();
    ASSERT_EQ (main.size(), 20);
    EXPECT_EQ (main[1], "PIANO");
    EXPECT_EQ (main[14], "FM");
    EXPECT_EQ (main[19], "19");

    w.chooseMainCategory (4);
    w.chooseSubCategory (2);
    w.chooseMainCategory (20);   // outside the menu: nothing
    w.chooseSubCategory (-1);
    ASSERT_TRUE (rig.settle (14));

    const auto sub = w.subCategoryMenu();
    ASSERT_EQ (sub.size(), 20);
    EXPECT_EQ (sub[1], "B3");
    EXPECT_EQ (sub[4], "Pipe");
    EXPECT_EQ (sub[5], "");

    const auto changes = rig.simulator.getAddressedChanges();
    ASSERT_EQ (changes.size(), 2u);
    EXPECT_EQ (changes[0].midiChannel, part + 1);
    EXPECT_EQ (changes[0].address, (std::array<int, 5> { 1, 0, 0, 0, 0 }));
    EXPECT_EQ (changes[0].value, 4);
    EXPECT_EQ (changes[1].midiChannel, part + 1);
    EXPECT_EQ (changes[1].address, (std::array<int, 5> { 1, 0, 0, 0, 1 }));
    EXPECT_EQ (changes[1].value, 2);
    EXPECT_EQ (received(), 14u);
}

TEST_F (WriteTransferTest, OnlyTheNameDiffersWhenSourceAndEditBufferEqualTheDestinationPastTheName)
{
    const int source = programWithLists();
    ASSERT_GT (source, 0);
    const auto original = record (program, source);
    const Bytes data (original.begin() + 20, original.end());
    Bytes changed (data);
    changed[30] = (std::uint8_t) (changed[30] ^ 0x11);

    struct Case
    {
        const char* what;
        Bytes destination, editBuffer;
        bool onlyName;
    };
    const Case cases[] = {
        { "same data, other name", withName ("Other", data), withName ("Mine", data), true },
        { "the destination holds other data", withName ("Other", changed), withName ("Mine", data), false },
        { "the edit buffer was changed", withName ("Other", data), withName ("Mine", changed), false },
        { "the destination is empty", {}, withName ("Mine", data), false },
    };

    for (const auto& c : cases)
    {
        SCOPED_TRACE (c.what);
        putIntoStore (program, 4100, c.destination);
        hub.getImage().getEditBuffer (part)->setProgramData (juce::MemoryBlock (c.editBuffer.data(), c.editBuffer.size()));

        WriteTransfer w (hub, program, part, source);
        w.setDestination (4100);
        EXPECT_EQ (w.differsOnlyByName(), c.onlyName);
        w.setDestination (0);
        EXPECT_FALSE (w.differsOnlyByName()) << "destination 0 writes nothing";
    }

    // A multi's write is its name message in any case: nothing to offer.
    WriteTransfer m (hub, multi, part, source);
    m.setDestination (source);
    EXPECT_FALSE (m.differsOnlyByName());
}

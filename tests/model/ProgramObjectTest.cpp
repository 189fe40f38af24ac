// The program store and the channel edit buffers on small hand-built banks: record
// offsets, the layer-area end (the 32-layer case), the lists "for sending", decoding
// the virtual parameter table with the program's FX chains, the edit operations and
// the instrument's edit-buffer messages.
#include "model/FxChainStore.h"
#include "model/ProgramStore.h"
#include "model/ProgramEditBuffers.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <thread>

using namespace zd8;

namespace
{
using Bytes = std::vector<juce::uint8>;

constexpr int slots = 8; // IDs 1..7 usable

Bytes text (const char* s)
{
    return Bytes (s, s + std::strlen (s));
}

Bytes entry (int id, int value, const Bytes& name)
{
    Bytes e { 0, 0, (juce::uint8) (id >> 8), (juce::uint8) id, (juce::uint8) (value >> 8), (juce::uint8) value,
              0, (juce::uint8) name.size() };
    e.insert (e.end(), name.begin(), name.end());
    return e;
}

Bytes nameList (int identifier, const std::vector<Bytes>& entries)
{
    Bytes b { (juce::uint8) (identifier >> 8), (juce::uint8) identifier, 0, (juce::uint8) entries.size() };
    for (const auto& e : entries)
        b.insert (b.end(), e.begin(), e.end());
    return b;
}

/** Assignments of (sub-system, parameter, value, controller). */
Bytes assignmentList (const std::vector<std::array<int, 4>>& entries)
{
    Bytes b { 0x00, 0x02, 0, (juce::uint8) entries.size() };
    for (const auto& e : entries)
        for (int v : e)
            b.push_back ((juce::uint8) v);
    return b;
}

/** A program record: name, "ZD7", layer count, FX chains, mode, then at V the two lists
    and a trailer. */
struct Program
{
    std::string name = "Test Program";
    int layers = 1;
    int insert = 0, aux1 = 0, aux2 = 0;
    int mode = 0;
    Bytes names = nameList (1, {});
    Bytes assignments = assignmentList ({});

    Bytes bytes() const
    {
        const size_t v = layers == 32 ? 10425 : 250 + 318 * (size_t) layers;
        Bytes b (v, 0x11);
        std::string padded = name;
        padded.resize (20, ' ');
        std::copy (padded.begin(), padded.end(), b.begin());
        b[20] = 'Z', b[21] = 'D', b[22] = '7';
        for (size_t i = 25; i <= 157; ++i)
            b[i] = (juce::uint8) i; // the common block shows where it was cut
        b[60] = (juce::uint8) layers;
        auto put16 = [&b] (size_t at, int value) { b[at] = (juce::uint8) (value >> 8), b[at + 1] = (juce::uint8) value; };
        put16 (109, insert);
        put16 (121, aux1);
        put16 (133, aux2);
        b[157] = (juce::uint8) mode;
        b.insert (b.end(), names.begin(), names.end());
        b.insert (b.end(), assignments.begin(), assignments.end());
        b.insert (b.end(), { 0xEE, 0xEE, 0xEE });
        return b;
    }
};

/** An FX chain record with no effects: header up to 30, settings, count 0, then the
    parameter name list. */
Bytes chain (const Bytes& list)
{
    Bytes c = text ("Chain               ");
    c.resize (28, 0x01);
    c.insert (c.end(), { 0, 0, 0x14 });
    c.resize (30 + 349, 0x22);
    c.push_back (0);
    c.insert (c.end(), list.begin(), list.end());
    return c;
}

juce::MemoryBlock block (const Bytes& b)
{
    return { b.data(), b.size() };
}

Bytes bytesOf (const juce::MemoryBlock& m)
{
    auto* p = static_cast<const juce::uint8*> (m.getData());
    return Bytes (p, p + m.getSize());
}

struct ProgramFixture : public ::testing::Test
{
    ProgramStore programs;
    FxChainStore chains;
    ProgramEditBuffers edit { 3 };

    // Chains 1..3 with lists of their own; 4 is an empty slot.
    const Bytes insertList = nameList (1, { entry (20, 1, text (" Rotor Spd")), entry (10, 2, text (" Shadowed")) });
    const Bytes aux1List = nameList (1, { entry (30, 3, text (" Decay Time")), entry (20, 4, text (" Shadowed")) });
    const Bytes aux2List = nameList (1, { entry (40, 5, text (" Feedback")), entry (41, 6, text (" Dly Time")) });

    void SetUp() override
    {
        programs.buildIndex (ObjectStore::typeProgram, ObjectStore::emptyBank (ObjectStore::typeProgram, slots), slots - 1);
        chains.buildIndex (ObjectStore::typeFxChain, ObjectStore::emptyBank (ObjectStore::typeFxChain, slots), slots - 1);
        chains.replaceRecord (1, block (chain (insertList)));
        chains.replaceRecord (2, block (chain (aux1List)));
        chains.replaceRecord (3, block (chain (aux2List)));
    }

    void store (int id, const Program& p) { programs.replaceRecord (id, block (p.bytes())); }

    /** A program with a full table: own list, three chains, five assignments. */
    static Program fullProgram()
    {
        Program p;
        p.name = "Full Table";
        p.layers = 2;
        p.insert = 1, p.aux1 = 2, p.aux2 = 3;
        p.names = nameList (0x0304, { entry (10, 64, text ("\x08" "Cutoff")), entry (11, 200, { ' ', 'R', 0xE9, 's', 'o' }) });
        p.assignments = assignmentList ({ { 1, 10, 64, 71 }, { 1, 11, -1, 73 }, { 4, 20, 5, 127 }, { 2, 30, 0, 200 }, { 3, 41, 9, 69 } });
        return p;
    }
};
} // namespace

TEST_F (ProgramFixture, LayerAreaEndsAt250Plus318PerLayerExceptWith32Layers)
{
    const std::vector<std::pair<int, int>> cases { { 0, 250 }, { 1, 568 }, { 2, 886 }, { 31, 10108 }, { 32, 10425 } };

    for (const auto& [layers, v] : cases)
    {
        Program p;
        p.layers = layers;
        p.insert = 1;
        p.names = nameList (0x4242, { entry (3, 1, text (" Layer Mix")) });
        p.assignments = assignmentList ({ { 1, 3, 7, 71 }, { 4, 20, 8, 72 }, { 1, 3, 9, 73 }, { 4, 20, 10, 79 } });
        store (1, p);

        EXPECT_EQ (programs.layerAreaEnd (1), v) << layers;
        EXPECT_EQ (bytesOf (programs.nameListForSending (1)), p.names) << layers;
        EXPECT_EQ (bytesOf (programs.assignmentListForSending (1)), p.assignments) << layers;

        ASSERT_TRUE (edit.loadFromStore (programs, 1));
        EXPECT_EQ (edit.nameListCount(), 1) << layers;
        EXPECT_EQ (edit.assignmentCount(), 4) << layers;
        edit.decodeTable (chains);
        const auto table = edit.getTable();
        EXPECT_EQ (table.lists[VirtualParameterTable::programList].identifier, 0x4242) << layers;
        EXPECT_EQ (edit.parameterName (0), " Layer Mix") << layers;
        EXPECT_EQ (edit.parameterName (1), " Rotor Spd") << layers;
        EXPECT_EQ (edit.entryValueText (3), "10") << layers;
    }
}

TEST_F (ProgramFixture, WithoutNameListEntriesTheAssignmentListFollowsFourBytesLater)
{
    Program p;
    p.insert = 1;
    p.names = nameList (7, {});
    p.assignments = assignmentList ({ { 4, 20, 1, 71 }, { 4, 20, 2, 72 }, { 4, 10, 3, 73 }, { 4, 99, 4, 79 } });
    store (1, p);

    EXPECT_EQ (bytesOf (programs.nameListForSending (1)), p.names);
    EXPECT_EQ (bytesOf (programs.assignmentListForSending (1)), p.assignments);

    edit.loadFromStore (programs, 1);
    EXPECT_EQ (edit.nameListCount(), 0);
    EXPECT_EQ (edit.assignmentCount(), 4);

    // A program without a name list of its own shows no assignments, also those of
    // its FX chains' parameters.
    edit.decodeTable (chains);
    const auto table = edit.getTable();
    EXPECT_TRUE (table.lists[VirtualParameterTable::programList].isEmpty());
    EXPECT_EQ (table.lists[VirtualParameterTable::insertList].size(), 2);
    EXPECT_EQ (table.assignmentCount(), 0);
    EXPECT_EQ (edit.parameterName (0), "");
    EXPECT_EQ (edit.assignedToText (0), "");
}

TEST_F (ProgramFixture, DecodesTheFullTable)
{
    store (1, fullProgram());
    edit.loadFromStore (programs, 1);
    edit.decodeTable (chains);
    const auto table = edit.getTable();

    const auto& own = table.lists[VirtualParameterTable::programList];
    EXPECT_EQ (own.identifier, 0x0304);
    // The marker byte 0x08 is dropped, the byte 0xE9 skipped, a value of 200 reads -1.
    EXPECT_EQ (own.entries, (std::vector<ParameterNameList::Entry> { { 10, 64, "Cutoff" }, { 11, -1, " Rso" } }));
    EXPECT_EQ (table.lists[VirtualParameterTable::insertList].size(), 2);
    EXPECT_EQ (table.lists[VirtualParameterTable::aux1List].size(), 2);
    EXPECT_EQ (table.lists[VirtualParameterTable::aux2List].size(), 2);
    EXPECT_EQ (table.assignmentIdentifier, 2);

    struct Row
    {
        const char *subSystem, *value, *assignedTo, *name;
    };
    const Row rows[] = {
        { "Synth", "64", "KNOB 1", "Cutoff" },
        { "Synth", "---", "KNOB 2", " Rso" },
        { "Prg Insert", "5", "CONTROLLER #20", " Rotor Spd" }, // controller 127: the parameter names it
        { "Aux 1", "0", "NONE", " Decay Time" },                // 200 is a signed byte: -56
        { "Aux 2", "9", "SWITCH 4", " Dly Time" },
    };
    ASSERT_EQ (edit.assignmentCount(), 5);
    for (int i = 0; i < 5; ++i)
    {
        EXPECT_EQ (edit.subSystemText (i), rows[i].subSystem) << i;
        EXPECT_EQ (edit.entryValueText (i), rows[i].value) << i;
        EXPECT_EQ (edit.assignedToText (i), rows[i].assignedTo) << i;
        EXPECT_EQ (edit.parameterName (i), rows[i].name) << i;
    }
    EXPECT_EQ (edit.parameterName (5), "");
}

TEST_F (ProgramFixture, AProgramWithoutListsAfterAFullTableLeavesEveryListEmpty)
{
    store (1, fullProgram());
    Program bare;
    bare.names = nameList (1, {});
    bare.assignments = assignmentList ({});
    store (2, bare); // names chain 0 three times: no such chain

    edit.loadFromStore (programs, 1);
    edit.decodeTable (chains);
    ASSERT_EQ (edit.getTable().assignmentCount(), 5);

    edit.loadFromStore (programs, 2);
    edit.decodeTable (chains);
    const auto table = edit.getTable();
    for (const auto& list : table.lists)
    {
        EXPECT_TRUE (list.isEmpty());
        EXPECT_EQ (list.identifier, 0);
    }
    EXPECT_EQ (table.assignmentCount(), 0);
    EXPECT_EQ (edit.parameterName (0), "");
    EXPECT_EQ (edit.assignedToText (0), "");
}

TEST_F (ProgramFixture, AnAux2ChainInAnEmptySlotGivesAnEmptyListAndEmptyNames)
{
    auto p = fullProgram();
    p.aux2 = 4; // tags, no record
    store (1, p);
    edit.loadFromStore (programs, 1);
    edit.decodeTable (chains);

    EXPECT_TRUE (edit.getTable().lists[VirtualParameterTable::aux2List].isEmpty());
    EXPECT_EQ (edit.parameterName (4), "");            // referenced Aux 2's "Dly Time"
    EXPECT_EQ (edit.parameterName (3), " Decay Time"); // the others still resolve
    EXPECT_EQ (edit.subSystemText (4), "Aux 2");
}

TEST_F (ProgramFixture, ChainsGivenToTheDecodeReplaceTheProgramsOwn)
{
    store (1, fullProgram());
    edit.loadFromStore (programs, 1);

    edit.decodeTable (chains, 3, 0, 1); // insert now chain 3, Aux 1 none, Aux 2 chain 1
    const auto table = edit.getTable();
    EXPECT_EQ (table.lists[VirtualParameterTable::insertList].entries.front().name, " Feedback");
    EXPECT_TRUE (table.lists[VirtualParameterTable::aux1List].isEmpty());
    EXPECT_EQ (table.lists[VirtualParameterTable::aux2List].entries.front().name, " Rotor Spd");
    EXPECT_EQ (edit.parameterName (3), ""); // parameter 30 was Aux 1's
}

TEST_F (ProgramFixture, ShortListsAreNotShown)
{
    auto p = fullProgram();
    p.names = nameList (1, { entry (10, 1, text (" Cutoff")) }); // 19 bytes
    p.assignments = assignmentList ({ { 1, 10, 1, 71 }, { 1, 10, 2, 72 }, { 1, 10, 3, 73 } }); // 16 bytes
    store (1, p);
    chains.replaceRecord (1, block (chain (nameList (1, { entry (20, 1, text (" Rotor")) })))); // 18 bytes

    edit.loadFromStore (programs, 1);
    edit.decodeTable (chains);
    const auto table = edit.getTable();
    EXPECT_TRUE (table.lists[VirtualParameterTable::programList].isEmpty());
    EXPECT_TRUE (table.lists[VirtualParameterTable::insertList].isEmpty());
    EXPECT_EQ (table.assignmentCount(), 0);
    EXPECT_EQ (edit.nameListCount(), 0);
    EXPECT_EQ (edit.assignmentCount(), 0);

    const auto before = edit.getProgramData();
    edit.setAssignmentByte (6, 99); // the list is too short to be edited
    EXPECT_EQ (edit.getProgramData(), before);
}

TEST_F (ProgramFixture, StoreQueriesByProgramId)
{
    auto p = fullProgram();
    p.name = std::string ("Caf\xA0" "e\0X", 7);
    p.mode = 0x78;
    store (1, p);
    p.mode = 0x58; // "X"
    store (2, p);

    EXPECT_EQ (programs.programName (1), "CafeX" + juce::String::repeatedString (" ", 13)); // 0xA0 and 0 skipped
    EXPECT_EQ (programs.modeText (1), "TW7");
    EXPECT_EQ (programs.modeText (2), "LAYRA");

    const auto record = p.bytes();
    const Bytes common (record.begin() + 25, record.begin() + 158);
    EXPECT_EQ (bytesOf (programs.commonBlock (2)), common);
    Bytes sending = common;
    sending.insert (sending.end(), record.begin(), record.begin() + 20);
    EXPECT_EQ (bytesOf (programs.commonBlockForSending (2)), sending);
    EXPECT_EQ (programs.commonBlockForSending (2).getSize(), 153u);

    // ID 5 is an empty slot, 9 has no slot at all.
    for (int id : { 5, 9, 0, -1 })
    {
        EXPECT_EQ (programs.commonBlockForSending (id).getSize(), 0u) << id;
        EXPECT_EQ (programs.nameListForSending (id).getSize(), 0u) << id;
        EXPECT_EQ (programs.assignmentListForSending (id).getSize(), 0u) << id;
        EXPECT_EQ (programs.layerAreaEnd (id), -1) << id;
        EXPECT_EQ (programs.programName (id), "") << id;
    }
}

TEST_F (ProgramFixture, AShortRecordReadsZerosBeyondItsEnd)
{
    Bytes shortRecord = text ("Short               ZD7");
    shortRecord.resize (100, 0x33);
    programs.replaceRecord (1, block (shortRecord));

    const auto common = bytesOf (programs.commonBlock (1));
    ASSERT_EQ (common.size(), 133u);
    EXPECT_EQ (common[74], 0x33); // byte 99
    EXPECT_EQ (common[75], 0);    // byte 100
    EXPECT_EQ (programs.modeText (1), "LAYRA");
    EXPECT_EQ (programs.layerAreaEnd (1), 250 + 318 * 0x33);
    EXPECT_EQ (programs.nameListForSending (1).getSize(), 0u); // V lies beyond the record

    ASSERT_TRUE (edit.loadFromStore (programs, 1));
    EXPECT_EQ (bytesOf (edit.commonBlock()), common);
    EXPECT_EQ (edit.byteAt (99), 0x33);
    EXPECT_EQ (edit.byteAt (100), 0);
    EXPECT_EQ (edit.bigEndian16At (109), 0);
    EXPECT_EQ (edit.nameListCount(), 0);
    EXPECT_EQ (edit.assignmentCount(), 0);
    edit.decodeTable (chains);
    EXPECT_EQ (edit.getTable().assignmentCount(), 0);
}

TEST_F (ProgramFixture, LoadingAnAbsentProgramLeavesTheBufferAsItWas)
{
    EXPECT_FALSE (edit.hasProgram());
    EXPECT_EQ (edit.commonBlock().getSize(), 0u);
    EXPECT_EQ (edit.name(), "");

    store (1, fullProgram());
    Bytes nameOnly = text ("Only A Name         ");
    programs.replaceRecord (2, block (nameOnly));

    ASSERT_TRUE (edit.loadFromStore (programs, 1));
    for (int id : { 2, 5, 9, 0 })
    {
        EXPECT_FALSE (edit.loadFromStore (programs, id)) << id;
        EXPECT_EQ (edit.name(), "Full Table          ") << id;
    }
    EXPECT_EQ (edit.commonBlock().getSize(), 133u);
    EXPECT_EQ (edit.bigEndian16At (121), 2);
}

TEST_F (ProgramFixture, AssignmentEditsWriteTheRecordAndTheTable)
{
    const auto p = fullProgram();
    store (1, p);
    edit.loadFromStore (programs, 1);
    edit.decodeTable (chains);

    const int listStart = 250 + 318 * 2 + (int) p.names.size();
    edit.setAssignmentByte (4 * 2 + 6, 99);  // entry value of assignment 2
    edit.setAssignmentByte (4 * 0 + 7, 127); // controller of assignment 0: now the parameter names it
    edit.setAssignmentByte (4 * 4 + 6, 0xFF);

    EXPECT_EQ (edit.byteAt (listStart + 4 * 2 + 6), 99);
    EXPECT_EQ (edit.byteAt (listStart + 4 * 0 + 7), 127);
    EXPECT_EQ (edit.entryValueText (2), "99");
    EXPECT_EQ (edit.assignedToText (0), "CONTROLLER #10");
    EXPECT_EQ (edit.entryValueText (4), "---");

    // Beyond the record nothing is written.
    const auto before = edit.getProgramData();
    edit.setAssignmentByte (10000, 1);
    edit.setAssignmentByte (-1, 1);
    EXPECT_EQ (edit.getProgramData(), before);
}

TEST_F (ProgramFixture, UpdateByteChangesOnlyTheMaskedBits)
{
    store (1, fullProgram());
    edit.loadFromStore (programs, 1);
    edit.updateByte (61, 0xFF, 0x04);
    edit.updateByte (111, 0xFF, 0x80 | 20);

    struct Case
    {
        int position, mask, bits, expected;
    };
    const std::vector<Case> cases {
        { 61, 0x01, 0x01, 0x05 },  // set bit 0, keep bit 2
        { 61, 0x10, 0xFF, 0x15 },  // set bit 4
        { 111, 0x7F, 100, 0x80 | 100 }, // level bits take the value, bit 7 stays
        { 111, 0x80, 0x00, 100 },  // out bit cleared, level stays
        { 20000, 0x01, 0x01, 0x01 }, // beyond the record: read as 0, not written
    };
    const auto size = edit.getProgramData().getSize();
    for (const auto& c : cases)
    {
        EXPECT_EQ (edit.updateByte (c.position, c.mask, c.bits), c.expected) << c.position;
        EXPECT_EQ (edit.byteAt (c.position), c.position < (int) size ? c.expected : 0) << c.position;
    }
    EXPECT_EQ (edit.getProgramData().getSize(), size);
}

TEST_F (ProgramFixture, InstrumentMessagesBySubType)
{
    struct Counter : juce::ChangeListener
    {
        int changes = 0;
        void changeListenerCallback (juce::ChangeBroadcaster*) override { ++changes; }
    } counter;
    edit.addChangeListener (&counter);

    const juce::MemoryBlock first ("abc", 3), second ("defg", 4);
    struct Case
    {
        int subType;
        const juce::MemoryBlock* data;
        bool tells;
        juce::MemoryBlock extra;
    };
    const std::vector<Case> cases {
        { 0, &first, false, {} },
        { 1, &first, false, {} },
        { 2, &first, true, {} },
        { 4, &first, true, {} },
        { 6, &first, true, first },
        { 6, &second, true, second },
        { 3, &first, false, second },
        { 2, &first, true, second },
    };
    for (const auto& c : cases)
    {
        counter.changes = 0;
        edit.instrumentMessage (c.subType, *c.data);
        edit.dispatchPendingMessages();
        EXPECT_EQ (counter.changes, c.tells ? 1 : 0) << c.subType;
        EXPECT_EQ (edit.getExtraBlock(), c.extra) << c.subType;
    }
    EXPECT_FALSE (edit.hasProgram());
    edit.removeChangeListener (&counter);
}

TEST_F (ProgramFixture, ReadersOnOtherThreadsSeeWholePrograms)
{
    store (1, fullProgram());
    Program other;
    other.name = "Other";
    other.layers = 5;
    other.aux1 = 2;
    other.names = nameList (9, { entry (1, 1, text (" One")), entry (2, 2, text (" Two")), entry (3, 3, text (" Three")) });
    other.assignments = assignmentList ({ { 1, 1, 0, 1 }, { 1, 2, 0, 2 }, { 1, 3, 0, 3 }, { 2, 30, 0, 4 } });
    store (2, other);

    std::atomic<bool> done { false };
    std::thread midiInput ([&] {
        for (int i = 0; i < 500; ++i)
        {
            edit.loadFromStore (programs, 1 + i % 2);
            edit.decodeTable (chains);
            edit.setAssignmentByte (6, i & 0x7F);
        }
        done = true;
    });

    int reads = 0;
    while (! done || reads == 0)
    {
        const auto name = edit.name();
        EXPECT_TRUE (name.isEmpty() || name.startsWith ("Full Table") || name.startsWith ("Other")) << name;
        const auto table = edit.getTable();
        const int own = table.lists[VirtualParameterTable::programList].size();
        EXPECT_TRUE (own == 0 || own == 2 || own == 3) << own;
        EXPECT_TRUE (table.assignmentCount() == 0 || table.assignmentCount() == 4 || table.assignmentCount() == 5);
        edit.parameterName (reads % 6);
        ++reads;
    }
    midiInput.join();
}

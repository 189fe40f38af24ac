// A program record of arbitrary bytes in the program store and in an edit buffer,
// decoded with a small FX chain store (three chains with name lists, an empty slot and
// one chain of arbitrary bytes), then every query of the store, the buffer and the
// decoded table. Nothing may crash or read outside its data, and what comes back must
// fit inside the record.
//
// Input: two bytes giving the program record's length (the rest of the input after it
// is the arbitrary chain, ID 5), then the bytes.
#include "model/FxChainStore.h"
#include "model/ProgramStore.h"
#include "model/ProgramEditBuffers.h"
#include "model/ProgramNames.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

using namespace zd8;

namespace
{
constexpr int slots = 8;
constexpr int programId = 1;
constexpr int fuzzedChainId = 5;
constexpr int maxQueriedAssignments = 300;

void check (bool condition)
{
    if (! condition)
        abort();
}

juce::MemoryBlock chainWithList (const char* name, std::initializer_list<int> ids)
{
    juce::MemoryBlock c;
    c.append ("Fuzz Chain          ", 20);
    const juce::uint8 header[] = { 1, 1, 1, 1, 1, 1, 1, 1, 0, 0 };
    c.append (header, sizeof (header));
    juce::MemoryBlock settings (349, true);
    settings[0] = 0x14;
    c.append (settings.getData(), settings.getSize());
    const juce::uint8 noEffects = 0;
    c.append (&noEffects, 1);

    const auto n = (juce::uint8) std::strlen (name);
    const juce::uint8 listHeader[] = { 0, 1, 0, (juce::uint8) ids.size() };
    c.append (listHeader, sizeof (listHeader));
    for (int id : ids)
    {
        const juce::uint8 entry[] = { 0, 0, 0, (juce::uint8) id, 0, 64, 0, n };
        c.append (entry, sizeof (entry));
        c.append (name, n);
    }
    return c;
}

struct Stores
{
    ProgramStore programs;
    FxChainStore chains;
    ProgramEditBuffers edit;

    Stores()
    {
        programs.buildIndex (ObjectStore::typeProgram, ObjectStore::emptyBank (ObjectStore::typeProgram, slots), slots - 1);
        chains.buildIndex (ObjectStore::typeFxChain, ObjectStore::emptyBank (ObjectStore::typeFxChain, slots), slots - 1);
        chains.replaceRecord (1, chainWithList (" Rotor Speed", { 1, 2, 3 }));
        chains.replaceRecord (2, chainWithList (" Decay", { 3, 4, 130 }));
        chains.replaceRecord (3, chainWithList ("\x08" "Feedback", { 5, 6 }));
    }
};

void queryTable (const ProgramEditBuffers& edit, size_t recordSize)
{
    const auto table = edit.getTable();
    for (const auto& list : table.lists)
        check (list.size() <= ParameterNameList::maxEntries);
    check ((size_t) table.assignmentCount() * VirtualParameterTable::assignmentSize <= recordSize);

    const int count = juce::jmin (maxQueriedAssignments, juce::jmax (table.assignmentCount(), edit.assignmentCount()) + 2);
    for (int i = -1; i < count; ++i)
    {
        edit.subSystemText (i);
        edit.entryValueText (i);
        edit.assignedToText (i);
        edit.parameterName (i);
        table.parameterName (i);
    }
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput (const uint8_t* data, size_t size)
{
    if (size < 2)
        return 0;
    const size_t programSize = juce::jmin ((size_t) (data[0] << 8 | data[1]), size - 2);
    const juce::MemoryBlock record (data + 2, programSize);
    const juce::MemoryBlock chain (data + 2 + programSize, size - 2 - programSize);

    // The pure parsers on the raw bytes.
    ParameterNameList::parse (record);
    ParameterNameList::measure (record.getData(), record.getSize());
    ProgramStore::nameListOf (record);
    ProgramStore::assignmentListOf (record);

    static Stores stores; // indexing the empty banks once keeps runs fast
    stores.programs.replaceRecord (programId, record);
    stores.chains.replaceRecord (fuzzedChainId, chain);
    auto& programs = stores.programs;

    // The store.
    programs.programName (programId);
    programs.modeText (programId);
    check (programs.commonBlock (programId).getSize() == (programs.isPresent (programId) ? 133u : 0u));
    check (programs.commonBlockForSending (programId).getSize() == (programs.isPresent (programId) ? 153u : 0u));
    check (programs.nameListForSending (programId).getSize() <= programSize);
    check (programs.assignmentListForSending (programId).getSize() <= programSize);
    programs.layerAreaEnd (programId);

    // The edit buffer: a fresh one, and the long-lived one that still holds earlier data
    // when this record is not present.
    ProgramEditBuffers fresh;
    for (auto* edit : { &fresh, &stores.edit })
    {
        edit->loadFromStore (programs, programId);
        const size_t held = edit->getProgramData().getSize();

        edit->decodeTable (stores.chains);
        queryTable (*edit, held);
        for (int chainId = 0; chainId <= slots; ++chainId)
        {
            edit->decodeTable (stores.chains, chainId, (chainId + 1) % (slots + 1), fuzzedChainId);
            queryTable (*edit, held);
        }

        edit->name();
        edit->modeText();
        edit->commonBlock();
        edit->nameListCount();
        edit->assignmentCount();
        edit->byteAt (programSize > 0 ? (int) programSize - 1 : 0);
        edit->bigEndian16At ((int) programSize);
        edit->updateByte (61, 0x01, 0x01);
        edit->updateByte ((int) programSize, 0xFF, 0x12);
        for (int position : { -1, 0, 3, 6, 7, 4 * 38 + 7, 70000 })
            edit->setAssignmentByte (position, 0x7F);
        queryTable (*edit, held);
        check (edit->getProgramData().getSize() == held); // edits never grow the data

        edit->instrumentMessage (ProgramEditBuffers::messageExtraData, chain);
        check (edit->getExtraBlock() == chain);
    }

    return 0;
}

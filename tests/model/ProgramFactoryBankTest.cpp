// Our own built-in program bank, as embedded: the shape the plug-in relies on (IDs,
// templates, categories, layer counts, TW7 organs, FX chain references) and a decode of
// every program, with its FX chains from the built-in FX chain bank, that must stay
// within the program's record and name every assigned parameter.
#include "model/Categories.h"
#include "model/BuiltInBanks.h"
#include "model/FxChainStore.h"
#include "model/ProgramStore.h"
#include "model/ProgramEditBuffers.h"
#include "model/ProgramNames.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

using namespace zd8;

namespace
{
using Bank = ProgramStore;

struct IndexedBanks
{
    ProgramStore programs;
    FxChainStore chains;

    IndexedBanks()
    {
        programs.buildIndex (ObjectStore::typeProgram, BuiltInBanks::builtInBank (ObjectStore::typeProgram),
                             BuiltInBanks::programHighestId);
        chains.buildIndex (ObjectStore::typeFxChain, BuiltInBanks::builtInBank (ObjectStore::typeFxChain),
                           BuiltInBanks::fxChainHighestId);
    }
};

const IndexedBanks& banks()
{
    static const IndexedBanks b;
    return b;
}

std::vector<int> presentPrograms()
{
    return banks().programs.listIds (ObjectStore::listPresent, 0);
}
} // namespace

TEST (ProgramFactoryBank, HoldsPrograms1To1136AndTheFiveTemplates)
{
    std::vector<int> expected;
    for (int id = 1; id <= 1136; ++id)
        expected.push_back (id);
    for (int id = 2043; id <= 2047; ++id)
        expected.push_back (id);
    EXPECT_EQ (presentPrograms(), expected);
    EXPECT_TRUE (banks().programs.listIds (ObjectStore::listRange, ObjectStore::rangeUser).empty());

    const std::vector<std::pair<int, const char*>> templates {
        { 2043, "FM Template" }, { 2044, "Click Track" }, { 2045, "Silent  Program" },
        { 2046, "Editor Template" }, { 2047, "Clear Program" },
    };
    for (const auto& [id, name] : templates)
        EXPECT_EQ (banks().programs.programName (id).trimEnd(), name) << id;

    std::set<juce::String> names;
    for (int id : presentPrograms())
        names.insert (banks().programs.programName (id));
    EXPECT_EQ (names.size(), presentPrograms().size()) << "every program has a name of its own";
}

TEST (ProgramFactoryBank, CoversEveryCategoryLayerCountAndMode)
{
    const auto& programs = banks().programs;
    std::set<std::pair<int, int>> categories;
    std::set<int> layerCounts;
    int tw7 = 0;

    for (int id : presentPrograms())
    {
        const auto record = programs.readRecord (id);
        ASSERT_EQ (juce::String (static_cast<const char*> (record.getData()) + 20, 3), "ZD7") << id;
        const int main = Bank::contentByte (record, Bank::mainCategoryOffset);
        const int sub = Bank::contentByte (record, Bank::subCategoryOffset);
        EXPECT_LE (main, Categories::lastMainCategory) << id;
        EXPECT_TRUE (sub == 0 || Categories::subCategoryName (main, sub).isNotEmpty()) << id << " " << main << "/" << sub;
        categories.insert ({ main, sub });
        layerCounts.insert (Bank::contentByte (record, Bank::layerCountOffset));
        if (programs.modeText (id) == "TW7")
            ++tw7;
        if (Bank::contentByte (record, Bank::layerCountOffset) == Bank::maxLayers)
        {
            EXPECT_EQ (programs.layerAreaEnd (id), Bank::fullLayerAreaEnd) << id;
        }
    }

    for (int main = 0; main <= Categories::lastMainCategory; ++main)
    {
        EXPECT_EQ (categories.count ({ main, 0 }), 1u) << main;
        for (int sub = 1; sub <= Categories::lastSubCategory; ++sub)
            if (Categories::subCategoryName (main, sub).isNotEmpty())
            {
                EXPECT_EQ (categories.count ({ main, sub }), 1u) << main << "/" << sub;
            }
    }
    for (int layers = 1; layers <= Bank::maxLayers; ++layers)
        EXPECT_EQ (layerCounts.count (layers), 1u) << layers;
    EXPECT_EQ (*layerCounts.rbegin(), Bank::maxLayers);
    EXPECT_GT (tw7, 0);
}

TEST (ProgramFactoryBank, EveryProgramDecodesWithinItsRecordAndNamesWhatItAssigns)
{
    const auto& [programs, chains] = banks();
    ProgramEditBuffers edit;

    for (int id : presentPrograms())
    {
        SCOPED_TRACE (juce::String (id) + " " + programs.programName (id));
        const auto record = programs.readRecord (id);
        const size_t size = record.getSize();

        // The FX chains it names exist.
        for (int offset : { Bank::insertChainOffset, Bank::aux1ChainOffset, Bank::aux2ChainOffset })
            EXPECT_TRUE (chains.isPresent (Bank::contentBigEndian16 (record, offset))) << offset;

        // Both lists lie inside the record, the name list where the layers end.
        const size_t v = Bank::layerAreaEndOf (record);
        const size_t l1 = Bank::nameListLengthOf (record);
        const size_t l2 = Bank::assignmentListLengthOf (record);
        ASSERT_LE (v + l1 + l2, size);
        EXPECT_EQ (programs.layerAreaEnd (id), (int) v);
        EXPECT_EQ (programs.nameListForSending (id).getSize(), l1);
        EXPECT_EQ (programs.assignmentListForSending (id).getSize(), l2);

        ASSERT_TRUE (edit.loadFromStore (programs, id));
        edit.decodeTable (chains);
        const auto table = edit.getTable();
        const auto& own = table.lists[VirtualParameterTable::programList];

        // Every entry the record declares is decoded (no list is cut or over-long).
        EXPECT_EQ (own.size(), edit.nameListCount());
        EXPECT_EQ (table.assignmentCount(), edit.assignmentCount());
        EXPECT_LE (own.size(), ParameterNameList::maxEntries);
        if (own.isEmpty())
        {
            EXPECT_EQ (table.assignmentCount(), 0);
        }

        // Each assignment names a parameter, found first in the list its sub-system
        // addresses, on a panel controller of its own (or none).
        const std::map<int, int> subSystemOfList { { VirtualParameterTable::programList, ProgramNames::subSystemSynth },
                                                   { VirtualParameterTable::insertList, ProgramNames::subSystemPrgInsert },
                                                   { VirtualParameterTable::aux1List, ProgramNames::subSystemAux1 },
                                                   { VirtualParameterTable::aux2List, ProgramNames::subSystemAux2 } };
        std::set<int> controllers;
        for (int i = 0; i < table.assignmentCount(); ++i)
        {
            const auto a = table.assignment (i);
            EXPECT_TRUE (table.parameterName (i).trim().isNotEmpty()) << i;
            int firstList = -1;
            for (int list = 0; list < VirtualParameterTable::listCount && firstList < 0; ++list)
                if (table.lists[(size_t) list].find (a.parameter) != nullptr)
                    firstList = list;
            ASSERT_GE (firstList, 0) << i;
            EXPECT_EQ (a.subSystem, subSystemOfList.at (firstList)) << i;
            if (a.controller >= 0)
            {
                EXPECT_TRUE (ProgramNames::hasPanelName (a.controller)) << i << " " << a.controller;
                EXPECT_TRUE (controllers.insert (a.controller).second) << "controller " << a.controller << " twice";
            }
        }
    }
}

// Our generated FX chain bank, decoded by the FX chain store: every chain decodes
// within its record, chain 1 is the reference chain, the runs and the categories have
// the bank's shape, the parameters the program generator references are the ones the
// chains' name lists hold, and the embedded bank is what the generator writes.
#include "model/BuiltInBanks.h"
#include "model/FxChainStore.h"
#include "model/ParameterNameList.h"

// The generator is a build-time tool outside the core library; its FX chain part is
// compiled in here (it needs nothing but the standard library).
#include "tools/bankgen/FxChainBankGenerator.cpp"

#include <gtest/gtest.h>

#include <set>

using namespace zd8;

namespace
{
const std::vector<zd8gen::GeneratedObject>& chains()
{
    static const auto generated = zd8gen::generateFxChains();
    return generated;
}

juce::MemoryBlock generatedBank()
{
    const auto* layout = BankLayout::forType (ObjectStore::typeFxChain);
    std::vector<std::uint8_t> out;
    layout->appendBankOpen (out);
    size_t next = 0;
    for (int id = 1; id <= ObjectStore::bankSlots; ++id)
    {
        if (next < chains().size() && chains()[next].id == id)
        {
            const auto& c = chains()[next++].content;
            layout->appendRecord (out, id, c.data(), c.size());
        }
        else
            layout->appendRecord (out, id, nullptr, 0);
    }
    layout->appendBankClose (out);
    return { out.data(), out.size() };
}
} // namespace

TEST (FxChainBank, RunsOfTheBank)
{
    std::vector<std::pair<int, int>> runs;
    int previous = 0;
    for (const auto& c : chains())
    {
        ASSERT_GT (c.id, previous);
        if (runs.empty() || c.id != previous + 1)
            runs.emplace_back (c.id, c.id);
        runs.back().second = c.id;
        previous = c.id;
    }

    EXPECT_EQ (chains().size(), 2719u);
    EXPECT_EQ (runs.size(), 79u);
    EXPECT_EQ (runs.front().first, 1);
    EXPECT_EQ (runs.back().second, 4085);
    for (auto run : { std::pair { 1, 82 }, std::pair { 1003, 2651 }, std::pair { 4001, 4085 } })
        EXPECT_NE (std::find (runs.begin(), runs.end(), run), runs.end()) << run.first << ".." << run.second;

    std::set<int> ids;
    for (const auto& c : chains())
        ids.insert (c.id);
    for (int id = -1; id <= 4200; ++id)
    {
        const bool listed = ids.count (id) > 0;
        ASSERT_EQ (zd8gen::fxChainExists (id), listed) << id;
        if (! listed)
        {
            ASSERT_TRUE (zd8gen::fxChainParameters (id).empty()) << id;
        }
    }
}

TEST (FxChainBank, EveryChainDecodesWithinItsRecordAndItsListFillsIt)
{
    std::set<int> headerPositions;
    std::set<int> effectCounts;

    for (const auto& c : chains())
    {
        const auto* record = c.content.data();
        const auto size = c.content.size();
        SCOPED_TRACE (c.id);

        const auto d = FxChainStore::decode (record, size);
        headerPositions.insert (d.headerPosition);
        effectCounts.insert (d.effectCount);
        ASSERT_TRUE (d.headerPosition == 30 || (d.headerPosition >= 34 && d.headerPosition <= 58 && d.headerPosition % 4 == 2));
        ASSERT_GE (d.effectCount, 1);
        ASSERT_LE (d.effectCount, 15);

        for (int i = 0; i < d.effectCount; ++i)
        {
            ASSERT_LE ((size_t) (d.effectStart[(size_t) i] + d.effectSize[(size_t) i]), size);
            ASSERT_NE (AlgorithmShortCodes::shortCode (d.algorithm[(size_t) i]), "    ") << d.algorithm[(size_t) i];
        }

        // The effect entries and the name list fill the record exactly.
        const int listLength = FxChainStore::nameListLength (record, size, d.listPosition);
        ASSERT_EQ ((size_t) (d.listPosition + listLength), size);

        const auto list = ParameterNameList::parse (FxChainStore::nameListOf (record, size, d));
        const auto expected = zd8gen::fxChainParameters (c.id);
        ASSERT_FALSE (expected.empty());
        ASSERT_EQ ((size_t) list.size(), expected.size());
        for (size_t i = 0; i < expected.size(); ++i)
        {
            EXPECT_EQ (list.entries[i].id, expected[i].id);
            EXPECT_EQ (list.entries[i].name, juce::String (expected[i].name));
            // Assignments reference a parameter by a signed byte.
            EXPECT_GE (expected[i].id, 1);
            EXPECT_LE (expected[i].id, 127);
            EXPECT_GE (list.entries[i].value, 0);
        }
    }

    EXPECT_EQ (headerPositions, (std::set<int> { 30, 34, 38, 42, 46, 50, 54, 58 }));
    EXPECT_TRUE (effectCounts.count (1) && effectCounts.count (15));
}

TEST (FxChainBank, BuiltInBankIsTheGeneratedOne)
{
    EXPECT_TRUE (BuiltInBanks::builtInBank (ObjectStore::typeFxChain) == generatedBank());
}

TEST (FxChainBank, StoreOfTheBuiltInBank)
{
    FxChainStore store;
    store.buildIndex (ObjectStore::typeFxChain, BuiltInBanks::builtInBank (ObjectStore::typeFxChain),
                      BuiltInBanks::fxChainHighestId);

    EXPECT_EQ (store.listIds (ObjectStore::listPresent, 0).size(), 2719u);
    EXPECT_EQ (store.recordLength (8192), 0);

    // Chain 1: one reverb of algorithm 4 with 13 parameters, name list at 414.
    store.decodeChain (1);
    const auto d = store.getDecodedChain();
    EXPECT_EQ (d.effectCount, 1);
    EXPECT_EQ (d.algorithm[0], 4);
    EXPECT_EQ (d.effectSize[0], 8 + 2 * 13);
    EXPECT_EQ (d.listPosition, 414);
    const auto list = ParameterNameList::parse (store.parameterNameList (1));
    ASSERT_EQ (list.size(), 1);
    EXPECT_EQ (list.entries[0].name, " Wet/Dry");

    for (int c = 1; c <= Categories::effectCategoryCount; ++c)
    {
        const auto name = Categories::effectCategoryName (c);
        const auto ids = store.chainsOfCategory (name);
        if (name == "Echo" || name == "Drums")
            EXPECT_TRUE (ids.empty()) << name;
        else
            EXPECT_FALSE (ids.empty()) << name;
        EXPECT_TRUE (std::is_sorted (ids.begin(), ids.end())) << name;
    }
}

TEST (FxChainBank, GeneratorIsDeterministic)
{
    const auto again = zd8gen::generateFxChains();
    ASSERT_EQ (again.size(), chains().size());
    for (size_t i = 0; i < again.size(); ++i)
    {
        ASSERT_EQ (again[i].id, chains()[i].id);
        ASSERT_EQ (again[i].content, chains()[i].content) << again[i].id;
    }
}

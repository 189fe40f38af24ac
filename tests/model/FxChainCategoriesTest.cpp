#include "FxChainTestBytes.h"

#include "model/EffectCategories.h"
#include "model/FxChainStore.h"

#include <gtest/gtest.h>

using namespace zd8;
using namespace fxtest;

namespace
{
using Ids = std::vector<int>;

std::vector<Effect> repeated (int algorithm, int count)
{
    return std::vector<Effect> ((size_t) count, Effect { algorithm, 2 });
}
} // namespace

TEST (FxChainCategories, ShortCodesNameTheirCategoriesWithoutTrailingBlanks)
{
    auto mask = [] (const char* code) {
        std::array<char, 4> c;
        std::memcpy (c.data(), code, 4);
        return EffectCategories::categoryMask (c);
    };
    auto bits = [] (std::initializer_list<int> categories) {
        std::uint32_t m = 0;
        for (int c : categories)
            m |= 1u << c;
        return m;
    };
    struct Case { const char* code; std::uint32_t expected; };
    const std::vector<Case> cases {
        { "Rvrb", bits ({ 1 }) }, { "RMod", bits ({ 1 }) }, { "RvCm", bits ({ 1, 11 }) }, { "DlyR", bits ({ 1, 8 }) },
        { "Dly ", bits ({ 8 }) }, { "CDly", bits ({ 2, 8 }) }, { "CRvb", bits ({ 2, 1 }) }, { "PchF", bits ({ 3 }) },
        { "FRvb", bits ({ 3, 1 }) }, { "PLFO", bits ({ 4 }) }, { "Pan ", bits ({ 6 }) }, { "TW7 ", bits ({ 7 }) },
        { "TW7b", bits ({ 7 }) }, { "Kaos", bits ({ 10 }) }, { "DstC", bits ({ 10, 2 }) }, { "CmpX", bits ({ 11 }) },
        { "Enhc", bits ({ 12 }) }, { "Filt", bits ({ 13 }) }, { "Freq", bits ({ 15 }) }, { "PchC", bits ({ 15, 2 }) },
        { "GLvb", bits ({ 16 }) }, { "EQ  ", bits ({ 17 }) },
        // Codes of algorithms that lead nowhere, and near misses.
        { "Roto", 0 }, { "Vocl", 0 }, { "DstF", 0 }, { "PchR", 0 }, { "Expd", 0 }, { "    ", 0 },
        { "Dly", 0 },   // the fourth character is not a blank
        { " Dly", 0 }, { "EQ\0 ", 0 }, { "rvrb", 0 }, { "TW7c", 0 },
    };
    for (const auto& c : cases)
        EXPECT_EQ (mask (c.code), c.expected) << c.code;
}

TEST (FxChainCategories, EveryEffectPutsItsChainInOnce)
{
    std::vector<Effect> fifteenReverbs = repeated (4, 15);
    Bytes noHeader = chain ("No header", { { 4, 1 } });
    noHeader[30] = 0x15;
    Bytes negative = chain ("Negative", { { 4, 1 } });
    negative[30 + 349] = 0x81;

    const std::map<int, Bytes> records {
        { 1, chain ("Delay Verb", { { 150, 3 }, { 4, 13 } }) },
        { 2, chain ("Double Chorus", { { 400, 2 }, { 425, 2 } }, {}, 42) },
        { 3, chain ("Sixteen", repeated (4, 16)) },
        { 4, chain ("Fifteen", fifteenReverbs) },
        { 5, noHeader },
        { 6, negative },
        { 7, chain ("Rotor", { { 297, 3 }, { 1501, 1 }, { 2000, 1 } }) },
        { 8, chain ("Comp Verb", { { 50, 4 } }) },
        { 9, name ("Name only") },
        { 10, chain ("Organ", { { 290, 3 }, { 580, 3 }, { 350, 1 } }) },
        { 8119, chain ("Last counted", { { 225, 1 } }) },
        { 8120, chain ("Not counted", { { 225, 1 } }) },
        { 8150, chain ("Not counted", { { 1, 1 } }) },
    };

    FxChainStore store;
    store.buildIndex (ObjectStore::typeFxChain, bank (records, 8192), 8192);

    Ids reverb { 1 };
    reverb.insert (reverb.end(), 15, 4);
    reverb.push_back (8);

    const std::vector<std::pair<const char*, Ids>> expected {
        { "Reverb", reverb },
        { "Chorus", { 2, 2 } },
        { "Flanger", { 8119 } },
        { "Phaser", {} }, { "Tremolo", {} }, { "Panner", {} },
        { "Organ", { 10, 10 } },
        { "Delay", { 1, 2, 2 } },
        { "Echo", {} },
        { "Distortion", {} },
        { "Compressor", { 8 } },
        { "Enhancer", {} }, { "Filter", {} },
        { "Drums", {} },
        { "Pitcher", {} }, { "Guitar", {} },
        { "EQ", { 10 } },
    };
    for (const auto& [category, ids] : expected)
        EXPECT_EQ (store.chainsOfCategory (category), ids) << category;

    for (const char* other : { "reverb", "Reverb ", "------", "", "Echoes" })
        EXPECT_TRUE (store.chainsOfCategory (juce::String (other)).empty()) << other;
    for (int index : { 0, 18, -1 })
        EXPECT_TRUE (store.chainsOfCategory (index).empty()) << index;
    EXPECT_EQ (store.chainsOfCategory (1), reverb);
}

TEST (FxChainCategories, ListsAreBuiltOnceOnTheFirstRequest)
{
    FxChainStore store;
    store.buildIndex (ObjectStore::typeFxChain, bank ({ { 1, chain ("Hall", { { 4, 2 } }) } }), 16);

    const Bytes phaser = chain ("Phaser", { { 250, 2 } });
    store.replaceRecord (1, phaser.data(), phaser.size()); // before the first request: seen
    EXPECT_EQ (store.chainsOfCategory ("Phaser"), Ids { 1 });
    EXPECT_TRUE (store.chainsOfCategory ("Reverb").empty());

    const Bytes eq = chain ("EQ", { { 350, 2 } });
    store.replaceRecord (2, eq.data(), eq.size());
    store.removeRecord (1);
    EXPECT_EQ (store.chainsOfCategory ("Phaser"), Ids { 1 }); // not rebuilt
    EXPECT_TRUE (store.chainsOfCategory ("EQ").empty());

    FxChainStore early; // asked before anything was loaded: stays empty
    EXPECT_TRUE (early.chainsOfCategory ("Reverb").empty());
    early.buildIndex (ObjectStore::typeFxChain, bank ({ { 1, chain ("Hall", { { 4, 2 } }) } }), 16);
    EXPECT_TRUE (early.chainsOfCategory ("Reverb").empty());
}

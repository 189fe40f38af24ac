#include "FxChainTestBytes.h"

#include "model/FxChainStore.h"
#include "model/ParameterNameList.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

using namespace zd8;
using namespace fxtest;

namespace
{
int headerOf (const Bytes& b)
{
    return FxChainStore::headerPositionOf (b.data(), b.size());
}

Bytes tail (const Bytes& b, size_t from)
{
    return from >= b.size() ? Bytes {} : Bytes (b.begin() + (long) from, b.end());
}

Bytes bytesOf (const juce::MemoryBlock& m)
{
    auto* p = static_cast<const std::uint8_t*> (m.getData());
    return Bytes (p, p + m.getSize());
}

/** The reference chain: one effect of algorithm 4 with 13 parameters, a one-entry list. */
Bytes chainOne()
{
    return chain ("Concert Hall", { { 4, 13 } }, { { 1, 64, " Wet/Dry" } });
}
} // namespace

TEST (FxChainDecode, HeaderIsTheFirstMarkAfterTwoZerosFrom20To59)
{
    struct Case { const char* what; std::vector<std::pair<int, int>> bytes; int size; int expected; };
    // Every record starts as 20 blanks and then 0x55 up to its size; the pairs set
    // (position, byte) on top.
    const std::vector<Case> cases {
        { "usual position", { { 28, 0 }, { 29, 0 }, { 30, 0x14 } }, 400, 30 },
        { "long header", { { 56, 0 }, { 57, 0 }, { 58, 0x14 } }, 400, 58 },
        { "last position", { { 57, 0 }, { 58, 0 }, { 59, 0x14 } }, 400, 59 },
        { "one past the last", { { 58, 0 }, { 59, 0 }, { 60, 0x14 } }, 400, -1 },
        { "only one zero before", { { 33, 0 }, { 34, 0x14 }, { 40, 0 }, { 41, 0 }, { 42, 0x14 } }, 400, 42 },
        { "first of two wins", { { 32, 0 }, { 33, 0 }, { 34, 0x14 }, { 36, 0 }, { 37, 0 }, { 38, 0x14 } }, 400, 34 },
        { "zeros without mark", { { 28, 0 }, { 29, 0 }, { 30, 0x15 } }, 400, -1 },
        { "name ends in two zeros", { { 18, 0 }, { 19, 0 }, { 20, 0x14 } }, 400, 20 },
        { "mark is the last byte", { { 28, 0 }, { 29, 0 }, { 30, 0x14 } }, 31, 30 },
        { "name only", { { 18, 0 }, { 19, 0 } }, 20, -1 },
        { "empty", {}, 0, -1 },
    };

    for (const auto& c : cases)
    {
        Bytes b ((size_t) c.size, 0x55);
        for (size_t i = 0; i < b.size() && i < 20; ++i)
            b[i] = ' ';
        for (auto [position, value] : c.bytes)
            if (position < c.size)
                b[(size_t) position] = (std::uint8_t) value;
        EXPECT_EQ (headerOf (b), c.expected) << c.what;
    }
}

TEST (FxChainDecode, ChainOneHasOneReverbAndItsListAt414)
{
    FxChainStore store;
    store.buildIndex (ObjectStore::typeFxChain, bank ({ { 1, chainOne() } }), 16);

    EXPECT_EQ (store.headerPosition (1), 30);
    store.decodeChain (1);
    const auto d = store.getDecodedChain();
    EXPECT_EQ (d.headerPosition, 30);
    ASSERT_EQ (d.effectCount, 1);
    EXPECT_EQ (d.effectStart[0], 380);
    EXPECT_EQ (d.algorithm[0], 4);
    EXPECT_EQ (d.effectSize[0], 34);
    EXPECT_EQ (d.listPosition, 414);
    EXPECT_EQ (store.shortCode (d.algorithm[0]), "Rvrb");

    const auto list = store.parameterNameList (1);
    EXPECT_EQ (bytesOf (list), tail (chainOne(), 414)); // the list fills the record
    const auto parsed = ParameterNameList::parse (list);
    ASSERT_EQ (parsed.size(), 1);
    EXPECT_EQ (parsed.entries[0].id, 1);
    EXPECT_EQ (parsed.entries[0].name, " Wet/Dry");
}

TEST (FxChainDecode, EffectWalkAndListPosition)
{
    struct Case { const char* what; Bytes record; int count; std::vector<int> starts, algorithms, sizes; int list; };

    // Count byte 0xFF: a negative count walks no effect.
    Bytes negative = chain ("Neg", {});
    negative[30 + 349] = 0xFF;

    // Three effects announced, the record ends inside the first one whose parameter
    // count says 0xFFFF: the rest reads as zeros (8-byte entries of algorithm 0).
    Bytes cut = chain ("Cut", {}, {}, 34);
    cut[34 + 349] = 3;
    cut.resize (34 + 350 + 8);
    cut[34 + 350] = 0x01; cut[34 + 351] = 0x2C;          // algorithm 300
    cut[34 + 356] = 0xFF; cut[34 + 357] = 0xFF;          // 65535 parameters
    const int afterFirst = 34 + 350 + 8 + 2 * 65535;

    const std::vector<Case> cases {
        { "two effects", chain ("Two", { { 150, 10 }, { 4, 13 } }, {}, 58), 2, { 408, 436 }, { 150, 4 }, { 28, 34 }, 470 },
        { "no effects", chain ("None", {}), 0, {}, {}, {}, 380 },
        { "negative count", negative, -1, {}, {}, {}, 380 },
        { "cut short", cut, 3, { 384, afterFirst, afterFirst + 8 }, { 300, 0, 0 }, { 8 + 2 * 65535, 8, 8 }, afterFirst + 16 },
    };

    for (const auto& c : cases)
    {
        const auto d = FxChainStore::decode (c.record.data(), c.record.size());
        EXPECT_EQ (d.effectCount, c.count) << c.what;
        for (size_t i = 0; i < c.starts.size(); ++i)
        {
            EXPECT_EQ (d.effectStart[i], c.starts[i]) << c.what << " effect " << i;
            EXPECT_EQ (d.algorithm[i], c.algorithms[i]) << c.what << " effect " << i;
            EXPECT_EQ (d.effectSize[i], c.sizes[i]) << c.what << " effect " << i;
        }
        EXPECT_EQ (d.listPosition, c.list) << c.what;
    }
}

TEST (FxChainDecode, NameListIsMeasuredByLowBytesAndReadsZerosPastTheRecord)
{
    // Entry count 0x0102 and name length 0x0103: only the low bytes (2 and 3) measure.
    Bytes lowBytes = chain ("Low", { { 4, 1 } });
    const size_t lp = 30 + 350 + 10;
    lowBytes.resize (lp);
    const Bytes list { 0x00, 0x07, 0x01, 0x02,
                       0, 0, 0x00, 0x05, 0x00, 0x10, 0x01, 0x03, 'A', 'B', 'C',
                       0, 0, 0x00, 0x06, 0x00, 0x11, 0x00, 0x01, 'D',
                       0xEE, 0xEE }; // two bytes after the list stay out of it
    lowBytes.insert (lowBytes.end(), list.begin(), list.end());

    // A list whose second entry's name runs 5 bytes past the record's end.
    Bytes runsOver = chain ("Over", {}, { { 1, 0, "Wet" }, { 2, 0, "Depth" } });
    runsOver.resize (runsOver.size() - 5);

    // The record ends just before its list.
    Bytes gone = chain ("Gone", {});
    gone.resize (380);

    struct Case { const char* what; Bytes record; Bytes expected; };
    Bytes overExpected = tail (runsOver, 380);
    overExpected.resize (overExpected.size() + 5, 0);

    const std::vector<Case> cases {
        { "low bytes", lowBytes, Bytes (list.begin(), list.end() - 2) },
        { "empty list", chain ("Empty", { { 4, 2 } }), { 0, 1, 0, 0 } },
        { "runs over the end", runsOver, overExpected },
        { "list beyond the record", gone, { 0, 0, 0, 0 } },
    };

    for (const auto& c : cases)
    {
        FxChainStore store;
        store.buildIndex (ObjectStore::typeFxChain, bank ({ { 3, c.record } }), 16);
        EXPECT_EQ (bytesOf (store.parameterNameList (3)), c.expected) << c.what;
    }
}

TEST (FxChainDecode, ChainsWithoutHeaderOrRecordHaveNoEffectsAndNoList)
{
    Bytes noHeader = chain ("NoHeader", { { 4, 13 } }, { { 1, 0, "Wet" } });
    noHeader[29] = 1; // the zero before the mark

    FxChainStore store;
    store.buildIndex (ObjectStore::typeFxChain,
                      bank ({ { 1, chainOne() }, { 2, noHeader }, { 3, name ("Name Only") } }), 16);

    for (int id : { 2, 3, 4, 0, -1, 16, 17, 100000 })
    {
        store.decodeChain (1);
        EXPECT_EQ (store.getDecodedChain().effectCount, 1);

        EXPECT_EQ (store.headerPosition (id), -1) << id;
        EXPECT_EQ (store.parameterNameList (id).getSize(), 0u) << id;
        const auto d = store.getDecodedChain(); // the chain just asked for
        EXPECT_EQ (d.headerPosition, -1) << id;
        EXPECT_EQ (d.effectCount, 0) << id;
        EXPECT_EQ (d.listPosition, 0) << id;
    }
}

TEST (FxChainDecode, ShortCodeTable)
{
    struct Case { int id; juce::String code; };
    const std::vector<Case> cases {
        { 0, "    " }, { 1, "Rvrb" }, { 3, "GRvb" }, { 15, "Rvrb" }, { 16, "    " }, { 56, "RvCm" },
        { 104, "GLvb" }, { 150, "Dly " }, { 191, "Dly " }, { 252, "    " }, { 275, "Pan " },
        { 290, "TW7 " }, { 299, "TW7b" }, { 319, "DstC" }, { 346, "    " }, { 350, "EQ  " },
        { 391, "    " }, { 424, "    " }, { 480, "PchF" }, { 502, "TDst" }, { 580, "TW7a" },
        { 600, "Reso" }, { 1500, "    " }, { 1501, "" }, { -1, "" },
    };
    for (const auto& c : cases)
        EXPECT_EQ (AlgorithmShortCodes::shortCode (c.id), c.code) << c.id;

    const auto& table = AlgorithmShortCodes::table();
    EXPECT_EQ (table.size(), 6004u);
    int assigned = 0;
    for (int id = 0; id < AlgorithmShortCodes::entryCount; ++id)
        if (AlgorithmShortCodes::shortCode (id) != "    ")
            ++assigned;
    EXPECT_EQ (assigned, 211); // the sum of the assigned ranges
}

TEST (FxChainDecode, ParameterNameListFromAnotherThreadWhileTheMessageThreadDecodes)
{
    FxChainStore store;
    const Bytes two = chain ("Two", { { 150, 10 }, { 4, 13 } }, { { 9, 1, "Time" }, { 10, 2, "Feedback" } });
    store.buildIndex (ObjectStore::typeFxChain, bank ({ { 1, chainOne() }, { 2, two } }), 16);

    const Bytes expected = tail (chainOne(), 414);
    std::atomic<bool> same { true };
    std::thread midiInput ([&] {
        for (int i = 0; i < 2000; ++i)
            if (bytesOf (store.parameterNameList (1)) != expected)
                same = false;
    });
    for (int i = 0; i < 2000; ++i)
    {
        store.decodeChain (2);
        const auto d = store.getDecodedChain(); // a whole chain, 1 or 2, never a mixture
        if (! ((d.effectCount == 1 && d.listPosition == 414) || (d.effectCount == 2 && d.listPosition == 442)))
            same = false;
    }
    midiInput.join();
    EXPECT_TRUE (same);
}

// The instances of a process decode the same FX chain and program name lists over and
// over (each selects program 1 on all sixteen channels at open), so a list decoded once
// is handed out again as a copy. What a caller gets must be exactly what decoding its
// bytes gives, on any thread, and a list edited in one place is another list.

#include "model/ParameterNameList.h"
#include "support/AllocationCounter.h"

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

using namespace zd8;

namespace
{
using Bytes = std::vector<juce::uint8>;

struct Named
{
    int id, value;
    std::string nameBytes;
};

void put16 (Bytes& b, int v)
{
    b.push_back ((juce::uint8) (v >> 8));
    b.push_back ((juce::uint8) v);
}

Bytes listOf (int identifier, const std::vector<Named>& entries)
{
    Bytes b;
    put16 (b, identifier);
    put16 (b, (int) entries.size());
    for (const auto& e : entries)
    {
        put16 (b, 0);
        put16 (b, e.id);
        put16 (b, e.value);
        put16 (b, (int) e.nameBytes.size());
        b.insert (b.end(), e.nameBytes.begin(), e.nameBytes.end());
    }
    return b;
}

ParameterNameList parse (const Bytes& b) { return ParameterNameList::parse (b.data(), b.size()); }

std::vector<Named> manyEntries (const std::string& prefix, int count)
{
    std::vector<Named> e;
    for (int i = 0; i < count; ++i)
        e.push_back ({ 100 + i, i * 3, prefix + " Parameter " + std::to_string (i) });
    return e;
}

struct Case
{
    const char* what;
    Bytes bytes;
    int identifier;
    std::vector<ParameterNameList::Entry> expected;
};

std::vector<Case> cases()
{
    return {
        { "two entries", listOf (7, { { 1, 10, "Reverb Time" }, { 2, 200, "Mix" } }), 7, { { 1, 10, "Reverb Time" }, { 2, -1, "Mix" } } },
        // A marker first byte is dropped; bytes 0 and above 127 are skipped.
        { "markers and high bytes", listOf (9, { { 5, 127, std::string ("\x03" "Dr\x80ive", 7) }, { 6, 0, "Tone" } }), 9,
          { { 5, 127, "Drive" }, { 6, 0, "Tone" } } },
        // The same names under another identifier: another list.
        { "same names, another identifier", listOf (8, { { 1, 10, "Reverb Time" }, { 2, 200, "Mix" } }), 8,
          { { 1, 10, "Reverb Time" }, { 2, -1, "Mix" } } },
        { "cut short in the last name", [] { auto b = listOf (3, { { 1, 1, "Delay" }, { 2, 2, "Feedback" } }); b.resize (b.size() - 3); return b; }(), 3,
          { { 1, 1, "Delay" }, { 2, 2, "Feedb" } } },
        { "too short", Bytes (19, 1), 0, {} },
    };
}

void expectList (const ParameterNameList& list, const Case& c, const std::string& when)
{
    EXPECT_EQ (list.identifier, c.identifier) << c.what << ", " << when;
    EXPECT_EQ (list.entries, c.expected) << c.what << ", " << when;
}
} // namespace

TEST (ParameterNameListSharing, EveryDecodingOfTheSameBytesGivesTheSameList)
{
    for (const auto& c : cases())
        for (int round = 0; round < 3; ++round)
            expectList (parse (c.bytes), c, "decoding " + std::to_string (round + 1));
}

TEST (ParameterNameListSharing, AnEditedListIsDecodedAfreshAndTheOriginalStaysAsItWas)
{
    auto original = listOf (21, manyEntries ("Chorus", 6));
    const auto before = parse (original);
    ASSERT_EQ (before.size(), 6);
    ASSERT_EQ (before.entries[2].name, "Chorus Parameter 2");

    // One name byte changed, as an edit of the chain in one instance changes it.
    auto edited = original;
    const size_t thirdNameEnd = 4 + 3 * 8 + 2 * std::string ("Chorus Parameter 0").size() + std::string ("Chorus Parameter 2").size() - 1;
    edited[thirdNameEnd] = (juce::uint8) 'X';
    const auto after = parse (edited);
    EXPECT_EQ (after.entries[2].name, "Chorus Parameter X");
    EXPECT_EQ (parse (original).entries[2].name, "Chorus Parameter 2");
    EXPECT_EQ (before.entries[2].name, "Chorus Parameter 2") << "a list handed out earlier is the caller's own";

    // A list handed out is a copy: changing it changes no later decoding.
    auto mine = parse (original);
    mine.entries[0].name = "Changed Here";
    mine.entries.pop_back();
    EXPECT_EQ (parse (original).entries, before.entries);
}

TEST (ParameterNameListSharing, ARepeatedDecodingMakesNoTextOfItsOwn)
{
    // The whole list of a chain with many parameters, as 16 channels ask for it.
    const auto bytes = listOf (30, manyEntries ("Rotary Speaker", ParameterNameList::maxEntries));
    const auto first = parse (bytes);
    ASSERT_EQ (first.size(), ParameterNameList::maxEntries);

    long allocations = 0;
    ParameterNameList again;
    {
        zd8test::AllocationCounter counter;
        again = parse (bytes);
        allocations = counter.count();
    }
    EXPECT_EQ (again.entries, first.entries);
    // The entry vector, and no text per name (decoding makes one per name).
    EXPECT_LE (allocations, 2);
    EXPECT_EQ (again.entries[5].name.getCharPointer().getAddress(), first.entries[5].name.getCharPointer().getAddress());
}

TEST (ParameterNameListSharing, ThreadsDecodingTheSameAndDifferentListsAtOnceAllGetTheirOwnBytesDecoded)
{
    // Lists no other test decodes, so the threads race to decode them first.
    std::vector<Bytes> lists;
    std::vector<std::vector<ParameterNameList::Entry>> expected;
    for (int l = 0; l < 12; ++l)
    {
        const auto entries = manyEntries ("Thread list " + std::to_string (l), 5 + l);
        lists.push_back (listOf (500 + l, entries));
        std::vector<ParameterNameList::Entry> e;
        for (const auto& n : entries)
            e.push_back ({ n.id, n.value, juce::String (n.nameBytes) });
        expected.push_back (e);
    }

    std::atomic<int> wrong { 0 };
    auto decodeAll = [&] (int start)
    {
        for (int i = 0; i < 400; ++i)
        {
            const int l = (start + i * 5) % (int) lists.size();
            const auto list = parse (lists[(size_t) l]);
            if (list.identifier != 500 + l || list.entries != expected[(size_t) l])
                ++wrong;
        }
    };
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t)
        threads.emplace_back (decodeAll, t);
    for (auto& t : threads)
        t.join();
    EXPECT_EQ (wrong.load(), 0);
}

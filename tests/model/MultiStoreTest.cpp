#include "model/MultiEditBuffer.h"
#include "model/MultiStore.h"

#include "MultiTestBytes.h"

#include <gtest/gtest.h>

using zd8::MultiEditBuffer;
using zd8::MultiStore;
using namespace multitest;

namespace
{
    /** A multi bank written out tag by tag: ID 1 holds content, ID 2 is empty, ID 3
        closes the index (the highest indexed ID never holds content). */
    juce::MemoryBlock bankWith (const Bytes& content)
    {
        juce::MemoryOutputStream out;
        out << "Set**Bank>";
        for (int id = 1; id <= 3; ++id)
        {
            const auto digits = juce::String (id).paddedLeft ('0', 4);
            out << "Set**Dat*>" << digits << "Set*-Dat*>";
            if (id == 1)
                out.write (content.b.data(), content.b.size());
            out << "<Set*-Dat*" << "<Set**Dat*" << digits;
        }
        out << "<Set**Bank";
        return out.getMemoryBlock();
    }
}

TEST (MultiStore, LoadsAStoredMultiIntoTheEditObject)
{
    const auto content = record ({ zoneOne (1), zoneTwo (2) }, 2);
    MultiStore store;
    store.buildIndex (zd8::ObjectStore::typeMulti, bankWith (content), 2);
    ASSERT_EQ (store.recordLength (1), (int) content.b.size());
    EXPECT_EQ (store.recordName (1).trimEnd(), "Hand Multi");

    MultiEditBuffer multi;
    store.loadMulti (1, multi);
    EXPECT_EQ (multi.zoneCount(), 2);
    EXPECT_EQ (multi.getZoneStart (1), 1595);
    EXPECT_EQ (multi.multiParameter (43, 0, 93), 321);
    EXPECT_EQ (multi.multiParameter (43, 1, 93), 1136);
    // The store keeps the bytes as received; only the edit object's copy is reordered.
    EXPECT_EQ (store.byteAt (1, 462 + 1119), 0xA0);

    // An empty slot loads as nothing at all.
    store.loadMulti (2, multi);
    EXPECT_EQ (multi.getRecord().getSize(), 0u);
    EXPECT_EQ (multi.zoneCount(), 0);
    EXPECT_EQ (multi.multiParameter (43, 0, 3), 0);
}

#include "model/InstrumentImage.h"

#include <gtest/gtest.h>

#include <string>

using namespace zd8;

namespace
{
struct Kind
{
    const char* what;
    int type;
    std::string firstSlot;
    bool namePrefix; // algorithms arrive without a name
};

const Kind kinds[] = {
    { "keymaps", 133, "KeyM*Dat*>0001<KeyM*Dat*0001", true },
    { "arpeggiators", 168, "Arp *Dat*>0001<Arp *Dat*0001", true },
    { "intonation tables", 103, "IntT*Dat*>0001<IntT*Dat*0001", true },
    { "shift patterns", 163, "PatS*Dat*>0001<PatS*Dat*0001", true },
    { "velocity patterns", 164, "PatV*Dat*>0001<PatV*Dat*0001", true },
    { "algorithms", 149, "Alg**Data>0001<Alg**Data0001", false },
    { "samples", 158, "Samp*Dat*>0001<Samp*Dat*0001", true },
    { "songs", 112, "Song*Dat*>0001<Song*Dat*0001", true },
};

std::string text (const juce::MemoryBlock& block)
{
    return block.isEmpty() ? std::string() : std::string (static_cast<const char*> (block.getData()), block.getSize());
}
} // namespace

TEST (AuxiliaryStores, StartWithEmptySlotsOneTo8192)
{
    for (const auto& kind : kinds)
    {
        SCOPED_TRACE (kind.what);
        InstrumentImage image;
        ObjectStore* const store = image.storeFor (kind.type);
        ASSERT_NE (store, nullptr);

        EXPECT_EQ (store->getTypeCode(), kind.type);
        EXPECT_EQ (store->getSlotCount(), 8192);
        EXPECT_EQ (store->getBlock().getSize(), 8192u * 28u);
        EXPECT_EQ (text (store->getBlock()).substr (0, 28), kind.firstSlot);
        EXPECT_TRUE (store->listIds (ObjectStore::listPresent, 0).empty());
        EXPECT_EQ (store->listIds (ObjectStore::listEvery, 0).size(), 8192u);
        EXPECT_EQ (store->recordName (5), juce::String());
        EXPECT_EQ (store->categoryName (5), juce::String());
        EXPECT_TRUE (store->readRecord (5).isEmpty());
    }
}

TEST (AuxiliaryStores, ReceivedObjectsAreKeptNamedAndListedUntilRemoved)
{
    const std::string name = "Stretch Tuning A    ";
    const std::string data (64, '\x07');

    for (const auto& kind : kinds)
    {
        SCOPED_TRACE (kind.what);
        InstrumentImage image;
        ObjectStore* const store = image.storeFor (kind.type);
        ASSERT_NE (store, nullptr);
        const auto empty = text (store->getBlock());

        if (kind.namePrefix)
            store->replaceRecord (5, data.data(), data.size(), name.data(), name.size());
        else
            store->replaceRecord (5, data.data(), data.size());
        store->replaceRecord (4200, data.data(), data.size(), name.data(), name.size());

        const auto expected = kind.namePrefix ? name + data : data;
        EXPECT_EQ (text (store->readRecord (5)), expected);
        EXPECT_EQ (store->recordName (5).toStdString(), kind.namePrefix ? name : std::string (20, '\x07'));
        EXPECT_EQ (store->listIds (ObjectStore::listPresent, 0), (std::vector<int> { 5, 4200 }));
        EXPECT_EQ (store->listIds (ObjectStore::listRange, ObjectStore::rangeUser), (std::vector<int> { 4200 }));
        EXPECT_EQ (store->recordName (4200).toStdString(), name);

        // 8192 is the slot past the highest ID: it never holds a record.
        store->replaceRecord (8192, data.data(), data.size(), name.data(), name.size());
        EXPECT_FALSE (store->isPresent (8192));
        store->removeRecord (8192);

        store->removeRecord (5);
        store->removeRecord (4200);
        EXPECT_TRUE (store->listIds (ObjectStore::listPresent, 0).empty());
        EXPECT_EQ (text (store->getBlock()).size(), empty.size() + name.size() + data.size()); // 8192's content stays
    }
}

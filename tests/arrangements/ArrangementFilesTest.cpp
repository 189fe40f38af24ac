#include "arrangements/ArrangementFiles.h"
#include "plugin/VantorAudioProcessor.h"
#include "support/PluginRig.h"

#include <gtest/gtest.h>

using namespace zd8;
using zd8test::PluginRig;

namespace
{
    using Bytes = std::vector<juce::uint8>;

    // Golden files are written out field by field here, not taken from the writers.
    struct Builder
    {
        Builder& text (const char* t)
        {
            while (*t != 0)
                b.push_back ((juce::uint8) *t++);
            return *this;
        }
        Builder& be32 (juce::uint32 v)
        {
            for (int shift = 24; shift >= 0; shift -= 8)
                b.push_back ((juce::uint8) (v >> shift));
            return *this;
        }
        Builder& zeros (size_t n) { return fill (n, 0); }
        Builder& fill (size_t n, juce::uint8 v)
        {
            b.insert (b.end(), n, v);
            return *this;
        }
        Builder& bytes (const Bytes& more)
        {
            b.insert (b.end(), more.begin(), more.end());
            return *this;
        }
        Bytes b;
    };

    Bytes toBytes (const juce::MemoryBlock& m)
    {
        auto* p = static_cast<const juce::uint8*> (m.getData());
        return { p, p + m.getSize() };
    }

    Bytes fileBytes (const juce::File& f)
    {
        juce::MemoryBlock m;
        f.loadFileAsData (m);
        return toBytes (m);
    }

    void writeFile (const juce::File& f, const Bytes& b) { ASSERT_TRUE (f.replaceWithData (b.data(), b.size())); }

    // A record whose every byte says which slot it belongs to, so a byte landing in the
    // wrong place shows.
    Bytes patternRecord (int seed)
    {
        Bytes r (300);
        for (size_t i = 0; i < r.size(); ++i)
            r[i] = (juce::uint8) (seed * 7 + (int) i * 13);
        return r;
    }

    void fillWithPatterns (ArrangementBank& bank)
    {
        for (int slot = 0; slot < 64; ++slot)
        {
            const auto r = patternRecord (slot);
            bank.putRecord (slot, r.data(), r.size());
        }
    }

    Bytes allRecords (const ArrangementBank& bank)
    {
        Bytes all;
        for (int slot = 0; slot < 64; ++slot)
        {
            const auto r = toBytes (bank.getRecord (slot));
            all.insert (all.end(), r.begin(), r.end());
        }
        return all;
    }

    Bytes bankChunk (const Bytes& records) { return Builder().text ("ZD8_Plugin_Bank").text ("Version100").bytes (records).b; }
    Bytes arrangementChunk (const Bytes& record) { return Builder().text ("ZD8PluginSettings").text ("Version100").bytes (record).b; }

    Bytes goldenFxp (const Bytes& nameField, const Bytes& record)
    {
        return Builder()
            .text ("CcnK")
            .be32 (379)
            .text ("FPCh")
            .be32 (1)
            .text ("BZD8")
            .be32 (100)
            .be32 (2314)
            .bytes (nameField)
            .be32 (327)
            .bytes (arrangementChunk (record))
            .b;
    }

    Bytes goldenFxb (const Bytes& records)
    {
        return Builder()
            .text ("CcnK")
            .be32 (19377)
            .text ("FBCh")
            .be32 (1)
            .text ("BZD8")
            .be32 (100)
            .be32 (64)
            .zeros (128)
            .be32 (19225)
            .bytes (bankChunk (records))
            .b;
    }

    struct TempFolder
    {
        TempFolder() { folder.createDirectory(); }
        ~TempFolder() { folder.deleteRecursively(); }
        juce::File file (const char* name) const { return folder.getChildFile (name); }
        juce::File folder = juce::File::getSpecialLocation (juce::File::tempDirectory).getChildFile ("zd8-arrfiles-" + juce::Uuid().toString());
    };
}

TEST (ArrangementFiles, FindTagLooksOnlyInsideTheWindowAndTheData)
{
    const char* tag = "ZD8_Plugin_Bank";
    auto withTagAt = [&] (size_t pos, size_t size) {
        Bytes d (size, 'x');
        for (size_t i = 0; i < 15 && pos + i < size; ++i)
            d[pos + i] = (juce::uint8) tag[i];
        return d;
    };

    struct Case
    {
        const char* what;
        Bytes data;
        int window, expected;
    };
    const std::vector<Case> cases {
        { "at the start", withTagAt (0, 15), 200, 0 },
        { "last position of the window", withTagAt (199, 300), 200, 199 },
        { "first position past the window", withTagAt (200, 300), 200, -1 },
        { "cut off by the end of the data", withTagAt (90, 100), 200, -1 },
        { "ending exactly with the data", withTagAt (85, 100), 200, 85 },
        { "data shorter than the tag", withTagAt (0, 14), 200, -1 },
        { "empty data", {}, 200, -1 },
        { "no window", withTagAt (0, 15), 0, -1 },
    };
    for (auto& c : cases)
        EXPECT_EQ (ArrangementFiles::findTag (tag, c.data.data(), c.data.size(), c.window), c.expected) << c.what;

    auto twice = withTagAt (40, 120);
    auto second = withTagAt (10, 30);
    std::copy (second.begin(), second.end(), twice.begin());
    EXPECT_EQ (ArrangementFiles::findTag (tag, twice.data(), twice.size(), 200), 10) << "the first occurrence";
    EXPECT_EQ (ArrangementFiles::findTag (tag, nullptr, 100, 200), -1);
}

TEST (ArrangementFiles, PresetFileIsTheVstProgramWithTheSlotsStoredRecord)
{
    TempFolder temp;
    ArrangementBank bank;
    fillWithPatterns (bank);
    bank.setName (5, "ABCDEFGHIJKLMNOPQRSTUVWX"); // all 24 characters used
    const auto record = toBytes (bank.getRecord (5));

    const auto file = temp.file ("Lead.fxp");
    ASSERT_TRUE (ArrangementFiles::savePresetFile (file, bank, 5));

    const auto nameField = Builder().text ("ABCDEFGHIJKLMNOPQRSTUVW").zeros (5).b;
    const auto written = fileBytes (file);
    ASSERT_EQ (written.size(), 387u);
    EXPECT_EQ (written, goldenFxp (nameField, record));

    // Bad slots write nothing.
    for (int slot : { -1, 64 })
        EXPECT_FALSE (ArrangementFiles::savePresetFile (temp.file ("bad.fxp"), bank, slot)) << slot;
    EXPECT_FALSE (temp.file ("bad.fxp").exists());
}

TEST (ArrangementFiles, ShortNamesFillTheProgramNameFieldWithTheirBlanks)
{
    ArrangementBank bank; // slot 1 is "Hip Hop"
    const auto nameField = Builder().text ("Hip Hop").fill (16, ' ').zeros (5).b;
    EXPECT_EQ (toBytes (ArrangementFiles::makePresetFile (bank, 1)), goldenFxp (nameField, toBytes (bank.getRecord (1))));
}

TEST (ArrangementFiles, TemplatesCarryTheDefaultNameAndRecords)
{
    const ArrangementBank defaults;
    const auto name = Builder().text ("EDM").fill (20, ' ').zeros (5).b;
    EXPECT_EQ (toBytes (ArrangementFiles::makePresetTemplate()), goldenFxp (name, toBytes (defaults.getRecord (0))));
    EXPECT_EQ (toBytes (ArrangementFiles::makeBankTemplate()), goldenFxb (allRecords (defaults)));
}

TEST (ArrangementFiles, BankFileIsTheVstBankOfTheFirst64Records)
{
    TempFolder temp;
    ArrangementBank bank;
    fillWithPatterns (bank);
    const auto records = allRecords (bank);

    // A long host chunk left a 65th record in the block: the file still holds 64.
    Bytes longer = records;
    longer.insert (longer.end(), 300, 0xEE);
    bank.overwriteBlock (longer.data(), longer.size());

    const auto file = temp.file ("Set.fxb");
    ASSERT_TRUE (ArrangementFiles::saveBankFile (file, bank));
    const auto written = fileBytes (file);
    ASSERT_EQ (written.size(), 19385u);
    EXPECT_EQ (written, goldenFxb (records));
    EXPECT_EQ (toBytes (ArrangementFiles::makeBankChunk (bank)), bankChunk (records));
}

TEST (ArrangementFiles, BankFilesAreFoundByTheirTagAndMustHoldTheWholeChunk)
{
    TempFolder temp;
    ArrangementBank source;
    fillWithPatterns (source);
    const auto records = allRecords (source);
    const auto chunk = bankChunk (records);

    auto chunkAt = [&] (size_t pos, size_t trimEnd = 0) {
        Bytes d (pos, 0x55);
        d.insert (d.end(), chunk.begin(), chunk.end() - (long) trimEnd);
        return d;
    };
    auto withTail = [&] (Bytes d) {
        d.insert (d.end(), 1000, 0xAB); // bytes after the chunk are never read
        return d;
    };

    struct Case
    {
        const char* what;
        Bytes file;
        bool accepted;
    };
    const std::vector<Case> cases {
        { ".fxb", goldenFxb (records), true },
        { ".zd8arrbank (bare chunk)", chunk, true },
        { "chunk at position 199", chunkAt (199), true },
        { "chunk with trailing bytes", withTail (chunk), true },
        { "chunk at position 200", chunkAt (200), false },
        { "one byte short", chunkAt (0, 1), false },
        { "only the tags", chunkAt (0, 19200), false },
        { "a program file", goldenFxp (Bytes (28, 0), patternRecord (1)), false },
        { "empty file", {}, false },
    };

    for (auto& c : cases)
    {
        ArrangementBank bank;
        const auto before = toBytes (bank.getBlock());
        const auto file = temp.file ("in.fxb");
        writeFile (file, c.file);
        EXPECT_EQ (ArrangementFiles::loadBankFile (file, bank), c.accepted) << c.what;
        EXPECT_EQ (toBytes (bank.getBlock()), c.accepted ? records : before) << c.what;
    }

    ArrangementBank bank;
    const auto before = toBytes (bank.getBlock());
    EXPECT_FALSE (ArrangementFiles::loadBankFile (temp.file ("missing.fxb"), bank));
    EXPECT_FALSE (ArrangementFiles::loadBankFile (temp.folder, bank)) << "a folder is not a file";
    EXPECT_EQ (toBytes (bank.getBlock()), before);
}

TEST (ArrangementFiles, LoadingABankOverALongerBlockKeepsItsTail)
{
    TempFolder temp;
    ArrangementBank bank;
    Bytes longer (19500, 0x11);
    bank.overwriteBlock (longer.data(), longer.size());

    ArrangementBank source;
    fillWithPatterns (source);
    const auto file = temp.file ("in.zd8arrbank");
    writeFile (file, bankChunk (allRecords (source)));
    ASSERT_TRUE (ArrangementFiles::loadBankFile (file, bank));

    const auto block = toBytes (bank.getBlock());
    ASSERT_EQ (block.size(), 19500u);
    EXPECT_EQ (Bytes (block.begin(), block.begin() + 19200), allRecords (source));
    EXPECT_EQ (Bytes (block.begin() + 19200, block.end()), Bytes (300, 0x11));
}

TEST (ArrangementFiles, PresetFilesFillOneSlotFromAChunkNearTheirStart)
{
    TempFolder temp;
    const auto record = patternRecord (9);
    const auto chunk = arrangementChunk (record);

    auto chunkAt = [&] (size_t pos, size_t trimEnd = 0, size_t padTo = 0) {
        Bytes d (pos, 0x20);
        d.insert (d.end(), chunk.begin(), chunk.end() - (long) trimEnd);
        if (d.size() < padTo)
            d.resize (padTo, 0);
        return d;
    };
    Bytes untagged (400, 0x5A);

    struct Case
    {
        const char* what;
        Bytes file;
        bool accepted;
    };
    const std::vector<Case> cases {
        { ".fxp", goldenFxp (Builder().text ("Whatever").zeros (20).b, record), true },
        { ".zd8arr (bare chunk)", chunk, true },
        { "chunk at position 299", chunkAt (299), true },
        { "chunk at position 300", chunkAt (300), false },
        { "chunk cut one byte short", chunkAt (0, 1), false },
        { "tag at 0 in a 300-byte file", chunkAt (0, 27), false },
        { "tag near the end of 320 bytes", chunkAt (10, 17), false },
        { "299 bytes", chunkAt (0, 28), false },
        { "400 bytes without the tag", untagged, false },
        { "a bank chunk", bankChunk (Bytes (19200, 3)), false },
    };

    for (auto& c : cases)
    {
        ArrangementBank bank;
        const auto before = toBytes (bank.getBlock());
        const auto file = temp.file ("in.fxp");
        writeFile (file, c.file);
        EXPECT_EQ (ArrangementFiles::loadPresetFile (file, bank, 7), c.accepted) << c.what;

        auto expected = before;
        if (c.accepted)
            std::copy (record.begin(), record.end(), expected.begin() + 7 * 300);
        EXPECT_EQ (toBytes (bank.getBlock()), expected) << c.what << ": only slot 7 changes, and only when accepted";
    }

    ArrangementBank bank;
    const auto before = toBytes (bank.getBlock());
    const auto file = temp.file ("good.zd8arr");
    writeFile (file, chunk);
    EXPECT_FALSE (ArrangementFiles::loadPresetFile (file, bank, -1));
    EXPECT_FALSE (ArrangementFiles::loadPresetFile (file, bank, 64));
    EXPECT_FALSE (ArrangementFiles::loadPresetFile (temp.file ("missing.zd8arr"), bank, 0));
    EXPECT_EQ (toBytes (bank.getBlock()), before);
}

TEST (ArrangementFiles, FilesRoundTripThroughDiskAndReplaceOldOnes)
{
    TempFolder temp;
    ArrangementBank source;
    fillWithPatterns (source);
    source.setName (12, "Round trip");

    // Into a folder that does not exist yet, over a file that does.
    const auto bankFile = temp.folder.getChildFile ("sets/live.fxb");
    ASSERT_TRUE (ArrangementFiles::saveBankFile (bankFile, source));
    ASSERT_TRUE (ArrangementFiles::saveBankFile (bankFile, source));
    EXPECT_EQ (bankFile.getSize(), 19385);

    ArrangementBank target;
    ASSERT_TRUE (ArrangementFiles::loadBankFile (bankFile, target));
    EXPECT_EQ (toBytes (target.getBlock()), toBytes (source.getBlock()));

    const auto presetFile = temp.file ("one.fxp");
    writeFile (presetFile, Bytes (5000, 0x77)); // an older, longer file is replaced whole
    ASSERT_TRUE (ArrangementFiles::savePresetFile (presetFile, source, 12));
    EXPECT_EQ (presetFile.getSize(), 387);

    ArrangementBank other;
    ASSERT_TRUE (ArrangementFiles::loadPresetFile (presetFile, other, 40));
    EXPECT_EQ (toBytes (other.getRecord (40)), toBytes (source.getRecord (12)));
    EXPECT_EQ (other.getName (40).trimEnd(), "Round trip");

    // A name that spells the chunk's tag lands in the program-name field before the
    // chunk; the record must still come back whole.
    source.setName (13, "xZD8PluginSettings");
    ASSERT_TRUE (ArrangementFiles::savePresetFile (presetFile, source, 13));
    ASSERT_TRUE (ArrangementFiles::loadPresetFile (presetFile, other, 41));
    EXPECT_EQ (toBytes (other.getRecord (41)), toBytes (source.getRecord (13)));
    EXPECT_EQ (temp.folder.getNumberOfChildFiles (juce::File::findFiles), 1) << "no temporary file is left behind";
}

TEST (ArrangementFiles, HostChunksFollowTheTagAtTheirStart)
{
    PluginRig rig;
    VantorAudioProcessor p (rig.environment);
    auto& table = p.getHub().getParameters();
    const int channel1 = ParameterTable::programSlot (0, ParameterTable::programRow);
    const int before = table.value (channel1);

    // A .fxp holds a valid Arrangement chunk, but at position 60: the host's program
    // chunk must begin with its tag, so the file is ignored.
    auto record = patternRecord (2);
    record[24] = 0x01;
    record[25] = 0x23; // channel 1: program 291
    ASSERT_NE (before, 0x123);
    const auto fxp = goldenFxp (Bytes (28, 0), record);
    p.setCurrentProgramStateInformation (fxp.data(), (int) fxp.size());
    EXPECT_EQ (table.value (channel1), before);

    // A bank chunk with one record more makes the bank 65 records long; only the first
    // 64 are used, so the next bank chunk and bank file are the usual size.
    ArrangementBank patterns;
    fillWithPatterns (patterns);
    auto records = allRecords (patterns);
    const auto extra = patternRecord (64);
    records.insert (records.end(), extra.begin(), extra.end());
    const auto longChunk = bankChunk (records);
    ASSERT_EQ (longChunk.size(), 19225u + 300u);
    p.setStateInformation (longChunk.data(), (int) longChunk.size());

    EXPECT_EQ (p.getHub().getBank().getBlock().getSize(), 19500u);
    juce::MemoryBlock state;
    p.getStateInformation (state);
    auto stateBytes = toBytes (state);
    ASSERT_GT (stateBytes.size(), 19225u);
    stateBytes.resize (19225); // the live section follows the bank chunk
    EXPECT_EQ (stateBytes, bankChunk (allRecords (patterns)));
    EXPECT_EQ (toBytes (ArrangementFiles::makeBankFile (p.getHub().getBank())), goldenFxb (allRecords (patterns)));
}

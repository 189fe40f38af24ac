#include "arrangements/ArrangementLibrary.h"

#include <gtest/gtest.h>

#include <chrono>

using namespace zd8;

namespace
{
    using Bytes = std::vector<juce::uint8>;

    Bytes toBytes (const juce::MemoryBlock& m)
    {
        auto* p = static_cast<const juce::uint8*> (m.getData());
        return { p, p + m.getSize() };
    }

    void append (Bytes& b, const Bytes& more) { b.insert (b.end(), more.begin(), more.end()); }
    void appendText (Bytes& b, const char* t)
    {
        while (*t != 0)
            b.push_back ((juce::uint8) *t++);
    }

    // Numbers written out digit by digit, least significant first.
    Bytes number (std::initializer_list<juce::uint8> digits)
    {
        Bytes b (digits);
        b.resize (10, 0);
        return b;
    }

    Bytes nameArea (const char* name)
    {
        Bytes b;
        appendText (b, name);
        b.resize (300, 0);
        return b;
    }

    // A record as the tables give it: name blank-padded to 24, sixteen big-endian
    // programs, multi, playing mode, the rest zero.
    Bytes record (const char* name, const std::vector<int>& programs, int multi, int mode)
    {
        Bytes r (300, 0);
        std::fill (r.begin(), r.begin() + 24, (juce::uint8) ' ');
        std::copy (name, name + strlen (name), r.begin());
        for (size_t c = 0; c < 16; ++c)
        {
            r[24 + 2 * c] = (juce::uint8) (programs[c] >> 8);
            r[25 + 2 * c] = (juce::uint8) (programs[c] & 0xFF);
        }
        r[56] = (juce::uint8) (multi >> 8);
        r[57] = (juce::uint8) (multi & 0xFF);
        r[58] = (juce::uint8) mode;
        return r;
    }

    Bytes chunk (const Bytes& rec)
    {
        Bytes c;
        appendText (c, "ZD8PluginSettingsVersion100");
        append (c, rec);
        return c;
    }

    Bytes entry (const char* name, const Bytes& chunkBytes)
    {
        auto e = nameArea (name);
        append (e, chunkBytes);
        return e;
    }

    Bytes fileOf (const Bytes& count, const std::vector<std::pair<Bytes, Bytes>>& lengthAndEntry)
    {
        Bytes f = count;
        for (auto& [length, bytes] : lengthAndEntry)
        {
            append (f, length);
            append (f, bytes);
        }
        return f;
    }

    const Bytes length627 = number ({ 0x73, 0x04 });

    // The record part of the first n chunk bytes, zero-filled to 300.
    Bytes zeroFilledRecord (const Bytes& chunkBytes, size_t n)
    {
        Bytes r (chunkBytes.begin() + 27, chunkBytes.begin() + (long) n);
        r.resize (300, 0);
        return r;
    }

    struct TempFolder
    {
        TempFolder() { folder.createDirectory(); }
        ~TempFolder() { folder.deleteRecursively(); }
        juce::File file (const char* name) const { return folder.getChildFile (name); }
        juce::File write (const char* name, const Bytes& b) const
        {
            auto f = file (name);
            f.deleteFile();
            EXPECT_TRUE (f.create().wasOk()); // replaceWithData deletes instead of writing 0 bytes
            EXPECT_TRUE (b.empty() || f.replaceWithData (b.data(), b.size()));
            return f;
        }
        juce::File folder = juce::File::getSpecialLocation (juce::File::tempDirectory).getChildFile ("zd8-library-" + juce::Uuid().toString());
    };

    Bytes fileBytes (const juce::File& f)
    {
        juce::MemoryBlock m;
        f.loadFileAsData (m);
        return toBytes (m);
    }

    ArrangementLibrary libraryOf (const std::vector<Bytes>& entries)
    {
        std::vector<std::pair<Bytes, Bytes>> parts;
        for (auto& e : entries)
        {
            Bytes length (10, 0);
            ArrangementLibrary::encodeNumber (e.size(), length.data());
            parts.emplace_back (length, e);
        }
        Bytes count (10, 0);
        ArrangementLibrary::encodeNumber (entries.size(), count.data());
        const auto f = fileOf (count, parts);
        ArrangementLibrary lib;
        lib.fromBytes (f.data(), f.size());
        return lib;
    }
}

TEST (ArrangementLibrary, DefaultLibraryIsTheTabledOne)
{
    ArrangementLibrary lib;
    lib.setModified (true);
    lib.fillDefaults();

    const std::vector<std::pair<const char*, std::vector<int>>> rows {
        { "EDM", { 36, 522, 617, 570, 523, 621, 515, 490, 811, 910, 505, 987, 871, 496, 602, 564 } },
        { "Hip Hop", { 45, 858, 611, 608, 503, 286, 713, 820, 498, 869, 910, 23, 867, 105, 274, 931 } },
        { "Rock", { 8, 54, 847, 821, 825, 145, 713, 92, 47, 869, 932, 943, 990, 409, 257, 573 } },
    };
    ASSERT_EQ (lib.getNumEntries(), 3);
    for (int i = 0; i < 3; ++i)
    {
        const auto rec = record ("EDM", rows[(size_t) i].second, 1, 1); // every chunk carries "EDM"
        EXPECT_EQ (toBytes (lib.getEntry (i)), entry (rows[(size_t) i].first, chunk (rec))) << i;
        EXPECT_EQ (lib.getShownName (i), rows[(size_t) i].first);
        EXPECT_EQ (toBytes (lib.getRecord (i)), rec);
        EXPECT_EQ (toBytes (lib.getChunk (i)), chunk (rec));
    }
    EXPECT_FALSE (lib.isModified());
}

TEST (ArrangementLibrary, NumbersAreTenBase128DigitsLeastSignificantFirst)
{
    struct Case
    {
        std::uint64_t value;
        Bytes bytes;
    };
    const std::vector<Case> cases {
        { 0, number ({}) },
        { 127, number ({ 0x7F }) },
        { 128, number ({ 0x00, 0x01 }) },
        { 200, number ({ 0x48, 0x01 }) },
        { 627, number ({ 0x73, 0x04 }) },
        { 1ull << 63, number ({ 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x01 }) },
        { ~0ull, number ({ 0x7F, 0x7F, 0x7F, 0x7F, 0x7F, 0x7F, 0x7F, 0x7F, 0x7F, 0x01 }) },
    };
    for (auto& c : cases)
    {
        Bytes written (10, 0xEE);
        ArrangementLibrary::encodeNumber (c.value, written.data());
        EXPECT_EQ (written, c.bytes) << c.value;
        EXPECT_EQ (ArrangementLibrary::decodeNumber (c.bytes.data(), 10), c.value) << c.value;
    }

    // What a writer never produces: digits above 127 count at face value, values past
    // 64 bits saturate, bytes past the data count as 0.
    const auto big = number ({ 0xFF });
    EXPECT_EQ (ArrangementLibrary::decodeNumber (big.data(), 10), 255u);
    const auto huge = number ({ 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x7F });
    EXPECT_EQ (ArrangementLibrary::decodeNumber (huge.data(), 10), ~0ull);
    const auto cut = number ({ 0x73, 0x04 });
    EXPECT_EQ (ArrangementLibrary::decodeNumber (cut.data(), 1), 0x73u);
    EXPECT_EQ (ArrangementLibrary::decodeNumber (cut.data(), 0), 0u);
}

TEST (ArrangementLibrary, TwoHundredEntriesAreWrittenWithTheirCountAndLengths)
{
    TempFolder temp;
    ArrangementLibrary lib;
    std::vector<std::pair<Bytes, Bytes>> expected;
    for (int i = 0; i < 200; ++i)
    {
        auto c = chunk (record ("Slot", std::vector<int> (16, i), 0, 2));
        lib.addEntry ("Entry " + juce::String (i), c.data(), c.size());
        expected.emplace_back (length627, entry (("Entry " + std::to_string (i)).c_str(), c));
    }
    ASSERT_TRUE (lib.isModified());

    const auto file = temp.file ("Lib.zd8arrlib");
    ASSERT_TRUE (lib.saveLibraryFile (file));
    EXPECT_FALSE (lib.isModified());

    const auto written = fileBytes (file);
    ASSERT_EQ (written.size(), 10u + 200u * 637u);
    EXPECT_EQ (written, fileOf (number ({ 0x48, 0x01 }), expected));

    ArrangementLibrary again;
    ASSERT_TRUE (again.loadLibraryFile (file));
    ASSERT_EQ (again.getNumEntries(), 200);
    for (int i : { 0, 57, 199 })
        EXPECT_EQ (toBytes (again.getEntry (i)), toBytes (lib.getEntry (i))) << i;
}

TEST (ArrangementLibrary, ShownNameKeepsPrintableAsciiOfTheFirst256Bytes)
{
    auto areaWith = [] (std::initializer_list<std::pair<size_t, const char*>> parts) {
        Bytes e (627, 0);
        for (auto& [at, text] : parts)
            std::copy (text, text + strlen (text), e.begin() + (long) at);
        return e;
    };
    auto withByte = [] (Bytes e, size_t at, juce::uint8 b) {
        e[at] = b;
        return e;
    };
    const auto plain = areaWith ({ { 0, "Piano" } });

    struct Case
    {
        const char* what;
        Bytes entry;
        juce::String shown;
    };
    const std::vector<Case> cases {
        { "plain", plain, "Piano" },
        { "blanks trimmed", areaWith ({ { 0, "   Two words  " } }), "Two words" },
        { "controls 0..13 left out", withByte (withByte (plain, 2, 9), 3, 13), "Pio" },
        { "14 and 127 kept", withByte (withByte (plain, 1, 14), 2, 127), juce::String ("P") + juce::String::charToString (14) + juce::String::charToString (127) + "no" },
        { "128..255 left out", withByte (withByte (plain, 1, 128), 2, 233), "Pno" },
        { "bytes after zeros still count", areaWith ({ { 0, "A" }, { 100, "B" } }), "AB" },
        { "byte 255 is the last", areaWith ({ { 250, "ABCDEFGH" } }), "ABCDEF" },
        { "entry of 299 bytes", Bytes (plain.begin(), plain.begin() + 299), "" },
        { "entry of 300 bytes", Bytes (plain.begin(), plain.begin() + 300), "Piano" },
    };
    for (auto& c : cases)
        EXPECT_EQ (libraryOf ({ c.entry }).getShownName (0), c.shown) << c.what;

    EXPECT_EQ (libraryOf ({ plain }).getShownName (1), "");
    EXPECT_EQ (libraryOf ({ plain }).getShownName (-1), "");
}

TEST (ArrangementLibrary, EditingKeepsTheNameAreaRulesAndMarksTheLibraryModified)
{
    const auto c = chunk (record ("Live", std::vector<int> (16, 3), 1, 1));
    ArrangementLibrary lib;

    lib.addEntry ("", c.data(), c.size());
    lib.addEntry ("Set B", c.data(), c.size());
    EXPECT_TRUE (lib.isModified());
    ASSERT_EQ (lib.getNumEntries(), 2);
    EXPECT_EQ (toBytes (lib.getEntry (0)), entry ("Untitled", c));
    EXPECT_EQ (toBytes (lib.getEntry (1)), entry ("Set B", c));

    // Rename replaces bytes 0..255 whole: no tail of the longer old name is left.
    lib.setModified (false);
    EXPECT_FALSE (lib.renameEntry (1, ""));
    EXPECT_FALSE (lib.isModified());
    ASSERT_TRUE (lib.renameEntry (0, "Ab"));
    EXPECT_TRUE (lib.isModified());
    EXPECT_EQ (toBytes (lib.getEntry (0)), entry ("Ab", c));
    EXPECT_FALSE (lib.renameEntry (2, "Nobody"));

    // Names keep the low 8 bits of each character, at most 256 of them; bytes 256..299
    // stay zero.
    const juce::String accented = juce::String::charToString (0xE9) + "t" + juce::String::charToString (0x263A);
    ASSERT_TRUE (lib.renameEntry (1, accented + juce::String::repeatedString ("x", 400)));
    auto expected = nameArea ("");
    expected[0] = 0xE9;
    expected[1] = 't';
    expected[2] = 0x3A;
    std::fill (expected.begin() + 3, expected.begin() + 256, (juce::uint8) 'x');
    append (expected, c);
    EXPECT_EQ (toBytes (lib.getEntry (1)), expected);
    EXPECT_EQ (lib.getShownName (1), "t:" + juce::String::repeatedString ("x", 253));

    // A chunk of the wrong size is cut or zero-filled to 327 bytes.
    lib.addEntry ("Short", c.data(), 100);
    auto shortChunk = Bytes (c.begin(), c.begin() + 100);
    shortChunk.resize (327, 0);
    EXPECT_EQ (toBytes (lib.getEntry (2)), entry ("Short", shortChunk));
    EXPECT_EQ (toBytes (lib.getRecord (2)), zeroFilledRecord (c, 100));

    // Without the tag at its start a chunk shows no programs.
    auto untagged = c;
    untagged[0] = 'z';
    lib.addEntry ("Odd", untagged.data(), untagged.size());
    EXPECT_TRUE (lib.getRecord (3).isEmpty());
    lib.removeEntry (3);

    lib.moveEntry (2, 0);
    EXPECT_EQ (lib.getShownName (0), "Short");
    EXPECT_EQ (lib.getShownName (1), "Ab");
    lib.moveEntry (0, 3); // outside the list: nothing moves
    EXPECT_EQ (lib.getShownName (0), "Short");

    lib.setModified (false);
    lib.removeEntry (5);
    EXPECT_FALSE (lib.isModified());
    lib.removeEntry (0);
    EXPECT_TRUE (lib.isModified());
    EXPECT_EQ (lib.getShownName (0), "Ab");

    lib.setModified (false);
    lib.clear();
    EXPECT_TRUE (lib.isEmpty());
    EXPECT_TRUE (lib.isModified());
}

TEST (ArrangementLibrary, ShortEntriesShowNoNameAndKeepItOnRename)
{
    const Bytes tiny { 'A', 'b', 'c' };
    auto lib = libraryOf ({ tiny });
    EXPECT_EQ (lib.getShownName (0), "");
    EXPECT_FALSE (lib.renameEntry (0, "New"));
    EXPECT_EQ (toBytes (lib.getEntry (0)), tiny);
    EXPECT_TRUE (lib.getChunk (0).isEmpty());
    EXPECT_TRUE (lib.getRecord (0).isEmpty());
}

TEST (ArrangementLibrary, ReaderFollowsCountAndLengthsWithoutReadingPastTheData)
{
    const auto c = chunk (record ("EDM", std::vector<int> (16, 7), 1, 1));
    const auto one = entry ("One", c);
    const auto two = entry ("Two", c);
    const auto tooBig = number ({ 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x7F });   // saturates
    const auto count1e20 = number ({ 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x2B }); // over 10^20

    auto zeroFilled = [] (Bytes b, size_t size) {
        b.resize (size, 0);
        return b;
    };
    auto firstBytes = [] (const Bytes& b, size_t n) { return Bytes (b.begin(), b.begin() + (long) n); };

    struct Case
    {
        const char* what;
        Bytes file;
        std::vector<Bytes> entries;
    };
    const std::vector<Case> cases {
        { "two entries", fileOf (number ({ 2 }), { { length627, one }, { length627, two } }), { one, two } },
        { "lengths other than 627 are kept",
          fileOf (number ({ 2 }), { { number ({ 3 }), { 1, 2, 3 } }, { number ({ 0 }), {} } }),
          { { 1, 2, 3 }, {} } },
        { "count smaller than the entries", fileOf (number ({ 1 }), { { length627, one }, { length627, two } }), { one } },
        { "count larger than the entries", fileOf (number ({ 5 }), { { length627, one } }), { one } },
        { "count over 10^20", fileOf (count1e20, { { length627, one }, { length627, two } }), { one, two } },
        { "last entry cut short is zero-filled", fileOf (number ({ 2 }), { { length627, one }, { length627, firstBytes (two, 400) } }), { one, zeroFilled (firstBytes (two, 400), 627) } },
        { "length reaching past the end", fileOf (number ({ 3 }), { { number ({ 10 }), { 1, 2 } } }), { zeroFilled ({ 1, 2 }, 10) } },
        { "length field cut by the end", fileOf (number ({ 1 }), { { { 0x05, 0x00 }, {} } }), { Bytes (5, 0) } },
        { "huge length keeps what is there", fileOf (number ({ 1 }), { { tooBig, zeroFilled (one, 700) } }), { zeroFilled (one, 700) } },
        { "huge length, little data", fileOf (number ({ 1 }), { { tooBig, firstBytes (one, 20) } }), { zeroFilled (firstBytes (one, 20), 627) } },
    };

    for (auto& c : cases)
    {
        ArrangementLibrary lib;
        lib.fillDefaults();
        lib.setModified (true);
        const auto start = std::chrono::steady_clock::now();
        lib.fromBytes (c.file.data(), c.file.size());
        EXPECT_LT (std::chrono::steady_clock::now() - start, std::chrono::seconds (1)) << c.what;
        EXPECT_FALSE (lib.isModified()) << c.what;
        ASSERT_EQ (lib.getNumEntries(), (int) c.entries.size()) << c.what;
        for (size_t i = 0; i < c.entries.size(); ++i)
            EXPECT_EQ (toBytes (lib.getEntry ((int) i)), c.entries[i]) << c.what << ", entry " << i;
    }
}

TEST (ArrangementLibrary, FilesWithNothingToReadKeepTheEntriesButClearTheFlag)
{
    TempFolder temp;
    struct Case
    {
        const char* what;
        Bytes file;
    };
    const std::vector<Case> cases {
        { "empty file", {} },
        { "11 bytes", Bytes { 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x73 } },
        { "count 0", fileOf (number ({}), { { length627, entry ("X", Bytes (327, 1)) } }) },
    };
    for (auto& c : cases)
    {
        ArrangementLibrary lib;
        lib.fillDefaults();
        lib.setModified (true);
        EXPECT_TRUE (lib.loadLibraryFile (temp.write ("in.zd8arrlib", c.file))) << c.what;
        EXPECT_EQ (lib.getNumEntries(), 3) << c.what;
        EXPECT_EQ (lib.getShownName (2), "Rock") << c.what;
        EXPECT_FALSE (lib.isModified()) << c.what;
    }

    ArrangementLibrary lib;
    lib.fillDefaults();
    lib.setModified (true);
    EXPECT_FALSE (lib.loadLibraryFile (temp.file ("missing.zd8arrlib")));
    EXPECT_EQ (lib.getNumEntries(), 3);
    EXPECT_TRUE (lib.isModified()) << "a missing file changes nothing";
}

TEST (ArrangementLibrary, AnEmptyLibraryIsNeverWritten)
{
    TempFolder temp;
    const auto file = temp.file ("Lib.zd8arrlib");

    ArrangementLibrary lib;
    lib.fillDefaults();
    ASSERT_TRUE (lib.saveLibraryFile (file));
    const auto saved = fileBytes (file);

    // CLEAR ALL, then the panel closes: the file keeps the entries it had.
    lib.clear();
    EXPECT_FALSE (lib.saveLibraryFile (file));
    EXPECT_TRUE (lib.isModified());
    EXPECT_EQ (fileBytes (file), saved);
    EXPECT_FALSE (lib.saveLibraryFile (temp.file ("never.zd8arrlib")));
    EXPECT_FALSE (temp.file ("never.zd8arrlib").exists());

    ArrangementLibrary reopened;
    ASSERT_TRUE (reopened.loadLibraryFile (file));
    ASSERT_EQ (reopened.getNumEntries(), 3);
    ArrangementLibrary defaults;
    defaults.fillDefaults();
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ (toBytes (reopened.getEntry (i)), toBytes (defaults.getEntry (i)));
}

TEST (ArrangementLibrary, OddEntriesSurviveASaveAndALoad)
{
    TempFolder temp;
    const Bytes tiny { 9, 8, 7 };
    auto longer = entry ("Long", chunk (record ("EDM", std::vector<int> (16, 1), 1, 1)));
    longer.resize (700, 0x42);
    auto lib = libraryOf ({ tiny, longer, {} });
    ASSERT_EQ (lib.getNumEntries(), 3);
    EXPECT_EQ (lib.getChunk (1).getSize(), 327u) << "only bytes 300..626 are the chunk";

    const auto file = temp.file ("odd.zd8arrlib");
    ASSERT_TRUE (lib.saveLibraryFile (file));
    ArrangementLibrary again;
    ASSERT_TRUE (again.loadLibraryFile (file));
    ASSERT_EQ (again.getNumEntries(), 3);
    EXPECT_EQ (toBytes (again.getEntry (0)), tiny);
    EXPECT_EQ (toBytes (again.getEntry (1)), longer);
    EXPECT_EQ (toBytes (again.getEntry (2)), Bytes());
}

#include "link/PortFile.h"

#include <gtest/gtest.h>

using namespace zd8;

namespace
{
juce::MemoryBlock bytes (const std::string& s)
{
    return juce::MemoryBlock (s.data(), s.size());
}

std::string text (const juce::MemoryBlock& b)
{
    return std::string (static_cast<const char*> (b.getData()), b.getSize());
}

struct PortFileFixture : public ::testing::Test
{
    juce::TemporaryFile folderName;
    juce::File folder = folderName.getFile().getChildFile ("Vantor ZD8");
    juce::File file = folder.getChildFile ("zd8ports.dat");

    void TearDown() override { folderName.getFile().deleteRecursively(); }
};
} // namespace

TEST (PortFile, EncodesNamesOneBytePerCharacterBetweenTheMarkers)
{
    struct Case { juce::StringArray names; std::string expected; };
    const std::vector<Case> cases {
        { { "ZD8 MIDI In", "ZD8 MIDI Out", "NONE" }, "ZD8 MIDI In\x0FZD8 MIDI Out\x10NONE\x11" },
        { {}, "NONE\x0FNONE\x10NONE\x11" },                           // padded with NONE
        { { "", "", "" }, std::string ("\x0F\x10\x11", 3) },
        { { juce::String (juce::CharPointer_UTF8 ("\xc3\xa9t\xc3\xa9")), juce::String (juce::CharPointer_UTF8 ("\xc5\x81")), "x" }, "\xE9t\xE9\x0F\x41\x10x\x11" }, // low 8 bits
    };

    for (const auto& c : cases)
        EXPECT_EQ (text (PortFile::encode (c.names)), c.expected) << c.names.joinIntoString ("|");
}

TEST (PortFile, DecodesByTheLastMarkersAndNeverReadsTheThirdName)
{
    struct Case { std::string file; bool ok; juce::String input, output; };
    const std::vector<Case> cases {
        { "Port In\x0FPort Out\x10NONE\x11", true, "Port In", "Port Out" },
        { "Port In\x0FPort Out\x10", true, "Port In", "Port Out" },                 // no third part
        { "A\x0F" "B\x0F" "C\x10" "D\x10" "E\x11", true, "A\x0F" "B", "C\x10" "D" }, // last markers win
        { "In\x0F\x10", true, "In", "" },
        { "ab\x10" "cd\x0F" "ef", true, "ab\x10" "cd", "" },                         // output marker first
        { std::string ("A\0B\x0F" "C\x10", 6), true, "AB", "C" },                   // 0 bytes are skipped
        { "\xE9t\xE9\x0F" "x\x10", true, juce::String (juce::CharPointer_UTF8 ("\xc3\xa9t\xc3\xa9")), "x" },
        { "\x0FOut\x10NONE\x11", false, "", "" },                                   // input marker at 0
        { "In\x0FOut", false, "", "" },
        { "In\x10Out", false, "", "" },
        { "\x10\x0F", false, "", "" },
        { "", false, "", "" },
    };

    for (const auto& c : cases)
    {
        juce::StringArray names { "old in", "old out", "kept third" };
        EXPECT_EQ (PortFile::decode (bytes (c.file), names), c.ok) << c.file;
        EXPECT_EQ (names[0], c.ok ? c.input : "old in") << c.file;
        EXPECT_EQ (names[1], c.ok ? c.output : "old out") << c.file;
        EXPECT_EQ (names[2], "kept third") << c.file;
    }

    juce::StringArray shortList;
    EXPECT_TRUE (PortFile::decode (bytes ("I\x0FO\x10"), shortList));
    EXPECT_EQ (shortList, juce::StringArray ({ "I", "O", "NONE" }));
}

TEST_F (PortFileFixture, LoadRewritesAMissingOrTooShortFileAndOtherwiseReadsIt)
{
    juce::StringArray names { "Cur In", "Cur Out" };
    PortFile::load (folder, names); // no folder, no file: written from the names
    EXPECT_EQ (names, juce::StringArray ({ "Cur In", "Cur Out", "NONE" }));
    juce::MemoryBlock written;
    ASSERT_TRUE (file.loadFileAsData (written));
    EXPECT_EQ (text (written), "Cur In\x0F" "Cur Out\x10NONE\x11");

    ASSERT_TRUE (file.replaceWithData ("\x0F\x10", 2));
    PortFile::load (folder, names);
    written.reset(); // loadFileAsData appends
    ASSERT_TRUE (file.loadFileAsData (written));
    EXPECT_EQ (text (written), "Cur In\x0F" "Cur Out\x10NONE\x11");

    ASSERT_TRUE (file.replaceWithText ("Stored In\x0FStored Out\x10Stored Third\x11"));
    PortFile::load (folder, names);
    EXPECT_EQ (names, juce::StringArray ({ "Stored In", "Stored Out", "NONE" }));

    ASSERT_TRUE (file.replaceWithText ("garbage without markers"));
    PortFile::load (folder, names); // read, not understood: names stay, file stays
    EXPECT_EQ (names, juce::StringArray ({ "Stored In", "Stored Out", "NONE" }));
    EXPECT_EQ (file.loadFileAsString(), "garbage without markers");
}

TEST_F (PortFileFixture, SaveAndLoadGiveBackTheTwoPortNames)
{
    ASSERT_TRUE (PortFile::save (folder, { "USB MIDI In 2", "USB MIDI Out 2", "Third" }));

    juce::StringArray names;
    PortFile::load (folder, names);
    EXPECT_EQ (names, juce::StringArray ({ "USB MIDI In 2", "USB MIDI Out 2", "NONE" }));
}

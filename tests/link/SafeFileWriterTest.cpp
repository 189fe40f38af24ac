#include "link/SafeFileWriter.h"

#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>

using namespace zd8;

namespace
{
struct WriterFixture : public ::testing::Test
{
    juce::TemporaryFile folderName;
    juce::File folder = folderName.getFile();
    juce::File target = folder.getChildFile ("deep").getChildFile ("settings.dat");

    void TearDown() override
    {
        chmod (target.getParentDirectory().getFullPathName().toRawUTF8(), 0755);
        folder.deleteRecursively();
    }

    juce::StringArray filesInTargetFolder() const
    {
        juce::StringArray names;
        for (const auto& f : target.getParentDirectory().findChildFiles (juce::File::findFilesAndDirectories, false, "*", juce::File::FollowSymlinks::no))
            names.add (f.getFileName());
        return names;
    }
};

/** Makes every write beyond limitBytes fail (EFBIG), as a full disk would, for as
    long as it lives. */
class FileSizeLimit
{
public:
    explicit FileSizeLimit (rlim_t limitBytes)
    {
        previousHandler = std::signal (SIGXFSZ, SIG_IGN);
        getrlimit (RLIMIT_FSIZE, &previous);
        rlimit limited = previous;
        limited.rlim_cur = limitBytes;
        setrlimit (RLIMIT_FSIZE, &limited);
    }

    ~FileSizeLimit()
    {
        setrlimit (RLIMIT_FSIZE, &previous);
        std::signal (SIGXFSZ, previousHandler);
    }

private:
    rlimit previous {};
    void (*previousHandler) (int) = nullptr;
};
} // namespace

TEST_F (WriterFixture, CreatesTheFolderAndReplacesTheFileWholeLeavingNoTemporaries)
{
    ASSERT_TRUE (SafeFileWriter::write (target, juce::String ("first version, rather long")));
    EXPECT_EQ (target.loadFileAsString(), "first version, rather long");

    const juce::uint8 second[] = { 0x00, 0xFF, 0x0F };
    ASSERT_TRUE (SafeFileWriter::write (target, second, sizeof (second)));
    juce::MemoryBlock read;
    ASSERT_TRUE (target.loadFileAsData (read));
    EXPECT_EQ (read, juce::MemoryBlock (second, sizeof (second))); // shorter: nothing of the old left

    ASSERT_TRUE (SafeFileWriter::write (target, juce::MemoryBlock()));
    EXPECT_EQ (target.getSize(), 0);

    EXPECT_EQ (filesInTargetFolder(), juce::StringArray ({ "settings.dat" }));
}

TEST_F (WriterFixture, TextIsWrittenOneBytePerCharacter)
{
    ASSERT_TRUE (SafeFileWriter::write (target, juce::String (juce::CharPointer_UTF8 ("A\xc3\xa9\xc5\x81"))));
    juce::MemoryBlock read;
    ASSERT_TRUE (target.loadFileAsData (read));
    const juce::uint8 expected[] = { 'A', 0xE9, 0x41 };
    EXPECT_EQ (read, juce::MemoryBlock (expected, sizeof (expected)));
}

TEST_F (WriterFixture, AFailedWriteKeepsTheOldFileAndLeavesNoTemporaries)
{
    ASSERT_TRUE (SafeFileWriter::write (target, juce::String ("the good old contents")));

    juce::MemoryBlock big (256 * 1024, true);
    {
        FileSizeLimit diskFull (4096);
        EXPECT_FALSE (SafeFileWriter::write (target, big));
    }

    EXPECT_EQ (target.loadFileAsString(), "the good old contents");
    EXPECT_EQ (filesInTargetFolder(), juce::StringArray ({ "settings.dat" }));
}

TEST_F (WriterFixture, UnusablePlacesReturnFalse)
{
    ASSERT_TRUE (folder.createDirectory().wasOk());
    ASSERT_TRUE (folder.getChildFile ("plain file").replaceWithText ("x"));

    const juce::File badTargets[] = {
        folder.getChildFile ("plain file").getChildFile ("inside.dat"), // folder cannot be created
        folder,                                                         // a folder, not a file
        juce::File(),
    };

    for (const auto& bad : badTargets)
        EXPECT_FALSE (SafeFileWriter::write (bad, juce::String ("data"))) << bad.getFullPathName();

    EXPECT_EQ (folder.getChildFile ("plain file").loadFileAsString(), "x");
}

TEST_F (WriterFixture, UnwritableFolderReturnsFalseAndKeepsTheOldFile)
{
    ASSERT_TRUE (SafeFileWriter::write (target, juce::String ("old")));
    const auto dir = target.getParentDirectory();
    ASSERT_EQ (chmod (dir.getFullPathName().toRawUTF8(), 0555), 0);

    if (dir.getChildFile ("probe").create().wasOk()) // the superuser writes anyway
        GTEST_SKIP() << "permissions are not enforced for this user";

    EXPECT_FALSE (SafeFileWriter::write (target, juce::String ("new")));
    EXPECT_EQ (target.loadFileAsString(), "old");
    EXPECT_EQ (filesInTargetFolder(), juce::StringArray ({ "settings.dat" }));
}

#include "link/SafeFileWriter.h"

#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

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

/** The write as a user whose permissions are enforced: the superuser's writes succeed
    in any folder, so as root it is made by a child process that first becomes the
    unprivileged user "nobody" (65534). */
bool writeWithPermissionsEnforced (const juce::File& target, const juce::String& text)
{
    if (geteuid() != 0)
        return SafeFileWriter::write (target, text);

    const pid_t child = fork();
    if (child == 0)
    {
        if (setgid (65534) != 0 || setuid (65534) != 0)
            _exit (3);
        _exit (SafeFileWriter::write (target, text) ? 0 : 1);
    }
    int status = 0;
    if (child < 0 || waitpid (child, &status, 0) != child || ! WIFEXITED (status) || WEXITSTATUS (status) > 1)
    {
        ADD_FAILURE() << "the unprivileged write could not be tried";
        return false;
    }
    return WEXITSTATUS (status) == 0;
}

TEST_F (WriterFixture, UnwritableFolderReturnsFalseAndKeepsTheOldFile)
{
    ASSERT_TRUE (SafeFileWriter::write (target, juce::String ("old")));
    const auto dir = target.getParentDirectory();
    // The folders above stay open to everyone, so that only the last one refuses.
    for (auto f = dir.getParentDirectory(); f != folder.getParentDirectory(); f = f.getParentDirectory())
        ASSERT_EQ (chmod (f.getFullPathName().toRawUTF8(), 0755), 0);
    ASSERT_EQ (chmod (dir.getFullPathName().toRawUTF8(), 0555), 0);

    EXPECT_FALSE (writeWithPermissionsEnforced (target, juce::String ("new")));
    EXPECT_EQ (target.loadFileAsString(), "old");
    EXPECT_EQ (filesInTargetFolder(), juce::StringArray ({ "settings.dat" }));
}

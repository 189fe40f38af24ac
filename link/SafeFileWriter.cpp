#include "link/SafeFileWriter.h"

namespace zd8
{

bool SafeFileWriter::write (const juce::File& file, const void* data, size_t size)
{
    if (file == juce::File() || file.isDirectory() || (data == nullptr && size > 0))
        return false;

    if (! file.getParentDirectory().createDirectory().wasOk())
        return false;

    // Same folder, so the final step is a rename on the same volume; the temporary
    // file is deleted by its destructor whenever we give up.
    juce::TemporaryFile temp (file, juce::TemporaryFile::useHiddenFile);

    {
        juce::FileOutputStream out (temp.getFile());
        if (out.failedToOpen())
            return false;

        if (size > 0 && ! out.write (data, size))
            return false;

        out.flush(); // also syncs the data to disk before the rename makes it visible
        if (out.getStatus().failed())
            return false;
    }

    return temp.overwriteTargetFileWithTemporary();
}

bool SafeFileWriter::write (const juce::File& file, const juce::MemoryBlock& data)
{
    return write (file, data.getData(), data.getSize());
}

bool SafeFileWriter::write (const juce::File& file, const juce::String& text8bit)
{
    juce::MemoryBlock bytes;
    for (auto p = text8bit.getCharPointer(); ! p.isEmpty();)
    {
        const auto byte = (juce::uint8) (p.getAndAdvance() & 0xFF); // low 8 bits of the code
        bytes.append (&byte, 1);
    }

    return write (file, bytes);
}

namespace
{
    // ".<name>_temp<hex digits>[.<extension>]", the name juce::TemporaryFile gives the
    // hidden sibling of a target file.
    bool isTemporaryName (const juce::String& fileName)
    {
        if (! fileName.startsWithChar ('.'))
            return false;
        const int at = fileName.lastIndexOf ("_temp");
        if (at < 2)
            return false;
        const auto rest = fileName.substring (at + 5);
        const int dot = rest.indexOfChar ('.');
        const auto digits = dot < 0 ? rest : rest.substring (0, dot);
        return digits.isNotEmpty() && digits.length() <= 8 && digits.containsOnly ("0123456789abcdefABCDEF");
    }
}

int SafeFileWriter::removeStaleTemporaries (const juce::File& folder, juce::Time changedBefore)
{
    if (folder == juce::File() || ! folder.isDirectory())
        return 0;

    int removed = 0;
    for (const auto& f : folder.findChildFiles (juce::File::findFiles, false, ".*_temp*",
                                                juce::File::FollowSymlinks::no))
        if (isTemporaryName (f.getFileName()) && f.getLastModificationTime() < changedBefore && f.deleteFile())
            ++removed;
    return removed;
}

} // namespace zd8

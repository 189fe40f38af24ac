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

} // namespace zd8

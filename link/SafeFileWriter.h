#pragma once

#include <juce_core/juce_core.h>

namespace zd8
{

/** Writes a file whole and safely: the data goes to a temporary file in the same
    folder (created when missing), which then replaces the old file in one rename. A
    crash or a full disk never leaves the user with a half-written or missing file. */
class SafeFileWriter
{
public:
    static bool write (const juce::File& file, const void* data, size_t size);
    static bool write (const juce::File& file, const juce::MemoryBlock& data);
    static bool write (const juce::File& file, const juce::String& text8bit);

    /** Deletes the temporary files a write left in folder when it was cut short (the
        process killed between writing and renaming): hidden files named as a write
        names them (".settings_temp1a2b3c4d.dat") and last changed before
        `changedBefore`, so that another instance's write in progress is never touched.
        Nothing else in the folder is looked at. Returns how many were deleted. */
    static int removeStaleTemporaries (const juce::File& folder, juce::Time changedBefore);
};

} // namespace zd8

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
};

} // namespace zd8

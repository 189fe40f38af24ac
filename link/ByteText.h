#pragma once

#include <juce_core/juce_core.h>

namespace zd8
{

/** Text kept one byte per character (the low 8 bits of each character code), as the
    plug-in's own files and the instrument's names store it. */
class ByteText
{
public:
    static juce::MemoryBlock toBytes (const juce::String& text);
    /** Each byte becomes the character with that code; a 0 byte is skipped, since text
        cannot hold it. */
    static juce::String fromBytes (const void* data, size_t size);
};

} // namespace zd8

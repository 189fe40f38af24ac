#include "link/ByteText.h"

namespace zd8
{

juce::MemoryBlock ByteText::toBytes (const juce::String& text)
{
    juce::MemoryBlock bytes ((size_t) text.length());
    size_t i = 0;
    for (auto c : text)
        bytes[i++] = (char) (juce::uint8) (c & 0xFF);
    return bytes;
}

juce::String ByteText::fromBytes (const void* data, size_t size)
{
    juce::String text;
    text.preallocateBytes (size * 2);
    auto* b = static_cast<const juce::uint8*> (data);
    for (size_t i = 0; i < size; ++i)
        text += juce::String::charToString ((juce::juce_wchar) b[i]);
    return text;
}

} // namespace zd8

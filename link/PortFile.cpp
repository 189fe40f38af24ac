#include "link/PortFile.h"

#include "link/SafeFileWriter.h"

namespace zd8
{

namespace
{
    constexpr juce::uint8 inputNameEnd = 0x0F;
    constexpr juce::uint8 outputNameEnd = 0x10;
    constexpr juce::uint8 thirdNameEnd = 0x11;
    constexpr int portNameCount = 3;  // input, output, third
    constexpr size_t minFileSize = 3; // a shorter file is rewritten from the names
    const char* const noPort = "NONE";

    void padNames (juce::StringArray& portNames)
    {
        while (portNames.size() < portNameCount)
            portNames.add (noPort);
    }

    void appendName (juce::MemoryBlock& out, const juce::String& name)
    {
        for (auto p = name.getCharPointer(); ! p.isEmpty();)
        {
            const auto byte = (juce::uint8) (p.getAndAdvance() & 0xFF); // low 8 bits of the code
            out.append (&byte, 1);
        }
    }

    // One character per byte. A 0 byte cannot live in a juce::String and is skipped.
    juce::String nameFrom (const juce::uint8* bytes, size_t size)
    {
        juce::String name;
        name.preallocateBytes (size * 2);
        for (size_t i = 0; i < size; ++i)
            if (bytes[i] != 0)
                name += (juce::juce_wchar) bytes[i];

        return name;
    }

    // Position of the last occurrence of byte, or -1.
    long lastIndexOf (const juce::uint8* bytes, size_t size, juce::uint8 byte)
    {
        for (size_t i = size; i > 0; --i)
            if (bytes[i - 1] == byte)
                return (long) (i - 1);

        return -1;
    }
}

juce::MemoryBlock PortFile::encode (const juce::StringArray& portNames)
{
    auto names = portNames;
    padNames (names);

    juce::MemoryBlock out;
    const juce::uint8 ends[portNameCount] = { inputNameEnd, outputNameEnd, thirdNameEnd };
    for (int i = 0; i < portNameCount; ++i)
    {
        appendName (out, names[i]);
        out.append (&ends[i], 1);
    }

    return out;
}

bool PortFile::decode (const juce::MemoryBlock& bytes, juce::StringArray& portNames)
{
    const auto* data = static_cast<const juce::uint8*> (bytes.getData());
    const size_t size = bytes.getSize();

    const long inputEnd = lastIndexOf (data, size, inputNameEnd);
    const long outputEnd = lastIndexOf (data, size, outputNameEnd);
    if (inputEnd <= 0 || outputEnd <= 0)
        return false;

    // The output name runs from after the input marker to the output marker; when the
    // output marker comes first there is none.
    const auto outputStart = (size_t) inputEnd + 1;
    const auto outputSize = (size_t) outputEnd > outputStart ? (size_t) outputEnd - outputStart : 0;

    padNames (portNames);
    portNames.set (0, nameFrom (data, (size_t) inputEnd));
    portNames.set (1, nameFrom (data + outputStart, outputSize));
    return true;
}

void PortFile::load (const juce::File& folder, juce::StringArray& portNames)
{
    padNames (portNames);
    const auto file = folder.getChildFile (fileName);

    if (! file.existsAsFile())
    {
        save (folder, portNames);
        return;
    }

    juce::MemoryBlock bytes;
    if (! file.loadFileAsData (bytes))
        return; // unreadable: keep the names we have

    if (bytes.getSize() < minFileSize)
    {
        save (folder, portNames);
        return;
    }

    decode (bytes, portNames); // the third name stays as it is
}

bool PortFile::save (const juce::File& folder, const juce::StringArray& portNames)
{
    return SafeFileWriter::write (folder.getChildFile (fileName), encode (portNames));
}

} // namespace zd8

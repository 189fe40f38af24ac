// The port file reader on arbitrary bytes: never reads outside them, gives back three
// names no longer than the file, and whatever it accepts survives a write and a read.
#include "link/PortFile.h"

#include <cstdint>
#include <cstdlib>

using zd8::PortFile;

extern "C" int LLVMFuzzerTestOneInput (const uint8_t* data, size_t size)
{
    const juce::MemoryBlock bytes (data, size);
    juce::StringArray names;

    if (! PortFile::decode (bytes, names))
    {
        if (! names.isEmpty()) // a refused file changes nothing
            abort();
        return 0;
    }

    if (names.size() != 3 || names[2] != "NONE")
        abort();
    if ((size_t) (names[0].length() + names[1].length()) > size)
        abort();

    if (names[0].isNotEmpty())
    {
        juce::StringArray again;
        if (! PortFile::decode (PortFile::encode (names), again) || again != names)
            abort();
    }

    return 0;
}

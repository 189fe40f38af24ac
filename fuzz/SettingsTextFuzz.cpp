// The settings file "brisipzd8.dat" on arbitrary bytes, read as the plug-in reads it
// (one character per byte). The list always holds its 55 entries, every entry can be
// read as a number, and what was taken survives a write and a read.
#include "link/ByteText.h"
#include "plugin/SettingsList.h"

#include <cstdint>
#include <cstdlib>

using zd8::ByteText;
using zd8::SettingsList;

namespace
{
    void check (bool condition)
    {
        if (! condition)
            abort();
    }
}

extern "C" int LLVMFuzzerTestOneInput (const uint8_t* data, size_t size)
{
    SettingsList settings;
    settings.fromText (ByteText::fromBytes (data, size));

    for (int i = -1; i <= SettingsList::size; ++i)
    {
        (void) settings.getInt (i);
        check (settings.get (i).isEmpty() || (i >= 0 && i < SettingsList::size));
    }
    settings.validateLatencyEntries();
    check (settings.get (SettingsList::latencyMarkerEntry) == SettingsList::latencyMarker);

    // Entries holding a marker cannot be written back as they are; the others can.
    bool plain = true;
    for (int i = 0; i < SettingsList::size; ++i)
        plain = plain && ! settings.get (i).contains ("|^") && ! settings.get (i).contains ("^|");
    if (plain)
    {
        const auto text = settings.toText();
        SettingsList again;
        again.fromText (text);
        for (int i = 0; i < SettingsList::size; ++i)
            check (again.get (i) == settings.get (i));
    }
    return 0;
}

// Library files (.zd8arrlib) on arbitrary bytes. Whatever the count and lengths say,
// the reader never reads outside the input and holds no more than the input plus one
// zero-filled entry; every entry offers its shown name, chunk and record safely; what
// it read survives a write and a read byte for byte.
#include "arrangements/ArrangementLibrary.h"

#include <cstdint>
#include <cstdlib>

using zd8::ArrangementLibrary;

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
    ArrangementLibrary lib;
    lib.setModified (true);
    lib.fromBytes (data, size);
    check (! lib.isModified());

    size_t held = 0;
    for (int i = -1; i <= lib.getNumEntries(); ++i)
    {
        const auto entry = lib.getEntry (i);
        held += entry.getSize();
        const auto name = lib.getShownName (i);
        check (name.length() <= ArrangementLibrary::maxNameLength);
        check (lib.getChunk (i).getSize() <= (size_t) (ArrangementLibrary::entrySize - ArrangementLibrary::nameAreaSize));
        const auto record = lib.getRecord (i);
        check (record.isEmpty() || record.getSize() == 300u);
    }
    check (held <= size + (size_t) ArrangementLibrary::entrySize);
    check ((size_t) lib.getNumEntries() <= size / (size_t) ArrangementLibrary::numberSize);

    if (! lib.isEmpty())
    {
        const auto bytes = lib.toBytes();
        ArrangementLibrary again;
        again.fromBytes (bytes.getData(), bytes.getSize());
        check (again.getNumEntries() == lib.getNumEntries());
        for (int i = 0; i < lib.getNumEntries(); ++i)
            check (again.getEntry (i) == lib.getEntry (i));

        if (lib.renameEntry (0, "Renamed"))
            check (lib.getShownName (0) == "Renamed");
    }
    return 0;
}

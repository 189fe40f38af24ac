// Preset files (.fxp, .zd8arr) and program chunks from a host. The reader takes a
// record only from data of at least 300 bytes with the tag in its first 300 positions
// (past the program name in a VST program file) and the whole chunk after it; it never reads outside the input; what it takes goes
// into exactly one slot and survives a write as .fxp and a read. The host's program
// path (tag at the start, at least 327 bytes) applies only whole records.
#include "arrangements/ArrangementFiles.h"
#include "model/ParameterTable.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

using zd8::ArrangementFiles;
using zd8::ParameterTable;
using zd8::ArrangementBank;

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
    static ParameterTable table;

    if (size >= (size_t) ArrangementFiles::arrangementChunkSize
        && memcmp (data, ArrangementFiles::arrangementTag, (size_t) ArrangementFiles::arrangementTagSize) == 0)
        ArrangementBank::applyRecord (data + ArrangementFiles::arrangementHeaderSize, (size_t) ArrangementBank::recordSize, table);

    const auto record = ArrangementFiles::readPresetRecord (data, size);
    if (record.isEmpty())
        return 0;

    // In a VST program file the search starts past the program name.
    const int from = ArrangementFiles::isVstProgramFile (data, size) ? ArrangementFiles::presetChunkOffset : 0;
    const int tag = from + ArrangementFiles::findTag (ArrangementFiles::arrangementTag, data + from, size - (size_t) from, ArrangementFiles::arrangementTagWindow - from);
    check (size >= (size_t) ArrangementFiles::shortestPresetFile);
    check (tag >= from && (size_t) tag + (size_t) ArrangementFiles::arrangementChunkSize <= size);
    check (record.getSize() == (size_t) ArrangementBank::recordSize);
    check (memcmp (record.getData(), data + tag + ArrangementFiles::arrangementHeaderSize, record.getSize()) == 0);

    ArrangementBank bank;
    const auto before = bank.getBlock();
    const int slot = data[size - 1] % ArrangementBank::numSlots;
    bank.putRecord (slot, record.getData(), record.getSize());
    const auto after = bank.getBlock();
    const size_t start = (size_t) slot * ArrangementBank::recordSize;
    check (after.getSize() == before.getSize());
    check (memcmp (after.getData(), before.getData(), start) == 0);
    check (memcmp (static_cast<const char*> (after.getData()) + start + ArrangementBank::recordSize,
                   static_cast<const char*> (before.getData()) + start + ArrangementBank::recordSize,
                   after.getSize() - start - ArrangementBank::recordSize)
           == 0);

    const auto fxp = ArrangementFiles::makePresetFile (bank, slot);
    check (fxp.getSize() == (size_t) ArrangementFiles::presetFileSize);
    check (ArrangementFiles::readPresetRecord (fxp.getData(), fxp.getSize()) == record);
    return 0;
}

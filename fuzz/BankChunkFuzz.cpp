// Bank chunks from a host, a .fxb or a .zd8arrbank: the host's tag-at-the-start path
// into the bank block, and the file reader's tag search. Neither reads outside the
// input; the bank always offers 64 readable records; what the file reader accepts is
// exactly the 19200 bytes after its tag and survives a write as .fxb and a read.
#include "arrangements/ArrangementFiles.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

using zd8::ArrangementFiles;
using zd8::ArrangementBank;

namespace
{
    void check (bool condition)
    {
        if (! condition)
            abort();
    }

    void readEverySlot (const ArrangementBank& bank)
    {
        for (int slot = -1; slot <= ArrangementBank::numSlots; ++slot)
        {
            const bool inside = slot >= 0 && slot < ArrangementBank::numSlots;
            check (bank.getRecord (slot).getSize() == (inside ? (size_t) ArrangementBank::recordSize : 0u));
            if (! inside)
                check (bank.getName (slot).isEmpty());
        }
    }
}

extern "C" int LLVMFuzzerTestOneInput (const uint8_t* data, size_t size)
{
    // The host path: the tag at the start, then every byte over the block.
    {
        ArrangementBank bank;
        const size_t header = (size_t) ArrangementFiles::bankHeaderSize;
        if (size > header && memcmp (data, ArrangementFiles::bankTag, (size_t) ArrangementFiles::bankTagSize) == 0)
        {
            bank.overwriteBlock (data + header, size - header);
            const auto block = bank.getBlock();
            check (block.getSize() == std::max ((size_t) ArrangementBank::blockSize, size - header));
            check (memcmp (block.getData(), data + header, size - header) == 0);
        }
        readEverySlot (bank);
        check (ArrangementFiles::makeBankChunk (bank).getSize() == (size_t) ArrangementFiles::bankChunkSize);
    }

    // The file path.
    const auto records = ArrangementFiles::readBankRecords (data, size);
    if (records.isEmpty())
        return 0;

    const int tag = ArrangementFiles::findTag (ArrangementFiles::bankTag, data, size, ArrangementFiles::bankTagWindow);
    check (tag >= 0 && tag < ArrangementFiles::bankTagWindow);
    check (records.getSize() == (size_t) ArrangementBank::blockSize);
    check (memcmp (records.getData(), data + tag + ArrangementFiles::bankHeaderSize, records.getSize()) == 0);

    ArrangementBank bank;
    bank.overwriteBlock (records.getData(), records.getSize());
    readEverySlot (bank);

    const auto fxb = ArrangementFiles::makeBankFile (bank);
    check (fxb.getSize() == (size_t) ArrangementFiles::bankFileSize);
    check (ArrangementFiles::readBankRecords (fxb.getData(), fxb.getSize()) == records);
    return 0;
}

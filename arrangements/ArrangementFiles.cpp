#include "arrangements/ArrangementFiles.h"

#include "link/SafeFileWriter.h"

namespace zd8
{

namespace
{
    constexpr const char* containerMagic = "CcnK";
    constexpr const char* presetKind = "FPCh"; // program with opaque chunk
    constexpr const char* bankKind = "FBCh";   // bank with opaque chunk
    constexpr const char* pluginId = "BZD8";
    constexpr int numParameters = 2314;
    constexpr int defaultTemplateSlot = 0; // "EDM" in the default bank

    // Header fields shared by both VST files; the container size counts the bytes after
    // the size field itself.
    constexpr int magicOffset = 0;
    constexpr int containerSizeOffset = 4;
    constexpr int kindOffset = 8;
    constexpr int formatVersionOffset = 12;
    constexpr int pluginIdOffset = 16;
    constexpr int pluginVersionOffset = 20;
    constexpr int countOffset = 24; // parameters (.fxp) or programs (.fxb)
    constexpr int containerHeaderSize = 8;

    // The most a reader needs to look at: a tag at the last searched position followed
    // by its whole chunk. Anything further in a file is never read.
    constexpr size_t bankFileReadLimit = (size_t) (ArrangementFiles::bankTagWindow - 1 + ArrangementFiles::bankChunkSize);
    constexpr size_t presetFileReadLimit = (size_t) (ArrangementFiles::arrangementTagWindow - 1 + ArrangementFiles::arrangementChunkSize);

    void put32 (juce::MemoryBlock& b, int offset, juce::uint32 value)
    {
        for (int i = 0; i < 4; ++i)
            b[(size_t) (offset + i)] = (char) (juce::uint8) (value >> (24 - 8 * i));
    }

    void putText (juce::MemoryBlock& b, int offset, const char* text)
    {
        b.copyFrom (text, offset, strlen (text));
    }

    void putHeader (juce::MemoryBlock& b, const char* kind, int count)
    {
        putText (b, magicOffset, containerMagic);
        put32 (b, containerSizeOffset, (juce::uint32) (b.getSize() - containerHeaderSize));
        putText (b, kindOffset, kind);
        put32 (b, formatVersionOffset, (juce::uint32) ArrangementFiles::vstFormatVersion);
        putText (b, pluginIdOffset, pluginId);
        put32 (b, pluginVersionOffset, (juce::uint32) ArrangementFiles::pluginVersion);
        put32 (b, countOffset, (juce::uint32) count);
    }

    void putPresetName (juce::MemoryBlock& file, const juce::MemoryBlock& nameHead)
    {
        // Name bytes first, the rest of the 28-byte field stays zero.
        const auto length = juce::jmin (nameHead.getSize(), (size_t) ArrangementFiles::presetNameLength);
        file.copyFrom (nameHead.getData(), ArrangementFiles::presetNameOffset, length);
    }

    juce::MemoryBlock readStart (const juce::File& file, size_t limit)
    {
        juce::MemoryBlock data;
        if (! file.existsAsFile())
            return data;
        juce::FileInputStream in (file);
        if (in.openedOk())
            in.readIntoMemoryBlock (data, (ssize_t) limit);
        return data;
    }
}

int ArrangementFiles::findTag (const char* tag, const void* data, size_t size, int window)
{
    if (tag == nullptr || data == nullptr || window <= 0)
        return -1;

    const auto tagSize = strlen (tag);
    if (tagSize == 0 || tagSize > size)
        return -1;

    auto* bytes = static_cast<const juce::uint8*> (data);
    const auto lastStart = juce::jmin ((size_t) window - 1, size - tagSize);
    for (size_t p = 0; p <= lastStart; ++p)
        if (memcmp (bytes + p, tag, tagSize) == 0)
            return (int) p;

    return -1;
}

juce::MemoryBlock ArrangementFiles::makeArrangementChunk (const void* record, size_t size)
{
    juce::MemoryBlock chunk ((size_t) arrangementChunkSize, true);
    putText (chunk, 0, arrangementTag);
    putText (chunk, arrangementTagSize, versionTag);
    if (record != nullptr)
        chunk.copyFrom (record, arrangementHeaderSize, juce::jmin (size, (size_t) ArrangementBank::recordSize));
    return chunk;
}

juce::MemoryBlock ArrangementFiles::makeBankChunk (const ArrangementBank& bank)
{
    juce::MemoryBlock chunk ((size_t) bankChunkSize, true);
    putText (chunk, 0, bankTag);
    putText (chunk, bankTagSize, versionTag);
    // A block enlarged by a long host chunk keeps its extra bytes in the bank, but only
    // the first 64 records belong to a bank chunk.
    const auto block = bank.getBlock();
    chunk.copyFrom (block.getData(), bankHeaderSize, juce::jmin (block.getSize(), (size_t) ArrangementBank::blockSize));
    return chunk;
}

juce::MemoryBlock ArrangementFiles::makePresetTemplate()
{
    const ArrangementBank defaults;
    juce::MemoryBlock file ((size_t) presetFileSize, true);
    putHeader (file, presetKind, numParameters);
    putPresetName (file, defaults.getNameHead (defaultTemplateSlot));
    put32 (file, presetChunkSizeOffset, (juce::uint32) arrangementChunkSize);
    const auto record = defaults.getRecord (defaultTemplateSlot);
    const auto chunk = makeArrangementChunk (record.getData(), record.getSize());
    file.copyFrom (chunk.getData(), presetChunkOffset, chunk.getSize());
    return file;
}

juce::MemoryBlock ArrangementFiles::makeBankTemplate()
{
    const ArrangementBank defaults;
    juce::MemoryBlock file ((size_t) bankFileSize, true); // reserved bytes 28..155 stay zero
    putHeader (file, bankKind, ArrangementBank::numSlots);
    put32 (file, bankChunkSizeOffset, (juce::uint32) bankChunkSize);
    const auto chunk = makeBankChunk (defaults);
    file.copyFrom (chunk.getData(), bankChunkOffset, chunk.getSize());
    return file;
}

juce::MemoryBlock ArrangementFiles::makePresetFile (const ArrangementBank& bank, int slot)
{
    if (! juce::isPositiveAndBelow (slot, ArrangementBank::numSlots))
        return {};

    auto file = makePresetTemplate();
    juce::MemoryBlock nameField ((size_t) presetNameFieldSize, true);
    file.copyFrom (nameField.getData(), presetNameOffset, nameField.getSize());
    putPresetName (file, bank.getNameHead (slot));

    const auto record = bank.getRecord (slot);
    file.copyFrom (record.getData(), presetChunkOffset + arrangementHeaderSize, record.getSize());
    return file;
}

juce::MemoryBlock ArrangementFiles::makeBankFile (const ArrangementBank& bank)
{
    auto file = makeBankTemplate();
    const auto chunk = makeBankChunk (bank);
    file.copyFrom (static_cast<const char*> (chunk.getData()) + bankHeaderSize, bankChunkOffset + bankHeaderSize, (size_t) ArrangementBank::blockSize);
    return file;
}

bool ArrangementFiles::isVstProgramFile (const void* data, size_t size)
{
    auto* bytes = static_cast<const char*> (data);
    return bytes != nullptr && size >= (size_t) presetChunkOffset && memcmp (bytes + magicOffset, containerMagic, 4) == 0
        && memcmp (bytes + kindOffset, presetKind, 4) == 0;
}

juce::MemoryBlock ArrangementFiles::readBankRecords (const void* data, size_t size)
{
    const int tag = findTag (bankTag, data, size, bankTagWindow);
    if (tag < 0 || size - (size_t) tag < (size_t) bankChunkSize)
        return {};
    return { static_cast<const juce::uint8*> (data) + tag + bankHeaderSize, (size_t) ArrangementBank::blockSize };
}

juce::MemoryBlock ArrangementFiles::readPresetRecord (const void* data, size_t size)
{
    if (size < (size_t) shortestPresetFile)
        return {};

    // A VST program file carries its program name before the chunk, and a name may
    // spell the tag: in such a file the search starts at the chunk's place, so that a
    // slot named after the tag still comes back whole.
    auto* bytes = static_cast<const juce::uint8*> (data);
    const int from = isVstProgramFile (data, size) ? presetChunkOffset : 0;
    const int found = findTag (arrangementTag, bytes + from, size - (size_t) from, arrangementTagWindow - from);
    const int tag = found < 0 ? -1 : from + found;
    if (tag < 0 || size - (size_t) tag < (size_t) arrangementChunkSize)
        return {};
    return { static_cast<const juce::uint8*> (data) + tag + arrangementHeaderSize, (size_t) ArrangementBank::recordSize };
}

bool ArrangementFiles::loadBankFile (const juce::File& file, ArrangementBank& bank)
{
    const auto data = readStart (file, bankFileReadLimit);
    const auto records = readBankRecords (data.getData(), data.getSize());
    if (records.isEmpty())
        return false;
    bank.overwriteBlock (records.getData(), records.getSize());
    return true;
}

bool ArrangementFiles::saveBankFile (const juce::File& file, const ArrangementBank& bank)
{
    return SafeFileWriter::write (file, makeBankFile (bank));
}

bool ArrangementFiles::loadPresetFile (const juce::File& file, ArrangementBank& bank, int slot)
{
    if (! juce::isPositiveAndBelow (slot, ArrangementBank::numSlots))
        return false;
    const auto data = readStart (file, presetFileReadLimit);
    const auto record = readPresetRecord (data.getData(), data.getSize());
    if (record.isEmpty())
        return false;
    bank.putRecord (slot, record.getData(), record.getSize());
    return true;
}

bool ArrangementFiles::savePresetFile (const juce::File& file, const ArrangementBank& bank, int slot)
{
    const auto bytes = makePresetFile (bank, slot);
    if (bytes.isEmpty())
        return false;
    return SafeFileWriter::write (file, bytes);
}

} // namespace zd8

#pragma once

#include "arrangements/ArrangementBank.h"

#include <juce_core/juce_core.h>

namespace zd8
{

/** The byte forms in which Arrangements leave the plug-in, and the files that hold them.

    Arrangement chunk (327 bytes): "ZD8PluginSettings", "Version100", one 300-byte record.
    Bank chunk (19225 bytes): "ZD8_Plugin_Bank", "Version100", the 64 records, slot 0 first.
    A .zd8arr file is one Arrangement chunk, a .zd8arrbank file one bank chunk.

    VST program file (.fxp, 387 bytes) and bank file (.fxb, 19385 bytes): the "CcnK"
    container with an opaque chunk; its numbers are big-endian 32-bit. The headers are
    fixed; only the program name (.fxp) and the chunk change.

    The byte functions are pure (no I/O); the file functions wrap them. Readers take a
    chunk wherever its tag lies near the start of the data (so a VST file and a bare
    chunk are both accepted), never read past the data, and refuse data too short to
    hold the whole chunk after its tag: then nothing changes. Writers replace the file
    whole through a temporary file and a rename. No version text is ever compared. */
class ArrangementFiles
{
public:
    // Chunk tags: one byte per character, no terminator.
    static constexpr const char* bankTag = "ZD8_Plugin_Bank";
    static constexpr const char* arrangementTag = "ZD8PluginSettings";
    static constexpr const char* versionTag = "Version100";
    static constexpr int bankTagSize = 15;
    static constexpr int arrangementTagSize = 17;
    static constexpr int versionTagSize = 10;
    static constexpr int bankHeaderSize = bankTagSize + versionTagSize;               // 25
    static constexpr int arrangementHeaderSize = arrangementTagSize + versionTagSize; // 27
    static constexpr int bankChunkSize = bankHeaderSize + ArrangementBank::blockSize;                // 19225
    static constexpr int arrangementChunkSize = arrangementHeaderSize + ArrangementBank::recordSize; // 327

    // How far into a file the readers look for a tag (first positions searched).
    static constexpr int bankTagWindow = 200;
    static constexpr int arrangementTagWindow = 300;
    // A preset file shorter than this is not looked at.
    static constexpr int shortestPresetFile = 300;

    // VST container.
    static constexpr int vstFormatVersion = 1;
    static constexpr int pluginVersion = 100;
    static constexpr int presetFileSize = 387;
    static constexpr int bankFileSize = 19385;
    static constexpr int presetNameOffset = 28;
    static constexpr int presetNameFieldSize = 28;
    static constexpr int presetNameLength = 23; // then zero bytes to the end of the field
    static constexpr int presetChunkSizeOffset = 56;
    static constexpr int presetChunkOffset = 60;
    static constexpr int bankReservedOffset = 28;
    static constexpr int bankReservedSize = 128;
    static constexpr int bankChunkSizeOffset = 156;
    static constexpr int bankChunkOffset = 160;

    /** The first position p in 0..window-1 at which the whole tag (one byte per
        character) lies inside the data, or -1. */
    static int findTag (const char* tag, const void* data, size_t size, int window);

    /** Tag, version and the record (300 bytes; a shorter record is zero-filled, a
        longer one cut). */
    static juce::MemoryBlock makeArrangementChunk (const void* record, size_t size);
    /** Tag, version and the first 64 records of the bank. */
    static juce::MemoryBlock makeBankChunk (const ArrangementBank& bank);

    /** The fixed VST templates: header as tabled, program name "EDM" and the default
        bank's records. */
    static juce::MemoryBlock makePresetTemplate();
    static juce::MemoryBlock makeBankTemplate();

    /** .fxp of one slot: the first 23 bytes of its name, five zero bytes, its stored
        record. Empty for a slot outside 0..63. */
    static juce::MemoryBlock makePresetFile (const ArrangementBank& bank, int slot);
    /** .fxb of the bank's first 64 records. */
    static juce::MemoryBlock makeBankFile (const ArrangementBank& bank);

    /** The 19200 record bytes of the bank chunk whose tag lies within the first 200
        bytes (a .fxb or a bare .zd8arrbank); empty when there is no tag or the data
        ends before the chunk does. */
    static juce::MemoryBlock readBankRecords (const void* data, size_t size);
    /** The 300-byte record of the Arrangement chunk whose tag lies within the first 300
        bytes of data of at least 300 bytes (a .fxp or a bare .zd8arr); empty when the
        data is shorter, has no tag or ends before the chunk does. In a VST program file
        ("CcnK" ... "FPCh") the search begins at the chunk (offset 60), past the program
        name, which may itself spell the tag. */
    static juce::MemoryBlock readPresetRecord (const void* data, size_t size);

    /** "CcnK" at 0 and "FPCh" at 8, with room for the header and name. */
    static bool isVstProgramFile (const void* data, size_t size);

    /** Copies the bank chunk of a .fxb or .zd8arrbank over the start of the bank's
        record block. False, and the bank unchanged, for a missing or unusable file. */
    static bool loadBankFile (const juce::File& file, ArrangementBank& bank);
    static bool saveBankFile (const juce::File& file, const ArrangementBank& bank);

    /** Puts the record of a .fxp or .zd8arr into one slot; nothing else changes. False,
        and the bank unchanged, for a missing or unusable file or a slot outside 0..63. */
    static bool loadPresetFile (const juce::File& file, ArrangementBank& bank, int slot);
    /** Writes the slot's stored record (not the live Arrangement) as a .fxp. False, and
        nothing written, for a slot outside 0..63. */
    static bool savePresetFile (const juce::File& file, const ArrangementBank& bank, int slot);
};

} // namespace zd8

#pragma once

#include "model/ObjectStore.h"

#include <juce_core/juce_core.h>

namespace zd8
{

/** The program, multi and FX chain banks: our own built-in banks (generated at build
    time by zd8-bankgen and embedded in the plug-in) and the data files that keep what
    the instrument sent between uses.

    Every bank and data file is one block in the tagged bank layout. Loading prefers
    the data file when it exists, is not empty and is a whole bank (isWholeBank); a file
    that is not (cut short, another kind's bank, garbage) is set aside under a name that
    says so and the built-in bank is used, so that one damaged write does not hide the
    factory sounds at every start. Saving writes the store's whole block back.

    Any thread: hosts construct and destroy instances (and so load and save) on
    several; the shared images are guarded by their cache. */
class BuiltInBanks
{
public:
    static constexpr const char* folderName = "Vantor ZD8";
    static constexpr const char* programFileName = "B_ProgramData.dat";
    static constexpr const char* multiFileName = "B_SetupData.dat";
    static constexpr const char* fxChainFileName = "B_FX_Chain_Data.dat";

    // Highest ID each bank is indexed with.
    static constexpr int programHighestId = 8191;
    static constexpr int multiHighestId = 8191;
    static constexpr int fxChainHighestId = 8192;

    /** "Vantor ZD8" in the user's application data folder (where the port file lives). */
    static juce::File dataFolder();

    /** The data file of a bank type (138, 155 or 156) in folder; File() for other types. */
    static juce::File dataFile (int typeCode, const juce::File& folder);

    /** Highest ID of a bank type; 0 for other types. */
    static int highestId (int typeCode) noexcept;

    /** A copy of the built-in bank of a type; empty for other types. */
    static juce::MemoryBlock builtInBank (int typeCode);

    /** Fills store with the bank of typeCode (138, 155 or 156): the data file in folder
        when it exists, is not empty and is a whole bank; else the built-in bank. Either
        comes as an image the stores of the process share (BankImageCache) until the
        store changes. A file that is not a whole bank is set aside (setAside) first, and
        setAsideAs, when given, receives its new place (File() when nothing was set
        aside; the file itself when it could not be moved). Other types leave the store
        as it is. true when the store holds the file's bytes, false when it holds the
        built-in bank or was left alone. */
    static bool loadBank (ObjectStore& store, int typeCode, const juce::File& folder, juce::File* setAsideAs = nullptr);

    /** The same with another built-in bank (fixtures in tests), copied into the store. */
    static bool loadBank (ObjectStore& store, int typeCode, const juce::File& folder, const juce::MemoryBlock& builtIn,
                          juce::File* setAsideAs = nullptr);

    /** Whether bytes are one whole bank of typeCode as a store writes it: the bank open
        tag, the slots of IDs 1, 2, 3 ... in order, each with its record open tag, inner
        tags and record close tag, at least one slot, and the bank close tag as the last
        bytes. Such a block indexes with every slot's record where the store wrote it. */
    static bool isWholeBank (int typeCode, const juce::MemoryBlock& bytes);

    /** Renames a damaged data file to "<file name>.damaged-<yyyy-mm-dd>" beside it (with
        "-2", "-3" ... added when that name is taken: an earlier file set aside is
        kept). Never deletes anything. The new file, or File() when the rename failed. */
    static juce::File setAside (const juce::File& file);

    /** The whole file in one read into a block of its size; empty when the file is
        missing, cannot be read or is empty. */
    static juce::MemoryBlock readDataFile (const juce::File& file);

    /** Writes store's whole block to the data file of its type in folder, through a
        temporary file that then replaces the old one; the block becomes the file's
        shared image (the store copies it before its next change). false, writing
        nothing, for a store of another type or when the write fails. */
    static bool saveBank (const ObjectStore& store, const juce::File& folder);
};

} // namespace zd8

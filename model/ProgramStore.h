#pragma once

#include "model/ObjectStore.h"

namespace zd8
{

/** The program store: every program the plug-in knows, as an ObjectStore of type 138,
    and the layout of a program record.

    Program record content (offsets from the first byte, big-endian numbers):
      0..19   name, blank-padded          20..22  "ZD7"
      25..157 common block (sent as one piece): 30 main category, 31 sub-category,
              60 layer count N, 61 layer switches (bits 0..4), 80 level (signed),
              83 pan, 108 insert switches (bit 0 insert out), 109..110 insert FX chain,
              111 Aux 1 level (bits 0..6) and out (bit 7), 112 the same for Aux 2,
              121..122 Aux 1 FX chain, 133..134 Aux 2 FX chain, 157 mode (0x78 TW7)
      250     N layers of 318 bytes
      V       virtual parameter name list (L1 bytes, ParameterNameList layout)
      V + L1  virtual parameter assignment list (4 + 4 x M bytes)
    V, the end of the layer area, is 250 + 318 x N, except that a 32-layer program's
    area ends one byte earlier, at 10425.

    The static functions read a record's content in memory and never read outside it. */
class ProgramStore : public ObjectStore
{
public:
    static constexpr int markerOffset = 20;
    static constexpr int markerLength = 3;
    static constexpr int commonBlockOffset = 25;
    static constexpr int commonBlockSize = 133;
    static constexpr int mainCategoryOffset = 30;
    static constexpr int subCategoryOffset = 31;
    static constexpr int layerCountOffset = 60;
    static constexpr int layerSwitchesOffset = 61;
    static constexpr int levelOffset = 80;
    static constexpr int panOffset = 83;
    static constexpr int insertSwitchesOffset = 108;
    static constexpr int insertChainOffset = 109;
    static constexpr int aux1LevelOffset = 111;
    static constexpr int aux2LevelOffset = 112;
    static constexpr int aux1ChainOffset = 121;
    static constexpr int aux2ChainOffset = 133;
    static constexpr int modeOffset = 157;
    static constexpr int modeTw7 = 0x78;
    static constexpr int layerAreaOffset = 250;
    static constexpr int layerSize = 318;
    static constexpr int maxLayers = 32;
    /** Where a 32-layer program's layer area ends. */
    static constexpr int fullLayerAreaEnd = 10425;

    ProgramStore() : ObjectStore (typeProgram) {}

    // By program ID. A program that is not present gives the empty result.

    /** Name bytes 0..19, bytes that are <= 0 as signed bytes skipped. */
    juce::String programName (int id) const;
    /** "TW7" when byte 157 is 0x78, else "LAYRA". */
    juce::String modeText (int id) const;
    /** Bytes 25..157; bytes beyond a short record read as 0. */
    juce::MemoryBlock commonBlock (int id) const;
    /** Bytes 25..157 followed by the 20 name bytes (153 bytes). */
    juce::MemoryBlock commonBlockForSending (int id) const;
    /** The L1 bytes of the name list at V (cut at the end of a short record). */
    juce::MemoryBlock nameListForSending (int id) const;
    /** The 4 + 4 x M bytes of the assignment list at V + L1 (cut at the end of a short
        record). */
    juce::MemoryBlock assignmentListForSending (int id) const;
    /** V of the program, or -1 when it is not present. */
    int layerAreaEnd (int id) const;

    // Record content in memory.

    static int contentByte (const juce::MemoryBlock& content, int position) noexcept;
    static int contentBigEndian16 (const juce::MemoryBlock& content, int position) noexcept;
    static juce::String nameOf (const juce::MemoryBlock& content);
    static juce::String modeTextOf (const juce::MemoryBlock& content);
    static juce::MemoryBlock commonBlockOf (const juce::MemoryBlock& content);
    static size_t layerAreaEndOf (const juce::MemoryBlock& content) noexcept;
    /** L1, measured with the low bytes of the counts (may run past a short record). */
    static size_t nameListLengthOf (const juce::MemoryBlock& content) noexcept;
    static juce::MemoryBlock nameListOf (const juce::MemoryBlock& content);
    /** 4 + 4 x M with M the count at V + L1 + 2 (may run past a short record). */
    static size_t assignmentListLengthOf (const juce::MemoryBlock& content) noexcept;
    static juce::MemoryBlock assignmentListOf (const juce::MemoryBlock& content);

private:
    juce::MemoryBlock content (int id) const;
};

} // namespace zd8

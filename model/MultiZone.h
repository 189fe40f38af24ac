#pragma once

#include "model/MultiZoneWalk.h"

#include <juce_core/juce_core.h>

namespace zd8
{

/** One zone of the multi being edited: its bytes, their layout, and where its parts
    lie (found by walking the zone inside its own bytes when it is set).

    A zone shorter than 1000 bytes is kept but not decoded: its list, section and
    tail fields read as 0, its header fields still read. Every read outside the bytes
    gives 0. A plain value: the edit object copies it in and out under its lock. */
class MultiZone
{
public:
    // Multi parameter types answered by a zone.
    static constexpr int typeListA1 = 7;
    static constexpr int typeListA2 = 37;
    static constexpr int typeListA3 = 70;
    static constexpr int typeListA4 = 441;
    static constexpr int typeTail = 35;
    static constexpr int typeListB1 = 39;
    static constexpr int typeListB2 = 41;
    static constexpr int typeListB3 = 111;
    static constexpr int typeHeader = 43;
    static constexpr int typeSection = 470;

    // Tempo parameter (type 4, read from zone 0's section S).
    static constexpr int typeTempo = 4;
    static constexpr int tempoBeats = 100;
    static constexpr int tempoSlow = 101;
    static constexpr int tempoHundredths = 102;
    static constexpr int slowTempo = 20;        // BPM below this show as 19
    static constexpr int defaultTailTempo = 120;

    // Header numbers that read the tail.
    static constexpr int numberTailByte11 = 26;
    static constexpr int numberTailByte15 = 28;
    static constexpr int numberProgram = 93;
    static constexpr int numberTailByte2 = 95;

    static bool isZoneType (int type) noexcept;

    MultiZone() = default;

    /** The zone's bytes in the given layout. They are walked (when at least 1000 bytes
        long) and, when reorder is true, the tail's first entry moves behind the next
        two as the walk asks. Pass false for bytes already reordered. */
    void setData (const juce::MemoryBlock& bytes, int layout, bool reorder = true);
    void clear();

    const juce::MemoryBlock& getData() const noexcept { return data; }
    int getLayout() const noexcept { return layout; }
    bool isDecoded() const noexcept { return decoded; }
    bool wasReordered() const noexcept { return reordered; }
    const MultiZoneWalk::ZoneParts& getParts() const noexcept { return parts; }

    /** A zone parameter (types above); 0 for other types, numbers and missing entries. */
    int parameter (int type, int number) const noexcept;

    /** Type 4: number 100 gives BPM (19 below 20), 101 gives 1 below 20 BPM, 102 the
        hundredths; from the section S tempo. */
    int tempoParameter (int number) const noexcept;

    /** Section S tempo in hundredths of a BPM, 0 when not decoded. */
    int tempo() const noexcept;

    /** Writes one byte of the zone (a local edit); false when outside the bytes. */
    bool setByte (int position, int value);
    /** Writes the program number at the tail (16-bit, big-endian); false when the zone
        is not decoded or the field lies outside. */
    bool setProgram (int program);

private:
    MultiBytes bytes() const noexcept { return { data.getData(), data.getSize() }; }
    int headerField (int number) const noexcept;
    int tailField (int number) const noexcept;
    int listAField (int number) const noexcept;
    int listBField (int number) const noexcept;
    int sectionField (int number) const noexcept;

    juce::MemoryBlock data;
    int layout = MultiZoneWalk::storeLayout;
    bool decoded = false;
    bool reordered = false;
    MultiZoneWalk::ZoneParts parts;
};

} // namespace zd8

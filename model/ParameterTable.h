#pragma once

#include <juce_core/juce_core.h>

#include <atomic>
#include <memory>
#include <mutex>
#include <vector>

namespace zd8
{

/** The 2314 parameter slots, as parallel columns. Slot c * 16 + k is program row k of
    channel c; slot 256 + c * 128 + n is MIDI controller n of channel c; 2304..2313 are
    the global slots. Only the value and label columns change after construction.

    Values are written whole from the host's, the MIDI input and the message threads
    (atomics); labels are texts and change under a brief lock. */
class ParameterTable
{
public:
    static constexpr int numSlots = 2314;
    static constexpr int rowsPerChannel = 16;
    static constexpr int firstControllerSlot = 256;
    static constexpr int controllersPerChannel = 128;
    static constexpr int firstGlobalSlot = 2304;

    // Global slots.
    static constexpr int multiSlot = 2304;
    static constexpr int playingModeSlot = 2305;
    static constexpr int aux1OverrideChainSlot = 2306;
    static constexpr int aux1OverrideOnSlot = 2307;
    static constexpr int aux1OverrideModSlot = 2308;
    static constexpr int aux2OverrideChainSlot = 2309;
    static constexpr int aux2OverrideOnSlot = 2310;
    static constexpr int aux2OverrideModSlot = 2311;
    static constexpr int multiBankSlot = 2312;
    static constexpr int multiProgramSlot = 2313;

    // Program rows of a channel.
    static constexpr int insertChainRow = 0;
    static constexpr int aux1ChainRow = 3;
    static constexpr int aux2ChainRow = 6;
    static constexpr int panRow = 9;
    static constexpr int levelRow = 10;
    static constexpr int programRow = 11;
    static constexpr int programBankRow = 14;
    static constexpr int programNumberRow = 15;

    // How a write is sent.
    enum Kind
    {
        kindNone = 0,
        kindAddressed = 1,
        kindProgram = 2,
        kindMulti = 3,
        kindPlayingMode = 5,
        kindInsertChain = 12,
        kindAux1Chain = 13,
        kindAux2Chain = 14,
        kindController = 18,
        kindProgramBank = 20,
        kindProgramNumber = 21,
        kindMultiBank = 22,
        kindMultiProgram = 23
    };

    // Display kinds: how a slot is labelled.
    static constexpr int displayProgramRow = 15;
    static constexpr int displayController = 17;
    static constexpr int displayGlobal = 19;

    ParameterTable();

    /** Every column back to its initial values. */
    void resetToDefaults();

    static bool isValid (int slot) noexcept { return slot >= 0 && slot < numSlots; }
    static int programSlot (int channel, int row) noexcept { return channel * rowsPerChannel + row; }
    static int controllerSlot (int channel, int controller) noexcept
    {
        return firstControllerSlot + channel * controllersPerChannel + controller;
    }

    // Columns; a slot outside 0..2313 reads as 0 (empty label code).
    int subIndex (int slot) const noexcept;
    int kind (int slot) const noexcept;
    int controller (int slot) const noexcept;
    int displayKind (int slot) const noexcept;
    int channel (int slot) const noexcept;
    int minimum (int slot) const noexcept;
    int maximum (int slot) const noexcept;
    int value (int slot) const noexcept;
    int descriptionCode (int slot) const noexcept;
    juce::String labelCode (int slot) const;

    /** Stores a value (no range check: the callers clamp where the host is involved). */
    void setValue (int slot, int newValue) noexcept;

    /** The nearest value the slot can hold. That is its declared range, except where a
        slot holds more than the host's range covers: the multi (bank * 128 + program,
        up to 8191) and the bank halves of program and multi numbers (up to 63); and a
        playing mode other than multi mode is program mode. */
    int holdable (int slot, int value) const noexcept;

    /** Counts the stored values that changed, whoever changed them: equal counts mean
        nothing in the table changed in between. */
    juce::uint32 getChangeCount() const noexcept { return changeCount.load(); }
    void setLabelCode (int slot, const juce::String& code);

    /** The value scaled to 0..1 as the host sees it. */
    float normalised (int slot) const noexcept;
    /** A host value 0..1 scaled to the slot's range, rounded to nearest (ties to even). */
    int fromNormalised (int slot, float x) const noexcept;

private:
    struct Row
    {
        int subIndex, kind, controller, displayKind, channel, min, max, initial, descriptionCode;
    };

    /** The columns no instance changes, and the label codes every table starts with:
        made once per process (on first use, under the static's own guard), read-only
        after, so the instances of a process share them. */
    struct FixedColumns
    {
        std::vector<Row> rows;
        juce::StringArray labels;
    };
    static const FixedColumns& fixedColumns();

    const std::vector<Row>& rows;
    std::unique_ptr<std::atomic<int>[]> values;
    std::atomic<juce::uint32> changeCount { 0 };
    mutable std::mutex labelLock;
    juce::StringArray labels;

    JUCE_DECLARE_NON_COPYABLE (ParameterTable)
};

} // namespace zd8

#pragma once

#include "model/FxChainStore.h"
#include "model/MasterObject.h"
#include "model/MultiEditBuffer.h"
#include "model/ProgramStore.h"
#include "model/ProgramEditBuffers.h"
#include "model/MultiStore.h"
#include "model/ObjectNameSource.h"
#include "model/ValueFormatter.h"

#include <array>
#include <atomic>
#include <memory>

namespace zd8
{

/** The instrument image: the plug-in's in-memory mirror of the instrument's objects.
    One store per object kind, sixteen program edit buffers (one per MIDI channel), the
    multi edit object, the master object, the transfer engine and the value texts.

    Threads: the stores change on the message thread (start, received objects) and are
    read from the message thread, the host's threads (value texts naming objects) and
    the MIDI input thread (a program change from the instrument selects a program).
    Readers hold getStoreLock() for reading, writers for writing. The edit buffers, the
    multi edit object and the master object guard their own data. */
class InstrumentImage : public juce::ChangeBroadcaster, public ObjectNameSource
{
public:
    static constexpr int numChannels = 16;

    InstrumentImage();
    ~InstrumentImage() override;

    /** Fills the program, multi and FX chain stores from their data files in folder,
        or from the built-in banks; then loads multi 1 into the multi edit object. The
        stores share the process's read-only images of those (BankImageCache) until
        they first change: another instance opened in the process costs neither the
        reading and indexing nor the memory of the banks again.
        Returns the damaged data files it set aside, under their new names. */
    juce::Array<juce::File> loadBanks (const juce::File& folder);
    /** Writes the program, multi and FX chain stores to their data files in folder.
        A store that still holds exactly what loadBanks read from its file in the same
        folder is skipped while that file exists; a store that started from the
        built-in bank is always written, so that the files appear. A store is written
        whole: of two instances that changed the same store, the one that closes last
        writes what it holds, and the other's changes to that store are lost. */
    void saveBanks (const juce::File& folder) const;

    /** The store of an object type code, nullptr for a type without one. */
    ObjectStore* storeFor (int typeCode) noexcept;
    const ObjectStore* storeFor (int typeCode) const noexcept;

    // ObjectNameSource: the name of an object, for value texts. Any thread.
    juce::String objectName (int typeCode, int id) const override;

    juce::ReadWriteLock& getStoreLock() const noexcept { return storeLock; }

    ProgramEditBuffers* getEditBuffer (int channel) noexcept;
    ProgramStore& getPrograms() noexcept { return programs; }
    const ProgramStore& getPrograms() const noexcept { return programs; }
    MultiStore& getMultis() noexcept { return multis; }
    MultiEditBuffer& getMultiEdit() noexcept { return multiEdit; }
    FxChainStore& getFxChains() noexcept { return fxChains; }
    const FxChainStore& getFxChains() const noexcept { return fxChains; }
    MasterObject& getMaster() noexcept { return master; }
    const ValueFormatter& getValueFormatter() const noexcept { return valueFormatter; }

    int getSelectedMulti() const noexcept { return selectedMulti.load(); }
    void setSelectedMulti (int id) noexcept { selectedMulti = id; }

    // Instrument messages for the edit objects (MIDI input thread).
    void programEditBlock (int part, int blockIndex, const juce::MemoryBlock& data);
    void programMarked (int part, char mark);
    void programDataReplaced (int part, const juce::MemoryBlock& data);
    void multiHeader (const juce::MemoryBlock& header, const juce::MemoryBlock& data);
    void multiBlock1 (const juce::MemoryBlock& data);
    void multiBlock2 (int blockIndex, const juce::MemoryBlock& data);

    /** Last mark ('#', '!', '$') the instrument set on channel part's program, 0 none. */
    char getProgramMark (int part) const;
    int getProgramMessageCount() const noexcept { return programMessages.load(); }
    int getMultiMessageCount() const noexcept { return multiMessages.load(); }

private:
    std::array<std::unique_ptr<ProgramEditBuffers>, numChannels> editBuffers;
    ProgramStore programs;
    std::atomic<int> selectedMulti { 1 };
    MultiStore multis;
    MultiEditBuffer multiEdit;
    FxChainStore fxChains;
    MasterObject master;
    // The objects the plug-in lists but does not edit. None has a built-in bank or a
    // data file: each store starts with empty tagged slots for IDs 1..8192 (short tag
    // form), so that an object received from the instrument is kept, named and listed
    // until the plug-in closes. Record content: 20-byte name + object data, except for
    // algorithms, whose data comes without a name (their first 20 bytes name them all
    // the same).
    static constexpr std::array<int, 8> listedOnlyTypes {
        ObjectStore::typeKeymap,       ObjectStore::typeArpeggiator,     ObjectStore::typeIntonationTable,
        ObjectStore::typeShiftPattern, ObjectStore::typeVelocityPattern, ObjectStore::typeAlgorithm,
        ObjectStore::typeSample,       ObjectStore::typeSong
    };
    std::array<ObjectStore, listedOnlyTypes.size()> listedOnlyStores;
    ValueFormatter valueFormatter { this };

    mutable juce::ReadWriteLock storeLock;
    // Per bank (programs, multis, FX chains): the store's edit count when it last
    // matched its data file in bankFolder (read from it or written to it), 0 when it
    // never did. Message thread (load and save).
    mutable std::array<std::uint64_t, 3> fileEditCounts {};
    juce::File bankFolder;
    std::array<std::atomic<char>, numChannels> programMarks {};
    std::atomic<int> programMessages { 0 };
    std::atomic<int> multiMessages { 0 };

    JUCE_DECLARE_NON_COPYABLE (InstrumentImage)
};

} // namespace zd8

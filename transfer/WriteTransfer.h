#pragma once

#include "link/OneShotTimer.h"
#include "transfer/ReceiveTransfer.h"

#include <juce_events/juce_events.h>

#include <functional>
#include <memory>

namespace zd8
{

class TransferContext;
class ObjectStore;

/** The write dialog's controller: stores a program or a multi on the instrument under
    a destination ID and reads it back into the plug-in's store.

    WRITE sends, for a program, either the name message alone (name change only) or
    the three program data messages (block types 4, 5, 0: name list, assignment list,
    common block with name) of the source program's store entry to the channel slot's
    part followed by the name message that files it under the destination ID; for a
    multi, the multi name message. 200 ms later the progress dialog (getReadBack())
    reads the destination back (operation 787) and its object replaces the one in the
    store. The category menus send their choice at once as a controller-addressed
    change on the program's channel.

    Message thread only. */
class WriteTransfer : public juce::ChangeBroadcaster
{
public:
    static constexpr int readBackDelayMs = 200;
    static constexpr int nameLength = 16;
    static constexpr int menuSize = 20;   // entries of each category menu
    static constexpr int firstUserId = 4096;
    static constexpr int lastUserId = 8191;

    // Program data messages of a write: block type and mode, in sending order.
    static constexpr int nameListBlock = 4, nameListMode = 3;
    static constexpr int assignmentBlock = 5, assignmentMode = 3;
    static constexpr int commonBlock = 0, commonMode = 1;

    // Controller-addressed category change: A1 = 1, A2..A4 = 0, A5 = 0 main / 1 sub.
    static constexpr int categoryAddressA1 = 1;
    static constexpr int mainCategorySelector = 0;
    static constexpr int subCategorySelector = 1;

    /** typeCode 138 (program) or 155 (multi); channel is the edited program's channel
        slot 0..15; sourceId the store entry that is written. The destination starts at
        the first empty user slot, the name at the source's first 16 characters. */
    WriteTransfer (TransferContext& engine, int typeCode, int channel, int sourceId);
    ~WriteTransfer() override;

    int getTypeCode() const noexcept { return typeCode; }
    int getChannel() const noexcept { return channel; }
    int getSourceId() const noexcept { return sourceId; }

    int getDestination() const noexcept { return destination; }
    /** The ID selector; 0..16383 (0 writes nothing). */
    void setDestination (int id) noexcept;

    /** Always 16 characters, blank-padded. */
    juce::String getName() const { return name; }
    /** RENAME's result: cut to 16 characters, padded with blanks to 16. */
    void rename (const juce::String& newName);

    /** Program only: send the name message alone (the data was not edited; the write
        dialog offers it while differsOnlyByName() holds). */
    void setNameChangeOnly (bool only) noexcept { nameChangeOnly = only; }
    bool isNameChangeOnly() const noexcept { return nameChangeOnly; }

    /** true when a program is written, the destination's record is present, and both
        the source's record and the channel's edit buffer equal it past their 20-byte
        names: the instrument already holds this program under the destination, and the
        name message alone gives it the new name. Takes the image's store lock for
        reading (the caller must not hold it for writing). */
    bool differsOnlyByName() const;

    /** WRITE. */
    void write();

    /** The category menus: 20 main categories, or the 20 sub-categories of the current
        main category (texts as the category tables give them). */
    static juce::StringArray mainCategoryMenu();
    juce::StringArray subCategoryMenu() const;
    int getMainCategory() const noexcept { return mainCategory; }
    /** A menu choice (0-based): sent at once; the main choice becomes the current main
        category. Choices outside the menu send nothing. */
    void chooseMainCategory (int choice);
    void chooseSubCategory (int choice);

    /** CANCEL: stops a pending read-back (a running one ends at once) and calls onClose. */
    void cancel();
    std::function<void()> onClose;

    /** The read-back's progress dialog, once WRITE's 200 ms have passed; else null. */
    ReceiveTransfer* getReadBack() noexcept { return readBack.get(); }

    /** The first ID 4096..8191 whose record holds at most its name, or 4096. The
        caller holds the image's store lock for reading. */
    static int defaultDestination (const ObjectStore& store);

private:
    void startReadBack();
    void sendCategory (int selector, int choice);

    TransferContext& engine;
    const int typeCode;
    const int channel;
    const int sourceId;
    int destination = firstUserId;
    juce::String name;
    bool nameChangeOnly = false;
    int mainCategory = 0;

    std::unique_ptr<OneShotTimer> readBackTimer;
    std::unique_ptr<ReceiveTransfer> readBack;

    JUCE_DECLARE_NON_COPYABLE (WriteTransfer)
};

} // namespace zd8

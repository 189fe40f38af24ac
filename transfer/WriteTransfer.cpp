#include "transfer/WriteTransfer.h"

#include "link/SysexProtocol.h"
#include "model/Categories.h"
#include "link/InstrumentPorts.h"
#include "model/InstrumentImage.h"
#include "transfer/TransferContext.h"

namespace zd8
{

namespace
{
    juce::String toNameLength (const juce::String& text)
    {
        return text.substring (0, WriteTransfer::nameLength).paddedRight (' ', WriteTransfer::nameLength);
    }
}

//==============================================================================
WriteTransfer::WriteTransfer (TransferContext& h, int type, int channelSlot, int source)
    : engine (h),
      typeCode (type == ObjectStore::typeMulti ? ObjectStore::typeMulti : ObjectStore::typeProgram),
      channel (juce::jlimit (0, 15, channelSlot)),
      sourceId (source),
      readBackTimer (h.getEnvironment().timers.createTimer())
{
    readBackTimer->onTick = [this]
    {
        readBackTimer->stop();
        startReadBack();
    };

    auto& image = engine.getImage();
    const juce::ScopedReadLock sl (image.getStoreLock());

    if (const auto* store = image.storeFor (typeCode))
    {
        destination = defaultDestination (*store);

        juce::String text;
        if (store->isPresent (sourceId))
        {
            const auto bytes = store->readBytes (sourceId, 0, nameLength);
            for (size_t i = 0; i < bytes.getSize(); ++i)
            {
                const auto b = static_cast<const juce::uint8*> (bytes.getData())[i];
                text += (juce::juce_wchar) (b == 0 ? ' ' : b);
            }
        }
        name = toNameLength (text);

        if (typeCode == ObjectStore::typeProgram && store->isPresent (sourceId))
            mainCategory = (juce::int8) store->byteAt (sourceId, store->getCategoryOffset());
    }
    else
    {
        name = toNameLength ({});
    }
}

WriteTransfer::~WriteTransfer()
{
    readBackTimer->stop();
}

int WriteTransfer::defaultDestination (const ObjectStore& store)
{
    for (int id = firstUserId; id <= lastUserId; ++id)
        if (store.recordLength (id) <= ObjectStore::nameLength)
            return id;
    return firstUserId;
}

void WriteTransfer::setDestination (int id) noexcept
{
    destination = juce::jlimit (0, SysexProtocol::max14Bit, id);
}

void WriteTransfer::rename (const juce::String& newName)
{
    name = toNameLength (newName);
    sendChangeMessage();
}

bool WriteTransfer::differsOnlyByName() const
{
    if (typeCode != ObjectStore::typeProgram || destination <= 0)
        return false;

    auto& image = engine.getImage();
    auto* edit = image.getEditBuffer (channel);
    if (edit == nullptr)
        return false;
    // The channel's working copy, where the controls' edits land (its own lock).
    const auto working = edit->getProgramData();

    const juce::ScopedReadLock sl (image.getStoreLock());
    const auto& programs = image.getPrograms();
    if (! programs.isPresent (sourceId) || ! programs.isPresent (destination))
        return false;

    // Both what a full write would send (the source's record) and what the player
    // edited must equal the destination past the 20-byte name.
    const auto stored = programs.readRecord (destination);
    const auto withoutName = [] (const juce::MemoryBlock& record)
    {
        const auto size = record.getSize();
        const auto skip = juce::jmin (size, (size_t) ObjectStore::nameLength);
        return juce::MemoryBlock (static_cast<const char*> (record.getData()) + skip, size - skip);
    };
    const auto target = withoutName (stored);
    return withoutName (programs.readRecord (sourceId)) == target
        && working.getSize() > (size_t) ObjectStore::nameLength
        && withoutName (working) == target;
}

//==============================================================================
void WriteTransfer::write()
{
    auto& ports = engine.getPorts();
    const auto device = ports.getDeviceByte();

    if (typeCode == ObjectStore::typeMulti)
    {
        ports.sendSysEx (SysexProtocol::objectNameMessage (SysexProtocol::cmdMultiData, destination, 0, name, device));
    }
    else
    {
        if (! nameChangeOnly)
        {
            // The three blocks of the source entry go to the part's edit buffer; they
            // carry no object number, so the name message below files them under the
            // destination.
            juce::MemoryBlock names, assignments, common;
            {
                auto& image = engine.getImage();
                const juce::ScopedReadLock sl (image.getStoreLock());
                const auto& programs = image.getPrograms();
                names = programs.nameListForSending (sourceId);
                assignments = programs.assignmentListForSending (sourceId);
                common = programs.commonBlockForSending (sourceId);
            }

            if (! common.isEmpty())
            {
                ports.sendSysEx (SysexProtocol::programDataMessage (channel, nameListBlock, nameListMode, names, device));
                ports.sendSysEx (SysexProtocol::programDataMessage (channel, assignmentBlock, assignmentMode, assignments, device));
                ports.sendSysEx (SysexProtocol::programDataMessage (channel, commonBlock, commonMode, common, device));
            }
        }

        // Empty (and not sent) for destination 0.
        const auto message = SysexProtocol::objectNameMessage (SysexProtocol::cmdProgramData, destination, channel, name, device);
        if (! message.isEmpty())
            ports.sendSysEx (message);
    }

    readBackTimer->start (readBackDelayMs);
}

void WriteTransfer::startReadBack()
{
    if (destination <= 0)
        return;

    if (readBack == nullptr)
        readBack = std::make_unique<ReceiveTransfer> (engine);

    if (readBack->open (typeCode, true))
        readBack->startReadBack (destination);
    sendChangeMessage();
}

void WriteTransfer::cancel()
{
    readBackTimer->stop();
    if (readBack != nullptr)
        readBack->cancel();
    if (auto notify = onClose)
        notify();
}

//==============================================================================
juce::StringArray WriteTransfer::mainCategoryMenu()
{
    juce::StringArray items;
    for (int i = 0; i < menuSize; ++i)
        items.add (Categories::mainCategoryName (i));   // 15..19 show as their numbers
    return items;
}

juce::StringArray WriteTransfer::subCategoryMenu() const
{
    juce::StringArray items;
    for (int i = 0; i < menuSize; ++i)
        items.add (Categories::subCategoryName (mainCategory, i));
    return items;
}

void WriteTransfer::chooseMainCategory (int choice)
{
    if (choice < 0 || choice >= menuSize)
        return;
    mainCategory = choice;
    sendCategory (mainCategorySelector, choice);
}

void WriteTransfer::chooseSubCategory (int choice)
{
    if (choice < 0 || choice >= menuSize)
        return;
    sendCategory (subCategorySelector, choice);
}

void WriteTransfer::sendCategory (int selector, int choice)
{
    const int address[5] = { categoryAddressA1, 0, 0, 0, selector };
    juce::MidiBuffer buffer;
    SysexProtocol::addControllerAddressed (buffer, channel + 1, address, choice);
    engine.getPorts().sendNow (buffer);
}

} // namespace zd8

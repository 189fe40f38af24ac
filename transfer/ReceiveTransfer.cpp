#include "transfer/ReceiveTransfer.h"

#include "transfer/TransferMailbox.h"
#include "link/SysexProtocol.h"
#include "link/InstrumentPorts.h"
#include "model/InstrumentImage.h"
#include "transfer/TransferContext.h"

namespace zd8
{

namespace
{
    // A negative reply that goes on past its code names the object it refuses:
    // type at 8..9 and ID at 10..11 (full-message offsets, least significant group
    // first). The engine's copy has no F0, so each sits one byte earlier.
    constexpr size_t nackTypeIndex = 7;
    constexpr size_t nackIdIndex = 9;
    constexpr size_t nackWithTargetSize = 12;   // up to the ID, then F7

    bool nackTarget (const juce::MemoryBlock& message, int& type, int& id)
    {
        const auto* m = static_cast<const juce::uint8*> (message.getData());
        if (message.getSize() < nackWithTargetSize)
            return false;
        for (size_t i = nackTypeIndex; i < nackIdIndex + 2; ++i)
            if (m[i] >= 0x80)
                return false;
        type = m[nackTypeIndex] + m[nackTypeIndex + 1] * 128;
        id = m[nackIdIndex] + m[nackIdIndex + 1] * 128;
        return true;
    }

    constexpr int highestProgramId = 8191;
    constexpr int highestFxChainId = 8192;
}

//==============================================================================
ReceiveTransfer::ReceiveTransfer (TransferContext& h)
    : engine (h),
      fifo (h.getMailbox()),
      watchdog (h.getEnvironment().timers),
      cancelTimer (h.getEnvironment().timers.createTimer())
{
    watchdog.onResend = [this] { sendOutstanding(); };
    watchdog.onGiveUp = [this] { giveUp(); };
    cancelTimer->onTick = [this]
    {
        cancelTimer->stop();
        dismiss();
    };
    fifo.addChangeListener (this);
}

ReceiveTransfer::~ReceiveTransfer()
{
    fifo.removeChangeListener (this);
    watchdog.stop();
    cancelTimer->stop();

    if (state == State::running || state == State::cancelling)
        fifo.running = false;
    if (state != State::closed && state != State::dismissed)
        setTransferFlag (false);
}

juce::String ReceiveTransfer::labelFor (int type)
{
    switch (type)
    {
        case ObjectStore::typeProgram: return "Programs";
        case ObjectStore::typeMulti: return "Multi";
        case ObjectStore::typeFxChain: return "FX Chains";
        default: return {};
    }
}

int ReceiveTransfer::highestToId (int type) noexcept
{
    return type == ObjectStore::typeFxChain ? highestFxChainId : highestProgramId;
}

//==============================================================================
bool ReceiveTransfer::open (int type, bool forReadBack)
{
    if (labelFor (type).isEmpty() || state == State::dismissed)
        return false;

    watchdog.stop();
    cancelTimer->stop();
    waiting = Waiting::nothing;

    typeCode = type;
    readBack = forReadBack;
    title = "Receive " + labelFor (type);
    from = defaultFromId;
    to = defaultToId;
    fromText = juce::String (from);
    toText = juce::String (to);
    progressLine.clear();
    objectName.clear();
    nameBlock.reset();
    resetBar();

    state = State::open;
    setTransferFlag (true);
    lastHandOver = fifo.getHandOverCount();
    sendChangeMessage();
    return true;
}

void ReceiveTransfer::setFromText (const juce::String& text)
{
    fromText = text;
}

void ReceiveTransfer::setToText (const juce::String& text)
{
    toText = text;
}

void ReceiveTransfer::start()
{
    if (state == State::closed || state == State::cancelling || state == State::dismissed)
        return;

    const int highest = highestToId (typeCode);
    int last = juce::jmin (toText.getIntValue(), highest);
    int first = juce::jmin (fromText.getIntValue(), highest - 1);
    if (first < 1)
        first = 1;
    if (last < first)
        last = first;

    fromText = juce::String (first);
    toText = juce::String (last);
    beginTransfer (TransferMailbox::operationReceiveRange, first, last);
}

void ReceiveTransfer::startReadBack (int id)
{
    if (state == State::closed || state == State::cancelling || state == State::dismissed
        || id < 1 || id > SysexProtocol::max14Bit)
        return;

    fromText = toText = juce::String (id);
    beginTransfer (TransferMailbox::operationReadBack, id, id);
}

void ReceiveTransfer::cancel()
{
    if (state == State::cancelling || state == State::dismissed)
        return;

    watchdog.stop();
    waiting = Waiting::nothing;

    if (readBack)
    {
        dismiss();
        return;
    }

    state = State::cancelling;
    sendChangeMessage();
    cancelTimer->start (cancelDelayMs);
}

void ReceiveTransfer::dismiss()
{
    setTransferFlag (false);
    fifo.running = false;
    state = State::dismissed;
    sendChangeMessage();

    // The owner deletes the dialog; it must do so after this call, not inside it.
    if (auto notify = onDismissed)
        notify();
}

//==============================================================================
void ReceiveTransfer::beginTransfer (int operation, int first, int last)
{
    cancelTimer->stop();
    from = first;
    to = last;
    resetBar();

    fifo.running = true;
    fifo.operation = operation;
    fifo.objectType = typeCode;
    fifo.firstId = first;
    fifo.lastId = last;
    fifo.chunkOffset = 0;
    fifo.totalSize = 0;
    fifo.totalExpected = 0;
    fifo.accumulated.reset();

    state = State::running;
    setTransferFlag (true);
    // Whatever was handed over before this request is not its answer.
    lastHandOver = fifo.getHandOverCount();
    requestId (first);
}

void ReceiveTransfer::requestId (int id)
{
    fifo.currentId = id;
    objectName.clear();
    nameBlock.reset();

    if (id > fifo.lastId)
    {
        finish();
        return;
    }

    showProgress (id);
    waiting = Waiting::info;
    outstanding = SysexProtocol::objectInfoRequest (typeCode, id, engine.getPorts().getDeviceByte());
    sendOutstanding();
    watchdog.watch();
}

void ReceiveTransfer::requestChunk (int offset, int length)
{
    waiting = Waiting::chunk;
    requestOffset = offset;
    requestLength = length;
    outstanding = SysexProtocol::objectChunkRequest (typeCode, fifo.currentId, offset, length,
                                                     engine.getPorts().getDeviceByte());
    sendOutstanding();
    watchdog.watch();
}

void ReceiveTransfer::sendOutstanding()
{
    engine.getPorts().sendSysEx (outstanding);
}

//==============================================================================
// Message thread: the engine's broadcast. A broadcast may come for a message already
// seen (or for the engine's own finish); the hand-over number tells.
void ReceiveTransfer::changeListenerCallback (juce::ChangeBroadcaster*)
{
    juce::MemoryBlock message;
    const auto number = fifo.getLastMessage (message);
    if (number == lastHandOver)
        return;
    lastHandOver = number;

    if (state == State::running)
        handleReply (message);
}

void ReceiveTransfer::handleReply (const juce::MemoryBlock& message)
{
    const auto r = TransferReply::parse (static_cast<const juce::uint8*> (message.getData()), message.getSize(), true);

    switch (r.kind)
    {
        case TransferReply::Kind::info:  handleInfo (r); break;
        case TransferReply::Kind::chunk: handleChunk (r); break;
        case TransferReply::Kind::nack:  handleNack (message); break;
        case TransferReply::Kind::ack:   // no effect on a receive
        case TransferReply::Kind::none:
            break;
    }
}

void ReceiveTransfer::handleInfo (const TransferReply& r)
{
    if (waiting != Waiting::info || r.type != typeCode || r.id != fifo.currentId)
        return;

    objectName = r.name;
    nameBlock.setSize ((size_t) ObjectStore::nameLength, true);
    auto* n = static_cast<juce::uint8*> (nameBlock.getData());
    for (int i = 0; i < ObjectStore::nameLength && i < r.name.length(); ++i)
        n[i] = (juce::uint8) r.name[i];   // 7-bit codes: nameFromInfo made them from bytes

    fifo.accumulated.reset();
    fifo.totalSize = r.totalSize;
    fifo.totalExpected = r.totalSize;
    fifo.chunkOffset = 0;

    showProgress (fifo.currentId);
    requestChunk (0, juce::jmin (r.totalSize, SysexProtocol::maxChunkLength));
}

void ReceiveTransfer::handleChunk (const TransferReply& r)
{
    if (waiting != Waiting::chunk || r.type != typeCode || r.id != fifo.currentId || r.offset != requestOffset)
        return;

    fifo.chunkOffset = r.offset;
    const int total = fifo.totalExpected;
    const int decoded = (int) r.data.getSize();
    juce::MemoryBlock object;

    if (decoded < total)
    {
        // The length field may claim more than arrived: take what is there; never
        // more than the object still lacks.
        const int have = (int) fifo.accumulated.getSize();
        const int take = juce::jmin (r.length, decoded, total - have);
        if (take <= 0)
            return;   // no progress: not an answer, the time-out asks again

        fifo.accumulated.append (r.data.getData(), (size_t) take);
        const int now = have + take;
        if (now != total)
        {
            requestChunk (now, juce::jmin (SysexProtocol::maxChunkLength, total - now));
            return;
        }
        object = fifo.accumulated;
    }
    else
    {
        object = r.data;
    }

    // An object announced with size 0 is neither stored nor a reason to move on.
    if (total == 0)
        return;

    watchdog.stop();
    storeObject (object);

    if (fifo.operation == TransferMailbox::operationReceiveRange)
        requestId (fifo.currentId + 1);
    else
        finish();
}

void ReceiveTransfer::handleNack (const juce::MemoryBlock& message)
{
    if (waiting == Waiting::nothing)
        return;

    int type = 0, id = 0;
    if (nackTarget (message, type, id) && (type != typeCode || id != fifo.currentId))
        return;

    watchdog.stop();
    objectName.clear();
    nameBlock.reset();
    clearSlot();
    showProgress (fifo.currentId);
    requestId (fifo.currentId + 1);
}

//==============================================================================
void ReceiveTransfer::storeObject (const juce::MemoryBlock& object)
{
    auto& image = engine.getImage();
    auto* store = image.storeFor (typeCode);
    if (store == nullptr)
        return;

    const juce::ScopedWriteLock sl (image.getStoreLock());
    // Algorithms are kept without a name in front (not a type received here today).
    if (typeCode == ObjectStore::typeAlgorithm)
        store->replaceRecord (fifo.currentId, object);
    else
        store->replaceRecord (fifo.currentId, object, nameBlock);
}

void ReceiveTransfer::clearSlot()
{
    auto& image = engine.getImage();
    auto* store = image.storeFor (typeCode);
    if (store == nullptr)
        return;

    const juce::ScopedWriteLock sl (image.getStoreLock());
    store->removeRecord (fifo.currentId);
}

void ReceiveTransfer::finish()
{
    watchdog.stop();
    waiting = Waiting::nothing;
    fifo.finishTransfer();
    resetBar();
    state = State::open;
    setTransferFlag (false);
    sendChangeMessage();
}

void ReceiveTransfer::giveUp()
{
    waiting = Waiting::nothing;
    progressLine = "No answer from the instrument at ID#: " + juce::String (fifo.currentId);
    fifo.finishTransfer();
    state = State::noAnswer;
    setTransferFlag (false);
    sendChangeMessage();
}

//==============================================================================
void ReceiveTransfer::showProgress (int id)
{
    shownPosition = juce::jlimit (from, juce::jmax (from, to), id);
    progressLine = objectName.isNotEmpty() ? "Receiving ID#: " + juce::String (id) + " " + objectName
                                           : "Checking...  ID#: " + juce::String (id);

    if (from == to)
    {
        bar = 0;   // a one-object read-back shows no bar
    }
    else
    {
        bar = (shownPosition - from) * ((double) barWidth / (double) (to - from));
        if (bar < 0)
            bar = 1;
    }
    sendChangeMessage();
}

void ReceiveTransfer::resetBar()
{
    bar = 0;
    shownPosition = from;
}

void ReceiveTransfer::setTransferFlag (bool on)
{
    engine.setTransferFlag (on);
}

} // namespace zd8

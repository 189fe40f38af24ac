#pragma once

#include "link/TransferReply.h"
#include "transfer/TransferWatchdog.h"

#include <juce_events/juce_events.h>

#include <functional>
#include <memory>

namespace zd8
{

class TransferContext;
class TransferMailbox;

/** The progress dialog's controller: the object-by-object receive loop over the
    transfer family (command 0x5A). For each ID of the range it asks for the object's
    information, then reads the object in chunks of at most 2048 bytes and puts it with
    its 20-byte name into the store of its type; a negative reply clears that slot and
    moves on. The same loop reads one object back after a write.

    The dialog drives it: open() when it appears, the range fields through
    setFromText / setToText, start() for START, cancel() for CANCEL; it shows
    getTitle(), getProgressLine() and a bar getBarWidth() wide (of barWidth) and
    barHeight high, and repaints on this object's change broadcasts. onDismissed tells
    its owner to delete the dialog.

    Replies reach it through the transfer engine's change broadcast; each hand-over is
    processed at most once (by its number), and only a reply that answers the
    outstanding request is taken: an object information for the requested type and ID,
    a chunk for the requested type, ID and offset, or a negative reply (one that names
    a type and ID must name the requested ones). Anything else, duplicates and late
    answers to a re-sent request included, is ignored. A request that gets no answer
    within the time-out is sent again, at most twice; then the transfer stops with
    "No answer from the instrument at ID#: n".

    Message thread only. */
class ReceiveTransfer : public juce::ChangeBroadcaster, private juce::ChangeListener
{
public:
    static constexpr int barWidth = 384;
    static constexpr int barHeight = 24;
    static constexpr int cancelDelayMs = 200;   // a receive ends this long after CANCEL
    static constexpr int defaultFromId = 4096;
    static constexpr int defaultToId = 8191;

    enum class State
    {
        closed,      // not opened yet
        open,        // shown, nothing running (also after a finish)
        running,     // a request is outstanding
        noAnswer,    // stopped: the instrument did not answer
        cancelling,  // CANCEL pressed on a receive; dismissed 200 ms later
        dismissed    // CANCEL done: the owner deletes the dialog
    };

    explicit ReceiveTransfer (TransferContext& engine);
    ~ReceiveTransfer() override;

    /** Opens the dialog for a type (138 programs, 155 multis, 156 FX chains): sets the
        engine's transfer flag, the default range 4096..8191 in the fields, the title
        "Receive " + the type's label, an empty progress line. forReadBack: the range
        fields are disabled and START hidden. false for any other type (nothing done). */
    bool open (int typeCode, bool forReadBack = false);

    void setFromText (const juce::String& text);
    void setToText (const juce::String& text);
    juce::String getFromText() const { return fromText; }
    juce::String getToText() const { return toText; }

    /** START: clamps the range fields and writes them back, then receives the range
        (operation 786). A new start while running overwrites the transfer. */
    void start();
    /** The read-back of one object after a write (operation 787): range and fields
        id..id; the received object replaces the one in the store. */
    void startReadBack (int id);
    /** CANCEL: stops at once; the transfer flag and the mailbox's running flag
        are cleared and onDismissed called 200 ms later for a receive, at once for a
        read-back. What was received stays in the stores. */
    void cancel();

    //==============================================================================
    State getState() const noexcept { return state; }
    bool isRunning() const noexcept { return state == State::running; }
    int getTypeCode() const noexcept { return typeCode; }
    bool isForReadBack() const noexcept { return readBack; }
    bool isStartVisible() const noexcept { return ! readBack; }
    bool areRangeFieldsEnabled() const noexcept { return ! readBack; }

    juce::String getTitle() const { return title; }
    juce::String getProgressLine() const { return progressLine; }
    /** Pixels of the bar's barWidth that are filled. */
    double getBarWidth() const noexcept { return bar; }
    /** The ID shown: the ID requested last, clamped to the range. */
    int getShownPosition() const noexcept { return shownPosition; }
    /** The current object's name as the instrument sent it (20 characters), empty
        while it is not known. */
    juce::String getObjectName() const { return objectName; }
    int getFrom() const noexcept { return from; }
    int getTo() const noexcept { return to; }

    /** Time-out per request in milliseconds (default 2000). */
    void setTimeout (int ms) noexcept { watchdog.setTimeout (ms); }
    int getTimeout() const noexcept { return watchdog.getTimeout(); }

    std::function<void()> onDismissed;

    //==============================================================================
    /** The list label of a type: "Programs", "Multi", "FX Chains"; empty otherwise. */
    static juce::String labelFor (int typeCode);
    /** The highest "To ID#" of a type: 8191 for programs and multis, 8192 for FX chains. */
    static int highestToId (int typeCode) noexcept;

private:
    enum class Waiting { nothing, info, chunk };

    void changeListenerCallback (juce::ChangeBroadcaster*) override;
    void handleReply (const juce::MemoryBlock& message);
    void handleInfo (const TransferReply& r);
    void handleChunk (const TransferReply& r);
    void handleNack (const juce::MemoryBlock& message);

    void beginTransfer (int operation, int first, int last);
    void requestId (int id);
    void requestChunk (int offset, int length);
    void sendOutstanding();
    void storeObject (const juce::MemoryBlock& object);
    void clearSlot();
    void finish();
    void giveUp();
    void dismiss();
    void showProgress (int id);
    void resetBar();
    void setTransferFlag (bool on);

    TransferContext& engine;
    TransferMailbox& fifo;
    TransferWatchdog watchdog;
    std::unique_ptr<OneShotTimer> cancelTimer;

    State state = State::closed;
    int typeCode = 0;
    bool readBack = false;
    juce::String title, fromText, toText, progressLine, objectName;
    juce::MemoryBlock nameBlock;   // the same name as 20 bytes
    int from = 0, to = 0;
    int shownPosition = 0;
    double bar = 0;

    // The request waiting for its answer.
    Waiting waiting = Waiting::nothing;
    int requestOffset = 0, requestLength = 0;
    juce::MemoryBlock outstanding;

    juce::uint64 lastHandOver = 0;

    JUCE_DECLARE_NON_COPYABLE (ReceiveTransfer)
};

} // namespace zd8

#pragma once

#include <juce_events/juce_events.h>

#include <array>
#include <vector>

namespace zd8
{

class ArrangementBank;
class EditorSession;
class InstrumentImage;
class MultiEditBuffer;
class MultiStore;
class ParameterTable;
class ProgramEditBuffers;
class SettingsList;
class StateListener;
class TimerFactory;
class TransferContext;

/** The engine as the window sees it: everything a page, a dialog or a control may ask
    of the engine, and nothing else. The window never holds the processor or the
    controller state; it builds no system-exclusive message and never touches the
    ports: it asks here, and the engine sends.

    Slots are the parameter table's (0..2313); channels are 1..16 where a method says
    "channel", 0..15 where it says "channel slot". Message thread unless said otherwise. */
class EditorConnection
{
public:
    virtual ~EditorConnection() = default;

    //==============================================================================
    // Programs, multis and the playing mode.
    static constexpr int programMode = 1;
    static constexpr int multiMode = 2;

    /** Selects program number on channel slot channel (0..15), as the program page's
        list or keypad does. */
    virtual void selectProgram (int program, int channel) = 0;
    /** Selects multi number; reportToHost: the host learns of it; notify: the window's
        listeners too. */
    virtual void selectMulti (int number, bool reportToHost, bool notify) = 0;
    virtual void switchPlayingMode (int mode) = 0;
    virtual int getChannelProgramNumber (int channelSlot) const = 0;

    /** The channel the window plays and edits, 1..16. */
    virtual int getMidiChannel() const = 0;
    virtual void setMidiChannel (int channel) = 0;
    /** Makes the instrument show channel slot channel (0..15) on its panel (in program
        mode). */
    virtual void sendChannelSelect (int channel) = 0;

    //==============================================================================
    // Playing from the window (channel 1..16).
    virtual void sendNoteOn (int channel, int note, int velocity) = 0;
    virtual void sendNoteOff (int channel, int note) = 0;
    virtual bool isNoteHeld (int note) const = 0;
    /** Pitch wheel value 0..16383 to the instrument (and the host when toHost). */
    virtual void sendPitchWheel (int channel, int value, bool toHost) = 0;
    /** A controller to the instrument at once, and to the host. */
    virtual void sendController (int channel, int controller, int value) = 0;

    //==============================================================================
    // Parameter slots.
    virtual const ParameterTable& getParameters() const = 0;
    virtual int getSlotValue (int slot) const = 0;
    /** The slot's value as the window shows it ("Hall Reverb", "-10 dB" ...). */
    virtual juce::String getSlotText (int slot) const = 0;
    virtual juce::String getSlotLabel (int slot) const = 0;
    /** A change made in the window: kept, sent to the instrument, reported to the host
        and to the window's listeners. */
    virtual void setSlotFromEditor (int slot, int value) = 0;
    /** The finer form: reportToHost / notify say whom to tell besides the instrument. */
    virtual void setSlotFromEditor (int slot, int value, bool reportToHost, bool notify) = 0;
    /** A zone or common value of the multi by its five-part address. */
    virtual void sendAddressed (int selector, int channel, const int address[5], int value) = 0;
    /** The controller numbers of a channel slot's FX parameter list (0..3). */
    virtual std::vector<int> getFxParameterList (int channelSlot, int list) const = 0;
    /** Sends the instrument the name list of program (the names its parameter table
        gives the controllers, from the program store) for channel slot channel (0..15). */
    virtual void sendProgramNameList (int channel, int program) = 0;

    //==============================================================================
    // Undo and redo of the window's own edits: the slot writes above, the program
    // choices that reach the host, the playing mode, the multi chosen (its undo gives
    // back the zone edits made before it), the key ranges and programs of the multi's
    // zones and a program's controller assignments. An undo replays the old values by the road the edit took, so
    // the instrument and the host hear it as they heard the edit; changes from the
    // host, the instrument or a recall are never taken back. One step is one gesture:
    // what a held mouse button changed, or edits less than a moment apart.
    virtual bool undoEdit() = 0;
    virtual bool redoEdit() = 0;
    virtual bool canUndoEdit() const = 0;
    virtual bool canRedoEdit() const = 0;
    /** A mouse button went down on a control (the edits until the release are one
        step) and came up again. */
    virtual void beginEditGesture() = 0;
    virtual void endEditGesture() = 0;
    /** The channel slot (0..15) whose values the last undo or redo changed (a program
        row, a controller, a program's controller assignment), -1 when it changed none:
        the window then shows that channel, which need not be the one on show. */
    virtual int getReplayedChannel() const = 0;

    //==============================================================================
    // The instrument's memory as the engine keeps it: read it under the image's store
    // lock; the window changes it only through the calls above and the transfers.
    virtual const InstrumentImage& getImage() const = 0;
    virtual ArrangementBank& getArrangements() = 0;
    /** Makes Arrangement n (0..63) the current one and brings the instrument into line. */
    virtual void recallArrangement (int n) = 0;
    /** The live Arrangement's chunk (as the host stores it) and its recall. */
    virtual void getLiveArrangement (juce::MemoryBlock& dest) = 0;
    virtual void setLiveArrangement (const void* data, int sizeInBytes) = 0;

    /** What the receive and write dialogs run their transfers on. */
    virtual TransferContext& getTransfers() = 0;

    /** What the window edits in the memory itself (message thread): a channel slot's
        edit buffers (nullptr outside 0..15; the parameter table page keeps their
        assignment bytes in line with what its field sent), the multi edit buffer (zone
        programs and key ranges of the multi page) and the multi the multi page shows. */
    virtual ProgramEditBuffers* getEditBuffer (int channelSlot) = 0;
    virtual MultiEditBuffer& getMultiEdit() = 0;
    virtual const MultiStore& getMultis() const = 0;
    virtual void setSelectedMulti (int multi) = 0;

    //==============================================================================
    // The link to the instrument: ports, identity, clock, thru, latency.
    virtual juce::StringArray getInputNames() = 0;
    virtual juce::StringArray getOutputNames() = 0;
    /** Index into the names, -1 when closed. */
    virtual int getInputIndex() const = 0;
    virtual int getOutputIndex() const = 0;
    virtual bool isInputOpen() const = 0;
    virtual bool isOutputOpen() const = 0;
    /** The names of the chosen input (entry 0) and output (entry 1) as they were when
        chosen, "NONE" for none. The indexes above point into the device list of that
        moment, which may have changed since; the names still say which device it is. */
    virtual juce::StringArray getPortNames() const = 0;
    virtual void selectInputPort (int index) = 0;
    virtual void selectOutputPort (int index) = 0;
    virtual void savePortFile() const = 0;
    virtual void requestIdentity() = 0;
    virtual juce::String getDeviceName() const = 0;
    /** What the user is to be told about the data files at this start (damaged ones set
        aside for the built-in banks), "" when nothing; given out once. */
    virtual juce::String takeDataFileWarning() = 0;

    virtual bool isClockOn() const = 0;
    virtual bool isThruHostToOut() const = 0;
    virtual bool isThruInToHost() const = 0;
    virtual bool isProgramChangeByAutomation() const = 0;
    virtual void setClockOn (bool on) = 0;
    virtual void setThruHostToOut (bool on) = 0;
    virtual void setThruInToHost (bool on) = 0;
    virtual void setProgramChangeByAutomation (bool on) = 0;
    /** Clock rate indexes 0..5; one delay per index and a seventh, each 0..maxDelayMs. */
    static constexpr int numRateIndexes = 6;
    static constexpr int numDelays = 7;
    static constexpr int maxDelayMs = 2000;
    virtual int getRateIndex() const = 0;
    virtual std::array<int, numDelays> getDelays() const = 0;
    virtual void setDelay (int index, int milliseconds) = 0;
    virtual SettingsList& getSettings() = 0;

    //==============================================================================
    // What happened in the engine. State listeners are called on any thread and should
    // only schedule work; the window drains the notices on the message thread (one
    // reader). Slot changes reach the window only through the slot listeners.
    /** Follows one slot: slotChanged is called on the message thread with the slot's
        new value after every change (from the host, the instrument or the window).
        A listener removes itself before it is destroyed. */
    class SlotListener
    {
    public:
        virtual ~SlotListener() = default;
        virtual void slotChanged (int slot, int value) = 0;
    };
    /** A listener may add or remove listeners (itself included) from inside its call:
        one removed is not called again, one added is first called for the next change. */
    virtual void addSlotListener (int slot, SlotListener* listener) = 0;
    virtual void removeSlotListener (int slot, SlotListener* listener) = 0;
    /** Calls the slot listeners now for the changes pending, rather than at the next
        asynchronous update (the window's own drain calls it, so that one pass brings
        the notices first and then the slot changes). */
    virtual void dispatchSlotChanges() = 0;

    virtual void addStateListener (StateListener* listener) = 0;
    virtual void removeStateListener (StateListener* listener) = 0;
    virtual void drainNotices (std::vector<juce::uint32>& out) = 0;
    /** Broadcasts when the processor's current Arrangement changes (a host recall). */
    virtual void addArrangementListener (juce::ChangeListener* listener) = 0;
    virtual void removeArrangementListener (juce::ChangeListener* listener) = 0;

    //==============================================================================
    // The window's own things, kept by the engine across window openings.
    virtual EditorSession& getEditorSession() = 0;
    virtual TimerFactory& getTimers() = 0;
    virtual juce::File getDataFolder() const = 0;
    virtual int getEditorWidth() const = 0;
    virtual int getEditorHeight() const = 0;
    virtual void setEditorSize (int width, int height) = 0;
};

} // namespace zd8

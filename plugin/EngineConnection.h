#pragma once

#include "plugin/EditHistory.h"
#include "plugin/EditorConnection.h"
#include "plugin/StateListener.h"

#include <array>
#include <map>

namespace zd8
{

class ControllerState;
class VantorAudioProcessor;

/** The engine's side of the window's connection: each call goes to the processor or
    the controller state it belongs to. The processor owns one and hands it to the
    window it creates. Message thread unless said otherwise.

    It is the one reader of the hub's slot notices: while any slot listener is
    registered it listens to the hub (any thread, only schedules) and on the message
    thread drains the slot notices and calls the listeners of each changed slot. With
    no slot listener it leaves the hub alone, so the audio thread posts nothing. */
class EngineConnection : public EditorConnection,
                         private StateListener,
                         private juce::AsyncUpdater,
                         private EditHistory::Replayer
{
public:
    EngineConnection (VantorAudioProcessor& processor, ControllerState& hub);
    ~EngineConnection() override;

    void selectProgram (int program, int channel) override;
    void selectMulti (int number, bool reportToHost, bool notify) override;
    void switchPlayingMode (int mode) override;
    int getChannelProgramNumber (int channelSlot) const override;
    int getMidiChannel() const override;
    void setMidiChannel (int channel) override;
    void sendChannelSelect (int channel) override;

    void sendNoteOn (int channel, int note, int velocity) override;
    void sendNoteOff (int channel, int note) override;
    bool isNoteHeld (int note) const override;
    void sendPitchWheel (int channel, int value, bool toHost) override;
    void sendController (int channel, int controller, int value) override;

    const ParameterTable& getParameters() const override;
    int getSlotValue (int slot) const override;
    juce::String getSlotText (int slot) const override;
    juce::String getSlotLabel (int slot) const override;
    void setSlotFromEditor (int slot, int value) override;
    void setSlotFromEditor (int slot, int value, bool reportToHost, bool notify) override;
    void sendAddressed (int selector, int channel, const int address[5], int value) override;
    std::vector<int> getFxParameterList (int channelSlot, int list) const override;
    void sendProgramNameList (int channel, int program) override;

    bool undoEdit() override;
    bool redoEdit() override;
    bool canUndoEdit() const override;
    bool canRedoEdit() const override;
    void beginEditGesture() override;
    void endEditGesture() override;
    int getReplayedChannel() const override { return replayedChannel; }

    const InstrumentImage& getImage() const override;
    ArrangementBank& getArrangements() override;
    void recallArrangement (int n) override;
    void getLiveArrangement (juce::MemoryBlock& dest) override;
    void setLiveArrangement (const void* data, int sizeInBytes) override;
    TransferContext& getTransfers() override;
    ProgramEditBuffers* getEditBuffer (int channelSlot) override;
    MultiEditBuffer& getMultiEdit() override;
    const MultiStore& getMultis() const override;
    void setSelectedMulti (int multi) override;

    juce::StringArray getInputNames() override;
    juce::StringArray getOutputNames() override;
    int getInputIndex() const override;
    int getOutputIndex() const override;
    juce::StringArray getPortNames() const override;
    bool isInputOpen() const override;
    bool isOutputOpen() const override;
    void selectInputPort (int index) override;
    void selectOutputPort (int index) override;
    void savePortFile() const override;
    void requestIdentity() override;
    juce::String getDeviceName() const override;
    juce::String takeDataFileWarning() override;

    bool isClockOn() const override;
    bool isThruHostToOut() const override;
    bool isThruInToHost() const override;
    bool isProgramChangeByAutomation() const override;
    void setClockOn (bool on) override;
    void setThruHostToOut (bool on) override;
    void setThruInToHost (bool on) override;
    void setProgramChangeByAutomation (bool on) override;
    int getRateIndex() const override;
    std::array<int, numDelays> getDelays() const override;
    void setDelay (int index, int milliseconds) override;
    SettingsList& getSettings() override;

    void addSlotListener (int slot, SlotListener* listener) override;
    void removeSlotListener (int slot, SlotListener* listener) override;
    void dispatchSlotChanges() override;
    void addStateListener (StateListener* listener) override;
    void removeStateListener (StateListener* listener) override;
    void drainNotices (std::vector<juce::uint32>& out) override;
    void addArrangementListener (juce::ChangeListener* listener) override;
    void removeArrangementListener (juce::ChangeListener* listener) override;

    EditorSession& getEditorSession() override;
    TimerFactory& getTimers() override;
    juce::File getDataFolder() const override;
    int getEditorWidth() const override;
    int getEditorHeight() const override;
    void setEditorSize (int width, int height) override;

private:
    // StateListener: any thread.
    void stateChanged (int code) override;
    void handleAsyncUpdate() override;
    void callSlotListeners (int slot, int value);
    /** Leaves the hub alone once no slot listener is left. */
    void stopListeningWhenUnused();

    // The window's edits as the history keeps them; nothing is kept while a step is
    // being replayed.
    void recordEdit (const EditHistory::Edit& edit);
    /** The rows a program choice reloads (pan, level, sends, chains), kept with it so
        that its undo also gives back what the user had set on the old program. */
    void recordProgramChoice (int slot, int before, std::vector<int> rowsBefore, bool chosen);
    std::vector<int> programRowValues (int channel) const;
    /** A zone field's change (address A1 of the zones), kept with the zone's values. */
    void recordZoneChange (int channel, const int address[5], int value);
    int zoneValue (int zone, int parameterNumber) const;
    void sendZoneValue (int channel, int zone, int a5, int value);
    /** Program, low and high key of each zone of the multi edit buffer. */
    std::vector<int> zoneValues() const;
    /** A zone's values to the instrument (what differs) and into the multi edit buffer. */
    void putZoneKeys (int channel, int zone, int low, int high);
    void putZoneProgram (int channel, int zone, int program);
    void putZones (const std::vector<int>& values);
    /** A controller assignment's byte changed by the parameter table page's field. */
    void recordAssignmentChange (int channel, const int address[5], int value);
    /** Channel 1..16; place as EditHistory::Kind::assignment's target. */
    int assignmentValue (int channel, int place) const;
    bool isChainRow (int slot) const;
    // EditHistory::Replayer
    bool holds (const EditHistory::Edit& edit, bool before) override;
    void replay (const EditHistory::Edit& edit, bool before) override;

    VantorAudioProcessor& processor;
    ControllerState& hub;

    // Message thread. An entry removed during a dispatch is set to null and taken out
    // once the outermost dispatch is over, so that the lists being walked keep their
    // places.
    std::map<int, std::vector<SlotListener*>> slotListeners;
    std::vector<juce::uint64> slotWords;
    int dispatchDepth = 0;
    bool listenersRemovedInDispatch = false;
    bool listeningToHub = false;

    EditHistory history;
    bool replaying = false;
    int replayedChannel = -1;
    /** Per channel slot: the program and rows before the programs a list only showed. */
    struct QuietSelection
    {
        bool pending = false;
        int program = 0;
        std::vector<int> rows;
    };
    std::array<QuietSelection, 16> quietSelections;
};

} // namespace zd8

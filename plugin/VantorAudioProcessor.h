#pragma once

#include "link/HostPosition.h"
#include "link/MidiClockGenerator.h"
#include "plugin/ControllerState.h"
#include "plugin/EngineConnection.h"
#include "plugin/StaleEchoGuard.h"

#include <juce_audio_processors/juce_audio_processors.h>

namespace zd8
{

/** The plug-in as the host sees it. It makes no sound: it clears its outputs, passes
    no host MIDI through, and instead connects the host's timeline and MIDI to the
    instrument's own MIDI ports through the hub. Its parameters are the hub's 2314
    parameter slots, its programs the bank of 64 Arrangements. */
class VantorAudioProcessor : public juce::AudioProcessor,
                             public juce::ChangeListener,
                             public HostReporter,
                             public juce::ChangeBroadcaster
{
public:
    static constexpr const char* pluginName = "Brisvane VST";
    static constexpr int numPrograms = 64;
    static constexpr int defaultEditorWidth = 1028;
    static constexpr int defaultEditorHeight = 730;
    static constexpr size_t clockBufferBytes = 3080;

    static constexpr const char* stateFolderName = "Vantor ZD8";
    static constexpr const char* arrangementFileName = "preset.zd8arr";
    static constexpr const char* bankFileName = "preset bank.zd8arrbank";

    explicit VantorAudioProcessor (LinkEnvironment environment = LinkEnvironment::system());
    ~VantorAudioProcessor() override;

    //==============================================================================
    const juce::String getName() const override { return pluginName; }
    void prepareToPlay (double sampleRate, int samplesPerBlock) override;
    void releaseResources() override;
    bool isBusesLayoutSupported (const BusesLayout& layouts) const override;
    void processBlock (juce::AudioBuffer<float>& audio, juce::MidiBuffer& midi) override;
    using juce::AudioProcessor::processBlock;
    void reset() override {}

    double getTailLengthSeconds() const override { return 0.0; }
    bool acceptsMidi() const override { return true; }
    bool producesMidi() const override { return true; }

    juce::AudioProcessorEditor* createEditor() override;
    bool hasEditor() const override;

    /** The window lives in a library of its own (the engine builds and is tested
        without it): the plug-in's entry point registers how to make one. Until then
        the processor has no editor. */
    using EditorFactory = juce::AudioProcessorEditor* (*) (VantorAudioProcessor&);
    static void setEditorFactory (EditorFactory factory) noexcept;

    int getNumPrograms() override { return numPrograms; }
    int getCurrentProgram() override { return currentProgram; }
    void setCurrentProgram (int index) override;
    const juce::String getProgramName (int index) override;
    void changeProgramName (int index, const juce::String& newName) override;

    void getStateInformation (juce::MemoryBlock& dest) override;
    void setStateInformation (const void* data, int sizeInBytes) override;
    void getCurrentProgramStateInformation (juce::MemoryBlock& dest) override;
    void setCurrentProgramStateInformation (const void* data, int sizeInBytes) override;

    void numChannelsChanged() override {}

    //==============================================================================
    // Parameters as the host sees them (slot index = parameter index).
    int getParameterCount() const noexcept { return parameterCount; }
    float getSlotNormalised (int slot) const;
    void setSlotNormalised (int slot, float x);
    juce::String getSlotName (int slot) const;
    juce::String getSlotText (int slot) const;

    /** Makes Arrangement n (0..63) the current one and brings the instrument into line. */
    void recallArrangement (int n);

    /** Tells the host about a slot change: opens its gesture once, runs the host write
        rule with the value, then notifies. */
    void reportSlot (int slot, int value);

    // HostReporter
    void notify (int code, int slot, int value) override;

    // ChangeListener: the hub's host queue signal says there are changes for the host.
    void changeListenerCallback (juce::ChangeBroadcaster* source) override;

    //==============================================================================
    ControllerState& getHub() noexcept { return hub; }
    /** All the window may ask of the engine. */
    EditorConnection& getEditorConnection() noexcept { return editorConnection; }
    const HostPosition& getPosition() const noexcept { return position; }

    int editorWidth = defaultEditorWidth;
    int editorHeight = defaultEditorHeight;

    /** Number of gestures opened so far (each is ended once, at destruction). */
    int getOpenGestureCount() const noexcept { return openGestures.size(); }

private:
    /** The host hears a slot's value (its 0..1 view); nothing else happens. */
    void tellHost (int slot, int value);
    /** The bank chunk alone: the file in the user's folder and what bank readers take. */
    void appendBankChunk (juce::MemoryBlock& dest);
    /** A bank chunk over the bank's records (whole records only). */
    void applyBankChunk (const void* data, int size);

    HostPosition position;
    ControllerState hub;
    EngineConnection editorConnection { *this, hub };
    int parameterCount = 0;
    juce::Array<juce::uint8> gestureFlags;
    juce::Array<int> openGestures;
    MidiClockGenerator clockGenerator;
    juce::MidiBuffer clockBuffer;
    juce::MidiBuffer oneEvent;
    juce::CriticalSection blockLock;
    int currentProgram = 0;
    // The slot whose live Arrangement the last state call restored, until the first
    // program call after it or a recall (-1: none), and the table's change count then.
    int restoredProgram = -1;
    juce::uint32 changesAtRestore = 0;
    StaleEchoGuard staleEchoes { ParameterTable::numSlots };
    int storedSampleRate = 44100;
    // The live Arrangement chunk and the bank chunk as they stood once the processor
    // was created: a file whose chunk still equals this is not written at close.
    juce::MemoryBlock arrangementAtOpen, bankAtOpen;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (VantorAudioProcessor)
};

} // namespace zd8

#include "plugin/VantorAudioProcessor.h"

#include "arrangements/ArrangementFiles.h"
#include "link/LockWatch.h"
#include "link/SafeFileWriter.h"
#include "plugin/ProjectState.h"
#include "plugin/SlotParameter.h"

#include <atomic>
#include <cmath>

namespace zd8
{

namespace
{
    using Files = ArrangementFiles;

    bool startsWith (const void* data, int size, const char* tag, int tagSize)
    {
        return data != nullptr && size >= tagSize && memcmp (data, tag, (size_t) tagSize) == 0;
    }

    /** What the host may read: 0..1, whatever the slot holds. */
    float hostView (float x) noexcept { return juce::jlimit (0.0f, 1.0f, x); }

    bool isForwardedToInstrument (const juce::MidiMessage& m)
    {
        if (! m.isController())
            return true;
        const int n = m.getControllerNumber();
        return n == 0 || n == 1 || n == 32;
    }
}

VantorAudioProcessor::VantorAudioProcessor (LinkEnvironment environment)
    : juce::AudioProcessor (BusesProperties()
                                .withInput ("Input", juce::AudioChannelSet::stereo(), true)
                                .withOutput ("Output", juce::AudioChannelSet::stereo(), true)),
      hub (environment)
{
    // The stand-alone program makes no sound and records nothing: without an input it
    // neither opens an audio input nor warns about a feedback loop.
    if (wrapperType == wrapperType_Standalone)
        if (auto* input = getBus (true, 0))
            input->enable (false);

    position.reset();
    hub.getHostQueueSignal().addChangeListener (this);
    hub.addCable (this);

    clockBuffer.ensureSize (clockBufferBytes);
    oneEvent.ensureSize (256);

    setLatencySamples (0);
    parameterCount = ParameterTable::numSlots;
    gestureFlags.insertMultiple (0, 0, parameterCount + 1);
    openGestures.ensureStorageAllocated (parameterCount);

    for (int slot = 0; slot < parameterCount; ++slot)
        addParameter (new SlotParameter (*this, slot, SlotParameter::identifierFor (slot, wrapperType)));

    const auto bankFile = environment.folder.getChildFile (bankFileName);
    juce::MemoryBlock stored;
    if (bankFile.existsAsFile() && bankFile.loadFileAsData (stored))
        applyBankChunk (stored.getData(), (int) stored.getSize());
    else
        hub.getBank().fillDefaults();

    // What the two files at close would hold if nothing changed. The live Arrangement
    // is previewed: capturing it now would fix the working record's reserved bytes
    // before the host has restored its bank.
    {
        auto& bank = hub.getBank();
        const auto record = bank.previewRecord (hub.getParameters(), bank.getName (currentProgram), currentProgram);
        arrangementAtOpen.append (Files::makeArrangementChunk (record.getData(), record.getSize()).getData(), (size_t) Files::arrangementChunkSize);
        appendBankChunk (bankAtOpen);
    }
}

VantorAudioProcessor::~VantorAudioProcessor()
{
    // Every gesture opened on the host is ended exactly once.
    auto& params = getParameters();
    for (int slot : openGestures)
        if (juce::isPositiveAndBelow (slot, params.size()))
            params.getUnchecked (slot)->endChangeGesture();
    openGestures.clear();

    // A chunk that still equals what this instance had when it opened is not written
    // (unless its file has gone): no forced disk write at every close, and an instance
    // that changed nothing leaves alone what another instance of the same user saved.
    const auto folder = hub.getEnvironment().folder;
    auto writeIfChanged = [&folder] (const char* name, const juce::MemoryBlock& chunk, const juce::MemoryBlock& atOpen)
    {
        const auto file = folder.getChildFile (name);
        if (chunk != atOpen || ! file.existsAsFile())
            SafeFileWriter::write (file, chunk);
    };

    juce::MemoryBlock arrangement, bank;
    getCurrentProgramStateInformation (arrangement);
    appendBankChunk (bank);
    writeIfChanged (arrangementFileName, arrangement, arrangementAtOpen);
    writeIfChanged (bankFileName, bank, bankAtOpen);

    hub.removeCable (this);
    hub.getHostQueueSignal().removeChangeListener (this);
}

//==============================================================================
void VantorAudioProcessor::prepareToPlay (double sampleRate, int samplesPerBlock)
{
    storedSampleRate = (int) sampleRate;
    hub.setSampleRate (sampleRate);
    hub.setBlockSize (samplesPerBlock);
    setLatencySamples (0);
    clockGenerator.setClockOn (hub.isClockOn());
    hub.resetHostBoundMidi();
}

void VantorAudioProcessor::releaseResources()
{
    clockGenerator.setClockOn (hub.isClockOn());
    hub.resetHostBoundMidi();
}

bool VantorAudioProcessor::isBusesLayoutSupported (const BusesLayout& layouts) const
{
    const auto in = layouts.getMainInputChannelSet();
    const auto out = layouts.getMainOutputChannelSet();
    return out == juce::AudioChannelSet::stereo() && (in == juce::AudioChannelSet::stereo() || in.isDisabled());
}

void VantorAudioProcessor::processBlock (juce::AudioBuffer<float>& audio, juce::MidiBuffer& midi)
{
    const int n = audio.getNumSamples();
    const double blockRate = getSampleRate() > 0 ? getSampleRate() : (double) storedSampleRate;

    if ((int) blockRate != storedSampleRate)
    {
        storedSampleRate = (int) blockRate;
        hub.setSampleRate (blockRate);
    }
    hub.setBlockSize (n);

    auto& ports = hub.getPorts();
    const double delay = hub.getCurrentDelay();

    {
        LockWatch::taken (LockWatch::blockLock);
        const juce::ScopedLock bl (blockLock);
        if (ports.isOutputOpen())
        {
            // Read every block (an atomic flag): with clock off a playing block makes
            // nothing to send, and the switch must still take effect mid-song.
            clockGenerator.setClockOn (hub.isClockOn());
            clockGenerator.generateClock (position, clockBuffer, n, blockRate);
            if (clockGenerator.isClockOn() && ! clockBuffer.isEmpty())
                ports.sendDelayed (clockBuffer, delay, blockRate);
            clockBuffer.clear();
        }
    }

    {
        LockWatch::taken (LockWatch::blockLock);
        const juce::ScopedLock bl (blockLock);
        const bool thru = hub.isThruHostToOut();
        const bool outputOpen = ports.isOutputOpen();

        for (const auto event : midi)
        {
            const auto message = event.getMessage();
            if (thru && outputOpen && isForwardedToInstrument (message))
            {
                oneEvent.clear();
                oneEvent.addEvent (event.data, event.numBytes, event.samplePosition);
                ports.sendDelayed (oneEvent, event.samplePosition > 0 ? delay : 0.0, blockRate);
            }
            hub.trackHostMidi (message);
        }

        midi.clear();

        LockWatch::taken (LockWatch::hubLock);
        const juce::ScopedLock hl (hub.getLock());
        hub.mergeHostBoundMidi (midi, n);
    }

    for (int ch = getTotalNumInputChannels(); ch < getTotalNumOutputChannels(); ++ch)
        audio.clear (ch, 0, n);
    // No sound of our own: what came in does not go out either.
    for (int ch = 0; ch < juce::jmin (getTotalNumInputChannels(), audio.getNumChannels()); ++ch)
        audio.clear (ch, 0, n);

    position.readFrom (getPlayHead());
    if (blockRate > 0.0)
        staleEchoes.blockProcessed (1000.0 * n / blockRate);
}

//==============================================================================
namespace
{
    std::atomic<VantorAudioProcessor::EditorFactory> editorFactory { nullptr };
}

void VantorAudioProcessor::setEditorFactory (EditorFactory factory) noexcept
{
    editorFactory = factory;
}

bool VantorAudioProcessor::hasEditor() const
{
    return editorFactory.load() != nullptr;
}

juce::AudioProcessorEditor* VantorAudioProcessor::createEditor()
{
    const auto factory = editorFactory.load();
    return factory != nullptr ? factory (*this) : nullptr;
}

//==============================================================================
void VantorAudioProcessor::setCurrentProgram (int index)
{
    // Hosts set the program a project saved after (or before) its state. When the state
    // just restored the live Arrangement of that very slot and nothing has changed since,
    // the two describe the same moment: recalling the slot's stored record would undo
    // the channel programs, mode and values the project saved.
    const bool sameMoment = index == restoredProgram && hub.getParameters().getChangeCount() == changesAtRestore;
    restoredProgram = -1;
    if (sameMoment)
        return;
    recallArrangement (index);
}

void VantorAudioProcessor::recallArrangement (int n)
{
    if (! juce::isPositiveAndBelow (n, numPrograms))
        return;
    restoredProgram = -1;
    currentProgram = n;
    const auto record = hub.getBank().getRecord (n);
    ArrangementBank::applyRecord (record.getData(), record.getSize(), hub.getParameters());
    hub.bringInstrumentIntoLine();
}

const juce::String VantorAudioProcessor::getProgramName (int index)
{
    return hub.getBank().getName (index);
}

void VantorAudioProcessor::changeProgramName (int index, const juce::String& newName)
{
    if (! juce::isPositiveAndBelow (index, numPrograms))
        return;
    hub.getBank().setName (index, newName);
    currentProgram = index;
}

void VantorAudioProcessor::appendBankChunk (juce::MemoryBlock& dest)
{
    dest.append (Files::makeBankChunk (hub.getBank()).getData(), (size_t) Files::bankChunkSize);
}

void VantorAudioProcessor::getStateInformation (juce::MemoryBlock& dest)
{
    appendBankChunk (dest);

    ProjectState::Live live;
    live.slot = currentProgram;
    live.editorWidth = editorWidth;
    live.editorHeight = editorHeight;
    const auto& table = hub.getParameters();
    live.values.reserve ((size_t) ParameterTable::numSlots);
    for (int slot = 0; slot < ParameterTable::numSlots; ++slot)
        live.values.push_back (table.value (slot));
    const auto section = ProjectState::makeLiveSection (live);
    dest.append (section.getData(), section.getSize());
}

void VantorAudioProcessor::setStateInformation (const void* data, int size)
{
    if (! startsWith (data, size, Files::bankTag, Files::bankTagSize) || size <= Files::bankHeaderSize)
        return;

    const auto* bytes = static_cast<const juce::uint8*> (data);
    const auto live = size > Files::bankChunkSize
                          ? ProjectState::readLiveSection (bytes + Files::bankChunkSize, (size_t) (size - Files::bankChunkSize), hub.getParameters())
                          : std::nullopt;
    if (! live.has_value())
    {
        applyBankChunk (data, size);
        return;
    }

    // A project's state: the bank, the current slot, the window's size and the live
    // Arrangement with every slot's value, as they were when the host saved it.
    hub.getBank().overwriteBlock (bytes + Files::bankHeaderSize, (size_t) ArrangementBank::blockSize);
    currentProgram = live->slot;
    if (live->editorWidth > 0 && live->editorHeight > 0)
    {
        editorWidth = live->editorWidth;
        editorHeight = live->editorHeight;
    }
    std::vector<float> heardBefore, nowHeld;
    for (int slot = 0; slot < parameterCount; ++slot)
        heardBefore.push_back (getSlotNormalised (slot));
    hub.restoreLiveState (live->values);
    for (int slot = 0; slot < parameterCount; ++slot)
        nowHeld.push_back (getSlotNormalised (slot));
    staleEchoes.arm (heardBefore, nowHeld);
    restoredProgram = currentProgram;
    changesAtRestore = hub.getParameters().getChangeCount();
    updateHostDisplay (ChangeDetails().withProgramChanged (true));
}

void VantorAudioProcessor::applyBankChunk (const void* data, int size)
{
    if (! startsWith (data, size, Files::bankTag, Files::bankTagSize) || size <= Files::bankHeaderSize)
        return;
    // A chunk cut short replaces the records it holds whole; a part of one would leave a
    // slot that is half one Arrangement and half another.
    const auto whole = (size_t) (size - Files::bankHeaderSize) / ArrangementBank::recordSize * ArrangementBank::recordSize;
    if (whole > 0)
        hub.getBank().overwriteBlock (static_cast<const juce::uint8*> (data) + Files::bankHeaderSize, whole);
}

void VantorAudioProcessor::getCurrentProgramStateInformation (juce::MemoryBlock& dest)
{
    auto& bank = hub.getBank();
    const auto record = bank.captureRecord (hub.getParameters(), bank.getName (currentProgram), currentProgram);
    dest.append (Files::makeArrangementChunk (record.getData(), record.getSize()).getData(), (size_t) Files::arrangementChunkSize);
}

void VantorAudioProcessor::setCurrentProgramStateInformation (const void* data, int size)
{
    if (! startsWith (data, size, Files::arrangementTag, Files::arrangementTagSize) || size < Files::arrangementChunkSize)
        return;
    // The live Arrangement only: the bank and the current slot stay as they are.
    restoredProgram = -1;
    ArrangementBank::applyRecord (static_cast<const juce::uint8*> (data) + Files::arrangementHeaderSize, (size_t) ArrangementBank::recordSize, hub.getParameters());
    hub.bringInstrumentIntoLine();
}

//==============================================================================
float VantorAudioProcessor::getSlotNormalised (int slot) const
{
    if (! juce::isPositiveAndBelow (slot, parameterCount))
        return 0.0f;
    // Some slots hold more than their declared range (programs 4096 and up in the bank
    // row, multis above 127): the host reads the range's end for them.
    return hostView (hub.getParameters().normalised (slot));
}

void VantorAudioProcessor::setSlotNormalised (int slot, float x)
{
    if (! juce::isPositiveAndBelow (slot, parameterCount))
        return;
    if (staleEchoes.isStaleEcho (slot, x, getSlotNormalised (slot)))
    {
        // The host shows the stale value it echoed: it hears the slot's own again.
        hub.tellHostLater (slot);
        return;
    }
    auto& table = hub.getParameters();
    // A host writing back what it reads here (its echo of our report, or automation it
    // recorded from it) means the value we hold, also one beyond the declared range,
    // which decoding would cut to the range's end. The write rule still runs with it:
    // a host write to a program-number row sends the program select every time.
    const int value = x == getSlotNormalised (slot) ? table.value (slot) : table.fromNormalised (slot, x);
    hub.setFromHost (slot, value);
}

juce::String VantorAudioProcessor::getSlotName (int slot) const
{
    return juce::isPositiveAndBelow (slot, parameterCount) ? hub.slotLabel (slot) : juce::String();
}

juce::String VantorAudioProcessor::getSlotText (int slot) const
{
    return juce::isPositiveAndBelow (slot, parameterCount) ? hub.slotValueText (slot) : juce::String();
}

void VantorAudioProcessor::reportSlot (int slot, int value)
{
    if (! ParameterTable::isValid (slot))
        return;

    auto& params = getParameters();
    if (gestureFlags[slot] == 0)
    {
        openGestures.add (slot);
        gestureFlags.set (slot, 1);
        if (slot < parameterCount)
            params.getUnchecked (slot)->beginChangeGesture();
    }

    if (slot >= parameterCount)
        return;

    // The write rule runs with the value itself, not with the host's 0..1 view of it,
    // which for a value beyond the declared range would be decoded to the range's end
    // (program 5000 would become bank 31 and send program 3976). Then the host hears
    // the view.
    hub.setFromHost (slot, value);
    tellHost (slot, value);
}

void VantorAudioProcessor::notify (int code, int slot, int value)
{
    if (code == HostReporter::reportToHost)
        reportSlot (slot, value);
}

void VantorAudioProcessor::tellHost (int slot, int value)
{
    if (! juce::isPositiveAndBelow (slot, parameterCount))
        return;
    auto& table = hub.getParameters();
    const int lo = table.minimum (slot), hi = table.maximum (slot);
    getParameters().getUnchecked (slot)->sendValueChangedMessageToListeners (hi == lo ? 0.0f : hostView ((float) (value - lo) / (float) (hi - lo)));
}

void VantorAudioProcessor::changeListenerCallback (juce::ChangeBroadcaster* source)
{
    if (source != &hub.getHostQueueSignal())
        return;

    std::vector<HostReports::Change> changes;
    hub.takeHostQueue (changes);
    for (auto& c : changes)
    {
        switch (c.how)
        {
            case HostReports::How::writeRule:
                reportSlot (c.slot, c.value);
                break;
            // The host hears what the slot holds now, which a later change may have
            // moved on from the queued value.
            case HostReports::How::tellOnly:
                tellHost (c.slot, hub.getParameters().value (c.slot));
                break;
            case HostReports::How::tellAndSend:
                tellHost (c.slot, hub.getParameters().value (c.slot));
                hub.sendSlotAfterProgram (c.slot, c.value);
                break;
        }
    }
}

} // namespace zd8

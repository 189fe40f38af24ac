// The host, the instrument and the editor write slots at the same time: labels, FX
// parameter lists, values and texts must stay whole. Run under ThreadSanitizer in CI.

#include "plugin/VantorAudioProcessor.h"
#include "support/PluginRig.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

using namespace zd8;

TEST (ConcurrentSlots, HostInstrumentAndEditorWriteFromTheirOwnThreads)
{
    zd8test::PluginRig rig (false);
    VantorAudioProcessor p (rig.environment);
    auto& hub = p.getHub();
    auto& params = p.getParameters();
    std::atomic<bool> stop { false };
    constexpr int rounds = 300;

    // The host's automation thread.
    std::thread host ([&] {
        for (int i = 0; i < rounds; ++i)
        {
            params[ParameterTable::controllerSlot (i % 16, 7)]->setValue ((float) (i % 128) / 127.0f);
            params[ParameterTable::programSlot (i % 16, ParameterTable::panRow)]->setValue ((float) (i % 129) / 128.0f);
            params[ParameterTable::programSlot (i % 16, ParameterTable::programNumberRow)]->setValue ((float) (i % 100) / 127.0f);
        }
    });

    // The instrument's MIDI input thread: controllers and program changes, which
    // select programs and rebuild labels and lists.
    std::thread instrument ([&] {
        for (int i = 0; i < rounds; ++i)
        {
            hub.handleIncomingMidiMessage (nullptr, juce::MidiMessage::controllerEvent (1 + i % 16, 74, i % 128));
            hub.handleIncomingMidiMessage (nullptr, juce::MidiMessage::programChange (1 + i % 4, 1 + i % 100));
        }
    });

    // The message thread: the editor selects programs and FX chains, and everybody
    // reads labels and texts.
    std::thread editor ([&] {
        for (int i = 0; i < rounds; ++i)
        {
            hub.setFromEditor (ParameterTable::programSlot (i % 4, ParameterTable::programRow), 1 + (i * 7) % 1100, true, true);
            hub.setFromEditor (ParameterTable::programSlot (i % 4, ParameterTable::aux1ChainRow), 1 + i % 80, false, true);
        }
    });

    std::thread reader ([&] {
        std::vector<juce::uint32> notices;
        std::vector<juce::uint64> slots;
        while (! stop.load())
        {
            for (int slot = 0; slot < ParameterTable::numSlots; slot += 37)
            {
                juce::ignoreUnused (p.getSlotName (slot), p.getSlotText (slot), p.getSlotNormalised (slot));
            }
            for (int list = 0; list < 4; ++list)
                juce::ignoreUnused (hub.getFxParameterList (1, list));
            notices.clear();
            slots.clear();
            hub.drainNotices (notices);
            hub.drainSlotNotices (slots);
        }
    });

    host.join();
    instrument.join();
    editor.join();
    stop = true;
    reader.join();

    // Everything still reads as a whole, valid table.
    for (int slot = 0; slot < ParameterTable::numSlots; ++slot)
    {
        const int v = hub.getParameters().value (slot);
        if (hub.getParameters().kind (slot) == ParameterTable::kindController)
        {
            EXPECT_TRUE (v >= 0 && v <= 127) << slot;
        }
        EXPECT_FALSE (p.getSlotName (slot).isEmpty()) << slot;
    }
}

// The hub's whole incoming-MIDI path: arbitrary byte streams from the instrument, cut
// into arbitrary messages, with the THRU and transfer switches in any position. Nothing
// may crash, read outside a buffer or hang.
//
// Input: byte 0 = switches (bit 0 THRU to host, bit 1 transfer running, bit 2 merge
// into a host block at the end); then records of [length byte][bytes], where length
// 0 means a partial-sysex notice.

#include "link/VirtualMidiDevices.h"
#include "plugin/ControllerState.h"

#include <cstddef>
#include <cstdint>

namespace
{
    struct Fixture
    {
        Fixture()
        {
            hub = std::make_unique<zd8::ControllerState> (environment);
        }

        // A folder of its own, made before the environment takes a copy of it: the hub
        // writes its data files there when it closes.
        static juce::File newFolder()
        {
            auto f = juce::File::getSpecialLocation (juce::File::tempDirectory).getChildFile ("zd8-fuzz-hub-" + juce::Uuid().toString());
            f.createDirectory();
            return f;
        }

        juce::ScopedJuceInitialiser_GUI juce;
        juce::File folder = newFolder();
        zd8::VirtualMidiDevices devices; // none: nothing is sent anywhere
        zd8::LinkEnvironment environment { devices, zd8::TimeSource::system(), zd8::TimerFactory::system(), folder };
        std::unique_ptr<zd8::ControllerState> hub;
        std::vector<juce::uint32> notices;
        std::vector<juce::uint64> slotNotices;
        std::vector<zd8::HostReports::Change> hostQueue;
    };

    Fixture& fixture()
    {
        static Fixture f;
        return f;
    }
}

extern "C" int LLVMFuzzerTestOneInput (const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;

    auto& f = fixture();
    auto& hub = *f.hub;
    hub.setThruInToHost ((data[0] & 1) != 0);
    hub.setTransferFlag ((data[0] & 2) != 0);

    std::size_t pos = 1;
    while (pos < size)
    {
        const std::size_t length = data[pos++];
        if (length == 0)
        {
            hub.handlePartialSysexMessage (nullptr, data + pos, (int) (size - pos), 0);
            continue;
        }
        const std::size_t n = std::min (length, size - pos);
        if (n == 0)
            break;
        hub.handleIncomingMidiMessage (nullptr, juce::MidiMessage (data + pos, (int) n));
        pos += n;
    }

    if ((data[0] & 4) != 0)
    {
        juce::MidiBuffer block;
        const juce::ScopedLock sl (hub.getLock());
        hub.mergeHostBoundMidi (block, 1 + data[0] % 512);
    }

    // Keep the lists from growing across runs, as the editor would.
    f.notices.clear();
    f.slotNotices.clear();
    f.hostQueue.clear();
    hub.drainNotices (f.notices);
    hub.drainSlotNotices (f.slotNotices);
    hub.takeHostQueue (f.hostQueue);
    (void) hub.getMailbox().getLastMessage();
    return 0;
}

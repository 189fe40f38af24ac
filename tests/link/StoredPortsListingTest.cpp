// Opening the stored ports asks the system for its device lists only when a stored
// name could match a device: listing opens a MIDI client on some systems, which an
// instance with no port chosen should not pay for at every open.

#include "link/InstrumentPorts.h"
#include "support/ManualTimeline.h"

#include <gtest/gtest.h>

using namespace zd8;

namespace
{
class ListingCounter : public MidiDeviceProvider
{
public:
    int inputListings = 0, outputListings = 0;

    juce::StringArray getInputNames() override { ++inputListings; return { "Zed In" }; }
    juce::StringArray getOutputNames() override { ++outputListings; return { "Zed Out" }; }
    std::unique_ptr<MidiInPort> openInput (int, juce::MidiInputCallback*) override { return nullptr; }
    std::unique_ptr<MidiOutPort> openOutput (int) override { return nullptr; }
};

struct NullCallback : public juce::MidiInputCallback
{
    void handleIncomingMidiMessage (juce::MidiInput*, const juce::MidiMessage&) override {}
};
} // namespace

TEST (StoredPorts, DeviceListsAreAskedForOnlyForNamesThatCouldMatch)
{
    struct Case { juce::StringArray names; int inputListings, outputListings; };
    const std::vector<Case> cases {
        { { "NONE", "NONE", "NONE" }, 0, 0 },
        { { "AB", "", "NONE" }, 0, 0 },       // shorter than three characters
        { {}, 0, 0 },
        { { "Zed In", "NONE", "NONE" }, 1, 0 },
        { { "NONE", "Other", "NONE" }, 0, 1 },
    };

    for (const auto& c : cases)
    {
        zd8test::ManualTimeline timeline;
        ListingCounter devices;
        LinkEnvironment environment { devices, timeline, timeline, juce::File() };
        NullCallback hub;
        InstrumentPorts ports (environment, hub);

        ports.openStoredPorts (c.names);
        EXPECT_EQ (devices.inputListings, c.inputListings) << c.names.joinIntoString ("|");
        EXPECT_EQ (devices.outputListings, c.outputListings) << c.names.joinIntoString ("|");
        EXPECT_FALSE (ports.isInputOpen() || ports.isOutputOpen());
    }
}

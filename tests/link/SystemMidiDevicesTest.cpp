#include "link/JuceMidiDevices.h"
#include "link/LinkEnvironment.h"
#include "link/SystemMidiDevices.h"
#include "link/VirtualMidiDevices.h"

#include <gtest/gtest.h>

using namespace zd8;

namespace
{
struct NullCallback : public juce::MidiInputCallback
{
    void handleIncomingMidiMessage (juce::MidiInput*, const juce::MidiMessage&) override {}
};
} // namespace

TEST (SystemMidiDevices, ListsTheFirstProviderThenTheSecondWithIndicesContinuing)
{
    VirtualMidiDevices first, second;
    first.add (std::make_shared<VirtualMidiDevice> ("A"));
    first.add (std::make_shared<VirtualMidiDevice> ("B"));
    second.add (std::make_shared<VirtualMidiDevice> ("C"));
    SystemMidiDevices devices (first, second);
    NullCallback cb;

    EXPECT_EQ (devices.getInputNames(), juce::StringArray ({ "A", "B", "C" }));
    EXPECT_EQ (devices.getOutputNames(), juce::StringArray ({ "A", "B", "C" }));

    const char* expected[] = { "A", "B", "C" };
    for (int i = 0; i < 3; ++i)
    {
        EXPECT_EQ (devices.openOutput (i)->getName(), expected[i]);
        EXPECT_EQ (devices.openInput (i, &cb)->getName(), expected[i]);
    }

    for (int i : { -1, 3, 7 })
    {
        EXPECT_EQ (devices.openOutput (i), nullptr) << i;
        EXPECT_EQ (devices.openInput (i, &cb), nullptr) << i;
    }
}

TEST (SystemMidiDevices, TheProductListEndsWithTheProcessVirtualDevices)
{
    JuceMidiDevices system;
    const int systemInputs = system.getInputNames().size();
    const int systemOutputs = system.getOutputNames().size();
    NullCallback cb;

    // Where the system has no MIDI layer (as on a build machine) nothing opens.
    EXPECT_EQ (system.openInput (systemInputs, &cb), nullptr);
    EXPECT_EQ (system.openOutput (systemOutputs), nullptr);

    auto sim = std::make_shared<VirtualMidiDevice> ("ZD8 Simulator");
    VirtualMidiDevices::shared().add (sim);
    auto environment = LinkEnvironment::system();

    EXPECT_EQ (environment.devices.getInputNames()[systemInputs], "ZD8 Simulator");
    EXPECT_EQ (environment.devices.getOutputNames()[systemOutputs], "ZD8 Simulator");
    auto out = environment.devices.openOutput (systemOutputs);
    ASSERT_NE (out, nullptr);
    EXPECT_EQ (out->getName(), "ZD8 Simulator");
    EXPECT_EQ (environment.folder.getFileName(), "Vantor ZD8");
    EXPECT_EQ (environment.folder.getParentDirectory(), juce::File::getSpecialLocation (juce::File::userApplicationDataDirectory));

    out.reset();
    VirtualMidiDevices::shared().remove (sim);
}

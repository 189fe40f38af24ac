#include "support/PluginRig.h"

#include <gtest/gtest.h>

namespace zd8test
{

PluginRig::PluginRig (bool storeSimulatorPorts)
    // Tests run in parallel processes: every rig gets a folder no other can pick.
    : folder (juce::File::getSpecialLocation (juce::File::tempDirectory).getChildFile ("zd8test-" + juce::Uuid().toString())),
      simulator (zd8sim::InstrumentSimulator::defaultName, timeline),
      environment { devices, timeline, timeline, folder }
{
    folder.createDirectory();
    devices.add (simulator.getDevice());

    if (storeSimulatorPorts)
    {
        // The port file, written byte by byte: input name 0F output name 10 third 11.
        juce::MemoryOutputStream out;
        out << "ZD8 Simulator";
        out.writeByte (0x0F);
        out << "ZD8 Simulator";
        out.writeByte (0x10);
        out << "NONE";
        out.writeByte (0x11);
        folder.getChildFile ("zd8ports.dat").replaceWithData (out.getData(), out.getDataSize());
    }
}

PluginRig::~PluginRig()
{
    devices.remove (simulator.getDevice());
    folder.deleteRecursively();
}

void PluginRig::writeSettings (const std::vector<std::pair<int, juce::String>>& entries)
{
    juce::StringArray list;
    list.add ("1.2.0 - 0 3 7");
    for (int i = 1; i < 55; ++i)
        list.add ("0");
    list.set (8, "1");
    list.set (10, "333");
    list.set (17, "402");
    list.set (47, "1");
    for (auto& [index, text] : entries)
        list.set (index, text);

    juce::String text;
    for (auto& e : list)
        text << "^|" << e << "|^";
    folder.getChildFile ("brisipzd8.dat").replaceWithText (text, false, false, nullptr);
}

bool PluginRig::settle (size_t expectedAtSimulator)
{
    bool ok = true;
    if (expectedAtSimulator > 0)
        ok = simulator.waitForReceived (expectedAtSimulator);
    ok = simulator.waitUntilHandled() && ok;
    ok = simulator.waitUntilDelivered() && ok;
    return ok;
}

bool PluginRig::roundTrip (juce::ChangeBroadcaster& transferEngine)
{
    const auto before = simulator.getReceived().size();
    EXPECT_TRUE (settle());
    transferEngine.dispatchPendingMessages();
    EXPECT_TRUE (settle());
    return simulator.getReceived().size() != before;
}

void PluginRig::pumpTransfers (juce::ChangeBroadcaster& transferEngine)
{
    for (int i = 0; i < 2000 && roundTrip (transferEngine); ++i)
    {
    }
}

std::vector<juce::String> PluginRig::receivedHex() const
{
    std::vector<juce::String> lines;
    for (auto& r : simulator.getReceived())
        lines.push_back (toHex (r.bytes));
    return lines;
}

juce::String toHex (const std::vector<juce::uint8>& bytes)
{
    juce::StringArray parts;
    for (auto b : bytes)
        parts.add (juce::String::toHexString ((int) b).paddedLeft ('0', 2).toUpperCase());
    return parts.joinIntoString (" ");
}

} // namespace zd8test

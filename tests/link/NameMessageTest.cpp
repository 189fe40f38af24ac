// Object names as the write dialog sends them: every byte inside the system-exclusive
// message is a data byte, whatever characters the name holds.
#include "plugin/ControllerState.h"
#include "support/PluginRig.h"
#include "transfer/WriteTransfer.h"

#include <gtest/gtest.h>

using namespace zd8;

namespace
{
using Bytes = std::vector<juce::uint8>;

constexpr int programType = 138, multiType = 155;
constexpr int part = 2;
constexpr int destination = 4100;
} // namespace

TEST (NameMessage, CharactersWithBitSevenAreSentAsBlanksForProgramsAndMultis)
{
    // One character of each code between "A" and "Z": 0x7F is a data byte and stays;
    // 0x80..0xFF cannot travel inside system-exclusive data and go as blanks, like
    // every other character the instrument cannot show.
    struct Case
    {
        juce::juce_wchar code;
        juce::uint8 sent;
    };
    const Case cases[] = { { 0x7F, 0x7F }, { 0x80, 0x20 }, { 0x9F, 0x20 }, { 0xA0, 0x20 }, { 0xFF, 0x20 } };

    for (int type : { programType, multiType })
    {
        for (const auto& c : cases)
        {
            const auto what = juce::String (type == programType ? "program" : "multi") + " name with 0x"
                              + juce::String::toHexString ((int) c.code);
            zd8test::PluginRig rig;
            rig.simulator.setTimers (rig.timeline);
            ControllerState hub (rig.environment);
            rig.timeline.advance (2000); // the start-up program selections
            ASSERT_TRUE (rig.settle());
            rig.simulator.clearReceived();

            // The instrument's part (or its multi) holds an object for the name to file.
            auto& memory = rig.simulator.getMemory();
            if (type == programType)
                memory.selectProgram (part, 1);
            else
                memory.selectMulti (1);

            WriteTransfer write (hub, type, part, 1);
            write.setNameChangeOnly (true);
            write.setDestination (destination);
            write.rename ("A" + juce::String::charToString (c.code) + "Z");
            write.write();
            ASSERT_TRUE (rig.settle()) << what;

            const auto sent = rig.simulator.getAssembledSysex();
            ASSERT_EQ (sent.size(), 1u) << what;
            const auto& m = sent.front();
            ASSERT_EQ (m.size(), 29u) << what;
            EXPECT_EQ (m.front(), 0xF0);
            EXPECT_EQ (m.back(), 0xF7);
            for (size_t i = 1; i + 1 < m.size(); ++i)
                EXPECT_LT (m[i], 0x80) << what << ": byte " << i << " is " << (int) m[i];

            Bytes expectedName { 'A', c.sent, 'Z' };
            expectedName.resize (20, ' ');
            const auto stored = memory.getObject (type, destination);
            ASSERT_TRUE (stored.has_value()) << what;
            EXPECT_EQ (Bytes (stored->name.begin(), stored->name.end()), expectedName) << what;
        }
    }
}

// A program's controller assignments are shown only when the program has a name list
// of its own (20 bytes or more): chosen in the plug-in, a program without one shows no
// assignments in the parameter table page and names no controllers on the channel.
#include "plugin/VantorAudioProcessor.h"
#include "support/PluginRig.h"

#include <gtest/gtest.h>

using namespace zd8;

namespace
{
using Bytes = std::vector<juce::uint8>;

constexpr int programId = 4200;
constexpr int channel = 4;

/** A one-layer program without FX chains whose own name list has one entry with a
    name of nameBytes bytes (none for -1), then four "Synth" assignments of parameter 10
    to knobs 1..4 (a 20-byte list). */
Bytes programWithNameList (int nameBytes)
{
    Bytes b (250 + 318, 0x11);
    const std::string name = "Short List Program  ";
    std::copy (name.begin(), name.end(), b.begin());
    b[20] = 'Z', b[21] = 'D', b[22] = '7';
    b[60] = 1; // layers
    for (int chainOffset : { 109, 121, 133 })
        b[(size_t) chainOffset] = b[(size_t) chainOffset + 1] = 0;

    const Bytes noEntries { 0, 1, 0, 0 };
    Bytes oneEntry { 0, 1, 0, 1, 0, 0, 0, 10, 0, 0, 0, (juce::uint8) juce::jmax (0, nameBytes) };
    for (int i = 0; i < nameBytes; ++i)
        oneEntry.push_back ((juce::uint8) (i == 0 ? ' ' : 'a' + i));
    const auto& list = nameBytes < 0 ? noEntries : oneEntry;
    b.insert (b.end(), list.begin(), list.end());

    const Bytes assignments { 0, 2, 0, 4, 1, 10, 0, 71, 1, 10, 0, 72, 1, 10, 0, 73, 1, 10, 0, 79 };
    b.insert (b.end(), assignments.begin(), assignments.end());
    b.insert (b.end(), { 0xEE, 0xEE });
    return b;
}
} // namespace

TEST (ProgramAssignmentsShown, OnlyWithANameListOfTwentyBytesOrMore)
{
    struct Case
    {
        int nameBytes;   // name of the list's one entry; -1: no entry
        int listLength;  // the program's own name list
        bool shown;
    };
    const Case cases[] = { { -1, 4, false }, { 0, 12, false }, { 7, 19, false }, { 8, 20, true }, { 12, 24, true } };

    for (const auto& c : cases)
    {
        zd8test::PluginRig rig;
        VantorAudioProcessor p (rig.environment);
        auto& image = p.getHub().getImage();
        const auto program = programWithNameList (c.nameBytes);
        {
            const juce::ScopedWriteLock sl (image.getStoreLock());
            image.getPrograms().replaceRecord (programId, program.data(), program.size());
            ASSERT_EQ ((int) image.getPrograms().nameListForSending (programId).getSize(), c.listLength);
        }

        auto& connection = p.getEditorConnection();
        connection.selectProgram (programId, channel);
        auto* edit = connection.getEditBuffer (channel);
        ASSERT_NE (edit, nullptr);
        ASSERT_TRUE (edit->name().startsWith ("Short List Program"));

        const auto table = edit->getTable();
        const auto synthControllers = connection.getFxParameterList (channel, 0);
        if (c.shown)
        {
            EXPECT_EQ (table.assignmentCount(), 4) << c.listLength;
            EXPECT_EQ (edit->parameterName (0), " bcdefgh" + juce::String ("ijkl").substring (0, c.nameBytes - 8));
            EXPECT_EQ (synthControllers, (std::vector<int> { 71, 72, 73, 79 })) << c.listLength;
        }
        else
        {
            EXPECT_EQ (table.assignmentCount(), 0) << c.listLength;
            EXPECT_EQ (edit->parameterName (0), "") << c.listLength;
            EXPECT_EQ (edit->assignedToText (0), "") << c.listLength;
            EXPECT_TRUE (synthControllers.empty()) << c.listLength;
        }
        for (int list = 1; list < 4; ++list)
            EXPECT_TRUE (connection.getFxParameterList (channel, list).empty()) << c.listLength;
    }
}

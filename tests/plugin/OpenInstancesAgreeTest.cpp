// Instances share what opening makes the same for all of them (the decoded FX chain
// name lists, the parameter table's fixed columns, the decoded settings): two opened at
// once on two threads show exactly what one opened alone shows, and a chain edited in
// one instance changes the names that instance shows only.

#include "plugin/VantorAudioProcessor.h"
#include "support/PluginRig.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <thread>

using namespace zd8;
using zd8test::PluginRig;

namespace
{
/** Everything an open instance shows of its slots and its channels' parameter names,
    one line each, so a difference reads as the line that differs. */
std::vector<std::string> shown (VantorAudioProcessor& p)
{
    std::vector<std::string> lines;
    auto& hub = p.getHub();
    const auto& table = hub.getParameters();
    for (int s = 0; s < ParameterTable::numSlots; ++s)
        lines.push_back ("slot " + std::to_string (s) + ": " + std::to_string (table.value (s)) + " label "
                         + table.labelCode (s).toStdString() + " range " + std::to_string (table.minimum (s)) + ".."
                         + std::to_string (table.maximum (s)) + " kind " + std::to_string (table.kind (s)) + " "
                         + std::to_string (table.displayKind (s)) + " " + std::to_string (table.channel (s)) + " "
                         + std::to_string (table.subIndex (s)) + " " + std::to_string (table.controller (s)) + " "
                         + std::to_string (table.descriptionCode (s)) + " host " + std::to_string (p.getParameters()[s]->getValue())
                         + " text " + p.getParameters()[s]->getCurrentValueAsText().toStdString());

    for (int c = 0; c < 16; ++c)
    {
        const auto decoded = hub.getImage().getEditBuffer (c)->getTable();
        for (int l = 0; l < VirtualParameterTable::listCount; ++l)
        {
            std::string line = "channel " + std::to_string (c) + " list " + std::to_string (l) + " id "
                               + std::to_string (decoded.lists[(size_t) l].identifier) + ":";
            for (const auto& e : decoded.lists[(size_t) l].entries)
                line += " " + std::to_string (e.id) + "=" + std::to_string (e.value) + " " + e.name.toStdString() + ";";
            lines.push_back (line);
        }
        for (int i = 0; i < decoded.assignmentCount(); ++i)
            lines.push_back ("channel " + std::to_string (c) + " assignment " + std::to_string (i) + ": "
                             + decoded.parameterName (i).toStdString() + " " + decoded.assignedToText (i).toStdString());
        for (int l = 0; l < 4; ++l)
        {
            std::string line = "channel " + std::to_string (c) + " controllers of list " + std::to_string (l) + ":";
            for (int n : hub.getFxParameterList (c, l))
                line += " " + std::to_string (n);
            lines.push_back (line);
        }
    }
    return lines;
}

void expectSame (const std::vector<std::string>& actual, const std::vector<std::string>& expected, const char* who)
{
    ASSERT_EQ (actual.size(), expected.size()) << who;
    int differences = 0;
    for (size_t i = 0; i < actual.size() && differences < 10; ++i)
        if (actual[i] != expected[i])
        {
            ++differences;
            ADD_FAILURE() << who << ": " << actual[i] << "\n  instead of " << expected[i];
        }
}

/** Program 1's insert chain on channel 1 in p, with one letter of its first parameter
    name changed (as receiving an edited chain from the instrument changes it). Returns
    the changed name as decoded before the change. */
juce::String editFirstNameOfInsertChain (VantorAudioProcessor& p, int& chainId)
{
    auto& image = p.getHub().getImage();
    chainId = p.getHub().getParameters().value (ParameterTable::programSlot (0, ParameterTable::insertChainRow));
    const juce::ScopedWriteLock sl (image.getStoreLock());
    auto& chains = image.getFxChains();
    auto record = chains.readRecord (chainId);
    const auto list = chains.parameterNameList (chainId);
    const auto before = ParameterNameList::parse (list);
    if (before.isEmpty() || before.entries[0].name.length() < 2)
        return {};

    auto* r = static_cast<juce::uint8*> (record.getData());
    auto* l = static_cast<const juce::uint8*> (list.getData());
    auto* at = std::search (r, r + record.getSize(), l, l + list.getSize());
    if (at == r + record.getSize())
        return {};
    const size_t nameLength = (size_t) (l[ParameterNameList::headerSize + 6] << 8 | l[ParameterNameList::headerSize + 7]);
    at[ParameterNameList::headerSize + ParameterNameList::entryHeaderSize + nameLength - 1] = (juce::uint8) 'Q';
    chains.replaceRecord (chainId, record);
    return before.entries[0].name;
}
} // namespace

TEST (OpenInstancesAgree, TwoOpenedAtOnceOnTwoThreadsShowWhatOneOpenedAloneShows)
{
    PluginRig rig (false);
    std::make_unique<VantorAudioProcessor> (rig.environment).reset(); // the data and settings files exist

    std::vector<std::string> alone;
    {
        VantorAudioProcessor p (rig.environment);
        alone = shown (p);
    }

    for (int round = 0; round < 3; ++round)
    {
        std::unique_ptr<VantorAudioProcessor> a, b;
        std::thread ta ([&] { a = std::make_unique<VantorAudioProcessor> (rig.environment); });
        std::thread tb ([&] { b = std::make_unique<VantorAudioProcessor> (rig.environment); });
        ta.join();
        tb.join();
        expectSame (shown (*a), alone, "the first of two");
        expectSame (shown (*b), alone, "the second of two");
    }
}

TEST (OpenInstancesAgree, AChainEditedInOneInstanceChangesOnlyThatInstancesNames)
{
    PluginRig rig (false);
    std::make_unique<VantorAudioProcessor> (rig.environment).reset();

    VantorAudioProcessor a (rig.environment), b (rig.environment);
    const auto before = shown (b);
    int chainId = 0;
    const auto original = editFirstNameOfInsertChain (a, chainId);
    ASSERT_FALSE (original.isEmpty()) << "program 1's insert chain " << chainId << " has a named parameter";
    const auto edited = original.dropLastCharacters (1) + "Q";
    ASSERT_NE (edited, original);

    // Program 2 and back to program 1 on channel 1 in both: each decodes its chains again.
    for (auto* p : { &a, &b })
    {
        p->getHub().selectProgram (2, 0);
        p->getHub().selectProgram (1, 0);
    }
    const auto nameIn = [] (VantorAudioProcessor& p) {
        return p.getHub().getImage().getEditBuffer (0)->getTable().lists[VirtualParameterTable::insertList].entries[0].name;
    };
    EXPECT_EQ (nameIn (a), edited);
    EXPECT_EQ (nameIn (b), original);
    expectSame (shown (b), before, "the instance that edited nothing");

    // An instance opened now starts from the shared image, without a's edit.
    VantorAudioProcessor c (rig.environment);
    EXPECT_EQ (nameIn (c), original);
    EXPECT_EQ (nameIn (a), edited);
}

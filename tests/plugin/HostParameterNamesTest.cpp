#include "plugin/VantorAudioProcessor.h"
#include "support/PluginRig.h"

#include <gtest/gtest.h>

#include <set>

using namespace zd8;
using zd8test::PluginRig;

namespace
{
    // Every host names an automated parameter by its index and remembers its name in
    // the project: the names are a contract with every saved project. The table holds
    // them as the host reads them ("index<TAB>name", one per line).
    juce::File nameTable()
    {
        return juce::File (ZD8_SOURCE_DIR).getChildFile ("tests/plugin/host_parameter_names.txt");
    }
}

TEST (HostParameterNames, EveryNameIsTheOneInTheTable)
{
    PluginRig rig;
    VantorAudioProcessor processor (rig.environment);
    const auto& parameters = processor.getParameters();
    ASSERT_EQ (parameters.size(), 2314);

    juce::StringArray shown;
    for (int i = 0; i < parameters.size(); ++i)
        shown.add (juce::String (i) + "\t" + parameters[i]->getName (1024));

    // ZD8_UPDATE_REFERENCES=1 writes the table anew (a deliberate rename; look at the
    // difference before committing it: hosts lose the automation of a renamed slot).
    if (juce::SystemStats::getEnvironmentVariable ("ZD8_UPDATE_REFERENCES", {}) == "1")
    {
        ASSERT_TRUE (nameTable().replaceWithText (shown.joinIntoString ("\n") + "\n", false, false, "\n"));
    }

    juce::StringArray table;
    table.addLines (nameTable().loadFileAsString());
    table.removeEmptyStrings();
    ASSERT_EQ (table.size(), shown.size()) << nameTable().getFullPathName();
    int differences = 0;
    for (int i = 0; i < shown.size(); ++i)
        if (shown[i] != table[i] && ++differences <= 10)
            ADD_FAILURE() << "slot " << i << ": \"" << shown[i] << "\", the table has \"" << table[i] << "\"";
    EXPECT_EQ (differences, 0);
}

// VST3 hosts store automation under a hash of the parameter's identifier, which has
// always been the slot number: it must stay that. LV2 hosts know a parameter by an IRI
// made of the identifier, which cannot start with a digit, so there every slot needs
// an identifier of its own that survives that rule.
TEST (HostParameterNames, IdentifiersAreTheSlotNumberForVst3AndDistinctIrisForLv2)
{
    struct Case
    {
        juce::AudioProcessor::WrapperType format;
        juce::String prefix;
    };
    for (const auto& c : { Case { juce::AudioProcessor::wrapperType_VST3, {} }, Case { juce::AudioProcessor::wrapperType_VST, {} },
                           Case { juce::AudioProcessor::wrapperType_LV2, "slot" } })
    {
        PluginRig rig;
        juce::AudioProcessor::setTypeOfNextNewPlugin (c.format);
        VantorAudioProcessor processor (rig.environment);
        juce::AudioProcessor::setTypeOfNextNewPlugin (juce::AudioProcessor::wrapperType_Undefined);

        std::set<juce::String> distinct;
        const auto& parameters = processor.getParameters();
        for (int i = 0; i < parameters.size(); ++i)
        {
            const auto* withId = dynamic_cast<const juce::AudioProcessorParameterWithID*> (parameters[i]);
            ASSERT_NE (withId, nullptr);
            ASSERT_EQ (withId->paramID, c.prefix + juce::String (i)) << "format " << (int) c.format;
            distinct.insert (withId->paramID);
        }
        EXPECT_EQ (distinct.size(), (size_t) parameters.size());
    }
}

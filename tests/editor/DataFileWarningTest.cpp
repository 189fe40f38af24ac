#include "editor/shell/MainPanel.h"
#include "editor/shell/StatusBar.h"
#include "editor/shell/VantorAudioProcessorEditor.h"
#include "model/BuiltInBanks.h"
#include "plugin/VantorAudioProcessor.h"
#include "support/PluginRig.h"

#include <gtest/gtest.h>

using namespace zd8;
using zd8test::PluginRig;

namespace
{
    StatusBar& footerOf (juce::AudioProcessorEditor& editor)
    {
        return dynamic_cast<VantorAudioProcessorEditor&> (editor).getMainPanel().getFooter();
    }
}

// A damaged data file set aside at the start is named in the window's status line, in
// place of the link state, the first time the window opens; not at later openings.
TEST (DataFileWarning, TheFirstWindowNamesTheFileSetAsideInItsStatusLine)
{
    PluginRig rig;
    ASSERT_TRUE (BuiltInBanks::dataFile (ObjectStore::typeMulti, rig.folder).replaceWithText ("not a bank"));
    VantorAudioProcessor p (rig.environment);

    {
        std::unique_ptr<juce::AudioProcessorEditor> editor (p.createEditor());
        auto& footer = footerOf (*editor);
        const auto shown = footer.getShownText();
        EXPECT_TRUE (shown.startsWith ("Damaged data file set aside: B_SetupData.dat.damaged-")) << shown;

        footer.setText ("BRISVANE ZD8: ON-LINE");
        EXPECT_EQ (footer.getShownText(), shown) << "the warning stands while the link state changes";
        EXPECT_EQ (footer.getText(), "BRISVANE ZD8: ON-LINE");
    }

    std::unique_ptr<juce::AudioProcessorEditor> again (p.createEditor());
    EXPECT_FALSE (footerOf (*again).getShownText().startsWith ("Damaged")) << "told once";
}

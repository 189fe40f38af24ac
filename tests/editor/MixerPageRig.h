#pragma once

#include "editor/pages/MixerPage.h"
#include "plugin/VantorAudioProcessor.h"
#include "support/PluginRig.h"
#include "HostSlotLog.h"

#include <gtest/gtest.h>

namespace zd8test
{

/** Fixture base of the mixer page on its own: a processor wired to the instrument
    simulator, the page at its full size, and the slots the processor reports to the
    host. SetUp leaves nothing received at the simulator. */
struct MixerPageRig : ::testing::Test
{
    static constexpr int pageWidth = 996, pageHeight = 646;

    void SetUp() override;
    void TearDown() override;

    PluginRig rig;
    zd8::VantorAudioProcessor processor { rig.environment };
    zd8::ControllerState& hub = processor.getHub();
    zd8::ParameterTable& table = hub.getParameters();
    zd8::MixerPage mixer { processor.getEditorConnection() };
    HostSlotLog host;
};

} // namespace zd8test

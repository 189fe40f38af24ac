#include "MixerPageRig.h"

namespace zd8test
{

void MixerPageRig::SetUp()
{
    rig.settle();
    rig.simulator.clearReceived();
    mixer.setBounds (0, 0, pageWidth, pageHeight);
    processor.addListener (&host);
}

void MixerPageRig::TearDown()
{
    processor.removeListener (&host);
}

} // namespace zd8test

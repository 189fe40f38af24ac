#include "HostSlotLog.h"

namespace zd8test
{

void HostSlotLog::audioProcessorParameterChanged (juce::AudioProcessor*, int index, float)
{
    slots.push_back (index);
}

} // namespace zd8test

#pragma once

#include <juce_events/juce_events.h>

namespace zd8
{

/** Broadcasts (asynchronously, on the message thread) that the hub's queues of
    changes for the host are not empty. */
class HandlerComp : public juce::ChangeBroadcaster
{
};

} // namespace zd8

#pragma once

#include <juce_events/juce_events.h>

namespace zd8
{

/** The program common sub-object of an edit buffer. It carries no data of its own: the
    common block lives in the edit buffer's program data (bytes 25..157). */
class ProgramCommon : public juce::ChangeBroadcaster
{
public:
    ProgramCommon() = default;
};

} // namespace zd8

#pragma once

#include <juce_core/juce_core.h>

namespace zd8
{

class StsCont;

/** Receives the EditEvent words of a parameter control (message thread). */
class StsContListener
{
public:
    virtual ~StsContListener() = default;
    virtual void controlEvent (StsCont* control, juce::uint64 event) = 0;
};

} // namespace zd8

#pragma once

#include <juce_core/juce_core.h>

namespace zd8
{

class ParameterControl;

/** Receives the EditEvent words of a parameter control (message thread). */
class ParameterControlListener
{
public:
    virtual ~ParameterControlListener() = default;
    virtual void controlEvent (ParameterControl* control, juce::uint64 event) = 0;
};

} // namespace zd8

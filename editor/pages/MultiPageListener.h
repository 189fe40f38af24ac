#pragma once

#include <juce_core/juce_core.h>

namespace zd8
{

/** Receives the multi page's EditEvent words (the main window). */
class MultiPageListener
{
public:
    virtual ~MultiPageListener() = default;
    virtual void multiPageEvent (juce::uint64 event) = 0;
};

} // namespace zd8

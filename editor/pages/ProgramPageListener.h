#pragma once

#include <juce_core/juce_core.h>

namespace zd8
{

/** Receives the program page's EditEvent words (the main window). */
class ProgramPageListener
{
public:
    virtual ~ProgramPageListener() = default;
    virtual void programPageEvent (juce::uint64 event) = 0;
};

} // namespace zd8

#include "model/ZD7Class.h"

namespace zd8
{

void ZD7Class::programEditBlock (int part, int, const juce::MemoryBlock&)
{
    if (part >= 0 && part < 16)
        ++programMessages;
}

void ZD7Class::programMarked (int part, char mark)
{
    if (part < 0 || part >= 16)
        return;
    programMarks[(size_t) part] = mark;
    ++programMessages;
    sendChangeMessage();
}

void ZD7Class::programDataReplaced (int part, const juce::MemoryBlock&)
{
    programMarked (part, '$');
}

void ZD7Class::multiHeader (const juce::MemoryBlock&, const juce::MemoryBlock&)
{
    ++multiMessages;
    sendChangeMessage();
}

void ZD7Class::multiBlock1 (const juce::MemoryBlock&)
{
    ++multiMessages;
    sendChangeMessage();
}

void ZD7Class::multiBlock2 (int, const juce::MemoryBlock&)
{
    ++multiMessages;
    sendChangeMessage();
}

char ZD7Class::getProgramMark (int part) const
{
    return part >= 0 && part < 16 ? programMarks[(size_t) part].load() : 0;
}

} // namespace zd8

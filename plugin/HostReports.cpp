#include "plugin/HostReports.h"

namespace zd8
{

HostReports::HostReports (juce::CriticalSection& lock) : hubLock (lock)
{
    pending.reserve (4096);
}

void HostReports::queue (int slot, int value)
{
    {
        std::lock_guard<std::mutex> g (queueLock);
        pending.emplace_back (slot, value);
    }
    signal.sendChangeMessage();
}

void HostReports::take (std::vector<std::pair<int, int>>& out)
{
    std::lock_guard<std::mutex> g (queueLock);
    out.insert (out.end(), pending.begin(), pending.end());
    pending.clear();
}

void HostReports::reportNow (int slot, int value)
{
    juce::Array<HostReporter*> copy;
    {
        const juce::ScopedLock sl (hubLock);
        copy = reporters;
    }
    for (int i = copy.size(); --i >= 0;)
        copy.getUnchecked (i)->notify (HostReporter::reportToHost, slot, value);
}

void HostReports::addReporter (HostReporter* reporter)
{
    const juce::ScopedLock sl (hubLock);
    reporters.addIfNotAlreadyThere (reporter);
}

void HostReports::removeReporter (HostReporter* reporter)
{
    const juce::ScopedLock sl (hubLock);
    reporters.removeAllInstancesOf (reporter);
}

} // namespace zd8

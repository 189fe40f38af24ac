#include "plugin/HostReports.h"

namespace zd8
{

HostReports::HostReports (juce::CriticalSection& lock) : hubLock (lock)
{
    pending.reserve (4096);
}

void HostReports::queue (int slot, int value, How how)
{
    {
        std::lock_guard<std::mutex> g (queueLock);
        pending.push_back ({ slot, value, how });
    }
    signal.sendChangeMessage();
}

void HostReports::take (std::vector<Change>& out)
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

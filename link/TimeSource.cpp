#include "link/TimeSource.h"

#include <juce_core/juce_core.h>

namespace zd8
{

namespace
{
    class SystemTimeSource : public TimeSource
    {
    public:
        double nowMs() const override { return juce::Time::getMillisecondCounterHiRes(); }
    };
}

TimeSource& TimeSource::system()
{
    static SystemTimeSource instance;
    return instance;
}

} // namespace zd8

#include "link/TimerFactory.h"

#include "link/JuceOneShotTimer.h"

namespace zd8
{

namespace
{
    class SystemTimerFactory : public TimerFactory
    {
    public:
        std::unique_ptr<OneShotTimer> createTimer() override { return std::make_unique<JuceOneShotTimer>(); }
    };
}

TimerFactory& TimerFactory::system()
{
    static SystemTimerFactory instance;
    return instance;
}

} // namespace zd8

#include "plugin/StaleEchoGuard.h"

#include <cmath>
#include <limits>

namespace zd8
{

namespace
{
    constexpr float none = std::numeric_limits<float>::quiet_NaN();
}

StaleEchoGuard::StaleEchoGuard (int n) : numSlots (n), stale (new std::atomic<float>[(size_t) n])
{
    for (int s = 0; s < numSlots; ++s)
        stale[s].store (none);
}

void StaleEchoGuard::arm (const std::vector<float>& heardBefore, const std::vector<float>& nowHeld)
{
    for (int s = 0; s < numSlots && s < (int) heardBefore.size() && s < (int) nowHeld.size(); ++s)
        stale[s].store (heardBefore[(size_t) s] != nowHeld[(size_t) s] ? heardBefore[(size_t) s] : none);
    remainingMs = windowMs;
}

bool StaleEchoGuard::isStaleEcho (int slot, float x, float held) noexcept
{
    if (! juce::isPositiveAndBelow (slot, numSlots) || x == held)
        return false;
    const float old = stale[slot].exchange (none);
    return ! std::isnan (old) && x == old && remainingMs.load() > 0.0;
}

void StaleEchoGuard::blockProcessed (double ms) noexcept
{
    // Only the audio thread lowers it; a restore meanwhile sets it anew.
    double left = remainingMs.load();
    if (left > 0.0)
        remainingMs.compare_exchange_strong (left, left - ms);
}

} // namespace zd8

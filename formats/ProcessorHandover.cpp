#include "formats/ProcessorHandover.h"

namespace zd8
{

namespace
{
    thread_local VantorAudioProcessor* lastCreated = nullptr;
}

void ProcessorHandover::created (VantorAudioProcessor& processor) noexcept { lastCreated = &processor; }

VantorAudioProcessor* ProcessorHandover::take() noexcept
{
    auto* processor = lastCreated;
    lastCreated = nullptr;
    return processor;
}

} // namespace zd8

#pragma once

namespace zd8
{

class VantorAudioProcessor;

/** Hands the processor a format wrapper has just created to the code around that
    wrapper's entry call: the VST 2 entry point learns which processor belongs to the
    effect it returns. The wrapper creates the processor on the thread of the entry
    call, so the handover is per thread. */
class ProcessorHandover
{
public:
    /** Called when the plug-in creates a processor (any format). */
    static void created (VantorAudioProcessor& processor) noexcept;

    /** The processor created on this thread since the last take, or nullptr; clears it. */
    static VantorAudioProcessor* take() noexcept;
};

} // namespace zd8

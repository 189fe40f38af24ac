#pragma once

namespace zd8
{

/** Told by the hub when a slot must be reported to the host (code reportToHost). The
    processor registers one. Called on the thread that changed the slot. */
class HostReporter
{
public:
    static constexpr int reportToHost = 96;

    virtual ~HostReporter() = default;
    virtual void notify (int code, int slot, int value) = 0;
};

} // namespace zd8

#pragma once

namespace zd8
{

/** Output-side events of the port owner; the hub implements both as no-ops. */
class MIDI_OUTListener
{
public:
    virtual ~MIDI_OUTListener() = default;
    virtual void outputOpened (int index) = 0;
    virtual void outputClosed (int index) = 0;
};

} // namespace zd8

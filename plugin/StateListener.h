#pragma once

namespace zd8
{

/** Called after every notice and slot notice the hub adds, on the thread that added
    it (MIDI input, audio or message thread). A listener only records that work is
    pending and drains the hub's notice lists later on the message thread. */
class StateListener
{
public:
    virtual ~StateListener() = default;
    virtual void stateChanged (int code) = 0;
};

} // namespace zd8

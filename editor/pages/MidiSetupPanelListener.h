#pragma once

namespace zd8
{

/** Receives the MIDI setup panel's requests (code, value): 202 THRU host to out,
    203 OK, 206 clock, 210 THRU in to host, 212 program change by automation,
    300 input port entry, 302 output port entry, 2012 RECEIVE DATA. */
class MidiSetupPanelListener
{
public:
    virtual ~MidiSetupPanelListener() = default;
    virtual void setupRequest (int code, int value) = 0;
};

} // namespace zd8

#pragma once

namespace zd8
{

class StsBut;

/** Receives presses of text buttons with the button's identifier (message thread).
    Identifier 777 also reports pointer enter and leave. */
class stsbutListener
{
public:
    virtual ~stsbutListener() = default;
    virtual void buttonPressed (StsBut* button, int identifier) = 0;
};

} // namespace zd8

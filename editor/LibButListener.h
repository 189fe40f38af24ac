#pragma once

namespace zd8
{

class LibBut;

/** Receives presses of the library window's picture buttons with the button's
    identifier (message thread). */
class LibButListener
{
public:
    virtual ~LibButListener() = default;
    virtual void libButtonPressed (LibBut* button, int identifier) = 0;
};

} // namespace zd8

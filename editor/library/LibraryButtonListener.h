#pragma once

namespace zd8
{

class LibraryButton;

/** Receives presses of the library window's picture buttons with the button's
    identifier (message thread). */
class LibraryButtonListener
{
public:
    virtual ~LibraryButtonListener() = default;
    virtual void libButtonPressed (LibraryButton* button, int identifier) = 0;
};

} // namespace zd8

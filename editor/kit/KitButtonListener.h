#pragma once

namespace zd8
{

class KitButton;

/** Receives presses of text buttons with the button's identifier (message thread).
    Identifier 777 also reports pointer enter and leave. */
class KitButtonListener
{
public:
    virtual ~KitButtonListener() = default;
    virtual void buttonPressed (KitButton* button, int identifier) = 0;
};

} // namespace zd8

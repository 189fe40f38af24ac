#pragma once

namespace zd8
{

/** Receives the window-button codes: minimise 120, maximise 121, close 122. */
class WindowButtonsListener
{
public:
    virtual ~WindowButtonsListener() = default;
    virtual void windowTool (int code) = 0;
};

} // namespace zd8

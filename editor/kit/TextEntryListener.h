#pragma once

namespace zd8
{

/** Receives the answers of the question overlay: the question's identifier and the
    identifier of the button pressed (message thread). */
class TextEntryListener
{
public:
    virtual ~TextEntryListener() = default;
    virtual void textAnswer (int question, int button) = 0;
};

} // namespace zd8

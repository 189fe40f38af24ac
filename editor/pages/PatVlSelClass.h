#pragma once

#include "editor/pages/KmpSelClass.h"

namespace zd8
{

/** The velocity pattern selector (page "y"), with the category filter
    buttons. Everything else is the keymap
    selector's (KmpSelClass). Message thread only. */
class PatVlSelClass : public KmpSelClass
{
public:
    static const Kind kindOf;

    explicit PatVlSelClass (VantorAudioProcessor& processor);
};

} // namespace zd8

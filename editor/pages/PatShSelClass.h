#pragma once

#include "editor/pages/KmpSelClass.h"

namespace zd8
{

/** The shift pattern selector (page "x"). Everything else is the keymap
    selector's (KmpSelClass). Message thread only. */
class PatShSelClass : public KmpSelClass
{
public:
    static const Kind kindOf;

    explicit PatShSelClass (VantorAudioProcessor& processor);
};

} // namespace zd8

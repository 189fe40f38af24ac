#pragma once

#include "editor/pages/KmpSelClass.h"

namespace zd8
{

/** The algorithm selector (page "t"); its list number is 0. Everything else is the keymap
    selector's (KmpSelClass). Message thread only. */
class AlgSelClass : public KmpSelClass
{
public:
    static const Kind kindOf;

    explicit AlgSelClass (VantorAudioProcessor& processor);
};

} // namespace zd8

#pragma once

#include "editor/pages/KmpSelClass.h"

namespace zd8
{

/** The intonation table selector (page "w"). Everything else is the keymap
    selector's (KmpSelClass). Message thread only. */
class PatInSelClass : public KmpSelClass
{
public:
    static const Kind kindOf;

    explicit PatInSelClass (VantorAudioProcessor& processor);
};

} // namespace zd8

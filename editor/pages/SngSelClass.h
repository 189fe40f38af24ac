#pragma once

#include "editor/pages/KmpSelClass.h"

namespace zd8
{

/** The song selector (page "|"). The main window never parks it: hiding
    only clears its shown flag. Everything else is the keymap
    selector's (KmpSelClass). Message thread only. */
class SngSelClass : public KmpSelClass
{
public:
    static const Kind kindOf;

    explicit SngSelClass (VantorAudioProcessor& processor);
};

} // namespace zd8

#pragma once

#include "editor/pages/ObjectSelector.h"

namespace zd8
{

/** The shift pattern selector (page "x"). Everything else is the keymap
    selector's (ObjectSelector). Message thread only. */
class ShiftPatternSelector : public ObjectSelector
{
public:
    static const Kind kindOf;

    explicit ShiftPatternSelector (VantorAudioProcessor& processor);
};

} // namespace zd8

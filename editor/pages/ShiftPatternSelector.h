#pragma once

#include "editor/pages/KeymapSelector.h"

namespace zd8
{

/** The shift pattern selector (page "x"). Everything else is the keymap
    selector's (KeymapSelector). Message thread only. */
class ShiftPatternSelector : public KeymapSelector
{
public:
    static const Kind kindOf;

    explicit ShiftPatternSelector (VantorAudioProcessor& processor);
};

} // namespace zd8

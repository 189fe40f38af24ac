#pragma once

#include "editor/pages/KeymapSelector.h"

namespace zd8
{

/** The velocity pattern selector (page "y"), with the category filter
    buttons. Everything else is the keymap
    selector's (KeymapSelector). Message thread only. */
class VelocityPatternSelector : public KeymapSelector
{
public:
    static const Kind kindOf;

    explicit VelocityPatternSelector (VantorAudioProcessor& processor);
};

} // namespace zd8

#pragma once

#include "editor/pages/ObjectSelector.h"

namespace zd8
{

/** The velocity pattern selector (page "y"), with the category filter
    buttons. Everything else is the keymap
    selector's (ObjectSelector). Message thread only. */
class VelocityPatternSelector : public ObjectSelector
{
public:
    static const Kind kindOf;

    explicit VelocityPatternSelector (VantorAudioProcessor& processor);
};

} // namespace zd8

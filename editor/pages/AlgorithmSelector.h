#pragma once

#include "editor/pages/KeymapSelector.h"

namespace zd8
{

/** The algorithm selector (page "t"); its list number is 0. Everything else is the keymap
    selector's (KeymapSelector). Message thread only. */
class AlgorithmSelector : public KeymapSelector
{
public:
    static const Kind kindOf;

    explicit AlgorithmSelector (VantorAudioProcessor& processor);
};

} // namespace zd8

#pragma once

#include "editor/pages/ObjectSelector.h"

namespace zd8
{

/** The algorithm selector (page "t"); its list number is 0. Everything else is the keymap
    selector's (ObjectSelector). Message thread only. */
class AlgorithmSelector : public ObjectSelector
{
public:
    static const Kind kindOf;

    explicit AlgorithmSelector (VantorAudioProcessor& processor);
};

} // namespace zd8

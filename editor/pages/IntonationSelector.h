#pragma once

#include "editor/pages/ObjectSelector.h"

namespace zd8
{

/** The intonation table selector (page "w"). Everything else is the keymap
    selector's (ObjectSelector). Message thread only. */
class IntonationSelector : public ObjectSelector
{
public:
    static const Kind kindOf;

    explicit IntonationSelector (VantorAudioProcessor& processor);
};

} // namespace zd8

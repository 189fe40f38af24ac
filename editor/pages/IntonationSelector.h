#pragma once

#include "editor/pages/KeymapSelector.h"

namespace zd8
{

/** The intonation table selector (page "w"). Everything else is the keymap
    selector's (KeymapSelector). Message thread only. */
class IntonationSelector : public KeymapSelector
{
public:
    static const Kind kindOf;

    explicit IntonationSelector (VantorAudioProcessor& processor);
};

} // namespace zd8
